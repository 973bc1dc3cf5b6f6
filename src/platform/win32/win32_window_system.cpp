// Win32 window system; see win32_window_system.h.
#include "win32_window_system.h"

#include <mmsystem.h>

#include "system_files.h"

namespace pimbrel::win32 {

namespace {
// How long a send may hold up the window's thread: the shortest pass of the pump.
constexpr DWORD kSendWaitMs = 1;
}  // namespace

WindowHandle Win32WindowSystem::FindWindowByClass(const std::string& className) {
    return FromHwnd(FindWindowA(className.c_str(), nullptr));
}

WindowHandle Win32WindowSystem::FindChildWindow(WindowHandle parent, WindowHandle after,
                                                const std::string& className) {
    return FromHwnd(FindWindowExA(ToHwnd(parent), ToHwnd(after), className.c_str(), nullptr));
}

WindowHandle Win32WindowSystem::RelatedWindow(WindowHandle window, WindowRelation relation) {
    return FromHwnd(GetWindow(ToHwnd(window), static_cast<UINT>(relation)));
}

WindowHandle Win32WindowSystem::ParentOf(WindowHandle window) {
    return FromHwnd(GetParent(ToHwnd(window)));
}

bool Win32WindowSystem::ReadClassName(WindowHandle window, char* buffer, int size) {
    if (window == 0) return false;
    return GetClassNameA(ToHwnd(window), buffer, size) != 0;
}

bool Win32WindowSystem::IsVisible(WindowHandle window) {
    return window != 0 && IsWindowVisible(ToHwnd(window)) != FALSE;
}

void Win32WindowSystem::Ping(WindowHandle window) {
    pings_[window] = false;
    SendMessageCallbackA(ToHwnd(window), WM_NULL, 0, 0, &Win32WindowSystem::PingTaken,
                         reinterpret_cast<ULONG_PTR>(this));
}

// Called from one of this thread's message retrievals (the pump, or a message box's own
// loop) once the other thread has taken the ping.
void CALLBACK Win32WindowSystem::PingTaken(HWND window, UINT, ULONG_PTR data, LRESULT) {
    reinterpret_cast<Win32WindowSystem*>(data)->pings_[FromHwnd(window)] = true;
}

bool Win32WindowSystem::PingAnswered(WindowHandle window) {
    const auto found = pings_.find(window);
    return found != pings_.end() && found->second;
}

PostResult Win32WindowSystem::Post(WindowHandle window, std::uint32_t message,
                                  std::uint32_t wParam, std::uint32_t lParam) {
    if (PostMessageA(ToHwnd(window), message, wParam, static_cast<LPARAM>(lParam)))
        return PostResult::Posted;
    // What the system says when a program of lower rights posts to one of higher rights.
    return GetLastError() == ERROR_ACCESS_DENIED ? PostResult::AccessDenied : PostResult::Failed;
}

// A send waits for the other thread to handle the message, for ever if it never does; so
// the send is made from a thread of its own, and this one waits no longer than a pass.
TextState Win32WindowSystem::SendText(WindowHandle window, std::uint32_t wParam,
                                      const std::string& text) {
    return texts_.Send(ToHwnd(window), wParam, text, kSendWaitMs) ? TextState::Taken
                                                                   : TextState::NotYet;
}

bool Win32WindowSystem::TextTaken() { return texts_.Idle(); }

bool Win32WindowSystem::Drain() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (dialog_ && IsDialogMessageA(dialog_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

void Win32WindowSystem::PumpFor(std::uint32_t milliseconds) {
    // A pass lasts at least a millisecond, so that pass budgets mean time on any machine; it
    // waits for input instead of spinning, and dispatches whatever comes as it comes.
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const LONGLONG length = frequency.QuadPart * (milliseconds > 1 ? milliseconds : 1) / 1000;
    for (;;) {
        if (!Drain()) return;
        QueryPerformanceCounter(&now);
        const LONGLONG elapsed = now.QuadPart - start.QuadPart;
        if (elapsed >= length) return;
        const DWORD wait = static_cast<DWORD>((length - elapsed) * 1000 / frequency.QuadPart) + 1;
        MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void Win32WindowSystem::SleepFor(std::uint32_t milliseconds) { Sleep(milliseconds); }

namespace {

// winmm is not one of the DLLs that Windows only ever takes from the system folder, so it is
// loaded from there by full path, once. Without it the pump keeps the system's own timer
// resolution: passes only grow longer, which the pass budgets allow for.
struct TimerPeriod {
    using Call = MMRESULT(WINAPI*)(UINT);
    Call begin = nullptr;
    Call end = nullptr;
};

const TimerPeriod& Winmm() {
    static const TimerPeriod period = [] {
        TimerPeriod found;
        if (HMODULE winmm = LoadSystemLibrary(L"winmm.dll")) {
            found.begin = ExportOf<TimerPeriod::Call>(winmm, "timeBeginPeriod");
            found.end = ExportOf<TimerPeriod::Call>(winmm, "timeEndPeriod");
        }
        return found.begin && found.end ? found : TimerPeriod{};
    }();
    return period;
}

}  // namespace

TimerResolution::TimerResolution()
    : requested_(Winmm().begin && Winmm().begin(1) == TIMERR_NOERROR) {}

TimerResolution::~TimerResolution() {
    if (requested_) Winmm().end(1);
}

}  // namespace pimbrel::win32
