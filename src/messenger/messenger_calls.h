// Every command and text that goes to Messenger: posts that tell when Messenger is out of
// reach, and texts waited for in counted passes, so that no call can hang the program.
#pragma once
#include <stdexcept>
#include <string>

#include "messenger/messenger_contract.h"
#include "interfaces/toolkit.h"
#include "interfaces/window_system.h"

namespace pimbrel {

// The system refused a post because Messenger runs with higher rights than the program: no
// command can reach it, so the run cannot go on.
struct MessengerOutOfReach : std::runtime_error {
    MessengerOutOfReach() : std::runtime_error("Messenger refuses the program's commands") {}
};

// Posts WM_COMMAND; throws MessengerOutOfReach when the system denies it. Any other failure
// (a window gone meanwhile) is left to the waits, which look at the windows again.
void PostCommand(WindowSystem& windows, WindowHandle target, contract::Command command);

// Sends WM_SETTEXT and returns once Messenger's thread has handled it. Until then every pass
// pumps the program's own window and counts through CheckLoop, like any other wait, so a
// client that stops answering ends in the loop guard, never in a frozen window.
void SendTextTaken(WindowSystem& windows, Dialogs& dialogs, WindowHandle edit,
                   const std::string& text);

}  // namespace pimbrel
