// e2e_probe.exe: the Windows side of the end-to-end tests. Each run does one
// thing to the running Rolecue or notepad and prints the answer on stdout;
// the test scripts run it under Wine between their xdotool steps. It runs in
// the program's UTF-8 code page: every text it takes or prints as hex is
// UTF-8, as in Rolecue.
//
//   main-count             number of top-level windows of class "Rolecue"
//   command ID             SendMessage WM_COMMAND ID to the Rolecue window
//   select-cast HEX        selects the cast box entry whose text is HEX
//                          (empty HEX: the empty entry)
//   cursor                 the serif list's selected row, -1 for none
//   rows                   the serif list's row count
//   monitoring             1 when the monitoring menu item is checked, 0
//                          when not, -1 when the menu cannot be read
//   foreground             class name of the foreground window
//   title                  Rolecue's window text as hex
//   text CLASS             text of the first "Edit" child of the top-level
//                          window of class CLASS, as hex
//   clear CLASS            empties that edit control
//   clipboard              CF_UNICODETEXT of the clipboard as hex of its
//                          UTF-8, "none" without
//   last-line CLASS        "COUNT HEX": the number of line breaks in that
//                          edit control's text and, as hex, the last line
//                          ended by one (empty when there is none)
//   counters               Rolecue's process as "pid handles user gdi
//                          private workingset systemhandles windows":
//                          GetProcessHandleCount, GetGuiResources (USER and
//                          GDI objects), GetProcessMemoryInfo's PrivateUsage
//                          and WorkingSetSize in bytes, the process's entries
//                          in the system handle table and its windows (top
//                          level and children); -1 where a call fails
//   serve                  reads one command a line from stdin (the words
//                          above) and answers each with its output and a
//                          line "end CODE"; ends at end of input. Spares
//                          the soak a Wine start per question.
//   activate CLASS         SetForegroundWindow on the top-level window of
//                          class CLASS (when X focus events got lost)
//   standby                the standby strip's window text as hex, "none"
//                          when the strip is hidden or missing
//   box HEX                the text of the message box (a top-level
//                          "#32770") whose caption is HEX, as hex
//   keylog FILE            shows a window of class "RolecueKeyLog" and
//                          writes each key it receives to FILE ("+XX"
//                          press, "-XX" release) until it is ended
//
// Exit code 0 on success, 1 when a window is missing, 2 on bad usage.
// Only messages that Wine marshals between processes are used: window text,
// combo box and plain list-view queries without pointers.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{

const int kCastBoxId = 20002;
const int kSerifListId = 20000;
const int kMonitorCommand = 151;
// The static control that holds a message box's text.
const int kMessageBoxTextId = 0xFFFF;

std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string Utf8(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return std::string();
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], size, nullptr, nullptr);
    out.resize(static_cast<size_t>(size) - 1);
    return out;
}

std::string Unhex(const char* hex)
{
    std::string out;
    for (size_t i = 0; hex[i] && hex[i + 1]; i += 2) {
        char pair[3] = {hex[i], hex[i + 1], 0};
        out += static_cast<char>(std::strtoul(pair, nullptr, 16));
    }
    return out;
}

HWND MainWindow()
{
    return FindWindowA("Rolecue", nullptr);
}

struct CChildSearch
{
    int m_Id = 0;
    const char* m_Class = nullptr;
    HWND m_Found = nullptr;
};

BOOL CALLBACK FindChild(HWND child, LPARAM param)
{
    CChildSearch* search = reinterpret_cast<CChildSearch*>(param);
    if (search->m_Class != nullptr) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, search->m_Class) != 0)
            return TRUE;
    } else if (GetDlgCtrlID(child) != search->m_Id) {
        return TRUE;
    }
    search->m_Found = child;
    return FALSE;
}

// Children of children too (the cast box sits in the rebar).
HWND ChildById(HWND parent, int id)
{
    CChildSearch search;
    search.m_Id = id;
    EnumChildWindows(parent, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.m_Found;
}

HWND ChildByClass(HWND parent, const char* className)
{
    CChildSearch search;
    search.m_Class = className;
    EnumChildWindows(parent, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.m_Found;
}

BOOL CALLBACK CountMain(HWND window, LPARAM param)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "Rolecue") == 0)
        ++*reinterpret_cast<int*>(param);
    return TRUE;
}

std::string WindowText(HWND window)
{
    int length = static_cast<int>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = static_cast<int>(
        SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0])));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

int Fail(const char* what)
{
    std::fprintf(stderr, "e2e_probe: %s\n", what);
    return 1;
}

// The process's entries in the system handle table: where
// GetProcessHandleCount answers 0 for another process (Wine), this one
// still counts.
long long SystemHandleCount(DWORD pid)
{
    typedef LONG(WINAPI * QueryFunction)(ULONG, PVOID, ULONG, PULONG);
    const FARPROC address =
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation");
    if (address == nullptr)
        return -1;
    const QueryFunction query =
        reinterpret_cast<QueryFunction>(reinterpret_cast<void (*)()>(address));
    const LONG kLengthMismatch = static_cast<LONG>(0xC0000004);
    std::vector<char> buffer(1 << 16);
    for (int tries = 0; tries < 16; ++tries) {
        ULONG needed = 0;
        const LONG status = query(SystemHandleInformation, buffer.data(),
                                  static_cast<ULONG>(buffer.size()), &needed);
        if (status == kLengthMismatch) {
            buffer.resize(buffer.size() * 2 > needed + 4096 ? buffer.size() * 2 : needed + 4096);
            continue;
        }
        if (status < 0)
            return -1;
        const SYSTEM_HANDLE_INFORMATION* table =
            reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(buffer.data());
        long long count = 0;
        for (ULONG i = 0; i < table->Count; ++i)
            if (table->Handle[i].OwnerPid == pid)
                ++count;
        return count;
    }
    return -1;
}

struct CWindowCount
{
    DWORD m_Pid = 0;
    long long m_Count = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM param)
{
    ++reinterpret_cast<CWindowCount*>(param)->m_Count;
    return TRUE;
}

BOOL CALLBACK CountOwnWindows(HWND window, LPARAM param)
{
    CWindowCount* count = reinterpret_cast<CWindowCount*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == count->m_Pid) {
        ++count->m_Count;
        EnumChildWindows(window, CountChild, param);
    }
    return TRUE;
}

// The figures of the process that owns `window`. Under Wine some calls are
// stubs that answer 0; the caller tells those apart.
int PrintCounters(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (process == nullptr)
        process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process == nullptr)
        return Fail("cannot open Rolecue's process");
    long long handles = -1;
    DWORD handleCount = 0;
    if (GetProcessHandleCount(process, &handleCount))
        handles = handleCount;
    SetLastError(0);
    long long user = GetGuiResources(process, GR_USEROBJECTS);
    if (user == 0 && GetLastError() != 0)
        user = -1;
    SetLastError(0);
    long long gdi = GetGuiResources(process, GR_GDIOBJECTS);
    if (gdi == 0 && GetLastError() != 0)
        gdi = -1;
    long long privateBytes = -1;
    long long workingSet = -1;
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory)) {
        privateBytes = static_cast<long long>(memory.PrivateUsage);
        workingSet = static_cast<long long>(memory.WorkingSetSize);
    }
    CloseHandle(process);
    CWindowCount windows;
    windows.m_Pid = pid;
    EnumWindows(CountOwnWindows, reinterpret_cast<LPARAM>(&windows));
    std::printf("%lu %lld %lld %lld %lld %lld %lld %lld\n", static_cast<unsigned long>(pid),
                handles, user, gdi, privateBytes, workingSet, SystemHandleCount(pid),
                windows.m_Count);
    return 0;
}

int Run(int argc, char** argv);

// The key log: a top-level window "RolecueKeyLog" that writes every key
// transition it receives to a file as it comes, "+XX" for a press and "-XX"
// for a release (virtual-key code in hex), one a line. It runs until the
// window is closed or the process is ended.
FILE* g_KeyLog = nullptr;

LRESULT CALLBACK KeyLogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
        std::fprintf(g_KeyLog, "%c%02X\n", up ? '-' : '+', static_cast<unsigned>(wParam & 0xFF));
        std::fflush(g_KeyLog);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

int KeyLog(const char* path)
{
    g_KeyLog = std::fopen(path, "w");
    if (g_KeyLog == nullptr)
        return Fail("cannot write the key log");
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = KeyLogProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "RolecueKeyLog";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&windowClass);
    CreateWindowExA(0, "RolecueKeyLog", "key log", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400,
                    300, nullptr, nullptr, windowClass.hInstance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    std::fclose(g_KeyLog);
    return 0;
}

// One command a line; the words are split at blanks.
int Serve()
{
    char line[1024];
    while (std::fgets(line, sizeof line, stdin) != nullptr) {
        std::vector<char*> words = {const_cast<char*>("e2e_probe")};
        for (char* word = std::strtok(line, " \t\r\n"); word != nullptr;
             word = std::strtok(nullptr, " \t\r\n"))
            words.push_back(word);
        words.push_back(nullptr);
        const int code =
            words.size() > 2 ? Run(static_cast<int>(words.size() - 1), words.data()) : 2;
        std::printf("end %d\n", code);
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "serve") == 0)
        return Serve();
    if (argc >= 3 && std::strcmp(argv[1], "keylog") == 0)
        return KeyLog(argv[2]);
    return Run(argc, argv);
}

namespace
{

int Run(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    std::string verb = argv[1];

    if (verb == "main-count") {
        int count = 0;
        EnumWindows(CountMain, reinterpret_cast<LPARAM>(&count));
        std::printf("%d\n", count);
        return 0;
    }
    if (verb == "foreground") {
        char name[128] = {};
        HWND front = GetForegroundWindow();
        if (front != nullptr)
            GetClassNameA(front, name, sizeof name);
        std::printf("%s\n", name);
        return 0;
    }
    if (verb == "clipboard") {
        std::string text = "none";
        if (OpenClipboard(nullptr)) {
            HANDLE data = GetClipboardData(CF_UNICODETEXT);
            if (data != nullptr) {
                const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(data));
                text = p != nullptr ? Hex(Utf8(p)) : "none";
                GlobalUnlock(data);
            }
            CloseClipboard();
        }
        std::printf("%s\n", text.c_str());
        return 0;
    }
    if (verb == "box") {
        const std::string caption = argc >= 3 ? Unhex(argv[2]) : std::string();
        HWND box = FindWindowA("#32770", caption.c_str());
        HWND text = box != nullptr ? ChildById(box, kMessageBoxTextId) : nullptr;
        if (text == nullptr)
            return Fail("no such message box");
        std::printf("%s\n", Hex(WindowText(text)).c_str());
        return 0;
    }
    if (verb == "activate") {
        HWND top = argc >= 3 ? FindWindowA(argv[2], nullptr) : nullptr;
        if (top == nullptr)
            return Fail("no such window");
        SetForegroundWindow(top);
        return 0;
    }
    if (verb == "standby") {
        HWND strip = FindWindowA("RolecueStandby", nullptr);
        std::printf("%s\n", strip != nullptr && IsWindowVisible(strip)
                                ? Hex(WindowText(strip)).c_str()
                                : "none");
        return 0;
    }
    if (verb == "text" || verb == "clear" || verb == "last-line") {
        if (argc < 3)
            return 2;
        HWND top = FindWindowA(argv[2], nullptr);
        HWND edit = top != nullptr ? ChildByClass(top, "Edit") : nullptr;
        if (edit == nullptr)
            return Fail("no edit control");
        if (verb == "clear") {
            SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
            return 0;
        }
        if (verb == "last-line") {
            const std::string text = WindowText(edit);
            int breaks = 0;
            size_t last = std::string::npos;
            size_t before = 0;
            for (size_t at = text.find("\r\n"); at != std::string::npos;
                 at = text.find("\r\n", at + 2)) {
                ++breaks;
                before = last == std::string::npos ? 0 : last + 2;
                last = at;
            }
            const std::string line =
                last == std::string::npos ? std::string() : text.substr(before, last - before);
            std::printf("%d %s\n", breaks, Hex(line).c_str());
            return 0;
        }
        std::printf("%s\n", Hex(WindowText(edit)).c_str());
        return 0;
    }

    HWND main = MainWindow();
    if (main == nullptr)
        return Fail("no Rolecue window");

    if (verb == "command") {
        if (argc < 3)
            return 2;
        SendMessageA(main, WM_COMMAND, MAKEWPARAM(std::atoi(argv[2]), 0), 0);
        return 0;
    }
    if (verb == "counters")
        return PrintCounters(main);
    if (verb == "title") {
        std::printf("%s\n", Hex(WindowText(main)).c_str());
        return 0;
    }
    if (verb == "monitoring") {
        // -1 when the menu cannot be read from this process.
        UINT state = GetMenuState(GetMenu(main), kMonitorCommand, MF_BYCOMMAND);
        std::printf("%d\n", state == static_cast<UINT>(-1) ? -1 : ((state & MF_CHECKED) ? 1 : 0));
        return 0;
    }
    if (verb == "cursor" || verb == "rows") {
        HWND list = ChildById(main, kSerifListId);
        if (list == nullptr)
            return Fail("no serif list");
        LRESULT value = verb == "cursor" ? SendMessageA(list, LVM_GETNEXTITEM,
                                                        static_cast<WPARAM>(-1), LVNI_SELECTED)
                                         : SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
        std::printf("%d\n", static_cast<int>(value));
        return 0;
    }
    if (verb == "select-cast") {
        std::string name = argc >= 3 ? Unhex(argv[2]) : std::string();
        HWND box = ChildById(main, kCastBoxId);
        if (box == nullptr)
            return Fail("no cast box");
        LRESULT index = SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(name.c_str()));
        if (index == CB_ERR)
            return Fail("no such cast");
        SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(main, WM_COMMAND, MAKEWPARAM(kCastBoxId, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(box));
        return 0;
    }
    return 2;
}

}  // namespace
