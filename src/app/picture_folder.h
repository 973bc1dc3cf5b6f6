// The load step's listing: which files of the folder are pictures, and in what order.
#pragma once
#include <string>
#include <vector>

#include "app/picture_list.h"
#include "interfaces/file_system.h"

namespace pimbrel {

// True for names ending in .bmp, .gif, .jpg, .jpeg, .jpe or .png, in any letter case.
bool IsPictureName(const std::u16string& name);

// Sorted by lower-case form in the ANSI code page, compared byte by byte; ties by the
// names' own bytes in the code page.
void SortPictures(std::vector<Picture>& pictures);

// The pictures among a folder's entries: no sub-folders, hidden or system files.
PictureList PicturesOf(const FolderName& folder, const std::vector<DirectoryEntry>& entries);

// The pictures of the folder; none when it cannot be listed.
PictureList LoadPictureList(FileSystem& files, const FolderName& folder);

// The names as the list shows them, in list order.
std::vector<std::u16string> PictureNames(const PictureList& list);

// The full path that Messenger is given for a picture: the folder, a backslash and the
// name, each in its 8.3 form where the ANSI code page cannot hold it in full.
std::u16string PicturePath(const PictureList& list, const Picture& picture);

}  // namespace pimbrel
