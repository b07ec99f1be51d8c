// The standby strip in the real main window: its window (class, owner,
// styles), that it never takes the activation when shown, updated or
// clicked, its text after each kind of change, a saved place off every
// monitor, the menu switch, and the cue hotkeys' registration.
#include "MainWndSupport.h"

#include "app/StandbyWnd.h"
#include "res/resource.h"
#include "text/Utf8.h"
#include "wnd/WideText.h"

#include <functional>

namespace
{

const char kNothing[] = "このキャストのセリフはもうありません";

std::string CueOption(const std::string& cue)
{
    std::string text = OptionFileText(0, 0x0078);
    text.insert(text.find("</Option>"), "\t" + cue + "\r\n");
    return text;
}

}  // namespace

class StandbyTest : public MainWndTest
{
protected:
    void Open()
    {
        m_OptionText = OptionFileText(0, 0x0078);  // no Enter after a paste
        const std::string path =
            SaveScenario(MakeScript({CSerif(0, "一行目\r\n続き"), CSerif(1, "やあ"),
                                     CSerif(-1, "場面転換"), CSerif(0, "着いた")}),
                         "standby.xml");
        ASSERT_TRUE(CreateWindowNow());
        ASSERT_TRUE(Window().OpenScenario(path));
        SetForegroundWindow(Main());
        ASSERT_TRUE(PumpUntil([this] { return GetForegroundWindow() == Main(); }));
    }
    HWND Strip() { return Window().GetStandby().GetHandle(); }
    std::string StripText()
    {
        char text[512] = {};
        GetWindowTextA(Strip(), text, sizeof text);
        return text;
    }
    void SelectCast(const char* name)
    {
        CComboBox& box = Window().GetCastBox();
        box.SetCurSel(box.FindString(name, -1, true));
        Command(IDC_CAST_BOX, CBN_SELCHANGE, box.GetHandle());
    }
};

TEST_F(StandbyTest, IsAnOwnedTopmostToolWindowThatNeverTakesTheActivation)
{
    Open();
    ASSERT_NE(nullptr, Strip());
    char name[64] = {};
    GetClassNameA(Strip(), name, sizeof name);
    EXPECT_STREQ("RolecueStandby", name);
    EXPECT_EQ(Main(), GetWindow(Strip(), GW_OWNER));
    const LONG_PTR exStyle = GetWindowLongPtrA(Strip(), GWL_EXSTYLE);
    EXPECT_EQ(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
              exStyle & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE));
    EXPECT_FALSE(IsWindowVisible(Strip())) << "hidden while monitoring is off";

    Window().SetMonitoring(true);
    PumpFor(300);
    EXPECT_TRUE(IsWindowVisible(Strip()));
    EXPECT_EQ(Main(), GetForegroundWindow()) << "shown";

    Window().GetSerifList().Select(1);
    PumpFor(300);
    EXPECT_EQ("ボブ（キャスト未選択）：やあ　残り 3", StripText());
    EXPECT_EQ(Main(), GetForegroundWindow()) << "updated";

    RECT rect = {};
    GetWindowRect(Strip(), &rect);
    INPUT click[3] = {};
    click[0].type = click[1].type = click[2].type = INPUT_MOUSE;
    click[0].mi.dx = ((rect.left + rect.right) / 2) * 65535 / GetSystemMetrics(SM_CXSCREEN);
    click[0].mi.dy = ((rect.top + rect.bottom) / 2) * 65535 / GetSystemMetrics(SM_CYSCREEN);
    click[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(3, click, sizeof(INPUT));
    PumpFor(500);
    EXPECT_EQ(Main(), GetForegroundWindow()) << "clicked";
    EXPECT_NE(Strip(), GetActiveWindow());

    // Monitoring off hides it; the menu switch keeps it hidden when on.
    Window().SetMonitoring(false);
    EXPECT_FALSE(IsWindowVisible(Strip()));
    Command(IDM_SHOW_STANDBY);
    Window().SetMonitoring(true);
    EXPECT_FALSE(IsWindowVisible(Strip()));
    EXPECT_EQ(0, Window().GetOption().m_Cue.m_ShowStandby);
    Command(IDM_SHOW_STANDBY);
    EXPECT_TRUE(IsWindowVisible(Strip()));
}

TEST_F(StandbyTest, FollowsEveryKindOfChange)
{
    Open();
    Window().SetMonitoring(true);
    const struct
    {
        const char* m_What;
        std::function<void()> m_Change;
        std::string m_Line;
    } steps[] = {
        {"open", [] {}, "アリス（キャスト未選択）：一行目　残り 4"},
        {"cast", [this] { SelectCast("ボブ"); }, "ボブ：やあ　残り 1"},
        {"cursor", [this] { Window().GetSerifList().Select(2); }, "ト書きで停止：場面転換"},
        {"jump", [this] { Window().GetSerifList().Select(3); }, kNothing},
        {"cast again", [this] { SelectCast("アリス"); }, "アリス：着いた　残り 1"},
        {"paste", [this] { Window().PasteNextSerif(); }, kNothing},
        {"back", [this] { Window().OnCueKey(CPasteSequencer::kBackId); }, "アリス：着いた　残り 1"},
        {"new",
         [this] {
             CDialogDriver answers({IDYES, IDCANCEL, IDCANCEL});
             Command(IDM_FILE_NEW);
         },
         kNothing},
    };
    for (const auto& step : steps) {
        step.m_Change();
        PumpFor(100);
        EXPECT_EQ(step.m_Line, StripText()) << step.m_What;
    }
}

TEST_F(StandbyTest, APlaceOffEveryMonitorIsMovedBackAndKept)
{
    m_OptionText = CueOption("<Cue StandbyX=\"-6000\" StandbyY=\"-6000\" StandbyWidth=\"300\"/>");
    ASSERT_TRUE(CreateWindowNow());
    RECT rect = {};
    GetWindowRect(Strip(), &rect);
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(work.left, rect.left);
    EXPECT_EQ(work.top, rect.top);
    EXPECT_EQ(300, rect.right - rect.left);
    EXPECT_EQ(work.left, Window().GetOption().m_Cue.m_StandbyX);
    EXPECT_EQ(work.top, Window().GetOption().m_Cue.m_StandbyY);
}

TEST_F(StandbyTest, ATakenCueKeyIsNamedAndTheOthersStillWork)
{
    HWND other = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(RegisterHotKey(other, 1, MOD_SHIFT, VK_F9));
    m_OptionText = CueOption("<Cue Skip=\"0178\" Back=\"027a\"/>");  // Shift+F9, Ctrl+F11
    {
        CDialogDriver answers({IDOK});
        ASSERT_TRUE(CreateWindowNow());
        ASSERT_EQ(1u, answers.Seen().size());
        EXPECT_NE(std::string::npos, answers.Seen()[0].m_Text.find("Shift+F9"))
            << answers.Seen()[0].m_Text;
    }
    EXPECT_TRUE(Window().IsHotKeyRegistered());
    EXPECT_FALSE(RegisterHotKey(other, 2, MOD_CONTROL, VK_F11)) << "back is registered";
    UnregisterHotKey(other, 1);
    DestroyWindow(other);
}

TEST_F(StandbyTest, ADpiChangeScalesTheStripsFontAndHeight)
{
    ASSERT_TRUE(CreateWindowNow());
    RECT before = {};
    GetWindowRect(Strip(), &before);
    const int height = before.bottom - before.top;
    RECT suggested = {before.left + 10, before.top + 10, before.right + 10, before.bottom + 10};
    SendMessageA(Strip(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT after = {};
    GetWindowRect(Strip(), &after);
    EXPECT_EQ(144u, Window().GetStandby().GetDpi());
    EXPECT_EQ(suggested.left, after.left);
    EXPECT_EQ(suggested.right - suggested.left, after.right - after.left) << "the width is kept";
    EXPECT_NEAR(height * 1.5, after.bottom - after.top, 3);
}

// The strip's cut, at every width from nothing to the whole line, in a font
// that has no emoji: each cut is a start of the line that ends between
// characters, followed by "…", and is as long as fits.
TEST(StandbyCut, CutsOnlyBetweenCharactersAtEveryWidth)
{
    const std::string line =
        "♡😊e\u0301👍🏽🇯🇵ʕ•ᴥ•ʔ(◕‿◕)👨‍👩‍👧𠮷か\u3099〜";
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const std::wstring wide = Widen(line);
    SIZE whole = {};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &whole);
    const std::string ellipsis = "…";
    size_t longest = 0;
    for (int width = 0; width <= whole.cx; ++width) {
        const std::string cut = CutToPixels(dc, line, width);
        if (cut == line)
            break;
        ASSERT_GE(cut.size(), ellipsis.size()) << width;
        ASSERT_EQ(ellipsis, cut.substr(cut.size() - ellipsis.size())) << width;
        const size_t kept = cut.size() - ellipsis.size();
        EXPECT_EQ(0u, line.compare(0, kept, cut, 0, kept)) << width;
        EXPECT_TRUE(IsCharBoundary(line, kept)) << width << ": " << cut;
        EXPECT_GE(kept, longest) << "a wider strip never shows less";
        longest = kept;
    }
    EXPECT_EQ(line, CutToPixels(dc, line, whole.cx));
    SelectObject(dc, old);
    DeleteDC(dc);
}
