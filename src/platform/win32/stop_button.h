// The Stop button: in Add's place, and shown instead of it while it is enabled, so that the
// button under the mouse stops what it started.
#pragma once
#include <windows.h>

#include "interfaces/toolkit.h"

namespace pimbrel::win32 {

class StopButton : public Switchable {
public:
    // Hides and disables `stop` until it is enabled.
    StopButton(HWND stop, HWND add);
    void SetEnabled(bool enabled) override;

private:
    HWND stop_;
    HWND add_;
};

}  // namespace pimbrel::win32
