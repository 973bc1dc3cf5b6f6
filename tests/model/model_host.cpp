// See model_host.h.
#include "model_host.h"

#include <algorithm>

namespace standin::testing {

WindowId ModelHost::CreateTopLevel(Role role, const std::string& className, WindowId owner,
                                   const std::string& title) {
    const WindowId id = next_++;
    windows_[id] = Window{role, className, owner, true, title, {}};
    visibility_[id] = Visibility::Hidden;
    zOrder_.insert(zOrder_.begin(), id);
    return id;
}

void ModelHost::Show(WindowId window, Visibility visibility) { visibility_.at(window) = visibility; }

WindowId ModelHost::CreateChild(WindowId parent, Role role, const std::string& className,
                                const std::string& text) {
    const WindowId id = next_++;
    windows_[id] = Window{role, className, parent, false, text, {}};
    windows_.at(parent).children.push_back(id);
    return id;
}

void ModelHost::Destroy(WindowId window) {
    const auto found = windows_.find(window);
    if (found == windows_.end()) return;
    for (WindowId child : std::vector<WindowId>(found->second.children)) Destroy(child);
    if (!found->second.topLevel) {
        auto& siblings = windows_.at(found->second.owner).children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    }
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), window), zOrder_.end());
    windows_.erase(found);
}

std::string ModelHost::TextOf(WindowId window) {
    const Window* found = Find(window);
    return found ? found->text : std::string();
}

void ModelHost::After(std::uint32_t delayMs, std::function<void()> action) {
    pending_.push_back({now_ + delayMs, order_++, std::move(action)});
}

void ModelHost::Pause(std::uint32_t ms, std::function<void()> then) {
    if (ms == 0)
        then();
    else
        After(ms, std::move(then));
}

void ModelHost::Tick(std::uint32_t ms) {
    const std::uint64_t end = now_ + ms;
    for (;;) {
        auto next = std::min_element(pending_.begin(), pending_.end(),
                                     [](const Pending& a, const Pending& b) {
                                         return a.due != b.due ? a.due < b.due : a.order < b.order;
                                     });
        if (next == pending_.end() || next->due > end) break;
        now_ = std::max(now_, next->due);
        auto action = std::move(next->action);
        pending_.erase(next);
        action();
    }
    now_ = end;
}

WindowId ModelHost::TopOwned(WindowId owner, const std::string& className) const {
    for (WindowId id : zOrder_) {
        const Window& window = windows_.at(id);
        if (window.owner == owner && window.className == className) return id;
    }
    return 0;
}

std::vector<WindowId> ModelHost::Children(WindowId parent, const std::string& className) const {
    std::vector<WindowId> found;
    const Window* window = Find(parent);
    if (!window) return found;
    for (WindowId child : window->children)
        if (windows_.at(child).className == className) found.push_back(child);
    return found;
}

const ModelHost::Window* ModelHost::Find(WindowId id) const {
    const auto found = windows_.find(id);
    return found == windows_.end() ? nullptr : &found->second;
}

}  // namespace standin::testing
