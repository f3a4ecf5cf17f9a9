// The X11 backend on a virtual display of its own, driven by real input: clicks,
// wheel and keys (characters beyond Latin-1 too), a pop-up menu, a message box
// and the clipboard shared with another client.
#ifndef _WIN32
#include "platform/backends/qoX11Backend.h"
#include "platform/backends/qoX11Clipboard.h"
#include "platform/widgets/qoClipboard.h"
#include "platform/widgets/qoPopupMenu.h"
#include "platform/window/qoDialogs.h"
#include "platform/window/qoCustomControl.h"
#include "platform/window/qoHeadlessBackend.h"
#include "platform/window/qoMessageQueue.h"
#include "platform/window/qoPanel.h"
#include "platform/window/qoTimer.h"
#include "qoBackendTest.h"
#include "qoX11Install.h"
#include "support/qoVirtualDisplay.h"

#include <gtest/gtest.h>

// After gtest: Xlib's macros (None, Bool) would break it.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <csignal>
#include <fcntl.h>
#include <cstdlib>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace qo {
namespace {

using test::FindProgram;
using test::PumpUntil;
using test::Spawn;
using test::TVirtualDisplay;
using test::TTarget;

unsigned long PixelAt(const std::string& display, unsigned long window, int x, int y) {
    Display* d = XOpenDisplay(display.c_str());
    XImage* image = XGetImage(d, window, x, y, 1, 1, AllPlanes, ZPixmap);
    const unsigned long pixel = image ? XGetPixel(image, 0, 0) : ~0ul;
    if (image) XDestroyImage(image);
    XCloseDisplay(d);
    return pixel & 0xFFFFFF;
}

// Gives keysyms to keycodes that have none, as a keyboard with these keys has.
void MapSpareKeys(const std::string& display, std::vector<KeySym> syms) {
    Display* d = XOpenDisplay(display.c_str());
    int low = 0, high = 0, perCode = 0;
    XDisplayKeycodes(d, &low, &high);
    KeySym* map = XGetKeyboardMapping(d, KeyCode(low), high - low + 1, &perCode);
    for (int code = high; code >= low && !syms.empty(); --code) {
        bool spare = true;
        for (int i = 0; i < perCode; ++i) spare = spare && map[(code - low) * perCode + i] == NoSymbol;
        if (!spare) continue;
        KeySym sym = syms.back();
        syms.pop_back();
        XChangeKeyboardMapping(d, code, 1, &sym, 1);
    }
    XFree(map);
    XSync(d, False);
    XCloseDisplay(d);
}

// A virtual display with the X11 backend installed and a form shown on it:
// a red panel with a blue target. Skips where Xvfb or xdotool is missing.
class X11 : public ::testing::Test {
protected:
    void SetUp() override {
        xvfb = FindProgram("Xvfb");
        xdotool = FindProgram("xdotool");
        if (xvfb.empty() || xdotool.empty()) GTEST_SKIP() << "Xvfb or xdotool is not installed: no X11 test";
        display = std::make_unique<TVirtualDisplay>(xvfb);
        ASSERT_FALSE(display->Name().empty()) << "Xvfb did not start";
        x11 = test::InstallX11Backend(display->Name());
        ASSERT_TRUE(x11);
        form = std::make_unique<TPanel>(nullptr);
        form->SetBounds(0, 0, 200, 100);
        form->SetColor(clRed);
        form->SetBevelOuter(bvNone);
        target = new TTarget(form.get());
        target->SetParent(form.get());
        target->SetBounds(100, 20, 60, 40);
        x11->Show(*form, "qo X11 test");
        ASSERT_TRUE(PumpUntil([&] { return x11->Presents(*form) > 0; })) << "never exposed";
        window = x11->WindowOf(*form);
    }
    void TearDown() override {
        form.reset();
        if (x11) test::InstallHeadlessBackend();
    }
    // Runs xdotool on the display; wait: for it to end (its exit status), or not (0).
    int Xdo(std::vector<std::string> args, bool wait = true) {
        args.insert(args.begin(), xdotool);
        int status = -1;
        const pid_t pid = Spawn(args, -1, display->Name());
        if (!wait) {
            started.push_back(pid);
            return 0;
        }
        if (pid > 0) waitpid(pid, &status, 0);
        return status;
    }
    ~X11() override {
        for (pid_t pid : started) waitpid(pid, nullptr, 0);
    }

    std::string xvfb, xdotool;
    std::unique_ptr<TVirtualDisplay> display;
    TX11Backend* x11 = nullptr;
    std::unique_ptr<TPanel> form;
    TTarget* target = nullptr;
    unsigned long window = 0;
    std::vector<pid_t> started;
};

TEST_F(X11, ShowsPaintsAndReactsToRealInput) {
    EXPECT_EQ(PixelAt(display->Name(), window, 10, 10), 0xFF0000u) << "the panel's red";
    EXPECT_EQ(PixelAt(display->Name(), window, 110, 30), 0x0000FFu) << "the child's blue";

    const std::string id = std::to_string(window);
    int status = Xdo({"mousemove", "--window", id, "120", "35", "click", "1"});
    EXPECT_TRUE(PumpUntil([&] { return target->Clicks > 0; })) << "xdotool exit status " << status;
    EXPECT_EQ(target->Clicks, 1);
    EXPECT_EQ(target->LastDown, TPoint(20, 15));

    int wheel = 0;
    target->OnMouseWheel = [&](TComponent*, TShiftState, int delta, TPoint, bool& handled) {
        wheel += delta;
        handled = true;
    };
    status = Xdo({"click", "4"});
    EXPECT_TRUE(PumpUntil([&] { return wheel != 0; })) << "xdotool exit status " << status;
    EXPECT_EQ(wheel, WHEEL_DELTA) << "button 4 is the wheel turned away from the user";

    std::u16string typed;
    std::vector<uint16_t> keys;
    target->OnKeyPress = [&](TComponent*, char16_t& ch) { typed += ch; };
    target->OnKeyDown = [&](TComponent*, uint16_t& key, TShiftState) { keys.push_back(key); };
    target->SetFocus();
    status = Xdo({"key", "--window", id, "a", "Left"});
    EXPECT_TRUE(PumpUntil([&] { return keys.size() >= 2; })) << "xdotool exit status " << status;
    EXPECT_EQ(typed, u"a");
    EXPECT_EQ(keys, (std::vector<uint16_t>{VK_A, VK_LEFT}));

    typed.clear();
    MapSpareKeys(display->Name(), {XK_adiaeresis, XK_EuroSign, 0x1004e2d});
    status = Xdo({"key", "--window", id, "adiaeresis", "EuroSign", "U4E2D"});
    EXPECT_TRUE(PumpUntil([&] { return typed.size() >= 3; })) << "xdotool exit status " << status;
    EXPECT_EQ(typed, u"\u00e4\u20ac\u4e2d") << "characters beyond Latin-1";
}

TEST_F(X11, APopupMenuIsARealWindowOnTheScreenAndAPressAnywhereClosesIt) {
    TPopupMenu menu(nullptr);
    for (const char* caption : {"Cut", "Copy", "Paste"}) menu.AddItem(caption);
    menu.Popup({150, 120});
    ASSERT_TRUE(PumpUntil([&] { return x11->Presents(menu) > 0; }));
    Display* d = XOpenDisplay(display->Name().c_str());
    XWindowAttributes attributes{};
    XGetWindowAttributes(d, x11->WindowOf(menu), &attributes);
    int left = 0, top = 0;
    Window child = 0;
    XTranslateCoordinates(d, x11->WindowOf(menu), DefaultRootWindow(d), 0, 0, &left, &top, &child);
    XCloseDisplay(d);
    EXPECT_TRUE(attributes.override_redirect);
    EXPECT_EQ(TPoint(left, top), TPoint(150, 120));

    const TRect copy = menu.ItemRect(1);
    Xdo({"mousemove", std::to_string(150 + copy.Left + 10), std::to_string(120 + copy.Top + 5), "click", "1"});
    EXPECT_TRUE(PumpUntil([&] { return !menu.IsOpen(); }));
    EXPECT_EQ(menu.ChosenIndex(), 1);
    EXPECT_EQ(x11->WindowOf(menu), 0u) << "its window went with it";

    menu.Popup({150, 120});
    ASSERT_TRUE(PumpUntil([&] { return x11->Presents(menu) > 0; }));
    Xdo({"mousemove", "300", "230", "click", "1"});
    EXPECT_TRUE(PumpUntil([&] { return !menu.IsOpen(); })) << "a press outside every window of ours";
    EXPECT_EQ(menu.ChosenIndex(), -1);
}

TEST_F(X11, AMessageBoxIsARealDialogWindowAnsweredByKeys) {
    std::vector<uint16_t> keys;
    target->OnKeyDown = [&](TComponent*, uint16_t& key, TShiftState) { keys.push_back(key); };
    target->SetFocus();
    Xdo({"search", "--sync", "--name", "^Confirm$", "key", "--window", "%1", "Right", "Return"}, false);
    EXPECT_EQ(MessageBox("Save the changes?", "Confirm", MB_YESNO), IDNO);
    EXPECT_TRUE(keys.empty()) << "the keys went to the box alone";
}

TEST_F(X11, TheClipboardIsTheClipboardSelection) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        // Another client: takes the selection, serves it until it loses it, then reads ours.
        Display* d = XOpenDisplay(display->Name().c_str());
        {
            TX11Clipboard other(d);
            other.SetClipboardText("from another client \xc3\xa4");
            for (bool owner = true; owner;) {
                XEvent event;
                XNextEvent(d, &event);
                other.HandleEvent(event);
                owner = event.type != SelectionClear;
            }
            const std::string ours = other.GetClipboardText();
            if (write(fds[1], ours.data(), ours.size()) < 0) _exit(2);
        }
        XCloseDisplay(d);
        _exit(0);
    }
    close(fds[1]);
    std::string fetched;
    PumpUntil([&] {
        fetched = ClipboardGetText();
        return !fetched.empty();
    });
    EXPECT_EQ(fetched, "from another client \xc3\xa4");
    ClipboardSetText("ours \xe2\x82\xac");
    EXPECT_EQ(ClipboardGetText(), "ours \xe2\x82\xac");
    fcntl(fds[0], F_SETFL, fcntl(fds[0], F_GETFL) | O_NONBLOCK);
    std::string read_back;
    PumpUntil([&] {
        char buffer[256];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n > 0) read_back.append(buffer, size_t(n));
        return n == 0;
    });
    close(fds[0]);
    waitpid(pid, nullptr, 0);
    EXPECT_EQ(read_back, "ours \xe2\x82\xac") << "the other client read our text";
}

// Sets an environment variable (nullptr: removes it) for the life of the object.
class TEnvironment {
public:
    TEnvironment(const char* name, const char* value) : fName(name) {
        const char* saved = std::getenv(name);
        if (saved) fSaved = saved;
        fWasSet = saved != nullptr;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~TEnvironment() {
        if (fWasSet)
            setenv(fName.c_str(), fSaved.c_str(), 1);
        else
            unsetenv(fName.c_str());
    }

private:
    std::string fName, fSaved;
    bool fWasSet = false;
};

TEST(X11Backend, WithoutADisplayOrWhenHeadlessIsAskedForThereIsNoWindowToRunIn) {
    TPanel form(nullptr);
    {
        TEnvironment noDisplay("DISPLAY", nullptr);
        TEnvironment notHeadless("QO_HEADLESS", nullptr);
        EXPECT_FALSE(RunInX11Window(form, "none"));
        EXPECT_EQ(TX11Backend::Open(":4711"), nullptr);
    }
    TEnvironment headless("QO_HEADLESS", "1");
    EXPECT_FALSE(RunInX11Window(form, "none")) << "not even tried";
}

} // namespace
} // namespace qo
#endif
