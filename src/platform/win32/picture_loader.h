// Reads the list's pictures on a thread of its own, in list order, with GDI+ (the system's
// own image library, never a DLL from the picture folder), and hands each back as a bitmap
// of the list's picture size, so that the window shows at once and the pictures appear as
// they are read.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/picture_check.h"

namespace pimbrel::win32 {

struct LoadedPicture {
    int index;           // in the list
    PictureState state;  // Shown, Unreadable or TooLarge
    // Shown: side x side pixels, 32 bits a pixel with premultiplied alpha, the picture's
    // first frame fitted into the square with its proportions kept, centred, transparent
    // around it. The receiver owns it. nullptr for any other state.
    HBITMAP bitmap;
};

class PictureLoader {
public:
    // Starts reading `paths` (full paths, in list order) on the loader's thread. Whenever
    // pictures have been finished since the last TakeFinished, it posts `message` (wParam and
    // lParam 0) to `window`. `side`: the square's side in pixels, for the display's scale.
    // Where GDI+ cannot be loaded, nothing is reported and the list keeps its placeholders.
    PictureLoader(HWND window, UINT message, std::vector<std::wstring> paths, int side);
    // Asks the thread to stop after the picture in hand and does not wait for it: a decode
    // cannot be interrupted, and closing the window must end the program at once.
    ~PictureLoader();
    PictureLoader(const PictureLoader&) = delete;
    PictureLoader& operator=(const PictureLoader&) = delete;

    // The pictures finished since the last call, in list order.
    std::vector<LoadedPicture> TakeFinished();

private:
    struct Shared;
    static DWORD WINAPI Run(void* shared);

    Shared* shared_ = nullptr;
};

}  // namespace pimbrel::win32
