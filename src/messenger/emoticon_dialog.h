// Finding Messenger's main window, telling the two clients apart, and opening the
// emoticon dialog with its one retry.
#pragma once
#include <functional>

#include "interfaces/toolkit.h"
#include "interfaces/window_system.h"

namespace pimbrel {

struct MessengerWindows {
    WindowHandle mainWnd = 0;
    bool newClient = false;
    WindowHandle excludedDlg = 0;
    WindowHandle emoticonDlg = 0;
};

// The main window under either class, and the older client's dialog that must not be
// mistaken for the emoticon dialog.
MessengerWindows FindMessengerWindows(WindowSystem& windows);

enum class EmoticonDialogOutcome { Found, RetryScheduled };

// Posts the open command once and waits for the dialog. When the run's budget is nearly
// spent and no retry is pending, calls scheduleRetry and gives up; otherwise the loop
// guard bounds the wait.
EmoticonDialogOutcome OpenEmoticonDialog(WindowSystem& windows, Dialogs& dialogs,
                                         MessengerWindows& messenger, bool retryPending,
                                         const std::function<void()>& scheduleRetry);

}  // namespace pimbrel
