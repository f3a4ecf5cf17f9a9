// The Win32 backend on native windows (under Wine, its display-less driver):
// native input in the loop's order, pixels through the DIB section, wake-ups
// from workers, and what arrives for windows that are gone.
#ifdef _WIN32
#include "platform/core/qoWin32.h"

#include "platform/backends/qoWin32Backend.h"
#include "platform/window/qoHeadlessBackend.h"
#include "platform/window/qoPanel.h"
#include "qoBackendTest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace qo {
namespace {

using test::PumpUntil;
using test::TTarget;

// A red form with a blue target at (100, 20), shown in a native window.
class Win32Backend : public ::testing::Test {
protected:
    void SetUp() override {
        std::unique_ptr<TWin32Backend> opened = TWin32Backend::Open();
        if (!opened) GTEST_SKIP() << "no native windows here";
        fBackend = opened.get();
        SetBackend(std::move(opened));
        MessageQueue().Reset();
        fForm.SetBounds(0, 0, 200, 100);
        fForm.SetColor(clRed);
        fForm.SetBevelOuter(bvNone);
        fTarget->SetParent(&fForm);
        fTarget->SetBounds(100, 20, 60, 40);
        fBackend->Show(fForm, "qo Win32 test");
        fWindow = reinterpret_cast<::HWND>(fBackend->WindowOf(fForm));
    }
    void TearDown() override {
        MessageQueue().Reset();
        SetBackend(std::make_unique<THeadlessBackend>());
    }
    void Post(UINT msg, WPARAM wParam, TPoint p) { PostMessageW(fWindow, msg, wParam, MAKELPARAM(p.X, p.Y)); }

    TWin32Backend* fBackend = nullptr;
    TPanel fForm{nullptr};
    TTarget* fTarget = new TTarget(&fForm);
    ::HWND fWindow = nullptr;
};

TEST_F(Win32Backend, PaintsIntoTheWindowsDibSection) {
    ASSERT_TRUE(IsWindow(fWindow));
    ASSERT_TRUE(PumpUntil([&] { return fBackend->Presents(fForm) > 0; }));
    TBitmap shown;
    fBackend->Presented(fForm, shown);
    ASSERT_EQ(shown.Width(), 200);
    EXPECT_EQ(shown.Pixel(10, 10), clRed) << "the form";
    EXPECT_EQ(shown.Pixel(110, 30), clBlue) << "the child on top of it";
    RECT client;
    GetClientRect(fWindow, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);
}

TEST_F(Win32Backend, NativeMouseAndKeysReachTheControls) {
    Post(WM_LBUTTONDOWN, MK_LBUTTON, {120, 35});
    Post(WM_LBUTTONUP, 0, {120, 35});
    EXPECT_TRUE(PumpUntil([&] { return fTarget->Clicks > 0; }));
    EXPECT_EQ(fTarget->LastDown, TPoint(20, 15));

    int wheel = 0;
    fTarget->OnMouseWheel = [&](TComponent*, TShiftState, int delta, TPoint, bool& handled) {
        wheel += delta;
        handled = true;
    };
    POINT screen{120, 35};
    ClientToScreen(fWindow, &screen);
    Post(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), {screen.x, screen.y});
    EXPECT_TRUE(PumpUntil([&] { return wheel != 0; }));
    EXPECT_EQ(wheel, WHEEL_DELTA);

    std::u16string typed;
    std::vector<uint16_t> keys;
    fTarget->OnKeyPress = [&](TComponent*, char16_t& ch) { typed += ch; };
    fTarget->OnKeyDown = [&](TComponent*, uint16_t& key, TShiftState) { keys.push_back(key); };
    fTarget->SetFocus();
    PostMessageW(fWindow, WM_KEYDOWN, 'A', 0); // translated into the character 'a'
    PostMessageW(fWindow, WM_CHAR, '\b', 0);  // a key, not a character
    PostMessageW(fWindow, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_TRUE(PumpUntil([&] { return keys.size() >= 2; }));
    EXPECT_EQ(typed, u"a");
    EXPECT_EQ(keys, (std::vector<uint16_t>{'A', VK_LEFT}));
}

// Our posted messages run before native input that was waiting longer.
TEST_F(Win32Backend, PostedMessagesRunBeforeNativeInput) {
    std::vector<std::string> order;
    fTarget->OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) { order.push_back("input"); };
    const HWND target = AllocateHWnd([&](TMessage& m) {
        if (m.Msg == WM_USER) order.push_back("posted");
    });
    Post(WM_LBUTTONDOWN, MK_LBUTTON, {120, 35});
    qo::PostMessage(target, WM_USER, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return order.size() >= 2; }));
    EXPECT_EQ(order, (std::vector<std::string>{"posted", "input"}));
    DeallocateHWnd(target);
    Post(WM_LBUTTONUP, 0, {120, 35});
    MessageQueue().ProcessMessages();
}

TEST_F(Win32Backend, AWorkerWakesTheWaitingLoop) {
    std::atomic<bool> received = false;
    const HWND target = AllocateHWnd([&](TMessage& m) {
        if (m.Msg == WM_USER) received = true;
    });
    std::thread worker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        qo::PostMessage(target, WM_USER, 0, 0);
    });
    // No timer runs: only the wake-up ends the wait.
    for (int rounds = 0; !received && rounds < 100; ++rounds) MessageQueue().HandleMessage();
    worker.join();
    EXPECT_TRUE(received);
    DeallocateHWnd(target);
}

// Input for a window that is gone, or that goes while its input is handled,
// is dropped; the loop goes on.
TEST_F(Win32Backend, MessagesForWindowsThatAreGoneAreDropped) {
    fTarget->OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) { fBackend->Hide(fForm); };
    Post(WM_LBUTTONDOWN, MK_LBUTTON, {120, 35});
    Post(WM_LBUTTONUP, 0, {120, 35});
    Post(WM_MOUSEMOVE, 0, {121, 35});
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(fWindow); }));
    EXPECT_EQ(fBackend->WindowOf(fForm), 0u);
    EXPECT_EQ(SendMessageW(fWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, 35)), 0);
    EXPECT_FALSE(PostMessageW(fWindow, WM_LBUTTONUP, 0, 0));
    MessageQueue().ProcessMessages();
    EXPECT_EQ(fTarget->Clicks, 0);
}

// What a host unloading the module needs: every window and class gone with the
// backend, a late wake-up harmless, and the classes free to be registered again.
TEST_F(Win32Backend, ClosingWithWindowsOpenLeavesNothingBehind) {
    fBackend->Wake();
    SetBackend(std::make_unique<THeadlessBackend>());
    EXPECT_FALSE(IsWindow(fWindow));
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    EXPECT_FALSE(GetClassInfoExW(GetModuleHandleW(nullptr), L"qoWin32Window", &info));
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    std::unique_ptr<TWin32Backend> again = TWin32Backend::Open();
    ASSERT_TRUE(again);
    again->Show(fForm, "again");
    EXPECT_NE(again->WindowOf(fForm), 0u);
}

TEST(Win32Window, HeadlessRunsNeedNoWindow) {
    TPanel form(nullptr);
    // ctest sets QO_HEADLESS for every test program.
    if (!std::getenv("QO_HEADLESS")) GTEST_SKIP() << "QO_HEADLESS is not set";
    EXPECT_FALSE(RunInWin32Window(form, "never shown"));
}

} // namespace
} // namespace qo
#endif
