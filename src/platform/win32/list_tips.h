// Tool tips for the entries of a list view: the text of the entry under the mouse, asked for
// each time the tip is about to show, and a fresh tip whenever the mouse moves to another
// entry.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace pimbrel::win32 {

class ListToolTips {
public:
    // `textOf` gives an entry's text; an empty text shows no tip.
    using TextOf = std::function<std::wstring(int index)>;

    ListToolTips(HINSTANCE instance, HWND owner, HWND list, TextOf textOf);
    ~ListToolTips();
    ListToolTips(const ListToolTips&) = delete;
    ListToolTips& operator=(const ListToolTips&) = delete;

    // For the owner's window procedure, which answers WM_NOTIFYFORMAT with NFR_UNICODE: true
    // when the notification was for these tips.
    bool OnNotify(NMHDR& header, LRESULT& result);

private:
    static LRESULT CALLBACK ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
    void OnMouse(UINT message, WPARAM wParam, LPARAM lParam);
    std::wstring& TextUnderMouse();

    HWND list_;
    HWND tip_ = nullptr;
    TextOf textOf_;
    WNDPROC listProcedure_ = nullptr;
    int entry_ = -1;  // the entry under the mouse, or -1
    std::wstring wide_;
    std::string ansi_;
};

}  // namespace pimbrel::win32
