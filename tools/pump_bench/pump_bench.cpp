// Prints how long one pass of the program's pump lasts and what 1,000 idle passes cost in
// CPU time, with and without 1 ms timer resolution. Run it under Wine or on Windows.
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

}  // namespace

int main() {
    Measure("default timer resolution", 1000);
    {
        pimbrel::win32::TimerResolution resolution;
        Measure("1 ms timer resolution", 1000);
    }
    return 0;
}
