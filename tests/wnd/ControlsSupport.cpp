#include "ControlsSupport.h"

#include <vector>

namespace ctltest
{

namespace
{

const char kPlainClass[] = "RolecueCtlTestPlain";

void RegisterPlainClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kPlainClass;
    registered = RegisterClassExA(&wc) != 0;
}

CDialogDriver* g_driver = nullptr;

struct CFindState
{
    const char* caption;
    HWND found;
};

BOOL CALLBACK FindDialogProc(HWND hwnd, LPARAM param)
{
    CFindState& state = *reinterpret_cast<CFindState*>(param);
    char className[32] = {};
    GetClassNameA(hwnd, className, sizeof(className));
    if (lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd))
        return TRUE;
    if (state.caption) {
        char text[256] = {};
        GetWindowTextA(hwnd, text, sizeof(text));
        if (lstrcmpA(text, state.caption) != 0)
            return TRUE;
    }
    state.found = hwnd;
    return FALSE;
}

BOOL CALLBACK CancelDialogProc(HWND hwnd, LPARAM)
{
    char className[32] = {};
    GetClassNameA(hwnd, className, sizeof(className));
    if (lstrcmpA(className, "#32770") == 0)
        PostCommand(hwnd, IDCANCEL);
    return TRUE;
}

const int kDriverGiveUpTicks = 500;  // of 20 ms

}  // namespace

HWND CreatePlainWindow(const char* title)
{
    RegisterPlainClass();
    HWND hwnd = CreateWindowExA(0, kPlainClass, title, WS_OVERLAPPEDWINDOW, 100, 100, 480, 360,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    PumpMessages();
    return hwnd;
}

CTestWindow::CTestWindow(const char* title) : m_Hwnd(CreatePlainWindow(title)) {}

CTestWindow::~CTestWindow()
{
    if (m_Hwnd && IsWindow(m_Hwnd))
        DestroyWindow(m_Hwnd);
    PumpMessages();
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, int maxRounds)
{
    for (int round = 0; round < maxRounds; ++round) {
        PumpMessages();
        if (done())
            return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    PumpMessages();
    return done();
}

HWND FindThreadDialog(const char* caption)
{
    CFindState state = {caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindDialogProc, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

CDialogDriver::CDialogDriver(const char* caption, std::function<void(HWND)> action)
    : m_Caption(caption ? caption : ""), m_AnyCaption(caption == nullptr),
      m_Action(std::move(action)), m_Timer(0), m_Ticks(0), m_Acted(false), m_GaveUp(false)
{
    g_driver = this;
    m_Timer = SetTimer(nullptr, 0, 20, OnTimer);
}

CDialogDriver::~CDialogDriver()
{
    if (m_Timer)
        KillTimer(nullptr, m_Timer);
    if (g_driver == this)
        g_driver = nullptr;
}

void CALLBACK CDialogDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_driver)
        g_driver->Tick();
}

void CDialogDriver::Tick()
{
    ++m_Ticks;
    if (!m_Acted) {
        HWND dialog = FindThreadDialog(m_AnyCaption ? nullptr : m_Caption.c_str());
        if (dialog) {
            m_Acted = true;
            m_Action(dialog);
            return;
        }
    }
    if (m_Ticks >= kDriverGiveUpTicks && !m_GaveUp) {
        m_GaveUp = true;
        EnumThreadWindows(GetCurrentThreadId(), CancelDialogProc, 0);
    }
}

void PostCommand(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

namespace
{

template <typename Char>
std::basic_string<Char> ReadClipboard(UINT format, bool* found)
{
    std::basic_string<Char> text;
    if (found)
        *found = false;
    if (!OpenClipboard(nullptr))
        return text;
    HANDLE data = GetClipboardData(format);
    if (data) {
        const Char* chars = static_cast<const Char*>(GlobalLock(data));
        if (chars) {
            const SIZE_T size = GlobalSize(data) / sizeof(Char);
            SIZE_T length = 0;
            while (length < size && chars[length] != 0)
                ++length;
            text.assign(chars, length);
            GlobalUnlock(data);
            if (found)
                *found = true;
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace

std::string ReadClipboardText(bool* found)
{
    return ReadClipboard<char>(CF_TEXT, found);
}

std::wstring ReadClipboardUnicode(bool* found)
{
    return ReadClipboard<wchar_t>(CF_UNICODETEXT, found);
}

CTempFolder::CTempFolder()
{
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[64];
        wsprintfA(name, "wndctl-%lu-%u\\", GetCurrentProcessId(), ++counter);
        std::string path = std::string(base) + name;
        if (CreateDirectoryA(path.c_str(), nullptr)) {
            m_Path = path;
            return;
        }
    }
}

CTempFolder::~CTempFolder()
{
    if (m_Path.empty())
        return;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((m_Path + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((m_Path + data.cFileName).c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(m_Path.c_str());
}

bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsShiftJisSystem()
{
    return GetACP() == 932;
}

}  // namespace ctltest
