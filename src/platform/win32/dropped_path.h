// What was dropped on the window: WM_DROPFILES's list of paths, read through shell32 from
// the system folder.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace pimbrel::win32 {

// The first path of a drop, of any number of files and folders; nullopt where none can be
// read. The drop's memory is freed either way.
std::optional<std::u16string> TakeDroppedPath(HDROP drop);

}  // namespace pimbrel::win32
