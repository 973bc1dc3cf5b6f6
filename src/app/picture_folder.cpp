// Listing the picture folder, at load and whenever another folder is opened.
#include "app/picture_folder.h"

#include <algorithm>
#include <array>

#include "shortcuts/code_page.h"

namespace pimbrel {

namespace {
constexpr std::array<const char16_t*, 6> kPictureExtensions = {u".bmp", u".gif", u".jpg",
                                                              u".jpeg", u".jpe", u".png"};

bool ByteLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
}

struct SortKey {
    std::string lower;  // the lower-case form in the code page
    std::string own;    // the name itself in the code page
};

// The form of a name or folder that the code page holds: the full one, or else the 8.3 one
// when there is one that it holds; failing both, the full one, which loses characters.
std::u16string Holdable(const std::u16string& full, const std::u16string& shortForm) {
    if (CodePageHolds(full) || shortForm.empty()) return full;
    return CodePageHolds(shortForm) ? shortForm : full;
}
}  // namespace

bool IsPictureName(const std::u16string& name) {
    const std::u16string lower = LowerCase(name);
    return std::any_of(kPictureExtensions.begin(), kPictureExtensions.end(),
                       [&](const std::u16string& extension) {
                           return lower.size() >= extension.size() &&
                                  lower.compare(lower.size() - extension.size(),
                                                extension.size(), extension) == 0;
                       });
}

void SortPictures(std::vector<Picture>& pictures) {
    std::vector<std::pair<SortKey, Picture>> keyed;
    keyed.reserve(pictures.size());
    for (auto& picture : pictures) {
        SortKey key{ToAnsi(LowerCase(picture.name)), ToAnsi(picture.name)};
        keyed.emplace_back(std::move(key), std::move(picture));
    }
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        if (a.first.lower != b.first.lower) return ByteLess(a.first.lower, b.first.lower);
        if (a.first.own != b.first.own) return ByteLess(a.first.own, b.first.own);
        // Names that differ only in characters the code page cannot hold: any fixed order
        // will do, as long as it is the same on every start.
        return a.second.name < b.second.name;
    });
    pictures.clear();
    for (auto& entry : keyed) pictures.push_back(std::move(entry.second));
}

PictureList PicturesOf(const FolderName& folder, const std::vector<DirectoryEntry>& entries) {
    PictureList list;
    list.folder = folder;
    for (const DirectoryEntry& entry : entries) {
        if (entry.directory || entry.hidden || entry.system) continue;
        if (!IsPictureName(entry.name)) continue;
        list.entries.push_back({entry.name, entry.shortName});
    }
    SortPictures(list.entries);
    return list;
}

PictureList LoadPictureList(FileSystem& files, const FolderName& folder) {
    std::string error;
    return PicturesOf(folder, files.ListFolder(folder.text, error).value_or(
                                  std::vector<DirectoryEntry>()));
}

std::vector<std::u16string> PictureNames(const PictureList& list) {
    std::vector<std::u16string> names;
    names.reserve(list.entries.size());
    for (const Picture& picture : list.entries) names.push_back(picture.name);
    return names;
}

std::u16string PicturePath(const PictureList& list, const Picture& picture) {
    return Holdable(list.folder.text, list.folder.shortText) + u"\\" +
           Holdable(picture.name, picture.shortName);
}

}  // namespace pimbrel
