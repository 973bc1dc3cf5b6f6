// Every command and text that goes to Messenger: texts are waited for in counted passes, so
// that no call can hang the program.
#pragma once
#include <string>

#include "messenger/messenger_contract.h"
#include "platform/toolkit.h"
#include "platform/window_system.h"

namespace pimbrel {

// Posts WM_COMMAND; the waits look at the windows again to learn its effect.
void PostCommand(WindowSystem& windows, WindowHandle target, contract::Command command);

// Sends WM_SETTEXT and returns once Messenger's thread has handled it. Until then every pass
// pumps the program's own window and counts through CheckLoop, like any other wait, so a
// client that stops answering ends in the loop guard, never in a frozen window.
void SendTextTaken(WindowSystem& windows, Dialogs& dialogs, WindowHandle edit,
                   const std::string& text);

}  // namespace pimbrel
