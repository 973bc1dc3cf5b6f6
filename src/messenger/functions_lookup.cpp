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

namespace {

// True when `window` lies at most kMaxSteps steps below the top of the z-order: the walk
// from the top reaches it. A window that goes away above it ends the walk (the system gives
// no next window after a window that has gone).
bool WithinReach(WindowSystem& windows, WindowHandle start, WindowHandle window) {
    WindowHandle current = windows.RelatedWindow(start, WindowRelation::First);
    for (int steps = 0; current != 0; ++steps) {
        if (current == window) return true;
        if (steps == kMaxSteps) return false;
        current = windows.RelatedWindow(current, WindowRelation::Next);
    }
    return false;
}

}  // namespace

// The answer is that of the walk down the whole z-order that reads every window's owner
// and class: the highest window with the class and the owner, if it lies within 1000 steps
// of the top. Each query may cross to another process (and under Wine to its server, a few
// dozen microseconds a time), and a waiting pass makes one lookup, so only the windows of
// the class are visited, in z-order, and the steps are counted for a match alone.
WindowHandle FindOwnedWindow(WindowSystem& windows, WindowHandle owner,
                             const std::string& className) {
    const WindowHandle start = windows.FindWindowByClass(className);
    if (start == 0) return 0;
    for (WindowHandle candidate = start; candidate != 0;
         candidate = windows.FindChildWindow(0, candidate, className)) {
        if (windows.ParentOf(candidate) != owner) continue;
        // The system's class lookup ignores letter case; the comparison does not.
        const std::string name = WindowClassName(windows, candidate);
        if (name == className) return WithinReach(windows, start, candidate) ? candidate : 0;
        if (name.empty()) return 0;  // gone under the walk
    }
    return 0;
}

}  // namespace pimbrel
