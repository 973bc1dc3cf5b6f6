// Entering pictures: the exact messages Messenger receives, for each kind of prompt.
#include <gtest/gtest.h>

#include "fake_toolkit.h"
#include "fake_windows.h"
#include "iconv_code_page.h"
#include "messenger/emoticon_dialog.h"
#include "messenger/functions.h"
#include "messenger/messenger_contract.h"
#include "messenger/picture_entry.h"
#include "shortcuts/code_page.h"

namespace pimbrel::testing {
namespace {

using standin::Role;

const char kFolderPath[] = "C:\\Pics";

// Every case runs with the full settling pause and with the one that ends at the outcome:
// Messenger must get the same messages in the same order from both.
class PictureEntryBase : public ::testing::Test {
protected:
    SettlingPause pause = SettlingPause::Full;
    EventLog log;
    FakeDialogs dialogs{log};
    FakeWindows windows;
    std::vector<PictureToEnter> pictures;
    std::vector<std::u16string> autoShortcuts, listedShortcuts;
    MessengerWindows messenger;
    struct : EntryProgress {
        void Entering(int, int) override {}
    } progress;

    void SetUp() override {
        loopCount = 0;
        loopLimit = 100000;
    }
    // Texts in UTF-8.
    void AddPicture(const std::string& name, const std::string& autoShortcut,
                    const std::string& listed = "", bool selected = true) {
        pictures.push_back({U16(name), U16(std::string(kFolderPath) + "\\" + name), selected});
        autoShortcuts.push_back(U16(autoShortcut));
        listedShortcuts.push_back(U16(listed));
    }
    // Starts Messenger, opens its emoticon dialog, forgets what that sent.
    void StartMessenger(const standin::Options& options, std::vector<standin::Emoticon> store = {}) {
        windows.StartMessenger(options, std::move(store));
        messenger = FindMessengerWindows(windows);
        ASSERT_EQ(OpenEmoticonDialog(windows, dialogs, messenger, true, [] {}),
                  EmoticonDialogOutcome::Found);
        sentBefore_ = windows.Sent().size();
        loopCount = 0;
    }
    // Enters the pictures; true when the program ended inside.
    bool Enter(int overwrite = 0) {
        autoShortcuts.push_back(u"");
        listedShortcuts.push_back(u"");
        try {
            reports = EnterPictures(windows, dialogs, progress, messenger.emoticonDlg,
                                    messenger.newClient, pictures,
                                    ShortcutTables{autoShortcuts, listedShortcuts}, overwrite,
                                    pause);
            return false;
        } catch (const ProgramEnded&) {
            return true;
        }
    }
    std::vector<std::string> Sent() const {
        std::vector<std::string> described;
        for (std::size_t i = sentBefore_; i < windows.Sent().size(); ++i)
            described.push_back(Describe(windows.Sent()[i]));
        return described;
    }
    const std::vector<standin::Emoticon>& Store() { return windows.Messenger()->Store(); }
    // The reports as "INDEX OUTCOME[ REPLACEMENT]".
    std::vector<std::string> Reports() const {
        static const char* const kOutcomes[] = {"stored", "stored as", "left out", "replaced",
                                                "refused"};
        std::vector<std::string> described;
        for (const PictureReport& report : reports)
            described.push_back(std::to_string(report.index) + " " +
                                kOutcomes[static_cast<int>(report.outcome)] +
                                (report.replacement.empty() ? "" : " " + Utf8(report.replacement)));
        return described;
    }
    // Records how the prompt over the create dialog looks at each pump, as "shown 2" or
    // "hidden 1" (its Buttons), each state once in a row.
    void RecordPrompts() {
        windows.onPump = [this] {
            const WindowHandle create =
                FindOwnedWindow(windows, messenger.emoticonDlg, contract::kDialogClass);
            const WindowHandle prompt =
                create ? FindOwnedWindow(windows, create, contract::kDialogClass) : 0;
            if (prompt == 0) return;
            int buttons = 0;
            for (WindowHandle b = windows.FindChildWindow(prompt, 0, contract::kButtonClass);
                 b != 0; b = windows.FindChildWindow(prompt, b, contract::kButtonClass))
                ++buttons;
            const std::string state =
                (windows.IsVisible(prompt) ? "shown " : "hidden ") + std::to_string(buttons);
            if (promptStates.empty() || promptStates.back() != state)
                promptStates.push_back(state);
        };
    }

    std::vector<PictureReport> reports;
    std::vector<std::string> promptStates;

private:
    std::size_t sentBefore_ = 0;
};

class PictureEntryTest : public PictureEntryBase,
                         public ::testing::WithParamInterface<SettlingPause> {
protected:
    void SetUp() override {
        PictureEntryBase::SetUp();
        pause = GetParam();
    }
};

// A text sent to an Edit, given in UTF-8; it goes out in the code page.
std::string SentText(const std::string& edit, const std::string& text) {
    return "text " + edit + " 256/0 \"" + ToAnsi(U16(text)) + "\"";
}

std::vector<std::string> Fill(const std::string& name, const std::string& shortcut,
                              bool newer = false) {
    return {newer ? "post Emoticon 2326/0" : "post Emoticon 1420/1311244",
            SentText("PathEdit", "C:\\Pics\\" + name), SentText("ShortcutEdit", shortcut),
            SentText("NameEdit", Utf8(EmoticonName(U16(name)))), "post Create 1/1837380"};
}

// The fill of a create dialog that had to be pinged first (Messenger minimised).
std::vector<std::string> PingedFill(const std::string& name, const std::string& shortcut) {
    std::vector<std::string> fill = Fill(name, shortcut);
    fill.insert(fill.begin() + 1, "ping Create");
    return fill;
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

using Texts = std::vector<std::string>;

// The answer to a one-Button prompt: dismissed, the replacement shortcut, confirmed again.
Texts Dismissed(const std::string& replacement) {
    return {"post Prompt 2/264158", SentText("ShortcutEdit", replacement),
            "post Create 1/1837380"};
}

TEST_P(PictureEntryTest, OlderClientStoresEachSelectedPicture) {
    AddPicture("smile.gif", "(smile)");
    AddPicture("wink.a.png", "(wink)", ";)", false);
    AddPicture("cool.jpg", "(cool)", "B)");
    StartMessenger({});
    EXPECT_FALSE(Enter());
    EXPECT_EQ(Sent(), Fill("smile.gif", "(smile)") + Fill("cool.jpg", "B)"));
    ASSERT_EQ(Store().size(), 2u);
    EXPECT_EQ(Store()[1].shortcut, "B)");
    EXPECT_EQ(Store()[1].name, "cool");
    EXPECT_EQ(Store()[1].path, "C:\\Pics\\cool.jpg");
    EXPECT_EQ(loopCount, 2) << "one fill pass each before the create dialog showed";
    EXPECT_EQ(windows.SleptMs(), 0u) << "the older client never sleeps";
    // Messenger stores at the first pump after the confirm: the short pause stops there.
    const int settling = pause == SettlingPause::Full ? 1001 : 1;
    EXPECT_EQ(windows.Pumps(), 1 + 2 * (1 + settling));
}

TEST_P(PictureEntryTest, NewerClientSleepsAfterEveryIndex) {
    AddPicture("a.gif", "(a)", "", false);
    AddPicture("b.gif", "(b)");
    AddPicture("c.gif", "(c)", "", false);
    standin::Options newer;
    newer.client = standin::ClientKind::Newer;
    StartMessenger(newer);
    EXPECT_FALSE(Enter());
    EXPECT_EQ(Sent(), Fill("b.gif", "(b)", true));
    EXPECT_EQ(windows.SleptMs(), 30u);
}

TEST_P(PictureEntryTest, FillResendsTextsUntilTheThirdEditShows) {
    // A create dialog shown before its Edits exist (not one the dialog manager made): they
    // appear one pass after another.
    const WindowHandle emoticon = windows.AddTopLevel("#32770");
    messenger.emoticonDlg = emoticon;
    WindowHandle create = 0;
    windows.onPump = [&] {
        const long pump = windows.Pumps();
        if (pump == 2) {
            create = windows.CreateTopLevel(Role::Create, "#32770", emoticon, "");
            windows.Show(create, standin::Visibility::Shown);
        }
        if (pump == 3) windows.CreateChild(create, Role::PathEdit, "Edit", "");
        if (pump == 4) windows.CreateChild(create, Role::ShortcutEdit, "Edit", "");
        if (pump == 5) windows.CreateChild(create, Role::NameEdit, "Edit", "");
        if (pump == 6) windows.Destroy(create);
    };
    AddPicture("smile.gif", "(smile)");
    EXPECT_FALSE(Enter());
    const std::string path = "text PathEdit 256/0 \"C:\\Pics\\smile.gif\"";
    const std::string shortcut = "text ShortcutEdit 256/0 \"(smile)\"";
    EXPECT_EQ(Sent(), (std::vector<std::string>{"post Other 1420/1311244", path, path, shortcut,
                                                path, shortcut,
                                                "text NameEdit 256/0 \"smile\"",
                                                "post Create 1/1837380"}));
    EXPECT_EQ(loopCount, 5);
}

TEST_P(PictureEntryTest, OneButtonPromptGetsTheReplacementShortcut) {
    AddPicture("smile.gif", "(smile)", ":)");
    AddPicture("big.gif", "(big)", "toolongshortcut");
    AddPicture("single.gif", "(single)", "x");
    StartMessenger({});
    EXPECT_FALSE(Enter());
    const std::vector<std::string> expected =
        Fill("smile.gif", ":)") +
        Dismissed(":)2") +
        Fill("big.gif", "toolongshortcut") +
        Dismissed("toolon2") +
        Fill("single.gif", "(single)") +
        Dismissed("(singl2");
    EXPECT_EQ(Sent(), expected);
    ASSERT_EQ(Store().size(), 3u);
    EXPECT_EQ(Store()[0].shortcut, ":)2");
    EXPECT_EQ(Store()[2].shortcut, "(singl2");
}

TEST_P(PictureEntryTest, ReplacementIsBuiltFromTheTextAsSent) {
    AddPicture("smile.gif", "(smile)", std::string(":)\0tail", 7));
    StartMessenger({});
    EXPECT_FALSE(Enter());
    EXPECT_EQ(listedShortcuts[0], u":)") << "the table holds what Messenger got";
    ASSERT_EQ(Store().size(), 1u);
    EXPECT_EQ(Store()[0].shortcut, ":)2");
}

// On Japanese Windows (code page 932) the texts go out in its bytes and every choice and cut
// counts characters: a listed shortcut of one two-byte character is not used, a refused one
// keeps six characters, and a character the code page cannot hold is "?" in the table too.
TEST_P(PictureEntryTest, DoubleByteTextsAreChosenAndCutByCharacter) {
    const IconvCodePage cp932("CP932");
    AddPicture("笑顔.png", "(笑顔)", "笑");
    AddPicture("ハート.gif", "(ハート)", "ハートハートハート");  // too long for the client
    AddPicture("한국.png", "(한국)");
    AddPicture("broken.gif", "(ハートハー)");  // no picture: refused whatever its shortcut
    StartMessenger({});
    EXPECT_FALSE(Enter());
    EXPECT_EQ(Sent(), (Fill("笑顔.png", "(笑顔)") + Fill("ハート.gif", "ハートハートハート") +
                       Dismissed("ハートハート2") + Fill("한국.png", "(?\?)") +
                       Fill("broken.gif", "(ハートハー)") + Dismissed("(ハートハー2") +
                       Texts{"post Prompt 2/264158", "post Create 2/854760"}));
    EXPECT_EQ(Reports(), (Texts{"0 stored", "1 stored as ハートハート2", "2 stored",
                                "3 refused (ハートハー2"}));
    EXPECT_EQ(autoShortcuts[2], u"(?\?)") << "the table holds what Messenger got";
    ASSERT_EQ(Store().size(), 3u);
    EXPECT_EQ(Store()[1].shortcut, ToAnsi(u"ハートハート2"));
    EXPECT_EQ(Store()[2].name, "??");
}

TEST_P(PictureEntryTest, PromptWithoutButtonsIsWaitedOnUntilTheGuard) {
    AddPicture("smile.gif", "(smile)", ":)");
    standin::Options options;
    options.promptsWithoutButtons = true;
    StartMessenger(options);
    loopLimit = 500;
    EXPECT_TRUE(Enter());
    EXPECT_EQ(Sent(), Fill("smile.gif", ":)"));
    EXPECT_EQ(loopCount, 501);
    EXPECT_TRUE(Store().empty());
}

// Messenger answers after the settling pause is over: the dialog is waited on (each pass
// counted) so that the next picture does not go into it.
TEST_P(PictureEntryTest, AnswerAfterTheSettlingPauseIsAwaited) {
    AddPicture("smile.gif", "(smile)", ":)");
    AddPicture("wink.gif", "(wink)");
    AddPicture("cool.gif", "(cool)");
    standin::Options options;
    options.promptDelayMs = 1500;
    StartMessenger(options, {{"(cool)", "old", "C:\\old.gif"}});
    EXPECT_FALSE(Enter(1));
    EXPECT_EQ(Sent(), (Fill("smile.gif", ":)") + Dismissed(":)2") + Fill("wink.gif", "(wink)") +
                       Fill("cool.gif", "(cool)") + Texts{"post Prompt 1/1968352"}));
    ASSERT_EQ(Store().size(), 3u);
    EXPECT_EQ(Store()[0].shortcut, "(cool)");
    EXPECT_EQ(Store()[0].name, "cool") << "overwritten as asked";
    EXPECT_EQ(Store()[1].shortcut, ":)2");
    EXPECT_EQ(Store()[2].shortcut, "(wink)");
}

// A client that hides its create dialog once it has taken the entry and shows it again,
// emptied, for the next open command (here 5 ms later, its dialogs made a control every
// 3 ms): hidden after the confirm counts as taken, and the hidden dialog is filled only once
// the client has shown it for the next picture, after any answer to a prompt as well.
TEST_P(PictureEntryTest, KeptCreateDialogIsFilledOnlyOnceShownAgain) {
    AddPicture("a.gif", "(a)");
    AddPicture("b.gif", "(b)");
    AddPicture("c.gif", "(c)", ":)");
    AddPicture("d.gif", "(d)");
    standin::Options options;
    options.reuseCreateDialog = true;
    options.createDelayMs = 5;
    options.buildGapMs = 3;
    StartMessenger(options, {{"(b)", "old", "C:\\old.gif"}});
    EXPECT_FALSE(Enter(1));
    EXPECT_EQ(Sent(), (Fill("a.gif", "(a)") + Fill("b.gif", "(b)") + Texts{"post Prompt 1/1968352"} +
                          Fill("c.gif", ":)") +
                          Dismissed(":)2") +
                          Fill("d.gif", "(d)")));
    EXPECT_EQ(Reports(), (Texts{"0 stored", "1 replaced", "2 stored as :)2", "3 stored"}));
    ASSERT_EQ(Store().size(), 4u);
    EXPECT_EQ(Store()[0].name, "b");
    EXPECT_EQ(Store()[1].path, "C:\\Pics\\a.gif");
    EXPECT_EQ(Store()[2].shortcut, ":)2");
    EXPECT_EQ(Store()[3].name, "d");
}

// Messenger busy, taking each command 4 ms after the one before: the prompt answered is
// still there at the next looks. It is the same prompt, not a second refusal.
TEST_P(PictureEntryTest, PromptStillClosingIsNotASecondRefusal) {
    AddPicture("smile.gif", "(smile)", ":)");
    AddPicture("next.gif", "(next)");
    standin::Options options;
    options.commandDelayMs = 4;
    StartMessenger(options);
    EXPECT_FALSE(Enter());
    EXPECT_EQ(Sent(), (Fill("smile.gif", ":)") +
                          Dismissed(":)2") +
                          Fill("next.gif", "(next)")));
    EXPECT_EQ(Reports(), (Texts{"0 stored as :)2", "1 stored"}));
    ASSERT_EQ(Store().size(), 2u);
    EXPECT_EQ(Store()[0].shortcut, ":)2");
}

// Messenger minimised: its dialogs stay hidden, so hidden says nothing about half made.
// Each dialog counts as complete once Messenger's thread has answered a ping sent after it
// was found; the prompts, seen half made, get the answers of their complete forms.
TEST_P(PictureEntryTest, MinimisedMessengerIsAnsweredAsItsCompletePromptsAsk) {
    AddPicture("smile.gif", "(smile)");
    AddPicture("grin.gif", "(grin)", ":D");
    AddPicture("next.gif", "(next)");
    standin::Options options;
    options.minimised = true;
    options.buildGapMs = 3;
    StartMessenger(options, {{"(smile)", "old", "C:\\old.gif"}});
    RecordPrompts();
    EXPECT_FALSE(Enter(1));
    EXPECT_EQ(Sent(), (PingedFill("smile.gif", "(smile)") +
                          Texts{"ping Prompt", "post Prompt 1/1968352"} +
                          PingedFill("grin.gif", ":D") +
                          Texts{"ping Prompt"} + Dismissed(":D2") +
                          PingedFill("next.gif", "(next)")));
    EXPECT_EQ(promptStates, (Texts{"hidden 0", "hidden 1", "hidden 2", "hidden 0", "hidden 1"}));
    EXPECT_EQ(Reports(), (Texts{"0 replaced", "1 stored as :D2", "2 stored"}));
    ASSERT_EQ(Store().size(), 3u);
    EXPECT_EQ(Store()[0].name, "smile");
    EXPECT_EQ(Store()[1].shortcut, ":D2");
}

INSTANTIATE_TEST_SUITE_P(Pauses, PictureEntryTest,
                         ::testing::Values(SettlingPause::Full, SettlingPause::UntilOutcome),
                         [](const auto& info) {
                             return info.param == SettlingPause::Full ? "Full" : "UntilOutcome";
                         });


// Messenger stops answering for 40 ms while it handles one of the texts (1 the path, 2 the
// shortcut, 3 the name, 4 the replacement): the program waits in passes that pump and count,
// one a millisecond, and then goes on exactly as it would have; Messenger handles each text
// once.
class HungTextTest : public PictureEntryBase,
                     public ::testing::WithParamInterface<std::uint32_t> {
protected:
    void SetUp() override {
        PictureEntryBase::SetUp();
        pause = SettlingPause::UntilOutcome;
    }
};

TEST_P(HungTextTest, IsWaitedOnInCountedPassesThenTheRunGoesOn) {
    AddPicture("smile.gif", "(smile)", ":)");
    AddPicture("wink.gif", "(wink)");
    standin::Options options;
    options.hangAtText = GetParam();
    options.hangMs = 40;
    StartMessenger(options);
    const long pumpsBefore = windows.Pumps();
    EXPECT_FALSE(Enter());
    EXPECT_EQ(Sent(), Fill("smile.gif", ":)") + Dismissed(":)2") + Fill("wink.gif", "(wink)"));
    Texts taken;
    for (const standin::JournalEntry& entry : windows.Messenger()->Journal())
        if (entry.message == contract::kWmSetText) taken.push_back(entry.text);
    EXPECT_EQ(taken, (Texts{"C:\\Pics\\smile.gif", ":)", "smile", ":)2", "C:\\Pics\\wink.gif",
                            "(wink)", "wink"}));
    // Without the hang: a pass for each create dialog to show, one after the replacement, and
    // a pump of the settling pause for each picture.
    EXPECT_EQ(loopCount, 3 + 40);
    EXPECT_EQ(windows.Pumps() - pumpsBefore, 3 + 2 + 40);
    EXPECT_EQ(Reports(), (Texts{"0 stored as :)2", "1 stored"}));
}

INSTANTIATE_TEST_SUITE_P(Texts, HungTextTest, ::testing::Values(1u, 2u, 3u, 4u));

// A client that never answers: the guard ends the wait once the budget is spent, and nothing
// more has been sent.
TEST_F(HungTextTest, NeverTakenEndsInTheGuard) {
    AddPicture("smile.gif", "(smile)");
    standin::Options options;
    options.hangAtText = 2;
    options.hangMs = 3600000;
    StartMessenger(options);
    loopLimit = 300;
    const long pumpsBefore = windows.Pumps();
    EXPECT_TRUE(Enter());
    const Texts fill = Fill("smile.gif", "(smile)");
    EXPECT_EQ(Sent(), Texts(fill.begin(), fill.begin() + 3)) << "the open command and two texts";
    EXPECT_EQ(loopCount, 301);
    EXPECT_EQ(windows.Pumps() - pumpsBefore, 301) << "every counted pass pumped";
    EXPECT_TRUE(Store().empty());
}

// A picture Messenger cannot take whatever its shortcut: refused, refused again under the
// replacement, then its create dialog is closed and the next picture goes in. The system may
// give the answered prompt's handle value to the next prompt: a look falls between them
// here (the answer to a confirm takes 2 ms), and the new prompt is told from the old.
class RefusedTwiceTest : public PictureEntryBase,
                         public ::testing::WithParamInterface<std::tuple<bool, SettlingPause>> {};

TEST_P(RefusedTwiceTest, IsLeftOutAndTheNextPictureEntered) {
    const bool reuseHandles = std::get<0>(GetParam());
    pause = std::get<1>(GetParam());
    windows.reuseHandles = reuseHandles;
    AddPicture("broken.gif", "(broke)");
    AddPicture("next.gif", "(next)");
    standin::Options options;
    options.promptDelayMs = 2;
    StartMessenger(options);
    std::vector<WindowHandle> prompts;  // the prompt at each pump, each once in a row
    windows.onPump = [&] {
        const WindowHandle create =
            FindOwnedWindow(windows, messenger.emoticonDlg, contract::kDialogClass);
        const WindowHandle prompt =
            create ? FindOwnedWindow(windows, create, contract::kDialogClass) : 0;
        if (prompts.empty() || prompts.back() != prompt) prompts.push_back(prompt);
    };
    EXPECT_FALSE(Enter());
    EXPECT_EQ(Sent(), (Fill("broken.gif", "(broke)") +
                          Dismissed("(broke2") +
                          Texts{"post Prompt 2/264158", "post Create 2/854760"} +
                          Fill("next.gif", "(next)")));
    EXPECT_EQ(Reports(), (Texts{"0 refused (broke2", "1 stored"}));
    ASSERT_EQ(Store().size(), 1u);
    EXPECT_EQ(Store()[0].shortcut, "(next)");
    ASSERT_GE(prompts.size(), 4u);
    EXPECT_EQ(prompts[1] == prompts[3], reuseHandles) << "the two prompts' handle values";
}

INSTANTIATE_TEST_SUITE_P(
    Handles, RefusedTwiceTest,
    ::testing::Combine(::testing::Bool(),
                       ::testing::Values(SettlingPause::Full, SettlingPause::UntilOutcome)));

// Messenger makes its prompts as the dialog manager does: the window first, hidden, then a
// Button every `gap` ms, and shows it last. With a gap the loop meets each prompt half made
// (a two-Button prompt with one Button, a one-Button prompt with none); each gets the answer
// its complete form calls for, and nothing else is sent.
struct PromptCase {
    const char* name;
    int overwrite;
    std::string listed;
    Texts answer;
    std::string report;
    std::string firstName;  // of the store's first emoticon afterwards
    Texts states;           // of the prompt, made at a gap of 3 ms
};

void PrintTo(const PromptCase& given, std::ostream* out) { *out << given.name; }

const PromptCase kPromptCases[] = {
    {"OverwriteTicked", 1, "", {"post Prompt 1/1968352"}, "0 replaced", "smile",
     {"hidden 0", "hidden 1", "hidden 2", "shown 2"}},
    {"OverwriteNegative", -1, "", {"post Prompt 1/1968352"}, "0 replaced", "smile",
     {"hidden 0", "hidden 1", "hidden 2", "shown 2"}},
    {"OverwriteClear", 0, "", {"post Prompt 2/3082306", "post Create 2/854760"}, "0 left out",
     "old", {"hidden 0", "hidden 1", "hidden 2", "shown 2"}},
    {"RefusedShortcut", 0, ":)", Dismissed(":)2"), "0 stored as :)2", "old",
     {"hidden 0", "hidden 1", "shown 1"}},
};

class HalfMadePromptTest
    : public PictureEntryBase,
      public ::testing::WithParamInterface<std::tuple<PromptCase, std::uint32_t, SettlingPause>> {
};

TEST_P(HalfMadePromptTest, GetsTheAnswerOfItsCompleteForm) {
    const PromptCase& given = std::get<0>(GetParam());
    const std::uint32_t gap = std::get<1>(GetParam());
    pause = std::get<2>(GetParam());
    AddPicture("smile.gif", "(smile)", given.listed);
    AddPicture("next.gif", "(next)");
    standin::Options options;
    options.buildGapMs = gap;
    StartMessenger(options, {{"(smile)", "old", "C:\\old.gif"}});
    RecordPrompts();
    EXPECT_FALSE(Enter(given.overwrite));
    EXPECT_EQ(Sent(), Fill("smile.gif", given.listed.empty() ? "(smile)" : given.listed) +
                          given.answer + Fill("next.gif", "(next)"));
    EXPECT_EQ(Reports(), (Texts{given.report, "1 stored"}));
    EXPECT_EQ(promptStates, gap == 0 ? Texts{given.states.back()} : given.states);
    ASSERT_FALSE(Store().empty());
    EXPECT_EQ(Store()[0].name, given.firstName);
}

INSTANTIATE_TEST_SUITE_P(
    Prompts, HalfMadePromptTest,
    ::testing::Combine(::testing::ValuesIn(kPromptCases), ::testing::Values(0u, 3u),
                       ::testing::Values(SettlingPause::Full, SettlingPause::UntilOutcome)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + "Gap" +
               std::to_string(std::get<1>(info.param)) +
               (std::get<2>(info.param) == SettlingPause::Full ? "Full" : "UntilOutcome");
    });

}  // namespace
}  // namespace pimbrel::testing
