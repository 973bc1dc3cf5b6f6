// Program start: the DLL search, the system's code page and letter case, common controls,
// the main window.
#include <windows.h>
#include <commctrl.h>

#include "main_window.h"
#include "system_files.h"
#include "win32_code_page.h"

namespace {

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
    char text[160];
    wsprintfA(text, "Pimbrel stopped after an internal error (exception 0x%08lX at 0x%p).",
              info->ExceptionRecord->ExceptionCode, info->ExceptionRecord->ExceptionAddress);
    MessageBoxA(nullptr, text, "Pimbrel", MB_OK | MB_ICONSTOP);
    ExitProcess(3);
}

void DeclareDpiAwareness() {
    // Not on XP; the manifest says the same for the systems that read it.
    using SetAware = BOOL(WINAPI*)();
    if (auto set = pimbrel::win32::ExportOf<SetAware>(GetModuleHandleW(L"user32.dll"),
                                                      "SetProcessDPIAware"))
        set();
}

void StartCommonControls() {
    // Loaded here rather than imported: the common controls load the theme engine as they
    // start, and an import would start them before the DLL search is narrowed. Asked for by
    // name, version 6 comes from the side-by-side store as the manifest says, before any
    // search; the narrowed search only sees the system folder. Without them the window
    // still works, only the label's tool tip is missing.
    using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    if (auto init = pimbrel::win32::ExportOf<Init>(LoadLibraryW(L"comctl32.dll"),
                                                   "InitCommonControlsEx")) {
        const INITCOMMONCONTROLSEX controls{sizeof(controls),
                                            ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        init(&controls);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    pimbrel::win32::NarrowDllSearch();
    pimbrel::win32::PreloadSystemLibraries();
    SetUnhandledExceptionFilter(&ReportCrash);
    DeclareDpiAwareness();
    StartCommonControls();
    static const pimbrel::win32::Win32CodePage codePage;
    pimbrel::SetCodePage(&codePage);
    try {
        pimbrel::win32::MainWindow window(instance);
        // The folder to open, as typed or as Explorer passes a folder dropped on the icon.
        window.Open(showCommand, pimbrel::win32::FromWide(GetCommandLineW()));
        return window.RunMessageLoop();
    } catch (const std::exception& fault) {
        MessageBoxA(nullptr, fault.what(), "Pimbrel", MB_OK | MB_ICONSTOP);
        return 1;
    }
}
