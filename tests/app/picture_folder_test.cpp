// The load step's listing and selection.
#include <gtest/gtest.h>

#include "app/picture_folder.h"
#include "iconv_code_page.h"
#include "rig.h"

namespace pimbrel::testing {
namespace {

TEST(PictureName, MatchesTheSixPatternsInAnyCase) {
    const std::pair<const char16_t*, bool> cases[] = {
        {u"a.bmp", true},  {u"a.GIF", true},  {u"a.Jpg", true},        {u"a.jpeg", true},
        {u"a.JPE", true},  {u"a.png", true},  {u".png", true},         {u"Readme.txt", false},
        {u"a.ico", false}, {u"a.tif", false}, {u"Pimbrel.exe", false}, {u"png", false},
        {u"a.png.txt", false}, {u"a.jpgx", false}, {u"表.PNG", true}};
    for (const auto& [name, listed] : cases)
        EXPECT_EQ(IsPictureName(name), listed) << Utf8(name);
}

TEST(PictureList, SortedByLowerCaseBytesThenOwnBytes) {
    Rig rig({u"b.gif", u"A.gif", u"a.gif", u"a-b.gif", u"a_b.gif", u"Readme.txt", u"ab.gif",
             u"c.ico"});
    rig.form.Load();
    EXPECT_EQ(rig.file1.Names(), (std::vector<std::u16string>{u"a-b.gif", u"A.gif", u"a.gif",
                                                               u"a_b.gif", u"ab.gif", u"b.gif"}));
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(rig.file1.IsSelected(i));
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

// The order is that of the code page's bytes, not of the characters: in CP932 the kanji 亜
// (88 9F) comes before the half-width ｱ (B1), which comes before the kanji 濱 (E0 5F). A
// name the code page cannot hold sorts by its "?" and is listed in full; names that are
// the same there keep one order on every start.
TEST(PictureList, SortedByTheCodePagesBytes) {
    const IconvCodePage cp932("CP932");
    Rig rig({u"濱.gif", u"ｱ.gif", u"한.gif", u"亜.gif", u"Ｂ.gif", u"ａ.gif", u"국.gif",
             u"b.gif"});
    rig.form.Load();
    EXPECT_EQ(rig.file1.Names(),
              (std::vector<std::u16string>{u"국.gif", u"한.gif", u"b.gif", u"ａ.gif", u"Ｂ.gif",
                                           u"亜.gif", u"ｱ.gif", u"濱.gif"}));
}

TEST(PictureList, LeavesOutFoldersHiddenAndSystemFiles) {
    Rig rig;
    auto add = [&](const char16_t* name, bool directory, bool hidden, bool system) {
        DirectoryEntry entry;
        entry.name = name;
        entry.directory = directory;
        entry.hidden = hidden;
        entry.system = system;
        rig.files.folders[kFolder].push_back(entry);
    };
    add(u"folder.gif", true, false, false);
    add(u"hidden.gif", false, true, false);
    add(u"system.gif", false, false, true);
    add(u"shown.gif", false, false, false);
    rig.form.Load();
    EXPECT_EQ(rig.file1.Names(), std::vector<std::u16string>{u"shown.gif"});
}

// What the code page cannot hold goes into the path in its 8.3 form, piece by piece; the
// list shows every name in full.
TEST(PictureList, ShortNameGoesIntoThePath) {
    const IconvCodePage cp932("CP932");
    Rig rig;
    const std::u16string folder = u"C:\\그림 表";
    auto& entries = rig.files.folders[folder];
    entries.push_back({u"смайл.png", u"F0E1~1.PNG", false, false, false});
    entries.push_back({u"表情.png", u"8868~1.PNG", false, false, false});
    entries.push_back({u"한국.png", u"", false, false, false});  // no short name to be had
    FrmMain form(rig.Parts(), FolderName{folder, u"C:\\6D5E~1"});
    form.Load();
    const PictureList& list = form.Pictures();
    ASSERT_EQ(list.entries.size(), 3u);
    EXPECT_EQ(rig.file1.Names(), (std::vector<std::u16string>{u"한국.png", u"смайл.png",
                                                               u"表情.png"}));
    EXPECT_EQ(PicturePath(list, list.entries[0]), u"C:\\6D5E~1\\한국.png");
    EXPECT_EQ(PicturePath(list, list.entries[1]), u"C:\\6D5E~1\\смайл.png") << "in CP932";
    EXPECT_EQ(PicturePath(list, list.entries[2]), u"C:\\6D5E~1\\表情.png");
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
