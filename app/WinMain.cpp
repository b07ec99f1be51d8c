// Entry point of Rolecue.exe.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // One copy of the program at a time: a second copy leaves silently.
    HANDLE mutex = CreateMutexA(nullptr, FALSE, "Rolecue Ver 0.11");
    if (mutex == nullptr || GetLastError() == ERROR_ALREADY_EXISTS) {
        if (mutex != nullptr)
            CloseHandle(mutex);
        return 0;
    }
    MessageBoxA(nullptr, "Rolecue: エディタはまだ組み込まれていません。", "Rolecue",
                MB_OK | MB_ICONINFORMATION);
    CloseHandle(mutex);
    return 0;
}
