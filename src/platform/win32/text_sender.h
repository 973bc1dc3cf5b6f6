// Sends WM_SETTEXT to other programs' windows from a thread of its own, so that a client that
// stops answering holds up that thread and never the window's.
#pragma once
#include <windows.h>

#include <string>

namespace pimbrel::win32 {

class TextSender {
public:
    TextSender() = default;
    ~TextSender();
    TextSender(const TextSender&) = delete;
    TextSender& operator=(const TextSender&) = delete;

    // Hands the text to the sending thread and waits at most `waitMs` for it to be handled;
    // true when every text handed over has been handled by then. Texts go out one after the
    // other, in order, each exactly once: a blocked send is waited out, never repeated.
    // Throws when the thread cannot be started.
    bool Send(HWND window, WPARAM wParam, const std::string& text, DWORD waitMs);
    // True once every text handed over has been handled.
    bool Idle();

private:
    struct Shared;
    static DWORD WINAPI Run(void* shared);
    bool Start();

    Shared* shared_ = nullptr;
    HANDLE thread_ = nullptr;
};

}  // namespace pimbrel::win32
