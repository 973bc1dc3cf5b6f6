// FindListIndex: the case-insensitive lookup of a listed name among the pictures.
#include "messenger/functions.h"
#include "shortcuts/code_page.h"

namespace pimbrel {

std::int32_t FindListIndex(const std::vector<std::u16string>& names, const std::u16string& text) {
    const std::u16string wanted = LowerCase(text);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (LowerCase(names[i]) == wanted) return static_cast<std::int32_t>(i);
    }
    return -1;
}

}  // namespace pimbrel
