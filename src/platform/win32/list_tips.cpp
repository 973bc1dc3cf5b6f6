// Tool tips for a list view's entries; see list_tips.h.
#include "list_tips.h"

#include <commctrl.h>

#include "win32_code_page.h"

namespace pimbrel::win32 {

ListToolTips::ListToolTips(HINSTANCE instance, HWND owner, HWND list, TextOf textOf)
    : list_(list), textOf_(std::move(textOf)) {
    tip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                           nullptr, instance, nullptr);
    if (!tip_) return;  // without the common controls the list simply has no tips
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(list);
    info.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    // The list's mouse messages come here first, to be passed on to the tip. `this` goes in
    // the list's user data, not a window property: the procedure reads it for every message
    // the list gets, a thousand of them as it fills, and under Wine a property is a round
    // trip to the server each time.
    SetWindowLongPtrW(list, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    listProcedure_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListToolTips::ListProcedure)));
}

ListToolTips::~ListToolTips() {
    // The list outlives us only when the window failed half made: it must not call us then.
    if (listProcedure_ && IsWindow(list_) &&
        GetWindowLongPtrW(list_, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this)) {
        SetWindowLongPtrW(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProcedure_));
        SetWindowLongPtrW(list_, GWLP_USERDATA, 0);
    }
}

LRESULT CALLBACK ListToolTips::ListProcedure(HWND list, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* self = reinterpret_cast<ListToolTips*>(GetWindowLongPtrW(list, GWLP_USERDATA));
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) self->OnMouse(message, wParam, lParam);
    return CallWindowProcW(self->listProcedure_, list, message, wParam, lParam);
}

void ListToolTips::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEMOVE) {
        LVHITTESTINFO hit{};
        hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const int found =
            static_cast<int>(SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        const int entry = found >= 0 && (hit.flags & LVHT_ONITEM) ? found : -1;
        if (entry != entry_) {
            // Another entry: the tip shown for the last one goes, and the next one asks
            // for its text afresh.
            entry_ = entry;
            SendMessageW(tip_, TTM_POP, 0, 0);
        }
    }
    MSG relayed{list_, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    const DWORD position = GetMessagePos();
    relayed.pt = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

std::wstring& ListToolTips::TextUnderMouse() {
    wide_ = entry_ >= 0 ? textOf_(entry_) : std::wstring();
    return wide_;
}

bool ListToolTips::OnNotify(NMHDR& header, LRESULT& result) {
    if (!tip_ || header.hwndFrom != tip_) return false;
    result = 0;
    if (header.code == TTN_GETDISPINFOW) {
        reinterpret_cast<NMTTDISPINFOW&>(header).lpszText =
            TextUnderMouse().data();
        return true;
    }
    if (header.code == TTN_GETDISPINFOA) {  // a system that asks in ANSI after all
        ansi_ = BytesFrom(CP_ACP, TextUnderMouse());
        reinterpret_cast<NMTTDISPINFOA&>(header).lpszText = ansi_.data();
        return true;
    }
    return false;
}

}  // namespace pimbrel::win32
