// The balloon that says why; see reason_balloon.h.
#include "reason_balloon.h"

#include <commctrl.h>

#include "win32_code_page.h"

namespace pimbrel::win32 {

namespace {

constexpr int kWidthAt96 = 300;

// The balloon's one tool, tracked: it shows where and when it is told.
TOOLINFOW Tool(HWND owner, wchar_t* text) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_TRACK;
    tool.hwnd = owner;
    tool.uId = 1;
    tool.lpszText = text;
    return tool;
}

}  // namespace

ReasonBalloon::ReasonBalloon(HINSTANCE instance, HWND owner, int dpi) : owner_(owner) {
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_NOPREFIX | TTS_BALLOON | TTS_ALWAYSTIP, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr, instance,
                           nullptr);
    if (!tip_) return;
    TOOLINFOW tool = Tool(owner_, text_.data());
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, MulDiv(kWidthAt96, dpi, 96));
}

void ReasonBalloon::Show(const std::string& text, POINT at) {
    if (!tip_ || text.empty()) return;
    text_ = WideFrom(CP_UTF8, text);
    TOOLINFOW tool = Tool(owner_, text_.data());
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
    SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void ReasonBalloon::Hide() {
    if (!tip_) return;
    TOOLINFOW tool = Tool(owner_, text_.data());
    SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace pimbrel::win32
