// The shortcuts before Messenger; see shortcut_plan.h.
#include "app/shortcut_plan.h"

#include <memory>

#include "app/picture_folder.h"
#include "messenger/functions.h"
#include "messenger/picture_entry.h"
#include "shortcuts/characters.h"
#include "shortcuts/shortcuts.h"

namespace pimbrel {

namespace {

// The plan is not a run: its numbering steps count against no budget.
class Uncounted : public PassCounter {
public:
    void CountPass() override {}
    void CountPasses(std::uint32_t) override {}
};

}  // namespace

std::u16string ListFilePath(const PictureList& list) { return list.folder.text + u"\\Readme.txt"; }

bool ReadListedShortcuts(FileSystem& files, const PictureList& list,
                         const std::vector<std::u16string>& names,
                         std::vector<std::u16string>& listedShortcuts, std::string& problem) {
    const std::u16string path = ListFilePath(list);
    if (!files.Exists(path)) return true;
    std::string error;
    std::unique_ptr<ByteReader> reader = files.OpenForReading(path, error);
    if (!reader) {
        problem = "The list file " + Utf8(path) + " could not be opened: " + error;
        return false;
    }
    const LowerCaseNames pictureNames(names);
    const ListFileResult result = ReadListEntries(
        *reader, [&](const std::u16string& name, const std::u16string& shortcut) {
            const std::int32_t position = FindListIndex(pictureNames, name);
            if (position != -1) listedShortcuts.at(position) = shortcut;
        });
    if (result == ListFileResult::ReadError) {
        problem = "The list file " + Utf8(path) + " could not be read to its end.";
        return false;
    }
    return true;
}

ShortcutPlan PlanShortcuts(FileSystem& files, const PictureList& list) {
    const std::vector<std::u16string> names = PictureNames(list);
    ShortcutPlan plan{std::vector<std::u16string>(names.size() + 1),
                      std::vector<std::u16string>(names.size() + 1)};
    std::string problem;
    if (!ReadListedShortcuts(files, list, names, plan.listedShortcuts, problem))
        plan.listedShortcuts.assign(names.size() + 1, std::u16string());
    std::u16string usedShortcuts;
    Uncounted counter;
    AssignShortcuts(names, plan.autoShortcuts, usedShortcuts, counter);
    return plan;
}

std::vector<std::u16string> SentShortcuts(ShortcutPlan& plan) {
    const ShortcutTables tables{plan.autoShortcuts, plan.listedShortcuts};
    std::vector<std::u16string> sent;
    for (std::size_t i = 0; i + 1 < plan.autoShortcuts.size(); ++i)
        sent.push_back(SentForm(ChosenShortcut(tables, i)));
    return sent;
}

}  // namespace pimbrel
