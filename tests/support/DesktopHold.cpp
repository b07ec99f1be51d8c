// desktop_hold.exe: keeps Wine's desktop open for a whole test run.
//
// Wine's desktop process (explorer.exe /desktop) ends about a second after
// the last program using the desktop has ended, and the next program to
// need a desktop starts a new one. A suite that starts while the old desktop
// is closing can find no working desktop at all: its first window never
// appears. tools/with-wine.sh --hold starts this program before the suites
// and ends it after them, so that there is one desktop for the whole run.
//
// It makes sure the desktop is up, says "ready" on its standard output and
// then waits, with no window of its own, until it is ended.
#include <windows.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (GetDesktopWindow() == nullptr)
        return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
