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
    if (options_.preexistingDialogButtons < 0) return;
    // A dialog with the emoticon dialog's eight Buttons is that dialog, already open.
    const bool isEmoticons =
        older && options_.preexistingDialogButtons == contract::kEmoticonDialogButtons;
    preexisting_ = Make(isEmoticons ? Role::Emoticon : Role::Other, contract::kDialogClass, main_,
                        isEmoticons ? "Emoticons" : "Options");
    for (int i = 0; i < options_.preexistingDialogButtons; ++i)
        MakeChild(preexisting_, isEmoticons ? Role::EmoticonButton : Role::Other,
                  contract::kButtonClass, "Button");
    if (isEmoticons) emoticon_ = preexisting_;
}

void MessengerModel::OnMessage(WindowId target, std::uint32_t message, std::uint32_t wParam,
                               std::uint32_t lParam, const std::string& text) {
    const Role role = RoleOf(target);
    journal_.push_back({role, message, wParam, lParam, text});
    if (quit_ || message != contract::kWmCommand) return;
    switch (role) {
        case Role::Main: OnMainCommand(wParam, lParam); break;
        case Role::Emoticon: OnEmoticonCommand(wParam, lParam); break;
        case Role::Create: OnCreateCommand(wParam, lParam); break;
        case Role::Prompt: OnPromptCommand(wParam, lParam); break;
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
        emoticon_ = Make(Role::Emoticon, contract::kNewerEmoticonClass, main_, "Emoticons");
        return;
    }
    emoticon_ = Make(Role::Emoticon, contract::kDialogClass, main_, "Emoticons");
    static const char* const kLabels[contract::kEmoticonDialogButtons] = {
        "Create...", "Edit...", "Remove", "Import...", "Export...", "Help", "OK", "Cancel"};
    for (const char* label : kLabels)
        MakeChild(emoticon_, Role::EmoticonButton, contract::kButtonClass, label);
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
    if (create_ != 0 || createPending_) return;
    createPending_ = true;
    const WindowId emoticon = emoticon_;
    host_.After(options_.createDelayMs, [this, emoticon] {
        createPending_ = false;
        if (!quit_ && emoticon_ == emoticon && create_ == 0) OpenCreate();
    });
}

void MessengerModel::OpenCreate() {
    create_ = Make(Role::Create, contract::kDialogClass, emoticon_, "Create Emoticon");
    const WindowId create = create_;
    host_.After(options_.editsDelayMs, [this, create] {
        if (!quit_ && create_ == create) AddEdits(create);
    });
}

void MessengerModel::AddEdits(WindowId create) {
    pathEdit_ = MakeChild(create, Role::PathEdit, contract::kEditClass, "");
    shortcutEdit_ = MakeChild(create, Role::ShortcutEdit, contract::kEditClass, "");
    nameEdit_ = MakeChild(create, Role::NameEdit, contract::kEditClass, "");
    MakeChild(create, Role::CreateButton, contract::kButtonClass, "OK");
    MakeChild(create, Role::CreateButton, contract::kButtonClass, "Cancel");
}

void MessengerModel::OnCreateCommand(std::uint32_t wParam, std::uint32_t lParam) {
    if (Is(wParam, lParam, contract::kOverwriteNoCreate)) {
        if (prompt_ == 0) CloseCreate();
        return;
    }
    if (!Is(wParam, lParam, contract::kConfirm)) return;
    // A confirm before the Edits exist, behind a prompt or while one is checked is lost.
    if (prompt_ != 0 || confirmPending_ || nameEdit_ == 0) return;
    confirmPending_ = true;
    const WindowId create = create_;
    host_.After(options_.promptDelayMs, [this, create] {
        confirmPending_ = false;
        if (!quit_ && create_ == create && prompt_ == 0) Validate(create);
    });
}

void MessengerModel::Validate(WindowId) {
    Emoticon entry{host_.TextOf(shortcutEdit_), host_.TextOf(nameEdit_), host_.TextOf(pathEdit_)};
    if (entry.shortcut.empty() || entry.shortcut.size() > kMaxShortcut ||
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
    prompt_ = Make(Role::Prompt, contract::kDialogClass, create_, "MSN Messenger");
    if (options_.promptsWithoutButtons) return;
    if (buttons == 1) {
        MakeChild(prompt_, Role::PromptButton, contract::kButtonClass, "OK");
        return;
    }
    MakeChild(prompt_, Role::PromptButton, contract::kButtonClass, "Yes");
    MakeChild(prompt_, Role::PromptButton, contract::kButtonClass, "No");
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
    } else if (overwrite ? Is(wParam, lParam, contract::kOverwriteNoPrompt)
                         : Is(wParam, lParam, contract::kDismissOneButton)) {
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
    if (create_ == 0) return;
    host_.Destroy(create_);
    Forget(create_);
    create_ = pathEdit_ = shortcutEdit_ = nameEdit_ = 0;
    confirmPending_ = false;
}

void MessengerModel::CloseEmoticons() {
    CloseCreate();
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

}  // namespace standin
