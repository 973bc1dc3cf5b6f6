// One picture: open the create dialog, fill its three Edits, confirm, answer the prompts.
#include "messenger/picture_entry.h"

#include <algorithm>

#include "messenger/functions.h"
#include "messenger/messenger_calls.h"
#include "messenger/wait_pass.h"
#include "shortcuts/characters.h"
#include "shortcuts/code_page.h"

namespace pimbrel {

namespace {

constexpr int kSettlingPumps = 1001;
constexpr std::uint32_t kNewerClientPause = 10;
constexpr std::size_t kReplacementKeep = 6;

struct CreateDialog {
    WindowHandle dialog = 0;
    WindowHandle pathEdit = 0;
    WindowHandle shortcutEdit = 0;
    WindowHandle nameEdit = 0;
    bool shown = false;       // seen visible since it was found for this picture
    std::u16string shortcut;  // as sent last into shortcutEdit
};

// Sends the text in the ANSI code page and waits until Messenger has taken it; returns the
// bytes sent.
std::string SendText(WindowSystem& windows, TextWaitNotice& notice, WindowHandle edit,
                     const std::u16string& text) {
    std::string bytes = ToAnsi(text);
    SendTextTaken(windows, notice, edit, bytes);
    return bytes;
}

// A listed shortcut of one character or none gives way to the automatic one. The entry
// itself, for the write-back of what was sent.
std::u16string& ChosenEntry(const ShortcutTables& tables, std::size_t index) {
    std::u16string& listed = tables.listedShortcuts.at(index);
    return CharacterCount(listed) > 1 ? listed : tables.autoShortcuts.at(index);
}

// What the window took of the bytes sent, as characters: up to the first NUL, and with
// whatever the code page could not hold now "?".
std::u16string AsSent(const std::string& bytes) {
    return FromAnsi(bytes.substr(0, bytes.find('\0')));
}

class PictureEntry {
public:
    PictureEntry(WindowSystem& windows, Dialogs& dialogs, TextWaitNotice& notice,
                 WindowHandle emoticonDlg, bool newClient, ShortcutTables& tables,
                 int overwriteValue, SettlingPause pause)
        : windows_(windows), dialogs_(dialogs), notice_(notice), emoticonDlg_(emoticonDlg),
          newClient_(newClient), tables_(tables), overwriteValue_(overwriteValue),
          pause_(pause) {}

    PictureReport Enter(std::size_t index, const PictureToEnter& picture) {
        pinged_ = 0;
        PostCommand(windows_, emoticonDlg_,
                    newClient_ ? contract::kOpenCreateNewer : contract::kOpenCreateOlder);
        CreateDialog create;
        Wait wait(windows_);
        while (!TryFill(index, picture, create)) {
            wait.Pass();
            CheckLoop(dialogs_);
        }
        SendText(windows_, notice_, create.nameEdit, EmoticonName(picture.fileName));
        PostCommand(windows_, create.dialog, contract::kConfirm);
        Settle(create);
        return AnswerPrompts(index, create);
    }

private:
    // Whether Messenger has finished making a dialog, so that what it shows can be trusted.
    // The dialog manager makes a dialog in one call: the window first (hidden, but already
    // owned, so a lookup finds it), then its controls one by one, then WM_INITDIALOG, and it
    // shows the window only after that. So a visible dialog is complete, and a hidden one
    // whose owner is visible is not (not yet; or no more, as a closing dialog is hidden
    // first). The system hides the windows owned by a minimised window, so while the owner
    // is hidden too, hidden says nothing: the dialog is then complete once Messenger's
    // thread has taken a ping sent after the dialog was found, since that thread takes no
    // message until the call that makes the dialog has returned.
    bool Complete(WindowHandle dialog, WindowHandle owner) {
        if (windows_.IsVisible(dialog)) return true;
        if (windows_.IsVisible(owner)) return false;
        if (pinged_ != dialog) {
            windows_.Ping(dialog);
            pinged_ = dialog;
            return false;
        }
        return windows_.PingAnswered(dialog);
    }

    // The create dialog has taken its entry (or been closed) once it is gone, or once the
    // client has hidden it after showing it, as a client that keeps the window for the next
    // picture does. The callers know that no prompt is over it. While the emoticon dialog is
    // hidden as well, the system may have hidden both (Messenger minimised): only gone counts.
    bool Taken(CreateDialog& create) {
        if (WindowClassName(windows_, create.dialog).empty()) return true;
        if (windows_.IsVisible(create.dialog)) {
            create.shown = true;
            return false;
        }
        return create.shown && windows_.IsVisible(emoticonDlg_);
    }

    // Gives Messenger time to take the entry or to object to it. A pass lasts at least a
    // millisecond, so the full pause costs a second a picture even when Messenger has long
    // answered; what follows only looks at the create dialog and its prompt, so the pause
    // may end once either has shown its hand.
    void Settle(CreateDialog& create) {
        for (int pass = 0; pass < kSettlingPumps; ++pass) {
            windows_.PumpEvents();
            if (pause_ == SettlingPause::UntilOutcome &&
                (FindOwnedWindow(windows_, create.dialog, contract::kDialogClass) != 0 ||
                 Taken(create)))
                return;
        }
    }

    // One pass of the fill: texts go to whichever Edits exist so far, again on every pass.
    // Only a complete dialog is filled: a client may keep the dialog of the picture before,
    // hidden, and empty it when it shows it again for the open command, and a text sent to
    // it before then would be lost (a sent message is taken before a posted one).
    bool TryFill(std::size_t index, const PictureToEnter& picture, CreateDialog& create) {
        create.dialog = FindOwnedWindow(windows_, emoticonDlg_, contract::kDialogClass);
        if (create.dialog == 0 || !Complete(create.dialog, emoticonDlg_)) return false;
        create.shown = windows_.IsVisible(create.dialog);
        create.pathEdit = windows_.FindChildWindow(create.dialog, 0, contract::kEditClass);
        if (create.pathEdit == 0) return false;
        SendText(windows_, notice_, create.pathEdit, picture.pathText);
        create.shortcutEdit =
            windows_.FindChildWindow(create.dialog, create.pathEdit, contract::kEditClass);
        if (create.shortcutEdit == 0) return false;
        std::u16string& shortcut = ChosenEntry(tables_, index);
        shortcut = AsSent(SendText(windows_, notice_, create.shortcutEdit, shortcut));
        create.shortcut = shortcut;
        create.nameEdit =
            windows_.FindChildWindow(create.dialog, create.shortcutEdit, contract::kEditClass);
        return create.nameEdit != 0;
    }

    // Answers the prompts over the create dialog until it has taken the entry or been
    // closed. A prompt is answered only once it is complete (see Complete), so that its
    // Buttons are all there to be counted.
    PictureReport AnswerPrompts(std::size_t index, CreateDialog& create) {
        PictureReport report{index, EntryOutcome::Stored, {}, create.shortcut};
        // The one-Button prompt answered: the same window, still closing, for as long as
        // every lookup finds it. Once a lookup has not, a window with its handle value is a
        // new prompt (the system may give a gone window's value to a new one).
        WindowHandle answered = 0;
        Wait wait(windows_);
        for (;;) {
            const WindowHandle prompt =
                FindOwnedWindow(windows_, create.dialog, contract::kDialogClass);
            if (prompt != answered) answered = 0;
            if (prompt == 0) {
                if (Taken(create)) return report;
                // Still open with nothing over it: Messenger has not answered yet (it can
                // take longer than the settling pause). The next picture's lookup would
                // type into this dialog and both pictures would be lost, so wait.
            } else if (prompt != answered && Complete(prompt, create.dialog)) {
                const WindowHandle first =
                    windows_.FindChildWindow(prompt, 0, contract::kButtonClass);
                const WindowHandle second =
                    first != 0 ? windows_.FindChildWindow(prompt, first, contract::kButtonClass)
                               : 0;
                if (second != 0) {
                    AnswerOverwrite(prompt, create, report);
                    return report;
                }
                if (first != 0 && report.replacement.empty()) {
                    PostCommand(windows_, prompt, contract::kDismissOneButton);
                    report.replacement =
                        FirstCharacters(ChosenEntry(tables_, index), kReplacementKeep) + u"2";
                    SendText(windows_, notice_, create.shortcutEdit, report.replacement);
                    PostCommand(windows_, create.dialog, contract::kConfirm);
                    report.outcome = EntryOutcome::StoredAsReplacement;
                    answered = prompt;
                } else if (first != 0) {
                    // Refused under the replacement as well: whatever is wrong is not the
                    // shortcut (the file has gone, is no picture, its path is too long), and
                    // asking again would go on for ever. Leave this picture out.
                    PostCommand(windows_, prompt, contract::kDismissOneButton);
                    PostCommand(windows_, create.dialog, contract::kOverwriteNoCreate);
                    report.outcome = EntryOutcome::Refused;
                    WaitUntilTaken(create);
                    return report;
                }
                // A complete prompt without Buttons is waited on.
            }
            CheckLoop(dialogs_);
            wait.Pass();
        }
    }

    void AnswerOverwrite(WindowHandle prompt, CreateDialog& create, PictureReport& report) {
        if (overwriteValue_ != 0) {
            PostCommand(windows_, prompt, contract::kOverwriteYes);
            report.outcome = EntryOutcome::Replaced;
        } else {
            PostCommand(windows_, prompt, contract::kOverwriteNoPrompt);
            PostCommand(windows_, create.dialog, contract::kOverwriteNoCreate);
            report.outcome = EntryOutcome::LeftOut;
        }
        // The next picture's lookup would otherwise find this dialog still open and type
        // into it; Messenger then closes it on the answer and that picture is lost.
        WaitUntilTaken(create);
    }

    void WaitUntilTaken(CreateDialog& create) {
        Wait wait(windows_);
        while (!Taken(create)) {
            wait.Pass();
            CheckLoop(dialogs_);
        }
    }

    WindowSystem& windows_;
    Dialogs& dialogs_;
    TextWaitNotice& notice_;
    WindowHandle emoticonDlg_;
    bool newClient_;
    ShortcutTables& tables_;
    int overwriteValue_;
    SettlingPause pause_;
    WindowHandle pinged_ = 0;  // the dialog pinged last for this picture
};

}  // namespace

std::u16string EmoticonName(const std::u16string& fileName) {
    return fileName.substr(0, fileName.find(u'.'));
}

std::u16string SentForm(const std::u16string& text) { return AsSent(ToAnsi(text)); }

const std::u16string& ChosenShortcut(const ShortcutTables& tables, std::size_t index) {
    return ChosenEntry(tables, index);
}

std::vector<PictureReport> EnterPictures(WindowSystem& windows, Dialogs& dialogs,
                                         EntryProgress& progress, WindowHandle emoticonDlg,
                                         bool newClient,
                                         const std::vector<PictureToEnter>& pictures,
                                         ShortcutTables tables, int overwriteValue,
                                         SettlingPause pause) {
    PictureEntry entry(windows, dialogs, progress, emoticonDlg, newClient, tables, overwriteValue,
                       pause);
    const auto selected = static_cast<int>(
        std::count_if(pictures.begin(), pictures.end(),
                      [](const PictureToEnter& picture) { return picture.selected; }));
    std::vector<PictureReport> reports;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        // Only here, between pictures: the one in hand is always finished.
        if (progress.StopAsked()) break;
        if (pictures[i].selected) {
            progress.Entering(i, static_cast<int>(reports.size()) + 1, selected);
            reports.push_back(entry.Enter(i, pictures[i]));
            progress.Entered(reports.back());
        }
        if (newClient) windows.SleepFor(kNewerClientPause);
    }
    return reports;
}

}  // namespace pimbrel
