// A whole main window over in-memory parts: folder, controls, boxes and window system.
#pragma once
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "fake_toolkit.h"
#include "fake_windows.h"
#include "text_fakes.h"
#include "shortcuts/code_page.h"

namespace pimbrel::testing {

// The folder's name is one that no code page holds whole: boxes spell it in full, and the
// paths Messenger gets hold what the code page makes of it.
inline constexpr char16_t kFolder[] = u"C:\\Émoticônes 表情";
inline const std::string kFolderText = u8"C:\\Émoticônes 表情";
inline const std::u16string kListFile = kFolder + std::u16string(u"\\Readme.txt");
using Texts = std::vector<std::string>;

inline Texts operator+(Texts a, const Texts& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Rig {
    EventLog log;
    FakeFileList file1{log};
    Logged<Switchable> cmdAdd{"cmdAdd", log};
    Logged<Switchable> cmdStop{"cmdStop", log};
    Logged<Switchable> cmdChoose{"cmdChoose", log};
    FakeCheckBox chkOverwrite{log};
    FakeToolkit toolkit{log};
    FakeFileSystem files;
    FakeWindows windows;
    SharedRunLock ownLock;
    FakeRunLock runLock;
    FakeRunLock otherWindowLock{ownLock};  // another window's, for a run it holds
    SettlingPause pause;
    MainWindowParts Parts() {
        return MainWindowParts{file1,   cmdAdd,  cmdStop, cmdChoose, chkOverwrite,
                               toolkit, toolkit, toolkit, toolkit,   toolkit,
                               toolkit, files,   windows, runLock,   pause};
    }
    FrmMain form{Parts(), FolderName{kFolder, {}}};

    // `desktopLock`: the run lock shared with other windows; by default one of its own.
    explicit Rig(const std::vector<std::u16string>& pictures = {},
                 SharedRunLock* desktopLock = nullptr,
                 SettlingPause settling = SettlingPause::UntilOutcome)
        : runLock(desktopLock ? *desktopLock : ownLock, &log), pause(settling) {
        for (const auto& name : pictures) files.AddPicture(kFolder, name);
    }
    void SetListFile(const std::string& bytes) {
        files.files[kListFile] = bytes;
    }
    // Load, then clear the log so that tests see only what follows.
    void Load() {
        form.Load();
        log.clear();
        toolkit.boxes.clear();
    }
    // Runs a click, or the retry timer's tick; true when the program ended inside it.
    bool Click() { return Ends(&FrmMain::OnAddClick); }
    bool Tick() { return Ends(&FrmMain::OnRetryTick); }
    bool Ends(void (FrmMain::*event)()) try {
        (form.*event)();
        return false;
    } catch (const ProgramEnded&) {
        return true;
    }
    // Everything Messenger was sent, as Describe spells it.
    Texts Sent() const {
        Texts described;
        for (const SentMessage& message : windows.Sent()) described.push_back(Describe(message));
        return described;
    }
    // Messenger's emoticons as "SHORTCUT NAME".
    Texts Store() {
        Texts described;
        for (const auto& emoticon : windows.Messenger()->Store())
            described.push_back(Utf8(FromAnsi(emoticon.shortcut)) + " " +
                                Utf8(FromAnsi(emoticon.name)));
        return described;
    }
    Texts ToolTips() {
        Texts tips;
        for (std::size_t i = 0; i < file1.Names().size(); ++i)
            tips.push_back(Utf8(form.EntryToolTip(static_cast<int>(i))));
        return tips;
    }
};

}  // namespace pimbrel::testing
