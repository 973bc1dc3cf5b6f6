// Stopping a run with Stop, Esc or the window's closing, at each state of a picture's entry:
// the picture in hand is finished, nothing of the next one is sent, the emoticon dialog gets
// its close command, and the box says how far the run came.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "messenger/functions.h"
#include "rig.h"

namespace pimbrel::testing {
namespace {

// Messages as the stand-in's journal names them, a text without its text: the store shows
// what the texts were.
Texts Kinds(const Texts& sent) {
    Texts kinds;
    for (const std::string& message : sent) kinds.push_back(message.substr(0, message.find(" \"")));
    return kinds;
}

const std::string kOpen = "post Emoticon 1420/1311244";
const std::string kConfirm = "post Create 1/1837380";
const std::string kClose = "post Emoticon 1/2622856";
const Texts kTexts = {"text PathEdit 256/0", "text ShortcutEdit 256/0", "text NameEdit 256/0"};
const Texts kEnable = {"enable cmdAdd", "enable chkOverwrite", "enable File1",
                       "enable cmdChoose"};
const std::string kAfterTwo = "Adding was stopped after 2 of the 3 selected pictures.";
const std::string kBeforeAny = "Adding was stopped before the first picture.";

// The moment of the stop: `pumpsAfter` pumps after the first pump at which `reached` holds.
struct Moment {
    std::function<bool(Rig&)> reached;
    int pumpsAfter;
};

// Once the `occurrence`-th message that begins with `sent` has been sent.
std::function<bool(Rig&)> Sent(const std::string& sent, int occurrence) {
    return [=](Rig& rig) {
        int seen = 0;
        for (const std::string& message : rig.Sent()) seen += message.rfind(sent, 0) == 0;
        return seen >= occurrence;
    };
}

// Once a prompt is over the create dialog, made or still being made.
bool PromptUp(Rig& rig) {
    WindowSystem& windows = rig.windows;
    const WindowHandle main = windows.FindWindowByClass("MSNMSBLClass");
    const WindowHandle emoticons = FindOwnedWindow(windows, main, "#32770");
    const WindowHandle create = emoticons ? FindOwnedWindow(windows, emoticons, "#32770") : 0;
    return create != 0 && FindOwnedWindow(windows, create, "#32770") != 0;
}

// How the user stops the run.
enum class By { Stop, Close };

struct Stopped {
    Texts after;  // what Messenger was sent after the stop
    bool ran;     // the program did not end
    CloseAnswer answer = CloseAnswer::Now;
};

// An Add run of a.gif, b.gif and c.gif, all selected, stopped at that moment.
Stopped StopAt(Rig& rig, const Moment& moment, By by) {
    int pumps = -1;
    std::size_t sentBefore = 0;
    Stopped result;
    rig.windows.onPump = [&] {
        if (pumps < 0 && moment.reached(rig)) pumps = 0;
        if (pumps < 0 || pumps++ != moment.pumpsAfter) return;
        sentBefore = rig.windows.Sent().size();
        if (by == By::Stop) rig.form.OnStopClick();
        if (by == By::Close) result.answer = rig.form.OnClose();
    };
    result.ran = !rig.Click();
    const Texts sent = rig.Sent();
    result.after = Kinds(Texts(sent.begin() + sentBefore, sent.end()));
    return result;
}

// Stopped with Stop (and Esc, which comes as Stop), or by closing the window: the same is sent
// to Messenger either way, and closing shows no box. Where Messenger keeps a text waiting,
// closing is to end the program at once instead: the run cannot end before Messenger answers.
// The folder was opened as one given or dropped is: the caption names it again at the end.
TEST(RunStop, ThePictureInHandIsFinishedAndNoFurtherOneEntered) {
    using Options = standin::Options;
    const struct {
        const char* state;
        void (*messenger)(Options&);
        const char* listFile;
        Moment moment;
        Texts after;      // what Messenger is sent after the stop
        Texts store;      // what Messenger holds at the end
        std::string box;  // the closing box
        CloseAnswer closing = CloseAnswer::AfterRun;
    } stops[] = {
        {"waiting for the emoticon dialog, which comes",
         [](Options& late) { late.emoticonDelayMs = 50; }, "", {Sent("post Main", 1), 10},
         {kClose}, {}, kBeforeAny},
        // The wait ends where the retry would have been scheduled: no retry, nothing to close.
        {"waiting for the emoticon dialog, which never comes",
         [](Options& never) { never.neverOpenEmoticons = true; }, "", {Sent("post Main", 1), 10},
         {}, {}, kBeforeAny},
        {"opening", [](Options& slow) { slow.createDelayMs = 20; }, "", {Sent(kOpen, 2), 0},
         kTexts + Texts{kConfirm, kClose}, {"(a) a", "(b) b"}, kAfterTwo},
        {"filling", [](Options& slow) { slow.editsDelayMs = 20; }, "", {Sent(kOpen, 2), 5},
         kTexts + Texts{kConfirm, kClose}, {"(a) a", "(b) b"}, kAfterTwo},
        {"confirming", [](Options&) {}, "", {Sent(kConfirm, 2), 0}, {kClose}, {"(a) a", "(b) b"},
         kAfterTwo},
        {"settling", [](Options& slow) { slow.promptDelayMs = 20; }, "", {Sent(kConfirm, 2), 10},
         {kClose}, {"(a) a", "(b) b"}, kAfterTwo},
        // b's shortcut is refused, and the stop comes while the prompt is being made: it is
        // answered once it is complete, and the replacement confirmed.
        {"answering a prompt", [](Options& gaps) { gaps.buildGapMs = 3; },
         "---List---\r\nb.gif - (Y)\r\n", {PromptUp, 0},
         {"post Prompt 2/264158", "text ShortcutEdit 256/0", kConfirm, kClose},
         {"(a) a", "(Y)2 b"},
         kAfterTwo + "\n\nAdded under another shortcut:\nb.gif: (Y) refused, added as (Y)2"},
        // Messenger has kept b's path waiting for more than a second when the stop comes.
        {"waiting for a busy Messenger",
         [](Options& busy) {
             busy.hangAtText = 4;
             busy.hangMs = 3000;
         },
         "", {Sent("text PathEdit", 2), 1500},
         {"text ShortcutEdit 256/0", "text NameEdit 256/0", kConfirm, kClose}, {"(a) a", "(b) b"},
         kAfterTwo, CloseAnswer::AtOnce},
    };
    for (const auto& stop : stops) {
        for (const By by : {By::Stop, By::Close}) {
            SCOPED_TRACE(std::string(stop.state) + (by == By::Stop ? ", Stop" : ", closed"));
            Rig rig({u"a.gif", u"b.gif", u"c.gif"});
            if (*stop.listFile) rig.SetListFile(stop.listFile);
            ASSERT_TRUE(rig.form.OpenFolder(kFolder));
            Options options;
            stop.messenger(options);
            rig.windows.StartMessenger(options);
            const Stopped got = StopAt(rig, stop.moment, by);
            EXPECT_TRUE(got.ran);
            if (by == By::Close) {
                EXPECT_EQ(got.answer, stop.closing);
            }
            if (by == By::Close && stop.closing == CloseAnswer::AtOnce) continue;
            EXPECT_EQ(got.after, stop.after);
            EXPECT_EQ(rig.Store(), stop.store);
            const Texts box = by == By::Stop ? Texts{stop.box} : Texts{};
            EXPECT_EQ(rig.toolkit.boxes, box);
            const auto caption = std::find_if(rig.log.rbegin(), rig.log.rend(), [](auto& entry) {
                return entry.rfind("caption ", 0) == 0;
            });
            ASSERT_NE(caption, rig.log.rend());
            EXPECT_EQ(*caption, "caption Pimbrel - Émoticônes 表情");
            EXPECT_EQ(Texts(rig.log.end() - 5, rig.log.end()), kEnable + Texts{"unlock"})
                << "the controls after the box";
            EXPECT_FALSE(rig.form.RetryPending());
            EXPECT_EQ(rig.file1.results.back(), u"") << "c.gif not reached";
            EXPECT_EQ(rig.file1.followed.size(), stop.store.size());
            EXPECT_EQ(rig.form.OnClose(), CloseAnswer::Now) << "after the run";
        }
    }
}

// A retry waiting for its timer is called off: the timer stops, the box says nothing went in,
// the controls come back, and the next stall may be retried again.
TEST(RunStop, StopCallsOffAPendingRetry) {
    Rig rig({u"a.gif"});
    rig.Load();
    standin::Options never;
    never.neverOpenEmoticons = true;
    rig.windows.StartMessenger(never);
    EXPECT_FALSE(rig.Click());
    ASSERT_TRUE(rig.form.RetryPending());
    rig.log.clear();
    rig.form.OnStopClick();
    EXPECT_EQ(rig.log, (Texts{"timer 0", "disable cmdStop", "box " + kBeforeAny} + kEnable));
    EXPECT_FALSE(rig.form.RetryPending());
    EXPECT_EQ(rig.Sent().size(), 1u) << "only the open command";
    rig.log.clear();
    rig.form.OnStopClick();
    EXPECT_TRUE(rig.log.empty()) << "nothing to stop";
}

}  // namespace
}  // namespace pimbrel::testing
