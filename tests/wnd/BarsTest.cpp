// CStatusBar, CReBar and CToolBar as children of a real window.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <climits>
#include <string>
#include <vector>

#include "WndCoreResources.h"
#include "WndCoreSupport.h"
#include "wnd/ReBar.h"
#include "wnd/StatusBar.h"
#include "wnd/ToolBar.h"
#include "wnd/WndBase.h"

namespace
{

LONG_PTR SharedProc()
{
    return reinterpret_cast<LONG_PTR>(&SharedWndProc);
}

class BarsFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
        InitCommonControlsEx(&icc);
    }
    HWND Parent() const { return m_Parent.Get(); }

    wndtest::CPlainWindow m_Parent{"bars", 500, 300};
};

// CStatusBar -----------------------------------------------------------------

class CCountingStatusBar : public CStatusBar
{
public:
    LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == SB_SETTEXTA)
            ++m_SetTexts;
        return CStatusBar::WindowProc(hWnd, message, wParam, lParam);
    }
    LRESULT OnSize(HWND hWnd, WPARAM wParam, LPARAM lParam) override
    {
        ++m_Sizes;
        return CStatusBar::OnSize(hWnd, wParam, lParam);
    }
    int m_SetTexts = 0;
    int m_Sizes = 0;
};

std::vector<int> PartsOf(HWND bar)
{
    int edges[16] = {};
    const int count =
        static_cast<int>(SendMessageA(bar, SB_GETPARTS, 16, reinterpret_cast<LPARAM>(edges)));
    return std::vector<int>(edges, edges + count);
}

std::string PartText(HWND bar, int part, UINT* type = nullptr)
{
    char text[256] = {};
    const LRESULT result = SendMessageA(bar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    if (type)
        *type = HIWORD(result);
    return text;
}

using CStatusBarTest = BarsFixture;

TEST_F(CStatusBarTest, CreateBindsAndSubclassesTheBar)
{
    CStatusBar bar;
    ASSERT_TRUE(bar.Create(Parent(), 77, WS_CHILD | WS_VISIBLE, "ready"));
    EXPECT_EQ(77, bar.GetId());
    EXPECT_EQ(SharedProc(), GetWindowLongPtrA(bar.GetHandle(), GWLP_WNDPROC));
    EXPECT_EQ("ready", PartText(bar.GetHandle(), 0));
    EXPECT_FALSE(bar.Create(Parent(), 78, WS_CHILD, "again"));
    DestroyWindow(Parent());
    EXPECT_FALSE(bar.IsBound());
}

TEST_F(CStatusBarTest, AddPartPlacesPartsSideBySide)
{
    CStatusBar bar;
    ASSERT_TRUE(bar.Create(Parent(), 1, WS_CHILD, ""));
    EXPECT_NE(0, bar.AddPart(60));
    EXPECT_NE(0, bar.AddPart(50));
    EXPECT_EQ((std::vector<int>{60, 110}), PartsOf(bar.GetHandle()));
    EXPECT_EQ((std::vector<int>{60, 110}), bar.GetParts());
}

TEST_F(CStatusBarTest, AddPartBelowOnePixelChangesNothing)
{
    CStatusBar bar;
    ASSERT_TRUE(bar.Create(Parent(), 1, WS_CHILD, ""));
    ASSERT_NE(0, bar.AddPart(60));
    const std::vector<int> before = PartsOf(bar.GetHandle());
    EXPECT_EQ(0, bar.AddPart(0));
    EXPECT_EQ(0, bar.AddPart(-5));
    EXPECT_EQ(before, PartsOf(bar.GetHandle()));
    EXPECT_EQ(1u, bar.GetParts().size());
}

TEST_F(CStatusBarTest, PartThatCannotBeAddedIsNotKept)
{
    CStatusBar unbound;
    EXPECT_EQ(0, unbound.AddPart(10));
    EXPECT_TRUE(unbound.GetParts().empty());

    CStatusBar bar;
    ASSERT_TRUE(bar.Create(Parent(), 1, WS_CHILD, ""));
    ASSERT_NE(0, bar.AddPart(INT_MAX - 5));
    EXPECT_EQ(0, bar.AddPart(10));  // the right edge would overflow
    EXPECT_EQ(1u, bar.GetParts().size());
}

TEST_F(CStatusBarTest, SetTextWritesThePartWithItsDrawingType)
{
    CStatusBar bar;
    ASSERT_TRUE(bar.Create(Parent(), 1, WS_CHILD, ""));
    bar.AddPart(60);
    bar.AddPart(50);
    EXPECT_NE(0, bar.SetText(1, "監視中", SBT_NOBORDERS));
    UINT type = 0;
    EXPECT_EQ("監視中", PartText(bar.GetHandle(), 1, &type));
    EXPECT_EQ(static_cast<UINT>(SBT_NOBORDERS), type);
    EXPECT_EQ("", PartText(bar.GetHandle(), 0));
}

TEST_F(CStatusBarTest, SetTextOfAPartOutsideZeroTo255SendsNothing)
{
    CCountingStatusBar bar;
    ASSERT_TRUE(bar.Create(Parent(), 1, WS_CHILD, "first"));
    EXPECT_EQ(0, bar.SetText(-1, "x"));
    EXPECT_EQ(0, bar.SetText(256, "x"));
    EXPECT_EQ(0, bar.m_SetTexts);
    EXPECT_EQ("first", PartText(bar.GetHandle(), 0));
}

TEST_F(CStatusBarTest, SizeGoesToOnSizeAndTheBarFollowsItsParent)
{
    CCountingStatusBar bar;
    ASSERT_TRUE(bar.Create(Parent(), 1, WS_CHILD | WS_VISIBLE, ""));
    SetWindowPos(Parent(), nullptr, 0, 0, 640, 300, SWP_NOMOVE | SWP_NOZORDER);
    bar.Send(WM_SIZE, 0, 0);
    // The bar answers by moving itself, which brings it another WM_SIZE.
    EXPECT_GE(bar.m_Sizes, 1);
    RECT client = {}, rc = {};
    GetClientRect(Parent(), &client);
    GetWindowRect(bar.GetHandle(), &rc);
    EXPECT_EQ(client.right - client.left, rc.right - rc.left);
}

// CReBar ---------------------------------------------------------------------

using CReBarTest = BarsFixture;

HWND CreateEdit(HWND parent)
{
    return CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 80, 20, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

REBARBANDINFOA BandInfo(HWND rebar, int index, char* text, int textSize)
{
    REBARBANDINFOA band = {};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_TEXT | RBBIM_SIZE;
    band.lpText = text;
    band.cch = textSize;
    SendMessageA(rebar, RB_GETBANDINFOA, index, reinterpret_cast<LPARAM>(&band));
    return band;
}

TEST_F(CReBarTest, CreateMakesABoundToolWindowRebar)
{
    CReBar rebar;
    ASSERT_EQ(1, rebar.Create(Parent(), WS_CHILD | WS_VISIBLE | RBS_VARHEIGHT, 0, 0, 400, 30));
    char name[32] = {};
    GetClassNameA(rebar.GetHandle(), name, sizeof(name));
    EXPECT_STREQ("ReBarWindow32", name);
    EXPECT_NE(0, GetWindowLongPtrA(rebar.GetHandle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(SharedProc(), GetWindowLongPtrA(rebar.GetHandle(), GWLP_WNDPROC));
    EXPECT_EQ(0, rebar.Send(RB_GETBANDCOUNT));
}

TEST_F(CReBarTest, CreateWithoutAParentFails)
{
    CReBar rebar;
    EXPECT_EQ(0, rebar.Create(nullptr, WS_CHILD, 0, 0, 10, 10));
    EXPECT_FALSE(rebar.IsBound());
}

TEST_F(CReBarTest, InsertBandHoldsTheChildWithAChildEdge)
{
    CReBar rebar;
    ASSERT_EQ(1, rebar.Create(Parent(), WS_CHILD, 0, 0, 400, 30));
    HWND edit = CreateEdit(rebar.GetHandle());
    ASSERT_TRUE(rebar.InsertBand(edit, "キャスト", 200, 100, 20, RBBS_GRIPPERALWAYS));
    ASSERT_EQ(1, rebar.Send(RB_GETBANDCOUNT));
    char text[64] = {};
    const REBARBANDINFOA band = BandInfo(rebar.GetHandle(), 0, text, sizeof(text));
    EXPECT_EQ(edit, band.hwndChild);
    EXPECT_EQ(static_cast<UINT>(RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS),
              band.fStyle & (RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS));
    EXPECT_EQ(100u, band.cxMinChild);
    EXPECT_EQ(20u, band.cyMinChild);
    EXPECT_STREQ("キャスト", text);
}

TEST_F(CReBarTest, InsertBandAtAnIndex)
{
    CReBar rebar;
    ASSERT_EQ(1, rebar.Create(Parent(), WS_CHILD, 0, 0, 400, 30));
    HWND first = CreateEdit(rebar.GetHandle());
    HWND second = CreateEdit(rebar.GetHandle());
    ASSERT_TRUE(rebar.InsertBand(first, "", 100, 50, 20, 0));
    ASSERT_TRUE(rebar.InsertBand(second, "", 100, 50, 20, 0, 0));
    char text[8] = {};
    EXPECT_EQ(second, BandInfo(rebar.GetHandle(), 0, text, sizeof(text)).hwndChild);
    EXPECT_EQ(first, BandInfo(rebar.GetHandle(), 1, text, sizeof(text)).hwndChild);
}

TEST_F(CReBarTest, InsertBandWithoutAChildIsRefused)
{
    CReBar rebar;
    ASSERT_EQ(1, rebar.Create(Parent(), WS_CHILD, 0, 0, 400, 30));
    EXPECT_FALSE(rebar.InsertBand(nullptr, "none", 100, 50, 20, 0));
    EXPECT_EQ(0, rebar.Send(RB_GETBANDCOUNT));
}

// CToolBar -------------------------------------------------------------------

const int kFirstCommand = 101;

class CToolBarTest : public BarsFixture
{
protected:
    int Create(CToolBar& bar)
    {
        const TBBUTTON buttons[] = {
            {0, kFirstCommand, TBSTATE_ENABLED, BTNS_BUTTON, {0}, 0, 0},
            {1, kFirstCommand + 1, TBSTATE_ENABLED, BTNS_CHECK, {0}, 0, 0},
            {0, 0, 0, BTNS_SEP, {0}, 0, 0},
            {2, kFirstCommand + 2, TBSTATE_ENABLED, BTNS_BUTTON, {0}, 0, 0},
        };
        return bar.Create(Parent(), WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 500, 4, IDB_WNDTEST_STRIP,
                          buttons, 4);
    }
};

TEST_F(CToolBarTest, CreateMakesAnUnboundToolbarWithItsButtons)
{
    CToolBar bar;
    ASSERT_EQ(1, Create(bar));
    EXPECT_EQ(4, bar.GetButtonCount());
    EXPECT_EQ(500, bar.GetId());
    // Kept, not bound: no property, the toolbar's own procedure.
    EXPECT_EQ(nullptr, GetPropA(bar.GetHandle(), "CPP_CLASS"));
    EXPECT_NE(SharedProc(), GetWindowLongPtrA(bar.GetHandle(), GWLP_WNDPROC));
}

TEST_F(CToolBarTest, CreateWhileItHasAToolbarCreatesNothing)
{
    CToolBar bar;
    ASSERT_EQ(1, Create(bar));
    HWND first = bar.GetHandle();
    const int before = wndtest::CountThreadWindows(TOOLBARCLASSNAMEA);
    EXPECT_EQ(0, Create(bar));
    EXPECT_EQ(before, wndtest::CountThreadWindows(TOOLBARCLASSNAMEA));
    EXPECT_EQ(first, bar.GetHandle());
}

TEST_F(CToolBarTest, CreateAfterItsToolbarEndedMakesANewOne)
{
    CToolBar bar;
    ASSERT_EQ(1, Create(bar));
    DestroyWindow(bar.GetHandle());
    EXPECT_EQ(1, Create(bar));
    EXPECT_TRUE(IsWindow(bar.GetHandle()));
}

TEST_F(CToolBarTest, CheckButtonChecksByCommand)
{
    CToolBar bar;
    ASSERT_EQ(1, Create(bar));
    EXPECT_NE(0, bar.CheckButton(kFirstCommand + 1, true));
    EXPECT_NE(0, bar.Send(TB_ISBUTTONCHECKED, kFirstCommand + 1));
    EXPECT_NE(0, bar.CheckButton(kFirstCommand + 1, false));
    EXPECT_EQ(0, bar.Send(TB_ISBUTTONCHECKED, kFirstCommand + 1));
}

TEST_F(CToolBarTest, SetImageListGivesTheToolbarTheStrip)
{
    CToolBar bar;
    ASSERT_EQ(1, Create(bar));
    bar.SetImageList(IDB_WNDTEST_STRIP, 16, 15, 4, RGB(255, 0, 255));
    ASSERT_NE(nullptr, bar.GetImageList().GetHandle());
    EXPECT_EQ(reinterpret_cast<LRESULT>(bar.GetImageList().GetHandle()), bar.Send(TB_GETIMAGELIST));
    EXPECT_EQ(4, bar.GetImageList().GetImageCount());
}

TEST_F(CToolBarTest, SetImageListWithAMissingBitmapChangesNothing)
{
    CToolBar bar;
    ASSERT_EQ(1, Create(bar));
    bar.SetImageList(IDB_WNDTEST_STRIP, 16, 15, 4, RGB(255, 0, 255));
    HIMAGELIST list = bar.GetImageList().GetHandle();
    EXPECT_EQ(0, bar.SetImageList(9999, 16, 15, 4, RGB(255, 0, 255)));
    EXPECT_EQ(list, bar.GetImageList().GetHandle());
    EXPECT_EQ(reinterpret_cast<LRESULT>(list), bar.Send(TB_GETIMAGELIST));

    CToolBar none;
    EXPECT_EQ(0, none.SetImageList(IDB_WNDTEST_STRIP, 16, 15, 4, 0));
    EXPECT_EQ(nullptr, none.GetImageList().GetHandle());
}

TEST_F(CToolBarTest, AddTooltipOutsideTheButtonsCreatesNoWindow)
{
    CToolBar bar;
    ASSERT_EQ(1, Create(bar));
    const int before = wndtest::CountThreadWindows(TOOLTIPS_CLASSA);
    EXPECT_FALSE(bar.AddTooltip(bar.GetButtonCount(), IDS_WNDTEST_TIP_FIRST));
    EXPECT_FALSE(bar.AddTooltip(-1, IDS_WNDTEST_TIP_FIRST));
    EXPECT_EQ(before, wndtest::CountThreadWindows(TOOLTIPS_CLASSA));
}

TEST_F(CToolBarTest, AddTooltipCoversTheButtonWithItsString)
{
    CToolBar bar;
    ASSERT_EQ(1, Create(bar));
    const int before = wndtest::CountThreadWindows(TOOLTIPS_CLASSA);
    ASSERT_TRUE(bar.AddTooltip(1, IDS_WNDTEST_TIP_SECOND));
    EXPECT_EQ(before + 1, wndtest::CountThreadWindows(TOOLTIPS_CLASSA));

    HWND tip = reinterpret_cast<HWND>(bar.Send(TB_GETTOOLTIPS));
    ASSERT_NE(nullptr, tip);
    EXPECT_EQ(Parent(), GetWindow(tip, GW_OWNER));
    EXPECT_EQ(1, SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));

    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = bar.GetHandle();
    info.uId = IDS_WNDTEST_TIP_SECOND;
    ASSERT_TRUE(SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)));
    RECT button = {};
    bar.Send(TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&button));
    EXPECT_TRUE(EqualRect(&button, &info.rect));
    EXPECT_NE(0u, info.uFlags & TTF_SUBCLASS);

    // A second tip makes a second window, which the toolbar then points at.
    ASSERT_TRUE(bar.AddTooltip(0, IDS_WNDTEST_TIP_FIRST));
    EXPECT_EQ(before + 2, wndtest::CountThreadWindows(TOOLTIPS_CLASSA));
    EXPECT_NE(tip, reinterpret_cast<HWND>(bar.Send(TB_GETTOOLTIPS)));

    // The tips are owned by the toolbar's parent and end with it.
    DestroyWindow(Parent());
    EXPECT_FALSE(IsWindow(tip));
    EXPECT_EQ(before, wndtest::CountThreadWindows(TOOLTIPS_CLASSA));
}

}  // namespace
