// The run's progress in the caption and on the taskbar; see run_progress.h.
#include "app/run_progress.h"

#include <exception>

#include "app/run_texts.h"
#include "shortcuts/characters.h"

namespace pimbrel {

void RunProgress::Entering(std::size_t index, int ordinal, int total) {
    ShowCount(ordinal, total);
    listener_.PictureInHand(index);
}

void RunProgress::ShowCount(int ordinal, int total) {
    frame_.SetCaption(Utf8(ProgressCaption(ordinal, total)));
    frame_.ShowProgress(ordinal - 1, total);
    shown_ = true;
    ordinal_ = ordinal;
    total_ = total;
}

void RunProgress::MessengerBusy() {
    frame_.SetCaption(kWaitingCaption);
    frame_.PauseProgress();
    shown_ = true;
    listener_.MessengerWaiting(true);
}

void RunProgress::MessengerAnswered() {
    listener_.MessengerWaiting(false);
    if (ordinal_ > 0) ShowCount(ordinal_, total_);
}

void RunProgress::End() {
    if (!shown_) return;
    shown_ = false;
    frame_.HideProgress();
    frame_.SetCaption(restingCaption_);
}

void RunProgress::ShowMessage(const std::string& text, const std::string& title,
                              MessageIcon icon) {
    End();
    boxes_.ShowMessage(text, title, icon);
}

void RunProgress::EndProgram() {
    boxes_.EndProgram();
    std::terminate();  // not reached; the compiler does not know it of a virtual call
}

}  // namespace pimbrel
