// The table of frmMain's controls and the site link's command line.
#include "app/main_window_layout.h"

#include <cstdint>
#include <stdexcept>

namespace pimbrel {

const ControlTable& MainWindowControls() {
    static const ControlTable controls = {{
        {"imgLogo", ControlKind::Picture, 104, {600, 0, 2610, 600}, "", Anchor::Stays},
        {"File1", ControlKind::FileList, 100, {120, 720, 2055, 1455}, "", Anchor::AcrossAndDown},
        {"cmdAdd", ControlKind::PushButton, 101, {2280, 840, 1575, 375}, "Add", Anchor::Right},
        // In Add's place, shown instead of it while there is a run to stop.
        {"cmdStop", ControlKind::PushButton, 107, {2280, 840, 1575, 375}, "Stop", Anchor::Right},
        {"cmdChoose", ControlKind::PushButton, 106, {2280, 1440, 1575, 375}, "Choose folder...",
         Anchor::Right},
        {"chkOverwrite", ControlKind::CheckBox, 102, {2280, 1920, 1575, 255}, "Overwrite",
         Anchor::Right},
        {"lblSite", ControlKind::Label, 103, {2760, 1200, 1095, 200}, kSiteHost, Anchor::Right},
        {"imgBack", ControlKind::StretchedPicture, 105, {0, 0, 3975, 600}, "", Anchor::Across},
        {"tmrRetry", ControlKind::Timer, 1, {0, 0, 0, 0}, "", Anchor::Stays},
    }};
    return controls;
}

const ControlSpec& MainWindowControl(const std::string& name) {
    for (const ControlSpec& control : MainWindowControls()) {
        if (name == control.name) return control;
    }
    throw std::out_of_range("no control named " + name);
}

std::string SiteAddress() { return std::string("http://") + kSiteHost + kSiteQuery; }

std::string SiteCommandLine() { return "EXPLORER \"" + SiteAddress() + "\""; }

int TwipsToPixels(int twips, int dpi) {
    // 64-bit product so that no size and resolution can overflow; halves round away from zero.
    const std::int64_t scaled = static_cast<std::int64_t>(twips) * dpi;
    const std::int64_t half = kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                        : -((-scaled + half) / kTwipsPerInch));
}

}  // namespace pimbrel
