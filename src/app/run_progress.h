// What a run shows of itself while it enters pictures: the caption "Pimbrel - adding I of N"
// and the taskbar button's progress, or "Pimbrel - waiting for MSN Messenger" and the
// progress paused while Messenger keeps a text waiting; and, through the window, the list's
// rows. Every box of the run goes through it, so that the caption reads as between runs
// ("Pimbrel", or "Pimbrel - maya") again before any box shows, whatever end the run takes.
#pragma once
#include <string>

#include "messenger/picture_entry.h"
#include "interfaces/toolkit.h"

namespace pimbrel {

// What the run tells the main window of its pictures as it goes, and asks it between them.
class RunListener {
public:
    virtual void PictureInHand(std::size_t index) = 0;
    virtual void PictureDone(const PictureReport& report) = 0;
    // Messenger keeps a text waiting (true), or has taken it (false).
    virtual void MessengerWaiting(bool waiting) = 0;
    virtual bool StopAsked() = 0;

protected:
    ~RunListener() = default;
};

// The Result of the row that a run is entering.
inline constexpr char16_t kInHandResult[] = u"Adding...";

class RunProgress : public Dialogs, public EntryProgress {
public:
    // `restingCaption`: the caption between runs, which the window reads again at the end.
    RunProgress(WindowFrame& frame, Dialogs& boxes, const std::string& restingCaption,
                RunListener& listener)
        : frame_(frame), boxes_(boxes), restingCaption_(restingCaption), listener_(listener) {}
    // The ends without a box (a retry scheduled, a fault on its way out) end it here.
    ~RunProgress() override { End(); }

    void Entering(std::size_t index, int ordinal, int total) override;
    void Entered(const PictureReport& report) override { listener_.PictureDone(report); }
    bool StopAsked() override { return listener_.StopAsked(); }
    void MessengerBusy() override;
    void MessengerAnswered() override;
    // The caption reads as between runs again and the taskbar shows no progress.
    void End();

    void ShowMessage(const std::string& text, const std::string& title,
                     MessageIcon icon) override;
    [[noreturn]] void EndProgram() override;

private:
    void ShowCount(int ordinal, int total);

    WindowFrame& frame_;
    Dialogs& boxes_;
    const std::string& restingCaption_;
    RunListener& listener_;
    bool shown_ = false;
    int ordinal_ = 0;  // as last told by Entering
    int total_ = 0;
};

}  // namespace pimbrel
