#include "wnd/ListView.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlsSupport.h"

namespace
{

// The serif list's shape: cast name, serif text and memo, one row each.
class ListViewTest : public ::testing::Test
{
protected:
    void SetUp() override { Make(LVS_SINGLESEL, 0); }

    void Make(DWORD style, DWORD extended)
    {
        if (m_List && m_List->IsBound())
            DestroyWindow(m_List->GetHandle());
        m_List.reset(new CListView);
        ASSERT_EQ(
            1, m_List->CreateChild(WC_LISTVIEWA, "",
                                   WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | style,
                                   0, 0, 0, 400, 300, m_Parent.Get(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(20000))));
        if (extended)
            m_List->AddExtendedStyle(extended);
        ASSERT_EQ(1, m_List->InsertColumn("キャスト", 80, 0));
        ASSERT_EQ(1, m_List->InsertColumn("台詞", 200, 1));
        ASSERT_EQ(1, m_List->InsertColumn("メモ", 100, 2));
    }

    // Appends a row "<name>" / "<name>-text" / "<name>-memo" with the data.
    void AddRow(const std::string& name, LPARAM data)
    {
        const int row = m_List->InsertItem(name.c_str(), m_List->GetItemCount(), 0, -1, data);
        ASSERT_GE(row, 0);
        m_List->SetItemText(row, 1, (name + "-text").c_str());
        m_List->SetItemText(row, 2, (name + "-memo").c_str());
    }

    void AddRows(int count)
    {
        for (int i = 0; i < count; ++i)
            AddRow(std::string(1, static_cast<char>('A' + i)), 100 + i);
    }

    std::string Cell(int row, int column)
    {
        std::string text;
        m_List->GetFullItemText(row, column, text);
        return text;
    }

    // Each row as "name|text|memo|data".
    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        for (int row = 0; row < m_List->GetItemCount(); ++row)
            rows.push_back(Cell(row, 0) + "|" + Cell(row, 1) + "|" + Cell(row, 2) + "|" +
                           std::to_string(m_List->GetItemData(row)));
        return rows;
    }

    std::vector<int> SelectedRows()
    {
        std::vector<int> rows;
        for (int row = 0; row < m_List->GetItemCount(); ++row)
            if (m_List->Send(LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED)
                rows.push_back(row);
        return rows;
    }

    ctltest::CTestWindow m_Parent;
    std::unique_ptr<CListView> m_List;
};

TEST_F(ListViewTest, InsertColumnCountsOnlyAcceptedColumns)
{
    EXPECT_EQ(3, m_List->GetColumnCount());
    CListView unbound;
    EXPECT_EQ(0, unbound.InsertColumn("x", 10, 0));
    EXPECT_EQ(0, unbound.GetColumnCount());
}

TEST_F(ListViewTest, InsertItemKeepsTextDataAndImage)
{
    EXPECT_EQ(0, m_List->InsertItem("太郎", 0, 0, -1, 7));
    EXPECT_EQ(0, m_List->InsertItem("花子", 0, 0, 3, -5));
    EXPECT_EQ("花子", Cell(0, 0));
    EXPECT_EQ(-5, m_List->GetItemData(0));
    EXPECT_EQ(7, m_List->GetItemData(1));
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = 0;
    m_List->Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(3, item.iImage);
}

TEST_F(ListViewTest, SelectPastEndChangesNothing)
{
    AddRows(3);
    ASSERT_EQ(1, m_List->Select(1));
    EXPECT_EQ(0, m_List->Select(3));
    EXPECT_EQ(0, m_List->Select(100));
    EXPECT_EQ(std::vector<int>{1}, SelectedRows());
}

TEST_F(ListViewTest, SelectNegativeSelectsEveryRowOfMultiSelectList)
{
    Make(0, 0);
    AddRows(3);
    EXPECT_EQ(1, m_List->Select(-1));
    EXPECT_EQ((std::vector<int>{0, 1, 2}), SelectedRows());
}

TEST_F(ListViewTest, GetSelectedGivesFirstSelectedOrMinusOne)
{
    AddRows(3);
    EXPECT_EQ(-1, m_List->GetSelected());
    m_List->Select(2);
    EXPECT_EQ(2, m_List->GetSelected());
}

TEST_F(ListViewTest, ItemDataGuardsIndexes)
{
    AddRows(2);
    EXPECT_EQ(0, m_List->GetItemData(-1));
    EXPECT_EQ(0, m_List->GetItemData(2));
    EXPECT_EQ(0, m_List->SetItemData(-1, 9));
    EXPECT_NE(0, m_List->SetItemData(1, 42));
    EXPECT_EQ(42, m_List->GetItemData(1));
}

TEST_F(ListViewTest, AddExtendedStyleKeepsEarlierBits)
{
    m_List->AddExtendedStyle(LVS_EX_FULLROWSELECT);
    m_List->AddExtendedStyle(LVS_EX_GRIDLINES);
    const DWORD style = static_cast<DWORD>(m_List->Send(LVM_GETEXTENDEDLISTVIEWSTYLE));
    EXPECT_TRUE(style & LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(style & LVS_EX_GRIDLINES);
}

TEST_F(ListViewTest, ChecksOfListWithCheckBoxes)
{
    Make(LVS_SINGLESEL, LVS_EX_CHECKBOXES);
    AddRows(2);
    EXPECT_EQ(0, m_List->GetCheck(0));
    m_List->SetCheck(1, 1);
    EXPECT_EQ(1, m_List->GetCheck(1));
    EXPECT_EQ(0, m_List->GetCheck(0));
    m_List->SetCheck(1, 0);
    EXPECT_EQ(0, m_List->GetCheck(1));
    EXPECT_EQ(0, m_List->GetCheck(-1));
}

TEST_F(ListViewTest, RowsWithoutCheckBoxGiveMinusOne)
{
    AddRows(1);
    EXPECT_EQ(-1, m_List->GetCheck(0));
}

TEST_F(ListViewTest, CheckOfEmptyListIsZero)
{
    Make(LVS_SINGLESEL, LVS_EX_CHECKBOXES);
    EXPECT_EQ(0, m_List->GetCheck(0));
    m_List->SetCheck(0, 1);
    EXPECT_EQ(0, m_List->GetItemCount());
}

TEST_F(ListViewTest, SetItemTextGuardsNegativeIndexes)
{
    AddRows(1);
    EXPECT_EQ(0, m_List->SetItemText(-1, 1, "x"));
    EXPECT_EQ(0, m_List->SetItemText(0, -1, "x"));
    EXPECT_EQ(1, m_List->SetItemText(0, 1, "新しい台詞"));
    EXPECT_EQ("新しい台詞", Cell(0, 1));
    m_List->SetItemTextNoRedraw("名前", 0, 0);
    EXPECT_EQ("名前", Cell(0, 0));
}

TEST_F(ListViewTest, GetItemTextCutsAt255Bytes)
{
    AddRows(1);
    const std::string text(300, 'x');
    m_List->SetItemText(0, 1, text.c_str());
    std::string read;
    EXPECT_EQ(1, m_List->GetItemText(0, 1, read));
    EXPECT_EQ(std::string(255, 'x'), read);
    EXPECT_EQ(0, m_List->GetItemText(-1, 1, read));
    EXPECT_EQ("", read);
    EXPECT_EQ(0, m_List->GetItemText(0, -1, read));
}

namespace
{

std::string Repeat(const std::string& piece, size_t count)
{
    std::string out;
    for (size_t i = 0; i < count; ++i)
        out += piece;
    return out;
}

}  // namespace

TEST_F(ListViewTest, GetItemTextCutsBetweenCharactersAtTheShiftJisWidth)
{
    AddRows(1);
    // A kanji counts 2 as in Shift_JIS, so 127 of them are 254 wide; an
    // emoji counts 2 as well, and a mark stays with its letter.
    const struct
    {
        std::string m_Text;
        std::string m_Read;
    } cases[] = {
        {Repeat("表", 150), Repeat("表", 127)},
        {"a" + Repeat("😊", 130), "a" + Repeat("😊", 127)},
        {Repeat("x", 254) + "e\u0301", Repeat("x", 254)},
        {Repeat("ｶ", 300), Repeat("ｶ", 255)},
    };
    for (const auto& c : cases) {
        m_List->SetItemText(0, 1, c.m_Text.c_str());
        std::string read;
        m_List->GetItemText(0, 1, read);
        EXPECT_EQ(c.m_Read, read);
    }
}

TEST_F(ListViewTest, GetFullItemTextReadsLongTextWhole)
{
    AddRows(1);
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += static_cast<char>('a' + i % 26);
    m_List->SetItemText(0, 1, text.c_str());
    EXPECT_EQ(text, Cell(0, 1));
}

TEST_F(ListViewTest, MoveSelectedUpOnFirstRowChangesNothing)
{
    AddRows(3);
    const std::vector<std::string> before = Rows();
    m_List->Select(0);
    EXPECT_FALSE(m_List->MoveSelectedUp());
    EXPECT_EQ(before, Rows());
    EXPECT_EQ(0, m_List->GetSelected());
}

TEST_F(ListViewTest, MoveSelectedDownOnLastRowChangesNothing)
{
    AddRows(3);
    const std::vector<std::string> before = Rows();
    m_List->Select(2);
    EXPECT_FALSE(m_List->MoveSelectedDown());
    EXPECT_EQ(before, Rows());
    EXPECT_EQ(2, m_List->GetSelected());
}

TEST_F(ListViewTest, MoveWithoutSelectionChangesNothing)
{
    AddRows(3);
    const std::vector<std::string> before = Rows();
    EXPECT_FALSE(m_List->MoveSelectedUp());
    EXPECT_FALSE(m_List->MoveSelectedDown());
    EXPECT_EQ(before, Rows());
}

TEST_F(ListViewTest, MoveSelectedUpCarriesWholeRowAndSelection)
{
    AddRows(3);
    m_List->Select(2);
    EXPECT_TRUE(m_List->MoveSelectedUp());
    EXPECT_EQ((std::vector<std::string>{"A|A-text|A-memo|100", "C|C-text|C-memo|102",
                                        "B|B-text|B-memo|101"}),
              Rows());
    EXPECT_EQ(std::vector<int>{1}, SelectedRows());
}

TEST_F(ListViewTest, MoveSelectedDownCarriesWholeRowAndSelection)
{
    AddRows(3);
    m_List->Select(0);
    EXPECT_TRUE(m_List->MoveSelectedDown());
    EXPECT_TRUE(m_List->MoveSelectedDown());
    EXPECT_EQ((std::vector<std::string>{"B|B-text|B-memo|101", "C|C-text|C-memo|102",
                                        "A|A-text|A-memo|100"}),
              Rows());
    EXPECT_EQ(std::vector<int>{2}, SelectedRows());
}

TEST_F(ListViewTest, SwapItemsKeepsCheckBoxWithItsRow)
{
    Make(LVS_SINGLESEL, LVS_EX_CHECKBOXES);
    AddRows(3);
    m_List->SetCheck(0, 1);
    ASSERT_TRUE(m_List->SwapItems(0, 2));
    EXPECT_EQ(0, m_List->GetCheck(0));
    EXPECT_EQ(1, m_List->GetCheck(2));
    EXPECT_EQ("A|A-text|A-memo|100", Rows()[2]);
}

TEST_F(ListViewTest, SwapItemsLeavesRowsWithoutCheckBoxWithout)
{
    AddRows(2);
    ASSERT_TRUE(m_List->SwapItems(0, 1));
    EXPECT_EQ(-1, m_List->GetCheck(0));
    EXPECT_EQ(-1, m_List->GetCheck(1));
}

TEST_F(ListViewTest, SwapItemsExchangesLongTextsWhole)
{
    AddRows(2);
    const std::string longName(400, 'n');
    const std::string longText(2000, 't');
    m_List->SetItemText(0, 0, longName.c_str());
    m_List->SetItemText(0, 1, longText.c_str());
    ASSERT_TRUE(m_List->SwapItems(0, 1));
    EXPECT_EQ(longName, Cell(1, 0));
    EXPECT_EQ(longText, Cell(1, 1));
    EXPECT_EQ("B-text", Cell(0, 1));
}

TEST_F(ListViewTest, SwapItemsRefusesBadIndexes)
{
    AddRows(2);
    const std::vector<std::string> before = Rows();
    EXPECT_FALSE(m_List->SwapItems(-1, 0));
    EXPECT_FALSE(m_List->SwapItems(0, -1));
    EXPECT_FALSE(m_List->SwapItems(1, 1));
    EXPECT_FALSE(m_List->SwapItems(0, 2));
    EXPECT_EQ(before, Rows());
}

TEST_F(ListViewTest, SwapItemsExchangesOnlyCountedColumns)
{
    // A fourth column added past the wrapper is not counted, so its texts stay.
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 50;
    column.pszText = const_cast<char*>("extra");
    ASSERT_EQ(3, m_List->Send(LVM_INSERTCOLUMNA, 3, reinterpret_cast<LPARAM>(&column)));
    AddRows(2);
    m_List->SetItemText(0, 3, "x0");
    m_List->SetItemText(1, 3, "x1");
    ASSERT_TRUE(m_List->SwapItems(0, 1));
    EXPECT_EQ("B|B-text|B-memo|101", Rows()[0]);
    EXPECT_EQ("x0", Cell(0, 3));
    EXPECT_EQ("x1", Cell(1, 3));
}

TEST_F(ListViewTest, DeleteItemOfRowZeroSelectsNewRowZero)
{
    AddRows(3);
    ASSERT_NE(0, m_List->DeleteItem(0));
    EXPECT_EQ(2, m_List->GetItemCount());
    EXPECT_EQ("B|B-text|B-memo|101", Rows()[0]);
    EXPECT_EQ(std::vector<int>{0}, SelectedRows());
}

TEST_F(ListViewTest, DeleteItemSelectsRowAbove)
{
    AddRows(3);
    ASSERT_NE(0, m_List->DeleteItem(2));
    EXPECT_EQ(std::vector<int>{1}, SelectedRows());
}

TEST_F(ListViewTest, DeleteItemOfOnlyRowSelectsNothing)
{
    AddRows(1);
    ASSERT_NE(0, m_List->DeleteItem(0));
    EXPECT_EQ(0, m_List->GetItemCount());
    EXPECT_EQ(-1, m_List->GetSelected());
}

TEST_F(ListViewTest, DeleteItemGuardsEmptyListAndBadIndexes)
{
    EXPECT_EQ(0, m_List->DeleteItem(0));
    AddRows(2);
    m_List->Select(1);
    EXPECT_EQ(0, m_List->DeleteItem(-1));
    EXPECT_EQ(0, m_List->DeleteItem(2));
    EXPECT_EQ(2, m_List->GetItemCount());
    EXPECT_EQ(std::vector<int>{1}, SelectedRows());
}

TEST_F(ListViewTest, EnsureVisibleScrollsRowIntoView)
{
    AddRows(20);
    for (int i = 0; i < 80; ++i)
        AddRow("r", i);
    const int perPage = m_List->GetCountPerPage();
    ASSERT_GT(perPage, 0);
    ASSERT_LT(perPage, 100);
    EXPECT_TRUE(m_List->EnsureVisible(99, false));
    const int top = static_cast<int>(m_List->Send(LVM_GETTOPINDEX));
    EXPECT_LE(top, 99);
    EXPECT_GT(top + perPage, 99);
}

TEST(CListView, UnboundActsOnNothing)
{
    CListView list;
    std::string text = "x";
    EXPECT_EQ(0, list.Select(-1));
    EXPECT_EQ(-1, list.GetSelected());
    EXPECT_EQ(-1, list.InsertItem("a", 0, 0, -1, 0));
    EXPECT_EQ(0, list.SetItemText(0, 0, "a"));
    EXPECT_EQ(0, list.GetItemText(0, 0, text));
    EXPECT_EQ("", text);
    EXPECT_EQ(0, list.SetItemData(0, 1));
    EXPECT_EQ(0, list.DeleteItem(0));
    EXPECT_FALSE(list.SwapItems(0, 1));
    EXPECT_FALSE(list.MoveSelectedDown());
}

TEST(CListView, ImageListStartsEmpty)
{
    CListView list;
    EXPECT_EQ(nullptr, list.GetImageList().GetHandle());
    EXPECT_EQ(0, list.GetColumnCount());
}

}  // namespace
