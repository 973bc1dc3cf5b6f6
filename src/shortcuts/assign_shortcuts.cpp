// The assignment stage with the same results and pass counts as the literal substring
// search, in near-linear time.
//
// usedShortcuts is a list of lines, each followed by CR LF. While no line holds CR or LF,
// "X CR LF occurs in usedShortcuts" means "X is a suffix of some line". Every candidate
// starts with "(", so only the suffixes that start at a "(" are kept in a hash set.
//
// A picture whose first shortcut was seen before walks the same numbering sequence as the
// previous one and finds every earlier candidate still taken (usedShortcuts only grows),
// so it resumes where that one stopped and counts the skipped steps in one go.
#include <unordered_map>
#include <unordered_set>

#include "shortcuts/shortcuts.h"

namespace pimbrel {
namespace {

bool HoldsLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

struct Resume {
    std::int32_t number;
    std::string shortcut;
};

}  // namespace

void AssignShortcuts(const std::vector<std::string>& names, std::vector<std::string>& autoShortcuts,
                     std::string& usedShortcuts, PassCounter& counter) {
    bool lineReasoningHolds = usedShortcuts.empty();
    for (const std::string& name : names) {
        if (HoldsLineBreak(name)) lineReasoningHolds = false;
    }
    if (!lineReasoningHolds) {
        AssignShortcutsLiteral(names, autoShortcuts, usedShortcuts, counter);
        return;
    }

    std::unordered_set<std::string> taken;
    std::unordered_map<std::string, Resume> resume;
    taken.reserve(names.size() * 2);
    resume.reserve(names.size());

    for (std::size_t i = 0; i < names.size(); ++i) {
        std::string& slot = autoShortcuts.at(i);
        const std::string first = "(" + MakeShortcut(names[i]) + ")";
        std::string shortcut = first;
        std::int32_t number = 1;

        Resume& last = resume[first];
        if (last.number > 0) {
            counter.CountPasses(static_cast<std::uint32_t>(last.number - 1));
            number = last.number;
            shortcut = last.shortcut;
        }
        while (taken.count(shortcut) != 0) {
            ++number;
            shortcut = NumberShortcut(shortcut, number);
            counter.CountPass();
        }
        last.number = number;
        last.shortcut = shortcut;

        for (std::size_t open = shortcut.find('('); open != std::string::npos;
             open = shortcut.find('(', open + 1)) {
            taken.insert(shortcut.substr(open));
        }
        usedShortcuts += shortcut;
        usedShortcuts += "\r\n";
        slot = std::move(shortcut);
    }
}

}  // namespace pimbrel
