// The size and place the main window opens with: eight rows of the list and all its columns
// in view where the work area of the window's monitor has room for them.
#pragma once
#include <windows.h>

#include "app/window_size.h"

namespace pimbrel::win32 {

// Sizes the hidden `window`, made at the system's default place, for the list's `measures`
// at `dpi`; `smallest` is the frame's smallest size.
void SizeForOpening(HWND window, const ListMeasures& measures, int dpi, POINT smallest);

}  // namespace pimbrel::win32
