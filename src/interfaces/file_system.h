// The file system as the program uses it: the picture folder's listing and the list file.
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
};

}  // namespace pimbrel
