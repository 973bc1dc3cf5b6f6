// Program start: the case rules of the code page, common controls, the main window.
#include <windows.h>
#include <commctrl.h>

#include "ansi_case.h"
#include "main_window.h"

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
    if (HMODULE user = GetModuleHandleA("user32.dll"))
        if (auto set = reinterpret_cast<SetAware>(
                reinterpret_cast<void*>(GetProcAddress(user, "SetProcessDPIAware"))))
            set();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    SetUnhandledExceptionFilter(&ReportCrash);
    DeclareDpiAwareness();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    static const pimbrel::win32::AnsiCase ansiCase;
    pimbrel::SetCaseConversion(&ansiCase);
    try {
        pimbrel::win32::MainWindow window(instance);
        window.Open(showCommand);
        return window.RunMessageLoop();
    } catch (const std::exception& fault) {
        MessageBoxA(nullptr, fault.what(), "Pimbrel", MB_OK | MB_ICONSTOP);
        return 1;
    }
}
