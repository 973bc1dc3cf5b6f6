// The window's opening size; see window_opening.h.
#include "window_opening.h"

namespace pimbrel::win32 {

void SizeForOpening(HWND window, const ListMeasures& measures, int dpi, POINT smallest) {
    const PixelSize client = OpeningClientSize(measures, dpi);
    RECT frame{0, 0, client.width, client.height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    RECT at{};
    GetWindowRect(window, &at);
    // The work area leaves out the taskbar and the other bars docked at the screen's edges.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    RECT work{};
    if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        work = monitor.rcWork;
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const PixelRect placed = FitIntoWorkArea(
        {frame.right - frame.left, frame.bottom - frame.top}, {smallest.x, smallest.y}, at.left,
        at.top, {work.left, work.top, work.right, work.bottom});
    SetWindowPos(window, nullptr, placed.left, placed.top, placed.Width(), placed.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace pimbrel::win32
