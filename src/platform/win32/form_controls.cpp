// frmMain's controls from the layout table; see form_controls.h.
#include "form_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "win32_code_page.h"

namespace pimbrel::win32 {

namespace {

// What a kind of control is made as.
struct Look {
    const char* className;
    DWORD style;  // beyond WS_CHILD | WS_VISIBLE
    DWORD extendedStyle;
    bool wide;  // a Unicode window
};

Look LookOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::FileList:
        // A Unicode list view in our ANSI window, so that every name shows as the file system
        // spells it, whatever the code page can hold. Its rows keep our order: no sorting,
        // not even by a click on a column's heading.
        return {"SysListView32",
                WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | LVS_OWNERDATA,
                WS_EX_CLIENTEDGE, true};
    case ControlKind::PushButton:
        return {"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, false};
    case ControlKind::CheckBox:
        return {"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0, false};
    case ControlKind::Label:
        return {"STATIC", SS_NOTIFY | SS_LEFT, 0, false};
    case ControlKind::Picture:
        return {"STATIC", SS_BITMAP, 0, false};
    case ControlKind::StretchedPicture:
        // It clips itself against the pictures in front of it.
        return {"STATIC", SS_BITMAP | SS_REALSIZECONTROL | WS_CLIPSIBLINGS, 0, false};
    case ControlKind::Timer:
        break;
    }
    return {nullptr, 0, 0, false};
}

struct PixelRect {
    int x, y, width, height;
};

PixelRect PixelsOf(const TwipsRect& rect, int dpi) {
    return {TwipsToPixels(rect.left, dpi), TwipsToPixels(rect.top, dpi),
            TwipsToPixels(rect.width, dpi), TwipsToPixels(rect.height, dpi)};
}

std::wstring Widened(const char* ascii) { return std::wstring(ascii, ascii + strlen(ascii)); }

HWND CreateControl(HINSTANCE instance, HWND form, const ControlSpec& spec, int dpi) {
    const Look look = LookOf(spec.kind);
    const DWORD style = WS_CHILD | WS_VISIBLE | look.style;
    const PixelRect at = PixelsOf(spec.rect, dpi);
    const HMENU id = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(spec.id));
    if (look.wide)
        return CreateWindowExW(look.extendedStyle, Widened(look.className).c_str(),
                               Widened(spec.caption).c_str(), style, at.x, at.y, at.width,
                               at.height, form, id, instance, nullptr);
    return CreateWindowExA(look.extendedStyle, look.className, spec.caption, style, at.x, at.y,
                           at.width, at.height, form, id, instance, nullptr);
}

// A static bitmap control takes the size of its bitmap; a stretched one gets its own back.
void ShowPicture(HWND control, HBITMAP picture, const ControlSpec& spec, int dpi) {
    SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    if (spec.kind != ControlKind::StretchedPicture) return;
    const PixelRect at = PixelsOf(spec.rect, dpi);
    SetWindowPos(control, nullptr, at.x, at.y, at.width, at.height, SWP_NOZORDER);
}

HFONT DialogFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    // The XP-sized structure, so that the call succeeds on every version.
#if WINVER >= 0x0600
    metrics.cbSize -= sizeof(metrics.iPaddedBorderWidth);
#endif
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return CreateFontIndirectA(&metrics.lfMessageFont);
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT SiteFont(int dpi) {
    // MS Sans Serif 8.25 pt, normal weight, underlined.
    const int height = -MulDiv(825, dpi, 7200);
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, TRUE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
}

void AddToolTip(HINSTANCE instance, HWND form, HWND control, const char* text) {
    HWND tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form,
                               nullptr, instance, nullptr);
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = form;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<char*>(text);
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace

FormControls::FormControls(HINSTANCE instance, HWND form, int dpi)
    : form_(form), dpi_(dpi), dialogFont_(DialogFont()), siteFont_(SiteFont(dpi)),
      banner_(LoadBannerPictures(instance, dpi)) {
    const auto& table = MainWindowControls();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const ControlSpec& spec = table[i];
        if (spec.kind == ControlKind::Timer) continue;
        windows_[i] = CreateControl(instance, form, spec, dpi);
        SendMessageA(windows_[i], WM_SETFONT,
                     reinterpret_cast<WPARAM>(spec.kind == ControlKind::Label ? siteFont_
                                                                              : dialogFont_),
                     FALSE);
    }
    ShowPicture(Window("imgLogo"), banner_.logo, MainWindowControl("imgLogo"), dpi);
    ShowPicture(Window("imgBack"), banner_.back, MainWindowControl("imgBack"), dpi);
    AddToolTip(instance, form, Window("lblSite"), kSiteToolTip);
}

FormControls::~FormControls() {
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(dialogFont_), static_cast<HGDIOBJ>(siteFont_),
                           static_cast<HGDIOBJ>(banner_.logo), static_cast<HGDIOBJ>(banner_.back)})
        if (object) DeleteObject(object);
}

HWND FormControls::Window(const char* name) const {
    return windows_[&MainWindowControl(name) - MainWindowControls().data()];
}

void FormControls::Arrange(int clientWidth, int clientHeight) {
    // The room the window has gained over its smallest size goes to the anchored controls.
    const int wider = std::max(0, clientWidth - TwipsToPixels(kClientWidthTwips, dpi_));
    const int taller = std::max(0, clientHeight - TwipsToPixels(kClientHeightTwips, dpi_));
    const auto& table = MainWindowControls();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const ControlSpec& spec = table[i];
        if (spec.kind == ControlKind::Timer || spec.anchor == Anchor::Stays) continue;
        PixelRect at = PixelsOf(spec.rect, dpi_);
        if (spec.anchor == Anchor::Right) at.x += wider;
        if (spec.anchor != Anchor::Right) at.width += wider;
        if (spec.anchor == Anchor::AcrossAndDown) at.height += taller;
        SetWindowPos(windows_[i], nullptr, at.x, at.y, at.width, at.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Everything is drawn anew, the controls too: the strip is stretched to its new size,
    // and Wine would leave a moved button undrawn on a window that grew.
    RedrawWindow(form_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace pimbrel::win32
