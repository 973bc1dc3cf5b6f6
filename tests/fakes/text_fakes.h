// Texts and bytes for the native tests, benchmarks and fuzz targets: Windows' ANSI code
// pages, files read in pieces, and a count of numbering steps.
#pragma once
#include <iconv.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "shortcuts/byte_reader.h"
#include "shortcuts/characters.h"
#include "shortcuts/code_page.h"
#include "shortcuts/shortcuts.h"

namespace pimbrel::testing {

// Windows' ANSI code pages through glibc's iconv (CP1252, CP932, CP936, CP949, CP950), with
// letter case from the C.UTF-8 locale, so that rows run with the real byte sequences.
// Installs itself for as long as it lives.
class IconvCodePage : public CodePage {
public:
    explicit IconvCodePage(const std::string& name);
    ~IconvCodePage() override;

    std::string Encode(const std::u16string& text, bool& exact) const override;
    std::u16string Decode(const std::string& bytes) const override;
    void ToUpper(std::u16string& text) const override;
    void ToLower(std::u16string& text) const override;

private:
    iconv_t encoder_;
    iconv_t decoder_;
};

// A test text given in UTF-8, as literals are; Utf8 is the way back.
std::u16string U16(const std::string& utf8);

// The bytes of `content` in pieces of at most `piece` bytes, failing once `failAt` bytes
// have been read.
std::unique_ptr<ByteReader> ReaderOf(std::string content, std::size_t piece = std::string::npos,
                                     std::size_t failAt = std::string::npos);

// Every (name, shortcut) entry the list file reader finds in `content`, read in pieces of
// at most `piece` bytes.
using Entries = std::vector<std::pair<std::u16string, std::u16string>>;
ListFileResult ReadEntries(std::string content, std::size_t piece, Entries& entries);

class CountingPasses : public PassCounter {
public:
    void CountPass() override { ++passes; }
    void CountPasses(std::uint32_t count) override { passes += count; }
    std::uint64_t passes = 0;
};

// What an assignment stage (AssignShortcuts or AssignShortcutsLiteral) makes of the names:
// the table with its spare entry, the used-shortcut lines and the numbering steps.
struct Assigned {
    std::vector<std::u16string> table;
    std::u16string used;
    std::uint64_t passes = 0;
    bool operator==(const Assigned& other) const {
        return table == other.table && used == other.used && passes == other.passes;
    }
};

template <typename Stage>
Assigned Assign(Stage stage, const std::vector<std::u16string>& names) {
    Assigned out{std::vector<std::u16string>(names.size() + 1), u"", 0};
    CountingPasses counter;
    stage(names, out.table, out.used, counter);
    out.passes = counter.passes;
    return out;
}

}  // namespace pimbrel::testing
