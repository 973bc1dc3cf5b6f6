// The loop guard's budget and counting, and the lookup of owned windows.
#include <gtest/gtest.h>

#include "fake_toolkit.h"
#include "fake_windows.h"
#include "messenger/functions.h"

namespace pimbrel::testing {
namespace {

TEST(LoopBudget, FollowsThePictureCount) {
    const std::pair<std::int32_t, std::int32_t> cases[] = {
        {0, 1000}, {1, 1100}, {100, 11000}, {166, 17600}, {167, 16777215}, {32766, 16777215},
        {40000, 16777215}};
    for (const auto& [pictures, budget] : cases) EXPECT_EQ(LoopBudget(pictures), budget) << pictures;
}

class CheckLoopTest : public ::testing::Test {
protected:
    EventLog log;
    FakeDialogs dialogs{log};
    void SetUp() override { loopCount = 0; }
};

TEST_F(CheckLoopTest, PassReachingTheLimitGoesOnAndTheNextEnds) {
    loopLimit = 3;
    for (int i = 0; i < 3; ++i) CheckLoop(dialogs);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_THROW(CheckLoop(dialogs), ProgramEnded);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Infinite loop detected, application will now shut down.");
    EXPECT_EQ(dialogs.shown[0].title, "Fatal Error: Infinite Loop");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Stop);
    EXPECT_EQ(log.back(), "end");
}

TEST_F(CheckLoopTest, UnsetLimitBecomesFiveThousand) {
    loopLimit = 0;
    CheckLoop(dialogs);
    EXPECT_EQ(loopLimit, 5000);
    EXPECT_EQ(loopCount, 1);
    loopCount = 4999;
    CheckLoop(dialogs);
    EXPECT_THROW(CheckLoop(dialogs), ProgramEnded);
}

TEST(WindowClassName, ReadsNameOrNothing) {
    FakeWindows windows;
    const auto dialog = windows.AddTopLevel("#32770");
    EXPECT_EQ(WindowClassName(windows, dialog), "#32770");
    EXPECT_EQ(WindowClassName(windows, 0), "");
    EXPECT_EQ(WindowClassName(windows, dialog + 77), "");
    const std::string longName(300, 'x');
    const auto named = windows.AddTopLevel(longName);
    EXPECT_EQ(WindowClassName(windows, named), std::string(254, 'x'));
}

TEST(FindOwnedWindow, PicksTheHighestOwnedWindowOfTheClass) {
    FakeWindows windows;
    const auto owner = windows.AddTopLevel("MSNMSBLClass");
    EXPECT_EQ(FindOwnedWindow(windows, owner, "#32770"), 0u) << "no window of the class";
    const auto unowned = windows.AddTopLevel("#32770", 0);
    EXPECT_EQ(FindOwnedWindow(windows, owner, "#32770"), 0u) << "none owned by owner";
    const auto older = windows.AddTopLevel("#32770", owner);
    windows.AddTopLevel("Edit", owner);
    EXPECT_EQ(FindOwnedWindow(windows, owner, "#32770"), older);
    const auto newer = windows.AddTopLevel("#32770", owner);
    EXPECT_EQ(FindOwnedWindow(windows, owner, "#32770"), newer) << "higher in the z-order";
    EXPECT_EQ(FindOwnedWindow(windows, 0, "#32770"), unowned) << "owner 0 finds unowned";
    EXPECT_EQ(FindOwnedWindow(windows, owner, "#32770 "), 0u);
}

TEST(FindOwnedWindow, ClassInOtherCaseNeverMatches) {
    // The start point is found by the system's case-blind lookup; the walk compares exactly.
    class CaseBlindWindows : public FakeWindows {
    public:
        WindowHandle FindWindowByClass(const std::string&) override {
            return FakeWindows::FindWindowByClass("DUIDialog");
        }
    } windows;
    const auto owner = windows.AddTopLevel("MSBLWindowClass");
    windows.AddTopLevel("DUIDialog", owner);
    EXPECT_EQ(FindOwnedWindow(windows, owner, "duidialog"), 0u);
}

TEST(FindOwnedWindow, WalksAtMostAThousandStepsDownTheZOrder) {
    for (const int above : {999, 1000, 1001}) {
        FakeWindows windows;
        const auto owner = windows.AddTopLevel("Owner");
        const auto target = windows.AddTopLevel("#32770", owner);
        for (int i = 0; i < above; ++i) windows.AddTopLevel("Idle");
        const auto found = FindOwnedWindow(windows, owner, "#32770");
        // The window at step 1000 (the 1001st examined) still counts.
        EXPECT_EQ(found, above <= 1000 ? target : 0u) << above << " windows above";
    }
}

}  // namespace
}  // namespace pimbrel::testing
