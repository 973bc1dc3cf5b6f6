// What the list file can hold, and the checks on a shortcut the user types for a picture.
// Each check gives its first problem, or None.
#pragma once
#include <string>
#include <vector>

namespace pimbrel {

// Why a picture cannot have an entry that the list file reader would give back to it.
enum class NameProblem {
    None,
    HyphenSpace,       // holds "- " or ends in "-": the entry would split inside the name
    NotInCodePage,     // the file, in the ANSI code page, would name another picture
    SectionEnd,        // starts with "---": the line would end the list section
    SpaceAtEnd,        // a space at either end, which the reader trims
    ControlCharacter,  // a tab (which the reader removes), a line break or another control
};
NameProblem CheckListedName(const std::u16string& name);

enum class ShortcutProblem {
    None,
    TooShort,          // under 2 characters: a run would send the automatic one instead
    TooLong,           // over 7 characters: Messenger takes no more
    ControlCharacter,  // a tab (which the reader removes), a line break or another control
    SpaceAtEnd,        // a space at either end, which the reader trims
    NotInCodePage,     // the file, in the ANSI code page, would give another text back
    Taken,             // another picture would be sent the same shortcut
};

inline constexpr std::size_t kShortestTyped = 2;
inline constexpr std::size_t kLongestTyped = 7;

// Whether the list file reader would give `shortcut` back exactly as it is (the writer's own
// condition): ControlCharacter, SpaceAtEnd, NotInCodePage or None.
ShortcutProblem CheckListedShortcut(const std::u16string& shortcut);

// A shortcut typed for the picture at `index`. The empty text is allowed (the picture goes
// back to its automatic shortcut). `sentShortcuts` holds what the next Add would send each
// picture; the picture's own entry is not compared.
ShortcutProblem CheckTypedShortcut(const std::u16string& typed, std::size_t index,
                                   const std::vector<std::u16string>& sentShortcuts);

// The first character of `text` that the ANSI code page cannot hold; empty when it holds all.
std::u16string FirstCharacterNotHeld(const std::u16string& text);

}  // namespace pimbrel
