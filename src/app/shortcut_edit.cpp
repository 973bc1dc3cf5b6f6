// Keeping a typed shortcut; see shortcut_edit.h.
#include "app/shortcut_edit.h"

#include <optional>

#include "app/shortcut_plan.h"
#include "shortcuts/characters.h"
#include "shortcuts/list_writer.h"
#include "shortcuts/listed_checks.h"

namespace pimbrel {

namespace {

std::string NameReason(NameProblem problem) {
    switch (problem) {
    case NameProblem::HyphenSpace:
        return "Readme.txt cannot list a picture whose name holds \"- \" or ends in \"-\".";
    case NameProblem::NotInCodePage:
        return "Readme.txt cannot list this picture: the system's code page lacks characters "
               "of its name.";
    case NameProblem::SectionEnd:
        return "Readme.txt cannot list a picture whose name starts with \"---\".";
    case NameProblem::SpaceAtEnd:
        return "Readme.txt cannot list a picture whose name starts or ends with a space.";
    case NameProblem::ControlCharacter:
        return "Readme.txt cannot list a picture whose name holds a tab or a line break.";
    case NameProblem::None:
        break;
    }
    return std::string();
}

std::string ShortcutReason(ShortcutProblem problem, const std::u16string& typed,
                           std::size_t index, const std::vector<std::u16string>& sentShortcuts,
                           const PictureList& pictures) {
    switch (problem) {
    case ShortcutProblem::TooShort:
        return "A shortcut needs at least 2 characters.";
    case ShortcutProblem::TooLong:
        return "Messenger takes at most 7 characters.";
    case ShortcutProblem::ControlCharacter:
        return "A shortcut cannot hold a tab or another control character.";
    case ShortcutProblem::SpaceAtEnd:
        return "A shortcut cannot start or end with a space.";
    case ShortcutProblem::NotInCodePage:
        return "\"" + Utf8(FirstCharacterNotHeld(typed)) +
               "\" is not in the system's code page, which Readme.txt is saved in.";
    case ShortcutProblem::Taken:
        for (std::size_t i = 0; i < sentShortcuts.size(); ++i)
            if (i != index && sentShortcuts[i] == typed)
                return Utf8(pictures.entries.at(i).name) + " has this shortcut already.";
        break;
    case ShortcutProblem::None:
        break;
    }
    return std::string();
}

}  // namespace

std::string WhyNotListable(const std::u16string& name) {
    return NameReason(CheckListedName(name));
}

ShortcutEdit KeepTypedShortcut(FileSystem& files, const PictureList& pictures,
                               std::size_t index, const std::u16string& typed,
                               const std::vector<std::u16string>& sentShortcuts) {
    const std::u16string& name = pictures.entries.at(index).name;
    const std::string notListable = WhyNotListable(name);
    if (!notListable.empty()) return {ShortcutEditResult::Refused, notListable};
    const ShortcutProblem problem = CheckTypedShortcut(typed, index, sentShortcuts);
    if (problem != ShortcutProblem::None)
        return {ShortcutEditResult::Refused,
                ShortcutReason(problem, typed, index, sentShortcuts, pictures)};

    // Read now, not when the window last read it: a change made by hand meanwhile stays.
    const std::u16string path = ListFilePath(pictures);
    std::optional<std::string> current;
    std::string error;
    if (files.Exists(path) && !files.ReadFileBytes(path, current.emplace(), error))
        return {ShortcutEditResult::NotWritten, "Readme.txt could not be read. " + error};
    const std::optional<std::string> bytes = WithListedShortcut(current, name, typed);
    // The checks above refuse whatever the writer would; this is their last word.
    if (!bytes) return {ShortcutEditResult::Refused, "Readme.txt cannot hold this shortcut."};
    if (*bytes == current.value_or(std::string())) return {ShortcutEditResult::Kept, ""};
    if (!files.ReplaceFileBytes(path, *bytes, error))
        return {ShortcutEditResult::NotWritten, "Readme.txt could not be written. " + error};
    return {ShortcutEditResult::Kept, ""};
}

}  // namespace pimbrel
