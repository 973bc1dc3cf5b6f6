// One picture file's bytes decoded by GDI+ and drawn into the list's square.
#pragma once
#include <windows.h>

#include <string>

#include "app/picture_check.h"
#include "gdiplus_api.h"

namespace pimbrel::win32 {

struct DrawnPicture {
    PictureState state;  // Shown, Unreadable or TooLarge
    HBITMAP bitmap;      // Shown: the caller's; else nullptr
};

// `bytes` that passed CheckBeforeDecoding, decoded and their first frame drawn into a
// side x side 32-bit top-down DIB section with premultiplied alpha, transparent around the
// picture. A picture larger than the square is shrunk to fit it, proportions kept; a smaller
// one is enlarged by the largest whole factor that fits (pixels kept sharp, as an emoticon of
// 19 pixels is drawn), or left as it is. TooLarge where the decoder finds sides over the
// limit that the header check could not see (a format it does not read).
DrawnPicture DrawPicture(const GdiplusFunctions& gdiplus, const std::string& bytes, int side);

}  // namespace pimbrel::win32
