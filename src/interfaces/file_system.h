// The file system as the program uses it: the picture folder's listing, and the list file
// read and replaced.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shortcuts/byte_reader.h"

namespace pimbrel {

// A folder as the program sees it: its full path as the system names it, and the path's
// short (8.3) form, which goes to other programs where the ANSI code page cannot hold the
// full one (empty when the system gives none).
struct FolderName {
    std::u16string text;
    std::u16string shortText;
};

struct DirectoryEntry {
    std::u16string name;       // as the system names it, and the list shows it
    std::u16string shortName;  // its 8.3 form where it has one that differs, else empty
    bool directory = false;
    bool hidden = false;
    bool system = false;
};

// What a path names, and its full form as the system writes it: resolved against the current
// folder, "." and ".." taken out, without a separator at its end except at a drive's root.
enum class PathKind { Missing, File, Folder };
struct PathLook {
    PathKind kind = PathKind::Missing;
    std::u16string fullPath;  // empty when the path cannot be a path at all
};

class FileSystem {
public:
    FileSystem() = default;
    FileSystem(const FileSystem&) = delete;
    FileSystem& operator=(const FileSystem&) = delete;
    virtual ~FileSystem() = default;

    // Every entry of the folder (files and sub-folders alike); nullopt with `error` set to the
    // system's reason (UTF-8) when it cannot be listed.
    virtual std::optional<std::vector<DirectoryEntry>> ListFolder(const std::u16string& folderPath,
                                                                  std::string& error) = 0;
    virtual PathLook Look(const std::u16string& path) = 0;
    // The path's short (8.3) form; empty where the system gives none.
    virtual std::u16string ShortPath(const std::u16string& path) = 0;
    // True when a file or folder of that name exists; a folder fails in OpenForReading.
    virtual bool Exists(const std::u16string& path) = 0;
    // Opens a file for reading; null with `error` set to the system's reason (UTF-8) on
    // failure.
    virtual std::unique_ptr<ByteReader> OpenForReading(const std::u16string& path,
                                                       std::string& error) = 0;
    // Gives the file `bytes` as its whole content, creating it where there is none: written
    // beside it in the same folder, then moved over it, so that the file is either as it was
    // or whole, never half written; a hidden file stays hidden. False with `error` (UTF-8,
    // for the user) when it could not; the file is then as it was, and nothing is left
    // beside it.
    virtual bool ReplaceFileBytes(const std::u16string& path, const std::string& bytes,
                                  std::string& error) = 0;

    // The file's bytes whole; false with `error` set when it cannot be opened or read to its
    // end.
    bool ReadFileBytes(const std::u16string& path, std::string& bytes, std::string& error) {
        const std::unique_ptr<ByteReader> reader = OpenForReading(path, error);
        if (!reader) return false;
        bytes.clear();
        char buffer[16 * 1024];
        for (long got; (got = reader->Read(buffer, sizeof buffer)) != 0;) {
            if (got < 0) {
                error = "It could not be read to its end.";
                return false;
            }
            bytes.append(buffer, static_cast<std::size_t>(got));
        }
        return true;
    }
};

}  // namespace pimbrel
