// The window system as the Messenger stages see it: lookups, posts, texts and the pump.
// No Win32 types: a window is its 32-bit handle value, 0 meaning none.
#pragma once
#include <cstdint>
#include <string>

namespace pimbrel {

using WindowHandle = std::uint32_t;

// GetWindow's relations; the values are the system's own (GW_HWNDFIRST, GW_HWNDNEXT).
enum class WindowRelation : std::uint32_t { First = 0, Next = 2 };

// What became of a post. AccessDenied: the system refused it because the window belongs to a
// program with higher rights than this one; Failed: any other refusal (the window has gone).
enum class PostResult { Posted, AccessDenied, Failed };

// How far a sent text has got: the window's thread has handled it, or not yet.
enum class TextState { Taken, NotYet };

class WindowSystem {
public:
    WindowSystem() = default;
    WindowSystem(const WindowSystem&) = delete;
    WindowSystem& operator=(const WindowSystem&) = delete;
    virtual ~WindowSystem() = default;

    // FindWindow(className, no title).
    virtual WindowHandle FindWindowByClass(const std::string& className) = 0;
    // FindWindowEx: next direct child of parent with the class after `after` (0: the first);
    // parent 0 stands for the desktop, whose children are the top-level windows in z-order.
    // 0 when `after` is not (or no longer) such a child.
    virtual WindowHandle FindChildWindow(WindowHandle parent, WindowHandle after,
                                         const std::string& className) = 0;
    // GetWindow with GW_HWNDFIRST / GW_HWNDNEXT over the top-level z-order.
    virtual WindowHandle RelatedWindow(WindowHandle window, WindowRelation relation) = 0;
    // GetParent: the owner of a top-level window, 0 for none.
    virtual WindowHandle ParentOf(WindowHandle window) = 0;
    // GetClassName into buffer[0..size): writes the name and a NUL on success and returns
    // true; leaves the buffer untouched and returns false when there is no such window.
    virtual bool ReadClassName(WindowHandle window, char* buffer, int size) = 0;
    // IsWindowVisible: the window (and, for a child, each window above it) has been shown
    // and not hidden since; false for no window. A minimised window counts as visible.
    virtual bool IsVisible(WindowHandle window) = 0;
    // Sends WM_NULL to the window without waiting (SendMessageCallback). PingAnswered is
    // true once the window's thread has taken the last ping sent to that window: a thread
    // takes sent messages only when it asks for messages, so the answer shows that it has
    // come back to its message loop since the ping went out.
    virtual void Ping(WindowHandle window) = 0;
    virtual bool PingAnswered(WindowHandle window) = 0;
    // PostMessage.
    virtual PostResult Post(WindowHandle window, std::uint32_t message, std::uint32_t wParam,
                            std::uint32_t lParam) = 0;
    // SendMessage(WM_SETTEXT, wParam, text) with an ANSI text, without waiting for the other
    // thread longer than about a pass: NotYet when it has not handled the text by then. The
    // text is then still on its way and is handled once, whenever that thread gets to it;
    // TextTaken tells when. Texts are handled in the order they were sent.
    virtual TextState SendText(WindowHandle window, std::uint32_t wParam,
                               const std::string& text) = 0;
    // True once every text sent so far has been handled.
    virtual bool TextTaken() = 0;
    // One pass of the pump: dispatches the own thread's events as they come, for at least
    // `milliseconds` (and at least the pump's floor of a millisecond).
    virtual void PumpFor(std::uint32_t milliseconds) = 0;
    // One pass at the floor.
    void PumpEvents() { PumpFor(1); }
    virtual void SleepFor(std::uint32_t milliseconds) = 0;
};

}  // namespace pimbrel
