// Numbers a repeated automatic shortcut: "(abcd" + counter + ")".
#include <string>

#include "shortcuts/shortcuts.h"

namespace pimbrel {

std::string NumberShortcut(const std::string& shortcut, std::int32_t number) {
    if (shortcut.empty() || shortcut.front() != '(' || shortcut.back() != ')') return {};
    std::string numbered = shortcut.substr(0, shortcut.find(')'));
    if (numbered.size() > 5) numbered.resize(5);
    numbered += std::to_string(number);
    numbered += ')';
    return numbered;
}

}  // namespace pimbrel
