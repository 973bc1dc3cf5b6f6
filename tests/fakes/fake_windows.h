// An in-memory window system that hosts the Messenger model and records what the program
// sends. Time is virtual: a pump pass is 1 ms, a sleep its length; nothing waits.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "messenger_model/messenger_model.h"
#include "interfaces/window_system.h"

namespace pimbrel::testing {

using standin::WindowId;

struct SentMessage {
    enum Kind { Post, Text, Ping } kind;
    standin::Role role;  // of the target when it was sent; Other for unknown windows
    std::uint32_t wParam;
    std::uint32_t lParam;
    std::string text;
};
std::string Describe(const SentMessage& message);

class FakeWindows : public WindowSystem, public standin::WindowHost {
public:
    // Starts a Messenger client with these options (and this pre-filled store).
    void StartMessenger(const standin::Options& options,
                        std::vector<standin::Emoticon> store = {});
    standin::MessengerModel* Messenger() { return model_.get(); }

    // A shown window of the test's own making (not Messenger's), on top of the z-order.
    WindowId AddTopLevel(const std::string& className, WindowId owner = 0);

    const std::vector<SentMessage>& Sent() const { return sent_; }
    long Pumps() const { return pumps_; }
    // The lengths of all pump passes as asked for, added up: the least time they take on a
    // real system.
    std::uint64_t PassMs() const { return passMs_; }
    std::uint64_t SleptMs() const { return slept_; }
    // A new window takes the handle value of the window destroyed last, where the system
    // would give it a new one: the worst case for telling a new window from a gone one.
    bool reuseHandles = false;
    // Called on every pump, before anything else happens in it.
    std::function<void()> onPump;
    // From this post on (0: the first) the system refuses every post, as it does to a program
    // posting to one of higher rights; refused posts are neither delivered nor recorded.
    long refusePostsFrom = -1;

    // WindowSystem
    WindowHandle FindWindowByClass(const std::string& className) override {
        return FindChildWindow(0, 0, className);  // the desktop's children are the top level
    }
    WindowHandle FindChildWindow(WindowHandle parent, WindowHandle after,
                                 const std::string& className) override;
    WindowHandle RelatedWindow(WindowHandle window, WindowRelation relation) override;
    WindowHandle ParentOf(WindowHandle window) override {
        return Find(window) ? Find(window)->owner : 0;
    }
    bool ReadClassName(WindowHandle window, char* buffer, int size) override;
    bool IsVisible(WindowHandle window) override;
    void Ping(WindowHandle window) override;
    bool PingAnswered(WindowHandle window) override { return pings_[window]; }
    PostResult Post(WindowHandle window, std::uint32_t message, std::uint32_t wParam,
                    std::uint32_t lParam) override;
    TextState SendText(WindowHandle window, std::uint32_t wParam,
                       const std::string& text) override;
    bool TextTaken() override { return textsOnTheirWay_ == 0; }
    // Every pass takes one virtual millisecond, whatever its length: pass counts stay those
    // of a pump at its floor. The lengths asked for are added up apart.
    void PumpFor(std::uint32_t milliseconds) override {
        ++pumps_;
        passMs_ += milliseconds;
        if (onPump) onPump();
        Advance(1);
    }
    void SleepFor(std::uint32_t milliseconds) override {
        slept_ += milliseconds;
        Advance(milliseconds);
    }

    // standin::WindowHost
    WindowId CreateTopLevel(standin::Role role, const std::string& className, WindowId owner,
                            const std::string& title) override;
    WindowId CreateChild(WindowId parent, standin::Role role, const std::string& className,
                         const std::string& text) override;
    void Show(WindowId window, standin::Visibility visibility) override {
        if (Find(window)) Find(window)->visible = visibility != standin::Visibility::Hidden;
    }
    void Destroy(WindowId window) override;
    std::string TextOf(WindowId window) override { return Find(window) ? Find(window)->text : ""; }
    void SetText(WindowId window, const std::string& text) override {
        if (Find(window)) Find(window)->text = text;
    }
    void After(std::uint32_t delayMs, std::function<void()> action) override {
        pending_.emplace(std::pair{now_ + delayMs, order_++}, std::move(action));
    }
    void Pause(std::uint32_t ms, std::function<void()> then) override;
    void Quit() override {}
    std::size_t Length(const std::string& text) override;

private:
    struct Window {
        standin::Role role;
        std::string className;
        WindowId owner = 0;  // top-level: owner; child: parent
        bool topLevel = true;
        std::vector<WindowId> children;
        std::string text;
        bool visible = false;
    };
    void Advance(std::uint64_t milliseconds) {
        now_ += milliseconds;
        RunDue();
    }
    void RunDue();
    void ToMessenger(std::function<void()> take);
    void ReleaseHeld();
    void TakeText(WindowHandle window, std::uint32_t wParam, const std::string& text);
    bool MessengerBusy() const;
    WindowId NewId();
    Window* Find(WindowId window) {
        const auto found = windows_.find(window);
        return found == windows_.end() ? nullptr : &found->second;
    }
    standin::Role RoleOf(WindowHandle window) {
        return Find(window) ? Find(window)->role : standin::Role::Other;
    }
    bool ClassMatches(WindowId window, const std::string& className) const;

    std::map<WindowId, Window> windows_;
    std::vector<WindowId> zOrder_;  // top-level windows, top first
    // Actions by the time they fall due, and in the order they were asked for.
    std::map<std::pair<std::uint64_t, std::uint64_t>, std::function<void()>> pending_;
    std::vector<std::function<void()>> held_;  // messages waiting for Messenger's thread
    // Texts sent and not yet handled by Messenger's thread (the first may be in its handler).
    int textsOnTheirWay_ = 0;
    long posts_ = 0;
    std::map<WindowId, bool> pings_;
    std::vector<WindowId> freed_;
    std::vector<SentMessage> sent_;
    std::unique_ptr<standin::MessengerModel> model_;
    WindowId nextId_ = 0x100;
    std::uint64_t now_ = 0;
    std::uint64_t order_ = 0;
    std::uint64_t slept_ = 0;
    long pumps_ = 0;
    std::uint64_t passMs_ = 0;
};

}  // namespace pimbrel::testing
