// Stop, Esc and closing the window during a run, and the stopped run's box; see run_stop.h.
#include "app/run_stop.h"

#include <string>

#include "app/frm_main.h"
#include "shortcuts/characters.h"

namespace pimbrel {

namespace {

constexpr std::uint32_t kTimerStopped = 0;

Text Ascii(const std::string& text) { return Text(text.begin(), text.end()); }

}  // namespace

Text StoppedMessage(const std::vector<PictureReport>& reports, std::size_t selected,
                    const std::vector<Text>& names) {
    if (reports.empty()) return Ascii("Adding was stopped before the first picture.");
    return Ascii("Adding was stopped after " + std::to_string(reports.size()) + " of the " +
                 std::to_string(selected) + " selected pictures.") +
           RunAccount(reports, names);
}

void FrmMain::OnStopClick() {
    if (runActive_) {
        stop_.asked = true;  // taken once the picture in hand is done
        return;
    }
    if (!retryArmed_) return;
    // The retry is called off before its run begins: Messenger has had only the open command.
    parts_.tmrRetry.SetInterval(kTimerStopped);
    retryArmed_ = false;
    parts_.cmdStop.SetEnabled(false);
    parts_.dialogs.ShowMessage(Utf8(StoppedMessage({}, 0, {})), kProgramTitle,
                               MessageIcon::None);
    EnableControls();
    // As after a run that ended: the next Add may retry once again.
    retryPending_ = false;
}

CloseAnswer FrmMain::OnClose() {
    if (!runActive_) return CloseAnswer::Now;
    if (stop_.messengerWaiting || stop_.messengerDone) return CloseAnswer::AtOnce;
    stop_.asked = true;
    stop_.closing = true;
    return CloseAnswer::AfterRun;
}

}  // namespace pimbrel
