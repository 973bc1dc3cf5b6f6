// The assignment stage with the same results and pass counts as the literal substring
// search, in near-linear time.
//
// usedShortcuts is a list of lines, each followed by CR LF. While no line holds CR or LF,
// "X CR LF occurs in usedShortcuts" means "X is a suffix of some line". Every candidate
// starts with "(", so only the suffixes that start at a "(" are kept in a hash set.
//
// A picture whose first shortcut was seen before walks the same numbering sequence as the
// previous one (a step depends only on the step before and the counter, however the numbering
// cuts) and finds every earlier candidate still taken (usedShortcuts only grows), so it
// resumes where that one stopped and counts the skipped steps in one go. A sequence may meet
// a text it had before ((a2310) at 10 and at 310): taken then, taken still.
//
// The texts are UTF-16 and searched by code unit. That is the same as a search by character:
// a candidate begins with "(" and ends with CR LF, none of which is ever half of a pair.
#include <unordered_map>
#include <unordered_set>

#include "shortcuts/shortcuts.h"

namespace pimbrel {
namespace {

bool HoldsLineBreak(const std::u16string& text) {
    return text.find_first_of(u"\r\n") != std::u16string::npos;
}

struct Resume {
    std::int32_t number;
    std::u16string shortcut;
};

}  // namespace

void AssignShortcuts(const std::vector<std::u16string>& names,
                     std::vector<std::u16string>& autoShortcuts, std::u16string& usedShortcuts,
                     PassCounter& counter) {
    bool lineReasoningHolds = usedShortcuts.empty();
    for (const std::u16string& name : names) {
        if (HoldsLineBreak(name)) lineReasoningHolds = false;
    }
    if (!lineReasoningHolds) {
        AssignShortcutsLiteral(names, autoShortcuts, usedShortcuts, counter);
        return;
    }

    std::unordered_set<std::u16string> taken;
    std::unordered_map<std::u16string, Resume> resume;
    taken.reserve(names.size() * 2);
    resume.reserve(names.size());

    for (std::size_t i = 0; i < names.size(); ++i) {
        std::u16string& slot = autoShortcuts.at(i);
        const std::u16string first = u"(" + MakeShortcut(names[i]) + u")";
        std::u16string shortcut = first;
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

        for (std::size_t open = shortcut.find(u'('); open != std::u16string::npos;
             open = shortcut.find(u'(', open + 1)) {
            taken.insert(shortcut.substr(open));
        }
        usedShortcuts += shortcut;
        usedShortcuts += u"\r\n";
        slot = std::move(shortcut);
    }
}

}  // namespace pimbrel
