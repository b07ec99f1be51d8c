// package_probe.exe: the Windows side of the release zip's test
// (zip_test.py). Each run does one thing and prints the answer on stdout.
//
//   windows             one line per visible top-level window:
//                       "CLASS<TAB>TITLE<TAB>TEXT" with TEXT the window's
//                       static texts (what a message box says), Shift_JIS
//   close               posts WM_CLOSE to Rolecue's main window
//   version PATH        the version resource of PATH read back with
//                       GetFileVersionInfoA: "Fixed=a.b.c.d" and one
//                       "Name=value" line per string of its first language
//   load-option PATH    "loaded" when COption::Load reads PATH, else
//                       "failed" and the error text
//
// Exit code 0 on success, 1 when something is missing, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "option/Option.h"

namespace
{

std::string Text(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

BOOL CALLBACK AddStatic(HWND child, LPARAM texts)
{
    char name[32] = {};
    GetClassNameA(child, name, sizeof(name));
    if (lstrcmpiA(name, "Static") == 0 && !Text(child).empty())
        *reinterpret_cast<std::string*>(texts) += "[" + Text(child) + "]";
    return TRUE;
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM)
{
    if (!IsWindowVisible(window))
        return TRUE;
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    std::string texts;
    EnumChildWindows(window, AddStatic, reinterpret_cast<LPARAM>(&texts));
    std::printf("%s\t%s\t%s\n", name, Text(window).c_str(), texts.c_str());
    return TRUE;
}

int Version(const char* path)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0)
        return 1;
    std::string data(size, '\0');
    if (!GetFileVersionInfoA(path, 0, size, &data[0]))
        return 1;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) ||
        length < sizeof(VS_FIXEDFILEINFO))
        return 1;
    std::printf("Fixed=%u.%u.%u.%u\n", static_cast<unsigned>(HIWORD(fixed->dwFileVersionMS)),
                static_cast<unsigned>(LOWORD(fixed->dwFileVersionMS)),
                static_cast<unsigned>(HIWORD(fixed->dwFileVersionLS)),
                static_cast<unsigned>(LOWORD(fixed->dwFileVersionLS)));
    struct CLanguage
    {
        WORD m_Language;
        WORD m_CodePage;
    }* languages = nullptr;
    if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&languages), &length) ||
        length < sizeof(CLanguage))
        return 1;
    for (const char* name : {"CompanyName", "FileDescription", "FileVersion", "LegalCopyright",
                             "ProductName", "ProductVersion"}) {
        char key[128] = {};
        wsprintfA(key, "\\StringFileInfo\\%04x%04x\\%s", languages[0].m_Language,
                  languages[0].m_CodePage, name);
        char* value = nullptr;
        if (VerQueryValueA(data.data(), key, reinterpret_cast<void**>(&value), &length) &&
            value != nullptr)
            std::printf("%s=%s\n", name, value);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "windows") == 0) {
        EnumWindows(PrintWindow, 0);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "close") == 0) {
        HWND main = FindWindowA("Rolecue", nullptr);
        return main != nullptr && PostMessageA(main, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (argc == 3 && std::strcmp(argv[1], "version") == 0)
        return Version(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "load-option") == 0) {
        COption option;
        if (option.Load(argv[2])) {
            std::printf("loaded\n");
            return 0;
        }
        std::printf("failed %s\n", option.GetError().c_str());
        return 1;
    }
    std::fprintf(stderr,
                 "usage: package_probe windows | close | version PATH | load-option PATH\n");
    return 2;
}
