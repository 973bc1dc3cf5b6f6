// The checks of names and shortcuts for the list file; see listed_checks.h.
#include "shortcuts/listed_checks.h"

#include <algorithm>

#include "shortcuts/characters.h"
#include "shortcuts/code_page.h"

namespace pimbrel {
namespace {

// C0 controls, DEL and C1 controls: nothing a shortcut is typed with.
bool IsControl(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

bool SpaceAtEnd(const std::u16string& text) {
    return !text.empty() && (text.front() == u' ' || text.back() == u' ');
}

}  // namespace

NameProblem CheckListedName(const std::u16string& name) {
    // A file name never holds a C0 control; a tab, CR or LF in one would change the line.
    if (std::any_of(name.begin(), name.end(), [](char16_t c) { return c < 0x20; }))
        return NameProblem::ControlCharacter;
    if (name.compare(0, 3, u"---") == 0) return NameProblem::SectionEnd;
    // The entry is written as the name, " - " and the shortcut: a name ending in "-" would
    // split there too.
    if (name.find(u"- ") != std::u16string::npos || (!name.empty() && name.back() == u'-'))
        return NameProblem::HyphenSpace;
    if (SpaceAtEnd(name)) return NameProblem::SpaceAtEnd;
    if (!CodePageHolds(name)) return NameProblem::NotInCodePage;
    return NameProblem::None;
}

ShortcutProblem CheckListedShortcut(const std::u16string& shortcut) {
    if (std::any_of(shortcut.begin(), shortcut.end(), IsControl))
        return ShortcutProblem::ControlCharacter;
    if (SpaceAtEnd(shortcut)) return ShortcutProblem::SpaceAtEnd;
    if (!CodePageHolds(shortcut)) return ShortcutProblem::NotInCodePage;
    return ShortcutProblem::None;
}

ShortcutProblem CheckTypedShortcut(const std::u16string& typed, std::size_t index,
                                   const std::vector<std::u16string>& sentShortcuts) {
    if (typed.empty()) return ShortcutProblem::None;
    const std::size_t length = CharacterCount(typed);
    if (length < kShortestTyped) return ShortcutProblem::TooShort;
    if (length > kLongestTyped) return ShortcutProblem::TooLong;
    const ShortcutProblem form = CheckListedShortcut(typed);
    if (form != ShortcutProblem::None) return form;
    // Exact comparison, as Messenger's own: (Smile) and (smile) are two shortcuts.
    for (std::size_t i = 0; i < sentShortcuts.size(); ++i)
        if (i != index && sentShortcuts[i] == typed) return ShortcutProblem::Taken;
    return ShortcutProblem::None;
}

std::u16string FirstCharacterNotHeld(const std::u16string& text) {
    for (std::size_t at = 0; at < text.size(); at += CharacterSize(text, at)) {
        const std::u16string character = text.substr(at, CharacterSize(text, at));
        if (!CodePageHolds(character)) return character;
    }
    return std::u16string();
}

}  // namespace pimbrel
