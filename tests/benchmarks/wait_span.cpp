// Prints how long a run's whole budget of passes lasts at the least when one wait spends it
// all (a Messenger that does nothing at all), and what a Messenger that is only slow costs of
// it, from the lengths of a wait's passes.
#include <cstdint>
#include <cstdio>

#include "messenger/functions.h"
#include "messenger/wait_pass.h"

namespace {

// The least time that the first `passes` passes of one wait take, in seconds.
double Seconds(std::int64_t passes) {
    std::uint64_t ms = 0;
    for (std::int64_t k = 0; k < passes; ++k)
        ms += pimbrel::PassLength(static_cast<std::uint32_t>(k));
    return ms / 1000.0;
}

// The passes that a wait of `ms` milliseconds counts.
std::int64_t PassesFor(std::uint64_t ms) {
    std::int64_t passes = 0;
    for (std::uint64_t waited = 0; waited < ms; ++passes) waited += pimbrel::PassLength(passes);
    return passes;
}

}  // namespace

int main() {
    std::printf("a wait's passes: %u of %u ms, then a millisecond longer each up to %u ms\n",
                pimbrel::kPassesAtFloor, pimbrel::kShortestPassMs, pimbrel::kLongestPassMs);
    for (const int pictures : {0, 1, 10, 166}) {
        const std::int32_t budget = pimbrel::LoopBudget(pictures);
        std::printf("%3d pictures: budget %5d passes, spent by one wait after %6.1f s at the least"
                    " (10 s + 1 s a picture: %5.1f s)\n",
                    pictures, budget, Seconds(budget), 10.0 + pictures);
    }
    for (const std::uint64_t ms : {100u, 400u, 1000u, 3000u})
        std::printf("a dialog %4llu ms late costs %4lld passes (at a pass a millisecond: %llu)\n",
                    static_cast<unsigned long long>(ms), static_cast<long long>(PassesFor(ms)),
                    static_cast<unsigned long long>(ms));
}
