// The banner's pictures for the screen's DPI; see banner_pictures.h.
#include "banner_pictures.h"

#include "app/main_window_layout.h"
#include "resource_ids.h"

namespace pimbrel::win32 {

namespace {

struct Drawing {
    int dpi;
    WORD logo;
    WORD back;
};

constexpr Drawing kDrawings[] = {{96, kBitmapLogo100, kBitmapBack100},
                                 {120, kBitmapLogo125, kBitmapBack125},
                                 {144, kBitmapLogo150, kBitmapBack150},
                                 {192, kBitmapLogo200, kBitmapBack200}};

HBITMAP Load(HINSTANCE instance, WORD id) {
    return static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
}

// A copy of `source` at another size, averaged rather than sampled; `source` is deleted.
HBITMAP Scaled(HBITMAP source, int width, int height) {
    BITMAP size{};
    if (!source || !GetObjectA(source, sizeof(size), &size)) return source;
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP result = CreateCompatibleBitmap(screen, width, height);
    if (from && to && result) {
        const HGDIOBJ oldFrom = SelectObject(from, source);
        const HGDIOBJ oldTo = SelectObject(to, result);
        SetStretchBltMode(to, HALFTONE);
        SetBrushOrgEx(to, 0, 0, nullptr);
        StretchBlt(to, 0, 0, width, height, from, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
    }
    if (from) DeleteDC(from);
    if (to) DeleteDC(to);
    ReleaseDC(nullptr, screen);
    if (!result) return source;
    DeleteObject(source);
    return result;
}

}  // namespace

BannerPictures LoadBannerPictures(HINSTANCE instance, int dpi) {
    const Drawing* drawing = &kDrawings[sizeof(kDrawings) / sizeof(kDrawings[0]) - 1];
    for (const Drawing& candidate : kDrawings) {
        if (candidate.dpi >= dpi) {
            drawing = &candidate;
            break;
        }
    }
    BannerPictures pictures{Load(instance, drawing->logo), Load(instance, drawing->back)};
    if (drawing->dpi != dpi) {
        const TwipsRect& logo = MainWindowControl("imgLogo").rect;
        pictures.logo = Scaled(pictures.logo, TwipsToPixels(logo.width, dpi),
                               TwipsToPixels(logo.height, dpi));
        pictures.back = Scaled(pictures.back, 1, TwipsToPixels(logo.height, dpi));
    }
    return pictures;
}

}  // namespace pimbrel::win32
