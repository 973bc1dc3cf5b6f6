// Closing the window during a run: the run stops as Stop stops it, without its box, and the
// window goes once the run has ended. A Messenger that does not let the run end within a few
// seconds does not keep the program alive: it then ends as it would have without a run.
#pragma once
#include <windows.h>

#include "app/frm_main.h"

namespace pimbrel::win32 {

class RunClosing {
public:
    explicit RunClosing(HWND window) : window_(window) {}
    RunClosing(const RunClosing&) = delete;
    RunClosing& operator=(const RunClosing&) = delete;

    // For WM_CLOSE: false when the window may go now. Ends the program at once where the run
    // cannot end sooner, or has nothing more for Messenger.
    bool Deferred(FrmMain& form);

private:
    static void CALLBACK Check(HWND window, UINT message, UINT_PTR id, DWORD now);

    HWND window_;
    FrmMain* form_ = nullptr;  // once the window was closed during a run
    DWORD closedAt_ = 0;
};

}  // namespace pimbrel::win32
