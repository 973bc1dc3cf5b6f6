// The empty list's text; see empty_list_hint.h.
#include "empty_list_hint.h"

namespace pimbrel::win32 {

LRESULT PaintEmptyHint(const NMLVCUSTOMDRAW& draw, bool empty, const wchar_t* hint) {
    if (!empty) return CDRF_DODEFAULT;
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYPOSTPAINT;
    if (draw.nmcd.dwDrawStage != CDDS_POSTPAINT) return CDRF_DODEFAULT;
    const HWND list = draw.nmcd.hdr.hwndFrom;
    RECT area{};
    GetClientRect(list, &area);
    if (HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0))) {
        RECT headings{};
        if (IsWindowVisible(header) && GetWindowRect(header, &headings))
            area.top += headings.bottom - headings.top;
    }
    const HDC dc = draw.nmcd.hdc;
    const HGDIOBJ font = SelectObject(
        dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    // A margin of a line's height around the text, which breaks between words.
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    InflateRect(&area, -metrics.tmHeight, -metrics.tmHeight);
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF colour = SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, hint, -1, &area, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    SetTextColor(dc, colour);
    SetBkMode(dc, mode);
    SelectObject(dc, font);
    return CDRF_DODEFAULT;
}

}  // namespace pimbrel::win32
