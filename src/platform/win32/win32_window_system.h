// The window system over the real Win32 API (ANSI functions), with a pump of at least 1 ms a
// pass.
#pragma once
#include <windows.h>

#include <map>

#include "interfaces/window_system.h"
#include "text_sender.h"

namespace pimbrel::win32 {

inline HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(window));
}
inline WindowHandle FromHwnd(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<UINT_PTR>(window));
}

class Win32WindowSystem : public WindowSystem {
public:
    // `dialog` gets IsDialogMessage so that Tab moves between its controls.
    explicit Win32WindowSystem(HWND dialog = nullptr) : dialog_(dialog) {}

    WindowHandle FindWindowByClass(const std::string& className) override;
    WindowHandle FindChildWindow(WindowHandle parent, WindowHandle after,
                                 const std::string& className) override;
    WindowHandle RelatedWindow(WindowHandle window, WindowRelation relation) override;
    WindowHandle ParentOf(WindowHandle window) override;
    bool ReadClassName(WindowHandle window, char* buffer, int size) override;
    bool IsVisible(WindowHandle window) override;
    void Ping(WindowHandle window) override;
    bool PingAnswered(WindowHandle window) override;
    PostResult Post(WindowHandle window, std::uint32_t message, std::uint32_t wParam,
                    std::uint32_t lParam) override;
    TextState SendText(WindowHandle window, std::uint32_t wParam,
                       const std::string& text) override;
    bool TextTaken() override;
    void PumpFor(std::uint32_t milliseconds) override;
    void SleepFor(std::uint32_t milliseconds) override;

    // Dispatches what is pending now; false once WM_QUIT was met (it is posted again).
    bool Drain();

private:
    static void CALLBACK PingTaken(HWND window, UINT message, ULONG_PTR data, LRESULT result);

    HWND dialog_;
    TextSender texts_;
    std::map<WindowHandle, bool> pings_;  // by window: the last ping sent has been taken
};

// 1 ms timer resolution for as long as it lives, where the system's winmm.dll is there.
class TimerResolution {
public:
    TimerResolution();
    ~TimerResolution();
    TimerResolution(const TimerResolution&) = delete;
    TimerResolution& operator=(const TimerResolution&) = delete;

private:
    bool requested_;
};

}  // namespace pimbrel::win32
