// The up-down control: stepping with OnChanging before and OnClick after,
// clamping, wrapping, auto-repeat, its looks, and surviving its handlers.
#include "platform/widgets/qoUpDown.h"

#include "platform/core/qoErrors.h"
#include "support/widgets/qoWidgetFixture.h"

namespace qo {
namespace {

class UpDown : public test::TWidgetFixture<TUpDown> {
protected:
    UpDown() {
        Place(TRect::Bounds(10, 10, 17, 24));
        control->SetRange(0, 5);
        control->OnChanging = [this](TComponent*, bool& allow) {
            Record("changing " + std::to_string(control->Position()));
            allow = !Veto;
        };
        control->OnClick = [this](TComponent*, TUDBtnType b) {
            Record(std::string(b == btNext ? "next " : "prev ") + std::to_string(control->Position()));
        };
    }
    const TPoint Up{8, 4}, Down{8, 20};
    bool Veto = false;
};

TEST_F(UpDown, EachStepAsksFirstThenReportsTheButton) {
    harness.Click(*control, Up);
    harness.Click(*control, Down);
    harness.Click(*control, Down);
    Veto = true;
    harness.Click(*control, Up);
    EXPECT_EQ(Log, (std::vector<std::string>{"changing 0", "next 1", "changing 1", "prev 0", "changing 0",
                                             "prev 0", "changing 0", "next 0"}))
        << "clamped at the minimum; a refused step still reports its click";
}

TEST_F(UpDown, ClampsWrapsAndRefusesAnInvertedRange) {
    control->SetPosition(99);
    EXPECT_EQ(control->Position(), 5);
    control->Wrap = true;
    harness.Click(*control, Up);
    EXPECT_EQ(control->Position(), 0);
    harness.Click(*control, Down);
    EXPECT_EQ(control->Position(), 5);
    EXPECT_THROW(control->SetRange(3, 2), EqoError);
    EXPECT_EQ(control->Max(), 5);
    control->SetIncrement(-4);
    EXPECT_EQ(control->Increment(), 1);
}

TEST_F(UpDown, AHeldButtonRepeatsAndTheArrowKeysStep) {
    control->SetRange(0, 100);
    harness.MouseDown(*control, Up);
    harness.AdvanceTime(TUpDown::FirstRepeatDelay + 3 * TUpDown::RepeatDelay);
    harness.MouseUp(*control, Up);
    EXPECT_EQ(control->Position(), 5);
    control->SetFocus();
    harness.Key(VK_DOWN);
    EXPECT_EQ(control->Position(), 4);
}

TEST_F(UpDown, SurvivesBeingFreedByItsHandlersWhileRepeating) {
    int clicks = 0;
    control->OnClick = [&](TComponent*, TUDBtnType) {
        if (++clicks == 3) FreeControl();
    };
    harness.MouseDown(*control, Up);
    harness.AdvanceTime(2000);
    harness.MouseUp(form, {20, 20});
    EXPECT_EQ(clicks, 3);
}

TEST_F(UpDown, Looks) {
    harness.MouseDown(*control, Up);
    EXPECT_TRUE(LooksLike("updown_vertical_pressed"));
    harness.MouseUp(*control, Up);
    control->SetOrientation(udHorizontal);
    EXPECT_TRUE(LooksLike("updown_horizontal"));
    control->SetEnabled(false);
    EXPECT_TRUE(LooksLike("updown_horizontal_disabled"));
}

} // namespace
} // namespace qo
