// How long the passes of a wait last. A wait that finds what it looks for at once is seen at
// once; one that goes on polls less and less often, so that the run's pass budget measures a
// Messenger that has stalled, not one that is only slow (a real one may take a second to open
// a dialog while it loads its pictures or is being scanned).
#pragma once
#include <cstdint>

#include "interfaces/window_system.h"

namespace pimbrel {

// The shortest pass, the pump's floor.
inline constexpr std::uint32_t kShortestPassMs = 1;
// The longest: under the system's default tick of 15.6 ms, so that where the system ignores
// the request for 1 ms timers a pass costs no more than one tick. With it the budget of a
// run (1000 passes, and 100 more a picture) spans over 14 s, and 1.5 s more a picture, of a
// Messenger that does nothing at all, while a one-picture folder whose Messenger never opens
// its emoticon dialog still reaches the guard, after its one retry, within about 35 s.
inline constexpr std::uint32_t kLongestPassMs = 15;
// Passes at the floor before they grow, a millisecond a pass.
inline constexpr std::uint32_t kPassesAtFloor = 20;

// The length of pass `pass` of a wait, counted from 0.
std::uint32_t PassLength(std::uint32_t pass);

// One wait: every call of Pass pumps the program's events for that pass's length. Make one
// for each wait, so that each starts at the floor.
class Wait {
public:
    explicit Wait(WindowSystem& windows) : windows_(windows) {}
    void Pass() {
        const std::uint32_t length = PassLength(passes_++);
        windows_.PumpFor(length);
        waitedMs_ += length;
    }
    // The passes' lengths so far, added up: the least time the wait has taken.
    std::uint64_t WaitedMs() const { return waitedMs_; }

private:
    WindowSystem& windows_;
    std::uint32_t passes_ = 0;
    std::uint64_t waitedMs_ = 0;
};

}  // namespace pimbrel
