// The check box: toggling by mouse and Space, the grayed state, its looks,
// and surviving its own click handler.
#include "platform/widgets/qoCheckBox.h"

#include "platform/core/qoErrors.h"
#include "support/widgets/qoWidgetFixture.h"

namespace qo {
namespace {

class CheckBox : public test::TWidgetFixture<TCheckBox> {
protected:
    CheckBox() {
        Place(TRect::Bounds(10, 10, 130, 17));
        control->SetCaption("Show week numbers");
        control->OnClick = [this](TComponent*) { Record("click " + std::to_string(control->State())); };
    }
};

TEST_F(CheckBox, ClickAndSpaceToggleAndReportEachToggle) {
    harness.Click(*control, {5, 8});
    EXPECT_TRUE(control->Checked());
    EXPECT_TRUE(control->Focused()) << "a click focuses it";
    harness.Key(VK_SPACE, 0, u' ');
    EXPECT_FALSE(control->Checked());
    control->SetAllowGrayed(true);
    harness.Click(*control, {50, 8});
    harness.Click(*control, {50, 8});
    harness.Click(*control, {50, 8});
    EXPECT_EQ(Log, (std::vector<std::string>{"click 1", "click 0", "click 1", "click 2", "click 0"}))
        << "unchecked, checked, grayed, round again";
}

TEST_F(CheckBox, AReleaseOutsideOrFromCodeDoesNotToggle) {
    harness.MouseDown(*control, {5, 8});
    harness.MouseMove(*control, {200, 8});
    harness.MouseUp(*control, {200, 8});
    control->SetChecked(true);
    EXPECT_TRUE(Log.empty());
    EXPECT_THROW(control->SetState(cbGrayed), EqoError) << "grayed needs AllowGrayed";
    EXPECT_TRUE(control->Checked());
}

TEST_F(CheckBox, SurvivesBeingFreedByItsClickHandler) {
    control->OnClick = [this](TComponent*) { FreeControl(); };
    harness.Click(*control, {5, 8});
    EXPECT_EQ(control, nullptr);
    control = new TCheckBox(&form);
    control->SetParent(&form);
    control->SetFocus();
    control->OnClick = [this](TComponent*) { FreeControl(); };
    harness.Key(VK_SPACE);
    EXPECT_EQ(control, nullptr);
}

TEST_F(CheckBox, Looks) {
    EXPECT_TRUE(LooksLike("checkbox_unchecked"));
    control->SetChecked(true);
    control->SetFocus();
    EXPECT_TRUE(LooksLike("checkbox_checked_focused"));
    control->SetAllowGrayed(true);
    control->SetState(cbGrayed);
    EXPECT_TRUE(LooksLike("checkbox_grayed"));
    control->SetChecked(true);
    control->SetEnabled(false);
    EXPECT_TRUE(LooksLike("checkbox_checked_disabled"));
}

} // namespace
} // namespace qo
