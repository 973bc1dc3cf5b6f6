// Posts and texts to Messenger; see messenger_calls.h.
#include "messenger/messenger_calls.h"

#include "messenger/functions.h"

namespace pimbrel {

void PostCommand(WindowSystem& windows, WindowHandle target, contract::Command command) {
    if (windows.Post(target, contract::kWmCommand, command.wParam, command.lParam) ==
        PostResult::AccessDenied)
        throw MessengerOutOfReach();
}

void SendTextTaken(WindowSystem& windows, Dialogs& dialogs, WindowHandle edit,
                   const std::string& text) {
    if (windows.SendText(edit, contract::kSetTextWParam, text) == TextState::Taken) return;
    do {
        windows.PumpEvents();
        CheckLoop(dialogs);
    } while (!windows.TextTaken());
}

}  // namespace pimbrel
