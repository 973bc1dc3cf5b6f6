// The emoticons that an Add of every picture in a folder should leave in an empty Messenger,
// worked out natively by the program's own code: the folder's pictures in list order, each as
// "SHORTCUT|NAME|PATH" in UTF-8, the shortcut as the next Add sends it. The end-to-end suite
// compares this with what the stand-in stored from the real exe under Wine.
//
//   predicted_store 'Z:\path\to\folder' [CODE_PAGE]      (CP1252 unless named)
//
// The folder is named as Wine names it (drive Z: is the root), so that the paths come out as
// Messenger gets them; a name that the code page cannot hold has no 8.3 form here, so use
// folders whose names it holds.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "app/picture_folder.h"
#include "app/shortcut_plan.h"
#include "messenger/picture_entry.h"
#include "text_fakes.h"

namespace {

using namespace pimbrel;

// The Unix path of a path on Wine's drive Z:.
std::filesystem::path UnixPath(const std::u16string& windowsPath) {
    std::string path = Utf8(windowsPath.substr(windowsPath.rfind(u':') + 1));
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

// The folder as the exe sees it under Wine, which shows dot files (the suite sets that).
class WineDriveZ : public FileSystem {
public:
    std::optional<std::vector<DirectoryEntry>> ListFolder(const std::u16string& folderPath,
                                                          std::string& error) override {
        std::vector<DirectoryEntry> entries;
        std::error_code code;
        for (const auto& entry : std::filesystem::directory_iterator(UnixPath(folderPath), code))
            entries.push_back({testing::U16(entry.path().filename().string()), {},
                               entry.is_directory(), false, false});
        if (code) {
            error = code.message();
            return std::nullopt;
        }
        return entries;
    }
    // The folder is given whole, as the suite names it; only listing and reading are asked.
    PathLook Look(const std::u16string& path) override {
        const auto status = std::filesystem::status(UnixPath(path));
        if (std::filesystem::is_directory(status)) return {PathKind::Folder, path};
        if (std::filesystem::exists(status)) return {PathKind::File, path};
        return {};
    }
    std::u16string ShortPath(const std::u16string&) override { return {}; }
    bool Exists(const std::u16string& path) override {
        return std::filesystem::exists(UnixPath(path));
    }
    std::unique_ptr<ByteReader> OpenForReading(const std::u16string& path,
                                               std::string& error) override {
        std::ifstream file(UnixPath(path), std::ios::binary);
        if (!file) {
            error = "cannot be opened";
            return nullptr;
        }
        return testing::ReaderOf(std::string(std::istreambuf_iterator<char>(file), {}));
    }
    // The prediction only reads.
    bool ReplaceFileBytes(const std::u16string&, const std::string&, std::string& error) override {
        error = "read only";
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: predicted_store 'Z:\\\\FOLDER' [CODE_PAGE]\n");
        return 2;
    }
    const testing::IconvCodePage codePage(argc == 3 ? argv[2] : "CP1252");
    WineDriveZ files;
    const PictureList list = LoadPictureList(files, FolderName{testing::U16(argv[1]), {}});
    ShortcutPlan plan = PlanShortcuts(files, list);
    const ShortcutTables tables{plan.autoShortcuts, plan.listedShortcuts};
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        const Picture& picture = list.entries[i];
        std::printf("%s|%s|%s\n", Utf8(SentForm(ChosenShortcut(tables, i))).c_str(),
                    Utf8(SentForm(EmoticonName(picture.name))).c_str(),
                    Utf8(SentForm(PicturePath(list, picture))).c_str());
    }
    return 0;
}
