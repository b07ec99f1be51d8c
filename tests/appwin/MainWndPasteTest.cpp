// The paste step of the main window, carried out for real inside one
// process: the clipboard gets the whole serif text (CF_TEXT and
// CF_UNICODETEXT), Ctrl+V lands in an edit control in front, the cursor
// moves on; a clipboard that cannot be opened sends no keys and leaves the
// line to the next press; the hotkey registration and its failure message.
#include "MainWndSupport.h"

#include <process.h>

#include "res/resource.h"
#include "wnd/WideText.h"

namespace
{

// An edit control that takes the synthesised keys. By default it is a child
// of the main window, so taking the focus changes no activation: under Xvfb
// without a window manager, two top-level windows activated in quick
// succession can make Wine hand the activation back and forth between them
// for ever (each stale X focus event re-activates its window). A separate
// top-level target, for the hotkey path that needs another window in front,
// is brought forward only once the main window's own activation has settled.
class CTarget
{
public:
    enum EKind
    {
        InMainWindow,
        OwnWindow
    };

    CTarget(HWND main, EKind kind = InMainWindow)
    {
        HWND parent = main;
        if (kind == OwnWindow) {
            EXPECT_TRUE(PumpUntil([main] { return GetForegroundWindow() == main; }));
            PumpFor(300);
            m_Frame =
                CreateWindowExA(0, "STATIC", "target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                400, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
            parent = m_Frame;
        }
        m_Edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 380,
                                 160, parent, reinterpret_cast<HMENU>(kEditId),
                                 GetModuleHandleA(nullptr), nullptr);
        if (m_Frame)
            SetForegroundWindow(m_Frame);
        SetFocus(m_Edit);
        EXPECT_TRUE(PumpUntil([this] {
            return GetFocus() == m_Edit && (!m_Frame || GetForegroundWindow() == m_Frame);
        })) << "the target did not get the focus";
    }
    ~CTarget() { DestroyWindow(m_Frame ? m_Frame : m_Edit); }
    std::string Text() const
    {
        char text[4096] = {};
        GetWindowTextA(m_Edit, text, sizeof text);
        return text;
    }

private:
    // Far from every command id of the main window, which receives the
    // edit control's notifications.
    static const INT_PTR kEditId = 0x7FF0;
    HWND m_Frame = nullptr;
    HWND m_Edit = nullptr;
};

// Reads the clipboard as another program would, waiting up to a second for
// it to be free (Wine's X11 bridge may hold it just after a change).
template <typename Char>
std::basic_string<Char> ReadClipboard(UINT format)
{
    std::basic_string<Char> text;
    const DWORD start = GetTickCount();
    while (!OpenClipboard(nullptr)) {
        if (GetTickCount() - start > 1000)
            return text;
        Sleep(5);
    }
    HANDLE data = GetClipboardData(format);
    if (data != nullptr) {
        text = static_cast<const Char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

std::string ClipboardText()
{
    return Narrow(ReadClipboard<wchar_t>(CF_UNICODETEXT));
}
std::wstring ClipboardUnicode()
{
    return ReadClipboard<wchar_t>(CF_UNICODETEXT);
}

void PutOnClipboard(const std::string& text)
{
    const DWORD start = GetTickCount();
    while (!OpenClipboard(nullptr)) {
        ASSERT_LT(GetTickCount() - start, 1000u) << "clipboard held by another program";
        Sleep(5);
    }
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
    memcpy(GlobalLock(memory), text.c_str(), text.size());
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

// Holds the clipboard open from another thread until released.
class CClipboardHolder
{
public:
    CClipboardHolder()
    {
        m_Opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_Release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_Thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, Run, this, 0, nullptr));
        WaitForSingleObject(m_Opened, 5000);
    }
    ~CClipboardHolder()
    {
        SetEvent(m_Release);
        WaitForSingleObject(m_Thread, 5000);
        CloseHandle(m_Thread);
        CloseHandle(m_Opened);
        CloseHandle(m_Release);
    }

private:
    static unsigned __stdcall Run(void* self)
    {
        CClipboardHolder* holder = static_cast<CClipboardHolder*>(self);
        OpenClipboard(nullptr);
        SetEvent(holder->m_Opened);
        WaitForSingleObject(holder->m_Release, 10000);
        CloseClipboard();
        return 0;
    }
    HANDLE m_Opened;
    HANDLE m_Release;
    HANDLE m_Thread;
};

}  // namespace

class MainWndPaste : public MainWndTest
{
protected:
    void Open(const std::vector<CSerif>& serifs)
    {
        const std::string path = SaveScenario(MakeScript(serifs), "paste.xml");
        ASSERT_TRUE(CreateWindowNow());
        ASSERT_TRUE(Window().OpenScenario(path));
    }
};

TEST_F(MainWndPaste, PastesWholeTextIntoTargetAndMovesOn)
{
    // Add return off keeps the edit control's text to the serif itself.
    m_OptionText = OptionFileText(0, 0x0078);
    const std::string longText(150, 'a');
    std::string japanese;
    for (int i = 0; i < 100; ++i)
        japanese += "あ";  // 200 bytes
    Open({CSerif(0, longText + japanese), CSerif(1, "二行目")});
    CTarget target(Main());
    Window().PasteNextSerif();
    EXPECT_TRUE(PumpUntil([&] { return target.Text() == longText + japanese; })) << target.Text();
    EXPECT_EQ(longText + japanese, ClipboardText());
    EXPECT_EQ(1, Window().GetSerifList().GetSelected());
    EXPECT_EQ(0, Window().GetSequencer().GetLastPastedRow());
}

TEST_F(MainWndPaste, PastesEveryCharacterAsUnicodeText)
{
    m_OptionText = OptionFileText(0, 0x0078);
    Open({CSerif(0, "こんにちは、ｶﾀｶﾅ♡😊𠮷ʕ•ᴥ•ʔ")});
    CTarget target(Main());
    Window().PasteNextSerif();
    EXPECT_TRUE(PumpUntil([&] { return target.Text() == "こんにちは、ｶﾀｶﾅ♡😊𠮷ʕ•ᴥ•ʔ"; }))
        << target.Text();
    EXPECT_EQ(L"こんにちは、ｶﾀｶﾅ\u2661\U0001F60A\U00020BB7\u0295\u2022\u1D25\u2022\u0294",
              ClipboardUnicode());
}

// Several casts from one seat: each press pastes the next row of any checked
// cast in that cast's format, with the chat's markup escaped, passing over
// the other casts' rows; the next and previous cast keys step the box.
TEST_F(MainWndPaste, SeveralCastsPasteInTheirFormatsEscaped)
{
    m_OptionText = OptionFileText(0, 0x0078);
    CScript script;
    script.SetTitle("酒場");
    script.AddCast(CCast(0, "店主", "", "{name}「{text}」"));
    script.AddCast(CCast(1, "衛兵", "", "{name}: {text}"));
    script.AddCast(CCast(2, "勇者"));
    for (const CSerif& serif : {CSerif(0, "いらっしゃい(*´▽`*)"), CSerif(2, "こんにちは"),
                                CSerif(1, "止まれ"), CSerif(2, "通して"), CSerif(0, "またね")})
        script.AddSerif(serif);
    ASSERT_TRUE(CreateWindowNow());
    ASSERT_TRUE(Window().OpenScenario(SaveScenario(script, "tavern.xml")));
    Window().GetOption().m_Paste.m_EscapeMarkup = 1;
    Window().SetActiveCasts({1, 0});
    CComboBox& box = Window().GetCastBox();
    EXPECT_EQ("（2 人）", std::string(box.GetSelectedText()));
    EXPECT_EQ((std::vector<int32_t>{0, 1}), Window().GetActiveCasts());

    // The next line, formatted, is over the limit: the status bar says so.
    Window().GetOption().m_Paste.m_LengthWarning = 16;
    Window().SetMonitoring(true);
    char status[256] = {};
    Window().GetStatusBar().Send(SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(status));
    EXPECT_EQ("1行　17 文字の行です", std::string(status));
    Window().GetOption().m_Paste.m_LengthWarning = 17;
    Window().RefreshViews();
    Window().GetStatusBar().Send(SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(status));
    EXPECT_EQ("1行", std::string(status));

    CTarget target(Main());
    std::string typed;
    for (const char* line :
         {"店主「いらっしゃい(\\*´▽\\`\\*)」", "衛兵: 止まれ", "店主「またね」"}) {
        Window().PasteNextSerif();
        typed += line;
        EXPECT_TRUE(PumpUntil([&] { return target.Text() == typed; })) << target.Text();
        EXPECT_EQ(line, ClipboardText());
    }

    // Next: the empty entry (the set ends); previous from there: the last cast.
    Window().OnCueKey(CPasteSequencer::kNextCastId);
    EXPECT_EQ(0, static_cast<int>(box.Send(CB_GETCURSEL)));
    EXPECT_EQ(4, static_cast<int>(box.Send(CB_GETCOUNT)));
    EXPECT_TRUE(Window().GetActiveCasts().empty());
    Window().OnCueKey(CPasteSequencer::kPrevCastId);
    EXPECT_EQ(3, static_cast<int>(box.Send(CB_GETCURSEL)));
    EXPECT_EQ(1u, Window().GetActiveCasts().size());
    Window().OnCueKey(CPasteSequencer::kNextCastId);
    EXPECT_TRUE(Window().GetActiveCasts().empty());
}

TEST_F(MainWndPaste, AddReturnFollowsWithEnter)
{
    Open({CSerif(0, "一"), CSerif(0, "二")});
    ASSERT_TRUE(Window().IsAddReturn());
    CTarget target(Main());
    Window().PasteNextSerif();
    ASSERT_TRUE(PumpUntil([&] { return target.Text() == "一\r\n"; })) << target.Text();
    Window().PasteNextSerif();
    EXPECT_TRUE(PumpUntil([&] { return target.Text() == "一\r\n二\r\n"; })) << target.Text();
}

// Regression: a clipboard that could not be opened used to let the keys go
// out anyway, pasting whatever the clipboard held before.
TEST_F(MainWndPaste, ClipboardFailureSendsNoKeysAndRetriesSameLine)
{
    m_OptionText = OptionFileText(0, 0x0078);
    Open({CSerif(0, "一"), CSerif(0, "二")});
    PutOnClipboard("OLD");
    CTarget target(Main());
    {
        CClipboardHolder holder;
        Window().PasteNextSerif();
    }
    PumpFor(300);
    EXPECT_EQ("", target.Text());
    EXPECT_EQ(0, Window().GetSerifList().GetSelected());
    EXPECT_EQ(-1, Window().GetSequencer().GetLastPastedRow());

    Window().PasteNextSerif();
    EXPECT_TRUE(PumpUntil([&] { return target.Text() == "一"; })) << target.Text();
    EXPECT_EQ(1, Window().GetSerifList().GetSelected());
}

TEST_F(MainWndPaste, NothingToPasteEmptiesClipboard)
{
    Open({CSerif(0, "一")});
    Window().GetSerifList().Select(0);
    CTarget target(Main());
    Window().PasteNextSerif();
    ASSERT_TRUE(PumpUntil([&] { return target.Text() == "一\r\n"; })) << target.Text();
    PutOnClipboard("OLD");
    Window().PasteNextSerif();  // row 0 was just pasted: nothing to paste
    PumpFor(200);
    EXPECT_EQ("", ClipboardText());
    EXPECT_EQ("一\r\n", target.Text());
}

TEST_F(MainWndPaste, HotKeyIsRegisteredAtCreation)
{
    ASSERT_TRUE(CreateWindowNow());
    EXPECT_TRUE(Window().IsHotKeyRegistered());
    HWND other = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    EXPECT_FALSE(RegisterHotKey(other, 1, 0, VK_F9));
    DestroyWindow(other);
}

TEST_F(MainWndPaste, HotKeyWithExtBitRegistersPlainKey)
{
    m_OptionText = OptionFileText(1, 0x0878);  // HOTKEYF_EXT + F9
    ASSERT_TRUE(CreateWindowNow());
    EXPECT_TRUE(Window().IsHotKeyRegistered());
    HWND other = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    EXPECT_FALSE(RegisterHotKey(other, 1, 0, VK_F9));
    DestroyWindow(other);
}

TEST_F(MainWndPaste, TakenHotKeyShowsValueInMessage)
{
    HWND other = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(RegisterHotKey(other, 1, MOD_CONTROL, 'V'));
    m_OptionText = OptionFileText(1, 0x0256);  // Ctrl+V
    {
        CDialogDriver answers({IDOK});
        ASSERT_TRUE(CreateWindowNow());
        ASSERT_EQ(1u, answers.Seen().size());
        EXPECT_EQ("ホットキーの設定に失敗しました。:0256", answers.Seen()[0].m_Text);
    }
    EXPECT_FALSE(Window().IsHotKeyRegistered());
    UnregisterHotKey(other, 1);
    DestroyWindow(other);
}

// A key held down auto-repeats; registered with MOD_NOREPEAT only its first
// press reaches the window. (Wine 8 delivers every repeat whatever the
// flag, so the registration is checked here, not the delivery.)
TEST_F(MainWndPaste, HotKeyModifiersAskForNoRepeat)
{
    EXPECT_EQ(static_cast<UINT>(MOD_NOREPEAT), PasteHotKeyModifiers(0x0077));
    EXPECT_EQ(static_cast<UINT>(MOD_CONTROL | MOD_SHIFT | MOD_NOREPEAT),
              PasteHotKeyModifiers(0x0377));
    EXPECT_EQ(static_cast<UINT>(MOD_ALT | MOD_NOREPEAT), PasteHotKeyModifiers(0x0C78));
}

// Regression: a negative KeyWait from a hand-edited option.xml turned into a
// wait of about 49 days, so every press was ignored.
TEST_F(MainWndPaste, NegativeKeyWaitFromFileStillPastes)
{
    m_OptionText = OptionFileText(0, 0x0078);
    Open({CSerif(0, "一"), CSerif(0, "二")});
    Window().GetOption().m_Hotkey.m_KeyWait = -5;
    Window().SetMonitoring(true);
    CTarget target(Main(), CTarget::OwnWindow);
    Window().OnHotKey(1);
    EXPECT_TRUE(PumpUntil([&] { return target.Text() == "一"; })) << target.Text();
    EXPECT_EQ(1, Window().GetSerifList().GetSelected());
}

// ---- the user's clipboard ---------------------------------------------------

TEST_F(MainWndPaste, PastedTextIsMarkedForHistoryAndCloudUnlessTurnedOff)
{
    const char* const formats[] = {"ExcludeClipboardContentFromMonitorProcessing",
                                   "CanIncludeInClipboardHistory", "CanUploadToCloudClipboard"};
    m_OptionText = OptionFileText(0, 0x0078);
    Open({CSerif(0, "一"), CSerif(0, "二")});
    CTarget target(Main());
    for (int keepOut = 1; keepOut >= 0; --keepOut) {
        Window().GetOption().m_Paste.m_KeepOutOfHistory = keepOut;
        Window().PasteNextSerif();
        ASSERT_TRUE(PumpUntil([&] { return !target.Text().empty(); }));
        ASSERT_TRUE(OpenClipboard(nullptr));
        for (const char* name : formats) {
            const UINT format = RegisterClipboardFormatA(name);
            EXPECT_EQ(keepOut == 1, IsClipboardFormatAvailable(format) != FALSE) << name;
            if (keepOut == 1) {
                HANDLE data = GetClipboardData(format);
                ASSERT_NE(nullptr, data) << name;
                ASSERT_GE(GlobalSize(data), sizeof(DWORD)) << name;
                EXPECT_EQ(0u, *static_cast<const DWORD*>(GlobalLock(data))) << name;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
        SetWindowTextA(GetFocus(), "");
    }
}

// Restore on, a short delay: the user's text comes back after the delay, a
// second press within it keeps the first saved text, and something the user
// copied after a paste is never overwritten.
TEST_F(MainWndPaste, RestoresTheUsersClipboardAfterTheDelayOnlyWhileOurs)
{
    m_OptionText = OptionFileText(0, 0x0078);
    Open({CSerif(0, "一"), CSerif(0, "二"), CSerif(0, "三")});
    COptionPaste& paste = Window().GetOption().m_Paste;
    paste.m_RestoreClipboard = 1;
    paste.m_RestoreWait = 400;
    CTarget target(Main());

    PutOnClipboard("OLD");
    Window().PasteNextSerif();
    ASSERT_TRUE(PumpUntil([&] { return target.Text() == "一"; })) << target.Text();
    EXPECT_EQ("一", ClipboardText());
    Window().PasteNextSerif();  // within the delay
    ASSERT_TRUE(PumpUntil([&] { return target.Text() == "一二"; })) << target.Text();
    EXPECT_EQ("二", ClipboardText());
    EXPECT_TRUE(PumpUntil([&] { return !Window().IsClipboardRestorePending(); }));
    EXPECT_EQ("OLD", ClipboardText());

    Window().PasteNextSerif();
    ASSERT_TRUE(PumpUntil([&] { return target.Text() == "一二三"; })) << target.Text();
    PutOnClipboard("USER");
    EXPECT_TRUE(PumpUntil([&] { return !Window().IsClipboardRestorePending(); }));
    PumpFor(100);
    EXPECT_EQ("USER", ClipboardText());
}

TEST_F(MainWndPaste, ShiftInsertPastesWithNoKeyLeftDown)
{
    m_OptionText = OptionFileText(0, 0x0078);
    Open({CSerif(0, "一"), CSerif(0, "二")});
    CTarget target(Main());
    Window().GetOption().m_Paste.m_Key = EPasteKey::ShiftInsert;
    Window().PasteNextSerif();
    EXPECT_TRUE(PumpUntil([&] { return target.Text() == "一"; })) << target.Text();
    for (int key : {VK_SHIFT, VK_CONTROL, VK_INSERT, int{'V'}})
        EXPECT_FALSE(GetAsyncKeyState(key) & 0x8000) << key;
}
