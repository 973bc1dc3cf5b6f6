// A whole main window over in-memory parts: folder, controls, boxes and window system.
#pragma once
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "fake_toolkit.h"
#include "fake_windows.h"

namespace pimbrel::testing {

inline constexpr char16_t kFolder[] = u"C:\\Emoticons";

struct Rig {
    EventLog log;
    FakeFileList file1{log};
    FakeSwitch cmdAdd{"cmdAdd", log};
    FakeCheckBox chkOverwrite{log};
    FakeTimer tmrRetry{log};
    FakeFrame frame{log};
    FakeDialogs dialogs{log};
    FakeStarter starter;
    FakeFileSystem files;
    FakeWindows windows;
    SharedRunLock ownLock;
    FakeRunLock runLock;
    FakeRunLock otherWindowLock{ownLock};  // another window's, for a run it holds
    MainWindowParts Parts() {
        return MainWindowParts{file1,   cmdAdd,  chkOverwrite, tmrRetry, frame,
                               dialogs, starter, files,        windows,  runLock};
    }
    FrmMain form{Parts(), FolderName{kFolder, {}}};

    // `desktopLock`: the run lock shared with other windows; by default one of its own.
    explicit Rig(const std::vector<std::u16string>& pictures = {},
                 SharedRunLock* desktopLock = nullptr)
        : runLock(desktopLock ? *desktopLock : ownLock) {
        for (const auto& name : pictures) files.AddPicture(kFolder, name);
    }
    void SetListFile(const std::string& content) {
        files.files[std::u16string(kFolder) + u"\\Readme.txt"] = content;
    }
    // Load, then clear the log so that tests see only what follows.
    void Load() {
        form.Load();
        log.clear();
        dialogs.shown.clear();
    }
    // Runs a click; true when the program ended inside it.
    bool Click() {
        try {
            form.OnAddClick();
            return false;
        } catch (const ProgramEnded&) {
            return true;
        }
    }
    bool Tick() {
        try {
            form.OnRetryTick();
            return false;
        } catch (const ProgramEnded&) {
            return true;
        }
    }
    std::vector<std::string> Boxes() const {
        std::vector<std::string> texts;
        for (const auto& shown : dialogs.shown) texts.push_back(shown.text);
        return texts;
    }
};

}  // namespace pimbrel::testing
