// The splitter under injected mouse input: the size applied at the release,
// the limits taken at the press, collapsing below the minimum, the inverted
// line that leaves no trace, cancelling, the other alignments and its look.
#include "gantt/qoSplitter.h"

#include "platform/window/qoInputRouter.h"
#include "support/golden/qoGolden.h"
#include "support/widgets/qoWidgetFixture.h"

namespace qo {
namespace {

class Splitter : public test::TFormFixture {
protected:
    Splitter() {
        tree = Panel(alLeft, 80, RGB(255, 255, 255));
        splitter = new TqoSplitter(&form);
        splitter->SetLeft(100);
        splitter->SetParent(&form);
        chart = Panel(alClient, 0, RGB(200, 220, 255));
        splitter->OnMoved = [this](TComponent*) { Record("moved " + std::to_string(tree->Width())); };
    }
    TPanel* Panel(TAlign align, int size, TColor color) {
        TPanel* panel = new TPanel(&form);
        panel->SetBounds(0, 0, size, size);
        panel->SetParent(&form);
        panel->SetAlign(align);
        panel->SetColor(color);
        return panel;
    }
    // Drags that take the splitter's left edge to x of the form.
    void Press() { harness.MouseDown(*splitter, {1, 50}); }
    void MoveTo(int x) { harness.MouseMove(form, {x + 1, 50}, ssLeft); }
    void Release(int x) { harness.MouseUp(form, {x + 1, 50}); }
    void DragTo(int x) {
        Press();
        MoveTo(x);
        Release(x);
    }
    void Picture(TBitmap& out) { harness.Snapshot(form, out); }

    TPanel* tree;
    TqoSplitter* splitter;
    TPanel* chart;
};

TEST_F(Splitter, StartsAsAThinBarSplittingLeftAndRight) {
    EXPECT_EQ(splitter->Align(), alLeft);
    EXPECT_EQ(splitter->BoundsRect(), TRect(80, 0, 83, 180));
    EXPECT_EQ(splitter->Cursor(), crHSplit);
    EXPECT_EQ(splitter->MinSize(), 30);
    EXPECT_EQ(splitter->ResizeStyle(), rsPattern);
    splitter->SetAlign(alTop);
    EXPECT_EQ(splitter->Cursor(), crVSplit);
    splitter->SetAlign(alRight);
    EXPECT_EQ(splitter->Cursor(), crHSplit);
    splitter->SetCursor(crHandPoint);
    splitter->SetAlign(alBottom);
    EXPECT_EQ(splitter->Cursor(), crHandPoint) << "a cursor of the user's own stays";
}

TEST_F(Splitter, AppliesTheSizeAtTheReleaseAndReportsIt) {
    Press();
    MoveTo(120);
    EXPECT_EQ(tree->Width(), 80) << "the line moves, the control waits";
    Release(120);
    EXPECT_EQ(tree->Width(), 120);
    EXPECT_EQ(splitter->Left(), 120);
    EXPECT_EQ(chart->BoundsRect(), TRect(123, 0, 240, 180));
    EXPECT_EQ(Log, (std::vector<std::string>{"moved 120", "moved 120"}));

    Log.clear();
    DragTo(120);
    EXPECT_EQ(Log, (std::vector<std::string>{"moved 120"})) << "a click reports only the end";
}

TEST_F(Splitter, KeepsTheLimitsTakenAtThePressAndCollapsesBelowTheMinimum) {
    struct Case {
        const char* what;
        int x, width;
    } cases[] = {
        // 240 wide, 30 kept for the chart, the splitter's 3 pixels: 207 at most.
        {"far right stops where 30 pixels remain", 500, 207},
        {"to the minimum collapses", 30, 0},
        {"a collapsed control is still found and grows again", 60, 60},
        {"within the minimum of the left edge collapses", 12, 0},
        {"just above the minimum stays", 31, 31},
        {"beyond the left edge collapses", -40, 0},
    };
    for (const Case& c : cases) {
        DragTo(c.x);
        EXPECT_EQ(tree->Width(), c.width) << c.what;
        EXPECT_EQ(splitter->Left(), c.width) << c.what;
    }
    EXPECT_FALSE(splitter->Sizing());
}

TEST_F(Splitter, TheOtherAlignmentsSizeTheirSide) {
    struct Case {
        TAlign align;
        TPoint move;
        TRect expected; // the control's bounds after the drag
    } cases[] = {
        {alRight, {-20, 0}, TRect(140, 0, 240, 180)},
        {alTop, {0, 25}, TRect(0, 0, 240, 105)},
        {alBottom, {0, -25}, TRect(0, 75, 240, 180)},
    };
    for (const Case& c : cases) {
        TPanel form2(nullptr);
        form2.SetBevelOuter(bvNone);
        form2.SetBounds(300, 0, 240, 180);
        TPanel* side = new TPanel(&form2);
        side->SetBounds(0, 0, 80, 80);
        side->SetParent(&form2);
        side->SetAlign(c.align);
        TqoSplitter* bar = new TqoSplitter(&form2);
        bar->SetAlign(c.align);
        // Placed beyond the side control so that alignment puts it next to it.
        bar->SetBounds(c.align == alRight ? 0 : 100, c.align == alBottom ? 0 : 100, 3, 3);
        bar->SetParent(&form2);
        harness.MouseDown(*bar, {1, 1});
        harness.MouseMove(*bar, TPoint{1, 1} + c.move, ssLeft);
        harness.MouseUp(*bar, TPoint{1, 1} + c.move);
        EXPECT_EQ(side->BoundsRect(), c.expected) << c.align;
    }
}

TEST_F(Splitter, AHandlerMayChangeOrRefuseTheSize) {
    splitter->OnCanResize = [](TComponent*, int& size, bool& accept) {
        if (size > 150) accept = false;
        size = size / 10 * 10;
    };
    DragTo(107);
    EXPECT_EQ(tree->Width(), 100);
    DragTo(200);
    EXPECT_EQ(tree->Width(), 100) << "refused";
}

TEST_F(Splitter, TheUpdateStyleResizesWhileDragging) {
    splitter->SetResizeStyle(rsUpdate);
    Press();
    MoveTo(90);
    EXPECT_EQ(tree->Width(), 90);
    MoveTo(100);
    EXPECT_EQ(tree->Width(), 100);
    Release(100);
    EXPECT_EQ(Log, (std::vector<std::string>{"moved 90", "moved 100", "moved 100"}));
}

TEST_F(Splitter, TheLineIsInvertedOverEveryWindowAndLeavesNoTrace) {
    TBitmap before, during, after;
    Picture(before);
    Press();
    MoveTo(82); // over the splitter itself and the chart beside it
    Picture(during);
    // A checker of inverted pixels in one phase over all the windows, in the
    // splitter's size at its new place, and nothing else changed.
    const TRect line(82, 0, 85, 180);
    for (int y = 0; y < 180; ++y)
        for (int x = 78; x < 88; ++x) {
            const bool inverted = line.Contains({x, y}) && (x + y) % 2 == 1;
            EXPECT_EQ(during.Pixel(x, y) != before.Pixel(x, y), inverted) << x << "," << y;
        }
    MoveTo(100);
    harness.Key(VK_ESCAPE);
    Picture(after);
    EXPECT_EQ(test::DifferingPixels(after.Raster(), before.Raster()), 0);
    EXPECT_EQ(tree->Width(), 80) << "Escape cancels";
    EXPECT_EQ(Log, (std::vector<std::string>{"moved 80"}));
    Release(100);
    EXPECT_EQ(tree->Width(), 80);
    EXPECT_EQ(Log.size(), 1u);
}

TEST_F(Splitter, ALostCaptureCancelsTheDrag) {
    TBitmap before, after;
    Picture(before);
    splitter->SetResizeStyle(rsLine);
    Press();
    MoveTo(110);
    TBitmap during;
    Picture(during);
    EXPECT_NE(during.Pixel(110, 20), before.Pixel(110, 20));
    EXPECT_NE(during.Pixel(111, 20), before.Pixel(111, 20)) << "the line style inverts every pixel";
    ReleaseCapture();
    Picture(after);
    EXPECT_EQ(test::DifferingPixels(after.Raster(), before.Raster()), 0);
    EXPECT_FALSE(splitter->Sizing());
    EXPECT_EQ(tree->Width(), 80);
}

TEST_F(Splitter, SurvivesBeingFreedOrLosingItsControlDuringADrag) {
    splitter->OnMoved = [this](TComponent*) {
        delete splitter;
        splitter = nullptr;
    };
    harness.MouseDown(form, {81, 50});
    harness.MouseMove(form, {101, 50}, ssLeft);
    harness.MouseUp(form, {101, 50});
    EXPECT_EQ(splitter, nullptr);
    EXPECT_EQ(tree->Width(), 100);

    splitter = new TqoSplitter(&form);
    splitter->SetLeft(150);
    splitter->SetParent(&form);
    harness.MouseDown(form, {101, 50});
    harness.MouseMove(form, {121, 50}, ssLeft);
    delete tree;
    harness.MouseMove(form, {131, 50}, ssLeft);
    harness.MouseUp(form, {131, 50});
    EXPECT_FALSE(splitter->Sizing());

    splitter->OnCanResize = [this](TComponent*, int&, bool&) {
        delete splitter;
        splitter = nullptr;
    };
    splitter->SetLeft(100);
    TPanel* side = Panel(alLeft, 50, clWhite);
    ASSERT_EQ(splitter->Left(), 50);
    harness.MouseDown(form, {51, 50});
    harness.MouseMove(form, {71, 50}, ssLeft);
    harness.MouseUp(form, {71, 50});
    EXPECT_EQ(splitter, nullptr);
    EXPECT_EQ(side->Width(), 50);
}

TEST_F(Splitter, TheDragLineLooks) {
    splitter->SetBeveled(true);
    Press();
    MoveTo(125);
    TBitmap picture;
    Picture(picture);
    EXPECT_TRUE(test::MatchesGolden(picture.Raster(), "splitter_drag_line"));
    Release(125);
}

TEST_F(Splitter, LooksBeveledAcrossAndOutlinedInADesigner) {
    TPanel* top = Panel(alTop, 40, RGB(255, 255, 255));
    TqoSplitter* bar = new TqoSplitter(&form);
    bar->SetAlign(alTop);
    bar->SetBounds(0, 60, 240, 7);
    bar->SetParent(&form);
    bar->SetBeveled(true);
    bar->SetDesigning(true);
    TBitmap picture;
    Picture(picture);
    EXPECT_EQ(top->Height(), 40);
    EXPECT_TRUE(test::MatchesGolden(picture.Raster(), "splitter_beveled_designing"));
}

} // namespace
} // namespace qo
