// frmMain's controls as data (name, kind, twips rectangle, caption, tab index), and the site link.
#pragma once
#include <array>
#include <string>

namespace pimbrel {

enum class ControlKind { Timer, CheckBox, PushButton, FileList, Label, Picture };

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct ControlSpec {
    const char* name;
    ControlKind kind;
    TwipsRect rect;       // from the client area's top left; all zero for the timer
    const char* caption;  // empty where the control shows no text of its own
    int tabIndex;         // -1: takes no focus
};

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

inline constexpr char kFilePatterns[] = "*.bmp;*.gif;*.jpg;*.jpeg;*.jpe;*.png";

// In the order the form lists them; the creating loop orders them by tab index.
const std::array<ControlSpec, 7>& MainWindowControls();
// The entry of that name; throws std::out_of_range for an unknown name.
const ControlSpec& MainWindowControl(const std::string& name);

// "http://<host>?fromapp=pimbrel"
std::string SiteAddress();
// EXPLORER "http://<host>?fromapp=pimbrel"
std::string SiteCommandLine();

// Twips to pixels at `dpi` dots per inch, rounded to the nearest pixel (15 twips = 1 px at 96).
int TwipsToPixels(int twips, int dpi);

}  // namespace pimbrel
