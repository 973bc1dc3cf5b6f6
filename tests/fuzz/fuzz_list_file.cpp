// Fuzzes the list file reader: any bytes, read in pieces of any size, give the same entries
// as one whole read, and every entry is cleaned (no CR, no tab, no space at either end).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text_fakes.h"

namespace {

using pimbrel::testing::Entries;

Entries ReadAll(const std::uint8_t* data, std::size_t size, std::size_t piece) {
    Entries entries;
    if (pimbrel::testing::ReadEntries(std::string(reinterpret_cast<const char*>(data), size),
                                      piece, entries) != pimbrel::ListFileResult::Read)
        std::abort();
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
