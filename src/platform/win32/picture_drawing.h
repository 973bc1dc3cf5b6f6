// One picture file's bytes decoded by GDI+ and drawn into the list's square, and the
// placeholders drawn there in its stead.
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
// side x side 32-bit top-down DIB section with premultiplied alpha, centred and transparent
// around the picture. A picture is drawn at the display's scale (side / kPictureSquareAt100
// pixels for each of its own: an emoticon of 19 pixels has 19 at 100 % and 38 at 200 %, kept
// sharp at whole scales), and shrunk to fit the square where it is larger, proportions kept.
// TooLarge where the decoder finds sides over the limit that the header check could not see
// (a format that it does not read).
DrawnPicture DrawPicture(const GdiplusFunctions& gdiplus, const std::string& bytes, int side);

// A side x side DIB section of 32 bits a pixel, top-down, every pixel transparent black;
// `bits` gets its pixels. nullptr when the system has no room for it.
HBITMAP SquareBitmap(int side, void** bits);

// A placeholder of side x side pixels: a grey frame, empty inside while the picture is being
// read, crossed where there is no picture to show.
HBITMAP PlaceholderBitmap(int side, bool crossed);

}  // namespace pimbrel::win32
