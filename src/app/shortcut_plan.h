// The shortcuts a run gives the pictures before it turns to Messenger: the list file's and
// the automatic ones. The run and the list's tool tips work them out with the same code.
#pragma once
#include <string>
#include <vector>

#include "app/picture_list.h"
#include "interfaces/file_system.h"

namespace pimbrel {

// The folder's list file, Readme.txt.
std::u16string ListFilePath(const PictureList& list);

// Fills listedShortcuts from the folder's list file. False when the file exists but could
// not be read; `problem` then says why (UTF-8, for a box).
bool ReadListedShortcuts(FileSystem& files, const PictureList& list,
                         const std::vector<std::u16string>& names,
                         std::vector<std::u16string>& listedShortcuts, std::string& problem);

// Both tables, one entry per picture and one spare, as a run would fill them now. A list
// file that cannot be read leaves every listed shortcut empty: only Add reports it.
struct ShortcutPlan {
    std::vector<std::u16string> autoShortcuts;
    std::vector<std::u16string> listedShortcuts;
};
ShortcutPlan PlanShortcuts(FileSystem& files, const PictureList& list);

// Per picture, the shortcut the next Add would send it, as Messenger would take it.
std::vector<std::u16string> SentShortcuts(ShortcutPlan& plan);

}  // namespace pimbrel
