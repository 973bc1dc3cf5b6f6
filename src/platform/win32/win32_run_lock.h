// The run lock as a named mutex of the user's session, where the programs share Messenger.
#pragma once
#include <windows.h>

#include "interfaces/run_lock.h"

namespace pimbrel::win32 {

class Win32RunLock : public RunLock {
public:
    Win32RunLock() = default;
    ~Win32RunLock() override { Release(); }
    bool TryTake() override;
    void Release() override;

private:
    HANDLE mutex_ = nullptr;
};

}  // namespace pimbrel::win32
