// Closing the window during a run; see run_closing.h.
#include "run_closing.h"

namespace pimbrel::win32 {

namespace {
// How often the end of the run is looked for, and how long it is waited for.
constexpr UINT kCheckMs = 50;
constexpr DWORD kGiveUpMs = 5000;
}  // namespace

bool RunClosing::Deferred(FrmMain& form) {
    switch (form.OnClose()) {
    case CloseAnswer::Now:
        return false;
    case CloseAnswer::AtOnce:
        ExitProcess(0);
    case CloseAnswer::AfterRun:
        break;
    }
    if (form_) return true;
    form_ = &form;
    closedAt_ = GetTickCount();
    // The timer's id is this object, which the callback gets back. Its ticks are dispatched
    // by the run's own pump as well as by the message loop after it.
    SetTimer(window_, reinterpret_cast<UINT_PTR>(this), kCheckMs, &RunClosing::Check);
    return true;
}

void CALLBACK RunClosing::Check(HWND window, UINT, UINT_PTR id, DWORD) {
    auto* self = reinterpret_cast<RunClosing*>(id);
    if (!self->form_->RunActive()) {
        KillTimer(window, id);
        DestroyWindow(window);
        return;
    }
    if (GetTickCount() - self->closedAt_ >= kGiveUpMs) ExitProcess(0);
}

}  // namespace pimbrel::win32
