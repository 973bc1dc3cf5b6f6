// Lower-cased name to first position, for the list file's lookups.
#include "shortcuts/list_index.h"

#include "shortcuts/code_page.h"

namespace pimbrel {

ListIndex::ListIndex(const std::vector<std::u16string>& names) {
    firstPosition_.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        // emplace keeps the earlier position when two names differ only in case
        firstPosition_.emplace(LowerCase(names[i]), static_cast<std::int32_t>(i));
    }
}

std::int32_t ListIndex::Find(const std::u16string& text) const {
    const auto found = firstPosition_.find(LowerCase(text));
    return found == firstPosition_.end() ? -1 : found->second;
}

}  // namespace pimbrel
