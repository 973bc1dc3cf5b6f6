// The taskbar button's progress; see taskbar_progress.h.
#include "taskbar_progress.h"

#include <shobjidl.h>

#include "system_files.h"

namespace pimbrel::win32 {

namespace {

constexpr CLSID kTaskbarList = {0x56fdf344, 0xfd6d, 0x11d0,
                                {0x95, 0x8a, 0x00, 0x60, 0x97, 0xc9, 0xa0, 0x90}};
constexpr IID kTaskbarList3 = {0xea1afb91, 0x9e28, 0x4b86,
                               {0x90, 0xe9, 0x9e, 0x9f, 0x8a, 0x5e, 0xef, 0xaf}};

using CoInitializeFunction = HRESULT(WINAPI*)(LPVOID);
using CoUninitializeFunction = void(WINAPI*)();
using CoCreateInstanceFunction = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);

// COM's library, from the system folder (not imported: nothing of it is needed at start-up).
HMODULE Ole32() {
    static const HMODULE ole32 = LoadSystemLibrary(L"ole32.dll");
    return ole32;
}

}  // namespace

TaskbarProgress::~TaskbarProgress() {
    if (taskbar_) taskbar_->Release();
    if (comStarted_)
        if (auto end = ExportOf<CoUninitializeFunction>(Ole32(), "CoUninitialize")) end();
}

bool TaskbarProgress::Ready() {
    if (tried_) return taskbar_ != nullptr;
    tried_ = true;
    const auto start = ExportOf<CoInitializeFunction>(Ole32(), "CoInitialize");
    const auto create = ExportOf<CoCreateInstanceFunction>(Ole32(), "CoCreateInstance");
    if (!start || !create) return false;
    const HRESULT started = start(nullptr);
    comStarted_ = SUCCEEDED(started);  // S_FALSE too: every success is ended once
    if (FAILED(started) && started != RPC_E_CHANGED_MODE) return false;
    void* object = nullptr;
    if (FAILED(create(kTaskbarList, nullptr, CLSCTX_INPROC_SERVER, kTaskbarList3, &object)))
        return false;  // before Windows 7: no such interface
    taskbar_ = static_cast<ITaskbarList3*>(object);
    if (FAILED(taskbar_->HrInit())) {
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
