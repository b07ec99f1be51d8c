// The scenario settings dialog, played from inside the test: title and memo
// in and out, CR LF in the box and LF in the scenario, and an OK button that
// Enter does not press.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/ScriptDlg.h"
#include "res/DialogRes.h"
#include "tests/support/DialogDriver.h"

namespace
{
class ScriptDlgTest : public ::testing::Test
{
protected:
    INT_PTR Run()
    {
        m_Dialog.Setup(&m_Script, "シナリオ設定");
        return m_Driver.Play([this] { return m_Dialog.DoModal(nullptr, IDD_SCRIPT); });
    }

    CScript m_Script;
    CScriptDlg m_Dialog;
    CDialogDriver m_Driver;
};
}  // namespace

TEST_F(ScriptDlgTest, ShowsTheMemoWithCrLfAndStoresItWithLf)
{
    m_Script.SetTitle("題名");
    m_Script.SetMemo("一行目\n二行目\n\nlast");
    std::string caption, title, shown;
    m_Driver.OnDialog([&](HWND dialog) {
        caption = CDialogDriver::Text(dialog);
        title = CDialogDriver::Text(GetDlgItem(dialog, IDC_SCRIPT_TITLE));
        shown = CDialogDriver::Text(GetDlgItem(dialog, IDC_SCRIPT_MEMO));
    });
    m_Driver.SetText(IDC_SCRIPT_MEMO, "a\r\nb\r\n\r\nc").Click(IDC_SCRIPT_OK);

    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(caption, "シナリオ設定");
    EXPECT_EQ(title, "題名");
    EXPECT_EQ(shown, "一行目\r\n二行目\r\n\r\nlast");
    EXPECT_EQ(m_Script.GetTitle(), "題名");
    EXPECT_EQ(m_Script.GetMemo(), "a\nb\n\nc");
}

TEST_F(ScriptDlgTest, AMemoRoundTripsUnchanged)
{
    m_Script.SetMemo("x\ny\nz");
    m_Driver.Click(IDC_SCRIPT_OK);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(m_Script.GetMemo(), "x\ny\nz");
}

TEST_F(ScriptDlgTest, EnterInTheTitleBoxLeavesTheDialogOpen)
{
    m_Script.SetTitle("old");
    bool stillOpen = false;
    m_Driver.SetText(IDC_SCRIPT_TITLE, "new").PressKey(IDC_SCRIPT_TITLE, VK_RETURN);
    m_Driver.OnDialog([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); });
    m_Driver.OnDialog([&](HWND dialog) { stillOpen = IsWindowVisible(dialog) != FALSE; });
    m_Driver.Click(IDC_SCRIPT_OK);

    EXPECT_EQ(Run(), 1);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(m_Script.GetTitle(), "new");
}

TEST_F(ScriptDlgTest, TrimsAsciiSpacesFromTitleAndMemo)
{
    m_Driver.SetText(IDC_SCRIPT_TITLE, "     ")
        .SetText(IDC_SCRIPT_MEMO, "  line one\r\nline two  ")
        .Click(IDC_SCRIPT_OK);
    m_Script.SetTitle("was here");
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(m_Script.GetTitle(), "");
    EXPECT_EQ(m_Script.GetMemo(), "line one\nline two");
}

TEST_F(ScriptDlgTest, CancelChangesNothing)
{
    m_Script.SetTitle("T");
    m_Script.SetMemo("M\nN");
    m_Driver.SetText(IDC_SCRIPT_TITLE, "other").SetText(IDC_SCRIPT_MEMO, "other").Click(IDCANCEL);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(m_Script.GetTitle(), "T");
    EXPECT_EQ(m_Script.GetMemo(), "M\nN");
}

TEST_F(ScriptDlgTest, TitleAndMemoLongerThan1023BytesAreKeptWhole)
{
    const std::string title = std::string(1500, 't') + "題";
    std::string memo;
    for (int i = 0; i < 200; ++i)
        memo += "メモの行 " + std::to_string(i) + "\n";
    memo += "end";
    m_Driver.SetText(IDC_SCRIPT_TITLE, title);
    m_Driver.OnDialog([memo](HWND dialog) {
        std::string crlf;
        for (char c : memo) {
            if (c == '\n')
                crlf += '\r';
            crlf += c;
        }
        SetWindowTextA(GetDlgItem(dialog, IDC_SCRIPT_MEMO), crlf.c_str());
    });
    m_Driver.Click(IDC_SCRIPT_OK);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(m_Script.GetTitle(), title);
    EXPECT_EQ(m_Script.GetMemo(), memo);
}

TEST_F(ScriptDlgTest, DirectionFormatIsShownAndStoredTrimmedOnOkOnly)
{
    for (const int button : {IDCANCEL, IDC_SCRIPT_OK}) {
        m_Script.SetDirectionFormat("（{text}）");
        std::string shown;
        m_Driver.Clear();
        m_Driver.OnDialog([&](HWND dialog) {
            shown = CDialogDriver::Text(GetDlgItem(dialog, IDC_SCRIPT_DIRECTION_FORMAT));
        });
        m_Driver.SetText(IDC_SCRIPT_DIRECTION_FORMAT, "  ＊{text}  ").Click(button);
        EXPECT_EQ(Run(), button == IDCANCEL ? 0 : 1);
        EXPECT_EQ(shown, "（{text}）");
        EXPECT_EQ(m_Script.GetDirectionFormat(), button == IDCANCEL ? "（{text}）" : "＊{text}");
    }
}
