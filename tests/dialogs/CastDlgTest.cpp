// The cast dialog, played from inside the test: change, add and delete on
// the working copy; OK writes back and removes the deleted members' serifs,
// Cancel leaves the scenario as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlProbe.h"
#include "dialogs/CastDlg.h"
#include "res/DialogRes.h"
#include "tests/support/DialogDriver.h"

namespace
{
const char kBadName[] = "空白、同名は登録できません。";

std::string DeleteQuestion(const std::string& name)
{
    return "キャスト名「" + name + "」を削除します。\n同セリフも全削除されます。\nよろしいですか？";
}

struct CCastRow
{
    int32_t m_Id;
    std::string m_Name;
    std::string m_Memo;
    bool operator==(const CCastRow& o) const
    {
        return m_Id == o.m_Id && m_Name == o.m_Name && m_Memo == o.m_Memo;
    }
};

std::ostream& operator<<(std::ostream& out, const CCastRow& row)
{
    return out << "{" << row.m_Id << ", " << row.m_Name << ", " << row.m_Memo << "}";
}

std::vector<CCastRow> Casts(const CScript& script)
{
    std::vector<CCastRow> rows;
    for (const CCast& cast : script.GetCasts())
        rows.push_back({cast.m_Id, cast.m_Name, cast.m_Memo});
    return rows;
}

std::vector<std::string> SerifTexts(const CScript& script)
{
    std::vector<std::string> texts;
    for (const CSerif& serif : script.GetSerifs())
        texts.push_back(serif.m_Text);
    return texts;
}

class CastDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_Script.AddCast(CCast(0, "A", "am"));
        m_Script.AddCast(CCast(1, "B", "bm"));
        m_Script.AddCast(CCast(2, "C", "cm"));
        m_Script.AddSerif(CSerif(0, "s1"));
        m_Script.AddSerif(CSerif(1, "s2"));
        m_Script.AddSerif(CSerif(2, "s3"));
        m_Script.AddSerif(CSerif(0, "s4"));
        m_Script.AddSerif(CSerif(2, "s5"));
        m_Script.AddSerif(CSerif(1, "s6"));
    }

    INT_PTR Run()
    {
        m_Dialog.Setup(&m_Script, "キャスト編集");
        return m_Driver.Play([this] { return m_Dialog.DoModal(nullptr, IDD_CAST); });
    }

    // Selects the row showing `name`, which fills the boxes.
    CDialogDriver& SelectName(const std::string& name)
    {
        return m_Driver.OnDialog([name](HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_CAST_LIST);
            const int row = Probe::FindRow(list, name);
            ASSERT_GE(row, 0) << name;
            Probe::SelectRow(list, row);
        });
    }

    CDialogDriver& Type(const std::string& name, const std::string& memo)
    {
        return m_Driver.SetText(IDC_CAST_NAME, name).SetText(IDC_CAST_MEMO, memo);
    }

    void ExpectBadNameBox(size_t index)
    {
        ASSERT_LT(index, m_Driver.Seen().size());
        EXPECT_EQ(m_Driver.Seen()[index].m_Caption, "エラー");
        EXPECT_EQ(m_Driver.Seen()[index].m_Text, kBadName);
    }

    CScript m_Script;
    CCastDlg m_Dialog;
    CDialogDriver m_Driver;
};
}  // namespace

TEST_F(CastDlgTest, ListsEveryMemberWithItsMemoAndShowsTheSelectedOne)
{
    std::vector<std::string> rows;
    std::string name, memo, caption;
    SelectName("C");
    m_Driver.OnDialog([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_CAST_LIST);
        for (int row = 0; row < Probe::RowCount(list); ++row)
            rows.push_back(Probe::RowText(list, row, 0) + "/" + Probe::RowText(list, row, 1) + "/" +
                           std::to_string(Probe::RowData(list, row)));
        name = CDialogDriver::Text(GetDlgItem(dialog, IDC_CAST_NAME));
        memo = CDialogDriver::Text(GetDlgItem(dialog, IDC_CAST_MEMO));
        caption = CDialogDriver::Text(dialog);
    });
    m_Driver.Click(IDCANCEL);

    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(rows, (std::vector<std::string>{"A/am/0", "B/bm/1", "C/cm/2"}));
    EXPECT_EQ(name, "C");
    EXPECT_EQ(memo, "cm");
    EXPECT_EQ(caption, "キャスト編集");
}

TEST_F(CastDlgTest, AddGivesTheNextIdAndTheRowSortsWithItsOwnMemo)
{
    std::string firstRow, typed;
    int selected = -2;
    SelectName("B");
    Type("  0zero ", " m0 ").Click(IDC_CAST_ADD);
    m_Driver.OnDialog([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_CAST_LIST);
        firstRow = Probe::RowText(list, 0, 0) + "/" + Probe::RowText(list, 0, 1) + "/" +
                   std::to_string(Probe::RowData(list, 0));
        selected = Probe::SelectedRow(list);
        typed = CDialogDriver::Text(GetDlgItem(dialog, IDC_CAST_NAME));
    });
    m_Driver.Click(IDOK);

    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(firstRow, "0zero/m0/3");
    // The boxes keep what was typed, and the selection stays on B (now row 2).
    EXPECT_EQ(typed, "  0zero ");
    EXPECT_EQ(selected, 2);
    EXPECT_EQ(Casts(m_Script),
              (std::vector<CCastRow>{
                  {0, "A", "am"}, {1, "B", "bm"}, {2, "C", "cm"}, {3, "0zero", "m0"}}));
    EXPECT_EQ(SerifTexts(m_Script).size(), 6u);
}

TEST_F(CastDlgTest, AddRefusesBlankAndDuplicateNames)
{
    Type("    ", "x").Click(IDC_CAST_ADD).Answer(IDOK);
    Type("", "x").Click(IDC_CAST_ADD).Answer(IDOK);
    Type("B", "x").Click(IDC_CAST_ADD).Answer(IDOK);
    Type("  B ", "x").Click(IDC_CAST_ADD).Answer(IDOK);
    std::string typed;
    m_Driver.OnDialog(
        [&](HWND dialog) { typed = CDialogDriver::Text(GetDlgItem(dialog, IDC_CAST_NAME)); });
    // Names that differ in case are different names.
    Type("b", "lower").Click(IDC_CAST_ADD).Click(IDOK);

    EXPECT_EQ(Run(), 1);
    ASSERT_EQ(m_Driver.Seen().size(), 4u);
    for (size_t i = 0; i < 4; ++i)
        ExpectBadNameBox(i);
    EXPECT_EQ(typed, "  B ");
    EXPECT_EQ(
        Casts(m_Script),
        (std::vector<CCastRow>{{0, "A", "am"}, {1, "B", "bm"}, {2, "C", "cm"}, {3, "b", "lower"}}));
}

TEST_F(CastDlgTest, ChangeRenamesTheSelectedMemberWhereItsRowStands)
{
    std::vector<std::string> rows;
    SelectName("A");
    Type(" Z ", " zm ").Click(IDC_CAST_CHANGE);
    m_Driver.OnDialog([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_CAST_LIST);
        for (int row = 0; row < Probe::RowCount(list); ++row)
            rows.push_back(Probe::RowText(list, row, 0) + "/" + Probe::RowText(list, row, 1) + "/" +
                           std::to_string(Probe::RowData(list, row)));
    });
    m_Driver.Click(IDOK);

    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(rows, (std::vector<std::string>{"Z/zm/0", "B/bm/1", "C/cm/2"}));
    EXPECT_EQ(Casts(m_Script),
              (std::vector<CCastRow>{{0, "Z", "zm"}, {1, "B", "bm"}, {2, "C", "cm"}}));
    EXPECT_EQ(SerifTexts(m_Script).size(), 6u);
}

TEST_F(CastDlgTest, ChangeRefusesBlankOrAnotherMembersNameButKeepsItsOwn)
{
    SelectName("B");
    Type("A", "x").Click(IDC_CAST_CHANGE).Answer(IDOK);
    Type("   ", "x").Click(IDC_CAST_CHANGE).Answer(IDOK);
    Type(" C", "x").Click(IDC_CAST_CHANGE).Answer(IDOK);
    Type("B", "new memo").Click(IDC_CAST_CHANGE).Click(IDOK);

    EXPECT_EQ(Run(), 1);
    ASSERT_EQ(m_Driver.Seen().size(), 3u);
    for (size_t i = 0; i < 3; ++i)
        ExpectBadNameBox(i);
    EXPECT_EQ(Casts(m_Script),
              (std::vector<CCastRow>{{0, "A", "am"}, {1, "B", "new memo"}, {2, "C", "cm"}}));
}

TEST_F(CastDlgTest, ChangeOrDeleteWithoutSelectionDoesNothing)
{
    m_Driver.OnDialog([](HWND dialog) { Probe::SelectRow(GetDlgItem(dialog, IDC_CAST_LIST), -1); });
    Type("Q", "q").Click(IDC_CAST_CHANGE).Click(IDC_CAST_DELETE).Click(IDOK);

    EXPECT_EQ(Run(), 1);
    EXPECT_TRUE(m_Driver.Seen().empty());
    EXPECT_EQ(Casts(m_Script),
              (std::vector<CCastRow>{{0, "A", "am"}, {1, "B", "bm"}, {2, "C", "cm"}}));
}

TEST_F(CastDlgTest, DeleteAsksAndOkRemovesTheMembersSerifs)
{
    SelectName("A");
    m_Driver.Click(IDC_CAST_DELETE).Answer(IDYES).Click(IDOK);

    EXPECT_EQ(Run(), 1);
    ASSERT_EQ(m_Driver.Seen().size(), 1u);
    EXPECT_EQ(m_Driver.Seen()[0].m_Caption, "確認");
    EXPECT_EQ(m_Driver.Seen()[0].m_Text, DeleteQuestion("A"));
    EXPECT_TRUE(m_Driver.Seen()[0].m_YesNo);
    EXPECT_EQ(Casts(m_Script), (std::vector<CCastRow>{{1, "B", "bm"}, {2, "C", "cm"}}));
    EXPECT_EQ(SerifTexts(m_Script), (std::vector<std::string>{"s2", "s3", "s5", "s6"}));
}

TEST_F(CastDlgTest, DeleteAnsweredNoKeepsTheMember)
{
    int rows = 0;
    SelectName("B");
    m_Driver.Click(IDC_CAST_DELETE).Answer(IDNO);
    m_Driver.OnDialog(
        [&](HWND dialog) { rows = Probe::RowCount(GetDlgItem(dialog, IDC_CAST_LIST)); });
    m_Driver.Click(IDOK);

    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(Casts(m_Script).size(), 3u);
    EXPECT_EQ(SerifTexts(m_Script).size(), 6u);
}

TEST_F(CastDlgTest, DeletingTwoMembersRemovesBothOnesSerifsInOrder)
{
    SelectName("A");
    m_Driver.Click(IDC_CAST_DELETE).Answer(IDYES);
    SelectName("C");
    m_Driver.Click(IDC_CAST_DELETE).Answer(IDYES).Click(IDOK);

    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Casts(m_Script), (std::vector<CCastRow>{{1, "B", "bm"}}));
    EXPECT_EQ(SerifTexts(m_Script), (std::vector<std::string>{"s2", "s6"}));
}

TEST_F(CastDlgTest, IdOfTheDeletedLargestComesBackWithoutItsSerifs)
{
    SelectName("C");
    m_Driver.Click(IDC_CAST_DELETE).Answer(IDYES);
    Type("D", "dm").Click(IDC_CAST_ADD).Click(IDOK);

    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Casts(m_Script),
              (std::vector<CCastRow>{{0, "A", "am"}, {1, "B", "bm"}, {2, "D", "dm"}}));
    EXPECT_EQ(SerifTexts(m_Script), (std::vector<std::string>{"s1", "s2", "s4", "s6"}));
}

TEST_F(CastDlgTest, CancelAfterEditsLeavesTheScenarioUntouched)
{
    SelectName("C");
    m_Driver.Click(IDC_CAST_DELETE).Answer(IDYES);
    SelectName("A");
    Type("Renamed", "").Click(IDC_CAST_CHANGE);
    Type("New", "").Click(IDC_CAST_ADD).Click(IDCANCEL);

    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Casts(m_Script),
              (std::vector<CCastRow>{{0, "A", "am"}, {1, "B", "bm"}, {2, "C", "cm"}}));
    EXPECT_EQ(SerifTexts(m_Script), (std::vector<std::string>{"s1", "s2", "s3", "s4", "s5", "s6"}));
}

TEST_F(CastDlgTest, CloseBoxEndsWithZero)
{
    m_Driver.Click(IDC_CAST_DELETE);  // nothing selected yet: no question
    m_Driver.OnDialog([](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); });
    EXPECT_EQ(Run(), 0);
}

TEST_F(CastDlgTest, DeletingMovesTheSelectionUpOrToTheNewFirstRow)
{
    int afterFirst = -2, afterLast = -2;
    SelectName("A");
    m_Driver.Click(IDC_CAST_DELETE).Answer(IDYES);
    m_Driver.OnDialog(
        [&](HWND dialog) { afterFirst = Probe::SelectedRow(GetDlgItem(dialog, IDC_CAST_LIST)); });
    SelectName("B");
    m_Driver.Click(IDC_CAST_DELETE).Answer(IDYES);
    SelectName("C");
    m_Driver.Click(IDC_CAST_DELETE).Answer(IDYES);
    m_Driver.OnDialog(
        [&](HWND dialog) { afterLast = Probe::SelectedRow(GetDlgItem(dialog, IDC_CAST_LIST)); });
    m_Driver.Click(IDOK);

    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(afterFirst, 0);
    EXPECT_EQ(afterLast, -1);
    EXPECT_TRUE(m_Script.GetCasts().empty());
    EXPECT_TRUE(m_Script.GetSerifs().empty());
}

TEST_F(CastDlgTest, NamesAndMemosLongerThan1023BytesAreKeptWhole)
{
    const std::string longName(1500, 'n');
    const std::string longMemo = std::string(1200, 'm') + "メモ";
    Type(longName, longMemo).Click(IDC_CAST_ADD);
    SelectName("B");
    Type("B", std::string(3000, 'b')).Click(IDC_CAST_CHANGE);
    SelectName("C");
    m_Driver.Click(IDC_CAST_DELETE).Answer(IDNO).Click(IDOK);

    EXPECT_EQ(Run(), 1);
    ASSERT_EQ(m_Script.GetCasts().size(), 4u);
    EXPECT_EQ(m_Script.GetCasts()[3].m_Name, longName);
    EXPECT_EQ(m_Script.GetCasts()[3].m_Memo, longMemo);
    EXPECT_EQ(m_Script.GetCasts()[1].m_Memo, std::string(3000, 'b'));
}

TEST_F(CastDlgTest, SetupForgetsTheDeletionsOfACancelledRun)
{
    SelectName("A");
    m_Driver.Click(IDC_CAST_DELETE).Answer(IDYES).Click(IDCANCEL);
    EXPECT_EQ(Run(), 0);

    m_Driver.Clear();
    m_Driver.Click(IDOK);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Casts(m_Script).size(), 3u);
    EXPECT_EQ(SerifTexts(m_Script).size(), 6u);
}

TEST(CastDlgWithoutScenario, ShowsNothingAndOkEndsWithOne)
{
    CCastDlg dialog;
    dialog.Setup(nullptr, "キャスト編集");
    CDialogDriver driver;
    int rows = -1;
    driver.OnDialog(
        [&](HWND window) { rows = Probe::RowCount(GetDlgItem(window, IDC_CAST_LIST)); });
    driver.SetText(IDC_CAST_NAME, "X").Click(IDC_CAST_ADD).Click(IDOK);
    EXPECT_EQ(driver.Play([&] { return dialog.DoModal(nullptr, IDD_CAST); }), 1);
    EXPECT_EQ(rows, 0);
}

// The format box: the usual formats offered in order, a member's own shown
// when its row is selected, a typed or chosen one taken by Change and Add
// (trimmed like the memo), and written back on OK only.
TEST_F(CastDlgTest, FormatBoxOffersTheUsualFormatsAndKeepsATypedOne)
{
    std::vector<CCast> casts = m_Script.GetCasts();
    casts[1].m_Format = "{name}: {text}";
    m_Script.ReplaceCasts(casts);
    // Cancel first: it leaves the scenario as the OK run needs it.
    for (const int button : {IDCANCEL, IDOK}) {
        std::vector<std::string> choices;
        std::string shownB, shownA;
        m_Driver.Clear();
        m_Driver.OnDialog([&](HWND dialog) {
            HWND box = GetDlgItem(dialog, IDC_CAST_FORMAT);
            for (int i = 0; i < Probe::ItemCount(box); ++i) {
                const LRESULT length = SendMessageA(box, CB_GETLBTEXTLEN, i, 0);
                std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
                SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
                choices.push_back(text.data());
            }
        });
        SelectName("B");
        m_Driver.OnDialog([&](HWND dialog) {
            shownB = CDialogDriver::Text(GetDlgItem(dialog, IDC_CAST_FORMAT));
        });
        SelectName("A");
        m_Driver.OnDialog([&](HWND dialog) {
            shownA = CDialogDriver::Text(GetDlgItem(dialog, IDC_CAST_FORMAT));
        });
        m_Driver.SetText(IDC_CAST_FORMAT, "  > {name} < {text}  ").Click(IDC_CAST_CHANGE);
        Type("D", "dm").SelectItem(IDC_CAST_FORMAT, "【{name}】{text}").Click(IDC_CAST_ADD);
        m_Driver.Click(button);

        EXPECT_EQ(Run(), button == IDOK ? 1 : 0);
        EXPECT_EQ(choices, (std::vector<std::string>{"", "{name}「{text}」", "{name}: {text}",
                                                     "【{name}】{text}"}));
        EXPECT_EQ(shownB, "{name}: {text}");
        EXPECT_EQ(shownA, "");
        std::vector<std::string> formats;
        for (const CCast& cast : m_Script.GetCasts())
            formats.push_back(cast.m_Format);
        if (button == IDOK)
            EXPECT_EQ(formats, (std::vector<std::string>{"> {name} < {text}", "{name}: {text}", "",
                                                         "【{name}】{text}"}));
        else
            EXPECT_EQ(formats, (std::vector<std::string>{"", "{name}: {text}", ""}));
    }
}
