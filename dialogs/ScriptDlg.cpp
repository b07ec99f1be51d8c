#include "dialogs/ScriptDlg.h"

#include "dialogs/DialogText.h"
#include "res/DialogRes.h"

void CScriptDlg::Setup(CScript* script, const std::string& caption)
{
    m_Script = script;
    m_Caption = caption;
}

int CScriptDlg::GetOkId() const
{
    return IDC_SCRIPT_OK;
}

LRESULT CScriptDlg::OnInitDialog()
{
    SetIcon(IDI_DIALOG_ICON);
    SetText(m_Caption.c_str());
    m_TitleBox.AttachDlgItem(m_Wnd, IDC_SCRIPT_TITLE);
    m_MemoBox.AttachDlgItem(m_Wnd, IDC_SCRIPT_MEMO);
    m_DirectionFormatBox.AttachDlgItem(m_Wnd, IDC_SCRIPT_DIRECTION_FORMAT);
    if (m_Script) {
        m_TitleBox.SetText(m_Script->GetTitle().c_str());
        m_MemoBox.SetText(ToCrLf(m_Script->GetMemo()).c_str());
        m_DirectionFormatBox.SetText(m_Script->GetDirectionFormat().c_str());
        ::SetFocus(m_TitleBox.GetHandle());
    }
    return 0;
}

void CScriptDlg::OnOK()
{
    if (m_Script) {
        const std::string title = m_TitleBox.GetFullText();
        const std::string memo = m_MemoBox.GetFullText();
        const std::string directionFormat = m_DirectionFormatBox.GetFullText();
        m_Script->SetTitle(TrimAsciiSpaces(title));
        m_Script->SetMemo(TrimAsciiSpaces(FromCrLf(memo)));
        m_Script->SetDirectionFormat(TrimAsciiSpaces(directionFormat));
    }
    EndDialog(1);
}
