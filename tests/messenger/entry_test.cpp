// Whole Add runs into the Messenger model: exactly what Messenger is sent for each client,
// prompt and delay.
#include <gtest/gtest.h>

#include "messenger/functions.h"
#include "rig.h"
#include "shortcuts/code_page.h"

namespace pimbrel::testing {
namespace {

using standin::Role;

// An Add run of `pictures` (UTF-8, in list order; "NAME - SHORTCUT" lists that shortcut in
// Readme.txt) into a Messenger with these options and emoticons.
struct Scenario {
    Texts pictures;
    standin::Options options = {};
    std::vector<standin::Emoticon> store = {};
    int overwrite = 0;
    std::vector<int> unselected = {};
    bool reuseHandles = false;  // the system gives a gone window's handle to the next one
};

struct Outcome {
    Texts sent;
    long passes, pumps;
    std::uint64_t slept;
};

Outcome Run(const Scenario& given, SettlingPause pause) {
    std::vector<std::u16string> names;
    std::string list = "---List---\r\n";
    for (const std::string& picture : given.pictures) {
        names.push_back(U16(picture.substr(0, picture.find(" - "))));
        list += picture + "\r\n";
    }
    Rig rig(names, nullptr, pause);
    rig.SetListFile(ToAnsi(U16(list)));
    rig.Load();
    for (int index : given.unselected) rig.file1.SetSelected(index, false);
    rig.chkOverwrite.value = given.overwrite;
    rig.windows.reuseHandles = given.reuseHandles;
    rig.windows.StartMessenger(given.options, given.store);
    EXPECT_FALSE(rig.Click()) << "the program ended";
    return {rig.Sent(), loopCount, rig.windows.Pumps(),
            rig.windows.SleptMs()};
}

// Runs the scenario with the full settling pause and with the one that ends at the outcome:
// Messenger must get the same from both. Gives the second run's outcome.
Outcome Enter(const Scenario& given) {
    const Outcome full = Run(given, SettlingPause::Full);
    const Outcome run = Run(given, SettlingPause::UntilOutcome);
    EXPECT_EQ(full.sent, run.sent) << "the full settling pause";
    return run;
}

const std::string kOpen = "post Main 4294942017/0";
const std::string kOpenNewer = "post Main 4294942110/0";
const std::string kClose = "post Emoticon 1/2622856";

// A text sent to an Edit, given in UTF-8; it goes out in the code page.
std::string SentText(const std::string& edit, const std::string& text) {
    return "text " + edit + " 256/0 \"" + ToAnsi(U16(text)) + "\"";
}

// Opening the create dialog, its three texts and the confirm.
Texts Fill(const std::string& name, const std::string& shortcut, bool newer = false) {
    return {newer ? "post Emoticon 2326/0" : "post Emoticon 1420/1311244",
            SentText("PathEdit", kFolderText + "\\" + name), SentText("ShortcutEdit", shortcut),
            SentText("NameEdit", name.substr(0, name.find('.'))), "post Create 1/1837380"};
}

// The fill of a create dialog that had to be pinged first (Messenger minimised).
Texts PingedFill(const std::string& name, const std::string& shortcut) {
    Texts fill = Fill(name, shortcut);
    fill.insert(fill.begin() + 1, "ping Create");
    return fill;
}

// The answer to a one-Button prompt: dismissed, the replacement shortcut, confirmed again.
Texts Dismissed(const std::string& replacement) {
    return {"post Prompt 2/264158", SentText("ShortcutEdit", replacement), "post Create 1/1837380"};
}
const Texts kOverwriteYes = {"post Prompt 1/1968352"};
const Texts kOverwriteNo = {"post Prompt 2/3082306", "post Create 2/854760"};
// The one-Button prompt dismissed again, and the create dialog closed.
const Texts kGivenUp = {"post Prompt 2/264158", "post Create 2/854760"};

TEST(Entry, OlderClientGetsEachSelectedPicture) {
    Scenario given{{"cool.jpg - B)", "smile.gif", "wink.a.png - ;^)"}};
    given.unselected = {1};
    const Outcome got = Enter(given);
    EXPECT_EQ(got.sent, Texts{kOpen} + Fill("cool.jpg", "B)") + Fill("wink.a.png", ";^)") +
                            Texts{kClose});
    EXPECT_EQ(got.passes, 1 + 2) << "the dialog's and one fill pass each, all pumped";
    EXPECT_EQ(got.pumps, 1 + 2 * 2) << "and the pump after each confirm that shows it taken";
    EXPECT_EQ(got.slept, 0u) << "the older client never sleeps";
}

TEST(Entry, NewerClientSleepsAfterEveryIndex) {
    Scenario given{{"a.gif", "b.gif", "c.gif"}};
    given.options.client = standin::ClientKind::Newer;
    given.unselected = {0, 2};
    const Outcome got = Enter(given);
    EXPECT_EQ(got.sent, Texts{kOpenNewer} + Fill("b.gif", "(b)", true) + Texts{kClose});
    EXPECT_EQ(got.slept, 3 * 10 + 250u) << "after every index, and before the close";
}

// Messenger's one dialog open before the run is the emoticon dialog when it has its eight
// Buttons, and is otherwise left alone for the one the open command brings.
TEST(Entry, DialogOpenBeforeTheRunIsTakenOnlyWithEightButtons) {
    for (const int buttons : {0, 1, 7, 8, 9, 12}) {
        Scenario given{{"a.gif"}};
        given.options.preexistingDialogButtons = buttons;
        EXPECT_EQ(Enter(given).sent, Texts{kOpen} + Fill("a.gif", "(a)") + Texts{kClose})
            << buttons << " Buttons";
    }
}

// A create dialog shown before its Edits exist (not one the dialog manager made): they appear
// one pass after another, and each pass sends the texts to those that are there.
TEST(Entry, TextsGoAgainUntilTheThirdEditShows) {
    Rig rig({u"smile.gif"});
    rig.Load();
    FakeWindows& windows = rig.windows;
    const WindowId main = windows.AddTopLevel("MSNMSBLClass");
    WindowId emoticon = 0, create = 0;
    windows.onPump = [&] {
        const long pump = windows.Pumps();
        if (pump == 1) emoticon = windows.AddTopLevel("#32770", main);
        if (pump == 2) create = windows.CreateTopLevel(Role::Create, "#32770", emoticon, "");
        if (pump == 2) windows.Show(create, standin::Visibility::Shown);
        if (pump == 3) windows.CreateChild(create, Role::PathEdit, "Edit", "");
        if (pump == 4) windows.CreateChild(create, Role::ShortcutEdit, "Edit", "");
        if (pump == 5) windows.CreateChild(create, Role::NameEdit, "Edit", "");
        if (pump == 6) windows.Destroy(create);
    };
    EXPECT_FALSE(rig.Click());
    const std::string path = SentText("PathEdit", kFolderText + "\\smile.gif");
    const std::string shortcut = SentText("ShortcutEdit", "(smile)");
    EXPECT_EQ(rig.Sent(), (Texts{"post Other 4294942017/0", "post Other 1420/1311244", path, path,
                                 shortcut, path, shortcut, SentText("NameEdit", "smile"),
                                 "post Create 1/1837380", "post Other 1/2622856"}));
}

// On Japanese Windows (code page 932) the texts go out in its bytes and every choice and cut
// counts characters: a listed shortcut of one two-byte character is not used, a refused one
// keeps six characters, and a character the code page cannot hold goes as "?".
TEST(Entry, DoubleByteTextsAreChosenAndCutByCharacter) {
    const IconvCodePage cp932("CP932");
    const Outcome got = Enter({{"한국.png", "ハート.gif - ハートハートハート", "笑顔.png - 笑"}});
    EXPECT_EQ(got.sent, Texts{kOpen} + Fill("한국.png", "(한국)") +
                            Fill("ハート.gif", "ハートハートハート") + Dismissed("ハートハート2") +
                            Fill("笑顔.png", "(笑顔)") + Texts{kClose});
}

// Each prompt gets the answer its complete form calls for, and nothing else is sent, whatever
// Messenger is like; the next picture goes in after it.
TEST(Entry, EachPromptGetsItsAnswerWhateverMessengerIsLike) {
    const struct {
        std::string picture;   // with its listed shortcut
        std::string shortcut;  // sent for it
        int overwrite;
        Texts answer;
    } prompts[] = {
        // the shortcut of an emoticon Messenger has
        {"smile.gif", "(smile)", 1, kOverwriteYes},
        {"smile.gif", "(smile)", -1, kOverwriteYes},
        {"smile.gif", "(smile)", 0, kOverwriteNo},
        // refused shortcuts (one of Messenger's own, too long, or what the window took of a
        // listed one up to its NUL) give way to their first six characters and a 2
        {"Y.gif", "(Y)", 0, Dismissed("(Y)2")},
        {"big.gif - toolongshortcut", "toolongshortcut", 0, Dismissed("toolon2")},
        {std::string("smile.gif - :)\0tail", 19), std::string(":)\0tail", 7), 0, Dismissed(":)2")},
        // no picture: refused under its shortcut and under the replacement, then left out
        {"broken.gif", "(broke)", 0, Dismissed("(broke2") + kGivenUp},
    };
    const struct {
        const char* name;
        void (*set)(Scenario&);
    } messengers[] = {
        {"making its dialogs at once", [](Scenario&) {}},
        // As the dialog manager does: the window first, hidden, then a Button every 3 ms, and
        // shown last. The run meets each prompt half made (a two-Button prompt with one
        // Button, a one-Button prompt with none).
        {"making a control every 3 ms", [](Scenario& given) { given.options.buildGapMs = 3; }},
        // The dialog is waited on, each pass counted, so that the next picture does not go
        // into it.
        {"answering after the settling pause",
         [](Scenario& given) { given.options.promptDelayMs = 1010; }},
        // The prompt answered is still there at the next looks: the same prompt, not a
        // second refusal.
        {"taking each command 4 ms after the last",
         [](Scenario& given) { given.options.commandDelayMs = 4; }},
        // It hides the create dialog once the entry is taken and shows it again, emptied, for
        // the next open command: hidden after the confirm counts as taken, and the dialog is
        // filled only once shown again.
        {"keeping its create dialog",
         [](Scenario& given) {
             given.options.reuseCreateDialog = true;
             given.options.createDelayMs = 5;
             given.options.buildGapMs = 3;
         }},
        // A look falls between the answered prompt and the next, which may take its handle
        // value: the new prompt is told from the old.
        {"giving a gone window's handle to the next",
         [](Scenario& given) {
             given.options.promptDelayMs = 2;
             given.reuseHandles = true;
         }},
    };
    for (const auto& prompt : prompts) {
        for (const auto& messenger : messengers) {
            SCOPED_TRACE(prompt.picture + ", overwrite " + std::to_string(prompt.overwrite) +
                         ", Messenger " + messenger.name);
            Scenario given{{prompt.picture, "zoo.gif"}, {}, {{"(smile)", "old", "C:\\old.gif"}}};
            given.overwrite = prompt.overwrite;
            messenger.set(given);
            const std::string name = given.pictures[0].substr(0, given.pictures[0].find(" - "));
            EXPECT_EQ(Enter(given).sent, Texts{kOpen} + Fill(name, prompt.shortcut) +
                                             prompt.answer + Fill("zoo.gif", "(zoo)") +
                                             Texts{kClose});
        }
    }
}

// Messenger minimised: its dialogs stay hidden, so hidden says nothing about half made.
// Each dialog counts as complete once Messenger's thread has answered a ping sent after it
// was found; the prompts, seen half made, get the answers of their complete forms.
TEST(Entry, MinimisedMessengerIsAnsweredAsItsCompletePromptsAsk) {
    Scenario given{
        {"grin.gif - :D", "next.gif", "smile.gif"}, {}, {{"(smile)", "old", "C:\\old.gif"}}, 1};
    given.options.minimised = true;
    given.options.buildGapMs = 3;
    given.options.promptDelayMs = 2;
    const Outcome got = Enter(given);
    EXPECT_EQ(got.sent, Texts{kOpen} + PingedFill("grin.gif", ":D") + Texts{"ping Prompt"} +
                            Dismissed(":D2") + PingedFill("next.gif", "(next)") +
                            PingedFill("smile.gif", "(smile)") + Texts{"ping Prompt"} +
                            kOverwriteYes + Texts{kClose});
}

// Messenger stops answering for 40 ms while it handles one of the texts (1 the path, 2 the
// shortcut, 3 the name, 4 the replacement): the program pumps its window meanwhile, counts no
// pass, as a blocking send counted none, and then goes on exactly as it would have.
TEST(Entry, TextNotTakenYetCostsNoPass) {
    const Scenario plain{{"smile.gif - :)", "wink.gif"}};
    const Outcome unhung = Enter(plain);
    for (const std::uint32_t text : {1u, 2u, 3u, 4u}) {
        Scenario given = plain;
        given.options.hangAtText = text;
        given.options.hangMs = 40;
        const Outcome got = Enter(given);
        EXPECT_EQ(got.sent, unhung.sent) << "text " << text;
        EXPECT_EQ(got.passes, unhung.passes) << "text " << text;
        EXPECT_EQ(got.pumps, unhung.pumps + 40) << "text " << text;
    }
}

}  // namespace
}  // namespace pimbrel::testing
