#include "dialogs/CastDlg.h"

#include <algorithm>

#include "dialogs/DialogText.h"
#include "res/DialogRes.h"
#include "wnd/MessageBox.h"

namespace
{
const char kBadName[] = "空白、同名は登録できません。";
const char kErrorCaption[] = "エラー";
const char kConfirmCaption[] = "確認";
const char kCastColumn[] = "キャスト";
const char kMemoColumn[] = "メモ";

// The formats offered in the format box, none first; any other can be typed.
const char* const kFormats[] = {"", "{name}「{text}」", "{name}: {text}", "【{name}】{text}"};
}  // namespace

void CCastDlg::Setup(CScript* script, const std::string& caption)
{
    m_Script = script;
    m_Caption = caption;
    m_Casts.clear();
    if (m_Script)
        m_Casts = m_Script->GetCasts();
    m_DeletedIds.clear();
}

void CCastDlg::OnCommandId(int id)
{
    switch (id) {
    case IDC_CAST_ADD:
        OnAdd();
        break;
    case IDC_CAST_DELETE:
        OnDelete();
        break;
    case IDC_CAST_CHANGE:
        OnChange();
        break;
    }
}

LRESULT CCastDlg::OnInitDialog()
{
    SetIcon(IDI_DIALOG_ICON);
    SetText(m_Caption.c_str());
    m_List.AttachDlgItem(m_Wnd, IDC_CAST_LIST);
    m_List.AddExtendedStyle(LVS_EX_FULLROWSELECT);
    m_NameBox.AttachDlgItem(m_Wnd, IDC_CAST_NAME);
    m_MemoBox.AttachDlgItem(m_Wnd, IDC_CAST_MEMO);
    m_FormatList.AttachDlgItem(m_Wnd, IDC_CAST_FORMAT);
    for (const char* format : kFormats)
        m_FormatList.AddString(format);
    // The text is read and set through the box's edit field, which reads a
    // text of any length whole.
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    if (::GetComboBoxInfo(m_FormatList.GetHandle(), &info))
        m_FormatBox.Attach(info.hwndItem);
    if (!m_Script)
        return 0;

    // Two columns of 3/5 of the width each: wider together than the list,
    // so that a long memo can be scrolled to.
    RECT client = {};
    ::GetClientRect(m_List.GetHandle(), &client);
    const int width = (client.right - client.left) * 3 / 5;
    m_List.InsertColumn(kCastColumn, width, 0, LVCFMT_LEFT);
    m_List.InsertColumn(kMemoColumn, width, 1, LVCFMT_LEFT);

    m_List.DeleteAllItems();
    for (const CCast& cast : m_Casts)
        InsertRow(cast);
    ::SetFocus(m_NameBox.GetHandle());
    return 0;
}

void CCastDlg::InsertRow(const CCast& cast)
{
    const int row = m_List.InsertItem(cast.m_Name.c_str(), m_List.GetItemCount(), 0, -1,
                                      static_cast<LPARAM>(cast.m_Id));
    m_List.SetItemText(row, 1, cast.m_Memo.c_str());
}

LRESULT CCastDlg::OnNotify(const NMHDR* header)
{
    if (!header || header->idFrom != IDC_CAST_LIST || header->code != LVN_ITEMCHANGED)
        return 0;
    const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(header);
    // Only a row that has just become selected is shown: the list also
    // reports text changes and deselections, which must not overwrite what
    // the user is typing.
    if (change->iItem < 0 || !(change->uChanged & LVIF_STATE) ||
        !(change->uNewState & LVIS_SELECTED) || (change->uOldState & LVIS_SELECTED))
        return 0;
    const int32_t id = static_cast<int32_t>(m_List.GetItemData(change->iItem));
    if (const CCast* cast = FindCast(id)) {
        m_NameBox.SetText(cast->m_Name.c_str());
        m_MemoBox.SetText(cast->m_Memo.c_str());
        m_FormatBox.SetText(cast->m_Format.c_str());
    }
    return 0;
}

CCast* CCastDlg::FindCast(int32_t id)
{
    for (CCast& cast : m_Casts) {
        if (cast.m_Id == id)
            return &cast;
    }
    return nullptr;
}

bool CCastDlg::CheckName(const std::string& name, const CCast* self)
{
    bool taken = false;
    for (const CCast& cast : m_Casts) {
        if (&cast != self && cast.m_Name == name)
            taken = true;
    }
    if (name.empty() || taken) {
        ShowMessage(m_Wnd, kBadName, kErrorCaption, kErrorBoxFlags);
        return false;
    }
    return true;
}

void CCastDlg::OnChange()
{
    const int row = m_List.GetSelected();
    if (row < 0)
        return;
    const int32_t id = static_cast<int32_t>(m_List.GetItemData(row));
    CCast* cast = FindCast(id);
    if (!cast)
        return;
    // The same rule as Add: a blank name or another member's name would
    // break the lookups by name; the member may keep its own name.
    const std::string name = TrimAsciiSpaces(m_NameBox.GetFullText());
    const std::string memo = TrimAsciiSpaces(m_MemoBox.GetFullText());
    const std::string format = TrimAsciiSpaces(m_FormatBox.GetFullText());
    if (!CheckName(name, cast))
        return;
    cast->m_Name = name;
    cast->m_Memo = memo;
    cast->m_Format = format;
    // The row keeps its place even when the new name would sort elsewhere.
    m_List.SetItemText(row, 0, cast->m_Name.c_str());
    m_List.SetItemText(row, 1, cast->m_Memo.c_str());
    m_List.SetItemData(row, static_cast<LPARAM>(cast->m_Id));
}

void CCastDlg::OnAdd()
{
    const std::string name = TrimAsciiSpaces(m_NameBox.GetFullText());
    const std::string memo = TrimAsciiSpaces(m_MemoBox.GetFullText());
    const std::string format = TrimAsciiSpaces(m_FormatBox.GetFullText());
    if (!CheckName(name, nullptr))
        return;
    CCast cast(CScript::NextCastId(m_Casts), name, memo, format);
    m_Casts.push_back(cast);
    InsertRow(cast);
}

void CCastDlg::OnDelete()
{
    const int row = m_List.GetSelected();
    if (row < 0)
        return;
    const int32_t id = static_cast<int32_t>(m_List.GetItemData(row));
    // The question names the member as it is stored; the row's text serves
    // only for a row without a member.
    const CCast* cast = FindCast(id);
    std::string name;
    if (cast)
        name = cast->m_Name;
    else
        m_List.GetFullItemText(row, 0, name);
    const std::string question =
        "キャスト名「" + name + "」を削除します。\n同セリフも全削除されます。\nよろしいですか？";
    if (!AskYesNo(m_Wnd, question.c_str(), kConfirmCaption))
        return;

    const auto found =
        std::find_if(m_Casts.begin(), m_Casts.end(), [id](const CCast& c) { return c.m_Id == id; });
    if (found != m_Casts.end())
        m_Casts.erase(found);
    m_List.DeleteItem(row);
    m_DeletedIds.push_back(id);
}

void CCastDlg::OnOK()
{
    if (m_Script) {
        m_Script->ReplaceCasts(m_Casts);
        if (!m_DeletedIds.empty())
            m_Script->RemoveSerifsOfCasts(m_DeletedIds);
    }
    EndDialog(1);
}
