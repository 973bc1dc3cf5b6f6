// One Add run at a time on the desktop, whichever of the program's windows runs it: two runs
// would open and fill each other's dialogs in the one Messenger.
#pragma once

namespace pimbrel {

class RunLock {
public:
    RunLock() = default;
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;
    virtual ~RunLock() = default;
    // True when this program now holds the lock; false while another program holds it. A
    // lock left by a program that ended without releasing it is free.
    virtual bool TryTake() = 0;
    virtual void Release() = 0;
};

// Holds the lock, when it could be taken, until the end of the scope.
class RunLockHold {
public:
    explicit RunLockHold(RunLock& lock) : lock_(lock), held_(lock.TryTake()) {}
    ~RunLockHold() {
        if (held_) lock_.Release();
    }
    RunLockHold(const RunLockHold&) = delete;
    RunLockHold& operator=(const RunLockHold&) = delete;
    bool Held() const { return held_; }

private:
    RunLock& lock_;
    bool held_;
};

}  // namespace pimbrel
