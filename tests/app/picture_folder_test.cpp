// The load step's listing and selection.
#include <gtest/gtest.h>

#include "app/picture_folder.h"
#include "rig.h"

namespace pimbrel::testing {
namespace {

TEST(PictureName, MatchesTheSixPatternsInAnyCase) {
    const std::pair<const char*, bool> cases[] = {
        {"a.bmp", true},  {"a.GIF", true},   {"a.Jpg", true},       {"a.jpeg", true},
        {"a.JPE", true},  {"a.png", true},   {".png", true},        {"Readme.txt", false},
        {"a.ico", false}, {"a.tif", false},  {"Pimbrel.exe", false}, {"png", false},
        {"a.png.txt", false}, {"a.jpgx", false}};
    for (const auto& [name, listed] : cases) EXPECT_EQ(IsPictureName(name), listed) << name;
}

TEST(PictureList, SortedByLowerCaseBytesThenOwnBytes) {
    Rig rig({"b.gif", "A.gif", "a.gif", "a-b.gif", "a_b.gif", "Readme.txt", "ab.gif", "c.ico"});
    rig.form.Load();
    EXPECT_EQ(rig.file1.Names(), (std::vector<std::string>{"a-b.gif", "A.gif", "a.gif",
                                                            "a_b.gif", "ab.gif", "b.gif"}));
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(rig.file1.IsSelected(i));
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST(PictureList, LeavesOutFoldersHiddenAndSystemFiles) {
    Rig rig;
    auto add = [&](const char* name, bool directory, bool hidden, bool system) {
        DirectoryEntry entry;
        entry.name = entry.pathName = name;
        entry.directory = directory;
        entry.hidden = hidden;
        entry.system = system;
        rig.files.folders[kFolder].push_back(entry);
    };
    add("folder.gif", true, false, false);
    add("hidden.gif", false, true, false);
    add("system.gif", false, false, true);
    add("shown.gif", false, false, false);
    rig.form.Load();
    EXPECT_EQ(rig.file1.Names(), std::vector<std::string>{"shown.gif"});
}

TEST(PictureList, ShortNameGoesIntoThePath) {
    Rig rig;
    rig.files.folders["C:\\EMOTIC~1"].push_back({"?????.png", "F0E1~1.PNG", false, false, false});
    FrmMain form(MainWindowParts{rig.file1, rig.cmdAdd, rig.chkOverwrite, rig.tmrRetry,
                                 rig.dialogs, rig.starter, rig.files, rig.windows},
                 FolderName{"C:\\Emoticons ?", "C:\\EMOTIC~1"});
    form.Load();
    ASSERT_EQ(form.Pictures().entries.size(), 1u);
    EXPECT_EQ(PicturePath(form.Pictures(), form.Pictures().entries[0]), "C:\\EMOTIC~1\\F0E1~1.PNG");
    EXPECT_EQ(rig.file1.Names(), std::vector<std::string>{"?????.png"});
}

TEST(SiteLink, StartsTheBrowserMinimisedAndSurvivesAFailure) {
    Rig rig;
    rig.Load();
    rig.form.OnSiteClick();
    ASSERT_EQ(rig.starter.started.size(), 1u);
    const auto& [program, commandLine, show] = rig.starter.started[0];
    EXPECT_EQ(program, "explorer.exe");
    EXPECT_EQ(show, 2);
    EXPECT_EQ(commandLine.rfind("EXPLORER \"http://", 0), 0u);
    EXPECT_EQ(commandLine.substr(commandLine.size() - 17), "?fromapp=pimbrel\"");
    rig.starter.succeed = false;
    rig.form.OnSiteClick();
    EXPECT_EQ(rig.dialogs.shown.size(), 1u);
}

}  // namespace
}  // namespace pimbrel::testing
