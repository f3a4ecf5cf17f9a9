// A small chart on a virtual X display, dragged with real input: a bar moved
// to another row, a bar's end resized, a link drawn between two bars.
#ifndef _WIN32
#include "gantt/qoGant.h"

#include "data/qoDoLater.h"
#include "platform/backends/qoBackendTest.h"
#include "platform/backends/qoX11Install.h"
#include "support/qoVirtualDisplay.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

namespace qo {
namespace {

const TDateTime kMonday = EncodeDate(2024, 3, 4);

class GantX11 : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string xvfb = test::FindProgram("Xvfb");
        xdotool = test::FindProgram("xdotool");
        if (xvfb.empty() || xdotool.empty()) GTEST_SKIP() << "Xvfb or xdotool is not installed: no X11 test";
        display = std::make_unique<test::TVirtualDisplay>(xvfb, "640x480x24");
        ASSERT_FALSE(display->Name().empty()) << "Xvfb did not start";
        x11 = test::InstallX11Backend(display->Name());
        ASSERT_TRUE(x11);
        form = std::make_unique<TPanel>(nullptr);
        form->SetBounds(0, 0, 500, 240);
        gant = new TqoGant(form.get());
        gant->SetParent(form.get());
        gant->SetAlign(alClient);
        gant->SetScaleAndTree(kMonday, kMonday + 10, 100);
        TqoDataEntity_Tree* nodes[3];
        for (TqoDataEntity_Tree*& node : nodes) node = gant->AddDataEntityTree(nullptr);
        const double spans[3][2] = {{1, 3}, {4, 6}, {2, 5}};
        for (int i = 0; i < 3; ++i) {
            items[i] = gant->AddGantTime(nodes[i], 0);
            items[i]->SetStart(kMonday + spans[i][0]);
            items[i]->SetStop(kMonday + spans[i][1]);
        }
        x11->Show(*form, "qo Gantt X11 test");
        ASSERT_TRUE(test::PumpUntil([&] { return x11->Presents(*form) > 0; })) << "never exposed";
        window = std::to_string(x11->WindowOf(*form));
    }
    void TearDown() override {
        form.reset();
        TDoLater::Shutdown();
        if (x11) test::InstallHeadlessBackend();
    }
    // A point of the chart area in the window's coordinates.
    TPoint InWindow(TPoint p) { return form->ScreenToClient(gant->GA()->ClientToScreen(p)); }
    TPoint Middle(TqoDataEntity_GantTime* item) {
        const TRect r = gant->RectFromDataEntity(item);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    // Presses at from, moves there in steps and releases at to.
    void Drag(TPoint from, TPoint to) {
        std::vector<std::string> args{xdotool};
        auto at = [&](TPoint p) {
            const TPoint w = InWindow(p);
            for (const std::string& a : {std::string("mousemove"), std::string("--window"), window,
                                         std::to_string(w.X), std::to_string(w.Y), std::string("sleep"),
                                         std::string("0.05")})
                args.push_back(a);
        };
        at(from);
        args.push_back("mousedown");
        args.push_back("1");
        for (int step = 1; step <= 4; ++step)
            at({from.X + (to.X - from.X) * step / 4, from.Y + (to.Y - from.Y) * step / 4});
        args.push_back("mouseup");
        args.push_back("1");
        const pid_t pid = test::Spawn(args, -1, display->Name());
        int status = -1;
        ASSERT_GT(pid, 0);
        waitpid(pid, &status, 0);
        ASSERT_EQ(status, 0) << "xdotool failed";
    }

    std::string xdotool, window;
    std::unique_ptr<test::TVirtualDisplay> display;
    TX11Backend* x11 = nullptr;
    std::unique_ptr<TPanel> form;
    TqoGant* gant = nullptr;
    TqoDataEntity_GantTime* items[3] = {};
};

TEST_F(GantX11, RealInputMovesResizesAndLinksBars) {
    TGantRow* movedTo = nullptr;
    gant->OnTimeChangeRow = [&](TComponent*, TqoDataEntity_GantTime*, TGantRow*, TGantRow* row, TDateTime,
                                TDateTime) { movedTo = row; };
    Drag(Middle(items[0]), Middle(items[0]) + TPoint{40, 36});
    EXPECT_TRUE(test::PumpUntil([&] { return movedTo != nullptr; })) << "the move reached the host";
    EXPECT_EQ(movedTo, items[2]->Row());

    const TRect r = gant->RectFromDataEntity(items[1]);
    Drag({r.Right - 1, Middle(items[1]).Y}, {r.Right + 40, Middle(items[1]).Y});
    EXPECT_TRUE(test::PumpUntil([&] { return items[1]->Stop() > kMonday + 6.5; })) << "the resize took";
    EXPECT_EQ(items[1]->Start(), kMonday + 4);

    TqoDataEntity_GantTime *from = nullptr, *to = nullptr;
    gant->OnDependencyAction = [&](TqoDataEntity_GantTime* a, TqoDataEntity_GantTime* b) {
        from = a;
        to = b;
    };
    gant->SetStickyMode(smDependency);
    Drag(Middle(items[0]), Middle(items[2]));
    EXPECT_TRUE(test::PumpUntil([&] { return to != nullptr; })) << "the link reached the host";
    EXPECT_EQ(from, items[0]);
    EXPECT_EQ(to, items[2]);
}

} // namespace
} // namespace qo
#endif
