// The Win32 backend on native windows (under Wine, its display-less driver):
// native input in the loop's order, pixels through the DIB section, wake-ups
// from workers, pop-ups, dialogs of the modal pieces, the clipboard, and what
// arrives for windows that are gone.
#ifdef _WIN32
#include "platform/core/qoWin32.h"

#include "platform/backends/qoWin32Backend.h"
#include "platform/widgets/qoClipboard.h"
#include "platform/widgets/qoHintWindow.h"
#include "platform/widgets/qoPopupMenu.h"
#include "platform/window/qoDialogs.h"
#include "platform/window/qoHeadlessBackend.h"
#include "platform/window/qoInputRouter.h"
#include "platform/window/qoPanel.h"
#include "qoBackendTest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
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
    void Post(UINT msg, WPARAM wParam, TPoint p) { Post(fWindow, msg, wParam, p); }
    static void Post(::HWND window, UINT msg, WPARAM wParam, TPoint p) {
        PostMessageW(window, msg, wParam, MAKELPARAM(p.X, p.Y));
    }
    ::HWND WindowOf(const TWinControl& control) const {
        return reinterpret_cast<::HWND>(fBackend->WindowOf(control));
    }
    // Runs `during` once from inside the nested loop of the modal piece that
    // comes next.
    void DuringModal(std::function<void()> during) {
        const HWND poke = AllocateHWnd([this, during](TMessage& m) {
            if (m.Msg == WM_USER) during();
        });
        fPokes.push_back(poke);
        qo::PostMessage(poke, WM_USER, 0, 0);
    }
    ~Win32Backend() override {
        for (HWND poke : fPokes) DeallocateHWnd(poke);
    }

    TWin32Backend* fBackend = nullptr;
    TPanel fForm{nullptr};
    TTarget* fTarget = new TTarget(&fForm);
    ::HWND fWindow = nullptr;
    std::vector<HWND> fPokes;
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

// Our screen coordinates are the system's: pop-ups open where the owner's
// coordinates say.
TEST_F(Win32Backend, AMovedWindowMovesItsControl) {
    SetWindowPos(fWindow, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    POINT origin{0, 0};
    ClientToScreen(fWindow, &origin);
    EXPECT_EQ(TPoint(fForm.Left(), fForm.Top()), TPoint(origin.x, origin.y));
    EXPECT_EQ(fTarget->ClientToScreen({0, 0}), TPoint(origin.x + 100, origin.y + 20));
}

TEST_F(Win32Backend, APopupMenuIsANativePopupThatTakesNoActivationAndAPressAnywhereClosesIt) {
    TPopupMenu menu(nullptr);
    for (const char* caption : {"Cut", "Copy", "Paste"}) menu.AddItem(caption);
    const TPoint at = fTarget->ClientToScreen({10, 10});
    menu.Popup(at);
    const ::HWND popup = WindowOf(menu);
    ASSERT_TRUE(IsWindow(popup));
    EXPECT_TRUE(GetWindowLongW(popup, GWL_STYLE) & WS_POPUP);
    EXPECT_TRUE(GetWindowLongW(popup, GWL_EXSTYLE) & WS_EX_NOACTIVATE);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), fWindow);
    RECT bounds;
    GetWindowRect(popup, &bounds);
    EXPECT_EQ(TRect(bounds.left, bounds.top, bounds.right, bounds.bottom), menu.BoundsRect());
    EXPECT_EQ(TPoint(bounds.left, bounds.top), at);
    EXPECT_EQ(GetCapture(), popup) << "every press comes to the menu";
    EXPECT_NE(GetActiveWindow(), popup);
    ASSERT_TRUE(PumpUntil([&] { return fBackend->Presents(menu) > 0; }));

    const TRect copy = menu.ItemRect(1);
    Post(popup, WM_LBUTTONDOWN, MK_LBUTTON, {copy.Left + 10, copy.Top + 5});
    Post(popup, WM_LBUTTONUP, 0, {copy.Left + 10, copy.Top + 5});
    EXPECT_TRUE(PumpUntil([&] { return !menu.IsOpen(); }));
    EXPECT_EQ(menu.ChosenIndex(), 1);
    EXPECT_FALSE(IsWindow(popup)) << "its window went with it";

    // A press outside reaches the menu through the capture, in its coordinates.
    menu.Popup(at);
    const ::HWND again = WindowOf(menu);
    Post(again, WM_LBUTTONDOWN, MK_LBUTTON, {-40, -5});
    EXPECT_TRUE(PumpUntil([&] { return !menu.IsOpen(); }));
    EXPECT_EQ(menu.ChosenIndex(), -1);
    EXPECT_NE(GetCapture(), again);
    EXPECT_EQ(fTarget->Clicks, 0) << "the press was swallowed";

    // A hint lets presses by: it takes no capture.
    THintWindow hint(nullptr);
    hint.ActivateHint({at.X, at.Y, at.X + 80, at.Y + 20}, "A hint");
    ASSERT_TRUE(IsWindow(WindowOf(hint)));
    EXPECT_NE(GetCapture(), WindowOf(hint));
    EXPECT_TRUE(GetWindowLongW(WindowOf(hint), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// The modal piece's window is an owned dialog while the nested loop runs; the
// keys go to it, and closing it is Escape.
TEST_F(Win32Backend, AMessageBoxIsAnOwnedDialogAnsweredByKeysOrClosed) {
    const struct {
        uint32_t flags;
        std::vector<std::pair<UINT, WPARAM>> messages;
        int answer;
    } cases[] = {
        {MB_YESNO, {{WM_KEYDOWN, VK_RIGHT}, {WM_KEYUP, VK_RIGHT}, {WM_KEYDOWN, VK_RETURN}, {WM_KEYUP, VK_RETURN}}, IDNO},
        {MB_OKCANCEL, {{WM_CLOSE, 0}}, IDCANCEL},
    };
    for (const auto& c : cases) {
        ::HWND dialog = nullptr;
        ::HWND owner = nullptr;
        DuringModal([&] {
            dialog = FindWindowW(nullptr, L"Confirm");
            owner = GetWindow(dialog, GW_OWNER);
            for (auto [msg, wParam] : c.messages) PostMessageW(dialog, msg, wParam, 0);
        });
        EXPECT_EQ(MessageBox("Save the changes?", "Confirm", c.flags), c.answer);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(owner, fWindow);
        EXPECT_FALSE(IsWindow(dialog)) << "it went with the box";
    }
}

// A host destroys our window while a message box is up: the dialog goes with
// its owner, both are forgotten, and the box still ends.
TEST_F(Win32Backend, WindowsDestroyedByTheSystemDuringAModalLoopAreForgotten) {
    ::HWND dialog = nullptr;
    DuringModal([&] {
        dialog = FindWindowW(nullptr, L"Confirm");
        DestroyWindow(fWindow);
        DeliverKeyDown(VK_ESCAPE, 0);
        DeliverKeyUp(VK_ESCAPE, 0);
    });
    EXPECT_EQ(MessageBox("Save the changes?", "Confirm", MB_OKCANCEL), IDCANCEL);
    EXPECT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(fBackend->WindowOf(fForm), 0u);
    fForm.Invalidate();
    MessageQueue().ProcessMessages();
}

// The user closes our window while a box is up: the box ends as dismissed, and
// the outer loop still sees the quit.
TEST_F(Win32Backend, ClosingTheWindowDuringAModalLoopDismissesThePieceAndEndsTheLoop) {
    DuringModal([&] { PostMessageW(fWindow, WM_CLOSE, 0, 0); });
    EXPECT_EQ(MessageBox("Save the changes?", "Confirm", MB_OKCANCEL), IDOK);
    EXPECT_TRUE(fBackend->CloseRequested());
    EXPECT_TRUE(MessageQueue().QuitPosted());
}

// What other programs put on the clipboard and read from it: UTF-16 text with
// CR LF line ends; ours is UTF-8 with LF.
TEST_F(Win32Backend, TheClipboardIsTheSystemsUnicodeText) {
    ClipboardSetText("ours \xe2\x82\xac\n\xf0\x9f\x98\x80");
    ASSERT_TRUE(OpenClipboard(fWindow));
    const auto* theirs = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    EXPECT_EQ(std::wstring(theirs ? theirs : L""), L"ours \u20ac\r\n\U0001F600");
    GlobalUnlock(GetClipboardData(CF_UNICODETEXT));

    const std::wstring text = L"theirs\r\nline \u00e4";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    EXPECT_EQ(ClipboardGetText(), "theirs\nline \xc3\xa4");

    SetBackend(std::make_unique<THeadlessBackend>());
    ClipboardSetText("in the process");
    EXPECT_EQ(ClipboardGetText(), "in the process") << "back to the process's own clipboard";
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
