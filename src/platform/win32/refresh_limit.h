// Shows a window's changes together, a moment after the first of them and at most once an
// interval: the changes that a run makes to the picture list one after the other (a row
// done, the next in hand) make one drawing, and a fast run's make a few a second. Under Wine
// each drawing of the list costs milliseconds.
#pragma once
#include <windows.h>

#include <functional>

namespace pimbrel::win32 {

class RefreshLimit {
public:
    // `show` shows what has changed; its timer's ticks come to `window`'s thread.
    RefreshLimit(HWND window, DWORD intervalMs, std::function<void()> show)
        : window_(window), intervalMs_(intervalMs), show_(std::move(show)) {}
    ~RefreshLimit();
    RefreshLimit(const RefreshLimit&) = delete;
    RefreshLimit& operator=(const RefreshLimit&) = delete;

    // Something has changed: shown in a moment, or once the interval since the last showing
    // is over.
    void Request();
    // Whatever has changed is shown now.
    void Now();

private:
    static void CALLBACK Tick(HWND window, UINT message, UINT_PTR id, DWORD now);
    void Show();

    HWND window_;
    DWORD intervalMs_;
    std::function<void()> show_;
    DWORD shownAt_ = 0;
    bool changed_ = false;
    bool waiting_ = false;  // the timer is set
};

}  // namespace pimbrel::win32
