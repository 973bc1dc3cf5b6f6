// The texts that tell the user what a run is doing and what it did: the caption while it
// enters pictures, each list entry's tool tip and columns, and the account under the success
// message.
#pragma once
#include <string>
#include <vector>

#include "app/picture_check.h"
#include "messenger/picture_entry.h"

namespace pimbrel {

// The kind of text that names and shortcuts are held in; every text here is built from them.
using Text = std::u16string;

// "Pimbrel - adding 3 of 10"
Text ProgressCaption(int ordinal, int total);
// While Messenger keeps a text waiting.
inline constexpr char kWaitingCaption[] = "Pimbrel - waiting for MSN Messenger";

// The tool tip of a picture that no run has entered yet: the shortcut the next Add sends,
// whether it comes from the list file, and whether it is longer than Messenger takes.
Text PlannedToolTip(const Text& shortcut, bool listed);

// The tool tip of a picture that the last run entered: what became of it.
Text OutcomeToolTip(const PictureReport& report);

// The Shortcut column: the shortcut the next Add sends, whether it comes from the list file,
// and whether it is longer than Messenger takes.
Text ShortcutColumn(const Text& shortcut, bool listed);

// The Result column of a picture that the last run did not enter: why the list shows no
// picture, where it shows none for good; else empty.
Text PictureStateResult(PictureState state);

// The success message: its first line alone when every selected picture went in under the
// shortcut it was given; otherwise a blank line and an account of the others, one group
// per kind, each picture by its name (`names` in list order) with the shortcut concerned.
Text SuccessMessage(const std::vector<PictureReport>& reports, const std::vector<Text>& names);
// That account alone, with the blank line before it; empty when there is none.
Text RunAccount(const std::vector<PictureReport>& reports, const std::vector<Text>& names);

}  // namespace pimbrel
