#include "dialogs/SerifDlg.h"

#include "dialogs/DialogText.h"
#include "res/DialogRes.h"
#include "wnd/MessageBox.h"

namespace
{
const char kChooseCast[] = "キャストを選択してください。";
const char kErrorCaption[] = "エラー";

// The cast with exactly this name, first in stored order; null when none.
const CCast* FindCastByName(const CScript& script, const std::string& name)
{
    for (const CCast& cast : script.GetCasts()) {
        if (cast.m_Name == name)
            return &cast;
    }
    return nullptr;
}
}  // namespace

void CSerifDlg::Setup(const CScript* script, const CSerif& serif, const std::string& caption)
{
    m_Script = script;
    m_Serif.m_CastId = serif.m_CastId;
    m_Serif.m_Text = serif.m_Text;
    m_Serif.m_Memo = serif.m_Memo;
    m_Caption = caption;
}

LRESULT CSerifDlg::OnInitDialog()
{
    SetIcon(IDI_DIALOG_ICON);
    SetText(m_Caption.c_str());
    m_CastBox.AttachDlgItem(m_Wnd, IDC_SERIF_CAST);
    m_CastBox.SetDropDownHeight();
    m_CastBox.SetEditReadOnly(true);
    m_TextBox.AttachDlgItem(m_Wnd, IDC_SERIF_TEXT);
    m_MemoBox.AttachDlgItem(m_Wnd, IDC_SERIF_MEMO);
    if (!m_Script)
        return 0;

    m_CastBox.ResetContent();
    for (const CCast& cast : m_Script->GetCasts())
        m_CastBox.AddString(cast.m_Name.c_str());
    m_TextBox.SetText(m_Serif.m_Text.c_str());
    m_MemoBox.SetText(m_Serif.m_Memo.c_str());
    SelectCastName(m_Script->FindCastName(m_Serif.m_CastId));
    ::SetFocus(m_TextBox.GetHandle());
    return 0;
}

void CSerifDlg::SelectCastName(const std::string& name)
{
    // CB_FINDSTRINGEXACT ignores case, so compare the items ourselves.
    const int count = static_cast<int>(m_CastBox.Send(CB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        const std::string item = m_CastBox.GetItemText(i);
        if (item == name) {
            m_CastBox.SetCurSel(i);
            return;
        }
    }
}

void CSerifDlg::OnOK()
{
    if (!m_Script) {
        EndDialog(1);
        return;
    }
    const std::string chosen = m_CastBox.GetSelectedText();
    // The item stands for the cast of exactly that name. Looking it up
    // trimmed, as the name is shown, could pick another cast (" A" and "A"
    // from a file) or none at all, and the typed text would be dropped
    // while the dialog reports OK; the trimmed name is only the fallback.
    const CCast* cast = nullptr;
    if (!TrimAsciiSpaces(chosen).empty()) {
        cast = FindCastByName(*m_Script, chosen);
        if (!cast)
            cast = FindCastByName(*m_Script, TrimAsciiSpaces(chosen));
    }
    if (!cast) {
        ShowMessage(m_Wnd, kChooseCast, kErrorCaption, kErrorBoxFlags);
        return;
    }
    const std::string text = m_TextBox.GetFullText();
    const std::string memo = m_MemoBox.GetFullText();
    m_Serif.m_CastId = cast->m_Id;
    m_Serif.m_Text = TrimAsciiSpaces(text);
    m_Serif.m_Memo = TrimAsciiSpaces(memo);
    EndDialog(1);
}
