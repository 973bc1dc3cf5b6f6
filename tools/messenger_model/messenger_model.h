// Behaviour of a Messenger client as the tool sees it, shared by the in-memory double of the
// native tests and by the Win32 stand-in. The host shows the windows; the model decides.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace standin {

using WindowId = std::uint32_t;

enum class ClientKind { Older, Newer };

// What each window of the client is; the journal names the target by it.
enum class Role {
    Main, Emoticon, EmoticonButton, Create, PathEdit, ShortcutEdit, NameEdit, CreateButton,
    Prompt, PromptButton, Other
};
const char* RoleName(Role role);

enum class Visibility { Hidden, Shown, Minimised };

// Whatever shows the model's windows: real Win32 windows, or in-memory ones.
class WindowHost {
public:
    virtual ~WindowHost() = default;
    // A hidden top-level window owned by `owner` (0: none), placed on top of the z-order.
    virtual WindowId CreateTopLevel(Role role, const std::string& className, WindowId owner,
                                    const std::string& title) = 0;
    // A child window, visible within its parent, last in its parent's child order.
    virtual WindowId CreateChild(WindowId parent, Role role, const std::string& className,
                                 const std::string& text) = 0;
    virtual void Show(WindowId window, Visibility visibility) = 0;
    // Destroys the window and its children.
    virtual void Destroy(WindowId window) = 0;
    virtual std::string TextOf(WindowId window) = 0;
    // The client's own change of a control's text (not a message from outside).
    virtual void SetText(WindowId window, const std::string& text) = 0;
    // Runs `action` later on the host's thread, `delayMs` from now (0: as soon as possible).
    virtual void After(std::uint32_t delayMs, std::function<void()> action) = 0;
    // The client's thread is busy for `ms` and then goes on with `then`, taking no message
    // meanwhile (the Win32 host sleeps; the in-memory one holds messages back).
    virtual void Pause(std::uint32_t ms, std::function<void()> then) = 0;
    // The client closed its main window: the host quits.
    virtual void Quit() = 0;
    // How long a text is to the client: it counts characters of the code page it runs in,
    // which are bytes in a single-byte code page.
    virtual std::size_t Length(const std::string& text) { return text.size(); }
};

struct Emoticon {
    std::string shortcut;
    std::string name;
    std::string path;
};

struct JournalEntry {
    Role role;
    std::uint32_t message;
    std::uint32_t wParam;
    std::uint32_t lParam;
    std::string text;
};

struct Options {
    ClientKind client = ClientKind::Older;
    // Delay before each window appears after the command that asks for it.
    std::uint32_t emoticonDelayMs = 0;
    std::uint32_t createDelayMs = 0;
    std::uint32_t editsDelayMs = 0;   // from the create dialog to its Edit boxes
    std::uint32_t promptDelayMs = 0;  // from confirm to the outcome (stored or prompt)
    bool neverOpenEmoticons = false;  // the open command is ignored
    bool promptsWithoutButtons = false;
    // Older client: a standard dialog owned by the main window before any command, with
    // this many Buttons (negative: none).
    int preexistingDialogButtons = -1;
    // Close the main window (and every dialog) after this many emoticons are stored (< 0: never).
    int quitAfterStored = -1;
    // Dialogs are made as the dialog manager makes them: the window first (hidden, already
    // owned), then its controls one by one, this many ms apart with the client's thread busy,
    // and shown last.
    std::uint32_t buildGapMs = 0;
    // The main window is minimised: the dialogs it owns, and theirs, stay hidden.
    bool minimised = false;
    // The create dialog is hidden once it has taken its entry, and shown again, emptied, on
    // the next open command.
    bool reuseCreateDialog = false;
    // Posted commands are taken one after the other, each this long after the one before
    // (a busy client): an answered prompt stays up meanwhile.
    std::uint32_t commandDelayMs = 0;
    // The client stops answering for hangMs while it handles its hangAtText-th text (1: the
    // first; 0: never), as a client busy elsewhere does: the sender waits until then.
    std::uint32_t hangAtText = 0;
    std::uint32_t hangMs = 0;
};

class MessengerModel {
public:
    using PictureCheck = std::function<bool(const std::string& path)>;

    MessengerModel(WindowHost& host, Options options, std::vector<Emoticon> store,
                   PictureCheck isPicture);

    // Creates the main window (and the pre-existing dialog, if asked for).
    void Start();

    // A message that reached one of the model's windows from outside. The host applies
    // WM_SETTEXT to the window itself before calling this.
    void OnMessage(WindowId target, std::uint32_t message, std::uint32_t wParam,
                   std::uint32_t lParam, const std::string& text);

    const std::vector<Emoticon>& Store() const { return store_; }
    const std::vector<JournalEntry>& Journal() const { return journal_; }
    // Called when the emoticon dialog closes (the store is "saved").
    std::function<void()> onSave;

    static bool IsBuiltIn(const std::string& shortcut);

    // True while the client's thread is busy (making a dialog, or hung in a text): it takes
    // no message then.
    bool Busy() const { return busy_ > 0; }

private:
    struct Control {
        Role role;
        const char* className;
        const char* text;
    };
    struct CreateWindows {
        WindowId dialog = 0, pathEdit = 0, shortcutEdit = 0, nameEdit = 0;
    };
    struct Command {
        WindowId target;
        std::uint32_t wParam, lParam;
    };

    void TakeCommand(const Command& command);
    void TakeLater();
    void OnMainCommand(std::uint32_t wParam, std::uint32_t lParam);
    void OnEmoticonCommand(std::uint32_t wParam, std::uint32_t lParam);
    void OnCreateCommand(std::uint32_t wParam, std::uint32_t lParam);
    void OnPromptCommand(std::uint32_t wParam, std::uint32_t lParam);
    void OpenEmoticons();
    void OpenCreate();
    WindowId MakeDialog(Role role, const std::string& className, WindowId owner,
                        const std::string& title, std::vector<Control> controls,
                        std::uint32_t setUpMs = 0);
    void AddControls(WindowId dialog, std::shared_ptr<const std::vector<Control>> controls,
                     std::size_t next, std::uint32_t pauseMs);
    void Validate();
    void ShowPrompt(int buttons);
    void StoreEntry(const Emoticon& entry, int replaced);
    void ClosePrompt();
    void CloseCreate();
    void CloseEmoticons();
    void CloseAll();
    WindowId Make(Role role, const std::string& className, WindowId owner,
                  const std::string& title);
    WindowId MakeChild(WindowId parent, Role role, const std::string& className,
                       const std::string& text);
    void Forget(WindowId id);
    Role RoleOf(WindowId id) const;
    bool Exists(WindowId id) const;

    WindowHost& host_;
    Options options_;
    std::vector<Emoticon> store_;
    PictureCheck isPicture_;
    std::vector<JournalEntry> journal_;
    struct Known {
        WindowId id;
        Role role;
        WindowId parent;  // 0 for a top-level window
    };
    std::vector<Known> roles_;
    // The client's windows; 0 when that window does not exist (or is not open).
    WindowId main_ = 0, emoticon_ = 0, prompt_ = 0;
    CreateWindows create_;
    CreateWindows spare_;       // a hidden create dialog kept for the next open command
    WindowId preexisting_ = 0;  // the dialog of Options::preexistingDialogButtons
    int busy_ = 0;
    std::uint32_t texts_ = 0;  // WM_SETTEXT messages taken so far
    std::deque<Command> commands_;  // waiting for Options::commandDelayMs
    // A window asked for and not shown yet counts as open: a second request adds nothing.
    bool emoticonPending_ = false, createPending_ = false, confirmPending_ = false;
    // Overwrite prompt: the entry waiting for the answer.
    Emoticon waiting_;
    int stored_ = 0;
    bool quit_ = false;
};

}  // namespace standin
