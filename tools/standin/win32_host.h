// The Messenger model shown with real Win32 windows: its dialogs, controls and timers.
#pragma once
#include <windows.h>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "messenger_model/messenger_model.h"

namespace standin {

class Win32Host : public WindowHost {
public:
    explicit Win32Host(HINSTANCE instance);
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;
    ~Win32Host() override;

    // The model that this host reports messages to; set before any window is made.
    void Attach(MessengerModel* model) { model_ = model; }
    // Called after every message or timer handled, so that the store file keeps up.
    std::function<void()> afterEvent;

    // Runs the message loop until the client quits or its main window is gone.
    int Run();
    void AddIdleWindows(int count);

    WindowId CreateTopLevel(Role role, const std::string& className, WindowId owner,
                            const std::string& title) override;
    WindowId CreateChild(WindowId parent, Role role, const std::string& className,
                         const std::string& text) override;
    void Show(WindowId window, Visibility visibility) override;
    void Destroy(WindowId window) override;
    std::string TextOf(WindowId window) override;
    void SetText(WindowId window, const std::string& text) override;
    void After(std::uint32_t delayMs, std::function<void()> action) override;
    void Pause(std::uint32_t ms, std::function<void()> then) override;
    void Quit() override;
    std::size_t Length(const std::string& text) override;

private:
    static LRESULT CALLBACK ClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC next);
    void FromOutside(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                     const std::string& text);
    void RunAction(UINT_PTR key);
    POINT NextPosition(int width, int height);

    HINSTANCE instance_;
    MessengerModel* model_ = nullptr;
    HWND main_ = nullptr;
    HFONT font_;
    std::map<HWND, WNDPROC> subclassed_;
    std::map<HWND, int> nextChildY_;
    std::map<UINT_PTR, std::function<void()>> actions_;  // by thread timer id or post key
    UINT_PTR nextKey_ = 1;
    int placed_ = 0;
    bool quitting_ = false;
};

}  // namespace standin
