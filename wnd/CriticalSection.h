// ICriticalSection, CCriticalSection and CCriticalSectionLock: a recursive
// lock of this process.
//
// The owning thread may lock again and must unlock as often. Unlock by a
// thread that does not hold the lock does nothing (leaving a critical
// section that is not held is undefined in Win32). Destroying a
// CCriticalSection that the current thread still holds releases it first.
// CCriticalSectionLock holds a lock for one scope, so an early return or an
// exception cannot leave it held.
#pragma once

#include <windows.h>

#include <atomic>

class ICriticalSection
{
public:
    virtual DWORD Lock() = 0;
    virtual void Unlock() = 0;
    virtual bool IsLockedByCurrentThread() = 0;
    // The destructor is the interface's last slot.
    virtual ~ICriticalSection() {}
};

class CCriticalSection : public ICriticalSection
{
public:
    CCriticalSection() : m_Owner(kNoOwner), m_Count(0) { InitializeCriticalSection(&m_Section); }

    // Releases what the current thread still holds, then deletes the system
    // object.
    ~CCriticalSection() override
    {
        while (IsLockedByCurrentThread())
            Unlock();
        DeleteCriticalSection(&m_Section);
    }

    // Waits for the lock; returns the owner's (this thread's) id.
    DWORD Lock() override
    {
        EnterCriticalSection(&m_Section);
        m_Owner = GetCurrentThreadId();
        ++m_Count;
        return m_Owner;
    }

    void Unlock() override
    {
        if (!IsLockedByCurrentThread())
            return;
        if (--m_Count == 0)
            m_Owner = kNoOwner;
        LeaveCriticalSection(&m_Section);
    }

    bool IsLockedByCurrentThread() override { return m_Owner == GetCurrentThreadId(); }

    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

private:
    static constexpr DWORD kNoOwner = static_cast<DWORD>(-1);

    CRITICAL_SECTION m_Section;
    std::atomic<DWORD> m_Owner;  // read by any thread, written by the owner
    int m_Count;                 // nested locks of the owner; 0 when free
};

class CCriticalSectionLock
{
public:
    explicit CCriticalSectionLock(ICriticalSection& section) : m_Section(section)
    {
        m_Section.Lock();
    }
    ~CCriticalSectionLock() { m_Section.Unlock(); }

    CCriticalSectionLock(const CCriticalSectionLock&) = delete;
    CCriticalSectionLock& operator=(const CCriticalSectionLock&) = delete;

private:
    ICriticalSection& m_Section;
};
