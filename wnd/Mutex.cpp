#include "wnd/Mutex.h"

CMutex::~CMutex()
{
  Close();
}

int CMutex::Create(const char* name)
{
  Close();
  SetLastError(ERROR_SUCCESS);
  m_handle = CreateMutexA(nullptr, TRUE, name);
  const DWORD error = GetLastError();
  if (m_handle)
    return error == ERROR_ALREADY_EXISTS ? kAlreadyExists : kCreated;
  // A failure that is neither "not a mutex" is no proof of being alone
  // (access denied, for one, usually means another session has the name).
  return error == ERROR_INVALID_HANDLE ? kNotAMutex : kFailed;
}

void CMutex::Lock()
{
  if (m_handle)
    WaitForSingleObject(m_handle, INFINITE);
}

int CMutex::Close()
{
  if (!m_handle)
    return 0;
  // Created owned plus one ownership per Lock: release them all, or the
  // mutex would stay owned by this thread after the handle is gone.
  // ReleaseMutex fails once this thread owns it no more.
  while (ReleaseMutex(m_handle)) {
  }
  const int result = CloseHandle(m_handle) ? 1 : 0;
  m_handle = nullptr;
  return result;
}
