// Shortcut making: derivation from a file name, numbering, assignment and the list file.
// Names and shortcuts are UTF-16 texts, counted and cut by character.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "shortcuts/byte_reader.h"

namespace pimbrel {

// Messenger refuses a shortcut of more characters than this.
inline constexpr std::size_t kLongestShortcut = 7;

// Body of the automatic shortcut for a picture file name: 0 to 5 characters.
std::u16string MakeShortcut(const std::u16string& fileName);

// "(body" cut to five, then the number, then ")"; empty unless shortcut is "(...)". Where that
// would be longer than kLongestShortcut, "(body" is cut to fewer characters so that it is not.
std::u16string NumberShortcut(const std::u16string& shortcut, std::int32_t number);

// Called once per numbering step; the run's loop guard counts it (may end the program).
class PassCounter {
public:
    virtual ~PassCounter() = default;
    virtual void CountPass() = 0;
    // Several steps at once; a counter with a cheaper bulk form may override it.
    virtual void CountPasses(std::uint32_t count) {
        for (std::uint32_t i = 0; i < count; ++i) CountPass();
    }
};

// Fills autoShortcuts[0..names.size()) with unique automatic shortcuts and appends each,
// followed by CR LF, to usedShortcuts. autoShortcuts has names.size() + 1 entries.
void AssignShortcuts(const std::vector<std::u16string>& names,
                     std::vector<std::u16string>& autoShortcuts, std::u16string& usedShortcuts,
                     PassCounter& counter);

// The same stage with the plain substring search on usedShortcuts, step for step. Slow
// (quadratic); the fast stage uses it when its shortcut-line reasoning would not hold.
void AssignShortcutsLiteral(const std::vector<std::u16string>& names,
                            std::vector<std::u16string>& autoShortcuts,
                            std::u16string& usedShortcuts, PassCounter& counter);

enum class ListFileResult { Read, ReadError };

using ListEntryHandler =
    std::function<void(const std::u16string& name, const std::u16string& shortcut)>;

// Reads the list section from `reader` line by line, without holding the file whole, and
// calls onEntry(name, shortcut) for every entry in file order (both already cleaned). Line
// ends are found on the bytes; each line is then decoded from the ANSI code page.
ListFileResult ReadListEntries(ByteReader& reader, const ListEntryHandler& onEntry);

}  // namespace pimbrel
