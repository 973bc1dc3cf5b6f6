// The emoticon dialog stage of an Add run.
#include "messenger/emoticon_dialog.h"

#include "messenger/functions.h"
#include "messenger/messenger_calls.h"
#include "messenger/wait_pass.h"

namespace pimbrel {

namespace {

int CountButtons(WindowSystem& windows, WindowHandle dialog) {
    int count = 0;
    WindowHandle button = 0;
    while (count < contract::kButtonCountCap) {
        button = windows.FindChildWindow(dialog, button, contract::kButtonClass);
        if (button == 0) break;
        ++count;
    }
    return count;
}

}  // namespace

MessengerWindows FindMessengerWindows(WindowSystem& windows) {
    MessengerWindows found;
    found.mainWnd = windows.FindWindowByClass(contract::kOlderMainClass);
    if (found.mainWnd == 0) {
        found.mainWnd = windows.FindWindowByClass(contract::kNewerMainClass);
        found.newClient = true;
        return found;
    }
    found.excludedDlg = FindOwnedWindow(windows, found.mainWnd, contract::kDialogClass);
    // A dialog with the emoticon dialog's eight Buttons may well be it: let the wait take it.
    if (found.excludedDlg != 0 &&
        CountButtons(windows, found.excludedDlg) == contract::kEmoticonDialogButtons)
        found.excludedDlg = 0;
    return found;
}

EmoticonDialogOutcome OpenEmoticonDialog(WindowSystem& windows, Dialogs& dialogs,
                                         MessengerWindows& messenger, bool retryPending,
                                         const std::function<void()>& scheduleRetry) {
    PostCommand(windows, messenger.mainWnd, messenger.newClient ? contract::kOpenEmoticonsNewer
                                                                : contract::kOpenEmoticonsOlder);

    const char* dialogClass =
        messenger.newClient ? contract::kNewerEmoticonClass : contract::kDialogClass;
    Wait wait(windows);
    for (;;) {
        messenger.emoticonDlg = FindOwnedWindow(windows, messenger.mainWnd, dialogClass);
        if (messenger.emoticonDlg != 0 && messenger.emoticonDlg != messenger.excludedDlg)
            return EmoticonDialogOutcome::Found;
        wait.Pass();
        // 64-bit so that the test cannot wrap whatever the budget holds.
        if (static_cast<long long>(loopCount) > static_cast<long long>(loopLimit) - 2 &&
            !retryPending) {
            scheduleRetry();
            return EmoticonDialogOutcome::RetryScheduled;
        }
        CheckLoop(dialogs);
    }
}

}  // namespace pimbrel
