// The file system over Win32: wide names and paths throughout, byte readers, and files
// replaced by writing beside them and moving over them.
#pragma once
#include <string>

#include "interfaces/file_system.h"

namespace pimbrel::win32 {

class Win32FileSystem : public FileSystem {
public:
    std::optional<std::vector<DirectoryEntry>> ListFolder(const std::u16string& folderPath,
                                                          std::string& error) override;
    PathLook Look(const std::u16string& path) override;
    std::u16string ShortPath(const std::u16string& path) override;
    bool Exists(const std::u16string& path) override;
    std::unique_ptr<ByteReader> OpenForReading(const std::u16string& path,
                                               std::string& error) override;
    bool ReplaceFileBytes(const std::u16string& path, const std::string& bytes,
                          std::string& error) override;
};

// The folder that holds the running program.
FolderName ProgramFolder();

}  // namespace pimbrel::win32
