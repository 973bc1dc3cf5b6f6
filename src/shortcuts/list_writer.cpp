// The list file writer; see list_writer.h. The file is taken apart into lines exactly as the
// reader takes it (line ends found on the bytes: CR, or CR LF; a lone LF belongs to its line)
// and each line is judged by the reader's own rules, so that only the picture's entries
// change. A line the writer makes is read back before it is used.
#include "shortcuts/list_writer.h"

#include <algorithm>
#include <vector>

#include "shortcuts/code_page.h"
#include "shortcuts/list_section.h"
#include "shortcuts/listed_checks.h"

namespace pimbrel {
namespace {

struct Line {
    std::size_t begin;  // its first byte
    std::size_t end;    // just after its last byte, where its line end starts
    std::size_t next;   // just after its line end
    ListLine kind;
    bool named;                // an entry for the picture
    std::u16string shortcut;   // the shortcut of that entry
};

std::vector<Line> LinesOf(const std::string& bytes, const std::u16string& lowerName) {
    std::vector<Line> lines;
    ListSection section;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t cr = std::min(bytes.find('\r', at), bytes.size());
        const std::size_t next =
            cr == bytes.size() ? cr : cr + (bytes.compare(cr, 2, "\r\n") == 0 ? 2 : 1);
        std::u16string text = FromAnsi(bytes.substr(at, cr - at));
        std::u16string name;
        std::u16string shortcut;
        const ListLine kind = section.Take(text, name, shortcut);
        const bool named = kind == ListLine::Entry && LowerCase(name) == lowerName;
        lines.push_back({at, cr, next, kind, named, named ? shortcut : std::u16string()});
        at = next;
    }
    return lines;
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
          lines_(LinesOf(bytes, lowerName_)), end_(NewLineEnd(bytes)) {}

    std::string WithoutEntries() const {
        std::string out;
        out.reserve(bytes_.size());
        for (const Line& line : lines_) {
            if (line.named) continue;
            // A lone CR that ended the line before a removed one, and a LF that starts the
            // line after it, would now read as one line end: an empty line keeps them apart.
            if (!out.empty() && out.back() == '\r' && line.end > line.begin &&
                bytes_[line.begin] == '\n')
                out += "\r\n";
            out.append(bytes_, line.begin, line.next - line.begin);
        }
        return out;
    }

    std::optional<std::string> WithShortcut() const {
        const auto last = std::find_if(lines_.rbegin(), lines_.rend(),
                                        [](const Line& line) { return line.named; });
        if (last != lines_.rend()) return Rewritten(*last);
        const std::optional<std::string> entry = NewEntry();
        if (!entry) return std::nullopt;
        const Line* after = nullptr;
        for (const Line& line : lines_) {
            if (line.kind == ListLine::SectionStart || (after && line.kind == ListLine::Entry))
                after = &line;
        }
        if (after) return Inserted(*after, *entry);
        // No section: a new one at the end.
        std::string out = bytes_;
        const bool ended = lines_.empty() || lines_.back().next > lines_.back().end;
        if (!ended) out += end_;
        out += "---List---" + end_ + *entry + end_ + "---";
        if (ended) out += end_;
        return out;
    }

private:
    // The entry line `line` with the shortcut in place of its own; the name as the line
    // spells it, and the blanks after its "- ", stay.
    std::optional<std::string> Rewritten(const Line& line) const {
        if (line.shortcut == shortcut_) return bytes_;
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
        return bytes_.substr(0, line.begin) + *content + bytes_.substr(line.end);
    }

    std::optional<std::string> NewEntry() const {
        const std::string content = ToAnsi(name_) + " - " + ToAnsi(shortcut_);
        if (!ReadsBack(content, lowerName_, shortcut_)) return std::nullopt;
        return content;
    }

    // The bytes with `entry` as a line of its own after `line`. After a last line without a
    // line end, that line gets one and the entry none, as the file had it.
    std::string Inserted(const Line& line, const std::string& entry) const {
        const bool ended = line.next > line.end;
        std::string out = bytes_.substr(0, line.next);
        if (!ended) out += end_;
        out += entry;
        if (ended) out += end_;
        out.append(bytes_, line.next, std::string::npos);
        return out;
    }

    const std::string& bytes_;
    const std::u16string& name_;
    const std::u16string lowerName_;
    const std::u16string& shortcut_;
    const std::vector<Line> lines_;
    const std::string end_;
};

}  // namespace

std::optional<std::string> WithListedShortcut(const std::optional<std::string>& current,
                                              const std::u16string& name,
                                              const std::u16string& shortcut) {
    if (CheckListedName(name) != NameProblem::None) return std::nullopt;
    if (!shortcut.empty() && CheckListedShortcut(shortcut) != ShortcutProblem::None)
        return std::nullopt;
    const std::string bytes = current.value_or(std::string());
    const Writer writer(bytes, name, shortcut);
    if (shortcut.empty()) return writer.WithoutEntries();
    return writer.WithShortcut();
}

}  // namespace pimbrel
