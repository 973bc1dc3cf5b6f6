// The Functions module: window lookup, the loop guard with its process-wide counters,
// and the case-insensitive lookup of a name in the picture list.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "interfaces/toolkit.h"
#include "interfaces/window_system.h"

namespace pimbrel {

// Passes counted in the current run and the run's budget; they outlive runs.
extern std::int32_t loopCount;
extern std::int32_t loopLimit;

// Budget for a run over `pictureCount` pictures: 1000 + 100 each up to 166, then 2^24 - 1.
std::int32_t LoopBudget(std::int32_t pictureCount);

// Counts one waiting pass; past the budget it shows the guard's box and ends the program.
void CheckLoop(Dialogs& dialogs);

std::string WindowClassName(WindowSystem& windows, WindowHandle window);
WindowHandle FindOwnedWindow(WindowSystem& windows, WindowHandle owner,
                             const std::string& className);

// The picture names as FindListIndex searches them: each lower-case form with the first
// position that has it. Made once per run, so that a lookup is no scan of the whole list.
class LowerCaseNames {
public:
    explicit LowerCaseNames(const std::vector<std::u16string>& names);

private:
    friend std::int32_t FindListIndex(const LowerCaseNames& list, const std::u16string& text);
    std::unordered_map<std::u16string, std::int32_t> firstPosition_;
};

// Position of the first name equal to `text` when both are lower-cased, or -1.
std::int32_t FindListIndex(const LowerCaseNames& list, const std::u16string& text);

}  // namespace pimbrel
