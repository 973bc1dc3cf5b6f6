// frmMain's controls as data (name, kind, id, twips rectangle, caption), and the site link.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace pimbrel {

// A picture shows its bitmap at the bitmap's own size; a stretched one fills the control.
enum class ControlKind { Timer, CheckBox, PushButton, FileList, Label, Picture, StretchedPicture };

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// What a control does as the window grows beyond its smallest size, which is the one the
// table gives: stays put, moves with the right edge, or takes the room gained across, or
// across and down.
enum class Anchor { Stays, Right, Across, AcrossAndDown };

struct ControlSpec {
    const char* name;
    ControlKind kind;
    std::uint16_t id;     // the window's id of the control; for the timer, the timer's
    TwipsRect rect;       // from the client area's top left; all zero for the timer
    const char* caption;  // empty where the control shows no text of its own
    Anchor anchor;
};

// The client area the window opens with, which is also its smallest.
inline constexpr int kClientWidthTwips = 3975;
inline constexpr int kClientHeightTwips = 2265;
inline constexpr int kTwipsPerInch = 1440;

// The maker's web site: the label shows the host, the link opens it with our query.
inline constexpr char kSiteHost[] = "pimbrel.net";
inline constexpr char kSiteQuery[] = "?fromapp=pimbrel";
inline constexpr char kSiteToolTip[] =
    "Download emoticons for this application or other tools created by me.";
// The Windows folder's explorer opens the address in the browser; show style minimised with
// the focus.
inline constexpr char kSiteProgram[] = "explorer.exe";
inline constexpr int kSiteShowStyle = 2;

// Front to back: the window makes them in this order, which puts each behind the ones before
// it and makes the order of those that take the focus (list, buttons, check box) the tab
// order. The timer, last, is no window.
using ControlTable = std::array<ControlSpec, 9>;
const ControlTable& MainWindowControls();
// The entry of that name; throws std::out_of_range for an unknown name.
const ControlSpec& MainWindowControl(const std::string& name);

// What the list shows in itself while it has no rows.
inline constexpr char16_t kEmptyListHint[] =
    u"No pictures here.\r\n\r\nDrop a folder of pictures on this window, or press "
    u"Choose folder... to pick one.";

// "http://<host>?fromapp=pimbrel"
std::string SiteAddress();
// EXPLORER "http://<host>?fromapp=pimbrel"
std::string SiteCommandLine();

// Twips to pixels at `dpi` dots per inch, rounded to the nearest pixel (15 twips = 1 px at 96).
int TwipsToPixels(int twips, int dpi);

}  // namespace pimbrel
