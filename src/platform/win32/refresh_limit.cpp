// Changes shown at most once an interval; see refresh_limit.h.
#include "refresh_limit.h"

namespace pimbrel::win32 {

namespace {
// The moment: what else changes in the same breath comes before it is over.
constexpr DWORD kMomentMs = 10;
}  // namespace

RefreshLimit::~RefreshLimit() {
    if (waiting_) KillTimer(window_, reinterpret_cast<UINT_PTR>(this));
}

void RefreshLimit::Request() {
    changed_ = true;
    if (waiting_) return;
    const DWORD since = GetTickCount() - shownAt_;
    const DWORD wait = since + kMomentMs >= intervalMs_ ? kMomentMs : intervalMs_ - since;
    // The timer's id is this object, which the callback gets back.
    waiting_ = SetTimer(window_, reinterpret_cast<UINT_PTR>(this), wait, &RefreshLimit::Tick) != 0;
    if (!waiting_) Show();
}

void RefreshLimit::Now() {
    if (waiting_) KillTimer(window_, reinterpret_cast<UINT_PTR>(this));
    waiting_ = false;
    if (changed_) Show();
}

void CALLBACK RefreshLimit::Tick(HWND, UINT, UINT_PTR id, DWORD) {
    reinterpret_cast<RefreshLimit*>(id)->Now();
}

void RefreshLimit::Show() {
    changed_ = false;
    shownAt_ = GetTickCount();
    show_();
}

}  // namespace pimbrel::win32
