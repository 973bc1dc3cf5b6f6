// The run's texts for the user; see run_texts.h.
#include "app/run_texts.h"

#include <array>

#include "shortcuts/characters.h"
#include "shortcuts/shortcuts.h"

namespace pimbrel {

namespace {

// Our own words are plain ASCII and become a Text character by character.
Text Words(const char* ascii) { return Text(ascii, ascii + std::char_traits<char>::length(ascii)); }

Text Number(std::size_t number) { return Words(std::to_string(number).c_str()); }

constexpr std::size_t kNamesAGroup = 10;

// A listed shortcut that Messenger will refuse: the user may want to mend the list first. (An
// automatic one never is.)
bool TooLong(const Text& shortcut) { return CharacterCount(shortcut) > kLongestShortcut; }

struct Group {
    EntryOutcome outcome;
    const char* heading;
};

// In the order the account gives them. A picture that went in under its own shortcut is in
// none of them.
constexpr std::array<Group, 4> kGroups = {{
    {EntryOutcome::StoredAsReplacement, "Added under another shortcut:"},
    {EntryOutcome::LeftOut, "Left out (Overwrite is not ticked):"},
    {EntryOutcome::Replaced, "Replaced (Overwrite is ticked):"},
    {EntryOutcome::Refused, "Not added (Messenger refused them twice):"},
}};

// One picture's line in its group: its name and the shortcut or shortcuts concerned.
Text AccountLine(const PictureReport& report, const Text& name) {
    const Text start = name + Words(": ");
    switch (report.outcome) {
    case EntryOutcome::StoredAsReplacement:
        return start + report.shortcut + Words(" refused, added as ") + report.replacement;
    case EntryOutcome::LeftOut:
        return start + Words("an emoticon has ") + report.LastSent();
    case EntryOutcome::Replaced:
        return start + Words("the emoticon with ") + report.LastSent();
    case EntryOutcome::Refused:
        return start + report.shortcut + Words(" and ") + report.replacement + Words(" refused");
    case EntryOutcome::Stored:
        break;
    }
    return start + report.shortcut;
}

}  // namespace

Text ProgressCaption(int ordinal, int total) {
    return Words("Pimbrel - adding ") + Number(ordinal) + Words(" of ") + Number(total);
}

Text PlannedToolTip(const Text& shortcut, bool listed) {
    if (!listed) return Words("Shortcut: ") + shortcut;
    Text tip = Words("Shortcut from Readme.txt: ") + shortcut;
    if (TooLong(shortcut))
        tip += Words(" (too long: Messenger takes ") + Number(kLongestShortcut) +
               Words(" characters at most)");
    return tip;
}

Text ShortcutColumn(const Text& shortcut, bool listed) {
    if (!listed) return shortcut;
    // The flag goes first: the column is narrow, and a shortcut too long is long.
    return Words(TooLong(shortcut) ? "Too long: " : "") + shortcut + Words("  (from Readme.txt)");
}

Text PictureStateResult(PictureState state) {
    switch (state) {
    case PictureState::Unreadable:
        return Words("Not a picture that Windows can read");
    case PictureState::TooLarge:
        return Words("Too large to show here");
    case PictureState::Loading:
    case PictureState::Shown:
        break;
    }
    return Text();
}

Text OutcomeToolTip(const PictureReport& report) {
    switch (report.outcome) {
    case EntryOutcome::Stored:
        return Words("Added as ") + report.shortcut;
    case EntryOutcome::StoredAsReplacement:
        return Words("Messenger refused ") + report.shortcut + Words("; added as ") +
               report.replacement;
    case EntryOutcome::LeftOut:
        return Words("Left out: an emoticon has the shortcut ") + report.LastSent();
    case EntryOutcome::Replaced:
        return Words("Added as ") + report.LastSent() +
               Words(", replacing the emoticon that had it");
    case EntryOutcome::Refused:
        return Words("Not added: Messenger refused ") + report.shortcut + Words(" and ") +
               report.replacement;
    }
    return Text();
}

Text SuccessMessage(const std::vector<PictureReport>& reports, const std::vector<Text>& names) {
    return Words("The emoticons are added succesfully.") + RunAccount(reports, names);
}

Text RunAccount(const std::vector<PictureReport>& reports, const std::vector<Text>& names) {
    Text message;
    for (const Group& group : kGroups) {
        std::size_t count = 0;
        for (const PictureReport& report : reports) {
            if (report.outcome != group.outcome) continue;
            if (count == 0) message += Words("\n\n") + Words(group.heading);
            if (count < kNamesAGroup)
                message += Words("\n") + AccountLine(report, names.at(report.index));
            ++count;
        }
        if (count > kNamesAGroup)
            message += Words("\nand ") + Number(count - kNamesAGroup) + Words(" more");
    }
    return message;
}

}  // namespace pimbrel
