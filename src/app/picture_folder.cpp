// Listing the picture folder once, at load.
#include "app/picture_folder.h"

#include <algorithm>
#include <array>

#include "shortcuts/text_case.h"

namespace pimbrel {

namespace {
constexpr std::array<const char*, 6> kPictureExtensions = {".bmp", ".gif", ".jpg",
                                                          ".jpeg", ".jpe", ".png"};

bool ByteLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
}
}  // namespace

bool IsPictureName(const std::string& name) {
    const std::string lower = LowerCase(name);
    return std::any_of(kPictureExtensions.begin(), kPictureExtensions.end(),
                       [&](const std::string& extension) {
                           return lower.size() >= extension.size() &&
                                  lower.compare(lower.size() - extension.size(),
                                                extension.size(), extension) == 0;
                       });
}

void SortPictures(std::vector<Picture>& pictures) {
    std::vector<std::pair<std::string, Picture>> keyed;
    keyed.reserve(pictures.size());
    for (auto& picture : pictures) keyed.emplace_back(LowerCase(picture.name), std::move(picture));
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        if (a.first != b.first) return ByteLess(a.first, b.first);
        return ByteLess(a.second.name, b.second.name);
    });
    pictures.clear();
    for (auto& entry : keyed) pictures.push_back(std::move(entry.second));
}

PictureList LoadPictureList(FileSystem& files, const FolderName& folder) {
    PictureList list;
    list.folder = folder;
    for (const DirectoryEntry& entry : files.ListFolder(folder.pathText)) {
        if (entry.directory || entry.hidden || entry.system) continue;
        if (!IsPictureName(entry.name)) continue;
        list.entries.push_back({entry.name, entry.pathName});
    }
    SortPictures(list.entries);
    return list;
}

std::vector<std::string> PictureNames(const PictureList& list) {
    std::vector<std::string> names;
    names.reserve(list.entries.size());
    for (const Picture& picture : list.entries) names.push_back(picture.name);
    return names;
}

std::string PicturePath(const PictureList& list, const Picture& picture) {
    return list.folder.pathText + "\\" + picture.pathName;
}

}  // namespace pimbrel
