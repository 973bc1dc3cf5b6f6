// The pictures that the window lists: the folder and, in list order, each picture's names.
#pragma once
#include <string>
#include <vector>

#include "interfaces/file_system.h"

namespace pimbrel {

struct Picture {
    std::u16string name;       // as the file system names it and the list shows it
    std::u16string shortName;  // its 8.3 form, for a path the code page cannot hold; or empty
};

struct PictureList {
    FolderName folder;
    std::vector<Picture> entries;
};

}  // namespace pimbrel
