// What a run shows of itself while it enters pictures: the caption "Pimbrel - adding I of N"
// and the taskbar button's progress, or "Pimbrel - waiting for MSN Messenger" and the
// progress paused while Messenger keeps a text waiting. Every box of the run goes through
// it, so that the caption reads as between runs ("Pimbrel", or "Pimbrel - maya") again before
// any box shows, whatever end the run takes.
#pragma once
#include <string>

#include "messenger/picture_entry.h"
#include "interfaces/toolkit.h"

namespace pimbrel {

class RunProgress : public Dialogs, public EntryProgress {
public:
    // `restingCaption`: the caption between runs, which the window reads again at the end.
    RunProgress(WindowFrame& frame, Dialogs& boxes, const std::string& restingCaption)
        : frame_(frame), boxes_(boxes), restingCaption_(restingCaption) {}
    // The ends without a box (a retry scheduled, a fault on its way out) end it here.
    ~RunProgress() override { End(); }

    void Entering(int ordinal, int total) override;
    void MessengerBusy() override;
    void MessengerAnswered() override;
    // The caption reads as between runs again and the taskbar shows no progress.
    void End();

    void ShowMessage(const std::string& text, const std::string& title,
                     MessageIcon icon) override;
    [[noreturn]] void EndProgram() override;

private:
    WindowFrame& frame_;
    Dialogs& boxes_;
    const std::string& restingCaption_;
    bool shown_ = false;
    int ordinal_ = 0;  // as last told by Entering
    int total_ = 0;
};

}  // namespace pimbrel
