// IMutex and CMutex: a named mutex shared by every process of the session,
// which makes the program a single-instance application.
//
// CMutex owns its handle and closes it in Close and in its destructor.
// Names are UTF-8.
#pragma once

#include <windows.h>

class IMutex
{
public:
    virtual int Create(const char* name) = 0;
    virtual void Lock() = 0;
    virtual int Close() = 0;
    // The destructor is the interface's last slot.
    virtual ~IMutex() {}
};

class CMutex : public IMutex
{
public:
    // Results of Create.
    enum
    {
        kCreated = 0,        // a new mutex, owned by the calling thread
        kAlreadyExists = 1,  // another process has it; the handle is kept
        kNotAMutex = 2,      // the name belongs to an object of another kind
        kFailed = 3          // no mutex could be made or opened for another reason
    };

    CMutex() : m_Handle(nullptr) {}
    ~CMutex() override;

    // Closes a mutex this object holds, then CreateMutexA (initially owned)
    // under the name. Every result but kCreated means "do not count on being
    // the only holder of the name".
    int Create(const char* name) override;

    // Waits without limit for the mutex; returns at once when none is open.
    void Lock() override;

    // Releases every ownership this thread holds and closes the handle.
    // Returns the CloseHandle result, 0 when no mutex was open.
    int Close() override;

    HANDLE GetHandle() const { return m_Handle; }

    CMutex(const CMutex&) = delete;
    CMutex& operator=(const CMutex&) = delete;

private:
    HANDLE m_Handle;
};
