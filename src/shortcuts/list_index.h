// Name lookup in the picture list built once per run: same answers as FindListIndex
// (first position whose lower-case form matches), without a scan per listed entry.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace pimbrel {

class ListIndex {
public:
    explicit ListIndex(const std::vector<std::u16string>& names);
    // Position of the first name equal to `text` when both are lower-cased, or -1.
    std::int32_t Find(const std::u16string& text) const;

private:
    std::unordered_map<std::u16string, std::int32_t> firstPosition_;
};

}  // namespace pimbrel
