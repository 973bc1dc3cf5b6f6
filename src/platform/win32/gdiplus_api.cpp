// GDI+ from the system, never from the picture folder; see gdiplus_api.h.
#include "gdiplus_api.h"

#include "resource_ids.h"
#include "system_files.h"

namespace pimbrel::win32 {

namespace {

struct StartupInput {
    UINT32 version;
    void* debugEventCallback;
    BOOL suppressBackgroundThread;
    BOOL suppressExternalCodecs;
};
using StartupFunction = GpStatus(WINAPI*)(ULONG_PTR*, const StartupInput*, void*);

// Windows XP keeps GDI+ in the side-by-side store alone. The exe carries a manifest that
// depends on it (not the one it starts with: where the store lacks the assembly, that one
// would stop the program from starting); activated around the load, it redirects the DLL's
// name into the store.
HMODULE FromSideBySide() {
    wchar_t exe[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    ACTCTXW request{};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = exe;
    request.hModule = GetModuleHandleW(nullptr);
    request.lpResourceName = MAKEINTRESOURCEW(kManifestGdiplus);
    const HANDLE context = CreateActCtxW(&request);
    if (context == INVALID_HANDLE_VALUE) return nullptr;
    HMODULE module = nullptr;
    ULONG_PTR cookie = 0;
    if (ActivateActCtx(context, &cookie)) {
        // Loaded by name only when the context does redirect that name: else the name would
        // be searched for, the program's folder first.
        ACTCTX_SECTION_KEYED_DATA redirection{};
        redirection.cbSize = sizeof(redirection);
        if (FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                     L"gdiplus.dll", &redirection))
            module = LoadLibraryW(L"gdiplus.dll");
        DeactivateActCtx(0, cookie);
    }
    ReleaseActCtx(context);
    return module;
}

template <typename Function>
bool Take(HMODULE module, const char* name, Function& function) {
    function = ExportOf<Function>(module, name);
    return function != nullptr;
}

bool TakeAll(HMODULE gdiplus, GdiplusFunctions& f) {
    return Take(gdiplus, "GdipCreateBitmapFromStream", f.createBitmapFromStream) &&
           Take(gdiplus, "GdipCreateBitmapFromScan0", f.createBitmapFromScan0) &&
           Take(gdiplus, "GdipGetImageWidth", f.getImageWidth) &&
           Take(gdiplus, "GdipGetImageHeight", f.getImageHeight) &&
           Take(gdiplus, "GdipDisposeImage", f.disposeImage) &&
           Take(gdiplus, "GdipGetImageGraphicsContext", f.getImageGraphicsContext) &&
           Take(gdiplus, "GdipDeleteGraphics", f.deleteGraphics) &&
           Take(gdiplus, "GdipSetInterpolationMode", f.setInterpolationMode) &&
           Take(gdiplus, "GdipSetPixelOffsetMode", f.setPixelOffsetMode) &&
           Take(gdiplus, "GdipCreateImageAttributes", f.createImageAttributes) &&
           Take(gdiplus, "GdipSetImageAttributesWrapMode", f.setImageAttributesWrapMode) &&
           Take(gdiplus, "GdipDisposeImageAttributes", f.disposeImageAttributes) &&
           Take(gdiplus, "GdipDrawImageRectRectI", f.drawImageRectRectI) &&
           Take(LoadSystemLibrary(L"ole32.dll"), "CreateStreamOnHGlobal", f.createStreamOnHGlobal);
}

}  // namespace

Gdiplus::Gdiplus(GdiplusSearch search) {
    if (search == GdiplusSearch::SystemFolderFirst && (module_ = LoadSystemLibrary(L"gdiplus.dll")))
        origin_ = GdiplusOrigin::SystemFolder;
    else if ((module_ = FromSideBySide()))
        origin_ = GdiplusOrigin::SideBySide;
    if (!module_) return;
    // Wine's GDI+ decodes through the imaging component, which it loads on first use by name,
    // the program's folder first (its delayed loads ignore the narrowed search). Taken from
    // the system folder now, it is found loaded then; where it is missing, nothing needs it.
    LoadSystemLibrary(L"windowscodecs.dll");
    StartupFunction startup = nullptr;
    if (!TakeAll(module_, functions_) || !Take(module_, "GdiplusStartup", startup) ||
        !Take(module_, "GdiplusShutdown", shutdown_))
        return;
    // Only the codecs that come with GDI+: none that another program registered.
    const StartupInput input{1, nullptr, FALSE, TRUE};
    started_ = startup(&token_, &input, nullptr) == kGpOk;
}

Gdiplus::~Gdiplus() {
    if (started_) shutdown_(token_);
}

}  // namespace pimbrel::win32
