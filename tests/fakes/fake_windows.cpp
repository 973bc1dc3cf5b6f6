// In-memory window system; see fake_windows.h.
#include "fake_windows.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sstream>

#include "messenger/messenger_contract.h"
#include "shortcuts/code_page.h"

namespace pimbrel::testing {

std::string Describe(const SentMessage& message) {
    std::ostringstream out;
    static const char* const kKinds[] = {"post ", "text ", "ping "};
    out << kKinds[message.kind] << standin::RoleName(message.role);
    if (message.kind == SentMessage::Ping) return out.str();
    out << " " << message.wParam << "/" << message.lParam;
    if (message.kind == SentMessage::Text) out << " \"" << message.text << "\"";
    return out.str();
}

void FakeWindows::StartMessenger(const standin::Options& options,
                                                     std::vector<standin::Emoticon> store) {
    model_ = std::make_unique<standin::MessengerModel>(
        *this, options, std::move(store),
        [](const std::string& path) { return path.find("broken") == std::string::npos; });
    model_->Start();
}

WindowId FakeWindows::AddTopLevel(const std::string& className, WindowId owner) {
    const WindowId id = CreateTopLevel(standin::Role::Other, className, owner, "");
    windows_.at(id).visible = true;
    return id;
}

// FindWindow and FindWindowEx ignore letter case in class names, as the system's do.
bool FakeWindows::ClassMatches(WindowId window, const std::string& className) const {
    const std::string& name = windows_.at(window).className;
    return std::equal(name.begin(), name.end(), className.begin(), className.end(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) ==
                                                  std::tolower(static_cast<unsigned char>(b)); });
}

WindowHandle FakeWindows::FindChildWindow(WindowHandle parent, WindowHandle after,
                                          const std::string& className) {
    const auto found = windows_.find(parent);
    if (parent != 0 && found == windows_.end()) return 0;
    const auto& children = parent == 0 ? zOrder_ : found->second.children;
    auto it = children.begin();
    if (after != 0) {
        it = std::find(children.begin(), children.end(), after);
        if (it == children.end()) return 0;
        ++it;
    }
    for (; it != children.end(); ++it)
        if (ClassMatches(*it, className)) return *it;
    return 0;
}

WindowHandle FakeWindows::RelatedWindow(WindowHandle window, WindowRelation relation) {
    if (windows_.count(window) == 0) return 0;
    if (relation == WindowRelation::First) return zOrder_.empty() ? 0 : zOrder_.front();
    const auto it = std::find(zOrder_.begin(), zOrder_.end(), window);
    if (it == zOrder_.end() || it + 1 == zOrder_.end()) return 0;
    return *(it + 1);
}

bool FakeWindows::ReadClassName(WindowHandle window, char* buffer, int size) {
    if (!Find(window) || size <= 0) return false;
    const std::string& name = Find(window)->className;
    const std::size_t length = std::min<std::size_t>(name.size(), size - 1);
    std::memcpy(buffer, name.data(), length);
    buffer[length] = '\0';
    return true;
}

bool FakeWindows::IsVisible(WindowHandle window) {
    const Window* found = Find(window);
    return found && found->visible && (found->topLevel || IsVisible(found->owner));
}

void FakeWindows::Ping(WindowHandle window) {
    sent_.push_back({SentMessage::Ping, RoleOf(window), 0, 0, ""});
    pings_[window] = false;
    ToMessenger([this, window] {
        if (windows_.count(window)) pings_[window] = true;
    });
}

PostResult FakeWindows::Post(WindowHandle window, std::uint32_t message, std::uint32_t wParam,
                             std::uint32_t lParam) {
    if (refusePostsFrom >= 0 && posts_++ >= refusePostsFrom) {
        return PostResult::AccessDenied;
    }
    sent_.push_back({SentMessage::Post, RoleOf(window), wParam, lParam, ""});
    if (windows_.count(window) == 0) return PostResult::Failed;
    ToMessenger([this, window, message, wParam, lParam] {
        if (model_ && windows_.count(window)) model_->OnMessage(window, message, wParam, lParam, "");
    });
    return PostResult::Posted;
}

// Messenger's thread takes a message when the program next yields, and only between its own
// steps: while it is making a dialog, messages wait, in order.
void FakeWindows::ToMessenger(std::function<void()> take) {
    After(0, [this, take = std::move(take)]() mutable {
        if (MessengerBusy() || !held_.empty())
            held_.push_back(std::move(take));
        else
            take();
    });
}

void FakeWindows::ReleaseHeld() {
    while (!held_.empty() && !MessengerBusy()) {
        auto take = std::move(held_.front());
        held_.erase(held_.begin());
        take();
    }
}

bool FakeWindows::MessengerBusy() const { return model_ && model_->Busy(); }

// A sent text is handled as soon as Messenger's thread is free, before any message posted to
// it; the sender learns that it has been taken once the thread has come out of its handler.
TextState FakeWindows::SendText(WindowHandle window, std::uint32_t wParam,
                                const std::string& text) {
    sent_.push_back({SentMessage::Text, RoleOf(window), wParam, 0, text});
    ++textsOnTheirWay_;
    if (MessengerBusy())
        held_.insert(held_.begin() + (textsOnTheirWay_ - 1),
                     [this, window, wParam, text] { TakeText(window, wParam, text); });
    else
        TakeText(window, wParam, text);
    return TextTaken() ? TextState::Taken : TextState::NotYet;
}

void FakeWindows::TakeText(WindowHandle window, std::uint32_t wParam, const std::string& text) {
    if (Window* edit = Find(window)) {
        edit->text = text.substr(0, text.find('\0'));
        if (model_) model_->OnMessage(window, contract::kWmSetText, wParam, 0, edit->text);
    }
    // Out of its handler at once, or when the hang it went into there is over.
    if (MessengerBusy())
        held_.insert(held_.begin(), [this] { --textsOnTheirWay_; });
    else
        --textsOnTheirWay_;
}

void FakeWindows::RunDue() {
    while (!pending_.empty() && pending_.begin()->first.first <= now_) {
        auto action = std::move(pending_.begin()->second);
        pending_.erase(pending_.begin());
        action();
        ReleaseHeld();
    }
}

WindowId FakeWindows::NewId() {
    if (!reuseHandles || freed_.empty()) return nextId_++;
    const WindowId id = freed_.back();
    freed_.pop_back();
    return id;
}

WindowId FakeWindows::CreateTopLevel(standin::Role role, const std::string& className,
                                     WindowId owner, const std::string& title) {
    const WindowId id = NewId();
    windows_[id] = Window{role, className, owner, true, {}, title, false};
    zOrder_.insert(zOrder_.begin(), id);
    return id;
}

WindowId FakeWindows::CreateChild(WindowId parent, standin::Role role,
                                  const std::string& className, const std::string& text) {
    const WindowId id = NewId();
    windows_[id] = Window{role, className, parent, false, {}, text, true};
    windows_.at(parent).children.push_back(id);
    return id;
}

void FakeWindows::Destroy(WindowId window) {
    const auto found = windows_.find(window);
    if (found == windows_.end()) return;
    for (WindowId child : std::vector<WindowId>(found->second.children)) Destroy(child);
    if (!found->second.topLevel) {
        auto& siblings = windows_.at(found->second.owner).children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    }
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), window), zOrder_.end());
    windows_.erase(window);
    freed_.push_back(window);
}

// The steps of a dialog being made spread over virtual time, so that the program can look
// at it half made; none when there is no pause.
void FakeWindows::Pause(std::uint32_t ms, std::function<void()> then) {
    if (ms == 0)
        then();
    else
        After(ms, std::move(then));
}

// Messenger runs in the same code page as the program.
std::size_t FakeWindows::Length(const std::string& text) { return FromAnsi(text).size(); }

}  // namespace pimbrel::testing
