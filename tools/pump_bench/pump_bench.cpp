// Prints how long one pass of the program's pump lasts and what 1,000 idle passes cost in
// CPU time, with and without 1 ms timer resolution, and what a pass costs more when it also
// changes a shown window's caption, as a run does for each picture. Run it under Wine or on
// Windows.
#include <windows.h>

#include <cstdio>

#include "common/outside_view.h"
#include "win32_window_system.h"

namespace {

// Seconds that `passes` passes of the pump take. With a window, each pass follows a change of
// its caption, as a run changes it for each picture ("Pimbrel - adding I of N").
double TimePasses(int passes, HWND captioned = nullptr) {
    pimbrel::win32::Win32WindowSystem windows;
    const double start = outside::NowMs();
    for (int i = 1; i <= passes; ++i) {
        if (captioned) {
            wchar_t caption[64];
            wsprintfW(caption, L"Pimbrel - adding %d of %d", i, passes);
            SetWindowTextW(captioned, caption);
        }
        windows.PumpEvents();
    }
    return (outside::NowMs() - start) / 1000;
}

void Measure(const char* label, int passes) {
    const double cpuBefore = outside::CpuMs(GetCurrentProcess()) / 1000;
    const double wall = TimePasses(passes);
    const double cpu = outside::CpuMs(GetCurrentProcess()) / 1000 - cpuBefore;
    std::printf("%-28s %5d passes: %.3f ms a pass, wall %.3f s, CPU %.3f s (%.1f %% of a core)\n",
                label, passes, wall * 1000 / passes, wall, cpu, wall > 0 ? 100 * cpu / wall : 0.0);
}

void MeasureCaptions(int passes) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"PumpBenchCaption";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"PumpBenchCaption", L"Pimbrel", WS_OVERLAPPED | WS_CAPTION,
                                10, 10, 300, 200, nullptr, nullptr, windowClass.hInstance,
                                nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    const double wall = TimePasses(passes, window);
    std::printf("%-28s %5d passes: %.3f ms a pass, wall %.3f s\n", "caption changed each pass",
                passes, wall * 1000 / passes, wall);
    DestroyWindow(window);
}

}  // namespace

int main() {
    Measure("default timer resolution", 1000);
    {
        pimbrel::win32::TimerResolution resolution;
        Measure("1 ms timer resolution", 1000);
        MeasureCaptions(1000);
    }
    return 0;
}
