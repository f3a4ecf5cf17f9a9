// The X11 backend on a virtual display of its own, with a real click.
#ifndef _WIN32
#include "platform/backends/qoX11Backend.h"
#include "platform/window/qoCustomControl.h"
#include "platform/window/qoHeadlessBackend.h"
#include "platform/window/qoMessageQueue.h"
#include "platform/window/qoPanel.h"
#include "platform/window/qoTimer.h"
#include "qoBackendTest.h"

#include <gtest/gtest.h>

// After gtest: Xlib's macros (None, Bool) would break it.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

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

using test::PumpUntil;
using test::TTarget;

std::string FindProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    for (size_t start = 0; start <= dirs.size();) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        const std::string candidate = dirs.substr(start, end - start) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return "";
}

// Runs a program with DISPLAY set to display (when given); keepFd stays open in it.
pid_t Spawn(const std::vector<std::string>& args, int keepFd = -1, const std::string& display = "") {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind("DISPLAY=", 0) != 0) env.push_back(*e);
    if (!display.empty()) env.push_back("DISPLAY=" + display);
    std::vector<char*> argv, envp;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    const pid_t pid = fork();
    if (pid != 0) return pid;
    for (int fd = 3; fd < 256; ++fd)
        if (fd != keepFd) close(fd);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
}

// Xvfb picks a free display itself and writes its number once it accepts clients.
class TVirtualDisplay {
public:
    explicit TVirtualDisplay(const std::string& xvfb) {
        int fds[2];
        if (pipe(fds) != 0) return;
        fPid = Spawn({xvfb, "-displayfd", std::to_string(fds[1]), "-screen", "0", "320x240x24", "-nolisten", "tcp"},
                     fds[1]);
        close(fds[1]);
        std::string number;
        char c;
        while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        if (!number.empty()) fName = ":" + number;
    }
    ~TVirtualDisplay() {
        if (fPid <= 0) return;
        kill(fPid, SIGTERM);
        waitpid(fPid, nullptr, 0);
    }
    const std::string& Name() const { return fName; }

private:
    pid_t fPid = -1;
    std::string fName;
};

unsigned long PixelAt(const std::string& display, unsigned long window, int x, int y) {
    Display* d = XOpenDisplay(display.c_str());
    XImage* image = XGetImage(d, window, x, y, 1, 1, AllPlanes, ZPixmap);
    const unsigned long pixel = image ? XGetPixel(image, 0, 0) : ~0ul;
    if (image) XDestroyImage(image);
    XCloseDisplay(d);
    return pixel & 0xFFFFFF;
}

TEST(X11Backend, ShowsPaintsAndReactsToRealInput) {
    const std::string xvfb = FindProgram("Xvfb");
    const std::string xdotool = FindProgram("xdotool");
    if (xvfb.empty() || xdotool.empty()) GTEST_SKIP() << "Xvfb or xdotool is not installed: no X11 test";
    TVirtualDisplay display(xvfb);
    ASSERT_FALSE(display.Name().empty()) << "Xvfb did not start";
    std::unique_ptr<TX11Backend> opened = TX11Backend::Open(display.Name().c_str());
    ASSERT_TRUE(opened);
    TX11Backend& x11 = *opened;
    SetBackend(std::move(opened));
    MessageQueue().Reset();
    {
        TPanel form(nullptr);
        form.SetBounds(0, 0, 200, 100);
        form.SetColor(clRed);
        form.SetBevelOuter(bvNone);
        auto* target = new TTarget(&form);
        target->SetParent(&form);
        target->SetBounds(100, 20, 60, 40);
        x11.Show(form, "qo X11 test");
        ASSERT_TRUE(PumpUntil([&] { return x11.Presents(form) > 0; })) << "never exposed";
        const unsigned long window = x11.WindowOf(form);
        EXPECT_EQ(PixelAt(display.Name(), window, 10, 10), 0xFF0000u) << "the panel's red";
        EXPECT_EQ(PixelAt(display.Name(), window, 110, 30), 0x0000FFu) << "the child's blue";

        auto xdo = [&](std::vector<std::string> args) {
            args.insert(args.begin(), xdotool);
            int status = -1;
            const pid_t pid = Spawn(args, -1, display.Name());
            if (pid > 0) waitpid(pid, &status, 0);
            return status;
        };
        const std::string id = std::to_string(window);
        int status = xdo({"mousemove", "--window", id, "120", "35", "click", "1"});
        EXPECT_TRUE(PumpUntil([&] { return target->Clicks > 0; })) << "xdotool exit status " << status;
        EXPECT_EQ(target->Clicks, 1);
        EXPECT_EQ(target->LastDown, TPoint(20, 15));

        int wheel = 0;
        target->OnMouseWheel = [&](TComponent*, TShiftState, int delta, TPoint, bool& handled) {
            wheel += delta;
            handled = true;
        };
        status = xdo({"click", "4"});
        EXPECT_TRUE(PumpUntil([&] { return wheel != 0; })) << "xdotool exit status " << status;
        EXPECT_EQ(wheel, WHEEL_DELTA) << "button 4 is the wheel turned away from the user";

        std::u16string typed;
        std::vector<uint16_t> keys;
        target->OnKeyPress = [&](TComponent*, char16_t& ch) { typed += ch; };
        target->OnKeyDown = [&](TComponent*, uint16_t& key, TShiftState) { keys.push_back(key); };
        target->SetFocus();
        status = xdo({"key", "--window", id, "a", "Left"});
        EXPECT_TRUE(PumpUntil([&] { return keys.size() >= 2; })) << "xdotool exit status " << status;
        EXPECT_EQ(typed, u"a");
        EXPECT_EQ(keys, (std::vector<uint16_t>{VK_A, VK_LEFT}));
        x11.Hide(form);
    }
    MessageQueue().Reset();
    SetBackend(std::make_unique<THeadlessBackend>());
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
