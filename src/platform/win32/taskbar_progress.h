// The progress that a window's taskbar button shows, on Windows 7 and later, through the
// shell's taskbar object. It is made when first wanted; where the system has none (XP,
// Vista, Wine) every call does nothing.
#pragma once
#include <windows.h>

#include <memory>

#include "com_library.h"

struct ITaskbarList3;

namespace pimbrel::win32 {

class TaskbarProgress {
public:
    TaskbarProgress() = default;
    ~TaskbarProgress();
    TaskbarProgress(const TaskbarProgress&) = delete;
    TaskbarProgress& operator=(const TaskbarProgress&) = delete;

    void Show(HWND window, int done, int total);
    // The bar shown stays, in the paused state (yellow), until the next Show.
    void Pause(HWND window);
    void Hide(HWND window);

private:
    bool Ready();

    bool tried_ = false;
    std::unique_ptr<ComLibrary> com_;  // from the first Show on
    ITaskbarList3* taskbar_ = nullptr;
};

}  // namespace pimbrel::win32
