// The taskbar button's progress; see taskbar_progress.h.
#include "taskbar_progress.h"

#include <shobjidl.h>

namespace pimbrel::win32 {

namespace {

constexpr CLSID kTaskbarList = {0x56fdf344, 0xfd6d, 0x11d0,
                                {0x95, 0x8a, 0x00, 0x60, 0x97, 0xc9, 0xa0, 0x90}};
constexpr IID kTaskbarList3 = {0xea1afb91, 0x9e28, 0x4b86,
                               {0x90, 0xe9, 0x9e, 0x9f, 0x8a, 0x5e, 0xef, 0xaf}};

}  // namespace

TaskbarProgress::~TaskbarProgress() {
    if (taskbar_) taskbar_->Release();  // before COM is left
}

bool TaskbarProgress::Ready() {
    if (tried_) return taskbar_ != nullptr;
    tried_ = true;
    com_ = std::make_unique<ComLibrary>();
    // Before Windows 7: no such interface.
    taskbar_ = static_cast<ITaskbarList3*>(com_->Create(kTaskbarList, kTaskbarList3));
    if (taskbar_ && FAILED(taskbar_->HrInit())) {
        taskbar_->Release();
        taskbar_ = nullptr;
    }
    return taskbar_ != nullptr;
}

void TaskbarProgress::Show(HWND window, int done, int total) {
    if (!Ready() || total <= 0) return;
    taskbar_->SetProgressState(window, TBPF_NORMAL);
    taskbar_->SetProgressValue(window, static_cast<ULONGLONG>(done),
                               static_cast<ULONGLONG>(total));
}

void TaskbarProgress::Pause(HWND window) {
    if (taskbar_) taskbar_->SetProgressState(window, TBPF_PAUSED);
}

void TaskbarProgress::Hide(HWND window) {
    if (taskbar_) taskbar_->SetProgressState(window, TBPF_NOPROGRESS);
}

}  // namespace pimbrel::win32
