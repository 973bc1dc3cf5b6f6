// The picture folder named on the command line, dropped or chosen: which folder opens, the
// load step run again for it, the caption, and the folders that cannot be opened.
#include <gtest/gtest.h>

#include <algorithm>

#include "rig.h"

namespace pimbrel::testing {
namespace {

const std::u16string kMaya = u"D:\\Packs\\maya";
const std::string kEmptyBox =
    "box Please put this program in the same directory of your emoticons.";

// The program's own folder holds own.gif; D:\Packs\maya two pictures and a list file,
// "D:\My Packs\cats" one picture, D:\ one, D:\Locked cannot be listed.
struct FolderRig : Rig {
    FolderRig() : Rig({u"own.gif"}) {
        files.currentFolder = u"D:\\Packs";
        files.AddPicture(kMaya, u"smile.gif");
        files.AddPicture(kMaya, u"grin.png");
        files.files[kMaya + u"\\Readme.txt"] = "---List---\r\ngrin.png - :D\r\n";
        files.AddPicture(u"D:\\My Packs\\cats", u"cat.png");
        files.AddPicture(u"D:\\", u"root.gif");
        files.folders[u"D:\\Empty"];
        files.unreadable[u"D:\\Locked"] = "Access is denied.";
    }
    Texts Names() const {
        Texts names;
        for (const auto& name : file1.Names()) names.push_back(Utf8(name));
        return names;
    }
};

// Explorer passes a folder dropped on the program's icon as its one argument, quoted where
// it holds blanks, and several files each as an argument; a user may type a path with
// blanks and no quotes, or one relative to the current folder. One that names nothing or
// cannot be listed is named in a box, and the program's own folder opens as without it.
TEST(StartFolder, TheCommandLineNamesTheFolder) {
    const Texts maya = {"grin.png", "smile.gif"};
    const Texts own = {"own.gif"};
    const struct {
        const char16_t* commandLine;
        Texts log;
        Texts names;
    } starts[] = {
        {u"\"C:\\Émoticônes 表情\\Pimbrel.exe\"", {}, own},
        {u"Pimbrel.exe   ", {}, own},
        {u"Pimbrel.exe D:\\Packs\\maya", {"caption Pimbrel - maya"}, maya},
        {u"\"C:\\x y\\Pimbrel.exe\" \"D:\\My Packs\\cats\\\"", {"caption Pimbrel - cats"},
         {"cat.png"}},
        {u"Pimbrel.exe D:\\My Packs\\cats  ", {"caption Pimbrel - cats"}, {"cat.png"}},
        {u"Pimbrel.exe \"D:\\Packs\\maya\\grin.png\"", {"caption Pimbrel - maya"}, maya},
        {u"Pimbrel.exe D:\\Packs\\maya\\grin.png D:\\Packs\\maya\\smile.gif",
         {"caption Pimbrel - maya"}, maya},
        {u"Pimbrel.exe maya", {"caption Pimbrel - maya"}, maya},
        {u"Pimbrel.exe D:\\", {"caption Pimbrel - D:\\"}, {"root.gif"}},
        {u"Pimbrel.exe D:\\Empty", {"caption Pimbrel - Empty", kEmptyBox}, {}},
        {u"Pimbrel.exe \"D:\\Packs\\nobody\" D:\\Packs\\maya",
         {"stop box The folder D:\\Packs\\nobody does not exist."}, own},
        {u"Pimbrel.exe D:\\Locked",
         {"stop box The folder D:\\Locked could not be opened: Access is denied."}, own},
    };
    for (const auto& start : starts) {
        SCOPED_TRACE(Utf8(start.commandLine));
        FolderRig rig;
        rig.form.Start(start.commandLine);
        EXPECT_EQ(rig.log, start.log);
        EXPECT_EQ(rig.Names(), start.names);
        for (std::size_t i = 0; i < start.names.size(); ++i)
            EXPECT_TRUE(rig.file1.IsSelected(static_cast<int>(i)));
    }
}

// A folder opened once the window shows: the old pictures' reading ends before the list
// changes, every new picture is selected, the old rows' results go, the shortcuts
// come from the new folder's list file, and a run sends the new folder's paths and gives
// back the caption that names it.
TEST(OpenFolder, RunsTheLoadStepAfreshForTheNewFolder) {
    FolderRig rig;
    rig.Load();
    rig.form.OnShown();
    rig.form.OnPictureRead(0, PictureState::Unreadable);
    rig.log.clear();

    EXPECT_TRUE(rig.form.OpenFolder(u"D:\\Packs\\maya\\"));
    EXPECT_EQ(rig.log, (Texts{"caption Pimbrel - maya", "stop reading",
                              "read D:\\Packs\\maya: 2 pictures"}));
    EXPECT_EQ(rig.Names(), (Texts{"grin.png", "smile.gif"}));
    EXPECT_TRUE(rig.file1.IsSelected(0) && rig.file1.IsSelected(1));
    EXPECT_EQ(rig.ToolTips(), (Texts{"Shortcut from Readme.txt: :D", "Shortcut: (smile)"}));
    EXPECT_EQ(Utf8(rig.file1.results[0]), "");

    rig.file1.SetSelected(0, false);
    rig.windows.StartMessenger({});
    rig.log.clear();
    EXPECT_FALSE(rig.Click());
    EXPECT_EQ(rig.Store(), (Texts{"(smile) smile"}));
    Texts paths;
    for (const SentMessage& sent : rig.windows.Sent())
        if (sent.role == standin::Role::PathEdit) paths.push_back(Utf8(FromAnsi(sent.text)));
    EXPECT_EQ(paths, (Texts{"D:\\Packs\\maya\\smile.gif"}));
    const auto box = std::find(rig.log.begin(), rig.log.end(),
                               "box The emoticons are added succesfully.");
    ASSERT_NE(box, rig.log.end());
    EXPECT_EQ(*(box - 1), "caption Pimbrel - maya");

    rig.log.clear();
    EXPECT_TRUE(rig.form.OpenFolder(u"D:\\Empty"));
    EXPECT_EQ(rig.log, (Texts{"caption Pimbrel - Empty", "stop reading",
                              "read D:\\Empty: 0 pictures", kEmptyBox}));
    EXPECT_TRUE(rig.file1.Names().empty());
}

// A folder that cannot be opened changes nothing but a box; while a retry keeps the
// controls off, a folder is not even looked at. The folder picker opens at the folder shown,
// and opens what it gives.
TEST(OpenFolder, LeavesTheListAsItWasWhenItCannot) {
    FolderRig rig;
    rig.Load();
    rig.form.OnShown();
    rig.log.clear();
    EXPECT_FALSE(rig.form.OpenFolder(u"D:\\Locked"));
    EXPECT_FALSE(rig.form.OpenFolder(u"nobody"));
    EXPECT_EQ(rig.log,
              (Texts{"stop box The folder D:\\Locked could not be opened: Access is denied.",
                     "stop box The folder D:\\Packs\\nobody does not exist."}));
    EXPECT_EQ(rig.Names(), (Texts{"own.gif"}));

    rig.log.clear();
    rig.form.OnChooseClick();
    rig.toolkit.picked = u"D:\\My Packs\\cats";
    rig.form.OnChooseClick();
    EXPECT_EQ(Texts(rig.log.begin(), rig.log.begin() + 3),
              (Texts{"pick at " + kFolderText, "pick at " + kFolderText,
                     "caption Pimbrel - cats"}));
    EXPECT_EQ(rig.Names(), (Texts{"cat.png"}));

    standin::Options never;
    never.neverOpenEmoticons = true;
    rig.windows.StartMessenger(never);
    rig.Click();
    ASSERT_TRUE(rig.form.RetryPending());
    rig.log.clear();
    EXPECT_FALSE(rig.form.OpenFolder(kMaya));
    EXPECT_EQ(rig.log, Texts{});
    EXPECT_EQ(rig.Names(), (Texts{"cat.png"}));
}

}  // namespace
}  // namespace pimbrel::testing
