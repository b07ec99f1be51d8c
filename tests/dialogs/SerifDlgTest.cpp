// The serif dialog, played from inside the test: which cast is preselected,
// what OK takes from the boxes, and the refusal without a cast.
#include <gtest/gtest.h>

#include <string>

#include "ControlProbe.h"
#include "dialogs/SerifDlg.h"
#include "res/DialogRes.h"
#include "tests/support/DialogDriver.h"

namespace
{
class SerifDlgTest : public ::testing::Test
{
protected:
    INT_PTR Run(const CSerif& serif, const char* caption = "セリフ編集")
    {
        m_Dialog.Setup(&m_Script, serif, caption);
        return m_Driver.Play([this] { return m_Dialog.DoModal(nullptr, IDD_SERIF); });
    }

    // Records the preselected cast, then cancels.
    std::string Preselected(const CSerif& serif)
    {
        std::string selected = "(not run)";
        m_Driver.Clear();
        m_Driver.OnDialog([&](HWND dialog) {
            selected = Probe::SelectedItem(GetDlgItem(dialog, IDC_SERIF_CAST));
        });
        m_Driver.Click(IDCANCEL);
        EXPECT_EQ(Run(serif), 0);
        return selected;
    }

    CDialogDriver& Choose(const std::string& name)
    {
        return m_Driver.OnDialog([name](HWND dialog) {
            EXPECT_TRUE(Probe::SelectItem(GetDlgItem(dialog, IDC_SERIF_CAST), name)) << name;
        });
    }

    CScript m_Script;
    CSerifDlg m_Dialog;
    CDialogDriver m_Driver;
};
}  // namespace

TEST_F(SerifDlgTest, FillsTheBoxesAndOffersEveryCastSorted)
{
    m_Script.AddCast(CCast(0, "B"));
    m_Script.AddCast(CCast(1, "A"));
    m_Script.AddCast(CCast(2, "C"));
    std::string caption, text, memo, items;
    m_Driver.OnDialog([&](HWND dialog) {
        caption = CDialogDriver::Text(dialog);
        text = CDialogDriver::Text(GetDlgItem(dialog, IDC_SERIF_TEXT));
        memo = CDialogDriver::Text(GetDlgItem(dialog, IDC_SERIF_MEMO));
        HWND combo = GetDlgItem(dialog, IDC_SERIF_CAST);
        for (int i = 0; i < Probe::ItemCount(combo); ++i) {
            SendMessageA(combo, CB_SETCURSEL, i, 0);
            items += Probe::SelectedItem(combo) + ",";
        }
    });
    m_Driver.Click(IDCANCEL);

    EXPECT_EQ(Run(CSerif(2, "line", "note"), "セリフ挿入"), 0);
    EXPECT_EQ(caption, "セリフ挿入");
    EXPECT_EQ(text, "line");
    EXPECT_EQ(memo, "note");
    EXPECT_EQ(items, "A,B,C,");
}

TEST_F(SerifDlgTest, PreselectsExactlyTheLinesOwnCast)
{
    m_Script.AddCast(CCast(0, "AB"));
    m_Script.AddCast(CCast(1, "A"));
    m_Script.AddCast(CCast(2, "ABC"));
    EXPECT_EQ(Preselected(CSerif(1, "x")), "A");
    EXPECT_EQ(Preselected(CSerif(0, "x")), "AB");
    EXPECT_EQ(Preselected(CSerif(2, "x")), "ABC");
}

TEST_F(SerifDlgTest, PreselectionTellsNamesApartByCase)
{
    m_Script.AddCast(CCast(0, "a"));
    m_Script.AddCast(CCast(1, "A"));
    EXPECT_EQ(Preselected(CSerif(1, "x")), "A");
    EXPECT_EQ(Preselected(CSerif(0, "x")), "a");
}

TEST_F(SerifDlgTest, NewLinePreselectsTheCastWithIdZeroOrNothing)
{
    m_Script.AddCast(CCast(5, "Five"));
    m_Script.AddCast(CCast(0, "Zero"));
    EXPECT_EQ(Preselected(CSerif()), "Zero");

    m_Script.ReplaceCasts({CCast(1, "One"), CCast(2, "Two")});
    EXPECT_EQ(Preselected(CSerif()), "");
}

TEST_F(SerifDlgTest, OkWithoutACastShowsTheErrorAndStaysOpen)
{
    m_Script.AddCast(CCast(1, "One"));
    m_Script.AddCast(CCast(2, "Two"));
    m_Driver.SetText(IDC_SERIF_TEXT, "typed").Click(IDOK).Answer(IDOK);
    std::string kept;
    m_Driver.OnDialog(
        [&](HWND dialog) { kept = CDialogDriver::Text(GetDlgItem(dialog, IDC_SERIF_TEXT)); });
    Choose("Two");
    m_Driver.Click(IDOK);

    EXPECT_EQ(Run(CSerif()), 1);
    ASSERT_EQ(m_Driver.Seen().size(), 1u);
    EXPECT_EQ(m_Driver.Seen()[0].m_Caption, "エラー");
    EXPECT_EQ(m_Driver.Seen()[0].m_Text, "キャストを選択してください。");
    EXPECT_EQ(kept, "typed");
    EXPECT_EQ(m_Dialog.GetSerif().m_CastId, 2);
    EXPECT_EQ(m_Dialog.GetSerif().m_Text, "typed");
}

TEST_F(SerifDlgTest, OkTakesTheChosenCastAndTrimsOnlyAsciiSpaces)
{
    m_Script.AddCast(CCast(0, "A"));
    m_Script.AddCast(CCast(7, "B"));
    // "　" is the full-width space (0x81 0x40), which stays, as do tabs.
    Choose("B");
    m_Driver.SetText(IDC_SERIF_TEXT, "  　こんにちは　\t ")
        .SetText(IDC_SERIF_MEMO, "   ")
        .Click(IDOK);

    EXPECT_EQ(Run(CSerif(0, "old", "old memo")), 1);
    EXPECT_EQ(m_Dialog.GetSerif().m_CastId, 7);
    EXPECT_EQ(m_Dialog.GetSerif().m_Text, "　こんにちは　\t");
    EXPECT_EQ(m_Dialog.GetSerif().m_Memo, "");
}

TEST_F(SerifDlgTest, TextOfSpacesOnlyBecomesEmpty)
{
    m_Script.AddCast(CCast(0, "A"));
    m_Driver.SetText(IDC_SERIF_TEXT, "     ").Click(IDOK);
    EXPECT_EQ(Run(CSerif(0, "old")), 1);
    EXPECT_EQ(m_Dialog.GetSerif().m_Text, "");
}

TEST_F(SerifDlgTest, TextAndMemoLongerThan1023BytesAreKeptWhole)
{
    m_Script.AddCast(CCast(0, "A"));
    const std::string text = std::string(2000, 'x') + "終わり";
    const std::string memo(4000, 'm');
    m_Driver.SetText(IDC_SERIF_TEXT, text).SetText(IDC_SERIF_MEMO, memo).Click(IDOK);
    EXPECT_EQ(Run(CSerif(0, "")), 1);
    EXPECT_EQ(m_Dialog.GetSerif().m_Text, text);
    EXPECT_EQ(m_Dialog.GetSerif().m_Memo, memo);
}

TEST_F(SerifDlgTest, KeepsEveryCharacterThroughEditAndOk)
{
    // What users type in chat: symbols, emoji (surrogate pairs in the
    // control), kaomoji, a kanji beyond the BMP, the wave dash.
    const std::string line = "♡♥❤✨♬😊🎲 ʕ•ᴥ•ʔ (◕‿◕) 𠮷〜";
    m_Script.AddCast(CCast(0, "ハート♡"));
    std::wstring shown;
    m_Driver.OnDialog([&](HWND dialog) {
        wchar_t text[64] = {};
        GetDlgItemTextW(dialog, IDC_SERIF_TEXT, text, 64);
        shown = text;
    });
    m_Driver.SetText(IDC_SERIF_MEMO, "メモ♡").Click(IDOK);
    EXPECT_EQ(Run(CSerif(0, line)), 1);
    EXPECT_EQ(L"\u2661\u2665\u2764\u2728\u266C\U0001F60A\U0001F3B2 \u0295\u2022\u1D25\u2022\u0294 "
              L"(\u25D5\u203F\u25D5) \U00020BB7\u301C",
              shown);
    EXPECT_EQ(line, m_Dialog.GetSerif().m_Text);
    EXPECT_EQ("メモ♡", m_Dialog.GetSerif().m_Memo);
    EXPECT_EQ(0, m_Dialog.GetSerif().m_CastId);
}

TEST_F(SerifDlgTest, ACastNamedWithSpacesIsNotMistakenForAnother)
{
    // Possible only from a file: " A" and "A" are different casts.
    m_Script.AddCast(CCast(3, "A"));
    m_Script.AddCast(CCast(4, " A"));
    Choose(" A");
    m_Driver.SetText(IDC_SERIF_TEXT, "spoken by the spaced one").Click(IDOK);
    EXPECT_EQ(Run(CSerif(3, "")), 1);
    EXPECT_EQ(m_Dialog.GetSerif().m_CastId, 4);
    EXPECT_EQ(m_Dialog.GetSerif().m_Text, "spoken by the spaced one");
}

TEST_F(SerifDlgTest, CancelKeepsTheCopyAsGiven)
{
    m_Script.AddCast(CCast(0, "A"));
    m_Script.AddCast(CCast(1, "B"));
    Choose("B");
    m_Driver.SetText(IDC_SERIF_TEXT, "changed").Click(IDCANCEL);
    EXPECT_EQ(Run(CSerif(0, "given", "memo")), 0);
    EXPECT_EQ(m_Dialog.GetSerif().m_CastId, 0);
    EXPECT_EQ(m_Dialog.GetSerif().m_Text, "given");
    EXPECT_EQ(m_Dialog.GetSerif().m_Memo, "memo");
}

TEST_F(SerifDlgTest, TheCastBoxCannotBeTypedInto)
{
    m_Script.AddCast(CCast(0, "A"));
    LONG_PTR editStyle = 0;
    m_Driver.OnDialog([&](HWND dialog) {
        HWND edit = GetWindow(GetDlgItem(dialog, IDC_SERIF_CAST), GW_CHILD);
        editStyle = GetWindowLongPtrA(edit, GWL_STYLE);
    });
    m_Driver.Click(IDCANCEL);
    EXPECT_EQ(Run(CSerif()), 0);
    EXPECT_TRUE(editStyle & ES_READONLY);
}

TEST(SerifDlgWithoutScenario, OkEndsWithOneAndKeepsTheCopy)
{
    CSerifDlg dialog;
    dialog.Setup(nullptr, CSerif(3, "given"), "セリフ追加");
    CDialogDriver driver;
    int items = -1;
    driver.OnDialog(
        [&](HWND window) { items = Probe::ItemCount(GetDlgItem(window, IDC_SERIF_CAST)); });
    driver.SetText(IDC_SERIF_TEXT, "typed").Click(IDOK);
    EXPECT_EQ(driver.Play([&] { return dialog.DoModal(nullptr, IDD_SERIF); }), 1);
    EXPECT_EQ(items, 0);
    EXPECT_EQ(dialog.GetSerif().m_CastId, 3);
    EXPECT_EQ(dialog.GetSerif().m_Text, "given");
}
