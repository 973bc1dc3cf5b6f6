// Keeping a typed shortcut: changes made to the list file by hand meanwhile, the refusals
// with their reasons, and the files it cannot write. (What the window and the next Add make
// of a kept one: in_place_edit_test.cpp.)
#include <gtest/gtest.h>

#include "app/shortcut_edit.h"
#include "app/shortcut_plan.h"
#include "rig.h"

namespace pimbrel::testing {
namespace {

ShortcutEdit Keep(Rig& rig, std::size_t index, const std::u16string& typed) {
    ShortcutPlan plan = PlanShortcuts(rig.files, rig.form.Pictures());
    return KeepTypedShortcut(rig.files, rig.form.Pictures(), index, typed, SentShortcuts(plan));
}

void ExpectKept(const ShortcutEdit& edit) {
    EXPECT_EQ(edit.result, ShortcutEditResult::Kept) << edit.reason;
    EXPECT_EQ(edit.reason, "");
}

// The window's view may be older than the file: a change made by hand meanwhile stays.
TEST(ShortcutEdit, ChangesMadeByHandMeanwhileStay) {
    Rig rig({u"smile.gif", u"wink.png"});
    rig.SetListFile("My pack\r\n---List---\r\n");
    rig.Load();
    ShortcutPlan plan = PlanShortcuts(rig.files, rig.form.Pictures());
    rig.SetListFile("My pack\r\n---List---\r\nwink.png - ;)\r\n");
    const ShortcutEdit edit =
        KeepTypedShortcut(rig.files, rig.form.Pictures(), 0, u":)", SentShortcuts(plan));
    ExpectKept(edit);
    EXPECT_EQ(rig.files.files[kListFile],
              "My pack\r\n---List---\r\nwink.png - ;)\r\nsmile.gif - :)\r\n");
}

TEST(ShortcutEdit, RefusalsSayWhyAndWriteNothing) {
    const std::string file = "---List---\r\nwink.png - ;-)\r\n";
    const struct {
        std::size_t index;
        const char16_t* typed;
        std::string reason;
    } table[] = {
        {2, u"x", "A shortcut needs at least 2 characters."},
        {2, u"(smiley)", "Messenger takes at most 7 characters."},
        {2, u":\t)", "A shortcut cannot hold a tab or another control character."},
        {2, u":) ", "A shortcut cannot start or end with a space."},
        {2, u"(ε)", "\"ε\" is not in the system's code page, which Readme.txt is saved in."},
        {2, u";-)", "wink.png has this shortcut already."},
        {2, u"(hf)", "happy face.gif has this shortcut already."},
        {0, u"", "Readme.txt cannot list a picture whose name holds \"- \" or ends in \"-\"."},
    };
    for (const auto& row : table) {
        Rig rig({u"a - b.gif", u"smile.gif", u"wink.png", u"happy face.gif"});
        rig.SetListFile(file);
        rig.Load();
        const ShortcutEdit edit = Keep(rig, row.index, row.typed);
        EXPECT_EQ(edit.result, ShortcutEditResult::Refused) << row.reason;
        EXPECT_EQ(edit.reason, row.reason);
        EXPECT_EQ(rig.files.replaced, 0) << row.reason;
    }
}

// A file that cannot be read or replaced is left as it was, and the reason given.
TEST(ShortcutEdit, AFileThatCannotBeWrittenStaysAsItWas) {
    const std::string file = "---List---\r\nwink.png - ;-)\r\n";
    const struct {
        const char* what;
        void (*setUp)(FakeFileSystem&);
        std::string reason;
    } table[] = {
        {"full disk",
         [](FakeFileSystem& files) { files.unwritable[kListFile] = "The disk is full."; },
         "Readme.txt could not be written. The disk is full."},
        {"not opened",
         [](FakeFileSystem& files) { files.locked[kListFile] = "Access is denied."; },
         "Readme.txt could not be read. Access is denied."},
        {"not read to its end", [](FakeFileSystem& files) { files.failAt[kListFile] = 5; },
         "Readme.txt could not be read. It could not be read to its end."},
    };
    for (const auto& row : table) {
        Rig rig({u"smile.gif", u"wink.png"});
        rig.SetListFile(file);
        rig.Load();
        row.setUp(rig.files);
        const ShortcutEdit edit = KeepTypedShortcut(rig.files, rig.form.Pictures(), 0, u":)",
                                                    {u"(smile)", u";-)"});
        EXPECT_EQ(edit.result, ShortcutEditResult::NotWritten) << row.what;
        EXPECT_EQ(edit.reason, row.reason) << row.what;
        EXPECT_EQ(rig.files.files[kListFile], file) << row.what;
    }
}

}  // namespace
}  // namespace pimbrel::testing
