// The scroll bar: clamping, the scroll codes in order under the mouse and the
// keyboard, auto-repeat, thumb geometry, its looks, and surviving its handlers.
#include "platform/widgets/qoScrollBar.h"

#include "platform/core/qoErrors.h"
#include "support/widgets/qoWidgetFixture.h"

#include <gmock/gmock.h>

namespace qo {
namespace {

using ::testing::ElementsAre;

const char* const CodeNames[] = {"LineUp", "LineDown", "PageUp", "PageDown", "Position",
                                 "Track",  "Top",      "Bottom", "EndScroll"};

class ScrollBar : public test::TWidgetFixture<TScrollBar> {
protected:
    ScrollBar() {
        Place(TRect::Bounds(10, 10, 116, 16)); // 84 pixels of track between the arrows
        control->SetParams(0, 0, 99);
        control->SetPageSize(10);
        control->SetLargeChange(10);
        control->OnScroll = [this](TComponent*, TScrollCode code, int& position) {
            Record(std::string(CodeNames[code]) + " " + std::to_string(position));
        };
        control->OnChange = [this](TComponent*) { Record("change " + std::to_string(control->Position())); };
    }
    TPoint Middle(TScrollBar::TPart part) {
        const TRect r = control->PartRect(part);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
};

TEST_F(ScrollBar, HoldsOnlyClampedValuesAndRefusesAnInvertedRange) {
    struct TCase {
        int Position, Min, Max, Page;
        int HeldPosition, HeldPage;
    } cases[] = {
        {50, 0, 99, 10, 50, 10}, {95, 0, 99, 10, 90, 10}, {-5, 0, 99, 10, 0, 10},
        {7, 5, 5, 10, 5, 1},     {30, 0, 20, 0, 20, 0},   {3, -10, 10, 30, -10, 21},
    };
    for (const TCase& c : cases) {
        control->SetPageSize(c.Page);
        control->SetParams(c.Position, c.Min, c.Max);
        control->SetPageSize(c.Page);
        EXPECT_EQ(control->Position(), c.HeldPosition) << c.Position << " in " << c.Min << ".." << c.Max;
        EXPECT_EQ(control->PageSize(), c.HeldPage);
    }
    control->SetPageSize(0);
    control->SetParams(4, 0, 10);
    try {
        control->SetParams(0, 10, 9);
        FAIL() << "min above max was taken";
    } catch (const EqoError& e) {
        EXPECT_STREQ(e.what(), "Scroll bar property out of range");
    }
    EXPECT_THROW(control->SetPageSize(-1), EqoError);
    EXPECT_EQ(control->Min(), 0) << "a refused change leaves the bar as it was";
    EXPECT_EQ(control->Max(), 10);
    EXPECT_EQ(control->Position(), 4);
    control->SetSmallChange(0);
    EXPECT_EQ(control->SmallChange(), 1);
}

TEST_F(ScrollBar, ArrowsAndPagesReportTheirCodeThenTheChangeThenTheEnd) {
    harness.Click(*control, Middle(TScrollBar::spArrowForward));
    harness.Click(*control, Middle(TScrollBar::spPageForward));
    harness.Click(*control, Middle(TScrollBar::spArrowBack));
    harness.Click(*control, Middle(TScrollBar::spPageBack));
    EXPECT_THAT(Log, ElementsAre("LineDown 1", "change 1", "EndScroll 1", "PageDown 11", "change 11",
                                 "EndScroll 11", "LineUp 10", "change 10", "EndScroll 10", "PageUp 0",
                                 "change 0", "EndScroll 0"));
}

TEST_F(ScrollBar, AHeldArrowRepeatsAfterADelayAndOnlyWhileTheMouseStaysOnIt) {
    const TPoint arrow = Middle(TScrollBar::spArrowForward);
    harness.MouseDown(*control, arrow);
    harness.AdvanceTime(TScrollBar::FirstRepeatDelay - 1);
    EXPECT_EQ(control->Position(), 1) << "no repeat before the first delay";
    harness.AdvanceTime(1 + 2 * TScrollBar::RepeatDelay);
    EXPECT_EQ(control->Position(), 4);
    harness.MouseMove(*control, Middle(TScrollBar::spThumb));
    harness.AdvanceTime(10 * TScrollBar::RepeatDelay);
    EXPECT_EQ(control->Position(), 4) << "off the arrow it waits";
    harness.MouseMove(*control, arrow);
    harness.AdvanceTime(TScrollBar::RepeatDelay);
    EXPECT_EQ(control->Position(), 5);
    harness.MouseUp(*control, arrow);
    harness.AdvanceTime(1000);
    EXPECT_EQ(control->Position(), 5) << "released, it stops";
    EXPECT_EQ(Log.back(), "EndScroll 5");
}

TEST_F(ScrollBar, AHeldPageStopsWhenTheThumbReachesTheMouse) {
    const TPoint mouse{60, 8};
    harness.MouseDown(*control, mouse);
    harness.AdvanceTime(5000);
    harness.MouseUp(*control, mouse);
    EXPECT_EQ(control->Position(), 50) << "five pages, then the thumb lies under the mouse";
    EXPECT_TRUE(control->PartRect(TScrollBar::spThumb).Contains(mouse));
}

TEST_F(ScrollBar, DraggingTheThumbTracksThenReportsThePositionThenTheEnd) {
    const TPoint grab = Middle(TScrollBar::spThumb);
    harness.MouseDown(*control, grab);
    harness.MouseMove(*control, {grab.X + 19, grab.Y});
    harness.MouseMove(*control, {grab.X + 500, grab.Y + 40});
    harness.MouseUp(*control, {grab.X + 500, grab.Y + 40});
    // 76 pixels of travel for positions 0..90: 19 pixels make 22.5, rounded to even.
    EXPECT_THAT(Log,
                ElementsAre("Track 22", "change 22", "Track 90", "change 90", "Position 90", "EndScroll 90"));
}

TEST_F(ScrollBar, TheKeyboardScrollsWhenFocused) {
    control->SetFocus();
    harness.Key(VK_RIGHT);
    harness.Key(VK_UP);
    harness.Key(VK_END);
    harness.Key(VK_PRIOR);
    harness.Key(VK_HOME);
    EXPECT_THAT(Log,
                ElementsAre("LineDown 1", "change 1", "EndScroll 1", "Bottom 90", "change 90", "EndScroll 90",
                            "PageUp 80", "change 80", "EndScroll 80", "Top 0", "change 0", "EndScroll 0"))
        << "a vertical key on a horizontal bar does nothing";
}

TEST_F(ScrollBar, AHandlerMayMoveTheTargetButNotBeyondTheRange) {
    control->OnScroll = [](TComponent*, TScrollCode code, int& position) {
        if (code == scLineDown) position = 1000;
    };
    harness.Click(*control, Middle(TScrollBar::spArrowForward));
    EXPECT_EQ(control->Position(), 90);
}

TEST_F(ScrollBar, TheThumbIsProportionalToThePageWithAMinimum) {
    struct TCase {
        int Max, Page, Length;
    } cases[] = {{99, 10, 8}, {99, 50, 42}, {9, 5, 42}, {9999, 10, TScrollBar::MinThumb}, {99, 0, 16}};
    for (const TCase& c : cases) {
        control->SetParams(0, 0, c.Max);
        control->SetPageSize(c.Page);
        EXPECT_EQ(control->PartRect(TScrollBar::spThumb).Width(), c.Length) << c.Max << " / " << c.Page;
    }
    control->SetPageSize(100);
    control->SetParams(0, 0, 99);
    EXPECT_TRUE(control->PartRect(TScrollBar::spThumb).IsEmpty()) << "nothing to scroll: no thumb";
    control->SetParams(0, 0, 999);
    control->SetPageSize(1);
    control->SetWidth(36);
    EXPECT_TRUE(control->PartRect(TScrollBar::spThumb).IsEmpty()) << "no room for the thumb";
}

TEST_F(ScrollBar, SurvivesBeingFreedByItsHandlersAndWhileHoldingTheCapture) {
    control->OnScroll = [this](TComponent*, TScrollCode code, int&) {
        if (code == scLineDown) FreeControl();
    };
    harness.MouseDown(*control, Middle(TScrollBar::spArrowForward));
    EXPECT_EQ(control, nullptr);
    harness.AdvanceTime(1000);
    harness.MouseUp(form, {50, 15});

    control = new TScrollBar(&form);
    control->SetParent(&form);
    harness.MouseDown(*control, {60, 8});
    FreeControl();
    harness.MouseMove(form, {70, 15});
    harness.MouseUp(form, {70, 15});
    harness.AdvanceTime(1000);

    control = new TScrollBar(&form);
    control->SetParent(&form);
    control->OnChange = [this](TComponent*) { FreeControl(); };
    const TPoint grab = Middle(TScrollBar::spThumb);
    harness.MouseDown(*control, grab);
    harness.MouseMove(form, {grab.X + 40, grab.Y});
    harness.MouseUp(form, {grab.X + 40, grab.Y});
    EXPECT_EQ(control, nullptr);
}

TEST_F(ScrollBar, Looks) {
    control->SetPosition(30);
    EXPECT_TRUE(LooksLike("scrollbar_horizontal"));
    control->SetKind(sbVertical);
    control->SetStaticEdge(true);
    control->SetFocus();
    EXPECT_TRUE(LooksLike("scrollbar_vertical_static_edge_focused"));
    control->SetKind(sbHorizontal);
    control->SetStaticEdge(false);
    harness.MouseDown(*control, Middle(TScrollBar::spArrowBack));
    harness.MouseDown(*control, Middle(TScrollBar::spPageForward));
    EXPECT_TRUE(LooksLike("scrollbar_pressed"));
    harness.MouseUp(*control, Middle(TScrollBar::spPageForward));
    control->SetEnabled(false);
    EXPECT_TRUE(LooksLike("scrollbar_disabled"));
}

} // namespace
} // namespace qo
