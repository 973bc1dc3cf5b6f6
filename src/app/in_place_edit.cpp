// Typing a picture's shortcut in its row; see in_place_edit.h.
#include "app/in_place_edit.h"

#include "app/frm_main.h"
#include "app/shortcut_edit.h"
#include "app/shortcut_plan.h"
#include "shortcuts/characters.h"

namespace pimbrel {

namespace {

// Why the shortcut is not saved, and what holds instead, for as long as it holds.
std::string NotSavedMessage(const std::string& reason, const std::u16string& name,
                            const std::u16string& typed) {
    const std::string what = typed.empty() ? " has its automatic shortcut"
                                           : " has the shortcut " + Utf8(typed);
    return reason + "\n\n" + Utf8(name) + what +
           " in this window only, until another folder is opened. Readme.txt is as it was.";
}

}  // namespace

std::u16string HeldShortcutColumn(const std::u16string& shortcut) {
    return shortcut + u"  (not saved)";
}

std::u16string HeldToolTip(const std::u16string& shortcut) {
    return u"Shortcut for this window only (not saved in Readme.txt): " + shortcut;
}

ShortcutEditOpening FrmMain::BeginShortcutEdit(int index) {
    editing_.reset();
    // The list is off then anyway; a run reads the shortcuts as they are.
    if (runActive_ || !controlsEnabled_ || index < 0 ||
        static_cast<std::size_t>(index) >= pictures_.entries.size())
        return {};
    const std::string notListable = WhyNotListable(pictures_.entries[index].name);
    if (!notListable.empty()) return {EditOpening::Refused, {}, notListable};
    std::u16string shown = SentShortcuts(Plan()).at(index);
    editing_ = OpenEdit{static_cast<std::size_t>(index), shown};
    return {EditOpening::Opened, std::move(shown), {}};
}

ShortcutEditClosing FrmMain::EndShortcutEdit(const std::u16string& typed, EditEnding ending) {
    if (!editing_) return {};
    const OpenEdit edit = *editing_;
    // Left elsewhere, the box closes whatever becomes of the text. An unchanged text is no
    // choice of the user's and writes nothing, unless the row holds one not saved: then it
    // is another try at saving that.
    const std::u16string* held = held_.Find(edit.index);
    const bool unchanged = typed == edit.opened;
    if (ending == EditEnding::Elsewhere || (unchanged && !held)) editing_.reset();
    if ((unchanged && !held) || runActive_ || !controlsEnabled_) return {};
    const std::u16string shortcut = unchanged ? *held : typed;

    plan_.reset();  // checked against the list file as it is now
    const ShortcutEdit kept = KeepTypedShortcut(parts_.files, pictures_, edit.index, shortcut,
                                                SentShortcuts(Plan()));
    if (kept.result == ShortcutEditResult::Refused)
        return {ending == EditEnding::Enter, kept.reason};
    editing_.reset();
    std::string notSaved;
    if (kept.result == ShortcutEditResult::Kept) {
        held_.Drop(edit.index);
    } else {
        held_.Hold(edit.index, shortcut);
        notSaved = NotSavedMessage(kept.reason, pictures_.entries[edit.index].name, shortcut);
    }
    // Every row anew: the cell shows what the file (or the held text) now gives.
    plan_.reset();
    ShowColumns();
    if (notSaved.empty() || ending == EditEnding::Elsewhere) return {false, notSaved};
    parts_.dialogs.ShowMessage(notSaved, kProgramTitle, MessageIcon::Stop);
    return {};
}

}  // namespace pimbrel
