// What the user is told of a run: the account under the success message and each list
// entry's tool tip, before and after a run.
#include <gtest/gtest.h>

#include "app/run_texts.h"
#include "messenger/functions.h"
#include "shortcuts/characters.h"
#include "rig.h"

namespace pimbrel::testing {
namespace {

// In list order: refused twice (its file is no picture), refused once under its listed
// shortcut, plain, and colliding with an emoticon Messenger has already.
Rig& PromptingRun(Rig& rig, int overwrite) {
    rig.SetListFile("---List---\r\ngrin.png - :D\r\n");
    rig.Load();
    rig.chkOverwrite.value = overwrite;
    rig.windows.StartMessenger({}, {{"(smile)", "old", "C:\\old.gif"}});
    EXPECT_FALSE(rig.Click());
    return rig;
}

const std::vector<std::u16string> kPictures = {u"broken.gif", u"grin.png", u"happy.gif",
                                               u"smile.gif"};

TEST(Account, EachKindOfPromptGetsItsGroup) {
    struct Case {
        int overwrite;
        std::string account;
    };
    const std::string shared =
        "The emoticons are added succesfully.\n\n"
        "Added under another shortcut:\n"
        "grin.png: :D refused, added as :D2\n\n";
    const std::string refused =
        "\n\nNot added (Messenger refused them twice):\n"
        "broken.gif: (broke) and (broke2 refused";
    for (const Case& c : std::vector<Case>{
             {0, shared + "Left out (Overwrite is not ticked):\n"
                          "smile.gif: an emoticon has (smile)" + refused},
             {1, shared + "Replaced (Overwrite is ticked):\n"
                          "smile.gif: the emoticon with (smile)" + refused}}) {
        Rig rig(kPictures);
        PromptingRun(rig, c.overwrite);
        EXPECT_EQ(rig.Boxes(), std::vector<std::string>{c.account});
    }
}

// The box spells a name in full even where the code page could not: only the shortcut sent
// lost its letters.
TEST(Account, NamesThePictureAsTheFileSystemSpellsIt) {
    Rig rig({u"смайл.gif"});
    rig.Load();
    rig.windows.StartMessenger({}, {{"(?????)", "old", "C:\\old.gif"}});
    EXPECT_FALSE(rig.Click());
    EXPECT_EQ(rig.Boxes(), std::vector<std::string>{u8"The emoticons are added succesfully.\n\n"
                                                    u8"Left out (Overwrite is not ticked):\n"
                                                    u8"смайл.gif: an emoticon has (?????)"});
}

TEST(Account, TenNamesAGroupThenHowManyMore) {
    std::vector<PictureReport> reports;
    std::vector<Text> names;
    const auto number = [](std::size_t i) {
        const std::string digits = std::to_string(i);
        return std::u16string(digits.begin(), digits.end());
    };
    for (std::size_t i = 0; i < 13; ++i) {
        names.push_back(u"p" + number(i) + u".gif");
        reports.push_back({i, EntryOutcome::LeftOut, u"", u"(p" + number(i) + u")"});
    }
    reports.push_back({13, EntryOutcome::Stored, u"", u"(ok)"});
    names.push_back(u"ok.gif");
    std::string want = "The emoticons are added succesfully.\n\n"
                       "Left out (Overwrite is not ticked):";
    for (int i = 0; i < 10; ++i)
        want += "\np" + std::to_string(i) + ".gif: an emoticon has (p" + std::to_string(i) + ")";
    EXPECT_EQ(Utf8(SuccessMessage(reports, names)), want + "\nand 3 more");
    reports.resize(10);
    EXPECT_EQ(Utf8(SuccessMessage(reports, names)), want);
}

TEST(ToolTip, SaysWhatTheLastRunDidWithEachPicture) {
    Rig rig(kPictures);
    PromptingRun(rig, 0);
    EXPECT_EQ(rig.form.EntryToolTip(0), u"Not added: Messenger refused (broke) and (broke2");
    EXPECT_EQ(rig.form.EntryToolTip(1), u"Messenger refused :D; added as :D2");
    EXPECT_EQ(rig.form.EntryToolTip(2), u"Added as (happy)");
    EXPECT_EQ(rig.form.EntryToolTip(3), u"Left out: an emoticon has the shortcut (smile)");
    EXPECT_EQ(rig.form.EntryToolTip(4), u"");
    EXPECT_EQ(rig.form.EntryToolTip(-1), u"");
}

TEST(ToolTip, BeforeARunShowsTheShortcutTheNextAddSends) {
    Rig rig({u"grin.png", u"smile.gif", u"smile.png", u"x.gif"});
    rig.SetListFile("---List---\r\ngrin.png - :D\r\nx.gif - x\r\n");
    rig.Load();
    loopCount = 0;
    EXPECT_TRUE(rig.files.opened.empty()) << "nothing is read before a tool tip is needed";
    EXPECT_EQ(rig.form.EntryToolTip(0), u"Shortcut from Readme.txt: :D");
    EXPECT_EQ(rig.form.EntryToolTip(2), u"Shortcut: (smil2)");
    EXPECT_EQ(rig.form.EntryToolTip(3), u"Shortcut: (x)") << "one character is not used";
    EXPECT_EQ(rig.files.opened.size(), 1u) << "read once for every tool tip";
    EXPECT_EQ(loopCount, 0) << "no run's budget is spent";

    rig.SetListFile("---List---\r\ngrin.png - :-D\r\n");
    rig.form.OnActivated();
    EXPECT_EQ(rig.form.EntryToolTip(0), u"Shortcut from Readme.txt: :-D");
    // A picture that an unselected run left alone keeps showing what the next Add sends.
    rig.file1.SetSelected(0, false);
    rig.windows.StartMessenger({});
    EXPECT_FALSE(rig.Click());
    EXPECT_EQ(rig.form.EntryToolTip(0), u"Shortcut from Readme.txt: :-D");
    EXPECT_EQ(rig.form.EntryToolTip(1), u"Added as (smile)");
}

TEST(ToolTip, AnUnreadableListFileGivesTheAutomaticShortcutAndNoBox) {
    Rig rig({u"grin.png"});
    rig.files.locked[std::u16string(kFolder) + u"\\Readme.txt"] = "Access is denied.";
    rig.Load();
    EXPECT_EQ(rig.form.EntryToolTip(0), u"Shortcut: (grin)");
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

}  // namespace
}  // namespace pimbrel::testing
