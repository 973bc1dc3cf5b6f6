// The list file's rules for one line at a time: where a list section opens and ends, and what
// an entry inside it names. The reader and the writer of the file both follow them.
#pragma once
#include <string>

namespace pimbrel {

enum class ListLine {
    Outside,       // before any section, after a section's end, or a line that ends one
    SectionStart,  // exactly "---List---": opens a section (ending an open one)
    InSection,     // inside a section, but no entry
    Entry,         // inside a section, with "- " between a picture name and its shortcut
};

// Follows the sections of one file; give it the file's lines in order.
class ListSection {
public:
    // Takes the next line (its characters, without the line end). For an entry, sets `name`
    // and `shortcut` as the list means them: tabs removed, spaces trimmed at both ends. The
    // line may be taken apart on the way: a shortcut may be as long as the line.
    ListLine Take(std::u16string& line, std::u16string& name, std::u16string& shortcut);

private:
    bool inSection_ = false;
};

}  // namespace pimbrel
