#include "tests/support/Pump.h"

void PumpMessages()
{
    const DWORD start = GetTickCount();
    MSG message = {};
    while (GetTickCount() - start < 100 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        PumpMessages();
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (done())
            return true;
        if (GetTickCount() - start >= ms)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}
