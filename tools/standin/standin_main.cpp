// MessengerStandIn: takes Messenger's place beside the program under test, with the
// client's windows, its store file and a journal of every message it got.
#include <windows.h>

#include <cstdio>
#include <algorithm>
#include <fstream>
#include <sstream>

#include "standin_options.h"
#include "win32_host.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool WriteFileAtomically(const std::string& path, const std::string& content) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << content;
        if (!out.flush()) return false;
    }
    return MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

// The client's own check of a picture: the file opens and begins like a picture.
bool IsPicture(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char head[8] = {};
    DWORD read = 0;
    const BOOL ok = ::ReadFile(file, head, sizeof head, &read, nullptr);
    CloseHandle(file);
    return ok && standin::HasPictureMagic(std::string(head, read));
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto parsed =
        standin::ParseArguments(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!parsed) {
        std::fprintf(stderr, "MessengerStandIn: %s\n%s", error.c_str(), standin::kUsage);
        return 2;
    }
    const standin::StandInOptions& options = *parsed;

    std::vector<standin::Emoticon> store;
    if (!options.storeFile.empty()) store = standin::ParseStore(ReadAll(options.storeFile));

    std::FILE* journal = nullptr;
    if (!options.journalFile.empty()) {
        journal = std::fopen(options.journalFile.c_str(), "ab");
        if (!journal) {
            std::fprintf(stderr, "MessengerStandIn: cannot write %s\n",
                         options.journalFile.c_str());
            return 2;
        }
    }

    standin::Win32Host host(GetModuleHandleA(nullptr));
    standin::MessengerModel model(host, options.model, store, &IsPicture);
    host.Attach(&model);

    std::vector<standin::Emoticon> saved = store;
    std::size_t journaled = 0;
    const auto keepUp = [&] {
        if (journal) {
            for (; journaled < model.Journal().size(); ++journaled) {
                const std::string line = standin::FormatJournalLine(model.Journal()[journaled]);
                std::fprintf(journal, "%s\n", line.c_str());
            }
            std::fflush(journal);
        }
        const auto& now = model.Store();
        const bool changed =
            now.size() != saved.size() ||
            !std::equal(now.begin(), now.end(), saved.begin(), [](const auto& a, const auto& b) {
                return a.shortcut == b.shortcut && a.name == b.name && a.path == b.path;
            });
        if (changed && !options.storeFile.empty() &&
            WriteFileAtomically(options.storeFile, standin::FormatStore(now)))
            saved = now;
    };
    host.afterEvent = keepUp;
    model.onSave = [&] {
        if (!options.storeFile.empty())
            WriteFileAtomically(options.storeFile, standin::FormatStore(model.Store()));
        saved = model.Store();
    };

    host.AddIdleWindows(options.idleWindows);
    model.Start();
    if (!options.readyFile.empty())
        WriteFileAtomically(options.readyFile, std::to_string(GetCurrentProcessId()) + "\n");

    const int code = host.Run();
    keepUp();
    if (journal) std::fclose(journal);
    return code;
}
