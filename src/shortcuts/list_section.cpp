// The list file's line rules; see list_section.h.
#include "shortcuts/list_section.h"

#include <algorithm>
#include <utility>

namespace pimbrel {
namespace {

const char16_t kSectionStart[] = u"---List---";

// Tabs go anywhere, then spaces at both ends; spaces and tabs inside otherwise stay.
// Works in place: a shortcut may be as long as the line.
std::u16string Clean(std::u16string text) {
    text.erase(std::remove(text.begin(), text.end(), u'\t'), text.end());
    text.erase(0, std::min(text.find_first_not_of(u' '), text.size()));
    const std::size_t last = text.find_last_not_of(u' ');
    text.erase(last == std::u16string::npos ? 0 : last + 1);
    return text;
}

}  // namespace

ListLine ListSection::Take(std::u16string& line, std::u16string& name,
                           std::u16string& shortcut) {
    if (line == kSectionStart) {
        inSection_ = true;
        return ListLine::SectionStart;
    }
    if (line.compare(0, 3, u"---") == 0) inSection_ = false;
    if (!inSection_) return ListLine::Outside;
    const std::size_t split = line.find(u"- ");
    if (split == std::u16string::npos) return ListLine::InSection;
    name = Clean(line.substr(0, split));
    // The shortcut starts at the space of "- "; trimming removes it.
    line.erase(0, split + 1);
    shortcut = Clean(std::move(line));
    return ListLine::Entry;
}

}  // namespace pimbrel
