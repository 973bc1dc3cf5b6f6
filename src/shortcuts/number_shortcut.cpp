// Numbers a repeated automatic shortcut: "(abcd" + counter + ")", cut by character, and never
// longer than Messenger takes.
#include <algorithm>
#include <string>

#include "shortcuts/characters.h"
#include "shortcuts/shortcuts.h"

namespace pimbrel {

std::u16string NumberShortcut(const std::u16string& shortcut, std::int32_t number) {
    if (shortcut.empty() || shortcut.front() != u'(' || shortcut.back() != u')') return {};
    std::u16string digits;
    for (const char digit : std::to_string(number)) digits += static_cast<char16_t>(digit);
    // The text before the number keeps five characters where the result fits, and fewer where
    // it would not: (mc239) numbered 10 gives (mc210), not (mc2310), which Messenger refuses.
    // It keeps its "(" at least, as the fast assignment stage looks only at texts that start
    // with one; a number of six digits cannot fit at all.
    const std::size_t room = kLongestShortcut - 1;  // the ")" takes the last place
    const std::size_t keep =
        digits.size() < room ? std::min<std::size_t>(5, room - digits.size()) : 1;
    return FirstCharacters(shortcut.substr(0, shortcut.find(u')')), keep) + digits + u')';
}

}  // namespace pimbrel
