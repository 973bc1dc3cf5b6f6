// Numbers a repeated automatic shortcut: "(abcd" + counter + ")", cut by character.
#include <string>

#include "shortcuts/characters.h"
#include "shortcuts/shortcuts.h"

namespace pimbrel {

std::u16string NumberShortcut(const std::u16string& shortcut, std::int32_t number) {
    if (shortcut.empty() || shortcut.front() != u'(' || shortcut.back() != u')') return {};
    std::u16string numbered = FirstCharacters(shortcut.substr(0, shortcut.find(u')')), 5);
    for (const char digit : std::to_string(number)) numbered += static_cast<char16_t>(digit);
    numbered += u')';
    return numbered;
}

}  // namespace pimbrel
