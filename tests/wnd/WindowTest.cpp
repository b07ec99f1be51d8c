// Binding and routing of CWndBase / CWndBaseEx / CWindow with real windows,
// and CenterWindow.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "WndCoreResources.h"
#include "WndCoreSupport.h"
#include "wnd/ControlBase.h"
#include "wnd/Window.h"
#include "wnd/WndBase.h"

namespace
{

const char kClass[] = "RolecueWndCoreTestWindow";

LONG_PTR SharedProc()
{
    return reinterpret_cast<LONG_PTR>(&SharedWndProc);
}

void* BoundObject(HWND hWnd)
{
    return GetPropA(hWnd, "CPP_CLASS");
}

std::string WindowText(HWND hWnd)
{
    char text[256] = {};
    GetWindowTextA(hWnd, text, sizeof(text));
    return text;
}

// Records every message it receives and the binding state at a few of them.
class CRecordingWindow : public CWindow
{
public:
    LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_Seen.push_back(message);
        const bool bound = GetHandle() == hWnd && BoundObject(hWnd) == static_cast<CWndBase*>(this);
        if (message == WM_NCCREATE)
            m_BoundAtNcCreate = bound;
        if (message == WM_DESTROY)
            m_BoundAtDestroy = bound;
        if (message == WM_CREATE && m_FailCreate)
            return -1;
        if (message == WM_USER + 1 && m_Throw)
            throw std::runtime_error("handler failed");
        if (message == WM_USER + 2)
            return 77;
        return CWindow::WindowProc(hWnd, message, wParam, lParam);
    }

    bool Saw(UINT message) const
    {
        return std::find(m_Seen.begin(), m_Seen.end(), message) != m_Seen.end();
    }

    std::vector<UINT> m_Seen;
    bool m_BoundAtNcCreate = false;
    bool m_BoundAtDestroy = false;
    bool m_FailCreate = false;
    bool m_Throw = false;
};

class CRecordingControl : public CWndBaseEx
{
public:
    LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_Seen.push_back(message);
        return CWndBaseEx::WindowProc(hWnd, message, wParam, lParam);
    }
    bool Saw(UINT message) const
    {
        return std::find(m_Seen.begin(), m_Seen.end(), message) != m_Seen.end();
    }
    std::vector<UINT> m_Seen;
};

class WindowFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        CWindow::RegisterWndClass(kClass, 0, nullptr, nullptr, LoadCursor(nullptr, IDC_ARROW),
                                  reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), 0);
    }

    static int CreateTop(CWindow& window)
    {
        return window.Create(kClass, "test window", WS_OVERLAPPEDWINDOW, 0, 40, 40, 300, 200,
                             nullptr, nullptr);
    }

    static HWND CreateEdit(HWND parent)
    {
        return CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }

    wndtest::CPlainWindow m_Parent;
};

using SharedWndProcTest = WindowFixture;
using CWindowTest = WindowFixture;
using CWndBaseTest = WindowFixture;
using CWndBaseExTest = WindowFixture;

std::string g_reported;
void RecordError(const char* what)
{
    g_reported = what;
}

// SharedWndProc -------------------------------------------------------------

TEST_F(SharedWndProcTest, BindsAtNcCreateAndPassesEarlierMessagesOn)
{
    CRecordingWindow window;
    ASSERT_EQ(1, CreateTop(window));
    ASSERT_FALSE(window.m_Seen.empty());
    // WM_GETMINMAXINFO comes before WM_NCCREATE for overlapped windows: it
    // goes to DefWindowProcA, the object's first message is WM_NCCREATE.
    EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), window.m_Seen.front());
    EXPECT_TRUE(window.m_BoundAtNcCreate);
    EXPECT_TRUE(window.Saw(WM_CREATE));
    window.Destroy();
}

TEST_F(SharedWndProcTest, UnbindsAfterTheObjectsDestroyHandler)
{
    CRecordingWindow window;
    ASSERT_EQ(1, CreateTop(window));
    HWND hWnd = window.GetHandle();
    window.m_Seen.clear();
    DestroyWindow(hWnd);
    EXPECT_TRUE(window.Saw(WM_DESTROY));
    EXPECT_TRUE(window.m_BoundAtDestroy);
    EXPECT_FALSE(window.Saw(WM_NCDESTROY));
    EXPECT_FALSE(window.IsBound());
}

TEST_F(SharedWndProcTest, WindowWithoutObjectGetsDefaultProcessing)
{
    // Created without a creation parameter: nothing binds, the window works
    // on DefWindowProcA.
    HWND hWnd = CreateWindowExA(0, kClass, "plain", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(nullptr, BoundObject(hWnd));
    SetWindowTextA(hWnd, "changed");
    EXPECT_EQ("changed", WindowText(hWnd));
    DestroyWindow(hWnd);
}

TEST_F(SharedWndProcTest, ReturnsTheHandlersResult)
{
    CRecordingWindow window;
    ASSERT_EQ(1, CreateTop(window));
    EXPECT_EQ(77, SendMessageA(window.GetHandle(), WM_USER + 2, 0, 0));
    window.Destroy();
}

TEST_F(SharedWndProcTest, ReportsAnExceptionAndKeepsTheWindowWorking)
{
    WndProcErrorHandler previous = SetWndProcErrorHandler(RecordError);
    g_reported.clear();
    CRecordingWindow window;
    ASSERT_EQ(1, CreateTop(window));
    window.m_Throw = true;
    EXPECT_EQ(0, SendMessageA(window.GetHandle(), WM_USER + 1, 0, 0));
    EXPECT_EQ("handler failed", g_reported);
    EXPECT_TRUE(window.IsBound());
    EXPECT_EQ(77, SendMessageA(window.GetHandle(), WM_USER + 2, 0, 0));
    window.Destroy();
    SetWndProcErrorHandler(previous);
    EXPECT_FALSE(window.IsBound());
}

TEST_F(SharedWndProcTest, ReporterHearsOnceEvenWhenTheWindowFailsAgainMeanwhile)
{
    // The reporter stands in for the program's error box, whose message loop
    // can reach the failing window again while the box is up.
    static HWND s_Failing = nullptr;
    static int s_Reports = 0;
    struct Reporter
    {
        static void Report(const char* what)
        {
            ++s_Reports;
            g_reported = what;
            SendMessageA(s_Failing, WM_USER + 1, 0, 0);
        }
    };
    WndProcErrorHandler previous = SetWndProcErrorHandler(Reporter::Report);
    g_reported.clear();
    CRecordingWindow window;
    ASSERT_EQ(1, CreateTop(window));
    window.m_Throw = true;
    s_Failing = window.GetHandle();
    LRESULT result = -1;
    EXPECT_NO_THROW(result = SendMessageA(s_Failing, WM_USER + 1, 0, 0));
    SetWndProcErrorHandler(previous);
    EXPECT_EQ(0, result);
    EXPECT_EQ(1, s_Reports);
    EXPECT_EQ("handler failed", g_reported);
    window.Destroy();
}

TEST_F(SharedWndProcTest, UnbindsAtNcDestroyWhenDestroyNeverArrived)
{
    // A later subclass that swallows WM_DESTROY must not leave the window
    // bound to the object once it is gone.
    static WNDPROC s_next = nullptr;
    struct Swallow
    {
        static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l)
        {
            if (m == WM_DESTROY)
                return 0;
            return CallWindowProcA(s_next, h, m, w, l);
        }
    };
    HWND edit = CreateEdit(m_Parent.Get());
    CRecordingControl control;
    ASSERT_EQ(1, control.Attach(edit));
    s_next = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Swallow::Proc)));
    DestroyWindow(edit);
    EXPECT_FALSE(control.Saw(WM_DESTROY));
    EXPECT_FALSE(control.IsBound());
}

// CWindow -------------------------------------------------------------------

TEST_F(CWindowTest, CreateOnABoundObjectCreatesNothing)
{
    CRecordingWindow window;
    ASSERT_EQ(1, CreateTop(window));
    HWND first = window.GetHandle();
    const int before = wndtest::CountThreadWindows(kClass);
    EXPECT_EQ(0, CreateTop(window));
    EXPECT_EQ(before, wndtest::CountThreadWindows(kClass));
    EXPECT_EQ(first, window.GetHandle());
    window.Destroy();
}

TEST_F(CWindowTest, ObjectIsBoundAgainToItsNextWindow)
{
    CRecordingWindow window;
    ASSERT_EQ(1, CreateTop(window));
    window.Destroy();
    ASSERT_FALSE(window.IsBound());
    window.m_Seen.clear();
    ASSERT_EQ(1, CreateTop(window));
    EXPECT_TRUE(window.m_BoundAtNcCreate);
    EXPECT_EQ(window.GetHandle(), FindWindowA(kClass, "test window"));
    window.Destroy();
}

TEST_F(CWindowTest, FailedCreationLeavesTheObjectUnbound)
{
    CRecordingWindow window;
    window.m_FailCreate = true;
    EXPECT_EQ(0, CreateTop(window));
    // Windows sends WM_DESTROY to the failed window, Wine only WM_NCDESTROY;
    // either unbinds it.
    EXPECT_FALSE(window.IsBound());

    CRecordingWindow unknown;
    EXPECT_EQ(
        0, unknown.Create("NoSuchClassAnywhere", "", WS_POPUP, 0, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_FALSE(unknown.IsBound());
}

TEST_F(CWindowTest, RegisteredClassRunsSharedWndProcWithItsMenu)
{
    const char name[] = "RolecueWndCoreTestMenuWindow";
    ATOM atom = CWindow::RegisterWndClass(name, CS_DBLCLKS, nullptr, nullptr, nullptr, nullptr,
                                          IDM_WNDTEST_MENU);
    ASSERT_NE(0, atom);
    WNDCLASSEXA info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), name, &info));
    EXPECT_EQ(SharedProc(), reinterpret_cast<LONG_PTR>(info.lpfnWndProc));
    EXPECT_EQ(0, info.cbClsExtra);
    EXPECT_EQ(0, info.cbWndExtra);
    EXPECT_EQ(static_cast<UINT>(CS_DBLCLKS), info.style);

    CRecordingWindow window;
    ASSERT_EQ(
        1, window.Create(name, "menu", WS_OVERLAPPEDWINDOW, 0, 0, 0, 200, 200, nullptr, nullptr));
    EXPECT_NE(nullptr, GetMenu(window.GetHandle()));
    window.Destroy();

    EXPECT_EQ(0, CWindow::RegisterWndClass(name, 0, nullptr, nullptr, nullptr, nullptr, 0));
}

TEST_F(CWindowTest, SetIconTellsWhetherThereWasAnIcon)
{
    CRecordingWindow window;
    ASSERT_EQ(1, CreateTop(window));
    EXPECT_EQ(0, window.SetIcon(IDI_WNDTEST_ICON));
    const LRESULT icon = window.Send(WM_GETICON, ICON_SMALL, 0);
    EXPECT_NE(0, icon);
    EXPECT_EQ(1, window.SetIcon(IDI_WNDTEST_ICON));
    // An icon that cannot be loaded leaves the window's icon alone.
    EXPECT_EQ(0, window.SetIcon(9999));
    EXPECT_NE(0, window.Send(WM_GETICON, ICON_SMALL, 0));
    window.Destroy();
}

TEST_F(CWindowTest, CreateSubclassesAWindowOfAForeignClass)
{
    CRecordingWindow window;
    ASSERT_EQ(1, window.Create("STATIC", "static", WS_POPUP, 0, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(SharedProc(), GetWindowLongPtrA(window.GetHandle(), GWLP_WNDPROC));
    window.m_Seen.clear();
    window.SetText("again");
    EXPECT_TRUE(window.Saw(WM_SETTEXT));
    EXPECT_EQ("again", WindowText(window.GetHandle()));
    window.Destroy();
    EXPECT_FALSE(window.IsBound());
}

// CWndBase ------------------------------------------------------------------

TEST_F(CWndBaseTest, AttachSubclassesAControlAndDetachRestoresIt)
{
    HWND edit = CreateEdit(m_Parent.Get());
    const LONG_PTR own = GetWindowLongPtrA(edit, GWLP_WNDPROC);
    CRecordingControl control;
    ASSERT_EQ(1, control.Attach(edit));
    EXPECT_FALSE(control.IsDialog());
    EXPECT_EQ(SharedProc(), GetWindowLongPtrA(edit, GWLP_WNDPROC));
    EXPECT_EQ(static_cast<CWndBase*>(&control), BoundObject(edit));

    // Unhandled messages reach the edit's own procedure.
    SetWindowTextA(edit, "typed");
    EXPECT_TRUE(control.Saw(WM_SETTEXT));
    EXPECT_EQ("typed", WindowText(edit));

    EXPECT_EQ(1, control.Detach());
    EXPECT_EQ(own, GetWindowLongPtrA(edit, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, BoundObject(edit));
    EXPECT_EQ(0, control.Detach());
    DestroyWindow(edit);
}

TEST_F(CWndBaseTest, AttachToASharedWndProcWindowSavesNoPreviousProcedure)
{
    HWND hWnd = CreateWindowExA(0, kClass, "unbound", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hWnd);
    CRecordingControl object;
    ASSERT_EQ(1, object.Attach(hWnd));
    SetWindowTextA(hWnd, "via DefWindowProcA");
    EXPECT_TRUE(object.Saw(WM_SETTEXT));
    EXPECT_EQ("via DefWindowProcA", WindowText(hWnd));
    ASSERT_EQ(1, object.Detach());
    EXPECT_EQ(SharedProc(), GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    DestroyWindow(hWnd);
}

TEST_F(CWndBaseTest, AttachToASecondWindowRestoresTheFirst)
{
    HWND first = CreateEdit(m_Parent.Get());
    HWND second = CreateEdit(m_Parent.Get());
    const LONG_PTR own = GetWindowLongPtrA(first, GWLP_WNDPROC);
    CRecordingControl control;
    ASSERT_EQ(1, control.Attach(first));
    ASSERT_EQ(1, control.Attach(second));
    EXPECT_EQ(own, GetWindowLongPtrA(first, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, BoundObject(first));
    EXPECT_EQ(SharedProc(), GetWindowLongPtrA(second, GWLP_WNDPROC));
    EXPECT_EQ(second, control.GetHandle());
    DestroyWindow(first);
    DestroyWindow(second);
    EXPECT_FALSE(control.IsBound());
}

TEST_F(CWndBaseTest, AttachTakesTheWindowFromAnotherObject)
{
    HWND edit = CreateEdit(m_Parent.Get());
    const LONG_PTR own = GetWindowLongPtrA(edit, GWLP_WNDPROC);
    CRecordingControl first, second;
    ASSERT_EQ(1, first.Attach(edit));
    ASSERT_EQ(1, second.Attach(edit));
    EXPECT_FALSE(first.IsBound());
    EXPECT_EQ(static_cast<CWndBase*>(&second), BoundObject(edit));
    SetWindowTextA(edit, "still an edit");
    EXPECT_EQ("still an edit", WindowText(edit));
    second.Detach();
    EXPECT_EQ(own, GetWindowLongPtrA(edit, GWLP_WNDPROC));
    DestroyWindow(edit);
}

TEST_F(CWndBaseTest, AttachRefusesNullAndDestroyedHandles)
{
    CRecordingControl control;
    EXPECT_EQ(0, control.Attach(nullptr));
    HWND edit = CreateEdit(m_Parent.Get());
    DestroyWindow(edit);
    EXPECT_EQ(0, control.Attach(edit));
    EXPECT_FALSE(control.IsBound());
}

TEST_F(CWndBaseTest, ControlGetsItsOwnProcedureBackAtDestroy)
{
    wndtest::CPlainWindow parent;
    HWND edit = CreateEdit(parent.Get());
    const LONG_PTR own = GetWindowLongPtrA(edit, GWLP_WNDPROC);
    CRecordingControl control;
    ASSERT_EQ(1, control.Attach(edit));
    wndtest::CNcDestroyWatch watch(edit);
    DestroyWindow(parent.Get());
    EXPECT_TRUE(control.Saw(WM_DESTROY));
    EXPECT_FALSE(control.Saw(WM_NCDESTROY));
    ASSERT_TRUE(watch.Seen());
    EXPECT_EQ(own, watch.ProcedureAtNcDestroy());
    EXPECT_FALSE(watch.HadPropertyAtNcDestroy());
    EXPECT_FALSE(control.IsBound());
}

TEST_F(CWndBaseTest, DestroyedWrapperHandsTheWindowBack)
{
    HWND edit = CreateEdit(m_Parent.Get());
    const LONG_PTR own = GetWindowLongPtrA(edit, GWLP_WNDPROC);
    {
        CRecordingControl control;
        ASSERT_EQ(1, control.Attach(edit));
    }
    EXPECT_EQ(own, GetWindowLongPtrA(edit, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, BoundObject(edit));
    SetWindowTextA(edit, "after");
    EXPECT_EQ("after", WindowText(edit));
    DestroyWindow(edit);
}

TEST_F(CWndBaseTest, ThinOperationsActOnTheBoundWindow)
{
    CWndBaseEx control;
    ASSERT_EQ(1, control.CreateChild("EDIT", "start", WS_CHILD, 0, 0, 0, 100, 20, m_Parent.Get(),
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(42))));
    EXPECT_EQ(42, control.GetId());
    EXPECT_EQ(m_Parent.Get(), control.GetParentWindow());
    EXPECT_FALSE(control.Show(SW_SHOW));
    EXPECT_NE(0, GetWindowLongPtrA(control.GetHandle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(control.Show(SW_HIDE));
    EXPECT_TRUE(control.Redraw(true));
    EXPECT_EQ(5, control.Send(WM_GETTEXTLENGTH));

    EXPECT_FALSE(control.SetText(nullptr));
    EXPECT_EQ("start", WindowText(control.GetHandle()));
    EXPECT_TRUE(control.SetText("next"));
    EXPECT_EQ("next", WindowText(control.GetHandle()));
    DestroyWindow(control.GetHandle());

    CWndBase unbound;
    EXPECT_FALSE(unbound.SetText("nothing"));
}

TEST_F(CWndBaseTest, ControlSetTextNeedsABoundControlAndAText)
{
    CControlBase control;
    EXPECT_FALSE(control.SetText("unbound"));
    HWND edit = CreateEdit(m_Parent.Get());
    SetWindowTextA(edit, "kept");
    ASSERT_EQ(1, control.Attach(edit));
    EXPECT_FALSE(control.SetText(nullptr));
    EXPECT_EQ("kept", WindowText(edit));
    EXPECT_TRUE(control.SetText("台詞"));
    EXPECT_EQ("台詞", WindowText(edit));
    DestroyWindow(edit);
}

// CWndBaseEx ----------------------------------------------------------------

TEST_F(CWndBaseExTest, CreateChildBindsAndRefusesASecondWindow)
{
    CRecordingControl control;
    ASSERT_EQ(1,
              control.CreateChild("EDIT", "", WS_CHILD, 0, 0, 0, 50, 20, m_Parent.Get(), nullptr));
    EXPECT_EQ(SharedProc(), GetWindowLongPtrA(control.GetHandle(), GWLP_WNDPROC));
    const int before = wndtest::CountThreadWindows("EDIT");
    EXPECT_EQ(0,
              control.CreateChild("EDIT", "", WS_CHILD, 0, 0, 0, 50, 20, m_Parent.Get(), nullptr));
    EXPECT_EQ(before, wndtest::CountThreadWindows("EDIT"));
    DestroyWindow(control.GetHandle());
    EXPECT_FALSE(control.IsBound());

    EXPECT_EQ(0, control.CreateChild("NoSuchControlClass", "", WS_CHILD, 0, 0, 0, 1, 1,
                                     m_Parent.Get(), nullptr));
    EXPECT_FALSE(control.IsBound());
}

TEST_F(CWndBaseExTest, AttachDlgItemNeedsAParentAndAnItem)
{
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 10, 10, m_Parent.Get(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(7)),
                                GetModuleHandleA(nullptr), nullptr);
    CRecordingControl control;
    EXPECT_EQ(0, control.AttachDlgItem(nullptr, 7));
    EXPECT_EQ(0, control.AttachDlgItem(m_Parent.Get(), 8));
    EXPECT_FALSE(control.IsBound());
    EXPECT_EQ(1, control.AttachDlgItem(m_Parent.Get(), 7));
    EXPECT_EQ(edit, control.GetHandle());
    DestroyWindow(edit);
}

// CenterWindow --------------------------------------------------------------

class CenterWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &m_Work, 0)); }
    void TearDown() override
    {
        for (HWND h : m_Windows)
            DestroyWindow(h);
    }
    HWND Popup(int x, int y, int width, int height)
    {
        HWND h = CreateWindowExA(0, "STATIC", "", WS_POPUP, x, y, width, height, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        m_Windows.push_back(h);
        return h;
    }
    static RECT Rect(HWND h)
    {
        RECT rc = {};
        GetWindowRect(h, &rc);
        return rc;
    }

    RECT m_Work = {};
    std::vector<HWND> m_Windows;
};

TEST_F(CenterWindowTest, CentresOverTheReference)
{
    HWND reference = Popup(m_Work.left + 100, m_Work.top + 100, 500, 400);
    HWND window = Popup(0, 0, 200, 100);
    ASSERT_TRUE(CenterWindow(reference, window));
    const RECT rc = Rect(window);
    EXPECT_EQ(m_Work.left + 250, rc.left);
    EXPECT_EQ(m_Work.top + 250, rc.top);
    EXPECT_EQ(200, rc.right - rc.left);
    EXPECT_EQ(100, rc.bottom - rc.top);
}

TEST_F(CenterWindowTest, HalvesTowardZero)
{
    // (100 - 101) / 2 is 0, not -1.
    HWND reference = Popup(m_Work.left + 300, m_Work.top + 300, 100, 100);
    HWND window = Popup(0, 0, 101, 101);
    ASSERT_TRUE(CenterWindow(reference, window));
    const RECT rc = Rect(window);
    EXPECT_EQ(m_Work.left + 300, rc.left);
    EXPECT_EQ(m_Work.top + 300, rc.top);
}

TEST_F(CenterWindowTest, KeepsTheLeftAndTopEdgesInTheWorkArea)
{
    HWND reference = Popup(m_Work.left - 400, m_Work.top - 400, 300, 300);
    HWND window = Popup(0, 0, 200, 100);
    ASSERT_TRUE(CenterWindow(reference, window));
    const RECT rc = Rect(window);
    EXPECT_EQ(m_Work.left, rc.left);
    EXPECT_EQ(m_Work.top, rc.top);
}

TEST_F(CenterWindowTest, PullsTheRightAndBottomEdgesBack)
{
    HWND reference = Popup(m_Work.right - 100, m_Work.bottom - 50, 200, 100);
    HWND window = Popup(0, 0, 300, 200);
    ASSERT_TRUE(CenterWindow(reference, window));
    const RECT rc = Rect(window);
    EXPECT_EQ(m_Work.right, rc.right);
    EXPECT_EQ(m_Work.bottom, rc.bottom);
}

TEST_F(CenterWindowTest, WindowWiderThanTheWorkAreaEndsOnItsRightEdge)
{
    const int workWidth = m_Work.right - m_Work.left;
    HWND reference = Popup(m_Work.left + 300, m_Work.top, workWidth, 200);
    HWND window = Popup(0, 0, workWidth + 200, 100);
    ASSERT_EQ(workWidth + 200, Rect(window).right - Rect(window).left);
    ASSERT_TRUE(CenterWindow(reference, window));
    const RECT rc = Rect(window);
    EXPECT_EQ(m_Work.right, rc.right);
    EXPECT_LT(rc.left, m_Work.left);
}

TEST_F(CenterWindowTest, FailsWithoutWindows)
{
    HWND window = Popup(10, 10, 50, 50);
    EXPECT_FALSE(CenterWindow(nullptr, window));
    EXPECT_EQ(10, Rect(window).left);
}

}  // namespace
