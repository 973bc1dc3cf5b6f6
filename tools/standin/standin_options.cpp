// See standin_options.h.
#include "standin_options.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <utility>

namespace standin {

const char kUsage[] =
    "MessengerStandIn [--client older|newer] [--store FILE] [--journal FILE] [--ready FILE]\n"
    "  [--emoticon-delay MS] [--create-delay MS] [--edits-delay MS] [--prompt-delay MS]\n"
    "  [--quit-after N] [--never-open]\n"
    "  [--preexisting-dialog-buttons N] [--idle-windows N]\n"
    "  [--build-gap MS] [--minimised] [--reuse-create] [--hang-at-text K --hang-ms MS]\n";

namespace {

bool ToNumber(const std::string& text, long min, long max, long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return *end == '\0' && value >= min && value <= max;
}

}  // namespace

std::optional<StandInOptions> ParseArguments(const std::vector<std::string>& args,
                                             std::string& error) {
    StandInOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        const std::pair<const char*, bool*> flags[] = {
            {"--minimised", &options.model.minimised},
            {"--reuse-create", &options.model.reuseCreateDialog},
            {"--never-open", &options.model.neverOpenEmoticons}};
        const auto flag = std::find_if(std::begin(flags), std::end(flags),
                                       [&](const auto& known) { return name == known.first; });
        if (flag != std::end(flags)) {
            *flag->second = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = name.rfind("--", 0) == 0 ? name + " needs a value" : "unknown option " + name;
            return std::nullopt;
        }
        const std::string& value = args[++i];
        long number = 0;
        const auto delay = [&](std::uint32_t& field) {
            if (!ToNumber(value, 0, 3600000, number)) return false;
            field = static_cast<std::uint32_t>(number);
            return true;
        };
        bool ok = true;
        if (name == "--client") {
            ok = value == "older" || value == "newer";
            options.model.client = value == "newer" ? ClientKind::Newer : ClientKind::Older;
        } else if (name == "--store") {
            options.storeFile = value;
        } else if (name == "--journal") {
            options.journalFile = value;
        } else if (name == "--ready") {
            options.readyFile = value;
        } else if (name == "--emoticon-delay") {
            ok = delay(options.model.emoticonDelayMs);
        } else if (name == "--create-delay") {
            ok = delay(options.model.createDelayMs);
        } else if (name == "--edits-delay") {
            ok = delay(options.model.editsDelayMs);
        } else if (name == "--prompt-delay") {
            ok = delay(options.model.promptDelayMs);
        } else if (name == "--build-gap") {
            ok = delay(options.model.buildGapMs);
        } else if (name == "--hang-at-text") {
            ok = ToNumber(value, 1, 1000000, number);
            options.model.hangAtText = static_cast<std::uint32_t>(number);
        } else if (name == "--hang-ms") {
            ok = delay(options.model.hangMs);
        } else if (name == "--quit-after") {
            ok = ToNumber(value, 0, 1000000, number);
            options.model.quitAfterStored = static_cast<int>(number);
        } else if (name == "--preexisting-dialog-buttons") {
            ok = ToNumber(value, 0, 64, number);
            options.model.preexistingDialogButtons = static_cast<int>(number);
        } else if (name == "--idle-windows") {
            ok = ToNumber(value, 0, 5000, number);
            options.idleWindows = static_cast<int>(number);
        } else {
            error = "unknown option " + name;
            return std::nullopt;
        }
        if (!ok) {
            error = "bad value for " + name + ": " + value;
            return std::nullopt;
        }
    }
    return options;
}

std::vector<Emoticon> ParseStore(const std::string& content) {
    std::vector<Emoticon> store;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        Emoticon entry;
        const std::size_t first = line.find('\t');
        const std::size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
        entry.shortcut = line.substr(0, first);
        if (first != std::string::npos)
            entry.name = line.substr(first + 1, second == std::string::npos ? second
                                                                               : second - first - 1);
        if (second != std::string::npos) entry.path = line.substr(second + 1);
        store.push_back(entry);
    }
    return store;
}

std::string FormatStore(const std::vector<Emoticon>& store) {
    std::string out;
    for (const Emoticon& entry : store)
        out += entry.shortcut + "\t" + entry.name + "\t" + entry.path + "\r\n";
    return out;
}

std::string FormatJournalLine(const JournalEntry& entry) {
    // A text with a line break would split the line; show the breaks instead.
    std::string text;
    for (char c : entry.text) {
        if (c == '\n') text += "\\n";
        else if (c == '\r') text += "\\r";
        else if (c == '\t') text += "\\t";
        else text += c;
    }
    return std::string(RoleName(entry.role)) + "\t" + std::to_string(entry.message) + "\t" +
           std::to_string(entry.wParam) + "\t" + std::to_string(entry.lParam) + "\t" + text;
}

bool HasPictureMagic(const std::string& head) {
    const auto startsWith = [&](const char* magic, std::size_t size) {
        return head.size() >= size && head.compare(0, size, magic, size) == 0;
    };
    return startsWith("BM", 2) || startsWith("GIF87a", 6) || startsWith("GIF89a", 6) ||
           startsWith("\xFF\xD8\xFF", 3) || startsWith("\x89PNG\r\n\x1A\n", 8);
}

}  // namespace standin
