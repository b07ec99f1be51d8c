#include "dialogs/ActiveCastsDlg.h"

#include <algorithm>

#include "res/DialogRes.h"

void CActiveCastsDlg::Setup(const CScript* script, const std::vector<int32_t>& checked)
{
    m_Script = script;
    m_Checked = checked;
}

LRESULT CActiveCastsDlg::OnInitDialog()
{
    SetIcon(IDI_DIALOG_ICON);
    m_List.AttachDlgItem(m_Wnd, IDC_ACTIVE_CASTS_LIST);
    // Check boxes before the rows, so that every row gets one.
    m_List.AddExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    RECT client = {};
    ::GetClientRect(m_List.GetHandle(), &client);
    m_List.InsertColumn("", client.right - client.left, 0, LVCFMT_LEFT);
    ::SetFocus(m_List.GetHandle());
    if (!m_Script)
        return 0;

    for (const CCast& cast : m_Script->GetCasts()) {
        const int row = m_List.InsertItem(cast.m_Name.c_str(), m_List.GetItemCount(), 0, -1,
                                          static_cast<LPARAM>(cast.m_Id));
        const bool checked =
            std::find(m_Checked.begin(), m_Checked.end(), cast.m_Id) != m_Checked.end();
        m_List.SetCheck(row, checked ? 1 : 0);
    }
    // The column fills the list again once the rows have brought a scroll
    // bar.
    ::GetClientRect(m_List.GetHandle(), &client);
    m_List.Send(LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(client.right - client.left, 0));
    // The first row selected and focused, so that Space checks it at once.
    if (m_List.GetItemCount() > 0) {
        LVITEMA item = {};
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        m_List.Send(LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
    }
    return 0;
}

void CActiveCastsDlg::OnOK()
{
    std::vector<int32_t> checked;
    for (int row = 0; row < m_List.GetItemCount(); ++row) {
        if (m_List.GetCheck(row) == 1)
            checked.push_back(static_cast<int32_t>(m_List.GetItemData(row)));
    }
    m_Checked = checked;
    EndDialog(1);
}
