// FindListIndex: the case-insensitive lookup of a listed name among the pictures.
#include "messenger/functions.h"
#include "shortcuts/code_page.h"

namespace pimbrel {

LowerCaseNames::LowerCaseNames(const std::vector<std::u16string>& names) {
    firstPosition_.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        // emplace keeps the earlier position when two names differ only in case
        firstPosition_.emplace(LowerCase(names[i]), static_cast<std::int32_t>(i));
    }
}

std::int32_t FindListIndex(const LowerCaseNames& list, const std::u16string& text) {
    const auto found = list.firstPosition_.find(LowerCase(text));
    return found == list.firstPosition_.end() ? -1 : found->second;
}

}  // namespace pimbrel
