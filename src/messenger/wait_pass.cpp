// The lengths of a wait's passes; see wait_pass.h.
#include "messenger/wait_pass.h"

#include <algorithm>

namespace pimbrel {

std::uint32_t PassLength(std::uint32_t pass) {
    if (pass < kPassesAtFloor) return kShortestPassMs;
    const std::uint32_t grown = kShortestPassMs + 1 + std::min(pass - kPassesAtFloor, kLongestPassMs);
    return std::min(grown, kLongestPassMs);
}

}  // namespace pimbrel
