// The Messenger client's reactions to the program's commands; see messenger_model.h.
#include "messenger_model/messenger_model.h"

#include <algorithm>
#include <array>

#include "messenger/messenger_contract.h"

namespace standin {
namespace contract = pimbrel::contract;

namespace {

bool Is(std::uint32_t wParam, std::uint32_t lParam, contract::Command command) {
    return wParam == command.wParam && lParam == command.lParam;
}

// The client's own shortcuts; a custom emoticon may not take one of them.
constexpr std::array<const char*, 30> kBuiltIns{
    ":)", ":-)", ":(", ":-(", ";)", ";-)", ":D", ":-D", ":P", ":-P", ":O", ":-O",
    "(Y)", "(N)", ":S", ":-S", ":|", ":-|", ":'(", ":$", ":-$", ":@", ":-@", "(H)",
    "(A)", "(L)", "(U)", "(K)", "(F)", "(*)"};

constexpr std::size_t kMaxShortcut = 7;

}  // namespace

const char* RoleName(Role role) {
    switch (role) {
        case Role::Main: return "Main";
        case Role::Emoticon: return "Emoticon";
        case Role::EmoticonButton: return "EmoticonButton";
        case Role::Create: return "Create";
        case Role::PathEdit: return "PathEdit";
        case Role::ShortcutEdit: return "ShortcutEdit";
        case Role::NameEdit: return "NameEdit";
        case Role::CreateButton: return "CreateButton";
        case Role::Prompt: return "Prompt";
        case Role::PromptButton: return "PromptButton";
        case Role::Other: break;
    }
    return "Other";
}

bool MessengerModel::IsBuiltIn(const std::string& shortcut) {
    return std::find(kBuiltIns.begin(), kBuiltIns.end(), shortcut) != kBuiltIns.end();
}

MessengerModel::MessengerModel(WindowHost& host, Options options, std::vector<Emoticon> store,
                               PictureCheck isPicture)
    : host_(host), options_(options), store_(std::move(store)), isPicture_(std::move(isPicture)) {}

void MessengerModel::Start() {
    const bool older = options_.client == ClientKind::Older;
    main_ = Make(Role::Main, older ? contract::kOlderMainClass : contract::kNewerMainClass, 0,
                 older ? "MSN Messenger" : "Windows Live Messenger");
    host_.Show(main_, options_.minimised ? Visibility::Minimised : Visibility::Shown);
    if (options_.preexistingDialogButtons < 0) return;
    // A dialog with the emoticon dialog's eight Buttons is that dialog, already open.
    const bool isEmoticons =
        older && options_.preexistingDialogButtons == contract::kEmoticonDialogButtons;
    const Control button{isEmoticons ? Role::EmoticonButton : Role::Other, contract::kButtonClass,
                         "Button"};
    preexisting_ = MakeDialog(isEmoticons ? Role::Emoticon : Role::Other, contract::kDialogClass,
                              main_, isEmoticons ? "Emoticons" : "Options",
                              std::vector<Control>(options_.preexistingDialogButtons, button));
    if (isEmoticons) emoticon_ = preexisting_;
}

void MessengerModel::OnMessage(WindowId target, std::uint32_t message, std::uint32_t wParam,
                               std::uint32_t lParam, const std::string& text) {
    journal_.push_back({RoleOf(target), message, wParam, lParam, text});
    if (message == contract::kWmSetText && ++texts_ == options_.hangAtText) {
        ++busy_;
        host_.Pause(options_.hangMs, [this] { --busy_; });
    }
    if (quit_ || message != contract::kWmCommand) return;
    if (options_.commandDelayMs == 0) {
        TakeCommand({target, wParam, lParam});
        return;
    }
    commands_.push_back({target, wParam, lParam});
    if (commands_.size() == 1) TakeLater();
}

void MessengerModel::TakeLater() {
    host_.After(options_.commandDelayMs, [this] {
        const Command command = commands_.front();
        commands_.pop_front();
        TakeCommand(command);
        if (!commands_.empty()) TakeLater();
    });
}

// A command to a window that has gone since it was posted is lost, as the system drops it.
void MessengerModel::TakeCommand(const Command& command) {
    if (quit_) return;
    switch (RoleOf(command.target)) {
        case Role::Main: OnMainCommand(command.wParam, command.lParam); break;
        case Role::Emoticon: OnEmoticonCommand(command.wParam, command.lParam); break;
        case Role::Create:
            if (command.target == create_.dialog) OnCreateCommand(command.wParam, command.lParam);
            break;
        case Role::Prompt: OnPromptCommand(command.wParam, command.lParam); break;
        default: break;
    }
}

void MessengerModel::OnMainCommand(std::uint32_t wParam, std::uint32_t lParam) {
    const bool older = options_.client == ClientKind::Older;
    if (!Is(wParam, lParam, older ? contract::kOpenEmoticonsOlder : contract::kOpenEmoticonsNewer))
        return;
    if (options_.neverOpenEmoticons || emoticon_ != 0 || emoticonPending_) return;
    emoticonPending_ = true;
    host_.After(options_.emoticonDelayMs, [this] { OpenEmoticons(); });
}

void MessengerModel::OpenEmoticons() {
    emoticonPending_ = false;
    if (quit_ || emoticon_ != 0) return;
    if (options_.client == ClientKind::Newer) {
        emoticon_ = MakeDialog(Role::Emoticon, contract::kNewerEmoticonClass, main_, "Emoticons", {});
        return;
    }
    std::vector<Control> buttons;
    for (const char* label : {"Create...", "Edit...", "Remove", "Import...", "Export...", "Help",
                              "OK", "Cancel"})
        buttons.push_back({Role::EmoticonButton, contract::kButtonClass, label});
    emoticon_ = MakeDialog(Role::Emoticon, contract::kDialogClass, main_, "Emoticons", buttons);
}

void MessengerModel::OnEmoticonCommand(std::uint32_t wParam, std::uint32_t lParam) {
    const bool older = options_.client == ClientKind::Older;
    if (Is(wParam, lParam, contract::kCloseEmoticons)) {
        CloseEmoticons();
        if (onSave) onSave();
        return;
    }
    if (!Is(wParam, lParam, older ? contract::kOpenCreateOlder : contract::kOpenCreateNewer))
        return;
    if (create_.dialog != 0 || createPending_) return;
    createPending_ = true;
    const WindowId emoticon = emoticon_;
    host_.After(options_.createDelayMs, [this, emoticon] {
        createPending_ = false;
        if (!quit_ && emoticon_ == emoticon && create_.dialog == 0) OpenCreate();
    });
}

void MessengerModel::OpenCreate() {
    if (spare_.dialog != 0) {
        create_ = spare_;
        spare_ = CreateWindows{};
        for (WindowId edit : {create_.pathEdit, create_.shortcutEdit, create_.nameEdit})
            host_.SetText(edit, "");
        if (!options_.minimised) host_.Show(create_.dialog, Visibility::Shown);
        return;
    }
    create_.dialog = MakeDialog(Role::Create, contract::kDialogClass, emoticon_, "Create Emoticon",
                                {{Role::PathEdit, contract::kEditClass, ""},
                                 {Role::ShortcutEdit, contract::kEditClass, ""},
                                 {Role::NameEdit, contract::kEditClass, ""},
                                 {Role::CreateButton, contract::kButtonClass, "OK"},
                                 {Role::CreateButton, contract::kButtonClass, "Cancel"}},
                                options_.editsDelayMs);
}

// The window is listed (hidden, already owned) before its controls exist, and shown only
// once they all do; the client's thread takes no message in between.
WindowId MessengerModel::MakeDialog(Role role, const std::string& className, WindowId owner,
                                    const std::string& title, std::vector<Control> controls,
                                    std::uint32_t setUpMs) {
    const WindowId dialog = Make(role, className, owner, title);
    ++busy_;
    AddControls(dialog, std::make_shared<const std::vector<Control>>(std::move(controls)), 0,
                setUpMs + options_.buildGapMs);
    return dialog;
}

void MessengerModel::AddControls(WindowId dialog,
                                 std::shared_ptr<const std::vector<Control>> controls,
                                 std::size_t next, std::uint32_t pauseMs) {
    host_.Pause(pauseMs, [this, dialog, controls, next] {
        if (!Exists(dialog)) {
            --busy_;
            return;
        }
        if (next == controls->size()) {
            --busy_;
            if (!options_.minimised) host_.Show(dialog, Visibility::Shown);
            return;
        }
        const Control& control = (*controls)[next];
        const WindowId id = MakeChild(dialog, control.role, control.className, control.text);
        // Only the create dialog has Edits (and it may still be on its way to create_.dialog).
        if (control.role == Role::PathEdit) create_.pathEdit = id;
        if (control.role == Role::ShortcutEdit) create_.shortcutEdit = id;
        if (control.role == Role::NameEdit) create_.nameEdit = id;
        AddControls(dialog, controls, next + 1, options_.buildGapMs);
    });
}

void MessengerModel::OnCreateCommand(std::uint32_t wParam, std::uint32_t lParam) {
    if (Is(wParam, lParam, contract::kOverwriteNoCreate)) {
        if (prompt_ == 0) CloseCreate();
        return;
    }
    if (!Is(wParam, lParam, contract::kConfirm)) return;
    // A confirm before the Edits exist, behind a prompt or while one is checked is lost.
    if (prompt_ != 0 || confirmPending_ || create_.nameEdit == 0) return;
    confirmPending_ = true;
    const WindowId create = create_.dialog;
    host_.After(options_.promptDelayMs, [this, create] {
        confirmPending_ = false;
        if (!quit_ && create_.dialog == create && prompt_ == 0) Validate();
    });
}

void MessengerModel::Validate() {
    Emoticon entry{host_.TextOf(create_.shortcutEdit), host_.TextOf(create_.nameEdit),
                   host_.TextOf(create_.pathEdit)};
    if (entry.shortcut.empty() || host_.Length(entry.shortcut) > kMaxShortcut ||
        IsBuiltIn(entry.shortcut) || !isPicture_ || !isPicture_(entry.path)) {
        ShowPrompt(1);
        return;
    }
    const auto same = std::find_if(store_.begin(), store_.end(), [&](const Emoticon& stored) {
        return stored.shortcut == entry.shortcut;
    });
    if (same != store_.end()) {
        waiting_ = entry;
        ShowPrompt(2);
        return;
    }
    CloseCreate();
    StoreEntry(entry, -1);
}

void MessengerModel::ShowPrompt(int buttons) {
    std::vector<Control> controls;
    if (!options_.promptsWithoutButtons) {
        if (buttons == 1) {
            controls.push_back({Role::PromptButton, contract::kButtonClass, "OK"});
        } else {
            controls.push_back({Role::PromptButton, contract::kButtonClass, "Yes"});
            controls.push_back({Role::PromptButton, contract::kButtonClass, "No"});
        }
    }
    prompt_ = MakeDialog(Role::Prompt, contract::kDialogClass, create_.dialog, "MSN Messenger",
                         controls);
}

void MessengerModel::OnPromptCommand(std::uint32_t wParam, std::uint32_t lParam) {
    const bool overwrite = !waiting_.shortcut.empty();
    if (overwrite && Is(wParam, lParam, contract::kOverwriteYes)) {
        const auto same = std::find_if(store_.begin(), store_.end(), [&](const Emoticon& stored) {
            return stored.shortcut == waiting_.shortcut;
        });
        const Emoticon entry = waiting_;
        ClosePrompt();
        CloseCreate();
        StoreEntry(entry, same == store_.end() ? -1 : static_cast<int>(same - store_.begin()));
    } else if (Is(wParam, lParam, contract::kDismissOneButton) ||
               (overwrite && Is(wParam, lParam, contract::kOverwriteNoPrompt))) {
        // A Yes/No prompt reads the one-Button dismissal (IDCANCEL) as No.
        ClosePrompt();
    }
}

void MessengerModel::StoreEntry(const Emoticon& entry, int replaced) {
    if (replaced >= 0)
        store_[replaced] = entry;
    else
        store_.push_back(entry);
    ++stored_;
    if (options_.quitAfterStored >= 0 && stored_ >= options_.quitAfterStored) CloseAll();
}

void MessengerModel::ClosePrompt() {
    if (prompt_ == 0) return;
    host_.Destroy(prompt_);
    Forget(prompt_);
    prompt_ = 0;
    waiting_ = Emoticon{};
}

void MessengerModel::CloseCreate() {
    ClosePrompt();
    if (create_.dialog == 0) return;
    confirmPending_ = false;
    if (options_.reuseCreateDialog) {
        host_.Show(create_.dialog, Visibility::Hidden);
        spare_ = create_;
    } else {
        host_.Destroy(create_.dialog);
        Forget(create_.dialog);
    }
    create_ = CreateWindows{};
}

void MessengerModel::CloseEmoticons() {
    CloseCreate();
    if (spare_.dialog != 0) {
        host_.Destroy(spare_.dialog);
        Forget(spare_.dialog);
        spare_ = CreateWindows{};
    }
    if (emoticon_ == 0) return;
    host_.Destroy(emoticon_);
    Forget(emoticon_);
    if (preexisting_ == emoticon_) preexisting_ = 0;
    emoticon_ = 0;
}

void MessengerModel::CloseAll() {
    CloseEmoticons();
    for (WindowId* window : {&preexisting_, &main_}) {
        if (*window == 0) continue;
        host_.Destroy(*window);
        Forget(*window);
        *window = 0;
    }
    quit_ = true;
    host_.Quit();
}

WindowId MessengerModel::Make(Role role, const std::string& className, WindowId owner,
                              const std::string& title) {
    const WindowId id = host_.CreateTopLevel(role, className, owner, title);
    roles_.push_back({id, role, 0});
    return id;
}

WindowId MessengerModel::MakeChild(WindowId parent, Role role, const std::string& className,
                                   const std::string& text) {
    const WindowId id = host_.CreateChild(parent, role, className, text);
    roles_.push_back({id, role, parent});
    return id;
}

// Drops the window and the children the model made for it.
void MessengerModel::Forget(WindowId id) {
    roles_.erase(std::remove_if(roles_.begin(), roles_.end(),
                                [id](const Known& known) {
                                    return known.id == id || known.parent == id;
                                }),
                 roles_.end());
}

Role MessengerModel::RoleOf(WindowId id) const {
    for (const Known& known : roles_)
        if (known.id == id) return known.role;
    return Role::Other;
}

bool MessengerModel::Exists(WindowId id) const {
    return std::any_of(roles_.begin(), roles_.end(),
                       [id](const Known& known) { return known.id == id; });
}

}  // namespace standin
