// The system's folder picker, as the window's Choose folder... offers it: the file dialog in
// its folder mode where the system has it (Vista on), else the folder browser (XP).
#pragma once
#include <windows.h>

#include "interfaces/toolkit.h"

namespace pimbrel::win32 {

class Win32FolderPicker : public FolderPicker {
public:
    explicit Win32FolderPicker(HWND owner) : owner_(owner) {}
    // Modal to the owner; opens at `start`.
    std::optional<std::u16string> PickFolder(const std::u16string& start) override;

private:
    HWND owner_;
};

}  // namespace pimbrel::win32
