// GDI+, the system's image library, as the picture loader uses it: the few flat functions it
// calls, taken at run time from the system's own copy, never imported and never searched for
// by name where the picture folder could be searched.
#pragma once
#include <windows.h>
#include <objidl.h>

namespace pimbrel::win32 {

// GDI+'s objects, opaque here; a bitmap is an image in the flat functions.
struct GpImage;
struct GpGraphics;
struct GpImageAttributes;
using GpStatus = int;  // 0: done
constexpr GpStatus kGpOk = 0;

// Where GDI+ came from: the system folder (Windows Vista and later, Wine), or the side-by-side
// store, through the exe's manifest for it (Windows XP, where the system folder has none).
enum class GdiplusOrigin { None, SystemFolder, SideBySide };
// Where to look: both in that order, or the store alone (to try that way where both work).
enum class GdiplusSearch { SystemFolderFirst, SideBySideOnly };

struct GdiplusFunctions {
    GpStatus(WINAPI* createBitmapFromStream)(IStream*, GpImage**);
    GpStatus(WINAPI* createBitmapFromScan0)(INT, INT, INT, INT, BYTE*, GpImage**);
    GpStatus(WINAPI* getImageWidth)(GpImage*, UINT*);
    GpStatus(WINAPI* getImageHeight)(GpImage*, UINT*);
    GpStatus(WINAPI* disposeImage)(GpImage*);
    GpStatus(WINAPI* getImageGraphicsContext)(GpImage*, GpGraphics**);
    GpStatus(WINAPI* deleteGraphics)(GpGraphics*);
    GpStatus(WINAPI* setInterpolationMode)(GpGraphics*, int);
    GpStatus(WINAPI* setPixelOffsetMode)(GpGraphics*, int);
    GpStatus(WINAPI* createImageAttributes)(GpImageAttributes**);
    GpStatus(WINAPI* setImageAttributesWrapMode)(GpImageAttributes*, int, DWORD, BOOL);
    GpStatus(WINAPI* disposeImageAttributes)(GpImageAttributes*);
    GpStatus(WINAPI* drawImageRectRectI)(GpGraphics*, GpImage*, INT, INT, INT, INT, INT, INT, INT,
                                         INT, int, const GpImageAttributes*, void*, void*);
    // From COM's library (a Known DLL): a stream over a copy of the file's bytes.
    HRESULT(WINAPI* createStreamOnHGlobal)(HGLOBAL, BOOL, IStream**);
};

// GDI+ loaded and started for the object's life, on the thread that made it.
class Gdiplus {
public:
    explicit Gdiplus(GdiplusSearch search);
    ~Gdiplus();  // GdiplusShutdown; the DLL stays loaded, as its threads may still be ending
    Gdiplus(const Gdiplus&) = delete;
    Gdiplus& operator=(const Gdiplus&) = delete;

    // Null when GDI+ or one of its functions could not be had, or it did not start.
    const GdiplusFunctions* Functions() const { return started_ ? &functions_ : nullptr; }
    GdiplusOrigin Origin() const { return origin_; }
    HMODULE Module() const { return module_; }

private:
    HMODULE module_ = nullptr;
    GdiplusOrigin origin_ = GdiplusOrigin::None;
    GdiplusFunctions functions_{};
    void(WINAPI* shutdown_)(ULONG_PTR) = nullptr;
    ULONG_PTR token_ = 0;
    bool started_ = false;
};

}  // namespace pimbrel::win32
