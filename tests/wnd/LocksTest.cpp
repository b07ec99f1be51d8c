// CCriticalSection and CMutex.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

#include "wnd/CriticalSection.h"
#include "wnd/Mutex.h"

namespace
{

// A mutex name of this test process, so that suites running side by side
// never meet.
std::string UniqueName(const char* tag)
{
    return "RolecueWndCoreTest-" + std::to_string(GetCurrentProcessId()) + "-" + tag;
}

// Runs the function on another thread and waits for it.
template <typename F>
void OnOtherThread(F function)
{
    std::thread thread(function);
    thread.join();
}

// Whether another thread can take the mutex at once (it lets it go again).
bool FreeForOtherThread(HANDLE mutex)
{
    DWORD wait = WAIT_FAILED;
    OnOtherThread([&] {
        wait = WaitForSingleObject(mutex, 0);
        if (wait == WAIT_OBJECT_0)
            ReleaseMutex(mutex);
    });
    return wait == WAIT_OBJECT_0;
}

// CCriticalSection -----------------------------------------------------------

TEST(CCriticalSectionTest, IsFreeAfterConstruction)
{
    CCriticalSection section;
    EXPECT_FALSE(section.IsLockedByCurrentThread());
}

TEST(CCriticalSectionTest, LockReturnsTheOwnersThreadId)
{
    CCriticalSection section;
    EXPECT_EQ(GetCurrentThreadId(), section.Lock());
    section.Unlock();
}

TEST(CCriticalSectionTest, StaysHeldUntilUnlockedAsOftenAsLocked)
{
    CCriticalSection section;
    section.Lock();
    section.Lock();
    section.Unlock();
    EXPECT_TRUE(section.IsLockedByCurrentThread());
    section.Unlock();
    EXPECT_FALSE(section.IsLockedByCurrentThread());
}

TEST(CCriticalSectionTest, IsNotHeldByAnotherThread)
{
    CCriticalSection section;
    section.Lock();
    bool heldThere = true;
    OnOtherThread([&] { heldThere = section.IsLockedByCurrentThread(); });
    EXPECT_FALSE(heldThere);
    section.Unlock();
}

TEST(CCriticalSectionTest, UnlockByAThreadThatDoesNotHoldItChangesNothing)
{
    CCriticalSection section;
    section.Unlock();  // never locked
    EXPECT_FALSE(section.IsLockedByCurrentThread());

    section.Lock();
    OnOtherThread([&] { section.Unlock(); });
    EXPECT_TRUE(section.IsLockedByCurrentThread());
    section.Unlock();
    EXPECT_FALSE(section.IsLockedByCurrentThread());
}

TEST(CCriticalSectionLockTest, ReleasesAtTheEndOfItsScope)
{
    CCriticalSection section;
    {
        CCriticalSectionLock lock(section);
        EXPECT_TRUE(section.IsLockedByCurrentThread());
    }
    EXPECT_FALSE(section.IsLockedByCurrentThread());
}

// CMutex ---------------------------------------------------------------------

TEST(CMutexTest, FirstCreateOwnsANewMutex)
{
    const std::string name = UniqueName("first");
    CMutex mutex;
    EXPECT_EQ(CMutex::kCreated, mutex.Create(name.c_str()));
    EXPECT_NE(nullptr, mutex.GetHandle());
}

TEST(CMutexTest, SecondHolderOfTheNameIsTold)
{
    const std::string name = UniqueName("second");
    CMutex first, second;
    ASSERT_EQ(CMutex::kCreated, first.Create(name.c_str()));
    EXPECT_EQ(CMutex::kAlreadyExists, second.Create(name.c_str()));
    // The handle is kept; the destructor closes it.
    EXPECT_NE(nullptr, second.GetHandle());
}

TEST(CMutexTest, NameOfAnotherKindOfObjectGivesTwo)
{
    const std::string name = UniqueName("event");
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, name.c_str());
    ASSERT_NE(nullptr, event);
    CMutex mutex;
    EXPECT_EQ(CMutex::kNotAMutex, mutex.Create(name.c_str()));
    EXPECT_EQ(nullptr, mutex.GetHandle());
    CloseHandle(event);
}

TEST(CMutexTest, OtherFailuresAreNotReportedAsSuccess)
{
    // A name with a backslash outside a known namespace cannot be created.
    CMutex mutex;
    const int result = mutex.Create("NoSuchNamespace\\RolecueWndCoreTest");
    EXPECT_EQ(nullptr, mutex.GetHandle());
    EXPECT_NE(CMutex::kCreated, result);
}

TEST(CMutexTest, SecondCreateClosesTheFirstMutex)
{
    const std::string a = UniqueName("a");
    const std::string b = UniqueName("b");
    CMutex mutex;
    ASSERT_EQ(CMutex::kCreated, mutex.Create(a.c_str()));
    HANDLE firstHandle = mutex.GetHandle();
    ASSERT_EQ(CMutex::kCreated, mutex.Create(b.c_str()));
    // The first name is gone: nobody holds a handle to it any more.
    EXPECT_EQ(nullptr, OpenMutexA(SYNCHRONIZE, FALSE, a.c_str()));
    EXPECT_NE(firstHandle, nullptr);
    // The same name again, after a close, is a new mutex.
    CMutex other;
    EXPECT_EQ(CMutex::kCreated, other.Create(a.c_str()));
}

TEST(CMutexTest, SecondCreateReleasesTheFirstBeforeClosing)
{
    const std::string a = UniqueName("released");
    const std::string b = UniqueName("next");
    CMutex mutex;
    ASSERT_EQ(CMutex::kCreated, mutex.Create(a.c_str()));
    HANDLE watcher = OpenMutexA(SYNCHRONIZE, FALSE, a.c_str());
    ASSERT_NE(nullptr, watcher);
    ASSERT_EQ(CMutex::kCreated, mutex.Create(b.c_str()));
    EXPECT_TRUE(FreeForOtherThread(watcher));
    CloseHandle(watcher);
}

TEST(CMutexTest, CloseReleasesEveryLockOfTheThread)
{
    const std::string name = UniqueName("locks");
    CMutex mutex;
    ASSERT_EQ(CMutex::kCreated, mutex.Create(name.c_str()));
    mutex.Lock();
    mutex.Lock();
    HANDLE watcher = OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
    ASSERT_NE(nullptr, watcher);
    EXPECT_EQ(1, mutex.Close());
    EXPECT_TRUE(FreeForOtherThread(watcher));
    CloseHandle(watcher);
}

TEST(CMutexTest, CloseOfAClosedMutexReturnsZero)
{
    CMutex mutex;
    EXPECT_EQ(0, mutex.Close());
    const std::string name = UniqueName("close");
    ASSERT_EQ(CMutex::kCreated, mutex.Create(name.c_str()));
    EXPECT_EQ(1, mutex.Close());
    EXPECT_EQ(0, mutex.Close());
    EXPECT_EQ(nullptr, mutex.GetHandle());
}

TEST(CMutexTest, LockOfAClosedMutexReturnsAtOnce)
{
    // Never opened: nothing to wait for, and nothing is opened.
    CMutex mutex;
    mutex.Lock();
    EXPECT_EQ(nullptr, mutex.GetHandle());
    // Closed again: the name it had is not taken back.
    const std::string name = UniqueName("closed");
    ASSERT_EQ(CMutex::kCreated, mutex.Create(name.c_str()));
    HANDLE watcher = OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
    ASSERT_NE(nullptr, watcher);
    EXPECT_EQ(1, mutex.Close());
    mutex.Lock();
    EXPECT_EQ(nullptr, mutex.GetHandle());
    EXPECT_EQ(0, mutex.Close());
    EXPECT_TRUE(FreeForOtherThread(watcher));
    CloseHandle(watcher);
}

TEST(CMutexTest, DestructorLetsTheNameGo)
{
    const std::string name = UniqueName("scope");
    {
        CMutex mutex;
        ASSERT_EQ(CMutex::kCreated, mutex.Create(name.c_str()));
    }
    EXPECT_EQ(nullptr, OpenMutexA(SYNCHRONIZE, FALSE, name.c_str()));
}

TEST(CMutexTest, WorksThroughTheInterface)
{
    const std::string name = UniqueName("interface");
    IMutex* mutex = new CMutex;
    EXPECT_EQ(0, mutex->Create(name.c_str()));
    delete mutex;
    EXPECT_EQ(nullptr, OpenMutexA(SYNCHRONIZE, FALSE, name.c_str()));
}

}  // namespace
