#include "wnd/ComboBox.h"

#include <gtest/gtest.h>

#include <string>

#include "ControlsSupport.h"

namespace
{

class ComboBoxTest : public ::testing::Test
{
protected:
    void MakeCombo(DWORD type)
    {
        ASSERT_EQ(1, m_Combo.Create(m_Parent.Get(), "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | type,
                                    0, 10, 10, 150, 24, 20002));
    }

    ctltest::CTestWindow m_Parent;
    CComboBox m_Combo;
};

TEST_F(ComboBoxTest, CreateMakesBoundComboBoxChild)
{
    MakeCombo(CBS_DROPDOWNLIST);
    char className[32] = {};
    GetClassNameA(m_Combo.GetHandle(), className, sizeof(className));
    EXPECT_EQ(0, lstrcmpiA("ComboBox", className));
    EXPECT_EQ(20002, m_Combo.GetId());
    EXPECT_EQ(0, m_Combo.Create(m_Parent.Get(), "", WS_CHILD, 0, 0, 0, 10, 10, 3));
}

TEST_F(ComboBoxTest, CreateMakesDropDownShowTenItems)
{
    MakeCombo(CBS_DROPDOWNLIST);
    for (int i = 0; i < 30; ++i)
        m_Combo.AddString("item");
    RECT closed;
    GetWindowRect(m_Combo.GetHandle(), &closed);
    // The position stays where it was asked for, in the parent's coordinates.
    POINT origin = {closed.left, closed.top};
    ScreenToClient(m_Parent.Get(), &origin);
    EXPECT_EQ(10, origin.x);
    EXPECT_EQ(10, origin.y);

    // Measured on the open list itself: CB_GETDROPPEDCONTROLRECT reaches from
    // the top of the combo box on Windows but from the top of the list on Wine.
    m_Combo.Send(CB_SHOWDROPDOWN, TRUE);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(m_Combo.GetHandle(), &info));
    RECT list;
    GetWindowRect(info.hwndList, &list);
    const int itemHeight = static_cast<int>(m_Combo.Send(CB_GETITEMHEIGHT, 0));
    m_Combo.Send(CB_SHOWDROPDOWN, FALSE);
    ASSERT_GT(itemHeight, 0);
    EXPECT_EQ(10 * itemHeight + 2, list.bottom - list.top);
}

TEST_F(ComboBoxTest, GetItemTextReadsItemsAndSelection)
{
    MakeCombo(CBS_DROPDOWNLIST);
    m_Combo.AddString("太郎");
    m_Combo.AddString("花子");
    EXPECT_STREQ("花子", m_Combo.GetItemText(1));
    EXPECT_EQ(CB_ERR, m_Combo.GetCurSel());
    EXPECT_STREQ("", m_Combo.GetSelectedText());
    EXPECT_EQ(0, m_Combo.SetCurSel(0));
    EXPECT_STREQ("太郎", m_Combo.GetSelectedText());
}

TEST_F(ComboBoxTest, GetItemTextOfInvalidIndexIsEmpty)
{
    MakeCombo(CBS_DROPDOWNLIST);
    m_Combo.AddString("one");
    EXPECT_STREQ("one", m_Combo.GetItemText(0));
    EXPECT_STREQ("", m_Combo.GetItemText(1));
    EXPECT_STREQ("", m_Combo.GetItemText(-1));
}

TEST_F(ComboBoxTest, GetItemTextReadsItemsOf1024BytesAndMoreWhole)
{
    MakeCombo(CBS_DROPDOWNLIST);
    const std::string exact(1024, 'a');
    std::string longName;
    for (int i = 0; i < 1500; ++i)
        longName += static_cast<char>('a' + i % 26);
    m_Combo.AddString(exact.c_str());
    m_Combo.AddString(longName.c_str());
    m_Combo.AddString("short");
    EXPECT_EQ(exact, m_Combo.GetItemText(0));
    EXPECT_EQ(longName, m_Combo.GetItemText(1));
    EXPECT_EQ("short", std::string(m_Combo.GetItemText(2)));
}

TEST_F(ComboBoxTest, GetItemTextReadsLongItemOfAnyCharactersWhole)
{
    MakeCombo(CBS_DROPDOWNLIST);
    std::string name;
    for (int i = 0; i < 700; ++i)
        name += "表ソ♡😊";
    m_Combo.AddString(name.c_str());
    EXPECT_EQ(name, m_Combo.GetItemText(0));
}

TEST_F(ComboBoxTest, SetCurSelOutOfRangeFailsAndMinusOneClears)
{
    MakeCombo(CBS_DROPDOWNLIST);
    m_Combo.AddString("a");
    m_Combo.SetCurSel(0);
    // Windows also clears the selection here; Wine keeps it.
    EXPECT_EQ(CB_ERR, m_Combo.SetCurSel(5));
    EXPECT_EQ(CB_ERR, m_Combo.SetCurSel(-1));
    EXPECT_EQ(CB_ERR, m_Combo.GetCurSel());
}

TEST_F(ComboBoxTest, FindStringExactOrByPrefixAfterStartAndWrapping)
{
    MakeCombo(CBS_DROPDOWNLIST);
    m_Combo.AddString("abc");
    m_Combo.AddString("abd");
    m_Combo.AddString("ab");
    EXPECT_EQ(0, m_Combo.FindString("ab", -1, false));
    EXPECT_EQ(1, m_Combo.FindString("ab", 0, false));
    EXPECT_EQ(2, m_Combo.FindString("ab", -1, true));
    EXPECT_EQ(0, m_Combo.FindString("abc", 1, true));  // wraps past the end
    EXPECT_EQ(CB_ERR, m_Combo.FindString("x", -1, false));
    EXPECT_EQ(CB_ERR, m_Combo.FindString("abcd", -1, true));
    EXPECT_EQ(CB_ERR, m_Combo.FindString(nullptr, -1, true));
}

TEST_F(ComboBoxTest, SetEditReadOnlyReachesEditOfDropDown)
{
    MakeCombo(CBS_DROPDOWN);
    HWND edit = GetWindow(m_Combo.GetHandle(), GW_CHILD);
    ASSERT_NE(nullptr, edit);
    EXPECT_NE(0, m_Combo.SetEditReadOnly(true));
    EXPECT_TRUE(GetWindowLongPtrA(edit, GWL_STYLE) & ES_READONLY);
    EXPECT_NE(0, m_Combo.SetEditReadOnly(false));
    EXPECT_FALSE(GetWindowLongPtrA(edit, GWL_STYLE) & ES_READONLY);
}

TEST_F(ComboBoxTest, SetEditReadOnlyFindsEditBesideListOfSimpleCombo)
{
    MakeCombo(CBS_SIMPLE);
    EXPECT_NE(0, m_Combo.SetEditReadOnly(true));
    HWND child = GetWindow(m_Combo.GetHandle(), GW_CHILD);
    int readOnlyEdits = 0;
    for (; child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[16] = {};
        GetClassNameA(child, className, sizeof(className));
        if (lstrcmpiA(className, "Edit") == 0 &&
            (GetWindowLongPtrA(child, GWL_STYLE) & ES_READONLY))
            ++readOnlyEdits;
    }
    EXPECT_EQ(1, readOnlyEdits);
}

TEST_F(ComboBoxTest, SetEditReadOnlyWithoutEditDoesNothing)
{
    MakeCombo(CBS_DROPDOWNLIST);
    EXPECT_EQ(0, m_Combo.SetEditReadOnly(true));
}

TEST(CComboBox, UnboundDoesNothing)
{
    CComboBox combo;
    EXPECT_STREQ("", combo.GetItemText(0));
    EXPECT_EQ(0, combo.SetDropDownHeight());
    EXPECT_EQ(0, combo.SetEditReadOnly(true));
}

}  // namespace
