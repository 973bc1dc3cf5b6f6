// Whole Add runs in the in-memory window system: stage order, ends, controls and retry.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

#include "messenger/functions.h"
#include "rig.h"

namespace pimbrel::testing {
namespace {

const std::vector<std::string> kDisable = {"disable cmdAdd", "disable chkOverwrite",
                                           "disable File1"};
const std::vector<std::string> kEnable = {"enable cmdAdd", "enable chkOverwrite",
                                          "enable File1"};

// The log without the caption's changes, which the tests of the progress follow.
std::vector<std::string> WithoutCaptions(std::vector<std::string> log) {
    log.erase(std::remove_if(log.begin(), log.end(),
                             [](const std::string& entry) { return entry.rfind("caption ", 0) == 0; }),
              log.end());
    return log;
}

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(AddRun, WithoutMessengerReportsNotOpenAndEnablesAgain) {
    Rig rig({u"smile.gif", u"Smile.png"});
    rig.SetListFile("---List---\r\nsmile.gif - :-)\r\n");
    rig.Load();
    bool listedBeforeBox = false;
    rig.dialogs.onShow = [&](const ShownMessage&) { listedBeforeBox = !rig.files.opened.empty(); };
    EXPECT_FALSE(rig.Click());
    EXPECT_EQ(rig.log, Concat({kDisable, {"box Please open your MSN Messenger main screen first."},
                               kEnable}));
    EXPECT_EQ(rig.dialogs.shown.at(0).title, "Pimbrel");
    EXPECT_EQ(rig.dialogs.shown.at(0).icon, MessageIcon::None);
    EXPECT_TRUE(listedBeforeBox) << "the list file is read before Messenger is looked for";
    EXPECT_FALSE(rig.runLock.Held());
    EXPECT_TRUE(rig.windows.Sent().empty());
    EXPECT_EQ(loopCount, 0) << "no pass counted";
    EXPECT_EQ(loopLimit, 1200);
    EXPECT_FALSE(rig.form.RunActive());
}

TEST(AddRun, SuccessShowsProgressThenClosesTheDialogThenReportsThenEnables) {
    Rig rig({u"a.gif", u"b.gif", u"smile.gif"});
    rig.Load();
    rig.file1.SetSelected(1, false);
    rig.windows.StartMessenger({});
    bool lockedAtBox = false;
    rig.dialogs.onShow = [&](const ShownMessage&) { lockedAtBox = rig.runLock.Held(); };
    EXPECT_FALSE(rig.Click());
    EXPECT_TRUE(lockedAtBox);
    EXPECT_FALSE(rig.runLock.Held());
    EXPECT_EQ(rig.log, Concat({kDisable,
                               {"caption Pimbrel - adding 1 of 2", "caption Pimbrel - adding 2 of 2",
                                "caption Pimbrel", "box The emoticons are added succesfully."},
                               kEnable}));
    EXPECT_EQ(rig.frame.progress, (std::vector<std::string>{"0/2", "1/2"}));
    EXPECT_FALSE(rig.frame.showsProgress);
    ASSERT_FALSE(rig.windows.Sent().empty());
    const SentMessage& last = rig.windows.Sent().back();
    EXPECT_EQ(last.role, standin::Role::Emoticon);
    EXPECT_EQ(last.wParam, 1u);
    EXPECT_EQ(last.lParam, 2622856u);
    ASSERT_EQ(rig.windows.Messenger()->Store().size(), 2u);
    EXPECT_EQ(rig.windows.Messenger()->Store()[1].shortcut, "(smile)");
}

// Whatever way a run ends, the caption reads "Pimbrel" and the taskbar shows no progress
// before any box, and after the run.
TEST(AddRun, EveryEndRestoresTheCaptionBeforeAnyBox) {
    struct End {
        const char* name;
        std::function<void(Rig&)> setUp;
        bool programEnds;
    };
    const std::vector<End> ends = {
        {"success", [](Rig& rig) { rig.windows.StartMessenger({}); }, false},
        {"not open", [](Rig&) {}, false},
        {"list file unreadable",
         [](Rig& rig) {
             rig.files.locked[std::u16string(kFolder) + u"\\Readme.txt"] = "Access is denied.";
             rig.windows.StartMessenger({});
         },
         false},
        {"another window's run",
         [](Rig& rig) {
             rig.ownLock.holder = &rig.otherWindowLock;
             rig.windows.StartMessenger({});
         },
         false},
        {"retry scheduled",
         [](Rig& rig) {
             standin::Options never;
             never.neverOpenEmoticons = true;
             rig.windows.StartMessenger(never);
         },
         false},
        {"Messenger out of reach while entering",
         [](Rig& rig) {
             rig.windows.refusePostsFrom = 4;  // the second picture's confirm
             rig.windows.StartMessenger({});
         },
         false},
        {"loop guard while entering",
         [](Rig& rig) {
             standin::Options buttonless;
             buttonless.promptsWithoutButtons = true;
             rig.windows.StartMessenger(buttonless, {{"(b)", "old", "C:\\old.gif"}});
         },
         true},
    };
    for (const End& end : ends) {
        SCOPED_TRACE(end.name);
        Rig rig({u"a.gif", u"b.gif"});
        rig.Load();
        end.setUp(rig);
        std::vector<std::string> atBoxes;
        rig.dialogs.onShow = [&](const ShownMessage&) {
            atBoxes.push_back(rig.frame.caption + (rig.frame.showsProgress ? " +progress" : ""));
        };
        EXPECT_EQ(rig.Click(), end.programEnds);
        for (const std::string& atBox : atBoxes) EXPECT_EQ(atBox, "Pimbrel");
        EXPECT_EQ(rig.frame.caption, "Pimbrel");
        EXPECT_FALSE(rig.frame.showsProgress);
    }
}

TEST(AddRun, AFaultWhileEnteringRestoresTheCaption) {
    Rig rig({u"a.gif", u"b.gif"});
    rig.Load();
    rig.windows.StartMessenger({});
    rig.windows.onPump = [&] {
        if (rig.frame.caption != "Pimbrel") throw std::runtime_error("a fault");
    };
    EXPECT_THROW(rig.Click(), std::runtime_error);
    EXPECT_EQ(rig.log.back(), "caption Pimbrel");
    EXPECT_FALSE(rig.frame.showsProgress);
}

TEST(AddRun, EmptyFolderStillDrivesMessenger) {
    Rig rig;
    rig.form.Load();
    EXPECT_EQ(rig.Boxes(), std::vector<std::string>{
                               "Please put this program in the same directory of your emoticons."});
    EXPECT_EQ(rig.dialogs.shown[0].title, "Pimbrel");
    rig.dialogs.shown.clear();
    rig.windows.StartMessenger({});
    EXPECT_FALSE(rig.Click());
    EXPECT_EQ(loopLimit, 1000);
    ASSERT_EQ(rig.windows.Sent().size(), 2u) << "open, then close";
    EXPECT_EQ(rig.windows.Sent()[0].wParam, 0xFFFF9D41u);
    EXPECT_EQ(rig.Boxes(), std::vector<std::string>{"The emoticons are added succesfully."});
}

TEST(AddRun, UnreadableListFileStopsBeforeMessenger) {
    // The box spells the folder in full (its texts are UTF-8), whatever the code page holds.
    const std::u16string folder = u"C:\\Émoticônes 表情";
    Rig rig;
    rig.files.AddPicture(folder, u"smile.gif");
    rig.files.locked[folder + u"\\Readme.txt"] = "Access is denied.";
    FrmMain form(rig.Parts(), FolderName{folder, {}});
    form.Load();
    rig.log.clear();
    rig.windows.StartMessenger({});
    form.OnAddClick();
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].text,
              u8"The list file C:\\Émoticônes 表情\\Readme.txt could not be opened: "
              u8"Access is denied.");
    EXPECT_EQ(rig.dialogs.shown[0].title, "Pimbrel");
    EXPECT_TRUE(rig.windows.Sent().empty());
    EXPECT_EQ(rig.log, Concat({kDisable, {"box " + rig.dialogs.shown[0].text}, kEnable}));
    EXPECT_EQ(rig.ownLock.takes, 0) << "Messenger never came into it";
}

TEST(AddRun, StalledDialogRetriesOnceThroughTheTimer) {
    Rig rig({u"smile.gif"});
    rig.Load();
    standin::Options slow;
    slow.emoticonDelayMs = 1500;  // longer than the first run's 1100 passes
    rig.windows.StartMessenger(slow);

    EXPECT_FALSE(rig.Click());
    EXPECT_TRUE(rig.form.RetryPending());
    EXPECT_EQ(rig.tmrRetry.interval, 1000u);
    EXPECT_EQ(loopCount, 0);
    EXPECT_EQ(rig.log, Concat({kDisable, {"timer 1000"}})) << "controls stay disabled";
    EXPECT_EQ(rig.windows.Pumps(), 1101) << "1099 counted passes, the retrying pass, its pump";
    EXPECT_EQ(rig.windows.Sent().size(), 1u) << "only the open command";

    rig.log.clear();
    EXPECT_FALSE(rig.Tick());
    EXPECT_EQ(rig.log.front(), "timer 0");
    EXPECT_EQ(rig.Boxes(), std::vector<std::string>{"The emoticons are added succesfully."});
    EXPECT_FALSE(rig.form.RetryPending()) << "a completed run clears it";
    EXPECT_EQ(rig.windows.Messenger()->Store().size(), 1u);
}

TEST(AddRun, SecondStallEndsInTheGuard) {
    Rig rig({u"smile.gif"});
    rig.Load();
    standin::Options never;
    never.neverOpenEmoticons = true;
    rig.windows.StartMessenger(never);
    EXPECT_FALSE(rig.Click());
    rig.log.clear();
    EXPECT_TRUE(rig.Tick());
    EXPECT_EQ(rig.Boxes(),
              std::vector<std::string>{"Infinite loop detected, application will now shut down."});
    EXPECT_EQ(rig.log.back(), "end");
    EXPECT_FALSE(rig.runLock.Held()) << "a program that ends leaves no lock";
    EXPECT_EQ(loopCount, loopLimit + 1);
    EXPECT_EQ(rig.windows.Sent().size(), 2u) << "one open command per run, nothing else";
}

TEST(AddRun, NotOpenAfterRetryKeepsTheRetryPending) {
    Rig rig({u"smile.gif"});
    rig.Load();
    standin::Options never;
    never.neverOpenEmoticons = true;
    rig.windows.StartMessenger(never);
    EXPECT_FALSE(rig.Click());
    FakeWindows& windows = rig.windows;
    windows.Destroy(windows.FindWindowByClass("MSNMSBLClass"));
    rig.log.clear();
    EXPECT_FALSE(rig.Tick());
    EXPECT_EQ(rig.log, Concat({{"timer 0"}, kDisable,
                               {"box Please open your MSN Messenger main screen first."}, kEnable}));
    EXPECT_TRUE(rig.form.RetryPending());
}

TEST(AddRun, RetriedRunReadsTheListFileAfresh) {
    Rig rig({u"smile.gif"});
    rig.Load();
    standin::Options slow;
    slow.emoticonDelayMs = 1500;
    rig.windows.StartMessenger(slow);
    rig.SetListFile("---List---\r\nsmile.gif - :first\r\n");
    EXPECT_FALSE(rig.Click());
    rig.SetListFile("---List---\r\nsmile.gif - :second\r\n");
    EXPECT_FALSE(rig.Tick());
    EXPECT_EQ(rig.files.opened.size(), 2u);
    ASSERT_EQ(rig.windows.Messenger()->Store().size(), 1u);
    EXPECT_EQ(rig.windows.Messenger()->Store()[0].shortcut, ":second");
}

TEST(AddRun, ShortcutTablesAreFilledForEveryPictureSelectedOrNot) {
    Rig rig({u"smile.gif", u"smile.png", u"smile.jpg", u"wink.gif"});
    rig.SetListFile("---List---\r\nwink.gif - B)\r\nsmile.jpg - x\r\n");
    rig.Load();
    rig.file1.SetSelected(0, false);  // smile.gif, first in order, occupies (smile)
    rig.file1.SetSelected(2, false);  // smile.png
    rig.windows.StartMessenger({});
    EXPECT_FALSE(rig.Click());
    std::vector<std::string> shortcuts;
    for (const auto& sent : rig.windows.Sent())
        if (sent.kind == SentMessage::Text && sent.role == standin::Role::ShortcutEdit)
            shortcuts.push_back(sent.text);
    // smile.jpg's one-character listed shortcut gives way to its numbered automatic one.
    EXPECT_EQ(shortcuts, (std::vector<std::string>{"(smil2)", "B)"}));
}

const char kOtherRunBox[] =
    "box Another Pimbrel window is adding emoticons. Press Add again when it has finished.";

// Two windows of the program on one desktop: while one runs, the other's Add says so, gives
// the controls back and sends nothing, though a Messenger is there for it.
TEST(RunLock, SecondWindowWaitsForTheFirstRun) {
    SharedRunLock desktop;
    Rig first({u"a.gif", u"b.gif"}, &desktop);
    Rig second({u"c.gif"}, &desktop);
    first.Load();
    second.Load();
    first.windows.StartMessenger({});
    second.windows.StartMessenger({});
    first.windows.onPump = [&] {
        if (second.log.empty()) EXPECT_FALSE(second.Click());
    };
    EXPECT_FALSE(first.Click());
    EXPECT_EQ(second.log, Concat({kDisable, {kOtherRunBox}, kEnable}));
    EXPECT_EQ(second.dialogs.shown.at(0).title, "Pimbrel");
    EXPECT_TRUE(second.windows.Sent().empty());
    EXPECT_EQ(first.Boxes(), std::vector<std::string>{"The emoticons are added succesfully."});
    EXPECT_EQ(first.windows.Messenger()->Store().size(), 2u);
    EXPECT_EQ(desktop.holder, nullptr) << "free once the run is over";
}

// A retry gives the lock up until its timer fires; a run of another window in between keeps
// it, and the retried run then finds it taken.
TEST(RunLock, RetryReleasesItAndTakesItAgainWhenItStarts) {
    SharedRunLock desktop;
    Rig stalled({u"a.gif"}, &desktop);
    Rig other({u"b.gif"}, &desktop);
    stalled.Load();
    other.Load();
    standin::Options slow;
    slow.emoticonDelayMs = 1500;
    stalled.windows.StartMessenger(slow);
    other.windows.StartMessenger({});
    EXPECT_FALSE(stalled.Click());
    EXPECT_EQ(stalled.tmrRetry.interval, 1000u);
    EXPECT_EQ(desktop.holder, nullptr) << "not held while the retry waits";
    stalled.log.clear();
    other.windows.onPump = [&] {
        if (stalled.log.empty()) EXPECT_FALSE(stalled.Tick());
    };
    EXPECT_FALSE(other.Click());
    EXPECT_EQ(stalled.log, Concat({{"timer 0"}, kDisable, {kOtherRunBox}, kEnable}));
    EXPECT_TRUE(stalled.form.RetryPending());
    EXPECT_EQ(stalled.windows.Sent().size(), 1u) << "only the first run's open command";
    EXPECT_EQ(other.windows.Messenger()->Store().size(), 1u);
    EXPECT_EQ(desktop.takes, 2);
}

// Messenger runs with higher rights: the system refuses every post. The run stops at the
// first refusal with a box that says why, gives the controls back and frees the lock; a post
// refused for another reason (a window gone) is left to the waits, as before.
struct RefusalCase {
    const char* name;
    long refusedFrom;  // the first refused post; -1: none refused
    int quitAfterStored;
    std::size_t sent;  // messages that reached Messenger
    std::size_t stored;
    bool ended;  // in the loop guard
};

void PrintTo(const RefusalCase& given, std::ostream* out) { *out << given.name; }

class RefusedPosts : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedPosts, StopTheRunOnlyWhenAccessIsDenied) {
    const RefusalCase& given = GetParam();
    Rig rig({u"a.gif", u"b.gif"});
    rig.Load();
    rig.windows.refusePostsFrom = given.refusedFrom;
    standin::Options options;
    options.quitAfterStored = given.quitAfterStored;
    rig.windows.StartMessenger(options);
    EXPECT_EQ(rig.Click(), given.ended);
    EXPECT_EQ(rig.windows.Sent().size(), given.sent);
    EXPECT_EQ(rig.windows.Messenger()->Store().size(), given.stored);
    EXPECT_FALSE(rig.runLock.Held());
    if (given.refusedFrom < 0) return;
    EXPECT_EQ(rig.windows.RefusedPosts(), 1) << "nothing tried after the refusal";
    EXPECT_EQ(WithoutCaptions(rig.log),
              Concat({kDisable, {"box " + rig.dialogs.shown.at(0).text}, kEnable}));
    EXPECT_EQ(rig.dialogs.shown.at(0).text,
              "MSN Messenger runs with higher rights than Pimbrel, so it does not take Pimbrel's "
              "commands. Start Pimbrel the same way as Messenger (for example, also as "
              "administrator) and press Add again.");
    EXPECT_EQ(rig.dialogs.shown.at(0).icon, MessageIcon::Stop);
    EXPECT_FALSE(rig.form.RetryPending());
}

INSTANTIATE_TEST_SUITE_P(
    Posts, RefusedPosts,
    ::testing::Values(
        // Sent: the open command, then a picture's open command, three texts and confirm.
        RefusalCase{"OpenCommand", 0, -1, 0, 0, false},
        RefusalCase{"SecondConfirm", 4, -1, 1 + 5 + 4, 1, false},
        RefusalCase{"WindowGone", -1, 1, 6 + 1, 1, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pimbrel::testing
