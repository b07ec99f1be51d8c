// Command routing of the main window: the list-focus rule, the focus toggle,
// monitoring and add return with their menu, toolbar and status bar, moving
// and deleting serifs in step with the scenario, and the context menu rule.
#include "MainWndSupport.h"

#include <commctrl.h>

#include "res/resource.h"
#include "wnd/WideText.h"

namespace
{

const std::vector<CSerif> kThreeSerifs = {CSerif(0, "一"), CSerif(1, "二"), CSerif(0, "三")};

std::string StatusText(CMainWnd& window, int part)
{
    char text[128] = {};
    window.GetStatusBar().Send(SB_GETTEXTA, static_cast<WPARAM>(part),
                               reinterpret_cast<LPARAM>(text));
    return text;
}

HWND ToolBar(HWND main)
{
    return FindWindowExA(FindWindowExA(main, nullptr, REBARCLASSNAMEA, nullptr), nullptr,
                         TOOLBARCLASSNAMEA, nullptr);
}

}  // namespace

class MainWndCommand : public MainWndTest
{
protected:
    void OpenThree()
    {
        const std::string path = SaveScenario(MakeScript(kThreeSerifs), "three.xml");
        ASSERT_TRUE(CreateWindowNow());
        ASSERT_TRUE(Window().OpenScenario(path));
        SetForegroundWindow(Main());
        PumpMessages();
    }
    std::string ScriptTexts()
    {
        std::string all;
        for (const CSerif& serif : Window().GetScript().GetSerifs())
            all += serif.m_Text;
        return all;
    }
    std::string ListTexts()
    {
        std::string all;
        for (int i = 0; i < Window().GetSerifList().GetItemCount(); ++i)
            all += RowText(i, 1);
        return all;
    }
};

TEST_F(MainWndCommand, MonitoringTogglesMenuToolbarAndStatus)
{
    ASSERT_TRUE(CreateWindowNow());
    EXPECT_FALSE(Window().IsMonitoring());
    EXPECT_EQ("停止中", StatusText(Window(), 1));
    Command(IDM_MONITOR);
    EXPECT_TRUE(Window().IsMonitoring());
    EXPECT_EQ("監視中", StatusText(Window(), 1));
    EXPECT_NE(0, SendMessageA(ToolBar(Main()), TB_ISBUTTONCHECKED, IDM_MONITOR, 0));
    Command(IDM_MONITOR);
    EXPECT_FALSE(Window().IsMonitoring());
    EXPECT_EQ(0, SendMessageA(ToolBar(Main()), TB_ISBUTTONCHECKED, IDM_MONITOR, 0));
    EXPECT_TRUE(Window().IsHotKeyRegistered());
}

TEST_F(MainWndCommand, AddReturnTogglesCheckMark)
{
    ASSERT_TRUE(CreateWindowNow());
    ASSERT_TRUE(Window().IsAddReturn());
    Command(IDM_ADD_RETURN);
    EXPECT_FALSE(Window().IsAddReturn());
    Command(IDM_ADD_RETURN);
    EXPECT_TRUE(Window().IsAddReturn());
}

TEST_F(MainWndCommand, StatusBarShowsCursorRow)
{
    OpenThree();
    EXPECT_EQ("1行", StatusText(Window(), 0));
    Window().GetSerifList().Select(2);
    EXPECT_EQ("3行", StatusText(Window(), 0));
}

TEST_F(MainWndCommand, ListDeleteIgnoredWhenFocusInCastBox)
{
    OpenThree();
    Window().GetSerifList().Select(1);
    SetFocus(Window().GetCastBox().GetHandle());
    CDialogDriver answers;
    Command(IDM_LIST_DELETE);
    EXPECT_TRUE(answers.Unexpected().empty());
    EXPECT_EQ(3, Window().GetSerifList().GetItemCount());
    EXPECT_TRUE(Window().IsSaved());
}

TEST_F(MainWndCommand, ListDeleteAsksAndDeletesWithListFocus)
{
    OpenThree();
    Window().GetSerifList().Select(1);
    SetFocus(Window().GetSerifList().GetHandle());
    CDialogDriver answers({IDYES});
    Command(IDM_LIST_DELETE);
    ASSERT_EQ(1u, answers.Seen().size());
    EXPECT_EQ("セリフを削除します", answers.Seen()[0].m_Text);
    EXPECT_EQ("一三", ScriptTexts());
    EXPECT_EQ("一三", ListTexts());
    EXPECT_EQ(0, Window().GetSerifList().GetSelected());
    EXPECT_EQ("散歩 * - Rolecue Ver 0.11", Title());
}

TEST_F(MainWndCommand, DeleteAnsweredNoKeepsRow)
{
    OpenThree();
    Window().GetSerifList().Select(0);
    CDialogDriver answers({IDNO});
    Command(IDM_DELETE_SERIF);
    EXPECT_EQ("一二三", ScriptTexts());
    EXPECT_TRUE(Window().IsSaved());
}

TEST_F(MainWndCommand, ListMoveCommandsNeedListFocus)
{
    OpenThree();
    Window().GetSerifList().Select(1);
    SetFocus(Window().GetCastBox().GetHandle());
    Command(IDM_LIST_UP);
    EXPECT_EQ("一二三", ScriptTexts());
    SetFocus(Window().GetSerifList().GetHandle());
    Command(IDM_LIST_UP);
    EXPECT_EQ("二一三", ScriptTexts());
    EXPECT_EQ("二一三", ListTexts());
    EXPECT_EQ(1, Window().GetSerifList().GetItemData(0));
    EXPECT_EQ(0, Window().GetSerifList().GetSelected());
    Command(IDM_LIST_DOWN);
    Command(IDM_LIST_DOWN);
    EXPECT_EQ("一三二", ScriptTexts());
    EXPECT_EQ("一三二", ListTexts());
}

TEST_F(MainWndCommand, MovesAtTheEndsChangeNothing)
{
    OpenThree();
    Window().GetSerifList().Select(0);
    Command(IDM_SERIF_UP);
    Window().GetSerifList().Select(2);
    Command(IDM_SERIF_DOWN);
    EXPECT_EQ("一二三", ScriptTexts());
    EXPECT_TRUE(Window().IsSaved());
}

TEST_F(MainWndCommand, TabTogglesFocusBetweenListAndCastBox)
{
    OpenThree();
    SetFocus(Window().GetSerifList().GetHandle());
    Command(IDM_FOCUS_TOGGLE);
    HWND focus = GetFocus();
    EXPECT_TRUE(focus == Window().GetCastBox().GetHandle() ||
                GetParent(focus) == Window().GetCastBox().GetHandle());
    Command(IDM_FOCUS_TOGGLE);
    EXPECT_EQ(Window().GetSerifList().GetHandle(), GetFocus());
}

TEST_F(MainWndCommand, CopyPutsCastTextAndMemoWithTabs)
{
    CScript script = MakeScript({CSerif(1, "やあ", "メモ"), CSerif(7, "誰か")});
    const std::string path = SaveScenario(script, "copy.xml");
    ASSERT_TRUE(CreateWindowNow());
    ASSERT_TRUE(Window().OpenScenario(path));
    Window().GetSerifList().Select(0);
    const auto copied = [] {
        EXPECT_TRUE(OpenClipboard(nullptr));
        HANDLE data = GetClipboardData(CF_UNICODETEXT);
        const std::wstring text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : L"";
        if (data)
            GlobalUnlock(data);
        CloseClipboard();
        return Narrow(text);
    };
    Command(IDM_COPY_SERIF);
    EXPECT_EQ("ボブ\tやあ\tメモ", copied());
    Window().GetSerifList().Select(1);
    Command(IDM_COPY_SERIF);
    EXPECT_EQ("\t誰か\t", copied());
    EXPECT_TRUE(Window().IsSaved());
}

TEST_F(MainWndCommand, CastSelectionDecidesActiveCast)
{
    OpenThree();
    EXPECT_EQ(-1, Window().GetActiveCastId());
    CComboBox& box = Window().GetCastBox();
    box.SetCurSel(static_cast<int>(box.FindString("ボブ", -1, true)));
    Command(IDC_CAST_BOX, CBN_SELCHANGE, box.GetHandle());
    EXPECT_EQ(1, Window().GetActiveCastId());
    box.SetCurSel(0);  // the empty entry
    EXPECT_EQ(-1, Window().GetActiveCastId());
}

namespace
{

bool g_MenuOpened = false;

LRESULT CALLBACK WatchMenu(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_INITMENUPOPUP)
        g_MenuOpened = true;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD)
{
    EndMenu();
}

// Sends WM_CONTEXTMENU at a point of the serif list (client coordinates)
// and tells whether a popup menu was opened; a timer closes it again.
bool ContextMenuOpens(CMainWnd& window, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(window.GetSerifList().GetHandle(), &point);
    g_MenuOpened = false;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchMenu, nullptr, GetCurrentThreadId());
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, CloseMenu);
    SendMessageA(window.GetHandle(), WM_CONTEXTMENU,
                 reinterpret_cast<WPARAM>(window.GetSerifList().GetHandle()),
                 MAKELPARAM(point.x, point.y));
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(hook);
    return g_MenuOpened;
}

}  // namespace

TEST_F(MainWndCommand, ContextMenuOnEmptyListShowsEditMenu)
{
    ASSERT_TRUE(CreateWindowNow());
    EXPECT_TRUE(ContextMenuOpens(Window(), 20, 60));
}

TEST_F(MainWndCommand, ContextMenuOnlyOverRowsOfNonEmptyList)
{
    OpenThree();
    RECT row = {};
    row.left = LVIR_BOUNDS;
    ASSERT_TRUE(Window().GetSerifList().Send(LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)));
    EXPECT_TRUE(ContextMenuOpens(Window(), 20, (row.top + row.bottom) / 2));
    RECT client = {};
    GetClientRect(Window().GetSerifList().GetHandle(), &client);
    EXPECT_FALSE(ContextMenuOpens(Window(), 20, client.bottom - 5));
}

TEST_F(MainWndCommand, ResizeKeepsListBetweenRebarAndStatusBar)
{
    ASSERT_TRUE(CreateWindowNow());
    for (int width : {500, 900}) {
        SetWindowPos(Main(), nullptr, 0, 0, width, width * 3 / 4, SWP_NOZORDER | SWP_NOMOVE);
        PumpMessages();
        RECT client = {};
        GetClientRect(Main(), &client);
        HWND rebar = FindWindowExA(Main(), nullptr, REBARCLASSNAMEA, nullptr);
        RECT bar = {};
        GetWindowRect(rebar, &bar);
        RECT list = {};
        GetWindowRect(Window().GetSerifList().GetHandle(), &list);
        RECT status = {};
        GetWindowRect(Window().GetStatusBar().GetHandle(), &status);
        RECT barClient = {};
        GetClientRect(rebar, &barClient);
        POINT listTopLeft = {list.left, list.top};
        ScreenToClient(Main(), &listTopLeft);
        EXPECT_EQ(barClient.bottom + 2, listTopLeft.y) << width;
        EXPECT_EQ(0, listTopLeft.x) << width;
        EXPECT_EQ(status.top, list.bottom) << width;
        EXPECT_EQ(client.right, list.right - list.left) << width;
    }
}
