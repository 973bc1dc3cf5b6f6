// Entering the selected pictures into Messenger's create dialog, one after the other. Texts
// are characters until they are sent; they go out in the ANSI code page.
#pragma once
#include <string>
#include <vector>

#include "interfaces/toolkit.h"
#include "interfaces/window_system.h"
#include "messenger/messenger_calls.h"

namespace pimbrel {

struct PictureToEnter {
    std::u16string fileName;  // as the list shows it
    std::u16string pathText;  // the full path that Messenger is given
    bool selected = false;
};

// The shortcut tables of the run; both have one entry per picture and one spare.
struct ShortcutTables {
    std::vector<std::u16string>& autoShortcuts;
    std::vector<std::u16string>& listedShortcuts;
};

// How long to wait after confirming before looking for prompts: always the full 1001 pump
// passes, or only until the outcome shows (the create dialog gone, or a prompt over it).
// The prompts are answered the same either way.
enum class SettlingPause { Full, UntilOutcome };

// The name Messenger shows: the file name up to its first dot.
std::u16string EmoticonName(const std::u16string& fileName);

// What the prompts said about one selected picture.
enum class EntryOutcome {
    Stored,                  // taken with no prompt
    StoredAsReplacement,     // refused, then taken under the replacement shortcut
    LeftOut,                 // its shortcut exists and overwrite was clear
    Replaced,                // its shortcut existed and overwrite was ticked
    Refused,                 // refused again under the replacement: given up
};

struct PictureReport {
    std::size_t index;        // in the picture list
    EntryOutcome outcome;
    std::u16string replacement;  // the replacement shortcut, when one was sent
    std::u16string shortcut;     // the shortcut as sent first

    // The shortcut in the box when Messenger gave its last answer: the replacement once one
    // was sent. It is the one an overwrite prompt after a refusal is about.
    const std::u16string& LastSent() const { return replacement.empty() ? shortcut : replacement; }
};

// Told before each selected picture is entered and once it is done, and while Messenger keeps
// a text waiting; asked before each picture whether the run is to go on.
class EntryProgress : public TextWaitNotice {
public:
    // Picture `index` of the list goes in now; `ordinal` counts the selected pictures from 1,
    // `total` is how many are selected.
    virtual void Entering(std::size_t index, int ordinal, int total) = 0;
    virtual void Entered(const PictureReport& report) = 0;
    // True once the user has stopped the run: no further picture goes in.
    virtual bool StopAsked() = 0;
};

// What Messenger's window takes of a text sent to it: up to its first NUL, and with whatever
// the ANSI code page cannot hold as "?".
std::u16string SentForm(const std::u16string& text);

// The shortcut that goes into the shortcut box for picture `index`: its listed one when that
// has more than one character, else its automatic one.
const std::u16string& ChosenShortcut(const ShortcutTables& tables, std::size_t index);

// Enters every selected picture, or those before a stop; one report a picture entered, in
// list order.
std::vector<PictureReport> EnterPictures(WindowSystem& windows, Dialogs& dialogs,
                                         EntryProgress& progress, WindowHandle emoticonDlg,
                                         bool newClient,
                                         const std::vector<PictureToEnter>& pictures,
                                         ShortcutTables tables, int overwriteValue,
                                         SettlingPause pause);

}  // namespace pimbrel
