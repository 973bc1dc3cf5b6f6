// In-memory file system; see fake_toolkit.h.
#include "fake_toolkit.h"

#include "text_fakes.h"

namespace pimbrel::testing {

std::vector<DirectoryEntry> FakeFileSystem::ListFolder(const std::u16string& folderPath) {
    const auto found = folders.find(folderPath);
    return found == folders.end() ? std::vector<DirectoryEntry>{} : found->second;
}

bool FakeFileSystem::Exists(const std::u16string& path) {
    return files.count(path) != 0 || locked.count(path) != 0;
}

std::unique_ptr<ByteReader> FakeFileSystem::OpenForReading(const std::u16string& path,
                                                           std::string& error) {
    opened.push_back(path);
    if (const auto reason = locked.find(path); reason != locked.end()) {
        error = reason->second;
        return nullptr;
    }
    const auto found = files.find(path);
    if (found == files.end()) {
        error = "The system cannot find the file specified.";
        return nullptr;
    }
    const auto failing = failAt.find(path);
    return ReaderOf(found->second, std::string::npos,
                    failing == failAt.end() ? std::string::npos : failing->second);
}

void FakeFileSystem::AddPicture(const std::u16string& folder, const std::u16string& name) {
    DirectoryEntry entry;
    entry.name = name;
    folders[folder].push_back(entry);
}

}  // namespace pimbrel::testing
