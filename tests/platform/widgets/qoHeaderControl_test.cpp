// The header control: resizing at a divider with its cursor, clicks, drag to
// reorder, the order of its notifications, its refusals, its looks, and
// surviving its own handlers and a lost capture.
#include "platform/widgets/qoHeaderControl.h"

#include "platform/core/qoErrors.h"
#include "platform/window/qoInputRouter.h"
#include "support/widgets/qoWidgetFixture.h"

namespace qo {
namespace {

class HeaderControl : public test::TWidgetFixture<THeaderControl> {
protected:
    HeaderControl() {
        Place(TRect::Bounds(10, 10, 200, 18));
        control->AddSection("Room", 60);
        control->AddSection("Monday", 70);
        control->AddSection("Tuesday", 50);
        const auto name = [](THeaderSection* s) { return s->Text(); };
        control->OnSectionTrack = [this, name](TComponent*, THeaderSection* s, int width, TSectionTrackState state) {
            Record("track" + std::to_string(state) + " " + name(s) + " " + std::to_string(width));
        };
        control->OnSectionResize = [this, name](TComponent*, THeaderSection* s) { Record("resize " + name(s)); };
        control->OnSectionClick = [this, name](TComponent*, THeaderSection* s) { Record("click " + name(s)); };
        control->OnSectionDrag = [this, name](TComponent*, THeaderSection* from, THeaderSection* to, bool&) {
            Record("drag " + name(from) + " to " + name(to));
        };
        control->OnSectionEndDrag = [this](TComponent*) { Record("end drag"); };
    }
    std::vector<std::string> Order() const {
        std::vector<std::string> texts;
        for (int i = 0; i < control->SectionCount(); ++i) texts.push_back(control->Section(i).Text());
        return texts;
    }
};

TEST_F(HeaderControl, DraggingADividerResizesWithinTheLimitsInTheClassicOrder) {
    control->Section(0).SetMinWidth(40);
    harness.MouseMove(*control, {20, 5});
    EXPECT_EQ(control->Cursor(), crDefault);
    harness.MouseMove(*control, {62, 5});
    EXPECT_EQ(control->Cursor(), crHSplit) << "the divider shows the horizontal-split cursor";
    harness.MouseDown(*control, {62, 5});
    harness.MouseMove(*control, {72, 5});
    harness.MouseMove(*control, {2, 5});
    harness.MouseMove(*control, {2, 6});
    harness.MouseUp(*control, {2, 6});
    EXPECT_EQ(control->Section(0).Width(), 40) << "not below its minimum";
    EXPECT_EQ(control->Section(1).Left(), 40);
    EXPECT_EQ(Log, (std::vector<std::string>{"track0 Room 60", "track1 Room 70", "resize Room", "track1 Room 40",
                                             "resize Room", "track1 Room 40", "track2 Room 40"}))
        << "a resize only where the width changed";
}

TEST_F(HeaderControl, ASectionShrunkToNothingCanBePulledOpenAgain) {
    control->Section(1).SetWidth(0);
    EXPECT_EQ(control->DividerAt(60), 1);
    harness.MouseDown(*control, {60, 5});
    harness.MouseMove(*control, {90, 5});
    harness.MouseUp(*control, {90, 5});
    EXPECT_EQ(control->Section(1).Width(), 30);
}

TEST_F(HeaderControl, AClickReportsTheSectionOnlyWhenReleasedOnIt) {
    harness.Click(*control, {30, 5});
    harness.MouseDown(*control, {30, 5});
    harness.MouseMove(*control, {90, 5});
    harness.MouseUp(*control, {90, 5});
    harness.Click(*control, {190, 5});
    EXPECT_EQ(Log, (std::vector<std::string>{"click Room"})) << "not without reordering, nor past the sections";
}

TEST_F(HeaderControl, DraggingASectionReordersUnlessRefused) {
    control->DragReorder = true;
    harness.MouseDown(*control, {30, 5});
    harness.MouseMove(*control, {150, 5});
    harness.MouseUp(*control, {150, 5});
    EXPECT_EQ(Order(), (std::vector<std::string>{"Monday", "Tuesday", "Room"}));
    EXPECT_EQ(Log, (std::vector<std::string>{"drag Room to Tuesday", "end drag"}));
    control->OnSectionDrag = [](TComponent*, THeaderSection*, THeaderSection*, bool& allow) { allow = false; };
    harness.MouseDown(*control, {30, 5});
    harness.MouseMove(*control, {170, 5});
    harness.MouseUp(*control, {170, 5});
    EXPECT_EQ(Order(), (std::vector<std::string>{"Monday", "Tuesday", "Room"}));
}

TEST_F(HeaderControl, RefusesBadIndexesAndLimitsAndClampsWidths) {
    EXPECT_THROW(control->Section(3), EListError);
    EXPECT_THROW(control->InsertSection(4, "x"), EListError);
    EXPECT_THROW(control->MoveSection(0, -1), EListError);
    EXPECT_THROW(control->DeleteSection(-1), EListError);
    THeaderSection& section = control->Section(0);
    section.SetWidth(-20);
    EXPECT_EQ(section.Width(), 0);
    section.SetMinWidth(-5);
    EXPECT_EQ(section.MinWidth(), 0);
    section.SetMaxWidth(30);
    EXPECT_THROW(section.SetMinWidth(31), EqoError);
    section.SetWidth(100);
    EXPECT_EQ(section.Width(), 30);
    EXPECT_EQ(control->AddSection("Wide", -7).Width(), 0);
    control->ClearSections();
    harness.Click(*control, {10, 5});
    EXPECT_EQ(control->DividerAt(0), -1);
}

TEST_F(HeaderControl, SurvivesBeingFreedFromItsHandlersAndWhileHoldingTheCapture) {
    const auto freeIn = [this](auto& event) { event = [this](auto...) { FreeControl(); }; };
    freeIn(control->OnSectionTrack);
    harness.MouseDown(*control, {62, 5});
    EXPECT_EQ(control, nullptr) << "freed by the track begin";
    harness.MouseUp(form, {0, 0});

    for (int gesture = 0; gesture < 3; ++gesture) {
        control = new THeaderControl(&form);
        control->SetParent(&form);
        Place(TRect::Bounds(10, 10, 200, 18));
        control->AddSection("A", 60);
        control->AddSection("B", 60);
        control->DragReorder = true;
        if (gesture == 0) freeIn(control->OnSectionResize);
        if (gesture == 1) freeIn(control->OnSectionDrag);
        if (gesture == 2) freeIn(control->OnSectionClick);
        const int start = gesture == 0 ? 62 : 20;
        const int end = gesture == 2 ? 21 : 100;
        harness.MouseDown(*control, {start, 5});
        harness.MouseMove(*control, {end, 5});
        if (control) harness.MouseUp(*control, {end, 5});
        EXPECT_EQ(control, nullptr) << "gesture " << gesture;
        harness.MouseUp(form, {0, 0});
    }

    control = new THeaderControl(&form);
    control->SetParent(&form);
    control->AddSection("A", 60);
    harness.MouseDown(*control, {62, 5});
    EXPECT_EQ(GetCaptureControl(), control);
    FreeControl();
    EXPECT_EQ(GetCaptureControl(), nullptr);
    harness.MouseMove(form, {100, 20});
    harness.MouseUp(form, {100, 20});
}

TEST_F(HeaderControl, ALostCaptureEndsTheResize) {
    harness.MouseDown(*control, {62, 5});
    harness.MouseMove(*control, {80, 5});
    ReleaseCapture();
    EXPECT_EQ(Log.back(), "track2 Room 78");
    harness.MouseMove(*control, {120, 5});
    EXPECT_EQ(control->Section(0).Width(), 78);
}

TEST_F(HeaderControl, Looks) {
    EXPECT_TRUE(LooksLike("header_normal"));
    control->Section(1).SetText("A text far too long for its section");
    harness.MouseDown(*control, {100, 5});
    EXPECT_TRUE(LooksLike("header_pressed_ellipsis"));
    harness.MouseUp(*control, {100, 5});
    control->DragReorder = true;
    harness.MouseDown(*control, {20, 5});
    harness.MouseMove(*control, {150, 5});
    EXPECT_TRUE(LooksLike("header_dragging"));
    harness.MouseUp(*control, {150, 5});
    control->SetEnabled(false);
    EXPECT_TRUE(LooksLike("header_disabled"));
}

} // namespace
} // namespace qo
