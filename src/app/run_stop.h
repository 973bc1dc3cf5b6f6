// Stopping a run: by Stop or Esc, taken between pictures, or by closing the window during it;
// and the box that a stopped run ends with.
#pragma once
#include <cstddef>
#include <vector>

#include "app/run_texts.h"

namespace pimbrel {

// What closing the window comes to.
enum class CloseAnswer {
    Now,       // no run: the window goes
    AtOnce,    // the program ends at once: the run cannot end sooner (Messenger keeps one of
               // its texts waiting) or has nothing more for Messenger (it shows its last box)
    AfterRun,  // the run stops as Stop would, without a box, and then the window goes
};

// What the window knows of the stop of the run in progress.
struct RunStop {
    bool asked = false;             // by Stop, Esc or closing the window
    bool closing = false;           // by closing the window: the run ends without a box
    bool messengerWaiting = false;  // Messenger keeps one of the run's texts waiting
    bool messengerDone = false;     // the run has closed the emoticon dialog
};

// "Adding was stopped after 3 of the 10 selected pictures." (or "before the first picture."),
// then the account of those entered, as the success message gives it.
Text StoppedMessage(const std::vector<PictureReport>& reports, std::size_t selected,
                    const std::vector<Text>& names);

}  // namespace pimbrel
