// A balloon that says why, pointing at a spot of the screen: a tracking tool tip, shown and
// hidden when told, never by the mouse.
#pragma once
#include <windows.h>

#include <string>

namespace pimbrel::win32 {

class ReasonBalloon {
public:
    // Belongs to `owner`, and goes with it. Without the common controls it never shows.
    ReasonBalloon(HINSTANCE instance, HWND owner, int dpi);
    ReasonBalloon(const ReasonBalloon&) = delete;
    ReasonBalloon& operator=(const ReasonBalloon&) = delete;

    // `text` (UTF-8, wrapped to a few words a line), its point at `at` on the screen.
    void Show(const std::string& text, POINT at);
    void Hide();

private:
    HWND owner_;
    HWND tip_ = nullptr;
    std::wstring text_;  // the tip reads its text from here
};

}  // namespace pimbrel::win32
