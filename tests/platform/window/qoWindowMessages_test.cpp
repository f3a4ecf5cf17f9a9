// Window classes, hidden windows, send and post, and the order of the loop.
#include "platform/window/qoHeadless.h"
#include "platform/window/qoMessageQueue.h"
#include "platform/window/qoTimer.h"
#include "platform/window/qoWindows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace qo {
namespace {

// What the windows of the tests saw, in order.
std::vector<std::string> gLog;

LRESULT LoggingProc(HWND, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_USER || msg == WM_USER + 1) gLog.push_back("user" + std::to_string(wParam));
    if (msg == WM_DESTROY) gLog.push_back("destroy");
    return msg == WM_USER ? LRESULT(wParam * 2) : 0;
}

LRESULT OtherProc(HWND, UINT, WPARAM, LPARAM) { return 7; }

class WindowMessages : public ::testing::Test {
protected:
    void SetUp() override { gLog.clear(); }
    void TearDown() override {
        for (HWND hwnd : fWindows) DestroyWindow(hwnd);
        UnregisterClass("TTestWindow");
    }
    HWND NewHidden() {
        if (!GetClassInfo("TTestWindow", fClass)) RegisterClass({"TTestWindow", &LoggingProc});
        HWND hwnd = CreateWindow("TTestWindow", "", 0, {}, 0);
        fWindows.push_back(hwnd);
        return hwnd;
    }

    THeadlessHarness harness;
    TWndClass fClass;
    std::vector<HWND> fWindows;
};

TEST_F(WindowMessages, ClassesAreRegisteredLookedUpAndUnregisteredByName) {
    EXPECT_TRUE(RegisterClass({"TTestWindow", &LoggingProc}));
    EXPECT_FALSE(RegisterClass({"ttestwindow", &OtherProc})) << "names compare without case";
    TWndClass found;
    ASSERT_TRUE(GetClassInfo("TTESTWINDOW", found));
    EXPECT_EQ(found.WndProc, &LoggingProc);

    HWND hwnd = CreateWindow("TTestWindow", "caption", 0, {}, 0);
    ASSERT_NE(hwnd, 0u);
    EXPECT_EQ(GetWindowText(hwnd), "caption");
    EXPECT_FALSE(UnregisterClass("TTestWindow")) << "a window of the class still exists";
    EXPECT_TRUE(DestroyWindow(hwnd));
    EXPECT_EQ(gLog, std::vector<std::string>{"destroy"});
    EXPECT_FALSE(IsWindow(hwnd));

    // Registered again with another procedure, new windows use it.
    EXPECT_TRUE(UnregisterClass("TTestWindow"));
    EXPECT_FALSE(GetClassInfo("TTestWindow", found));
    ASSERT_TRUE(RegisterClass({"TTestWindow", &OtherProc}));
    hwnd = CreateWindow("TTestWindow", "", 0, {}, 0);
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 1, 0), 7);
    DestroyWindow(hwnd);
}

TEST_F(WindowMessages, MissingClassOrWindowFailsQuietly) {
    EXPECT_EQ(CreateWindow("NoSuchClass", "", 0, {}, 0), 0u);
    EXPECT_FALSE(PostMessage(0x7FFFFFFF, WM_USER, 0, 0));
    EXPECT_EQ(SendMessage(0x7FFFFFFF, WM_USER, 0, 0), 0);
    EXPECT_FALSE(DestroyWindow(0x7FFFFFFF));
    EXPECT_FALSE(RegisterClass({"", &LoggingProc}));
    EXPECT_FALSE(RegisterClass({"TNoProc", nullptr}));
}

TEST_F(WindowMessages, SentRunsAtOncePostedRunsFirstInFirstOutFromTheLoop) {
    HWND hwnd = NewHidden();
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 21, 0), 42);
    EXPECT_EQ(gLog, std::vector<std::string>{"user21"});
    gLog.clear();
    for (WPARAM i = 1; i <= 3; ++i) EXPECT_TRUE(PostMessage(hwnd, WM_USER + 1, i, 0));
    EXPECT_TRUE(gLog.empty()) << "posted messages wait for the loop";
    harness.RunUntilIdle();
    EXPECT_EQ(gLog, (std::vector<std::string>{"user1", "user2", "user3"}));
}

TEST_F(WindowMessages, DestroyingAWindowDropsWhatWasPostedToIt) {
    HWND doomed = NewHidden();
    HWND kept = NewHidden();
    PostMessage(doomed, WM_USER + 1, 1, 0);
    PostMessage(kept, WM_USER + 1, 2, 0);
    DestroyWindow(doomed);
    gLog.clear();
    harness.RunUntilIdle();
    EXPECT_EQ(gLog, std::vector<std::string>{"user2"});
}

// A control that records its paints and the messages posted to it.
class TRecorder : public TWinControl {
public:
    explicit TRecorder(std::vector<std::string>& log) : TWinControl(nullptr), fLog(log) { SetBounds(0, 0, 50, 40); }
    void WndProc(TMessage& message) override {
        if (message.Msg == WM_PAINT) fLog.push_back("paint");
        if (message.Msg == WM_USER) {
            fLog.push_back("posted");
            // Posting from a posted message still runs before the paint.
            if (message.WParam == 0) PostMessage(Handle(), WM_USER, 1, 0);
        }
        TWinControl::WndProc(message);
    }

private:
    std::vector<std::string>& fLog;
};

TEST_F(WindowMessages, PostedMessagesRunBeforePaintAndManyInvalidationsCostOnePaint) {
    TRecorder window(gLog);
    harness.RunUntilIdle();
    gLog.clear();
    for (int i = 0; i < 10; ++i) window.Invalidate();
    window.InvalidateRect({1, 1, 5, 5}, false);
    PostMessage(window.Handle(), WM_USER, 0, 0);
    harness.RunUntilIdle();
    EXPECT_EQ(gLog, (std::vector<std::string>{"posted", "posted", "paint"}));
}

TEST_F(WindowMessages, RepaintPaintsAtOnceAndOnlyWhatIsInvalid) {
    TRecorder window(gLog);
    harness.RunUntilIdle();
    gLog.clear();
    window.Update();
    EXPECT_TRUE(gLog.empty()) << "nothing invalid, nothing to paint";
    window.Repaint();
    EXPECT_EQ(gLog, std::vector<std::string>{"paint"});
    harness.RunUntilIdle();
    EXPECT_EQ(gLog.size(), 1u) << "the synchronous paint validated the window";
}

TEST_F(WindowMessages, HiddenWindowsDoNotPaint) {
    TRecorder window(gLog);
    window.Hide();
    harness.RunUntilIdle();
    EXPECT_TRUE(gLog.empty());
    window.Show();
    harness.RunUntilIdle();
    EXPECT_EQ(gLog, std::vector<std::string>{"paint"});
}

TEST_F(WindowMessages, TimersFireOnVirtualTimeAfterPaint) {
    TRecorder window(gLog);
    harness.RunUntilIdle();
    gLog.clear();
    TTimer timer(nullptr);
    timer.SetInterval(50);
    timer.SetOnTimer([&](TComponent*) {
        gLog.push_back("timer");
        window.Invalidate();
    });
    harness.AdvanceTime(49);
    EXPECT_TRUE(gLog.empty());
    harness.AdvanceTime(1);
    EXPECT_EQ(gLog, (std::vector<std::string>{"timer", "paint"}));
    gLog.clear();
    harness.AdvanceTime(200);
    EXPECT_EQ(std::count(gLog.begin(), gLog.end(), "timer"), 4);

    // Invalid and due at once: the paint comes first.
    gLog.clear();
    window.Invalidate();
    harness.Backend().VirtualClock().Advance(50);
    harness.RunUntilIdle();
    EXPECT_EQ(gLog, (std::vector<std::string>{"paint", "timer", "paint"}));
}

TEST_F(WindowMessages, TimerRunsOnlyEnabledWithIntervalAndHandler) {
    int fired = 0;
    TTimer timer(nullptr);
    harness.AdvanceTime(5000);
    timer.SetOnTimer([&](TComponent*) { ++fired; });
    timer.SetEnabled(false);
    harness.AdvanceTime(5000);
    EXPECT_EQ(fired, 0);
    timer.SetEnabled(true);
    harness.AdvanceTime(1000);
    EXPECT_EQ(fired, 1) << "the default interval is 1000 ms";
    timer.SetInterval(0);
    harness.AdvanceTime(5000);
    EXPECT_EQ(fired, 1);
}

TEST_F(WindowMessages, AllocatedWindowsReceiveTheirMessages) {
    std::vector<UINT> seen;
    HWND hwnd = AllocateHWnd([&](TMessage& m) {
        seen.push_back(m.Msg);
        m.Result = 5;
    });
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 5);
    PostMessage(hwnd, WM_USER + 2, 0, 0);
    harness.RunUntilIdle();
    EXPECT_EQ(seen, (std::vector<UINT>{WM_USER, WM_USER + 2}));
    DeallocateHWnd(hwnd);
    EXPECT_FALSE(IsWindow(hwnd));
}

} // namespace
} // namespace qo
