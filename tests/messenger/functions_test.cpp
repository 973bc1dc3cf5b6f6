// The loop guard's budget and counting, the lengths of a wait's passes, and the lookup of
// owned windows.
#include <gtest/gtest.h>

#include "fake_toolkit.h"
#include "fake_windows.h"
#include "messenger/functions.h"
#include "messenger/wait_pass.h"

namespace pimbrel::testing {
namespace {

TEST(LoopBudget, FollowsThePictureCount) {
    const std::pair<std::int32_t, std::int32_t> cases[] = {
        {0, 1000}, {1, 1100}, {100, 11000}, {166, 17600}, {167, 16777215}, {40000, 16777215}};
    for (const auto& [pictures, budget] : cases) EXPECT_EQ(LoopBudget(pictures), budget) << pictures;
}

// The guard's box and the end it brings are in the table of the run's ends; a budget that no
// run has set is five thousand passes.
TEST(CheckLoop, UnsetLimitIsFiveThousand) {
    EventLog log;
    FakeToolkit dialogs{log};
    loopLimit = 0;
    loopCount = 0;
    for (int i = 0; i < 5000; ++i) CheckLoop(dialogs);
    EXPECT_TRUE(log.empty());
    EXPECT_THROW(CheckLoop(dialogs), ProgramEnded);
}

// A wait's first passes are at the floor, so that a quick answer is seen at once; then they
// grow a millisecond a pass up to the ceiling, and stay there.
TEST(PassLength, StartsAtTheFloorAndGrowsToTheCeiling) {
    const std::pair<std::uint32_t, std::uint32_t> cases[] = {
        {0, 1}, {19, 1}, {20, 2}, {21, 3}, {32, 14}, {33, 15}, {34, 15}, {4000000000u, 15}};
    for (const auto& [pass, length] : cases) EXPECT_EQ(PassLength(pass), length) << pass;
}

TEST(FindOwnedWindow, PicksTheHighestOwnedWindowOfTheClassInItsCase) {
    FakeWindows windows;
    const auto owner = windows.AddTopLevel("MSBLWindowClass");
    EXPECT_EQ(FindOwnedWindow(windows, owner, "#32770"), 0u) << "no window of the class";
    const auto unowned = windows.AddTopLevel("#32770", 0);
    EXPECT_EQ(FindOwnedWindow(windows, owner, "#32770"), 0u) << "none owned by owner";
    const auto older = windows.AddTopLevel("#32770", owner);
    windows.AddTopLevel("Edit", owner);
    EXPECT_EQ(FindOwnedWindow(windows, owner, "#32770"), older);
    const auto newer = windows.AddTopLevel("#32770", owner);
    EXPECT_EQ(FindOwnedWindow(windows, owner, "#32770"), newer) << "higher in the z-order";
    EXPECT_EQ(FindOwnedWindow(windows, 0, "#32770"), unowned) << "owner 0 finds unowned";
    // The system's lookups ignore case; an owned window whose class differs only in case
    // lies above the real match.
    const auto dialog = windows.AddTopLevel("DUIDialog", owner);
    EXPECT_EQ(FindOwnedWindow(windows, owner, "duidialog"), 0u);
    windows.AddTopLevel("duidialog", owner);
    EXPECT_EQ(FindOwnedWindow(windows, owner, "DUIDialog"), dialog);
}

TEST(FindOwnedWindow, WalksAtMostAThousandStepsDownTheZOrder) {
    for (const int above : {999, 1000, 1001}) {
        FakeWindows windows;
        const auto owner = windows.AddTopLevel("Owner");
        const auto target = windows.AddTopLevel("#32770", owner);
        for (int i = 0; i < above; ++i) windows.AddTopLevel("Idle");
        // The window at step 1000 (the 1001st examined) still counts.
        EXPECT_EQ(FindOwnedWindow(windows, owner, "#32770"), above <= 1000 ? target : 0u)
            << above << " windows above";
    }
}

// A window that closes while the walk is on it (as its owner or its class is read) ends the
// walk with no result, even with a match further down.
TEST(FindOwnedWindow, WindowClosingUnderTheWalkEndsIt) {
    class ClosingWindows : public FakeWindows {
    public:
        WindowHandle closing = 0;
        bool atClassName = false;  // else as its owner is read
        WindowHandle ParentOf(WindowHandle window) override {
            if (window == closing && !atClassName) Destroy(closing);
            return FakeWindows::ParentOf(window);
        }
        bool ReadClassName(WindowHandle window, char* buffer, int size) override {
            if (window == closing && atClassName) Destroy(closing);
            return FakeWindows::ReadClassName(window, buffer, size);
        }
    };
    for (const auto& [ownedByOwner, atClassName] :
         {std::pair{false, false}, {true, false}, {true, true}}) {
        ClosingWindows windows;
        const auto owner = windows.AddTopLevel("Owner");
        windows.AddTopLevel("#32770", owner);
        windows.closing = windows.AddTopLevel("#32770", ownedByOwner ? owner : 0);
        windows.atClassName = atClassName;
        for (int i = 0; i < 3; ++i) windows.AddTopLevel("Idle");
        EXPECT_EQ(FindOwnedWindow(windows, owner, "#32770"), 0u) << ownedByOwner << atClassName;
    }
}

}  // namespace
}  // namespace pimbrel::testing
