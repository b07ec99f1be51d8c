#include "wnd/Mutex.h"

CMutex::~CMutex()
{
    Close();
}

int CMutex::Create(const char* name)
{
    Close();
    SetLastError(ERROR_SUCCESS);
    m_Handle = CreateMutexA(nullptr, TRUE, name);
    const DWORD error = GetLastError();
    if (m_Handle)
        return error == ERROR_ALREADY_EXISTS ? kAlreadyExists : kCreated;
    // A failure that is neither "not a mutex" is no proof of being alone
    // (access denied, for one, usually means another session has the name).
    return error == ERROR_INVALID_HANDLE ? kNotAMutex : kFailed;
}

void CMutex::Lock()
{
    if (m_Handle)
        WaitForSingleObject(m_Handle, INFINITE);
}

int CMutex::Close()
{
    if (!m_Handle)
        return 0;
    // Created owned plus one ownership per Lock: release them all, or the
    // mutex would stay owned by this thread after the handle is gone.
    // ReleaseMutex fails once this thread owns it no more.
    while (ReleaseMutex(m_Handle)) {
    }
    const int result = CloseHandle(m_Handle) ? 1 : 0;
    m_Handle = nullptr;
    return result;
}
