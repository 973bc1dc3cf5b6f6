// The list file writer; see list_writer.h. The file is read line by line exactly as the reader
// reads it (line ends found on the bytes: CR, or CR LF; a lone LF belongs to its line), each
// line judged by the reader's own rules, so that only the picture's entries change. A line the
// writer makes is read back before it is used. Beside the file's bytes and the new ones it
// holds only the picture's entry lines.
#include "shortcuts/list_writer.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "shortcuts/code_page.h"
#include "shortcuts/list_section.h"
#include "shortcuts/listed_checks.h"

namespace pimbrel {
namespace {

struct Span {
    std::size_t begin;  // the line's first byte
    std::size_t end;    // just after its last byte, where its line end starts
    std::size_t next;   // just after its line end
};

// What the writer needs to know of the file.
struct Scan {
    std::vector<Span> entries;      // the picture's entry lines, in order
    std::u16string lastShortcut;    // the shortcut of the last of them, the one the reader keeps
    std::optional<Span> after;      // a new entry's place: after this line
    bool lastLineEnded = true;      // the file's last line has a line end (or there is none)
};

Scan ScanFile(const std::string& bytes, const std::u16string& lowerName) {
    Scan scan;
    ListSection section;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t cr = std::min(bytes.find('\r', at), bytes.size());
        const std::size_t next =
            cr == bytes.size() ? cr : cr + (bytes.compare(cr, 2, "\r\n") == 0 ? 2 : 1);
        const Span line{at, cr, next};
        std::u16string text = FromAnsi(bytes.substr(at, cr - at));
        std::u16string name;
        std::u16string shortcut;
        const ListLine kind = section.Take(text, name, shortcut);
        if (kind == ListLine::Entry && LowerCase(name) == lowerName) {
            scan.entries.push_back(line);
            scan.lastShortcut = std::move(shortcut);
        }
        // After the last section's last entry, or its start line where it has none.
        if (kind == ListLine::SectionStart || (scan.after && kind == ListLine::Entry))
            scan.after = line;
        scan.lastLineEnded = next > cr;
        at = next;
    }
    return scan;
}

// The line end of the writer's own lines: the file's, CR LF where it has none.
std::string NewLineEnd(const std::string& bytes) {
    if (bytes.find("\r\n") != std::string::npos) return "\r\n";
    return bytes.find('\r') != std::string::npos ? "\r" : "\r\n";
}

// Whether `content`, as a line inside a list section, is an entry that gives the picture
// exactly `shortcut`.
bool ReadsBack(const std::string& content, const std::u16string& lowerName,
               const std::u16string& shortcut) {
    if (content.find('\r') != std::string::npos) return false;
    ListSection section;
    std::u16string line = u"---List---";
    std::u16string name;
    std::u16string got;
    section.Take(line, name, got);
    line = FromAnsi(content);
    return section.Take(line, name, got) == ListLine::Entry && LowerCase(name) == lowerName &&
           got == shortcut;
}

class Writer {
public:
    Writer(const std::string& bytes, const std::u16string& name, const std::u16string& shortcut)
        : bytes_(bytes), name_(name), lowerName_(LowerCase(name)), shortcut_(shortcut),
          scan_(ScanFile(bytes, lowerName_)), end_(NewLineEnd(bytes)) {}

    std::string WithoutEntries() const {
        std::string out;
        out.reserve(bytes_.size());
        std::size_t kept = 0;  // where the bytes not yet copied start
        for (const Span& entry : scan_.entries) {
            out.append(bytes_, kept, entry.begin - kept);
            kept = entry.next;
            // A lone CR that ended the line before a removed one, and a LF that starts the
            // line after it, would now read as one line end: an empty line keeps them apart.
            if (!out.empty() && out.back() == '\r' && kept < bytes_.size() && bytes_[kept] == '\n')
                out += "\r\n";
        }
        out.append(bytes_, kept, std::string::npos);
        return out;
    }

    std::optional<std::string> WithShortcut() const {
        if (!scan_.entries.empty()) return Rewritten(scan_.entries.back());
        const std::optional<std::string> entry = NewEntry();
        if (!entry) return std::nullopt;
        if (scan_.after) return Inserted(*scan_.after, *entry);
        // No section: a new one at the end, ending as the file did.
        std::string out;
        out.reserve(bytes_.size() + entry->size() + 32);
        out = bytes_;
        if (!scan_.lastLineEnded) out += end_;
        out += "---List---" + end_ + *entry + end_ + "---";
        if (scan_.lastLineEnded) out += end_;
        return out;
    }

private:
    // The entry line `line` with the shortcut in place of its own; the name as the line
    // spells it, and the blanks after its "- ", stay.
    std::optional<std::string> Rewritten(const Span& line) const {
        if (scan_.lastShortcut == shortcut_) return bytes_;
        const std::string old = bytes_.substr(line.begin, line.end - line.begin);
        std::optional<std::string> content;
        const std::size_t split = old.find("- ");
        if (split != std::string::npos) {
            const std::size_t keep = std::min(old.find_first_not_of(" \t", split + 2), old.size());
            content = old.substr(0, keep) + ToAnsi(shortcut_);
        }
        // Bytes that do not decode as the reader decoded them: a new line in its place.
        if (!content || !ReadsBack(*content, lowerName_, shortcut_)) content = NewEntry();
        if (!content) return std::nullopt;
        return Spliced(line.begin, line.end, *content);
    }

    std::optional<std::string> NewEntry() const {
        const std::string content = ToAnsi(name_) + " - " + ToAnsi(shortcut_);
        if (!ReadsBack(content, lowerName_, shortcut_)) return std::nullopt;
        return content;
    }

    // The bytes with `entry` as a line of its own after `line`. After a last line without a
    // line end, that line gets one and the entry none, as the file had it.
    std::string Inserted(const Span& line, const std::string& entry) const {
        const bool ended = line.next > line.end;
        return Spliced(line.next, line.next, ended ? entry + end_ : end_ + entry);
    }

    // The bytes with those from `begin` to `end` replaced by `middle`.
    std::string Spliced(std::size_t begin, std::size_t end, const std::string& middle) const {
        std::string out;
        out.reserve(bytes_.size() - (end - begin) + middle.size());
        out.append(bytes_, 0, begin);
        out += middle;
        out.append(bytes_, end, std::string::npos);
        return out;
    }

    const std::string& bytes_;
    const std::u16string& name_;
    const std::u16string lowerName_;
    const std::u16string& shortcut_;
    const Scan scan_;
    const std::string end_;
};

}  // namespace

std::optional<std::string> WithListedShortcut(const std::optional<std::string>& current,
                                              const std::u16string& name,
                                              const std::u16string& shortcut) {
    if (CheckListedName(name) != NameProblem::None) return std::nullopt;
    if (!shortcut.empty() && CheckListedShortcut(shortcut) != ShortcutProblem::None)
        return std::nullopt;
    static const std::string kNoFile;
    const Writer writer(current ? *current : kNoFile, name, shortcut);
    if (shortcut.empty()) return writer.WithoutEntries();
    return writer.WithShortcut();
}

}  // namespace pimbrel
