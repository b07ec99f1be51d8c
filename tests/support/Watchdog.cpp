// A watchdog built into every Windows suite: a test that runs longer than a
// minute is reported with the windows of the process (which one is in
// front, which dialogs and boxes are up) and the suite ends at once with a
// failure, instead of hanging until ctest's timeout with nothing to show.
// No single test of these suites needs more than a few seconds, even under
// load. ROLECUE_TEST_WATCHDOG_SECONDS sets another limit (0 turns it off).
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{

std::atomic<DWORD> g_TestStart{0};
std::atomic<bool> g_TestRunning{false};
std::string g_TestName;  // written before g_TestRunning is set

std::string Describe(HWND window)
{
    char name[64] = {};
    char text[128] = {};
    GetClassNameA(window, name, sizeof name);
    // InternalGetWindowText reads the text without a message: GetWindowText
    // would send WM_GETTEXT to the hung test's own thread and wait for ever.
    wchar_t wide[64] = {};
    InternalGetWindowText(window, wide, 64);
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    char line[256] = {};
    wsprintfA(line, "%p class \"%s\" text \"%s\"%s%s", static_cast<void*>(window), name, text,
              IsWindowVisible(window) ? " visible" : "",
              IsWindowEnabled(window) ? "" : " disabled");
    return line;
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId())
        std::fprintf(stderr, "watchdog:   %s\n", Describe(window).c_str());
    return TRUE;
}

DWORD WINAPI Watch(void* param)
{
    const DWORD limitMs = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(param));
    for (;;) {
        Sleep(1000);
        if (!g_TestRunning.load() || GetTickCount() - g_TestStart.load() < limitMs)
            continue;
        std::fprintf(stderr, "\nwatchdog: %s has run for %lu s; ending the suite\n",
                     g_TestName.c_str(), static_cast<unsigned long>(limitMs / 1000));
        HWND front = GetForegroundWindow();
        std::fprintf(stderr, "watchdog: in front: %s\n",
                     front ? Describe(front).c_str() : "(none)");
        std::fprintf(stderr, "watchdog: windows of this process:\n");
        EnumWindows(PrintWindow, 0);
        std::fflush(stderr);
        std::fflush(stdout);
        TerminateProcess(GetCurrentProcess(), 3);
    }
}

class CWatchdog : public testing::EmptyTestEventListener
{
    void OnTestStart(const testing::TestInfo& info) override
    {
        g_TestName = std::string(info.test_suite_name()) + "." + info.name();
        g_TestStart = GetTickCount();
        g_TestRunning = true;
    }
    void OnTestEnd(const testing::TestInfo&) override { g_TestRunning = false; }
};

struct CInstall
{
    CInstall()
    {
        DWORD seconds = 60;
        if (const char* value = std::getenv("ROLECUE_TEST_WATCHDOG_SECONDS"))
            seconds = static_cast<DWORD>(std::strtoul(value, nullptr, 10));
        if (seconds == 0)
            return;
        testing::UnitTest::GetInstance()->listeners().Append(new CWatchdog);
        HANDLE thread = CreateThread(nullptr, 0, Watch,
                                     reinterpret_cast<void*>(UINT_PTR{seconds * 1000}), 0, nullptr);
        if (thread)
            CloseHandle(thread);
    }
} g_Install;

}  // namespace
