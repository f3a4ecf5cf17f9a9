#include "qoScaler_test.h"

namespace qo {
namespace {

using test::kMonday;

class ScalerMouse : public test::ScalerFixture {
protected:
    ScalerMouse() {
        scaler->OnChange = [this](TComponent*) { ++changes; };
        harness.RunUntilIdle();
        changes = 0;
    }
    void Drag(TPoint from, TPoint to, TShiftState shift) {
        harness.MouseDown(*scaler, from, mbLeft, shift);
        harness.MouseMove(*scaler, to, shift);
    }
    int changes = 0;
};

TEST_F(ScalerMouse, DraggingRescalesAroundThePressPointAndReportsOnceAtTheEnd) {
    Drag({300, 30}, {350, 30}, 0);
    EXPECT_TRUE(scaler->ReScaling());
    EXPECT_NEAR(scaler->Scale(), 0.015, 1e-12) << "1 % per pixel";
    EXPECT_EQ(scaler->DateToPixel(kMonday + 3), 300) << "the date under the press stays";
    harness.MouseMove(*scaler, {250, 30});
    EXPECT_NEAR(scaler->Scale(), 0.005, 1e-12) << "dragging backward shows less time";
    harness.RunUntilIdle();
    EXPECT_EQ(changes, 0) << "no report while rescaling";
    harness.MouseUp(*scaler, {250, 30});
    harness.RunUntilIdle();
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(scaler->ReScaling());
}

TEST_F(ScalerMouse, RescalingStopsStillAtTheMinimumSpan) {
    const double twelveSeconds = 12 * OneSecond;
    SetRange(kMonday, kMonday + twelveSeconds);
    harness.RunUntilIdle();
    changes = 0;
    Drag({350, 30}, {300, 30}, 0);
    // Each further step below ten seconds is refused in place: the view neither jumps nor flickers.
    for (int x : {300, 290, 299, 280}) {
        harness.MouseMove(*scaler, {x, 30});
        EXPECT_EQ(scaler->Start(), kMonday) << x;
        EXPECT_EQ(scaler->Stop(), kMonday + twelveSeconds) << x;
    }
    harness.MouseMove(*scaler, {400, 30});
    EXPECT_NEAR(scaler->VisibleTimeAmount(), 1.5 * twelveSeconds, OneMillisecond) << "back above the minimum";
    harness.MouseUp(*scaler, {400, 30});
    harness.RunUntilIdle();
    EXPECT_EQ(changes, 1);
}

TEST_F(ScalerMouse, CtrlChoosesBetweenPanningAndRescaling) {
    const struct {
        bool rescaleWithCtrl;
        TShiftState shift;
        bool rescales;
    } cases[] = {{false, 0, true}, {false, ssCtrl, false}, {true, 0, false}, {true, ssCtrl, true}};
    for (const auto& c : cases) {
        SetRange(kMonday, kMonday + 7);
        scaler->RescaleWithCtrl = c.rescaleWithCtrl;
        Drag({300, 30}, {370, 30}, c.shift);
        harness.MouseUp(*scaler, {370, 30}, mbLeft, c.shift);
        if (c.rescales) {
            EXPECT_NEAR(scaler->Scale(), 0.017, 1e-12) << c.rescaleWithCtrl << c.shift;
        } else {
            EXPECT_NEAR(scaler->Start(), kMonday - 0.7, 1e-9) << "70 pixels of time earlier";
            EXPECT_NEAR(scaler->VisibleTimeAmount(), 7, 1e-9);
        }
    }
}

TEST_F(ScalerMouse, AVerticalScalerFollowsTheMouseDownwards) {
    form.SetBounds(0, 0, 720, 720);
    scaler->SetHorizontal(false);
    scaler->SetBounds(0, 0, 60, 700);
    SetRange(kMonday, kMonday + 7);
    harness.RunUntilIdle();
    EXPECT_EQ(scaler->DownButtonRect(), TRect(1, 680, 20, 700));
    Drag({30, 300}, {30, 370}, ssCtrl);
    EXPECT_NEAR(scaler->Start(), kMonday - 0.7, 1e-9);
    harness.MouseUp(*scaler, {30, 370}, mbLeft, ssCtrl);
}

TEST_F(ScalerMouse, PanningStaysWithinTheBounds) {
    scaler->SetMinStart(kMonday - 0.5);
    Drag({300, 30}, {370, 30}, ssCtrl);
    EXPECT_EQ(scaler->Start(), kMonday) << "refused as a whole";
    harness.MouseMove(*scaler, {340, 30}, ssCtrl);
    EXPECT_NEAR(scaler->Start(), kMonday + 0.3, 1e-9);
}

TEST_F(ScalerMouse, HoldingAScrollButtonScrollsFasterAndFaster) {
    EXPECT_EQ(scaler->DownButtonRect(), TRect(681, 1, 700, 20));
    EXPECT_EQ(scaler->UpButtonRect(), TRect(1, 1, 20, 20));
    harness.MouseDown(*scaler, {690, 5});
    EXPECT_TRUE(scaler->ScrollTimer().Enabled());
    EXPECT_EQ(scaler->ScrollTimer().Interval(), 50u);
    TDateTime before = scaler->Start();
    harness.AdvanceTime(50);
    EXPECT_NEAR(scaler->Start() - before, 0.15, 1e-9) << "the time of 15 pixels";
    harness.AdvanceTime(2000);
    before = scaler->Start();
    harness.AdvanceTime(50);
    EXPECT_NEAR(scaler->Start() - before, 0.45, 1e-9);
    harness.AdvanceTime(3000);
    before = scaler->Start();
    harness.AdvanceTime(50);
    EXPECT_NEAR(scaler->Start() - before, 21 * 0.15, 1e-9);
    harness.MouseUp(*scaler, {690, 5});
    EXPECT_FALSE(scaler->ScrollTimer().Enabled());
    before = scaler->Start();
    harness.AdvanceTime(500);
    EXPECT_EQ(scaler->Start(), before);
}

TEST_F(ScalerMouse, TheSubtractButtonScrollsBackUntilTheCursorLeaves) {
    harness.MouseDown(*scaler, {5, 5});
    harness.AdvanceTime(100);
    EXPECT_NEAR(scaler->Start(), kMonday - 0.3, 1e-9);
    harness.MouseMove(*scaler, {300, 30});
    EXPECT_NEAR(scaler->Start(), kMonday - 0.3, 1e-9) << "no panning while the timer runs";
    harness.AdvanceTime(50);
    EXPECT_FALSE(scaler->ScrollTimer().Enabled());
    EXPECT_NEAR(scaler->Start(), kMonday - 0.3, 1e-9);
}

TEST_F(ScalerMouse, WithoutScrollButtonsTheCornerIsNoButton) {
    scaler->SetScrollButtons(tsbOff);
    harness.RunUntilIdle();
    EXPECT_EQ(scaler->UpButtonRect(), TRect(-1, -1, -1, -1));
    harness.MouseDown(*scaler, {5, 5});
    EXPECT_FALSE(scaler->ScrollTimer().Enabled());
    harness.MouseUp(*scaler, {5, 5});
    scaler->SetScrollButtons(tsbSmall);
    harness.RunUntilIdle();
    EXPECT_EQ(scaler->UpButtonRect(), TRect(1, 1, 12, 12));
}

TEST_F(ScalerMouse, TheOwnerStartsAndStopsStepping) {
    scaler->StartStepUp();
    EXPECT_TRUE(scaler->Stepping());
    EXPECT_EQ(scaler->ScrollTimer().Interval(), 150u);
    harness.AdvanceTime(150 * 20);
    EXPECT_NEAR(scaler->Start(), kMonday + 20 * 0.15, 1e-9) << "no acceleration on the owner's request";
    scaler->StopStep();
    EXPECT_FALSE(scaler->Stepping());
    EXPECT_FALSE(scaler->ScrollTimer().Enabled());
    EXPECT_EQ(scaler->ScrollTimer().Interval(), 50u);
    const TDateTime stopped = scaler->Start();
    harness.AdvanceTime(1000);
    EXPECT_EQ(scaler->Start(), stopped);
    scaler->StartStepDown();
    harness.AdvanceTime(150);
    EXPECT_NEAR(scaler->Start(), stopped - 0.15, 1e-9);
    scaler->StopStep();
}

TEST_F(ScalerMouse, ChangesAreReportedOnceAfterTheRepaint) {
    scaler->SetStart(kMonday + 1);
    scaler->SetStart(kMonday + 2);
    EXPECT_EQ(changes, 0) << "never inside the setter";
    harness.RunUntilIdle();
    EXPECT_EQ(changes, 1);
    scaler->SetHiddenDays(test::kWeekend);
    harness.RunUntilIdle();
    EXPECT_EQ(changes, 2);
    harness.RunUntilIdle();
    EXPECT_EQ(changes, 2);
}

TEST_F(ScalerMouse, AnimationsEndAtTheirTarget) {
    int steps = 0;
    scaler->AnimationPause = [] {};
    scaler->OnAnimateChange = [&](TComponent*) { ++steps; };
    scaler->AnimateScaleTransition(0.02, 4);
    EXPECT_NEAR(scaler->Scale(), 0.02, 1e-9);
    EXPECT_EQ(steps, 4);
    steps = 0;
    scaler->AnimateScaleTransition(kMonday + 10, kMonday + 12, 5);
    EXPECT_NEAR(scaler->Start(), kMonday + 10, 1e-9);
    EXPECT_NEAR(scaler->Stop(), kMonday + 12, 1e-9);
    EXPECT_EQ(steps, 5);
    scaler->AnimateScaleTransition(kMonday + 20, kMonday + 3, 5);
    EXPECT_NEAR(scaler->Stop(), kMonday + 21, 1e-9) << "an end before the start shows a day";
    harness.RunUntilIdle();
    EXPECT_GE(changes, 1);
}

} // namespace
} // namespace qo
