// Message pumping for the Win32 suites: the test thread's queue dispatched
// while a test waits for a window to react.
#pragma once

#include <windows.h>

#include <functional>

// Dispatches the messages waiting for this thread (a WM_QUIT is dropped),
// for at most a tenth of a second: without a window manager, Wine can pass
// the activation between two top-level windows back and forth for ever, and
// an unbounded loop would then never return.
void PumpMessages();
// Pumps for about `ms` milliseconds.
void PumpFor(DWORD ms);
// Pumps until `done` holds or `ms` milliseconds have passed, so that a broken
// window cannot hang the suite; says whether it held.
bool PumpUntil(const std::function<bool()>& done, DWORD ms = 5000);
