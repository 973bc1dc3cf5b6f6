// Keeping a shortcut that the user typed for one picture: the checks, then the list file,
// read afresh and replaced whole. The window calls it; it knows nothing of the window.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "app/picture_list.h"
#include "interfaces/file_system.h"

namespace pimbrel {

enum class ShortcutEditResult {
    Kept,        // the list file gives the picture the typed shortcut (or none, for the empty text)
    Refused,     // the text or the picture's name cannot be kept: nothing was written
    NotWritten,  // the list file could not be read or replaced: it is as it was
};

struct ShortcutEdit {
    ShortcutEditResult result;
    std::string reason;  // why not, in a short sentence for beside the box (UTF-8); or empty
};

// Why the picture named `name` cannot have a shortcut of its own in the list file; empty when
// it can. Asked before the box opens.
std::string WhyNotListable(const std::u16string& name);

// Keeps `typed` as the shortcut of picture `index` of `pictures` in the folder's list file.
// `sentShortcuts` holds what the next Add would send each picture, as the window shows it
// (see SentShortcuts); the empty text gives the picture back its automatic shortcut. The file
// is read again first, so that changes made to it by hand stay.
ShortcutEdit KeepTypedShortcut(FileSystem& files, const PictureList& pictures,
                               std::size_t index, const std::u16string& typed,
                               const std::vector<std::u16string>& sentShortcuts);

}  // namespace pimbrel
