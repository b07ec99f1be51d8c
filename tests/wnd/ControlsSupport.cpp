#include "ControlsSupport.h"

#include "tests/support/Pump.h"
#include "wnd/WideText.h"

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
    return Narrow(ReadClipboard<wchar_t>(CF_UNICODETEXT, found));
}

std::wstring ReadClipboardUnicode(bool* found)
{
    return ReadClipboard<wchar_t>(CF_UNICODETEXT, found);
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace ctltest
