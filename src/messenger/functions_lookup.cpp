// Finding Messenger's dialogs: top-level windows known by their class and their owner.
#include "messenger/functions.h"

namespace pimbrel {

namespace {
constexpr int kClassBufferSize = 255;
constexpr int kMaxSteps = 1000;
}  // namespace

std::string WindowClassName(WindowSystem& windows, WindowHandle window) {
    // A buffer of spaces that the call may leave untouched: what is left after trimming
    // the spaces and dropping the NULs is the name, or nothing.
    std::string buffer(kClassBufferSize, ' ');
    windows.ReadClassName(window, buffer.data(), kClassBufferSize);
    const auto last = buffer.find_last_not_of(' ');
    buffer.erase(last == std::string::npos ? 0 : last + 1);
    std::string name;
    for (char c : buffer)
        if (c != '\0') name += c;
    return name;
}

WindowHandle FindOwnedWindow(WindowSystem& windows, WindowHandle owner,
                             const std::string& className) {
    const WindowHandle start = windows.FindWindowByClass(className);
    if (start == 0) return 0;
    WindowHandle current = windows.RelatedWindow(start, WindowRelation::First);
    for (int steps = 0;; ++steps) {
        const WindowHandle parent = windows.ParentOf(current);
        const std::string name = WindowClassName(windows, current);
        if (name == className && parent == owner) return current;
        if (name.empty() || steps == kMaxSteps) return 0;
        current = windows.RelatedWindow(current, WindowRelation::Next);
    }
}

}  // namespace pimbrel
