// The load step's listing: which files of the folder are pictures, and in what order.
#pragma once
#include <string>
#include <vector>

#include "app/frm_main.h"

namespace pimbrel {

// True for names ending in .bmp, .gif, .jpg, .jpeg, .jpe or .png, in any letter case.
bool IsPictureName(const std::string& name);

// Sorted by lower-case form compared byte by byte; ties by the names' own bytes.
void SortPictures(std::vector<Picture>& pictures);

// The pictures of the folder: no sub-folders, hidden or system files.
PictureList LoadPictureList(FileSystem& files, const FolderName& folder);

// The names as the list shows them, in list order.
std::vector<std::string> PictureNames(const PictureList& list);

// The full path that Messenger is given for a picture.
std::string PicturePath(const PictureList& list, const Picture& picture);

}  // namespace pimbrel
