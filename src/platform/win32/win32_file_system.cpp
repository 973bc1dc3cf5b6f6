// Win32 file system; see win32_file_system.h.
#include "win32_file_system.h"

#include <windows.h>

#include <algorithm>

#include "win32_code_page.h"

namespace pimbrel::win32 {

namespace {

// The short (8.3) form of a path; empty when the system gives none.
std::wstring ShortPath(const std::wstring& path) {
    std::wstring shortPath(32768, L'\0');
    const DWORD length =
        GetShortPathNameW(path.c_str(), &shortPath[0], static_cast<DWORD>(shortPath.size()));
    if (length == 0 || length >= shortPath.size()) return std::wstring();
    shortPath.resize(length);
    return shortPath == path ? std::wstring() : shortPath;
}

// The short (8.3) name of a folder entry, for a long name the code page cannot hold. The
// find data lacks it where the volume's short names are switched off; ask the path then,
// and only for a name that needs it, since every question goes to the disk.
std::u16string ShortNameOf(const std::wstring& pattern, const WIN32_FIND_DATAW& found,
                           const std::u16string& name) {
    if (found.cAlternateFileName[0] != L'\0') return FromWide(found.cAlternateFileName);
    if (CodePageHolds(name)) return std::u16string();
    const std::wstring shortPath =
        ShortPath(pattern.substr(0, pattern.size() - 1) + found.cFileName);
    const auto slash = shortPath.find_last_of(L'\\');
    return FromWide(slash == std::wstring::npos ? shortPath.c_str()
                                                : shortPath.c_str() + slash + 1);
}

// The search over a folder's entries. Where the system offers it (Windows 7 on), without the
// short names, which the system would otherwise work out for every entry; the few names that
// need one ask for it (ShortNameOf). Older systems refuse the basic level: search in full.
HANDLE FirstFolderEntry(const std::wstring& pattern, WIN32_FIND_DATAW& found) {
    HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER)
        search = FindFirstFileW(pattern.c_str(), &found);
    return search;
}

// The system's reason in UTF-8, as the program's boxes take it, whatever the code page.
std::string SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message = "error " + std::to_string(code);
    if (text) {
        message = BytesFrom(CP_UTF8, text);
        LocalFree(text);
    }
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    return message;
}

// Why a write failed, in words a user can act on; `inFolder` when a new file could not be
// made in the folder, rather than the file replaced.
std::string WriteProblem(DWORD code, bool inFolder) {
    switch (code) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "The disk is full.";
    case ERROR_WRITE_PROTECT:
        return "The disk is write-protected.";
    case ERROR_ACCESS_DENIED:
        return inFolder ? "Windows does not let files be written in the folder: it is read-only, "
                          "or you lack the rights."
                        : "Windows does not let the file be replaced: it is read-only or in use.";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "Another program has the file open.";
    default:
        return SystemMessage(code);
    }
}

// What a replaced file keeps of the old one's attributes: a hidden Readme.txt stays hidden.
// (The archive flag is the system's to set on a changed file.)
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// A new file beside `target`, in its folder, that no other writer has: its name with this
// process's id and a count after it, and the kept ones of `attributes`.
// INVALID_HANDLE_VALUE, with the last error, when none could be made.
HANDLE CreateBeside(const std::wstring& target, DWORD attributes, std::wstring& temporary) {
    const std::wstring stem = target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-";
    const DWORD kept = attributes & kKeptAttributes;
    for (int count = 0; count < 100; ++count) {
        temporary = stem + std::to_wstring(count) + L".tmp";
        const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_NEW, kept ? kept : FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

// Writes the bytes and flushes them to the disk; false with the last error when it fails.
bool WriteAndFlush(HANDLE file, const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, piece, &written, nullptr)) return false;
        if (written == 0) {
            SetLastError(ERROR_HANDLE_DISK_FULL);
            return false;
        }
        done += written;
    }
    return FlushFileBuffers(file) != FALSE;
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

std::optional<std::vector<DirectoryEntry>> Win32FileSystem::ListFolder(
    const std::u16string& folderPath, std::string& error) {
    std::vector<DirectoryEntry> entries;
    std::wstring pattern = ToWide(folderPath);
    if (pattern.empty() || pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found;
    HANDLE search = FirstFolderEntry(pattern, found);
    if (search == INVALID_HANDLE_VALUE) {
        // The root of an empty drive has not even "." and "..": empty, not unreadable.
        const DWORD reason = GetLastError();
        if (reason == ERROR_FILE_NOT_FOUND) return entries;
        error = SystemMessage(reason);
        return std::nullopt;
    }
    do {
        DirectoryEntry entry;
        entry.name = FromWide(found.cFileName);
        entry.shortName = ShortNameOf(pattern, found, entry.name);
        entry.directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.hidden = (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
        entry.system = (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
        entries.push_back(entry);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

PathLook Win32FileSystem::Look(const std::u16string& path) {
    PathLook look;
    const std::wstring wide = ToWide(path);
    std::wstring full(32768, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), &full[0],
                                          nullptr);
    if (wide.empty() || length == 0 || length >= full.size()) return look;
    full.resize(length);
    // "D:\Packs\maya\" names the folder "D:\Packs\maya"; "D:\" keeps its backslash.
    while (full.size() > 3 && full.back() == L'\\') full.pop_back();
    if (full.size() == 2 && full[1] == L':') full += L'\\';
    look.fullPath = FromWide(full.c_str());
    const DWORD attributes = GetFileAttributesW(full.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        look.kind = attributes & FILE_ATTRIBUTE_DIRECTORY ? PathKind::Folder : PathKind::File;
    return look;
}

std::u16string Win32FileSystem::ShortPath(const std::u16string& path) {
    return FromWide(win32::ShortPath(ToWide(path)).c_str());
}

bool Win32FileSystem::Exists(const std::u16string& path) {
    return GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::unique_ptr<ByteReader> Win32FileSystem::OpenForReading(const std::u16string& path,
                                                            std::string& error) {
    HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = SystemMessage(GetLastError());
        return nullptr;
    }
    return std::make_unique<FileReader>(file);
}

bool Win32FileSystem::ReplaceFileBytes(const std::u16string& path, const std::string& bytes,
                                       std::string& error) {
    const std::wstring target = ToWide(path);
    // Moving over a read-only file fails, and says less than this.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        error = "The file is read-only.";
        return false;
    }
    std::wstring temporary;
    const HANDLE file = CreateBeside(
        target, attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes, temporary);
    if (file == INVALID_HANDLE_VALUE) {
        error = WriteProblem(GetLastError(), true);
        return false;
    }
    const bool written = WriteAndFlush(file, bytes);
    DWORD code = GetLastError();
    CloseHandle(file);
    // Only a whole file on the disk is moved over the old one; the move itself is waited for.
    if (written && MoveFileExW(temporary.c_str(), target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        // Some attributes a new file cannot be made with; they follow it here.
        const DWORD now = GetFileAttributesW(target.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && now != INVALID_FILE_ATTRIBUTES &&
            (now & kKeptAttributes) != (attributes & kKeptAttributes))
            SetFileAttributesW(target.c_str(),
                               (now & ~kKeptAttributes) | (attributes & kKeptAttributes));
        return true;
    }
    if (written) code = GetLastError();
    DeleteFileW(temporary.c_str());
    error = WriteProblem(code, false);
    return false;
}

FolderName ProgramFolder() {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    path.resize(length);
    const auto slash = path.find_last_of(L'\\');
    path.resize(slash == std::wstring::npos ? 0 : slash);
    if (path.size() == 2 && path[1] == L':') path += L'\\';  // the root keeps its backslash
    FolderName folder;
    folder.text = FromWide(path.c_str());
    if (!CodePageHolds(folder.text)) folder.shortText = FromWide(ShortPath(path).c_str());
    return folder;
}

}  // namespace pimbrel::win32
