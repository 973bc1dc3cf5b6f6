// Fuzzes the list file reader: any bytes, read in pieces of any size, give the same entries
// as one whole read, and every entry is cleaned (no CR, no tab, no space at either end).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "shortcuts/shortcuts.h"

namespace {

class PieceReader : public pimbrel::ByteReader {
public:
    PieceReader(const std::uint8_t* data, std::size_t size, std::size_t piece)
        : data_(data), size_(size), piece_(piece) {}
    long Read(char* buffer, std::size_t size) override {
        const std::size_t n = std::min({size, piece_, size_ - offset_});
        std::memcpy(buffer, data_ + offset_, n);
        offset_ += n;
        return static_cast<long>(n);
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t piece_;
    std::size_t offset_ = 0;
};

using Entries = std::vector<std::pair<std::u16string, std::u16string>>;

Entries ReadAll(const std::uint8_t* data, std::size_t size, std::size_t piece) {
    PieceReader reader(data, size, piece);
    Entries entries;
    if (pimbrel::ReadListEntries(reader, [&](const std::u16string& name,
                                             const std::u16string& s) {
            entries.emplace_back(name, s);
        }) != pimbrel::ListFileResult::Read) {
        std::abort();
    }
    return entries;
}

bool Clean(const std::u16string& text) {
    if (text.find_first_of(u"\r\t") != std::u16string::npos) return false;
    return text.empty() || (text.front() != u' ' && text.back() != u' ');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the piece size of the second read.
    const std::size_t piece = 1 + data[0] % 16;
    const Entries whole = ReadAll(data + 1, size - 1, size);
    if (ReadAll(data + 1, size - 1, piece) != whole) std::abort();
    for (const auto& [name, shortcut] : whole) {
        if (!Clean(name) || !Clean(shortcut)) std::abort();
    }
    return 0;
}
