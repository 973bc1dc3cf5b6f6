// What the picture list is told for its Shortcut and Result columns, and what its tool tips
// say, before and after a run, as the list file changes and as the pictures are read.
#include <gtest/gtest.h>

#include "rig.h"

namespace pimbrel::testing {
namespace {

Texts Utf8s(const std::vector<std::u16string>& texts) {
    Texts out;
    for (const auto& text : texts) out.push_back(Utf8(text));
    return out;
}

// In list order: colliding with an emoticon Messenger has already (its name is one the code
// page cannot hold, so is its shortcut), refused twice (its file is no picture), refused once
// under its listed shortcut, plain, not selected, and listed with a shortcut too long for
// Messenger (flagged before the run) whose replacement then collides. Each row's Result says
// what its tool tip says; the one the run left alone keeps its empty Result and its tip the
// shortcut.
TEST(PictureColumns, TheResultSaysWhatBecameOfEachPicture) {
    const std::string collision = "(" + std::string(5, '?') + ")";
    const Texts shortcuts = {collision, "(broke)", ":D  (from Readme.txt)", "(happy)", "(left)",
                             "Too long: toolongshortcut  (from Readme.txt)"};
    const std::string refused = "Not added: Messenger refused (broke) and (broke2";
    const std::string refusedOnce = "Messenger refused :D; added as :D2";
    const struct {
        int overwrite;
        std::string collisionResult;
        std::string replacementResult;
    } runs[] = {
        {0, "Left out: an emoticon has the shortcut " + collision,
         "Left out: an emoticon has the shortcut toolon2"},
        {1, "Added as " + collision + ", replacing the emoticon that had it",
         "Added as toolon2, replacing the emoticon that had it"},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.overwrite);
        Rig rig({u"broken.gif", u"grin.png", u"happy.gif", u"left.gif", u"long.gif",
                 u"смайл.gif"});
        rig.SetListFile("---List---\r\ngrin.png - :D\r\nlong.gif - toolongshortcut\r\n");
        rig.Load();
        rig.form.OnShown();
        rig.file1.SetSelected(4, false);
        EXPECT_EQ(Utf8s(rig.file1.shortcuts), shortcuts);
        EXPECT_EQ(Utf8s(rig.file1.results), Texts(6, ""));
        rig.chkOverwrite.value = run.overwrite;
        rig.windows.StartMessenger(
            {}, {{collision, "old", "C:\\old.gif"}, {"toolon2", "old", "C:\\old.gif"}});
        EXPECT_FALSE(rig.Click());
        const Texts results = {run.collisionResult, refused, refusedOnce, "Added as (happy)",
                               "", run.replacementResult};
        EXPECT_EQ(Utf8s(rig.file1.results), results);
        EXPECT_EQ(rig.ToolTips(), (Texts{run.collisionResult, refused, refusedOnce,
                                         "Added as (happy)", "Shortcut: (left)",
                                         run.replacementResult}));
        EXPECT_EQ(rig.form.EntryToolTip(6), u"") << "past the list";
        EXPECT_EQ(Utf8s(rig.file1.shortcuts), shortcuts) << "what the next Add sends";
    }
}

// As a run goes, the row in hand reads "Adding..." and the list follows it; each row then says
// what became of its picture. The run before's results are gone from the start, so that a
// row the run does not reach reads empty. The list is told only the texts that change.
TEST(PictureColumns, TheResultFollowsTheRun) {
    Rig rig({u"a.gif", u"b.gif", u"c.gif"});
    rig.Load();
    rig.windows.StartMessenger({});
    EXPECT_FALSE(rig.Click());
    rig.windows.PumpFor(10);  // Messenger closes its dialog while the box is read
    rig.file1.SetSelected(1, false);
    rig.file1.followed.clear();
    std::vector<Texts> seen;
    rig.windows.onPump = [&] {
        const Texts now = Utf8s(rig.file1.results);
        if (seen.empty() || seen.back() != now) seen.push_back(now);
    };
    const std::size_t told = rig.file1.textsTold;
    EXPECT_FALSE(rig.Click());  // Messenger has all three now: a and c are left out
    const std::string leftOut = "Left out: an emoticon has the shortcut ";
    EXPECT_EQ(seen, (std::vector<Texts>{{"Added as (a)", "Added as (b)", "Added as (c)"},
                                        {"Adding...", "", ""},
                                        {leftOut + "(a)", "", "Adding..."}}));
    EXPECT_EQ(Utf8s(rig.file1.results), (Texts{leftOut + "(a)", "", leftOut + "(c)"}));
    EXPECT_EQ(rig.file1.followed, (std::vector<int>{0, 2}));
    EXPECT_EQ(rig.file1.textsTold - told, 3 + 2 * 2u) << "three cleared, two a picture";
}

// Nothing is read for the Shortcut column until the window has shown; once it has, a change
// to the list file reaches the column (and the tool tips) when the window is active again,
// the changed rows alone.
TEST(PictureColumns, ShortcutsFollowTheListFileOnceTheWindowShows) {
    Rig rig({u"grin.png", u"smile.gif", u"smile.png"});
    rig.SetListFile("---List---\r\ngrin.png - :D\r\n");
    rig.Load();
    rig.form.OnActivated();
    EXPECT_TRUE(rig.files.opened.empty()) << "nothing is read before the window shows";
    EXPECT_EQ(Utf8s(rig.file1.shortcuts), Texts(3, ""));
    rig.form.OnShown();
    EXPECT_EQ(Utf8s(rig.file1.shortcuts),
              (Texts{":D  (from Readme.txt)", "(smile)", "(smil2)"}));
    EXPECT_EQ(rig.ToolTips(), (Texts{"Shortcut from Readme.txt: :D", "Shortcut: (smile)",
                                     "Shortcut: (smil2)"}));

    rig.SetListFile("---List---\r\nsmile.png - :-)\r\n");
    const std::size_t told = rig.file1.textsTold;
    rig.form.OnActivated();
    EXPECT_EQ(Utf8s(rig.file1.shortcuts),
              (Texts{"(grin)", "(smile)", ":-)  (from Readme.txt)"}));
    EXPECT_EQ(rig.file1.textsTold, told + 2) << "the two rows that changed";
    EXPECT_EQ(rig.form.EntryToolTip(2), u"Shortcut from Readme.txt: :-)");
    rig.form.OnActivated();
    EXPECT_EQ(rig.file1.textsTold, told + 2) << "nothing changed";

    rig.files.files.erase(kListFile);
    rig.form.OnActivated();
    EXPECT_EQ(Utf8s(rig.file1.shortcuts), (Texts{"(grin)", "(smile)", "(smil2)"}));
}

// A picture the list cannot show says why in its Result, and stays selected: Messenger
// decides. The outcome of a run that enters it takes its place.
TEST(PictureColumns, ThePictureStatesThatShowNoPictureSayWhy) {
    Rig rig({u"a.gif", u"b.jpg", u"c.png", u"d.bmp"});
    rig.Load();
    rig.form.OnPictureRead(0, PictureState::Shown);
    rig.form.OnPictureRead(1, PictureState::Unreadable);
    rig.form.OnPictureRead(2, PictureState::TooLarge);
    EXPECT_EQ(Utf8s(rig.file1.results),
              (Texts{"", "Not a picture that Windows can read", "Too large to show here", ""}));
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(rig.file1.IsSelected(i)) << i;

    rig.file1.SetSelected(2, false);
    rig.windows.StartMessenger({});
    EXPECT_FALSE(rig.Click());
    EXPECT_EQ(Utf8s(rig.file1.results),
              (Texts{"Added as (a)", "Added as (b)", "Too large to show here", "Added as (d)"}));
}

}  // namespace
}  // namespace pimbrel::testing
