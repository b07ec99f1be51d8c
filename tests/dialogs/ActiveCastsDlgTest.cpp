// The 担当キャスト dialog, played from inside the test: the scenario's casts
// in its own order with the start choice checked, Space toggling a row, and
// the checked ids after OK or Cancel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlProbe.h"
#include "dialogs/ActiveCastsDlg.h"
#include "res/DialogRes.h"
#include "tests/support/DialogDriver.h"

TEST(ActiveCastsDlg, ListsTheCastsInOrderAndGivesTheCheckedIdsOnOk)
{
    CScript script;
    script.AddCast(CCast(5, "Zed"));
    script.AddCast(CCast(2, "Amy"));
    script.AddCast(CCast(9, "Moe"));
    const struct
    {
        std::vector<std::string> m_Toggled;  // rows Space is pressed on, in turn
        int m_Button;
        INT_PTR m_Result;
        std::vector<int32_t> m_Checked;
    } cases[] = {
        // Amy is checked before Zed; the ids still come in the cast order.
        {{"Amy", "Zed", "Moe"}, IDOK, 1, {5, 2}},
        {{"Moe"}, IDOK, 1, {}},
        {{}, IDOK, 1, {9}},
        // Cancel keeps the start choice as it was given, 42 (no cast) too.
        {{"Amy", "Moe"}, IDCANCEL, 0, {9, 42}},
    };
    for (const auto& c : cases) {
        CActiveCastsDlg dialog;
        dialog.Setup(&script, {9, 42});
        std::vector<std::string> rows;
        std::string caption;
        CDialogDriver driver;
        driver.OnDialog([&](HWND window) {
            caption = CDialogDriver::Text(window);
            HWND list = GetDlgItem(window, IDC_ACTIVE_CASTS_LIST);
            for (int row = 0; row < Probe::RowCount(list); ++row) {
                const LRESULT state =
                    SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK);
                rows.push_back(Probe::RowText(list, row, 0) + "/" +
                               std::to_string(Probe::RowData(list, row)) + "/" +
                               std::to_string((state >> 12) - 1));
            }
        });
        for (const std::string& name : c.m_Toggled) {
            driver.OnDialog([name](HWND window) {
                HWND list = GetDlgItem(window, IDC_ACTIVE_CASTS_LIST);
                Probe::SelectRow(list, Probe::FindRow(list, name));
            });
            driver.PressKey(IDC_ACTIVE_CASTS_LIST, VK_SPACE);
        }
        driver.Click(c.m_Button);

        EXPECT_EQ(driver.Play([&] { return dialog.DoModal(nullptr, IDD_ACTIVE_CASTS); }),
                  c.m_Result);
        EXPECT_EQ(caption, "担当キャスト");
        EXPECT_EQ(rows, (std::vector<std::string>{"Zed/5/0", "Amy/2/0", "Moe/9/1"}));
        EXPECT_EQ(dialog.GetChecked(), c.m_Checked);
    }
}
