// A picture folder other than the program's own: named on the command line, dropped on the
// window or chosen with the folder picker. A path names the folder, or a file in it.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "app/picture_list.h"
#include "interfaces/file_system.h"

namespace pimbrel {

// The paths that a command line names after the program's own, to be tried in turn: the
// whole rest as one path (a path with blanks typed without quotes), then its first argument
// (Explorer's drop of several files on the icon passes each). A quoted path ends at its
// closing quote, a backslash before it included. Empty when nothing follows the program.
std::vector<std::u16string> CommandLinePaths(const std::u16string& commandLine);

// The first of `paths` that names anything, else the first; `paths` is not empty.
const std::u16string& PathToOpen(FileSystem& files, const std::vector<std::u16string>& paths);

// The pictures of the folder that `path` names, or that holds the file it names; nullopt
// with `problem` set to a message that names the folder when it does not exist or cannot be
// listed.
std::optional<PictureList> ReadPictureFolder(FileSystem& files, const std::u16string& path,
                                             std::string& problem);

// "Pimbrel - maya" for the folder D:\Packs\maya; the root of a drive by its whole path.
std::string FolderCaption(const FolderName& folder);

}  // namespace pimbrel
