// The loop guard: one budget of waiting passes per run, shared by all of the run's loops.
#include "messenger/functions.h"

namespace pimbrel {

std::int32_t loopCount = 0;
std::int32_t loopLimit = 0;

namespace {
constexpr std::int32_t kUnboundedPictures = 166;
constexpr std::int32_t kUnboundedBudget = 0xFFFFFF;
constexpr std::int32_t kBudgetWhenUnset = 5000;
}  // namespace

std::int32_t LoopBudget(std::int32_t pictureCount) {
    if (pictureCount > kUnboundedPictures) return kUnboundedBudget;
    return pictureCount * 100 + 1000;
}

void CheckLoop(Dialogs& dialogs) {
    if (loopLimit == 0) loopLimit = kBudgetWhenUnset;
    ++loopCount;
    if (loopCount > loopLimit) {
        dialogs.ShowMessage("Infinite loop detected, application will now shut down.",
                            "Fatal Error: Infinite Loop", MessageIcon::Stop);
        dialogs.EndProgram();
    }
}

}  // namespace pimbrel
