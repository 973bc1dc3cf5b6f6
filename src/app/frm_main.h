// frmMain's logic: the load step, the four events and the Add run, over toolkit interfaces.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "messenger/picture_entry.h"
#include "platform/file_system.h"
#include "platform/run_lock.h"
#include "platform/toolkit.h"
#include "platform/window_system.h"

namespace pimbrel {

inline constexpr char kProgramTitle[] = "Pimbrel";

struct Picture {
    std::u16string name;       // as the file system names it and the list shows it
    std::u16string shortName;  // its 8.3 form, for a path the code page cannot hold; or empty
};

struct PictureList {
    FolderName folder;
    std::vector<Picture> entries;
};

// Everything frmMain talks to; the Win32 window or the tests' doubles provide it.
struct MainWindowParts {
    FileListControl& file1;
    Switchable& cmdAdd;
    CheckBoxControl& chkOverwrite;
    RetryTimer& tmrRetry;
    Dialogs& dialogs;
    ProgramStarter& starter;
    FileSystem& files;
    WindowSystem& windows;
    RunLock& runLock;
    // The full pause is kept for the benchmark that shows what ending it early saves.
    SettlingPause settlingPause = SettlingPause::UntilOutcome;
};

class FrmMain {
public:
    FrmMain(const MainWindowParts& parts, FolderName pictureFolder);
    FrmMain(const FrmMain&) = delete;
    FrmMain& operator=(const FrmMain&) = delete;

    // Before the window is first shown: list, select all, tell when there is nothing.
    void Load();
    void OnAddClick();
    void OnSiteClick();
    void OnRetryTick();

    bool RunActive() const { return runActive_; }
    bool RetryPending() const { return retryPending_; }
    const PictureList& Pictures() const { return pictures_; }

private:
    void AddRun();
    void EnableControls();

    MainWindowParts parts_;
    PictureList pictures_;
    bool retryPending_ = false;
    bool runActive_ = false;
};

}  // namespace pimbrel
