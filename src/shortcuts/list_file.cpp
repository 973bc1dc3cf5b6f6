// Reads the list section of the list file: one line in memory at a time. Line ends are
// found on the bytes, which is safe in every ANSI code page (no trail byte of a double-byte
// character is ever CR or LF); the section rules then work on the decoded characters.
#include <algorithm>

#include "shortcuts/code_page.h"
#include "shortcuts/list_section.h"
#include "shortcuts/shortcuts.h"

namespace pimbrel {
namespace {

class SectionReader {
public:
    explicit SectionReader(const ListEntryHandler& onEntry) : onEntry_(onEntry) {}

    // Takes the line's bytes; the caller starts the next line afresh.
    void HandleLine(std::string& bytes) {
        std::u16string line = FromAnsi(bytes);
        // A line may be megabytes long; its bytes are not needed any more.
        if (bytes.capacity() > kKeptCapacity) std::string().swap(bytes);
        std::u16string name;
        std::u16string shortcut;
        if (section_.Take(line, name, shortcut) == ListLine::Entry) onEntry_(name, shortcut);
    }

private:
    static constexpr std::size_t kKeptCapacity = 64 * 1024;
    const ListEntryHandler& onEntry_;
    ListSection section_;
};

}  // namespace

ListFileResult ReadListEntries(ByteReader& reader, const ListEntryHandler& onEntry) {
    SectionReader section(onEntry);
    std::string line;
    bool lineOpen = false;     // bytes (or nothing) read since the last line end
    bool afterCr = false;      // a LF right after a CR belongs to that line end
    char buffer[64 * 1024];
    for (;;) {
        const long got = reader.Read(buffer, sizeof buffer);
        if (got < 0) return ListFileResult::ReadError;
        if (got == 0) break;
        const char* p = buffer;
        const char* const end = buffer + std::min<long>(got, sizeof buffer);
        if (afterCr && *p == '\n') ++p;
        afterCr = false;
        while (p < end) {
            const char* cr = std::find(p, end, '\r');
            line.append(p, cr);
            lineOpen = true;
            if (cr == end) break;
            section.HandleLine(line);
            line.clear();
            lineOpen = false;
            p = cr + 1;
            if (p == end) {
                afterCr = true;
            } else if (*p == '\n') {
                ++p;
            }
        }
    }
    if (lineOpen) section.HandleLine(line);
    return ListFileResult::Read;
}

}  // namespace pimbrel
