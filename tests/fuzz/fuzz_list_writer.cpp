// Fuzzes the list file writer on any existing file, in the built-in code page or CP932: it
// writes whenever the name and the shortcut can be listed; the reader then gives the picture
// what was asked (nothing, for the empty text) and every other name what it had; and every
// line that is no entry for the picture is still there, in order, as it was.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "shortcuts/list_section.h"
#include "shortcuts/list_writer.h"
#include "shortcuts/listed_checks.h"
#include "text_fakes.h"

namespace {

using namespace pimbrel;

const char16_t* const kNames[] = {u"smile.gif", u"Wink.PNG", u"a.gif", u"b",
                                  u"表.gif",    u"ｘ.gif",   u"a - b", u"x-"};
const char16_t* const kShortcuts[] = {u"", u"(sm)", u":- )", u"x", u"(表)", u" x", u"a\tb", u"ｘ"};

// What the reader gives each name (lower-cased): its last entry.
std::map<std::u16string, std::u16string> Listed(const std::string& bytes) {
    testing::Entries entries;
    testing::ReadEntries(bytes, std::string::npos, entries);
    std::map<std::u16string, std::u16string> listed;
    for (const auto& [name, shortcut] : entries) listed[LowerCase(name)] = shortcut;
    return listed;
}

struct Line {
    std::string content;
    std::string end;
    bool operator==(const Line& other) const {
        return content == other.content && end == other.end;
    }
};

// The lines of the file that are no entries for the picture; `entries` counts the others.
std::vector<Line> OtherLines(const std::string& bytes, const std::u16string& lowerName,
                             std::size_t& entries) {
    std::vector<Line> lines;
    ListSection section;
    entries = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\r', at), bytes.size());
        std::size_t endSize = 0;
        if (end < bytes.size()) endSize = bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        Line line{bytes.substr(at, end - at), bytes.substr(end, endSize)};
        std::u16string text = FromAnsi(line.content), name, shortcut;
        if (section.Take(text, name, shortcut) == ListLine::Entry && LowerCase(name) == lowerName)
            ++entries;
        else
            lines.push_back(line);
        at = end + endSize;
    }
    return lines;
}

// Every old line in the new file, in order: the last old line may have gained a line end. The
// writer adds no other lines than a section's start and end, and empty ones where it removed
// entries.
bool Kept(const std::vector<Line>& before, const std::vector<Line>& after, std::size_t removed) {
    std::size_t matched = 0;
    std::size_t added = 0;
    for (const Line& line : after) {
        if (matched < before.size() &&
            (line == before[matched] || (matched + 1 == before.size() && before[matched].end.empty() &&
                                         line.content == before[matched].content))) {
            ++matched;
        } else if (line.content.empty() || line.content == "---List---" || line.content == "---") {
            ++added;
        } else {
            return false;
        }
    }
    return matched == before.size() && added <= 2 + removed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static testing::IconvCodePage cp932("CP932");
    if (size < 2) return 0;
    SetCodePage(data[0] & 0x80 ? &cp932 : nullptr);
    const std::u16string name = kNames[data[0] & 7];
    const std::u16string shortcut = kShortcuts[data[1] & 7];
    std::optional<std::string> file;
    if ((data[0] & 0x40) == 0) file.emplace(reinterpret_cast<const char*>(data + 2), size - 2);

    const std::optional<std::string> bytes = WithListedShortcut(file, name, shortcut);
    const bool listable = CheckListedName(name) == NameProblem::None &&
                          (shortcut.empty() || CheckListedShortcut(shortcut) == ShortcutProblem::None);
    if (bytes.has_value() != listable) std::abort();
    if (!bytes) return 0;

    const std::string before = file.value_or("");
    const std::u16string lowerName = LowerCase(name);
    std::map<std::u16string, std::u16string> wanted = Listed(before);
    if (shortcut.empty())
        wanted.erase(lowerName);
    else
        wanted[lowerName] = shortcut;
    if (Listed(*bytes) != wanted) std::abort();

    std::size_t entries = 0;
    std::size_t entriesAfter = 0;
    const std::vector<Line> kept = OtherLines(before, lowerName, entries);
    if (!Kept(kept, OtherLines(*bytes, lowerName, entriesAfter), entries)) std::abort();
    // One entry is added only where there was none; the empty text leaves none.
    if (entriesAfter != (shortcut.empty() ? 0 : std::max<std::size_t>(entries, 1))) std::abort();
    return 0;
}
