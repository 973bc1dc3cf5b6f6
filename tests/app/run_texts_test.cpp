// What the user is told of a run: the account under the success message and each list
// entry's tool tip, before and after a run.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "messenger/functions.h"
#include "rig.h"

namespace pimbrel::testing {
namespace {

// In list order: refused twice (its file is no picture), refused once under its listed
// shortcut, plain, and colliding with an emoticon Messenger has already.
TEST(Account, TheBoxAndTheToolTipsSayWhatBecameOfEachPicture) {
    const std::string head =
        "The emoticons are added succesfully.\n\n"
        "Added under another shortcut:\n"
        "grin.png: :D refused, added as :D2\n\n";
    const std::string refused =
        "\n\nNot added (Messenger refused them twice):\n"
        "broken.gif: (broke) and (broke2 refused";
    const struct {
        int overwrite;
        std::string account;
        std::string smileTip;
    } runs[] = {
        {0, head + "Left out (Overwrite is not ticked):\nsmile.gif: an emoticon has (smile)" + refused,
         "Left out: an emoticon has the shortcut (smile)"},
        {1, head + "Replaced (Overwrite is ticked):\nsmile.gif: the emoticon with (smile)" + refused,
         "Added as (smile), replacing the emoticon that had it"},
    };
    for (const auto& run : runs) {
        Rig rig({u"broken.gif", u"grin.png", u"happy.gif", u"smile.gif"});
        rig.SetListFile("---List---\r\ngrin.png - :D\r\n");
        rig.Load();
        rig.chkOverwrite.value = run.overwrite;
        rig.windows.StartMessenger({}, {{"(smile)", "old", "C:\\old.gif"}});
        EXPECT_FALSE(rig.Click());
        EXPECT_EQ(rig.toolkit.boxes, Texts{run.account});
        EXPECT_EQ(rig.ToolTips(), (Texts{"Not added: Messenger refused (broke) and (broke2",
                                         "Messenger refused :D; added as :D2", "Added as (happy)",
                                         run.smileTip}));
        EXPECT_EQ(rig.form.EntryToolTip(4), u"") << "past the list";
    }
}

// The box spells a name in full even where the code page could not: only the shortcut sent
// lost its letters.
TEST(Account, NamesThePictureAsTheFileSystemSpellsIt) {
    const std::string sent = "(" + std::string(5, '?') + ")";
    Rig rig({u"смайл.gif"});
    rig.Load();
    rig.windows.StartMessenger({}, {{sent, "old", "C:\\old.gif"}});
    EXPECT_FALSE(rig.Click());
    EXPECT_EQ(rig.toolkit.boxes, Texts{u8"The emoticons are added succesfully.\n\n"
                                 u8"Left out (Overwrite is not ticked):\n"
                                 u8"смайл.gif: an emoticon has " + sent});
}

TEST(Account, TenNamesAGroupThenHowManyMore) {
    for (const int count : {10, 13}) {
        std::vector<std::u16string> pictures;
        std::vector<standin::Emoticon> store;
        Texts names;
        for (int i = 0; i < count; ++i) {
            names.push_back("p" + std::to_string(i));
            pictures.push_back(U16(names.back() + ".gif"));
            store.push_back({"(" + names.back() + ")", "old", "C:\\old.gif"});
        }
        std::sort(names.begin(), names.end());  // as the list orders them
        Rig rig(pictures);
        rig.Load();
        rig.windows.StartMessenger({}, store);
        EXPECT_FALSE(rig.Click());
        std::string want = "The emoticons are added succesfully.\n\nLeft out (Overwrite is not ticked):";
        for (int i = 0; i < 10; ++i) want += "\n" + names[i] + ".gif: an emoticon has (" + names[i] + ")";
        EXPECT_EQ(rig.toolkit.boxes, Texts{want + (count == 10 ? "" : "\nand 3 more")});
    }
}

// The list file's names find their pictures by letter case alone, the platform's, the first
// of equal ones, a later entry winning; the tool tip shows what the next Add would send.
TEST(ToolTip, BeforeARunShowsTheShortcutTheListGives) {
    const struct {
        const char* codePage;
        std::vector<std::u16string> pictures;
        std::u16string list;
        Texts tips;
    } table[] = {
        {"",
         {u"cool.jpg", u" wink.gif", u"smile.gif", u"Wink.PNG", u"wink.png", u"x.gif"},
         u"SMILE.GIF - :first\r\nsmile.gif - :-)\r\nwink.gif - ;)\r\nWINK.png - ;-)\r\n"
         u"cool - B)\r\nx.gif - x\r\ngone.gif - :x\r\n",
         {"Shortcut: ( w)", "Shortcut: (cool)", "Shortcut from Readme.txt: :-)",
          "Shortcut from Readme.txt: ;-)", "Shortcut: (wink)", "Shortcut: (x)"}},
        {"CP1252", {u"Été.gif"}, u"éTÉ.GIF - (été)", {"Shortcut from Readme.txt: (été)"}},
        {"CP932", {u"ｓｍｉｌｅ.png", u"表.gif"}, u"ＳＭＩＬＥ.PNG - (笑)\r\n表.GIF - (表)",
         {"Shortcut from Readme.txt: (笑)", "Shortcut from Readme.txt: (表)"}},
    };
    for (const auto& row : table) {
        const auto codePage = *row.codePage ? std::make_unique<IconvCodePage>(row.codePage) : nullptr;
        Rig rig(row.pictures);
        rig.SetListFile(ToAnsi(u"---List---\r\n" + row.list));
        rig.Load();
        EXPECT_EQ(rig.ToolTips(), row.tips) << row.codePage;
    }
}

TEST(ToolTip, ReadsTheListOnlyWhenNeededAndAgainAfterActivation) {
    Rig rig({u"grin.png", u"smile.gif", u"smile.png"});
    rig.SetListFile("---List---\r\ngrin.png - :D\r\n");
    rig.Load();
    loopCount = 0;
    EXPECT_TRUE(rig.files.opened.empty()) << "nothing is read before a tool tip is needed";
    EXPECT_EQ(rig.ToolTips(), (Texts{"Shortcut from Readme.txt: :D", "Shortcut: (smile)",
                                     "Shortcut: (smil2)"}));
    EXPECT_EQ(rig.files.opened.size(), 1u) << "read once for every tool tip";
    EXPECT_EQ(loopCount, 0) << "no run's budget is spent";

    rig.SetListFile("---List---\r\ngrin.png - :-D\r\n");
    rig.form.OnActivated();
    EXPECT_EQ(rig.form.EntryToolTip(0), u"Shortcut from Readme.txt: :-D");
    // A picture that a run left alone keeps showing what the next Add sends.
    rig.file1.SetSelected(0, false);
    rig.windows.StartMessenger({});
    EXPECT_FALSE(rig.Click());
    EXPECT_EQ(rig.ToolTips(), (Texts{"Shortcut from Readme.txt: :-D", "Added as (smile)",
                                     "Added as (smil2)"}));
}

}  // namespace
}  // namespace pimbrel::testing
