// Picture folders given, dropped or chosen; see chosen_folder.h.
#include "app/chosen_folder.h"

#include "app/frm_main.h"
#include "app/picture_folder.h"
#include "shortcuts/characters.h"
#include "shortcuts/code_page.h"

namespace pimbrel {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::size_t SkipBlanks(const std::u16string& text, std::size_t at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    return at;
}

// From `at`, a quoted text to its closing quote (or the end), or else a text to the next
// blank; `at` ends past it.
std::u16string Argument(const std::u16string& text, std::size_t& at) {
    const bool quoted = at < text.size() && text[at] == u'"';
    const std::size_t start = quoted ? at + 1 : at;
    std::size_t end = start;
    while (end < text.size() && (quoted ? text[end] != u'"' : !IsBlank(text[end]))) ++end;
    at = end < text.size() && quoted ? end + 1 : end;
    return text.substr(start, end - start);
}

}  // namespace

std::vector<std::u16string> CommandLinePaths(const std::u16string& commandLine) {
    std::size_t at = SkipBlanks(commandLine, 0);
    Argument(commandLine, at);  // the program itself
    at = SkipBlanks(commandLine, at);
    if (at == commandLine.size()) return {};
    std::vector<std::u16string> paths;
    if (commandLine[at] != u'"') {
        std::size_t end = commandLine.size();
        while (IsBlank(commandLine[end - 1])) --end;
        paths.push_back(commandLine.substr(at, end - at));
    }
    const std::u16string first = Argument(commandLine, at);
    if (paths.empty() || paths.front() != first) paths.push_back(first);
    return paths;
}

const std::u16string& PathToOpen(FileSystem& files, const std::vector<std::u16string>& paths) {
    for (const std::u16string& path : paths)
        if (files.Look(path).kind != PathKind::Missing) return path;
    return paths.front();
}

std::optional<PictureList> ReadPictureFolder(FileSystem& files, const std::u16string& path,
                                             std::string& problem) {
    const PathLook look = files.Look(path);
    FolderName folder{look.fullPath.empty() ? path : look.fullPath, {}};
    if (look.kind == PathKind::Missing) {
        problem = "The folder " + Utf8(folder.text) + " does not exist.";
        return std::nullopt;
    }
    if (look.kind == PathKind::File) {
        const std::size_t slash = folder.text.find_last_of(u'\\');
        // A file at a drive's root lies in the root, which keeps its backslash.
        folder.text.resize(slash == std::u16string::npos ? 0 : slash);
        if (folder.text.size() == 2 && folder.text[1] == u':') folder.text += u'\\';
    }
    if (!CodePageHolds(folder.text)) folder.shortText = files.ShortPath(folder.text);
    std::string error;
    const auto entries = files.ListFolder(folder.text, error);
    if (!entries) {
        problem = "The folder " + Utf8(folder.text) + " could not be opened: " + error;
        return std::nullopt;
    }
    return PicturesOf(folder, *entries);
}

std::string FolderCaption(const FolderName& folder) {
    const std::size_t slash = folder.text.find_last_of(u'\\');
    const bool root = slash == std::u16string::npos || slash + 1 == folder.text.size();
    return std::string(kProgramTitle) + " - " +
           Utf8(root ? folder.text : folder.text.substr(slash + 1));
}

}  // namespace pimbrel
