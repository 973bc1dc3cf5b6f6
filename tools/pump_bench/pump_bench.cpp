// Prints how long one pass of the program's pump lasts and what 1,000 idle passes cost in
// CPU time, with and without 1 ms timer resolution, and what a pass costs more when it also
// changes a shown window's caption, as a run does for each picture. Run it under Wine or on
// Windows.
#include <windows.h>

#include <cstdio>

#include "common/outside_view.h"
#include "win32_window_system.h"

namespace {

void Measure(const char* label, int passes) {
    pimbrel::win32::Win32WindowSystem windows;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    const double cpuBefore = outside::CpuMs(GetCurrentProcess()) / 1000;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < passes; ++i) windows.PumpEvents();
    QueryPerformanceCounter(&end);
    const double wall = double(end.QuadPart - start.QuadPart) / frequency.QuadPart;
    const double cpu = outside::CpuMs(GetCurrentProcess()) / 1000 - cpuBefore;
    std::printf("%-28s %5d passes: %.3f ms a pass, wall %.3f s, CPU %.3f s (%.1f %% of a core)\n",
                label, passes, wall * 1000 / passes, wall, cpu, wall > 0 ? 100 * cpu / wall : 0.0);
}

// 1,000 passes, each after a change of a shown window's caption ("Pimbrel - adding I of N").
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
    pimbrel::win32::Win32WindowSystem windows;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 1; i <= passes; ++i) {
        wchar_t caption[64];
        wsprintfW(caption, L"Pimbrel - adding %d of %d", i, passes);
        SetWindowTextW(window, caption);
        windows.PumpEvents();
    }
    QueryPerformanceCounter(&end);
    const double wall = double(end.QuadPart - start.QuadPart) / frequency.QuadPart;
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
