// The load step's listing and order, and the paths Messenger is given.
#include <gtest/gtest.h>

#include "rig.h"
#include "shortcuts/code_page.h"

namespace pimbrel::testing {
namespace {

// The six patterns in any case; no folders, hidden or system files. Sorted by the lower-case
// forms' bytes, then by the names' own bytes.
TEST(PictureList, ListsThePicturesInOrderAllSelected) {
    Rig rig({u"a.bmp", u"a.GIF", u"a.Jpg", u"a.jpeg", u"a.JPE", u"a.png", u".png", u"表.PNG",
             u"Readme.txt", u"a.ico", u"a.tif", u"Pimbrel.exe", u"png", u"a.png.txt", u"a.jpgx",
             u"b.gif", u"A.gif", u"a-b.gif", u"a_b.gif", u"ab.gif"});
    auto& folder = rig.files.folders[kFolder];
    folder.push_back({u"folder.gif", u"", true, false, false});
    folder.push_back({u"hidden.gif", u"", false, true, false});
    folder.push_back({u"system.gif", u"", false, false, true});
    rig.form.Load();
    EXPECT_EQ(rig.file1.Names(),
              (std::vector<std::u16string>{u".png", u"表.PNG", u"a-b.gif", u"a.bmp", u"A.gif",
                                           u"a.GIF", u"a.JPE", u"a.jpeg", u"a.Jpg", u"a.png",
                                           u"a_b.gif", u"ab.gif", u"b.gif"}));
    for (int i = 0; i < 13; ++i) EXPECT_TRUE(rig.file1.IsSelected(i));
    EXPECT_TRUE(rig.toolkit.boxes.empty());
}

// The order is that of the code page's bytes, not of the characters: in CP932 the kanji 亜
// (88 9F) comes before the half-width ｱ (B1), which comes before the kanji 濱 (E0 5F). A
// name the code page cannot hold sorts by its "?" and is listed in full; names that are
// the same there keep one order on every start.
TEST(PictureList, SortedByTheCodePagesBytes) {
    const IconvCodePage cp932("CP932");
    Rig rig({u"濱.gif", u"ｱ.gif", u"한.gif", u"亜.gif", u"Ｂ.gif", u"ａ.gif", u"국.gif", u"b.gif"});
    rig.form.Load();
    EXPECT_EQ(rig.file1.Names(), (std::vector<std::u16string>{u"국.gif", u"한.gif", u"b.gif",
                                                               u"ａ.gif", u"Ｂ.gif", u"亜.gif",
                                                               u"ｱ.gif", u"濱.gif"}));
}

// What the code page cannot hold goes into the path in its 8.3 form, piece by piece; the
// list shows every name in full.
TEST(PictureList, ShortNamesGoIntoThePathsMessengerGets) {
    const IconvCodePage cp932("CP932");
    Rig rig;
    const std::u16string folder = u"C:\\그림 表";
    rig.files.folders[folder] = {{u"смайл.png", u"F0E1~1.PNG"},
                                 {u"한글.png", u"D55C~1.PNG"},
                                 {u"한국.png", u""}};  // no short name to be had
    FrmMain form(rig.Parts(), FolderName{folder, u"C:\\6D5E~1"});
    form.Load();
    EXPECT_EQ(rig.file1.Names(), (std::vector<std::u16string>{u"한국.png", u"한글.png", u"смайл.png"}));
    rig.windows.StartMessenger({});
    form.OnAddClick();
    Texts paths;
    for (const SentMessage& sent : rig.windows.Sent())
        if (sent.role == standin::Role::PathEdit) paths.push_back(Utf8(FromAnsi(sent.text)));
    EXPECT_EQ(paths,
              (Texts{"C:\\6D5E~1\\??.png", "C:\\6D5E~1\\D55C~1.PNG", "C:\\6D5E~1\\смайл.png"}));
}

}  // namespace
}  // namespace pimbrel::testing
