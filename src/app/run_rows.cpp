// The Result column as a run goes: cleared where the run may enter a picture, the row in hand
// followed and marked, each row's outcome as soon as it is known. Only rows whose text
// changes are told, so that a long run costs the list two texts a picture.
#include "app/frm_main.h"

namespace pimbrel {

void FrmMain::ClearResults() {
    // A row the run does not reach then reads as it would after a run that left it out.
    outcomes_.assign(outcomes_.size(), std::nullopt);
    for (std::size_t i = 0; i < outcomes_.size(); ++i) ShowResult(i);
}

void FrmMain::PictureInHand(std::size_t index) {
    parts_.file1.Follow(static_cast<int>(index));
    inHand_ = index;
    ShowResult(index);
}

void FrmMain::PictureDone(const PictureReport& report) {
    outcomes_.at(report.index) = report;
    inHand_.reset();
    ShowResult(report.index);
}

void FrmMain::ForgetInHand() {
    if (!inHand_) return;
    const std::size_t index = *inHand_;
    inHand_.reset();
    ShowResult(index);
}

}  // namespace pimbrel
