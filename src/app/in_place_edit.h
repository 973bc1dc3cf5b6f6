// Typing a picture's shortcut in its row: what the window answers when a box opens over the
// Shortcut cell and when it closes, and the shortcuts held for this window alone where
// Readme.txt could not be written.
#pragma once
#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace pimbrel {

enum class EditOpening {
    Opened,   // a box opens, holding `text`
    Refused,  // no box: the picture cannot have a shortcut of its own; `reason` says why
    NotNow,   // no box and nothing to say: a run needs the list as it is, or no such row
};

struct ShortcutEditOpening {
    EditOpening what = EditOpening::NotNow;
    std::u16string text;  // the shortcut the row shows, without its notes
    std::string reason;   // UTF-8
};

// How the box was left: Enter, or the focus going elsewhere (a click, Tab, another window).
enum class EditEnding { Enter, Elsewhere };

struct ShortcutEditClosing {
    // Refused on Enter: the box stays, with `reason` beside it, for a correction.
    bool stayOpen = false;
    // What to show beside the box, or at the cell once it has closed; empty when nothing.
    std::string reason;  // UTF-8
};

// Shortcuts typed where Readme.txt could not be written, by picture index: they hold for the
// runs of this window until another folder is opened. The empty text holds the automatic one.
class HeldShortcuts {
public:
    void Hold(std::size_t index, const std::u16string& shortcut) { held_[index] = shortcut; }
    void Drop(std::size_t index) { held_.erase(index); }
    void Clear() { held_.clear(); }
    bool Holds(std::size_t index) const { return held_.count(index) != 0; }
    const std::u16string* Find(std::size_t index) const {
        const auto found = held_.find(index);
        return found == held_.end() ? nullptr : &found->second;
    }
    // Over what the list file gave: a run sends them, and the plan shows them.
    void ApplyTo(std::vector<std::u16string>& listedShortcuts) const {
        for (const auto& [index, shortcut] : held_) listedShortcuts.at(index) = shortcut;
    }

private:
    std::map<std::size_t, std::u16string> held_;
};

// The Shortcut column and the tool tip of a row whose shortcut is held, not saved.
std::u16string HeldShortcutColumn(const std::u16string& shortcut);
std::u16string HeldToolTip(const std::u16string& shortcut);

}  // namespace pimbrel
