// The Add run: every stage in its fixed order, and its ends.
#include "app/frm_main.h"
#include "app/picture_folder.h"
#include "app/run_progress.h"
#include "app/run_texts.h"
#include "app/shortcut_plan.h"
#include "messenger/emoticon_dialog.h"
#include "messenger/functions.h"
#include "messenger/messenger_calls.h"
#include "messenger/picture_entry.h"
#include "interfaces/run_lock.h"
#include "shortcuts/characters.h"
#include "shortcuts/shortcuts.h"

namespace pimbrel {

namespace {

constexpr std::uint32_t kRetryDelay = 1000;
constexpr std::uint32_t kNewerClientClosingPause = 250;
constexpr char kOtherRunActive[] =
    "Another Pimbrel window is adding emoticons. Press Add again when it has finished.";
constexpr char kHigherRights[] =
    "MSN Messenger runs with higher rights than Pimbrel, so it does not take Pimbrel's "
    "commands. Start Pimbrel the same way as Messenger (for example, also as administrator) "
    "and press Add again.";

class GuardCounter : public PassCounter {
public:
    explicit GuardCounter(Dialogs& dialogs) : dialogs_(dialogs) {}
    void CountPass() override { CheckLoop(dialogs_); }

private:
    Dialogs& dialogs_;
};

}  // namespace

// A Messenger that refuses the run's posts ends it wherever it is: nothing more can reach
// Messenger, and the retry or the guard would only tell the user something untrue.
void FrmMain::AddRun() try {
    runActive_ = true;
    struct RunFlag {
        bool& flag;
        ~RunFlag() { flag = false; }
    } runFlag{runActive_};
    // Every box of the run goes through `progress`: the caption reads as between runs again
    // before any box shows, and when the run ends without one.
    RunProgress progress(parts_.frame, parts_.dialogs, caption_, *this);
    stop_ = RunStop();
    plan_.reset();  // the run reads the list file afresh; so will the next tool tip

    const auto count = static_cast<std::int32_t>(pictures_.entries.size());
    std::vector<std::u16string> autoShortcuts(count + 1);
    loopCount = 0;
    loopLimit = LoopBudget(count);
    SwitchControls(false);
    std::vector<std::u16string> listedShortcuts(count + 1);

    const std::vector<std::u16string> names = PictureNames(pictures_);
    std::string problem;
    if (!ReadListedShortcuts(parts_.files, pictures_, names, listedShortcuts, problem)) {
        // Going on with automatic shortcuts would silently ignore the user's list.
        progress.ShowMessage(problem, kProgramTitle, MessageIcon::Stop);
        EnableControls();
        return;
    }
    held_.ApplyTo(listedShortcuts);  // typed where the list file could not take them

    std::u16string usedShortcuts;
    GuardCounter counter(progress);
    AssignShortcuts(names, autoShortcuts, usedShortcuts, counter);

    const RunLockHold lock(parts_.runLock);
    if (!lock.Held()) {
        progress.ShowMessage(kOtherRunActive, kProgramTitle, MessageIcon::None);
        EnableControls();
        return;
    }
    MessengerWindows messenger = FindMessengerWindows(parts_.windows);
    if (messenger.mainWnd == 0) {
        progress.ShowMessage("Please open your MSN Messenger main screen first.", kProgramTitle,
                             MessageIcon::None);
        EnableControls();
        return;
    }

    parts_.cmdStop.SetEnabled(true);  // from here on the run waits, and Stop can be pressed
    const EmoticonDialogOutcome outcome =
        OpenEmoticonDialog(parts_.windows, progress, messenger, retryPending_, [this] {
            if (stop_.asked) return;  // the wait ends here all the same, with no retry
            retryPending_ = true;
            loopCount = 0;
            parts_.windows.PumpEvents();
            parts_.tmrRetry.SetInterval(kRetryDelay);
            retryArmed_ = true;
        });
    if (outcome == EmoticonDialogOutcome::RetryScheduled && !stop_.asked) return;

    std::vector<PictureToEnter> pictures;
    pictures.reserve(pictures_.entries.size());
    std::size_t selected = 0;
    for (std::size_t i = 0; i < pictures_.entries.size(); ++i) {
        const Picture& picture = pictures_.entries[i];
        pictures.push_back({picture.name, PicturePath(pictures_, picture),
                            parts_.file1.IsSelected(static_cast<int>(i))});
        selected += pictures.back().selected ? 1 : 0;
    }
    std::vector<PictureReport> reports;
    // Otherwise a stop has ended the wait where a retry would have been: there is no dialog.
    if (outcome == EmoticonDialogOutcome::Found) {
        ClearResults();
        reports = EnterPictures(parts_.windows, progress, progress, messenger.emoticonDlg,
                                messenger.newClient, pictures,
                                ShortcutTables{autoShortcuts, listedShortcuts},
                                parts_.chkOverwrite.Value(), parts_.settlingPause);
        ShowColumns();  // behind the box: the shortcuts as the run read them

        if (messenger.newClient) {
            parts_.windows.PumpEvents();
            parts_.windows.SleepFor(kNewerClientClosingPause);
            parts_.windows.PumpEvents();
        }
        PostCommand(parts_.windows, messenger.emoticonDlg, contract::kCloseEmoticons);
    }
    stop_.messengerDone = true;
    parts_.cmdStop.SetEnabled(false);
    // A stop that came after the last picture has left none out.
    const bool stopped =
        outcome != EmoticonDialogOutcome::Found || reports.size() < selected;
    if (stop_.closing)
        progress.End();  // the window goes, with no box
    else
        progress.ShowMessage(Utf8(stopped ? StoppedMessage(reports, selected, names)
                                          : SuccessMessage(reports, names)),
                             kProgramTitle, MessageIcon::None);
    EnableControls();
    retryPending_ = false;
} catch (const MessengerOutOfReach&) {
    // The run's progress has ended as the run unwound: the caption reads "Pimbrel" again.
    ForgetInHand();
    parts_.cmdStop.SetEnabled(false);
    parts_.dialogs.ShowMessage(kHigherRights, kProgramTitle, MessageIcon::Stop);
    EnableControls();
}

void FrmMain::SwitchControls(bool enabled) {
    parts_.cmdAdd.SetEnabled(enabled);
    parts_.chkOverwrite.SetEnabled(enabled);
    parts_.file1.SetEnabled(enabled);
    // No other folder while a run needs this one's list.
    parts_.cmdChoose.SetEnabled(enabled);
    controlsEnabled_ = enabled;
}

}  // namespace pimbrel
