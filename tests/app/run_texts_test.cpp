// What the user is told of a run: the account under the success message, and each list
// entry's tool tip before a run.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "rig.h"

namespace pimbrel::testing {
namespace {

// In list order: colliding with an emoticon Messenger has already (its name is one the code
// page cannot hold, so is its shortcut), refused twice (its file is no picture), refused
// once under its listed shortcut, plain, and refused under its listed shortcut and then
// colliding under the replacement, which the account names. The box spells every name in
// full.
TEST(Account, TheBoxSaysWhatBecameOfEachPicture) {
    const std::string collision = "(" + std::string(5, '?') + ")";
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
    } runs[] = {
        {0, head + u8"Left out (Overwrite is not ticked):\nсмайл.gif: an emoticon has " +
                collision + "\nlong.gif: an emoticon has toolon2" + refused},
        {1, head + u8"Replaced (Overwrite is ticked):\nсмайл.gif: the emoticon with " +
                collision + "\nlong.gif: the emoticon with toolon2" + refused},
    };
    for (const auto& run : runs) {
        Rig rig({u"broken.gif", u"grin.png", u"happy.gif", u"long.gif", u"смайл.gif"});
        rig.SetListFile("---List---\r\ngrin.png - :D\r\nlong.gif - toolongshortcut\r\n");
        rig.Load();
        rig.chkOverwrite.value = run.overwrite;
        rig.windows.StartMessenger(
            {}, {{collision, "old", "C:\\old.gif"}, {"toolon2", "old", "C:\\old.gif"}});
        EXPECT_FALSE(rig.Click());
        EXPECT_EQ(rig.toolkit.boxes, Texts{run.account});
    }
}

TEST(Account, TenNamesAGroupThenHowManyMore) {
    std::vector<std::u16string> pictures;
    std::vector<standin::Emoticon> store;
    Texts names;
    for (int i = 0; i < 11; ++i) {
        names.push_back("p" + std::to_string(i));
        pictures.push_back(U16(names.back() + ".gif"));
        store.push_back({"(" + names.back() + ")", "old", "C:\\old.gif"});
    }
    std::sort(names.begin(), names.end());  // as the list orders them
    Rig rig(pictures);
    rig.Load();
    rig.windows.StartMessenger({}, store);
    EXPECT_FALSE(rig.Click());
    std::string want =
        "The emoticons are added succesfully.\n\nLeft out (Overwrite is not ticked):";
    for (int i = 0; i < 10; ++i)
        want += "\n" + names[i] + ".gif: an emoticon has (" + names[i] + ")";
    EXPECT_EQ(rig.toolkit.boxes, Texts{want + "\nand 1 more"});
}

// The list file's names find their pictures by letter case alone, the platform's, the first
// of equal ones, a later entry winning; the tool tip shows what the next Add would send, and
// says so when Messenger will refuse it for its length in characters (not bytes).
TEST(ToolTip, BeforeARunShowsTheShortcutTheListGives) {
    const std::string tooLong = " (too long: Messenger takes 7 characters at most)";
    const struct {
        const char* codePage;
        std::vector<std::u16string> pictures;
        std::u16string list;
        Texts tips;
    } table[] = {
        {"",
         {u"cool.jpg", u" wink.gif", u"smile.gif", u"Wink.PNG", u"wink.png", u"x.gif",
          u"seven.gif", u"eight.gif"},
         u"SMILE.GIF - :first\r\nsmile.gif - :-)\r\nwink.gif - ;)\r\nWINK.png - ;-)\r\n"
         u"cool - B)\r\nx.gif - x\r\ngone.gif - :x\r\nseven.gif - 1234567\r\n"
         u"eight.gif - 12345678\r\n",
         {"Shortcut: ( w)", "Shortcut: (cool)", "Shortcut from Readme.txt: 12345678" + tooLong,
          "Shortcut from Readme.txt: 1234567", "Shortcut from Readme.txt: :-)",
          "Shortcut from Readme.txt: ;-)", "Shortcut: (wink)", "Shortcut: (x)"}},
        {"CP1252", {u"Été.gif"}, u"éTÉ.GIF - (été)", {"Shortcut from Readme.txt: (été)"}},
        {"CP932", {u"ｓｍｉｌｅ.png", u"表.gif", u"ハート.gif", u"笑.gif"},
         u"ＳＭＩＬＥ.PNG - (笑)\r\n表.GIF - (表)\r\nハート.gif - ハートハートハート\r\n"
         u"笑.gif - 笑笑笑笑笑笑笑",
         {"Shortcut from Readme.txt: (笑)", "Shortcut from Readme.txt: ハートハートハート" + tooLong,
          "Shortcut from Readme.txt: 笑笑笑笑笑笑笑", "Shortcut from Readme.txt: (表)"}},
    };
    for (const auto& row : table) {
        const auto codePage =
            *row.codePage ? std::make_unique<IconvCodePage>(row.codePage) : nullptr;
        Rig rig(row.pictures);
        rig.SetListFile(ToAnsi(u"---List---\r\n" + row.list));
        rig.Load();
        EXPECT_EQ(rig.ToolTips(), row.tips) << row.codePage;
    }
}

}  // namespace
}  // namespace pimbrel::testing
