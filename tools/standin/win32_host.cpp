// See win32_host.h. Posted commands are taken from the message loop; texts sent from another
// thread are seen in the Edits' subclass.
#include "win32_host.h"

#include <iterator>

#include "common/outside_view.h"
#include "messenger/messenger_contract.h"

namespace standin {
namespace {

namespace contract = pimbrel::contract;

constexpr UINT kRunAction = WM_APP + 1;  // wParam: action key; for zero delays
Win32Host* g_host = nullptr;             // the one host of the process, for the window procs

// The client's own window classes; the standard dialog and control classes are the system's.
constexpr const char* kClientClasses[] = {contract::kOlderMainClass, contract::kNewerMainClass,
                                          contract::kNewerEmoticonClass};

HWND ToHwnd(WindowId id) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(id)); }

bool IsClientClass(const std::string& name) {
    for (const char* client : kClientClasses)
        if (name == client) return true;
    return false;
}

}  // namespace

Win32Host::Win32Host(HINSTANCE instance)
    : instance_(instance), font_(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))) {
    g_host = this;
    std::vector<const char*> classes(std::begin(kClientClasses), std::end(kClientClasses));
    classes.push_back(outside::kIdleClass);
    for (const char* name : classes) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &Win32Host::ClassProc;
        wc.hInstance = instance_;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = name;
        RegisterClassA(&wc);
    }
}

Win32Host::~Win32Host() { g_host = nullptr; }

POINT Win32Host::NextPosition(int width, int height) {
    // Away from the top-left corner, where the program under test shows its window.
    const int x = GetSystemMetrics(SM_CXSCREEN) - width - 20 - (placed_ % 5) * 30;
    const int y = 40 + (placed_ % 5) * 30;
    ++placed_;
    (void)height;
    return POINT{x < 0 ? 0 : x, y};
}

WindowId Win32Host::CreateTopLevel(Role role, const std::string& className, WindowId owner,
                                   const std::string& title) {
    const bool main = role == Role::Main;
    const int width = main ? 260 : role == Role::Create ? 360 : 300;
    const int height = main ? 400 : role == Role::Create ? 240 : 200;
    const POINT at = NextPosition(width, height);
    const DWORD style = main ? WS_OVERLAPPEDWINDOW : WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const LPCSTR windowClass = className == contract::kDialogClass ? WC_DIALOG : className.c_str();
    HWND window = CreateWindowExA(main ? 0 : WS_EX_DLGMODALFRAME, windowClass, title.c_str(),
                                  style, at.x, at.y, width, height,
                                  ToHwnd(owner), nullptr,
                                  instance_, nullptr);
    if (!window) return 0;
    if (!IsClientClass(className))
        subclassed_[window] = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Host::SubclassProc)));
    if (main) main_ = window;
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return static_cast<WindowId>(reinterpret_cast<UINT_PTR>(window));
}

void Win32Host::Show(WindowId id, Visibility visibility) {
    HWND window = ToHwnd(id);
    if (visibility == Visibility::Hidden) {
        ShowWindow(window, SW_HIDE);
        return;
    }
    // Shown without taking the focus from the program that drives the client.
    ShowWindow(window, visibility == Visibility::Minimised ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

WindowId Win32Host::CreateChild(WindowId parentId, Role, const std::string& className,
                                const std::string& text) {
    HWND parent = ToHwnd(parentId);
    const bool edit = className == contract::kEditClass;
    int& y = nextChildY_[parent];
    if (y == 0) y = 10;
    RECT client{};
    GetClientRect(parent, &client);
    const int width = edit ? client.right - 20 : 90;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    style |= edit ? WS_BORDER | ES_AUTOHSCROLL : BS_PUSHBUTTON;
    HWND child = CreateWindowExA(edit ? WS_EX_CLIENTEDGE : 0, className.c_str(), text.c_str(),
                                 style, 10, y, width, 22, parent, nullptr, instance_, nullptr);
    if (!child) return 0;
    y += 26;
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (edit) {
        SendMessageA(child, EM_LIMITTEXT, 0x7FFFFFFE, 0);
        subclassed_[child] = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Host::SubclassProc)));
    }
    return static_cast<WindowId>(reinterpret_cast<UINT_PTR>(child));
}

void Win32Host::Destroy(WindowId id) {
    HWND window = ToHwnd(id);
    if (!IsWindow(window)) return;
    DestroyWindow(window);
}

std::string Win32Host::TextOf(WindowId id) {
    HWND window = ToHwnd(id);
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int read = GetWindowTextA(window, &text[0], length + 1);
    text.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
    return text;
}

void Win32Host::SetText(WindowId id, const std::string& text) {
    SetWindowTextA(ToHwnd(id), text.c_str());
}

// The dialog manager makes a dialog in one call: the thread sleeps where it would be busy,
// so that messages from outside wait as they would. The journal is brought up to date first,
// so that it shows what the client was doing when it stopped answering.
void Win32Host::Pause(std::uint32_t ms, std::function<void()> then) {
    if (ms != 0) {
        if (afterEvent) afterEvent();
        Sleep(ms);
    }
    then();
}

void Win32Host::After(std::uint32_t delayMs, std::function<void()> action) {
    if (delayMs == 0) {
        const UINT_PTR key = nextKey_++;
        actions_[key] = std::move(action);
        PostThreadMessageA(GetCurrentThreadId(), kRunAction, key, 0);
        return;
    }
    const UINT_PTR timer = SetTimer(nullptr, 0, delayMs, nullptr);
    if (timer) actions_[timer] = std::move(action);
}

void Win32Host::RunAction(UINT_PTR key) {
    const auto found = actions_.find(key);
    if (found == actions_.end()) return;
    auto action = std::move(found->second);
    actions_.erase(found);
    action();
}

void Win32Host::Quit() {
    quitting_ = true;
    PostQuitMessage(0);
}

// The text as a Unicode client holds it: its UTF-16 units in the ANSI code page.
std::size_t Win32Host::Length(const std::string& text) {
    if (text.empty()) return 0;
    const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                          nullptr, 0);
    return units > 0 ? static_cast<std::size_t>(units) : text.size();
}

void Win32Host::AddIdleWindows(int count) {
    for (int i = 0; i < count; ++i)
        CreateWindowExA(0, outside::kIdleClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                        instance_, nullptr);
}

void Win32Host::FromOutside(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            const std::string& text) {
    if (!model_) return;
    model_->OnMessage(static_cast<WindowId>(reinterpret_cast<UINT_PTR>(window)), message,
                      static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam),
                      text);
    if (afterEvent) afterEvent();
}

int Win32Host::Run() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!msg.hwnd && msg.message == kRunAction) {
            RunAction(msg.wParam);
            if (afterEvent) afterEvent();
            continue;
        }
        if (!msg.hwnd && msg.message == WM_TIMER) {
            KillTimer(nullptr, msg.wParam);
            RunAction(msg.wParam);
            if (afterEvent) afterEvent();
            continue;
        }
        // Commands come posted from the program under test; the model decides what they do.
        if (msg.hwnd && (msg.message == WM_COMMAND || msg.message == WM_CLOSE)) {
            FromOutside(msg.hwnd, msg.message, msg.wParam, msg.lParam, "");
            if (msg.message == WM_CLOSE && msg.hwnd == main_) DestroyWindow(main_);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

LRESULT CALLBACK Win32Host::ClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!g_host) return DefWindowProcA(window, message, wParam, lParam);
    return g_host->Handle(window, message, wParam, lParam, nullptr);
}

LRESULT CALLBACK Win32Host::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
    WNDPROC next = nullptr;
    if (g_host) {
        const auto found = g_host->subclassed_.find(window);
        if (found != g_host->subclassed_.end()) next = found->second;
    }
    if (!g_host || !next) return DefWindowProcA(window, message, wParam, lParam);
    return g_host->Handle(window, message, wParam, lParam, next);
}

LRESULT Win32Host::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                          WNDPROC next) {
    const auto pass = [&] {
        return next ? CallWindowProcA(next, window, message, wParam, lParam)
                    : DefWindowProcA(window, message, wParam, lParam);
    };
    // Sent from another thread: the program under test. Our own controls send from ours.
    const bool outside = InSendMessage() != FALSE;
    switch (message) {
        case WM_SETTEXT: {
            const LRESULT result = pass();
            if (outside)
                FromOutside(window, message, wParam, 0,
                            lParam ? reinterpret_cast<const char*>(lParam) : "");
            return result;
        }
        case WM_COMMAND:
            // A notification of one of our own controls (an Edit taking a sent text) also
            // arrives while an outside message is handled; it names that control.
            if (outside && !IsChild(window, reinterpret_cast<HWND>(lParam))) {
                FromOutside(window, message, wParam, lParam, "");
                return 0;
            }
            return pass();
        case WM_CLOSE:
            // Closing the main window by hand ends the client; dialogs close only on command.
            if (window == main_) DestroyWindow(window);
            return 0;
        case WM_DESTROY: {
            const LRESULT result = pass();
            if (next) {
                SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next));
                subclassed_.erase(window);
            }
            nextChildY_.erase(window);
            if (window == main_) {
                main_ = nullptr;
                PostQuitMessage(0);
            }
            return result;
        }
        default:
            return pass();
    }
}

}  // namespace standin
