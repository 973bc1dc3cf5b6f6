// Writing one picture's shortcut into the list file: that picture's entries change, and every
// other byte of the file stays as it was.
#pragma once
#include <optional>
#include <string>

namespace pimbrel {

// The list file's bytes once picture `name` has `shortcut`, from its bytes now (`current`;
// none when there is no file).
// - A shortcut replaces the one of the picture's last entry (the one the reader keeps), in
//   that line alone; the name as the line spells it stays. Without an entry for the picture,
//   a new one goes after the last entry of the last list section, or after its start line;
//   without a section, a new one ("---List---", the entry, "---") goes at the end.
// - The empty text removes every entry for the picture: it goes back to its automatic
//   shortcut. Without one the bytes stay as they are (the empty text for no file).
// Names match without regard to case, as the reader matches them. New lines end as the file's
// lines do (CR LF where it has any, else CR where it has any, else CR LF). Texts go out in
// the ANSI code page. None when CheckListedName or CheckListedShortcut refuses.
std::optional<std::string> WithListedShortcut(const std::optional<std::string>& current,
                                              const std::u16string& name,
                                              const std::u16string& shortcut);

}  // namespace pimbrel
