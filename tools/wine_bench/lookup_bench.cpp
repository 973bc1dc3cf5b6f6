// lookup_bench: the cost of one window lookup, the one that every waiting pass makes, over
// whatever top-level windows exist. Start the stand-in first with
//   MessengerStandIn --idle-windows N --preexisting-dialog-buttons 2
// Two lookups that find nothing, as a pass still waiting for its dialog does:
//   - a dialog (#32770) owned by an idle window: the class a waiting pass looks for, among
//     idle windows of another class;
//   - an idle window owned by the client's main window: every idle window has the class.
//
//   lookup_bench [CALLS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "common/outside_view.h"
#include "messenger/functions.h"
#include "messenger/messenger_contract.h"
#include "win32_window_system.h"

namespace {

using outside::kIdleClass;

// Times `calls` lookups that must find nothing; false if one found something.
bool Measure(const char* label, pimbrel::WindowSystem& windows, pimbrel::WindowHandle owner,
             const char* className, int calls, int present) {
    const double cpuBefore = outside::CpuMs(GetCurrentProcess());
    const double start = outside::NowMs();
    int found = 0;
    for (int i = 0; i < calls; ++i) found += pimbrel::FindOwnedWindow(windows, owner, className) != 0;
    const double wallMs = outside::NowMs() - start;
    const double cpuMs = outside::CpuMs(GetCurrentProcess()) - cpuBefore;
    const double perCallUs = 1e3 * wallMs / calls;
    std::printf("%s: %.1f us a lookup, %.3f us per window present, CPU %.0f %% of the wall time%s\n",
                label, perCallUs, perCallUs / present, wallMs > 0 ? 100 * cpuMs / wallMs : 0.0,
                found ? " (unexpected match)" : "");
    return found == 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int calls = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    pimbrel::win32::Win32WindowSystem windows;
    const pimbrel::WindowHandle idle = windows.FindWindowByClass(kIdleClass);
    pimbrel::WindowHandle main = windows.FindWindowByClass(pimbrel::contract::kOlderMainClass);
    if (idle == 0 || main == 0 || windows.FindWindowByClass(pimbrel::contract::kDialogClass) == 0) {
        std::printf("start MessengerStandIn --idle-windows N --preexisting-dialog-buttons 2 first\n");
        return 3;
    }
    const int present = static_cast<int>(outside::TopLevels().size());
    int dialogs = 0;
    for (HWND w = FindWindowExA(nullptr, nullptr, pimbrel::contract::kDialogClass, nullptr); w;
         w = FindWindowExA(nullptr, w, pimbrel::contract::kDialogClass, nullptr))
        ++dialogs;
    std::printf("top-level windows present: %d, of them dialogs: %d\n", present, dialogs);
    const bool dialog = Measure("  dialog class, idle windows of another class", windows, idle,
                                pimbrel::contract::kDialogClass, calls * 10, present);
    const bool same = Measure("  the idle windows' own class", windows, main, kIdleClass,
                              std::max(1, calls / 10), present);
    return dialog && same ? 0 : 3;
}
