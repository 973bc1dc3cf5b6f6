// The sending thread; see text_sender.h.
#include "text_sender.h"

#include <deque>
#include <stdexcept>

namespace pimbrel::win32 {

namespace {

struct Text {
    HWND window;
    WPARAM wParam;
    std::string text;
};

}  // namespace

struct TextSender::Shared {
    Shared() {
        InitializeCriticalSection(&lock);
        wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        handled = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    }
    ~Shared() {
        CloseHandle(wake);
        CloseHandle(handled);
        DeleteCriticalSection(&lock);
    }
    CRITICAL_SECTION lock;
    std::deque<Text> texts;  // handed over and not handled yet; the first is being sent
    bool stopping = false;
    HANDLE wake;     // a text was handed over, or the thread is to stop
    HANDLE handled;  // a text was handled
};

DWORD WINAPI TextSender::Run(void* parameter) {
    Shared& shared = *static_cast<Shared*>(parameter);
    for (;;) {
        EnterCriticalSection(&shared.lock);
        const bool stop = shared.texts.empty() && shared.stopping;
        const bool empty = shared.texts.empty();
        // Only this thread removes texts, so the first one stays put while it is sent.
        const Text* next = empty ? nullptr : &shared.texts.front();
        LeaveCriticalSection(&shared.lock);
        if (stop) return 0;
        if (empty) {
            WaitForSingleObject(shared.wake, INFINITE);
            continue;
        }
        SendMessageA(next->window, WM_SETTEXT, next->wParam,
                     reinterpret_cast<LPARAM>(next->text.c_str()));
        EnterCriticalSection(&shared.lock);
        shared.texts.pop_front();
        LeaveCriticalSection(&shared.lock);
        SetEvent(shared.handled);
    }
}

bool TextSender::Start() {
    if (thread_) return true;
    if (!shared_) shared_ = new Shared;
    thread_ = CreateThread(nullptr, 0, &TextSender::Run, shared_, 0, nullptr);
    return thread_ != nullptr;
}

TextSender::~TextSender() {
    if (!thread_) {
        delete shared_;
        return;
    }
    if (!Idle()) {
        // Still blocked in a send to a client that does not answer: the thread uses what it
        // shares until the process ends, so leave both be.
        CloseHandle(thread_);
        return;
    }
    EnterCriticalSection(&shared_->lock);
    shared_->stopping = true;
    LeaveCriticalSection(&shared_->lock);
    SetEvent(shared_->wake);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    delete shared_;
}

bool TextSender::Send(HWND window, WPARAM wParam, const std::string& text, DWORD waitMs) {
    if (!Start()) throw std::runtime_error("no thread could be started to send texts");
    EnterCriticalSection(&shared_->lock);
    shared_->texts.push_back(Text{window, wParam, text});
    ResetEvent(shared_->handled);
    LeaveCriticalSection(&shared_->lock);
    SetEvent(shared_->wake);
    WaitForSingleObject(shared_->handled, waitMs);
    return Idle();
}

bool TextSender::Idle() {
    if (!shared_) return true;
    EnterCriticalSection(&shared_->lock);
    const bool idle = shared_->texts.empty();
    LeaveCriticalSection(&shared_->lock);
    return idle;
}

}  // namespace pimbrel::win32
