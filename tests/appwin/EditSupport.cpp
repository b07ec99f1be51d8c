// Helpers of the editing and search command suites.
#include "EditSupport.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "wnd/WideText.h"

void ClearSelection(HWND list)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

bool HasFocusIn(HWND window)
{
    HWND focus = GetFocus();
    return focus != nullptr && (focus == window || IsChild(window, focus));
}

std::string ClipboardText()
{
    const std::wstring text = ClipboardUnicode();
    return text == L"(none)" ? "(none)" : Narrow(text);
}

std::wstring ClipboardUnicode()
{
    std::wstring text = L"(none)";
    if (!OpenClipboard(nullptr))
        return text;
    // Only what the program placed itself: a system conversion from CF_TEXT
    // would make the answer meaningless.
    if (IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        UINT format = 0;
        bool placed = false;
        while ((format = EnumClipboardFormats(format)) != 0) {
            if (format == CF_UNICODETEXT)
                placed = true;
        }
        HANDLE data = placed ? GetClipboardData(CF_UNICODETEXT) : nullptr;
        if (data != nullptr) {
            const wchar_t* chars = static_cast<const wchar_t*>(GlobalLock(data));
            if (chars != nullptr)
                text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void SetClipboardMarker(const std::string& text)
{
    if (!OpenClipboard(nullptr))
        return;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (memory != nullptr) {
        char* bytes = static_cast<char*>(GlobalLock(memory));
        lstrcpyA(bytes, text.c_str());
        GlobalUnlock(memory);
        if (SetClipboardData(CF_TEXT, memory) == nullptr)
            GlobalFree(memory);
    }
    CloseClipboard();
}

void PressKey(WORD virtualKey, bool shift, bool control)
{
    std::vector<INPUT> inputs;
    auto add = [&inputs](WORD key, bool up) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    if (control)
        add(VK_CONTROL, false);
    if (shift)
        add(VK_SHIFT, false);
    add(virtualKey, false);
    add(virtualKey, true);
    if (shift)
        add(VK_SHIFT, true);
    if (control)
        add(VK_CONTROL, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void PumpWithAccelerators(HWND main, HACCEL accelerators, DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        MSG message = {};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                continue;
            bool taken = false;
            const bool input =
                (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) ||
                (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST);
            if (input) {
                for (HWND parent = GetParent(message.hwnd); parent != nullptr && !taken;
                     parent = GetParent(parent))
                    taken = IsDialogMessageA(parent, &message) != 0;
            }
            const bool translated = TranslateAcceleratorA(main, accelerators, &message) != 0;
            if (taken || translated)
                continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

void SetClipboardUnicode(const std::wstring& text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const size_t size = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), text.c_str(), size);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

HWND OwnedDialog(HWND owner)
{
    struct CSearch
    {
        HWND m_Owner;
        HWND m_Found;
    } search = {owner, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            CSearch* s = reinterpret_cast<CSearch*>(param);
            char name[16] = {};
            GetClassNameA(window, name, sizeof name);
            if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window) &&
                GetWindow(window, GW_OWNER) == s->m_Owner) {
                s->m_Found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.m_Found;
}
