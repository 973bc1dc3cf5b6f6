// Whole Add runs in the in-memory window system: their ends, the controls, the caption, the
// retry, and the run lock between two windows.
#include <gtest/gtest.h>

#include <functional>

#include "messenger/functions.h"
#include "rig.h"

namespace pimbrel::testing {
namespace {

const Texts kDisable = {"disable cmdAdd", "disable chkOverwrite", "disable File1",
                        "disable cmdChoose"};
const Texts kEnable = {"enable cmdAdd", "enable chkOverwrite", "enable File1",
                       "enable cmdChoose"};
// Stop is offered from the wait for the emoticon dialog on, until the run's last box.
const std::string kStopOn = "enable cmdStop";
const std::string kStopOff = "disable cmdStop";
const std::string kSuccess = "box The emoticons are added succesfully.";
const std::string kNotOpen = "box Please open your MSN Messenger main screen first.";
const std::string kOtherRun =
    "box Another Pimbrel window is adding emoticons. Press Add again when it has finished.";
const std::string kListBox = "stop box The list file " + kFolderText + "\\Readme.txt ";
const std::string kGuard =
    "stop box [Fatal Error: Infinite Loop] Infinite loop detected, application will now shut down.";
const std::string kHigherRights =
    "stop box MSN Messenger runs with higher rights than Pimbrel, so it does not take "
    "Pimbrel's commands. Start Pimbrel the same way as Messenger (for example, also as "
    "administrator) and press Add again.";

// The caption and the taskbar while the two selected of three pictures go in, and after.
const Texts kEntering = {"caption Pimbrel - adding 1 of 2", "progress 0/2",
                         "caption Pimbrel - adding 2 of 2", "progress 1/2"};
const Texts kDone = {"progress off", "caption Pimbrel"};
const std::string kWaiting = "caption Pimbrel - waiting for MSN Messenger";

// A first Add whose dialog never came: its retry is pending, the log cleared.
void RetryPending(Rig& rig) {
    standin::Options never;
    never.neverOpenEmoticons = true;
    rig.windows.StartMessenger(never);
    rig.Click();
    rig.log.clear();
}

// Every way an Add run of three pictures, the second not selected, ends: what the window's
// parts are told and how much reached Messenger. Whatever the end, the caption reads
// "Pimbrel" and the taskbar shows no progress before any box, and the run lock is free after.
TEST(AddRun, EachEndGivesTheControlsBackAndRestoresTheCaption) {
    const struct {
        const char* name;
        std::function<void(Rig&)> setUp;
        Texts log;
        std::size_t sent;  // messages that reached Messenger
        bool ended;        // the program ended
        bool retryPending;
    } ends[] = {
        {"success", [](Rig& rig) { rig.windows.StartMessenger({}); },
         kDisable + Texts{"lock", kStopOn} + kEntering + Texts{kStopOff} + kDone +
             Texts{kSuccess} + kEnable + Texts{"unlock"},
         1 + 2 * 5 + 1, false, false},
        {"no Messenger", [](Rig&) {},
         kDisable + Texts{"lock", kNotOpen} + kEnable + Texts{"unlock"}, 0, false, false},
        // A folder without pictures says so at once, and its Add still drives Messenger.
        {"no pictures",
         [](Rig& rig) {
             rig.files.folders.clear();
             rig.form.Load();
             rig.windows.StartMessenger({});
         },
         Texts{"box Please put this program in the same directory of your emoticons."} + kDisable +
             Texts{"lock", kStopOn, kStopOff, kSuccess} + kEnable + Texts{"unlock"},
         2, false, false},
        // A list file that cannot be read stops the run before Messenger: going on would
        // silently leave the user's shortcuts out.
        {"list file that cannot be opened",
         [](Rig& rig) {
             rig.files.locked[kListFile] = "Access is denied.";
             rig.windows.StartMessenger({});
         },
         kDisable + Texts{kListBox + "could not be opened: Access is denied."} + kEnable, 0, false,
         false},
        {"list file that fails midway",
         [](Rig& rig) {
             rig.SetListFile("---List---\r\na.gif - :-)\r\n");
             rig.files.failAt[kListFile] = 16;
             rig.windows.StartMessenger({});
         },
         kDisable + Texts{kListBox + "could not be read to its end."} + kEnable, 0, false, false},
        {"another window's run",
         [](Rig& rig) {
             rig.ownLock.holder = &rig.otherWindowLock;
             rig.windows.StartMessenger({});
         },
         kDisable + Texts{kOtherRun} + kEnable, 0, false, false},
        {"no Messenger at the retry",
         [](Rig& rig) {
             RetryPending(rig);
             rig.windows.Destroy(rig.windows.FindWindowByClass("MSNMSBLClass"));
         },
         Texts{"timer 0", kStopOff} + kDisable + Texts{"lock", kNotOpen} + kEnable +
             Texts{"unlock"},
         1, false, true},
        {"second stall", RetryPending,
         Texts{"timer 0", kStopOff} + kDisable + Texts{"lock", kStopOn, kGuard, "end", "unlock"},
         2, true, true},
        // Messenger runs with higher rights: the system refuses every post.
        {"open command refused",
         [](Rig& rig) {
             rig.windows.refusePostsFrom = 0;
             rig.windows.StartMessenger({});
         },
         kDisable + Texts{"lock", kStopOn, "unlock", kStopOff, kHigherRights} + kEnable, 0, false,
         false},
        {"second confirm refused",
         [](Rig& rig) {
             rig.windows.refusePostsFrom = 4;  // the open commands and the first confirm pass
             rig.windows.StartMessenger({});
         },
         kDisable + Texts{"lock", kStopOn} + kEntering + Texts{"unlock"} + kDone +
             Texts{kStopOff, kHigherRights} + kEnable,
         1 + 5 + 4, false, false},
        // A post that fails for another reason (the window gone) is left to the waits.
        {"Messenger gone while entering",
         [](Rig& rig) {
             standin::Options quits;
             quits.quitAfterStored = 1;
             rig.windows.StartMessenger(quits);
         },
         kDisable + Texts{"lock", kStopOn} + kEntering + kDone + Texts{kGuard, "end", "unlock"},
         1 + 5 + 1, true, false},
        // A client busy for 20 s in a text, 20,000 passes: the run waits, costs no pass of
        // its budget of 1300, says meanwhile that it waits for Messenger, and goes on.
        {"Messenger busy in a text",
         [](Rig& rig) {
             standin::Options busy;
             busy.hangAtText = 2;
             busy.hangMs = 20000;
             rig.windows.StartMessenger(busy);
         },
         kDisable +
             Texts{"lock", kStopOn, kEntering[0], kEntering[1], kWaiting, "progress paused"} +
             kEntering + Texts{kStopOff} + kDone + Texts{kSuccess} + kEnable + Texts{"unlock"},
         1 + 2 * 5 + 1, false, false},
        {"prompt without Buttons",
         [](Rig& rig) {
             standin::Options buttonless;
             buttonless.promptsWithoutButtons = true;
             rig.windows.StartMessenger(buttonless, {{"(c)", "old", "C:\\old.gif"}});
         },
         kDisable + Texts{"lock", kStopOn} + kEntering + kDone + Texts{kGuard, "end", "unlock"},
         1 + 5 + 5, true, false},
    };
    for (const auto& end : ends) {
        SCOPED_TRACE(end.name);
        Rig rig({u"a.gif", u"b.gif", u"c.gif"});
        rig.Load();
        rig.file1.SetSelected(1, false);
        end.setUp(rig);
        EXPECT_EQ(rig.form.RetryPending() ? rig.Tick() : rig.Click(), end.ended);
        EXPECT_EQ(rig.log, end.log);
        EXPECT_EQ(rig.windows.Sent().size(), end.sent);
        EXPECT_EQ(rig.form.RetryPending(), end.retryPending);
    }
}

TEST(AddRun, StalledDialogRetriesOnceThroughTheTimerReadingTheListAfresh) {
    Rig rig({u"smile.gif"});
    rig.SetListFile("---List---\r\nsmile.gif - :first\r\n");
    rig.Load();
    standin::Options slow;
    slow.emoticonDelayMs = 1500;  // longer than the first run's 1100 passes
    rig.windows.StartMessenger(slow);
    EXPECT_FALSE(rig.Click());
    EXPECT_EQ(rig.log, (kDisable + Texts{"lock", kStopOn, "timer 1000", "unlock"}))
        << "the controls stay disabled, Stop enabled";
    EXPECT_EQ(rig.windows.Pumps(), 1101) << "1099 counted passes, the retrying pass, its pump";
    EXPECT_EQ(loopCount, 0);
    EXPECT_EQ(rig.Sent(), Texts{"post Main 4294942017/0"}) << "only the open command";

    rig.SetListFile("---List---\r\nsmile.gif - :second\r\n");
    rig.log.clear();
    EXPECT_FALSE(rig.Tick());
    EXPECT_EQ(rig.log.front(), "timer 0");
    EXPECT_EQ(rig.toolkit.boxes, Texts{"The emoticons are added succesfully."});
    EXPECT_FALSE(rig.form.RetryPending()) << "a completed run clears it";
    EXPECT_EQ(rig.Store(), Texts{":second smile"});
}

// A Messenger that never opens its emoticon dialog: the first run's budget, its passes
// growing longer as the wait goes on, spans at least 10 s and 1 s a picture before the
// retry; a one-picture folder then reaches the guard within a minute of the click.
TEST(AddRun, StalledDialogIsWaitedForSecondsNotMilliseconds) {
    for (const int count : {0, 1, 10, 166}) {
        std::vector<std::u16string> names;
        for (int i = 0; i < count; ++i) names.push_back(u"p" + U16(std::to_string(i)) + u".gif");
        Rig rig(names);
        rig.Load();
        RetryPending(rig);
        EXPECT_GE(rig.windows.PassMs(), 10000u + 1000u * count) << count << " pictures";
        if (count != 1) continue;
        EXPECT_TRUE(rig.Tick());
        EXPECT_LE(rig.windows.PassMs() + 1000, 60000u) << "both runs and the timer's second";
    }
}

TEST(AddRun, EveryPictureSelectedOrNotTakesItsShortcut) {
    Rig rig({u"smile.gif", u"smile.png", u"smile.jpg", u"wink.gif"});
    rig.SetListFile("---List---\r\nwink.gif - B)\r\nsmile.jpg - x\r\n");
    rig.Load();
    rig.file1.SetSelected(0, false);  // smile.gif, first in order, occupies (smile)
    rig.file1.SetSelected(2, false);  // smile.png
    rig.windows.StartMessenger({});
    EXPECT_FALSE(rig.Click());
    // smile.jpg's one-character listed shortcut gives way to its numbered automatic one.
    EXPECT_EQ(rig.Store(), (Texts{"(smil2) smile", "B) wink"}));
}

// Two windows of the program on one desktop: while one runs, the other's Add and its retry
// each say so, give the controls back and send nothing, though a Messenger is there for them.
// A retry gives the lock up until its timer fires.
TEST(RunLock, OneWindowAddsAtATime) {
    SharedRunLock desktop;
    Rig first({u"a.gif", u"b.gif"}, &desktop);
    Rig second({u"c.gif"}, &desktop);
    first.Load();
    second.Load();
    RetryPending(second);
    EXPECT_EQ(desktop.holder, nullptr) << "not held while the retry waits";
    first.windows.StartMessenger({});
    first.windows.onPump = [&] {
        if (!second.log.empty()) return;
        EXPECT_FALSE(second.Tick());
        EXPECT_FALSE(second.Click());
    };
    EXPECT_FALSE(first.Click());
    EXPECT_EQ(second.log, (Texts{"timer 0", kStopOff} + kDisable + Texts{kOtherRun} + kEnable +
                           kDisable + Texts{kOtherRun} + kEnable));
    EXPECT_TRUE(second.form.RetryPending());
    EXPECT_EQ(second.windows.Sent().size(), 1u) << "only its first run's open command";
    EXPECT_EQ(first.Store().size(), 2u);
    EXPECT_EQ(desktop.holder, nullptr) << "free once the run is over";
}

}  // namespace
}  // namespace pimbrel::testing
