// Entering pictures: the exact messages Messenger receives, for each kind of prompt.
#include <gtest/gtest.h>

#include "fake_toolkit.h"
#include "fake_windows.h"
#include "messenger/emoticon_dialog.h"
#include "messenger/functions.h"
#include "messenger/picture_entry.h"

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
    std::vector<std::string> autoShortcuts, listedShortcuts;
    MessengerWindows messenger;

    void SetUp() override {
        loopCount = 0;
        loopLimit = 100000;
    }
    void AddPicture(const std::string& name, const std::string& autoShortcut,
                    const std::string& listed = "", bool selected = true) {
        pictures.push_back({name, std::string(kFolderPath) + "\\" + name, selected});
        autoShortcuts.push_back(autoShortcut);
        listedShortcuts.push_back(listed);
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
        autoShortcuts.push_back("");
        listedShortcuts.push_back("");
        try {
            EnterPictures(windows, dialogs, messenger.emoticonDlg, messenger.newClient, pictures,
                          ShortcutTables{autoShortcuts, listedShortcuts}, overwrite, pause);
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

std::vector<std::string> Fill(const std::string& name, const std::string& shortcut,
                              bool newer = false) {
    return {newer ? "post Emoticon 2326/0" : "post Emoticon 1420/1311244",
            "text PathEdit 256/0 \"C:\\Pics\\" + name + "\"",
            "text ShortcutEdit 256/0 \"" + shortcut + "\"",
            "text NameEdit 256/0 \"" + EmoticonName(name) + "\"", "post Create 1/1837380"};
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
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
    // A create dialog whose Edits appear one pass after another.
    const WindowHandle emoticon = windows.AddTopLevel("#32770");
    messenger.emoticonDlg = emoticon;
    WindowHandle create = 0;
    windows.onPump = [&] {
        const long pump = windows.Pumps();
        if (pump == 2) create = windows.CreateTopLevel(Role::Create, "#32770", emoticon, "");
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

class TwoButtonPromptTest
    : public PictureEntryBase,
      public ::testing::WithParamInterface<std::tuple<int, SettlingPause>> {};

TEST_P(TwoButtonPromptTest, FollowsOverwrite) {
    const int overwrite = std::get<0>(GetParam());
    pause = std::get<1>(GetParam());
    AddPicture("smile.gif", "(smile)");
    AddPicture("next.gif", "(next)");
    StartMessenger({}, {{"(smile)", "old", "C:\\old.gif"}});
    EXPECT_FALSE(Enter(overwrite));
    const std::vector<std::string> answer =
        overwrite != 0
            ? std::vector<std::string>{"post Prompt 1/1968352"}
            : std::vector<std::string>{"post Prompt 2/3082306", "post Create 2/854760"};
    EXPECT_EQ(Sent(), Fill("smile.gif", "(smile)") + answer + Fill("next.gif", "(next)"));
    ASSERT_EQ(Store().size(), 2u);
    EXPECT_EQ(Store()[0].name, overwrite != 0 ? "smile" : "old");
}

INSTANTIATE_TEST_SUITE_P(OverwriteValues, TwoButtonPromptTest,
                         ::testing::Combine(::testing::Values(0, 1, -1),
                                            ::testing::Values(SettlingPause::Full,
                                                              SettlingPause::UntilOutcome)));

TEST_P(PictureEntryTest, OneButtonPromptGetsTheReplacementShortcut) {
    AddPicture("smile.gif", "(smile)", ":)");
    AddPicture("big.gif", "(big)", "toolongshortcut");
    AddPicture("single.gif", "(single)", "x");
    StartMessenger({});
    EXPECT_FALSE(Enter());
    const std::vector<std::string> expected =
        Fill("smile.gif", ":)") +
        std::vector<std::string>{"post Prompt 2/264158", "text ShortcutEdit 256/0 \":)2\"",
                                 "post Create 1/1837380"} +
        Fill("big.gif", "toolongshortcut") +
        std::vector<std::string>{"post Prompt 2/264158", "text ShortcutEdit 256/0 \"toolon2\"",
                                 "post Create 1/1837380"} +
        Fill("single.gif", "(single)") +
        std::vector<std::string>{"post Prompt 2/264158", "text ShortcutEdit 256/0 \"(singl2\"",
                                 "post Create 1/1837380"};
    EXPECT_EQ(Sent(), expected);
    ASSERT_EQ(Store().size(), 3u);
    EXPECT_EQ(Store()[0].shortcut, ":)2");
    EXPECT_EQ(Store()[2].shortcut, "(singl2");
}

// Messenger lists a prompt before its Button exists: the first look at the new prompt finds
// no Button, the next one finds it. Such a prompt is waited on and then dismissed; it
// must not be taken for a two-Button prompt, which would never close.
TEST(PromptBeingBuilt, IsAnsweredOnceItsButtonsAreThere) {
    class ButtonsComeLate : public FakeWindows {
    public:
        WindowHandle FindChildWindow(WindowHandle parent, WindowHandle after,
                                     const std::string& className) override {
            if (className == "Button" && parent != seen_ && Messenger() &&
                PromptOf(parent)) {
                seen_ = parent;  // the Button is "created" just after this look
                return 0;
            }
            return FakeWindows::FindChildWindow(parent, after, className);
        }

    private:
        bool PromptOf(WindowHandle window) {
            char name[16] = {};
            // Prompts are the only dialogs here with an owner that is itself owned.
            return ReadClassName(window, name, sizeof name) && std::string(name) == "#32770" &&
                   ParentOf(ParentOf(window)) != 0 && ParentOf(ParentOf(ParentOf(window))) != 0;
        }
        WindowHandle seen_ = 0;
    };
    for (const bool twoButtons : {false, true}) {
        ButtonsComeLate windows;
        EventLog log;
        FakeDialogs dialogs{log};
        loopCount = 0;
        loopLimit = 100000;
        std::vector<standin::Emoticon> store;
        if (twoButtons) store.push_back({"(smile)", "old", "C:\\old.gif"});
        windows.StartMessenger({}, store);
        MessengerWindows messenger = FindMessengerWindows(windows);
        ASSERT_EQ(OpenEmoticonDialog(windows, dialogs, messenger, true, [] {}),
                  EmoticonDialogOutcome::Found);
        const std::vector<PictureToEnter> pictures = {{"smile.gif", "C:\\Pics\\smile.gif", true}};
        std::vector<std::string> autoShortcuts = {"(smile)", ""};
        std::vector<std::string> listed = {twoButtons ? "" : ":)", ""};
        EXPECT_NO_THROW(EnterPictures(windows, dialogs, messenger.emoticonDlg, false, pictures,
                                      ShortcutTables{autoShortcuts, listed}, 0,
                                      SettlingPause::UntilOutcome));
        const auto& sent = windows.Sent();
        ASSERT_FALSE(sent.empty());
        if (twoButtons) {
            EXPECT_EQ(Describe(sent.back()), "post Create 2/854760") << "answered No";
            EXPECT_EQ(windows.Messenger()->Store()[0].name, "old");
        } else {
            ASSERT_EQ(windows.Messenger()->Store().size(), 1u);
            EXPECT_EQ(windows.Messenger()->Store()[0].shortcut, ":)2");
        }
    }
}

TEST_P(PictureEntryTest, ReplacementIsBuiltFromTheTextAsSent) {
    AddPicture("smile.gif", "(smile)", std::string(":)\0tail", 7));
    StartMessenger({});
    EXPECT_FALSE(Enter());
    EXPECT_EQ(listedShortcuts[0], ":)") << "the table holds what Messenger got";
    ASSERT_EQ(Store().size(), 1u);
    EXPECT_EQ(Store()[0].shortcut, ":)2");
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
    const std::vector<std::string> dismissed = {
        "post Prompt 2/264158", "text ShortcutEdit 256/0 \":)2\"", "post Create 1/1837380"};
    const std::vector<std::string> overwritten = {"post Prompt 1/1968352"};
    EXPECT_EQ(Sent(), Fill("smile.gif", ":)") + dismissed + Fill("wink.gif", "(wink)") +
                          Fill("cool.gif", "(cool)") + overwritten);
    ASSERT_EQ(Store().size(), 3u);
    EXPECT_EQ(Store()[0].shortcut, "(cool)");
    EXPECT_EQ(Store()[0].name, "cool") << "overwritten as asked";
    EXPECT_EQ(Store()[1].shortcut, ":)2");
    EXPECT_EQ(Store()[2].shortcut, "(wink)");
}

INSTANTIATE_TEST_SUITE_P(Pauses, PictureEntryTest,
                         ::testing::Values(SettlingPause::Full, SettlingPause::UntilOutcome),
                         [](const auto& info) {
                             return info.param == SettlingPause::Full ? "Full" : "UntilOutcome";
                         });

}  // namespace
}  // namespace pimbrel::testing
