// CActiveCastsDlg: the casts one seat speaks for (template 181,
// "担当キャスト"): every cast of the scenario in its own order, each with a
// check box.
//
// The scenario (not owned; may be null, then the list is empty) only
// supplies the rows; each row's item data is the cast id. The ids checked
// at the start are given with Setup (an id of no cast checks nothing). Space
// toggles the selected row's check box, as in any list view with check
// boxes. OK takes the checked ids, in the scenario's cast order, none
// checked included; Cancel keeps the ids given to Setup.
//
// DoModal(owner, IDD_ACTIVE_CASTS) gives 1 after OK, 0 after Cancel or the
// close box.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "dialogs/OkCancelDlg.h"
#include "scenario/Script.h"
#include "wnd/ListView.h"

class CActiveCastsDlg : public COkCancelDlg
{
public:
    CActiveCastsDlg() = default;
    ~CActiveCastsDlg() override = default;

    // The casts to list and the ids checked at the start.
    void Setup(const CScript* script, const std::vector<int32_t>& checked);
    // After OK: the checked cast ids, in the scenario's cast order.
    const std::vector<int32_t>& GetChecked() const { return m_Checked; }

private:
    LRESULT OnInitDialog() override;
    void OnOK() override;

    CListView m_List;
    const CScript* m_Script = nullptr;
    std::vector<int32_t> m_Checked;
};
