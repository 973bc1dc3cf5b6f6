// Every command and text that goes to Messenger: posts that tell when Messenger is out of
// reach, and texts waited for in passes that keep the window alive, so that no call can hang
// the program.
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

// Told when Messenger has kept a text waiting for more than a second (it is busy: signing
// in, loading its pictures, being scanned), and again when it has taken it.
class TextWaitNotice {
public:
    virtual ~TextWaitNotice() = default;
    virtual void MessengerBusy() = 0;
    virtual void MessengerAnswered() = 0;
};

// Sends WM_SETTEXT and returns once Messenger's thread has handled it. Until then the passes
// pump the program's own window, so that it can be repainted, moved and closed, and count
// nothing: a blocking send cost none, and a Messenger that is busy for a while is not one
// that will never answer. Closing the window ends the program; nothing else ends this wait.
void SendTextTaken(WindowSystem& windows, TextWaitNotice& notice, WindowHandle edit,
                   const std::string& text);

}  // namespace pimbrel
