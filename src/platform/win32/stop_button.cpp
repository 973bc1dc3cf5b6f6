// The Stop button; see stop_button.h.
#include "stop_button.h"

namespace pimbrel::win32 {

StopButton::StopButton(HWND stop, HWND add) : stop_(stop), add_(add) { SetEnabled(false); }

void StopButton::SetEnabled(bool enabled) {
    const HWND form = GetParent(stop_);
    if (enabled) {
        EnableWindow(stop_, TRUE);
        ShowWindow(stop_, SW_SHOW);
        ShowWindow(add_, SW_HIDE);
        // The run has disabled whatever had the focus, and a key that reaches no window is
        // lost: Stop takes it, so that Esc works, but only in the window the user is in.
        if (GetForegroundWindow() == form) SetFocus(stop_);
        return;
    }
    const bool focused = GetFocus() == stop_;
    EnableWindow(stop_, FALSE);
    ShowWindow(add_, SW_SHOW);
    ShowWindow(stop_, SW_HIDE);
    // Add is still disabled while the run's last box shows: the window keeps the keys.
    if (focused) SetFocus(form);
}

}  // namespace pimbrel::win32
