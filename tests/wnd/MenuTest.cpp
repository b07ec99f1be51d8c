// CMenu on menus loaded from the test resources and built at run time.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "WndCoreResources.h"
#include "WndCoreSupport.h"
#include "wnd/Menu.h"

namespace
{

HMENU LoadTestMenu()
{
    return LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDM_WNDTEST_MENU));
}

std::string ItemText(HMENU menu, UINT position)
{
    char text[128] = {};
    GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    return text;
}

class CMenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_Menu.SetHandle(LoadTestMenu());
        ASSERT_NE(nullptr, m_Menu.GetHandle());
    }
    HMENU Sub(int position) { return GetSubMenu(m_Menu.GetHandle(), position); }

    CMenu m_Menu;
};

TEST_F(CMenuTest, CheckIsReadBackByIsChecked)
{
    EXPECT_FALSE(m_Menu.IsChecked(IDM_WNDTEST_MONITOR));
    m_Menu.Check(IDM_WNDTEST_MONITOR, true);
    EXPECT_TRUE(m_Menu.IsChecked(IDM_WNDTEST_MONITOR));
    EXPECT_NE(0u, GetMenuState(Sub(0), IDM_WNDTEST_MONITOR, MF_BYCOMMAND) & MF_CHECKED);
    m_Menu.Check(IDM_WNDTEST_MONITOR, false);
    EXPECT_FALSE(m_Menu.IsChecked(IDM_WNDTEST_MONITOR));
    // Checked in the resource.
    EXPECT_TRUE(m_Menu.IsChecked(IDM_WNDTEST_RETURN));
}

TEST_F(CMenuTest, MissingItemIsNotChecked)
{
    EXPECT_FALSE(m_Menu.IsChecked(9999));
    CMenu empty;
    EXPECT_FALSE(empty.IsChecked(IDM_WNDTEST_RETURN));
}

TEST_F(CMenuTest, InsertItemWithoutAMenuGoesIntoTheFirstSubMenu)
{
    ASSERT_TRUE(m_Menu.InsertItem("履歴の項目", 400, 0, true));
    HMENU file = Sub(0);
    ASSERT_EQ(3, GetMenuItemCount(file));
    EXPECT_EQ(400u, GetMenuItemID(file, 0));
    EXPECT_EQ("履歴の項目", ItemText(file, 0));
    const UINT state = GetMenuState(file, 0, MF_BYPOSITION);
    EXPECT_EQ(0u, state & (MF_CHECKED | MF_GRAYED | MF_DISABLED));
    EXPECT_EQ(2, GetMenuItemCount(Sub(1)));
}

TEST_F(CMenuTest, InsertItemByCommandGoesBeforeThatItem)
{
    ASSERT_TRUE(m_Menu.InsertItem("before monitor", 401, IDM_WNDTEST_MONITOR, false));
    HMENU file = Sub(0);
    ASSERT_EQ(3, GetMenuItemCount(file));
    EXPECT_EQ(static_cast<UINT>(IDM_WNDTEST_OPEN), GetMenuItemID(file, 0));
    EXPECT_EQ(401u, GetMenuItemID(file, 1));
    EXPECT_EQ(static_cast<UINT>(IDM_WNDTEST_MONITOR), GetMenuItemID(file, 2));
}

TEST_F(CMenuTest, InsertItemIntoAGivenMenu)
{
    HMENU edit = Sub(1);
    ASSERT_TRUE(m_Menu.InsertItem("last", 402, 2, true, edit));
    EXPECT_EQ(402u, GetMenuItemID(edit, 2));
    EXPECT_EQ(2, GetMenuItemCount(Sub(0)));
}

TEST_F(CMenuTest, InsertItemWithoutAnySubMenuFails)
{
    CMenu bar;
    ASSERT_TRUE(bar.CreateMenu());
    EXPECT_FALSE(bar.InsertItem("nowhere", 403, 0, true));
    EXPECT_EQ(0, GetMenuItemCount(bar.GetHandle()));
}

TEST_F(CMenuTest, InsertPopupAddsAnEmptyPopup)
{
    ASSERT_TRUE(m_Menu.InsertPopup("最近のファイル", 1));
    ASSERT_EQ(3, GetMenuItemCount(m_Menu.GetHandle()));
    HMENU popup = Sub(1);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(0, GetMenuItemCount(popup));
    EXPECT_EQ("最近のファイル", ItemText(m_Menu.GetHandle(), 1));
    // Items go into it through the popup's handle.
    EXPECT_TRUE(m_Menu.InsertItem("a.xml", 410, 0, true, popup));
    EXPECT_EQ(1, GetMenuItemCount(popup));
}

TEST_F(CMenuTest, InsertPopupIntoAGivenMenu)
{
    HMENU file = Sub(0);
    ASSERT_TRUE(m_Menu.InsertPopup("nested", 2, file));
    EXPECT_NE(nullptr, GetSubMenu(file, 2));
    EXPECT_EQ(2, GetMenuItemCount(m_Menu.GetHandle()));
}

TEST_F(CMenuTest, InsertPopupWithoutAMenuFails)
{
    CMenu empty;
    EXPECT_FALSE(empty.InsertPopup("nothing", 0));
}

TEST_F(CMenuTest, TrackPopupReturnsTheChosenCommand)
{
    wndtest::CPlainWindow owner;
    wndtest::CModalSafetyNet net;
    HWND hOwner = owner.Get();
    wndtest::RunLater([hOwner] {
        PostMessageA(hOwner, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(hOwner, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(hOwner, WM_KEYDOWN, VK_RETURN, 0);
    });
    const BOOL chosen = m_Menu.TrackPopup(hOwner, 1, 100, 100, TPM_RETURNCMD | TPM_NONOTIFY);
    EXPECT_FALSE(net.GaveUp());
    EXPECT_EQ(IDM_WNDTEST_RETURN, chosen);
}

TEST_F(CMenuTest, CancelledPopupReturnsZero)
{
    wndtest::CPlainWindow owner;
    wndtest::CModalSafetyNet net;
    wndtest::RunLater([] { EndMenu(); });
    EXPECT_EQ(0, m_Menu.TrackPopup(owner.Get(), 0, 100, 100, TPM_RETURNCMD | TPM_NONOTIFY));
    EXPECT_FALSE(net.GaveUp());
}

TEST_F(CMenuTest, TrackPopupOfAMissingSubMenuShowsNothing)
{
    wndtest::CPlainWindow owner;
    EXPECT_EQ(0, m_Menu.TrackPopup(owner.Get(), 5, 100, 100, TPM_RETURNCMD));
}

TEST(CMenuHolderTest, DestroyOfAnEmptyHolderReturnsOne)
{
    CMenu menu;
    EXPECT_EQ(1, menu.Destroy());
    EXPECT_EQ(nullptr, menu.GetHandle());
}

TEST(CMenuHolderTest, DestroyEndsTheHeldMenu)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreateMenu());
    HMENU held = menu.GetHandle();
    EXPECT_EQ(1, menu.Destroy());
    EXPECT_FALSE(IsMenu(held));
    EXPECT_EQ(nullptr, menu.GetHandle());
}

TEST(CMenuHolderTest, CreateMenuReplacesTheHeldMenu)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreateMenu());
    HMENU first = menu.GetHandle();
    ASSERT_TRUE(menu.CreateMenu());
    EXPECT_FALSE(IsMenu(first));
    EXPECT_TRUE(IsMenu(menu.GetHandle()));
}

TEST(CMenuHolderTest, SetHandleKeepsTheOldMenu)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreateMenu());
    HMENU first = menu.GetHandle();
    HMENU second = CreateMenu();
    menu.SetHandle(second);
    EXPECT_TRUE(IsMenu(first));
    EXPECT_EQ(second, menu.GetHandle());
    DestroyMenu(first);
}

TEST(CMenuHolderTest, DestructorEndsTheHeldMenu)
{
    HMENU held = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreateMenu());
        held = menu.GetHandle();
    }
    EXPECT_FALSE(IsMenu(held));
}

TEST(CMenuHolderTest, MenuBarGoneWithItsWindowIsNotDestroyedAgain)
{
    // Taken from a window that is destroyed first, as the main window's menu
    // bar is at exit: the holder's destructor must not act on a dead handle.
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, LoadTestMenu(),
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    CMenu menu;
    menu.SetHandle(GetMenu(window));
    ASSERT_NE(nullptr, menu.GetHandle());
    DestroyWindow(window);
    EXPECT_FALSE(IsMenu(menu.GetHandle()));
    EXPECT_EQ(1, menu.Destroy());
}

}  // namespace
