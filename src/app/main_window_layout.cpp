// The table of frmMain's controls and the site link's command line.
#include "app/main_window_layout.h"

#include <cstdint>
#include <stdexcept>

namespace pimbrel {

const std::array<ControlSpec, 7>& MainWindowControls() {
    static const std::array<ControlSpec, 7> controls = {{
        {"tmrRetry", ControlKind::Timer, {0, 0, 0, 0}, "", -1},
        {"chkOverwrite", ControlKind::CheckBox, {2280, 1920, 1575, 255}, "Overwrite", 2},
        {"cmdAdd", ControlKind::PushButton, {2280, 840, 1575, 375}, "Add", 1},
        {"File1", ControlKind::FileList, {120, 720, 2055, 1455}, "", 0},
        {"lblSite", ControlKind::Label, {2760, 1200, 1095, 200}, kSiteHost, 3},
        {"imgLogo", ControlKind::Picture, {600, 0, 2610, 600}, "", -1},
        {"imgBack", ControlKind::Picture, {0, 0, 3975, 600}, "", -1},
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
