// Win32 file system; see win32_file_system.h.
#include "win32_file_system.h"

#include <windows.h>

namespace pimbrel::win32 {

namespace {

// The ANSI form of a wide text; `exact` is false when the code page cannot hold it.
std::string ToAnsi(const std::wstring& text, bool& exact) {
    // With the UTF-8 code page (a Windows 10 option) the call fails outright when asked
    // about default characters, and every name would come back empty; it loses none there.
    BOOL usedDefault = FALSE;
    BOOL* askUsedDefault = GetACP() == CP_UTF8 ? nullptr : &usedDefault;
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr,
                                         askUsedDefault);
    std::string result(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, result.data(), size, nullptr,
                            askUsedDefault);
    exact = size > 0 && !usedDefault;
    return result;
}

// The short (8.3) name of a folder entry, for a long name the code page cannot hold. The
// find data lacks it where the volume's short names are switched off; ask the path then.
std::wstring ShortNameOf(const std::wstring& pattern, const WIN32_FIND_DATAW& found) {
    if (found.cAlternateFileName[0] != L'\0') return found.cAlternateFileName;
    const std::wstring full = pattern.substr(0, pattern.size() - 1) + found.cFileName;
    std::wstring shortPath(32768, L'\0');
    const DWORD length =
        GetShortPathNameW(full.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (length == 0 || length >= shortPath.size()) return std::wstring();
    shortPath.resize(length);
    const auto slash = shortPath.find_last_of(L'\\');
    return slash == std::wstring::npos ? shortPath : shortPath.substr(slash + 1);
}

std::string SystemMessage(DWORD code) {
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = text ? text : "error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    return message;
}

class FileReader : public ByteReader {
public:
    explicit FileReader(HANDLE file) : file_(file) {}
    ~FileReader() override { CloseHandle(file_); }
    long Read(char* buffer, std::size_t size) override {
        DWORD read = 0;
        if (!ReadFile(file_, buffer, static_cast<DWORD>(size), &read, nullptr)) return -1;
        return static_cast<long>(read);
    }

private:
    HANDLE file_;
};

}  // namespace

std::wstring ToWide(const std::string& text) {
    const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring result(size > 0 ? size - 1 : 0, L'\0');
    if (size > 1) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, result.data(), size);
    return result;
}

std::vector<DirectoryEntry> Win32FileSystem::ListFolder(const std::string& folderPath) {
    std::vector<DirectoryEntry> entries;
    std::wstring pattern = ToWide(folderPath);
    if (pattern.empty() || pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        bool exact = true;
        DirectoryEntry entry;
        entry.name = ToAnsi(found.cFileName, exact);
        entry.pathName = entry.name;
        if (!exact) {
            const std::wstring shortName = ShortNameOf(pattern, found);
            bool shortExact = true;
            const std::string converted = ToAnsi(shortName, shortExact);
            if (!shortName.empty() && shortExact) entry.pathName = converted;
        }
        entry.directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.hidden = (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
        entry.system = (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
        entries.push_back(entry);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

bool Win32FileSystem::Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::unique_ptr<ByteReader> Win32FileSystem::OpenForReading(const std::string& path,
                                                            std::string& error) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = SystemMessage(GetLastError());
        return nullptr;
    }
    return std::make_unique<FileReader>(file);
}

FolderName ProgramFolder() {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    const auto slash = path.find_last_of(L'\\');
    path.resize(slash == std::wstring::npos ? 0 : slash);
    if (path.size() == 2 && path[1] == L':') path += L'\\';  // the root keeps its backslash
    FolderName folder;
    bool exact = true;
    folder.text = ToAnsi(path, exact);
    folder.pathText = folder.text;
    if (!exact) {
        std::wstring shortPath(32768, L'\0');
        const DWORD shortLength =
            GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
        if (shortLength > 0 && shortLength < shortPath.size()) {
            shortPath.resize(shortLength);
            bool shortExact = true;
            folder.pathText = ToAnsi(shortPath, shortExact);
        }
    }
    return folder;
}

}  // namespace pimbrel::win32
