// A minimal host for the Messenger model: a z-ordered window table and a clock that moves
// only on Tick.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "messenger_model/messenger_model.h"

namespace standin::testing {

class ModelHost : public WindowHost {
public:
    struct Window {
        Role role;
        std::string className;
        WindowId owner;  // top-level: owner; child: parent
        bool topLevel;
        std::string text;
        std::vector<WindowId> children;
    };

    WindowId CreateTopLevel(Role role, const std::string& className, WindowId owner,
                            const std::string& title) override;
    WindowId CreateChild(WindowId parent, Role role, const std::string& className,
                         const std::string& text) override;
    void Show(WindowId window, Visibility visibility) override;
    void Destroy(WindowId window) override;
    std::string TextOf(WindowId window) override;
    void SetText(WindowId id, const std::string& text) override { windows_.at(id).text = text; }
    void After(std::uint32_t delayMs, std::function<void()> action) override;
    void Pause(std::uint32_t ms, std::function<void()> then) override;
    void Quit() override { ++quits; }

    // Moves the clock on and runs what fell due, in due order.
    void Tick(std::uint32_t ms);

    // The topmost window of the class owned by `owner`; 0 when none.
    WindowId TopOwned(WindowId owner, const std::string& className) const;
    std::vector<WindowId> Children(WindowId parent, const std::string& className) const;
    const Window* Find(WindowId id) const;
    const std::vector<WindowId>& ZOrder() const { return zOrder_; }
    Visibility VisibilityOf(WindowId id) const { return visibility_.at(id); }

    int quits = 0;

private:
    struct Pending {
        std::uint64_t due;
        std::uint64_t order;
        std::function<void()> action;
    };
    std::map<WindowId, Window> windows_;
    std::map<WindowId, Visibility> visibility_;
    std::vector<WindowId> zOrder_;  // top first
    std::vector<Pending> pending_;
    WindowId next_ = 1;
    std::uint64_t now_ = 0, order_ = 0;
};

}  // namespace standin::testing
