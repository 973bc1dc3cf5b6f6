// Decoding and drawing one picture; see picture_drawing.h.
#include "picture_drawing.h"

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <cstring>

namespace pimbrel::win32 {

namespace {

// GDI+'s values for what is asked of it here.
constexpr int kPixelFormat32bppPremultiplied = 0x000E200B;  // PixelFormat32bppPARGB
constexpr int kInterpolationNearestNeighbour = 5;
constexpr int kInterpolationHighQualityBicubic = 7;
constexpr int kPixelOffsetHalf = 4;
constexpr int kWrapTileFlipXY = 3;
constexpr int kUnitPixel = 2;

constexpr DrawnPicture kUnreadable{PictureState::Unreadable, nullptr};

// A GDI+ object, disposed of with the scope.
template <typename Object>
class Owned {
public:
    using Free = GpStatus(WINAPI*)(Object*);
    explicit Owned(Free free) : free_(free) {}
    ~Owned() {
        if (object_) free_(object_);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Object** Out() { return &object_; }
    Object* Get() const { return object_; }

private:
    Free free_;
    Object* object_ = nullptr;
};

// A stream over a copy of the bytes, which it frees when its last reference goes.
IStream* StreamOver(const GdiplusFunctions& gdiplus, const std::string& bytes) {
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory) return nullptr;
    if (void* data = GlobalLock(memory)) {
        std::memcpy(data, bytes.data(), bytes.size());
        GlobalUnlock(memory);
        IStream* stream = nullptr;
        if (SUCCEEDED(gdiplus.createStreamOnHGlobal(memory, TRUE, &stream))) return stream;
    }
    GlobalFree(memory);
    return nullptr;
}

// Where in the square a picture of that size goes, and whether each of its pixels becomes
// a whole number of pixels (repeated, not resampled: kept sharp).
struct Placement {
    int x, y, width, height;
    bool whole;
};

Placement Fit(std::uint64_t width, std::uint64_t height, int side) {
    const std::uint64_t square = static_cast<std::uint64_t>(side);
    const std::uint64_t at100 = kPictureSquareAt100;
    std::uint64_t w = square, h = square;
    bool whole = false;
    if (width <= at100 && height <= at100) {
        // At the display's scale: what fits the square at 100 % fits it at every scale.
        w = std::max<std::uint64_t>(1, (width * square + at100 / 2) / at100);
        h = std::max<std::uint64_t>(1, (height * square + at100 / 2) / at100);
        whole = square % at100 == 0;
    } else if (width >= height) {
        h = std::max<std::uint64_t>(1, (height * square + width / 2) / width);
    } else {
        w = std::max<std::uint64_t>(1, (width * square + height / 2) / height);
    }
    const int drawnWidth = static_cast<int>(w), drawnHeight = static_cast<int>(h);
    return {(side - drawnWidth) / 2, (side - drawnHeight) / 2, drawnWidth, drawnHeight, whole};
}

// GDI+ draws straight into the section's pixels, through a bitmap over them.
bool DrawInto(const GdiplusFunctions& gdiplus, GpImage* picture, UINT width, UINT height,
              void* bits, int side) {
    Owned<GpImage> target(gdiplus.disposeImage);
    Owned<GpGraphics> graphics(gdiplus.deleteGraphics);  // deleted before its target
    Owned<GpImageAttributes> attributes(gdiplus.disposeImageAttributes);
    if (gdiplus.createBitmapFromScan0(side, side, side * 4, kPixelFormat32bppPremultiplied,
                                      static_cast<BYTE*>(bits), target.Out()) != kGpOk ||
        gdiplus.getImageGraphicsContext(target.Get(), graphics.Out()) != kGpOk ||
        gdiplus.createImageAttributes(attributes.Out()) != kGpOk)
        return false;
    const Placement at = Fit(width, height, side);
    gdiplus.setInterpolationMode(graphics.Get(), at.whole ? kInterpolationNearestNeighbour
                                                          : kInterpolationHighQualityBicubic);
    gdiplus.setPixelOffsetMode(graphics.Get(), kPixelOffsetHalf);
    // A resampled picture's edge is sampled against its own mirror image, not against the
    // transparency around it, so that it does not fade.
    gdiplus.setImageAttributesWrapMode(attributes.Get(), kWrapTileFlipXY, 0, FALSE);
    return gdiplus.drawImageRectRectI(graphics.Get(), picture, at.x, at.y, at.width, at.height, 0,
                                      0, static_cast<INT>(width), static_cast<INT>(height),
                                      kUnitPixel, attributes.Get(), nullptr, nullptr) == kGpOk;
}

// The decoded picture's first frame (GDI+'s default one) in a new square bitmap.
DrawnPicture Decode(const GdiplusFunctions& gdiplus, IStream* stream, int side) {
    Owned<GpImage> picture(gdiplus.disposeImage);
    if (gdiplus.createBitmapFromStream(stream, picture.Out()) != kGpOk) return kUnreadable;
    UINT width = 0, height = 0;
    if (gdiplus.getImageWidth(picture.Get(), &width) != kGpOk ||
        gdiplus.getImageHeight(picture.Get(), &height) != kGpOk || width == 0 || height == 0)
        return kUnreadable;
    if (width > kLargestPictureSide || height > kLargestPictureSide)
        return {PictureState::TooLarge, nullptr};
    void* bits = nullptr;
    const HBITMAP bitmap = SquareBitmap(side, &bits);
    if (!bitmap) return kUnreadable;
    if (!DrawInto(gdiplus, picture.Get(), width, height, bits, side)) {
        DeleteObject(bitmap);
        return kUnreadable;
    }
    return {PictureState::Shown, bitmap};
}

}  // namespace

DrawnPicture DrawPicture(const GdiplusFunctions& gdiplus, const std::string& bytes, int side) {
    if (bytes.empty() || side < 1) return kUnreadable;
    IStream* stream = StreamOver(gdiplus, bytes);
    if (!stream) return kUnreadable;
    const DrawnPicture drawn = Decode(gdiplus, stream, side);
    stream->Release();  // after the picture, which holds a reference of its own
    return drawn;
}

// A side x side DIB section of 32 bits a pixel, top-down, every pixel transparent black.
HBITMAP SquareBitmap(int side, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = -side;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

HBITMAP PlaceholderBitmap(int side, bool crossed) {
    void* bits = nullptr;
    HBITMAP bitmap = SquareBitmap(side, &bits);
    if (!bitmap) return nullptr;
    auto* pixels = static_cast<DWORD*>(bits);
    const int line = std::max(1, side / 32);
    const int inset = side / 8;  // a frame a little smaller than a picture's square
    const DWORD frame = crossed ? 0xFF8C8C8C : 0xFFC8C8C8;  // opaque grey, premultiplied
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const int left = x - inset, top = y - inset, size = side - 2 * inset;
            const bool inside = left >= 0 && top >= 0 && left < size && top < size;
            const bool edge = inside && (left < line || top < line || left >= size - line ||
                                         top >= size - line);
            const bool cross = inside && crossed && (std::abs(left - top) < line ||
                                                     std::abs(left + top - size + 1) < line);
            pixels[y * side + x] = edge || cross ? frame : 0;
        }
    }
    return bitmap;
}

}  // namespace pimbrel::win32
