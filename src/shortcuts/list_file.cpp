// Reads the list section of the list file: one line in memory at a time. Line ends are
// found on the bytes, which is safe in every ANSI code page (no trail byte of a double-byte
// character is ever CR or LF); the section rules then work on the decoded characters.
#include <algorithm>
#include <utility>

#include "shortcuts/code_page.h"
#include "shortcuts/shortcuts.h"

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

class SectionReader {
public:
    explicit SectionReader(const ListEntryHandler& onEntry) : onEntry_(onEntry) {}

    // Takes the line's bytes; the caller starts the next line afresh.
    void HandleLine(std::string& bytes) {
        std::u16string line = FromAnsi(bytes);
        // A line may be megabytes long; its bytes are not needed any more.
        if (bytes.capacity() > kKeptCapacity) std::string().swap(bytes);
        const bool opens = line == kSectionStart;
        if (line.compare(0, 3, u"---") == 0) inSection_ = false;
        if (inSection_) {
            const std::size_t split = line.find(u"- ");
            if (split != std::u16string::npos) {
                const std::u16string name = Clean(line.substr(0, split));
                // The shortcut starts at the space of "- "; trimming removes it.
                line.erase(0, split + 1);
                onEntry_(name, Clean(std::move(line)));
            }
        }
        if (opens) inSection_ = true;
    }

private:
    static constexpr std::size_t kKeptCapacity = 64 * 1024;
    const ListEntryHandler& onEntry_;
    bool inSection_ = false;
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
