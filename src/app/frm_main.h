// frmMain's logic: the load step, the four events and the Add run, over toolkit interfaces.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/in_place_edit.h"
#include "app/picture_check.h"
#include "app/picture_list.h"
#include "app/run_progress.h"
#include "app/run_stop.h"
#include "messenger/picture_entry.h"
#include "interfaces/file_system.h"
#include "interfaces/run_lock.h"
#include "interfaces/toolkit.h"
#include "interfaces/window_system.h"

namespace pimbrel {

inline constexpr char kProgramTitle[] = "Pimbrel";

// Everything frmMain talks to; the Win32 window or the tests' doubles provide it.
struct MainWindowParts {
    FileListControl& file1;
    Switchable& cmdAdd;
    Switchable& cmdStop;  // enabled while there is a run or a retry to stop
    Switchable& cmdChoose;
    CheckBoxControl& chkOverwrite;
    RetryTimer& tmrRetry;
    WindowFrame& frame;
    Dialogs& dialogs;
    PictureReader& reader;
    FolderPicker& picker;
    ProgramStarter& starter;
    FileSystem& files;
    WindowSystem& windows;
    RunLock& runLock;
    // The full pause is kept for the benchmark that shows what ending it early saves.
    SettlingPause settlingPause = SettlingPause::UntilOutcome;
};

struct ShortcutPlan;

class FrmMain : private RunListener {
public:
    FrmMain(const MainWindowParts& parts, FolderName pictureFolder);
    ~FrmMain();
    FrmMain(const FrmMain&) = delete;
    FrmMain& operator=(const FrmMain&) = delete;

    // Before the window is first shown: list, select all, tell when there is nothing.
    void Load();
    // Before the window is first shown: the load step for the folder that the command line
    // names (see CommandLinePaths), else for the program's own folder.
    void Start(const std::u16string& commandLine);
    // The load step afresh for the folder that `path` names, or that holds the file it names,
    // dropped or chosen; the caption names it. A folder that does not exist or cannot be read
    // gets a box that says so, and the list stays as it was. Refused while the controls are
    // off for a run. True when the folder was opened.
    bool OpenFolder(const std::u16string& path);
    void OnAddClick();
    void OnChooseClick();
    void OnSiteClick();
    void OnRetryTick();
    // Stop or Esc: the run ends once the picture in hand is done; a retry is called off.
    void OnStopClick();
    // The window is being closed; during a run, this stops it as Stop does, without a box.
    CloseAnswer OnClose();
    // The window has been drawn for the first time: now the Shortcut column, which reads the
    // list file and works out every shortcut, so that a thousand pictures do not hold the
    // window back.
    void OnShown();
    // The window is active again: the user may have changed the list file meanwhile.
    void OnActivated();
    // The list has read the picture of entry `index` (Shown), or found it cannot show it.
    void OnPictureRead(int index, PictureState state);

    // The tool tip of the list's entry `index`: what the last run did with the picture, or
    // else the shortcut the next Add would send. Empty for an index outside the list.
    std::u16string EntryToolTip(int index);

    // A box over the Shortcut cell of row `index` (F2, a double click): whether it opens, and
    // with which text. Not while a run needs the list (in_place_edit.cpp).
    ShortcutEditOpening BeginShortcutEdit(int index);
    // The box's text once it is left: kept in Readme.txt (or held for this window where the
    // file cannot be written), refused with a reason, or nothing when it is unchanged.
    ShortcutEditClosing EndShortcutEdit(const std::u16string& typed, EditEnding ending);
    // Esc: the shortcut stays as it was.
    void CancelShortcutEdit() { editing_.reset(); }

    bool RunActive() const { return runActive_; }
    bool RetryPending() const { return retryPending_; }
    const PictureList& Pictures() const { return pictures_; }

private:
    void AddRun();
    void SwitchControls(bool enabled);
    void EnableControls() { SwitchControls(true); }
    // The load step's list, select all and box, for `pictures`.
    void ShowPictures(PictureList pictures);
    ShortcutPlan& Plan();
    // Tells the list the texts of every row that shows other ones now.
    void ShowColumns();
    void ShowResult(std::size_t index);
    std::u16string ResultText(std::size_t index) const;
    // The Result column as a run goes: cleared for the run, a row in hand, a row done.
    void ClearResults();
    void PictureInHand(std::size_t index) override;
    void PictureDone(const PictureReport& report) override;
    void MessengerWaiting(bool waiting) override { stop_.messengerWaiting = waiting; }
    bool StopAsked() override { return stop_.asked; }
    // The row in hand shows its outcome, or nothing when a fault ended the run inside it.
    void ForgetInHand();

    MainWindowParts parts_;
    PictureList pictures_;
    // Worked out when a tool tip first needs it, and again after anything that may change it.
    std::unique_ptr<ShortcutPlan> plan_;
    // Per entry, what the last run that entered pictures did with it.
    std::vector<std::optional<PictureReport>> outcomes_;
    std::vector<PictureState> pictureStates_;
    // What the list's rows show, so that it is told only what changes.
    std::vector<std::u16string> shownShortcuts_;
    std::vector<std::u16string> shownResults_;
    // "Pimbrel", or "Pimbrel - maya" once a folder was given, dropped or chosen; the caption
    // between runs.
    std::string caption_ = kProgramTitle;
    bool shown_ = false;
    bool controlsEnabled_ = true;
    bool retryPending_ = false;
    bool runActive_ = false;
    bool retryArmed_ = false;  // the retry timer is set
    RunStop stop_;
    std::optional<std::size_t> inHand_;  // the row a run is entering
    // The row whose box is open, and the text it opened with.
    struct OpenEdit {
        std::size_t index;
        std::u16string opened;
    };
    std::optional<OpenEdit> editing_;
    HeldShortcuts held_;
};

}  // namespace pimbrel
