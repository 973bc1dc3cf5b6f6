// Posts and texts to Messenger; see messenger_calls.h.
#include "messenger/messenger_calls.h"

#include "messenger/wait_pass.h"

namespace pimbrel {

namespace {
// A text kept waiting for longer than this says that Messenger is busy.
constexpr std::uint64_t kBusyAfterMs = 1000;
}  // namespace

void PostCommand(WindowSystem& windows, WindowHandle target, contract::Command command) {
    if (windows.Post(target, contract::kWmCommand, command.wParam, command.lParam) ==
        PostResult::AccessDenied)
        throw MessengerOutOfReach();
}

void SendTextTaken(WindowSystem& windows, TextWaitNotice& notice, WindowHandle edit,
                   const std::string& text) {
    if (windows.SendText(edit, contract::kSetTextWParam, text) == TextState::Taken) return;
    Wait wait(windows);
    bool told = false;
    do {
        wait.Pass();
        if (!told && wait.WaitedMs() > kBusyAfterMs) {
            notice.MessengerBusy();
            told = true;
        }
    } while (!windows.TextTaken());
    if (told) notice.MessengerAnswered();
}

}  // namespace pimbrel
