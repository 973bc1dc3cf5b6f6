// The assignment stage exactly as written: a substring search of usedShortcuts per step.
#include "shortcuts/shortcuts.h"

namespace pimbrel {

void AssignShortcutsLiteral(const std::vector<std::string>& names,
                            std::vector<std::string>& autoShortcuts, std::string& usedShortcuts,
                            PassCounter& counter) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::string& shortcut = autoShortcuts.at(i);
        shortcut = "(" + MakeShortcut(names[i]) + ")";
        std::int32_t number = 1;
        while (usedShortcuts.find(shortcut + "\r\n") != std::string::npos) {
            ++number;
            shortcut = NumberShortcut(shortcut, number);
            counter.CountPass();
        }
        usedShortcuts += shortcut;
        usedShortcuts += "\r\n";
    }
}

}  // namespace pimbrel
