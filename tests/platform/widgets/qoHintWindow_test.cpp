// The pop-up base through the hint window: placement on the screen, no focus,
// closing on a press outside, Escape, and its look.
#include "platform/widgets/qoHintWindow.h"

#include "platform/window/qoBackend.h"
#include "support/widgets/qoWidgetFixture.h"

namespace qo {
namespace {

class HintWindow : public test::TFormFixture {
protected:
    HintWindow() {
        target = AddTarget();
        hint = new THintWindow(&form);
        hint->OnClosePopup = [this](TComponent*) { Record("closed"); };
    }
    TCustomControl* target;
    THintWindow* hint;
};

TEST_F(HintWindow, ItsSizeFollowsTheLinesWhateverTheirBreaks) {
    const TRect one = hint->CalcHintRect(300, "Start");
    for (const char* text : {"a\rb\rc", "a\nb\nc", "a\r\nb\r\nc"}) {
        const TRect three = hint->CalcHintRect(300, text);
        EXPECT_EQ(three.Height() - 2, 3 * (one.Height() - 2)) << text;
    }
    EXPECT_EQ(NormalizeLineBreaks("x\r\r\ny\n"), "x\n\ny\n");
}

TEST_F(HintWindow, ShowsOnTheScreenWithoutTakingTheFocus) {
    target->SetFocus();
    const TRect screen = Backend().ScreenRect();
    hint->ActivateHint(TRect::Bounds(screen.Right - 20, -5, 80, 30), "Hint");
    EXPECT_TRUE(hint->IsOpen());
    EXPECT_EQ(hint->BoundsRect(), TRect::Bounds(screen.Right - 80, 0, 80, 30))
        << "moved to lie on the screen";
    EXPECT_TRUE(target->Focused());
    EXPECT_FALSE(hint->CanFocus());
}

TEST_F(HintWindow, APressOutsideClosesItAndStillArrives) {
    hint->ActivateHint(TRect::Bounds(300, 300, 80, 30), "Hint");
    harness.Click(*hint, {5, 5});
    EXPECT_TRUE(hint->IsOpen()) << "a press inside keeps it";
    harness.Click(*target, {5, 5});
    EXPECT_FALSE(hint->IsOpen());
    EXPECT_FALSE(hint->Visible());
    EXPECT_EQ(Log, (std::vector<std::string>{"closed", "press"}));
}

TEST_F(HintWindow, EscapeClosesItAndIsSwallowed) {
    target->SetFocus();
    uint16_t seen = 0;
    target->OnKeyDown = [&](TComponent*, uint16_t& key, TShiftState) { seen = key; };
    hint->ActivateHint(TRect::Bounds(300, 300, 80, 30), "Hint");
    harness.Key(VK_DOWN);
    EXPECT_EQ(seen, VK_DOWN) << "other keys go on to the focused control";
    harness.Key(VK_ESCAPE);
    EXPECT_FALSE(hint->IsOpen());
    EXPECT_EQ(seen, VK_DOWN);
}

TEST_F(HintWindow, SurvivesBeingFreedWhileOpenAndWhileClosing) {
    hint->ActivateHint(TRect::Bounds(300, 300, 80, 30), "Hint");
    delete hint;
    harness.Click(*target, {5, 5});
    harness.Key(VK_ESCAPE);

    hint = new THintWindow(&form);
    hint->OnClosePopup = [this](TComponent*) {
        delete hint;
        hint = nullptr;
    };
    hint->ActivateHint(TRect::Bounds(300, 300, 80, 30), "Hint");
    harness.Click(*target, {5, 5});
    EXPECT_EQ(hint, nullptr);
    EXPECT_EQ(Log, (std::vector<std::string>{"press", "press"}));
}

TEST_F(HintWindow, Looks) {
    const std::string text = "Start 01.02.2024\rStop 05.02.2024\rLength 4";
    const TRect size = hint->CalcHintRect(300, text);
    hint->ActivateHint(size.Offset(100, 100), text);
    EXPECT_TRUE(test::LooksLike(harness, *hint, "hint_three_lines"));
}

} // namespace
} // namespace qo
