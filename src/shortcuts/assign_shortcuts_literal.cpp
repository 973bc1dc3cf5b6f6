// The assignment stage exactly as written: a substring search of usedShortcuts per step.
#include "shortcuts/shortcuts.h"

namespace pimbrel {

void AssignShortcutsLiteral(const std::vector<std::u16string>& names,
                            std::vector<std::u16string>& autoShortcuts,
                            std::u16string& usedShortcuts, PassCounter& counter) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::u16string& shortcut = autoShortcuts.at(i);
        shortcut = u"(" + MakeShortcut(names[i]) + u")";
        std::int32_t number = 1;
        while (usedShortcuts.find(shortcut + u"\r\n") != std::u16string::npos) {
            ++number;
            shortcut = NumberShortcut(shortcut, number);
            counter.CountPass();
        }
        usedShortcuts += shortcut;
        usedShortcuts += u"\r\n";
    }
}

}  // namespace pimbrel
