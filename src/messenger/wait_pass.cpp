// The lengths of a wait's passes; see wait_pass.h.
#include "messenger/wait_pass.h"

#include <algorithm>

namespace pimbrel {

std::uint32_t PassLength(std::uint32_t pass) {
    if (pass < kPassesAtFloor) return kShortestPassMs;
    // A millisecond longer each pass; the cap inside keeps the sum from wrapping.
    return std::min(kShortestPassMs + 1 + std::min(pass - kPassesAtFloor, kLongestPassMs),
                    kLongestPassMs);
}

}  // namespace pimbrel
