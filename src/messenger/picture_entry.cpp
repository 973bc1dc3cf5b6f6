// One picture: open the create dialog, fill its three Edits, confirm, answer the prompts.
#include "messenger/picture_entry.h"

#include "messenger/functions.h"
#include "messenger/messenger_contract.h"

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
};

void PostCommand(WindowSystem& windows, WindowHandle target, contract::Command command) {
    windows.Post(target, contract::kWmCommand, command.wParam, command.lParam);
}

void SendText(WindowSystem& windows, WindowHandle edit, const std::string& text) {
    windows.SendText(edit, contract::kSetTextWParam, text);
}

// A listed shortcut of one character or none gives way to the automatic one.
std::string& ChosenEntry(ShortcutTables& tables, std::size_t index) {
    std::string& listed = tables.listedShortcuts.at(index);
    return listed.size() > 1 ? listed : tables.autoShortcuts.at(index);
}

// What the window receives of a text: it ends at the first NUL.
std::string AsSent(const std::string& text) { return text.substr(0, text.find('\0')); }

class PictureEntry {
public:
    PictureEntry(WindowSystem& windows, Dialogs& dialogs, WindowHandle emoticonDlg,
                 bool newClient, ShortcutTables& tables, int overwriteValue,
                 SettlingPause pause)
        : windows_(windows), dialogs_(dialogs), emoticonDlg_(emoticonDlg),
          newClient_(newClient), tables_(tables), overwriteValue_(overwriteValue),
          pause_(pause) {}

    void Enter(std::size_t index, const PictureToEnter& picture) {
        PostCommand(windows_, emoticonDlg_,
                    newClient_ ? contract::kOpenCreateNewer : contract::kOpenCreateOlder);
        CreateDialog create;
        while (!TryFill(index, picture, create)) {
            windows_.PumpEvents();
            CheckLoop(dialogs_);
        }
        SendText(windows_, create.nameEdit, EmoticonName(picture.fileName));
        PostCommand(windows_, create.dialog, contract::kConfirm);
        Settle(create.dialog);
        AnswerPrompts(index, create);
    }

private:
    // Gives Messenger time to take the entry or to object to it. A pass lasts at least a
    // millisecond, so the full pause costs a second a picture even when Messenger has long
    // answered; what follows only looks at the create dialog and its prompt, so the pause
    // may end once either has shown its hand.
    void Settle(WindowHandle createDlg) {
        for (int pass = 0; pass < kSettlingPumps; ++pass) {
            windows_.PumpEvents();
            if (pause_ == SettlingPause::UntilOutcome &&
                (WindowClassName(windows_, createDlg).empty() ||
                 FindOwnedWindow(windows_, createDlg, contract::kDialogClass) != 0))
                return;
        }
    }

    // One pass of the fill: texts go to whichever Edits exist so far, again on every pass.
    bool TryFill(std::size_t index, const PictureToEnter& picture, CreateDialog& create) {
        create.dialog = FindOwnedWindow(windows_, emoticonDlg_, contract::kDialogClass);
        if (create.dialog == 0) return false;
        create.pathEdit = windows_.FindChildWindow(create.dialog, 0, contract::kEditClass);
        if (create.pathEdit == 0) return false;
        SendText(windows_, create.pathEdit, picture.pathText);
        create.shortcutEdit =
            windows_.FindChildWindow(create.dialog, create.pathEdit, contract::kEditClass);
        if (create.shortcutEdit == 0) return false;
        std::string& shortcut = ChosenEntry(tables_, index);
        SendText(windows_, create.shortcutEdit, shortcut);
        shortcut = AsSent(shortcut);
        create.nameEdit =
            windows_.FindChildWindow(create.dialog, create.shortcutEdit, contract::kEditClass);
        return create.nameEdit != 0;
    }

    void AnswerPrompts(std::size_t index, const CreateDialog& create) {
        for (;;) {
            const WindowHandle prompt =
                FindOwnedWindow(windows_, create.dialog, contract::kDialogClass);
            if (prompt == 0) {
                if (WindowClassName(windows_, create.dialog).empty()) return;  // taken
                // Still open with nothing over it: Messenger has not answered yet (it can
                // take longer than the settling pause). The next picture's lookup would
                // type into this dialog and both pictures would be lost, so wait.
                CheckLoop(dialogs_);
                windows_.PumpEvents();
                continue;
            }
            // A window is listed before its controls exist, so a prompt can be seen while
            // Messenger is still adding its Buttons. Looking for a second Button after none
            // would find the first one if it had just come, and a one-Button prompt would be
            // answered as a two-Button one (and never close): with no Button yet it is
            // waited on, like a prompt without Buttons.
            const WindowHandle first = windows_.FindChildWindow(prompt, 0, contract::kButtonClass);
            const WindowHandle second =
                first != 0 ? windows_.FindChildWindow(prompt, first, contract::kButtonClass) : 0;
            if (second != 0) {
                if (overwriteValue_ != 0) {
                    PostCommand(windows_, prompt, contract::kOverwriteYes);
                } else {
                    PostCommand(windows_, prompt, contract::kOverwriteNoPrompt);
                    PostCommand(windows_, create.dialog, contract::kOverwriteNoCreate);
                }
                // The next picture's lookup would otherwise find this dialog still open
                // and type into it; Messenger then closes it on the answer and that
                // picture is lost.
                WaitUntilGone(create.dialog);
                return;
            }
            if (first != 0) {
                PostCommand(windows_, prompt, contract::kDismissOneButton);
                SendText(windows_, create.shortcutEdit,
                         ChosenEntry(tables_, index).substr(0, kReplacementKeep) + "2");
                PostCommand(windows_, create.dialog, contract::kConfirm);
            }
            CheckLoop(dialogs_);
            windows_.PumpEvents();
        }
    }

    void WaitUntilGone(WindowHandle window) {
        while (!WindowClassName(windows_, window).empty()) {
            windows_.PumpEvents();
            CheckLoop(dialogs_);
        }
    }

    WindowSystem& windows_;
    Dialogs& dialogs_;
    WindowHandle emoticonDlg_;
    bool newClient_;
    ShortcutTables& tables_;
    int overwriteValue_;
    SettlingPause pause_;
};

}  // namespace

std::string EmoticonName(const std::string& fileName) {
    return fileName.substr(0, fileName.find('.'));
}

void EnterPictures(WindowSystem& windows, Dialogs& dialogs, WindowHandle emoticonDlg,
                   bool newClient, const std::vector<PictureToEnter>& pictures,
                   ShortcutTables tables, int overwriteValue, SettlingPause pause) {
    PictureEntry entry(windows, dialogs, emoticonDlg, newClient, tables, overwriteValue, pause);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        if (pictures[i].selected) entry.Enter(i, pictures[i]);
        if (newClient) windows.SleepFor(kNewerClientPause);
    }
}

}  // namespace pimbrel
