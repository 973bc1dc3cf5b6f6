// See win32_run_lock.h.
#include "win32_run_lock.h"

namespace pimbrel::win32 {

namespace {
constexpr char kMutexName[] = "Local\\Pimbrel-AddRun";
}  // namespace

// The mutex is opened only for the length of a run, so that it exists only while some run
// holds it: then a program that may not open it (one of other rights made it) meets it only
// while that program is running, and rightly counts it as taken. The system gives a mutex
// whose holder died to the next taker (WAIT_ABANDONED): a program ended by the loop guard or
// closed in the middle of a run leaves no lock behind.
bool Win32RunLock::TryTake() {
    if (mutex_) return true;
    HANDLE mutex = CreateMutexA(nullptr, FALSE, kMutexName);
    if (!mutex) return false;
    const DWORD got = WaitForSingleObject(mutex, 0);
    if (got == WAIT_OBJECT_0 || got == WAIT_ABANDONED) {
        mutex_ = mutex;
        return true;
    }
    CloseHandle(mutex);
    return false;
}

void Win32RunLock::Release() {
    if (!mutex_) return;
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
    mutex_ = nullptr;
}

}  // namespace pimbrel::win32
