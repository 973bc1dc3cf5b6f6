// The banner's two pictures for the screen's DPI. They are drawn for 100, 125, 150 and 200 %
// and used as drawn there; at any other DPI the next larger drawing (or the largest) is
// scaled to the size of the controls.
#pragma once
#include <windows.h>

namespace pimbrel::win32 {

struct BannerPictures {
    HBITMAP logo = nullptr;
    HBITMAP back = nullptr;  // one pixel wide: the control stretches it across the window
};

// The caller owns both bitmaps.
BannerPictures LoadBannerPictures(HINSTANCE instance, int dpi);

}  // namespace pimbrel::win32
