// Finding the main window, the excluded dialog, and the wait for the emoticon dialog.
#include <gtest/gtest.h>

#include "fake_toolkit.h"
#include "fake_windows.h"
#include "messenger/emoticon_dialog.h"
#include "messenger/functions.h"

namespace pimbrel::testing {
namespace {

class EmoticonDialogTest : public ::testing::Test {
protected:
    EventLog log;
    FakeDialogs dialogs{log};
    FakeWindows windows;
    int retries = 0;
    std::int32_t countAtRetry = -1;

    void SetUp() override {
        loopCount = 0;
        loopLimit = 1000;
    }
    EmoticonDialogOutcome Open(MessengerWindows& found, bool retryPending = false) {
        return OpenEmoticonDialog(windows, dialogs, found, retryPending, [this] {
            ++retries;
            countAtRetry = loopCount;
        });
    }
};

TEST_F(EmoticonDialogTest, NewerClientIsKnownByItsSecondClass) {
    standin::Options newer;
    newer.client = standin::ClientKind::Newer;
    windows.StartMessenger(newer);
    MessengerWindows found = FindMessengerWindows(windows);
    EXPECT_NE(found.mainWnd, 0u);
    EXPECT_TRUE(found.newClient);
    EXPECT_EQ(found.excludedDlg, 0u);
    EXPECT_EQ(Open(found), EmoticonDialogOutcome::Found);
    EXPECT_EQ(WindowClassName(windows, found.emoticonDlg), "DUIDialog");
    ASSERT_EQ(windows.Sent().size(), 1u);
    EXPECT_EQ(windows.Sent()[0].wParam, 0xFFFF9D9Eu);
    EXPECT_EQ(windows.Sent()[0].lParam, 0u);
    EXPECT_EQ(loopCount, 1) << "one pass before Messenger took the command";
}

TEST_F(EmoticonDialogTest, NoMainWindowUnderEitherClass) {
    const MessengerWindows found = FindMessengerWindows(windows);
    EXPECT_EQ(found.mainWnd, 0u);
    EXPECT_TRUE(found.newClient) << "set whenever the first class was missing";
}

TEST_F(EmoticonDialogTest, OpenDialogIsExcludedUnlessItHasEightButtons) {
    for (const int buttons : {0, 1, 7, 8, 9, 12}) {
        FakeWindows own;
        standin::Options options;
        options.preexistingDialogButtons = buttons;
        own.StartMessenger(options);
        const MessengerWindows found = FindMessengerWindows(own);
        const WindowHandle open = FindOwnedWindow(own, found.mainWnd, "#32770");
        ASSERT_NE(open, 0u);
        EXPECT_EQ(found.excludedDlg, buttons == 8 ? 0u : open) << buttons << " Buttons";
    }
}

TEST_F(EmoticonDialogTest, EightButtonDialogIsTakenAtOnce) {
    standin::Options options;
    options.preexistingDialogButtons = 8;
    windows.StartMessenger(options);
    MessengerWindows found = FindMessengerWindows(windows);
    const WindowHandle open = FindOwnedWindow(windows, found.mainWnd, "#32770");
    EXPECT_EQ(Open(found), EmoticonDialogOutcome::Found);
    EXPECT_EQ(found.emoticonDlg, open);
    EXPECT_EQ(windows.Pumps(), 0);
}

TEST_F(EmoticonDialogTest, ExcludedDialogIsSkippedForTheNewOne) {
    standin::Options options;
    options.preexistingDialogButtons = 3;
    windows.StartMessenger(options);
    MessengerWindows found = FindMessengerWindows(windows);
    EXPECT_EQ(Open(found), EmoticonDialogOutcome::Found);
    EXPECT_NE(found.emoticonDlg, found.excludedDlg);
    EXPECT_EQ(windows.Messenger()->Journal().at(0).wParam, 0xFFFF9D41u);
}

TEST_F(EmoticonDialogTest, StallRetriesAfter999CountedPasses) {
    standin::Options options;
    options.neverOpenEmoticons = true;
    windows.StartMessenger(options);
    MessengerWindows found = FindMessengerWindows(windows);
    EXPECT_EQ(Open(found), EmoticonDialogOutcome::RetryScheduled);
    EXPECT_EQ(retries, 1);
    EXPECT_EQ(countAtRetry, 999);
    EXPECT_EQ(windows.Pumps(), 1000);
    EXPECT_TRUE(dialogs.shown.empty()) << "the guard never fires before the retry";
}

TEST_F(EmoticonDialogTest, BudgetSpentElsewhereRetriesAtTheFirstEmptyPass) {
    standin::Options options;
    options.neverOpenEmoticons = true;
    windows.StartMessenger(options);
    loopCount = loopLimit - 1;
    MessengerWindows found = FindMessengerWindows(windows);
    EXPECT_EQ(Open(found), EmoticonDialogOutcome::RetryScheduled);
    EXPECT_EQ(windows.Pumps(), 1);
    EXPECT_EQ(countAtRetry, loopLimit - 1);
}

TEST_F(EmoticonDialogTest, PendingRetryLeavesTheStallToTheGuard) {
    standin::Options options;
    options.neverOpenEmoticons = true;
    windows.StartMessenger(options);
    MessengerWindows found = FindMessengerWindows(windows);
    EXPECT_THROW(Open(found, true), ProgramEnded);
    EXPECT_EQ(retries, 0);
    EXPECT_EQ(loopCount, 1001);
    EXPECT_EQ(windows.Sent().size(), 1u);
}

}  // namespace
}  // namespace pimbrel::testing
