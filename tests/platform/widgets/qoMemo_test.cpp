// The memo: lines and word wrap, moving by row, Enter as the owner decides,
// scrolling to the caret through the scrollable base, and its looks.
#include "platform/widgets/qoMemo.h"

#include "platform/core/qoErrors.h"
#include "support/widgets/qoWidgetFixture.h"

namespace qo {
namespace {

class Memo : public test::TWidgetFixture<TMemo> {
protected:
    Memo() {
        Place(TRect::Bounds(10, 10, 120, 60));
        control->OnChange = [this](TComponent*) { Record("change"); };
        control->SetFocus();
    }
};

TEST_F(Memo, EnterBreaksTheLineAsTheOwnerDecides) {
    control->SetText("one");
    harness.Key(VK_END);
    harness.Key(VK_RETURN);
    harness.Char(u't');
    EXPECT_EQ(control->Text(), "one\nt");
    control->WantReturns = false;
    uint16_t seen = 0;
    control->OnKeyDown = [&](TComponent*, uint16_t& key, TShiftState) { seen = key; };
    harness.Key(VK_RETURN);
    EXPECT_EQ(control->Text(), "one\nt") << "Enter is left to the owner";
    EXPECT_EQ(seen, VK_RETURN);
    harness.Key(VK_RETURN, ssCtrl);
    EXPECT_EQ(control->Text(), "one\nt\n") << "Ctrl+Enter still breaks the line";
    EXPECT_EQ(control->LineCount(), 3);
    EXPECT_EQ(control->Line(1), "t");
    EXPECT_THROW(control->Line(3), EqoError);
    control->SetText("a\r\nb\rc");
    EXPECT_EQ(control->Text(), "a\nb\nc") << "every break kept as one";
}

TEST_F(Memo, WrapsAtWordsAndMovesByRow) {
    control->SetText("the quick brown fox jumps over the lazy dog");
    EXPECT_EQ(control->LineCount(), 1);
    harness.Key(VK_DOWN);
    const int secondRow = control->SelStart();
    EXPECT_GT(secondRow, 0) << "Down goes to the next wrapped row";
    EXPECT_EQ(control->Text()[size_t(secondRow - 1)], ' ') << "rows break after a space";
    harness.Key(VK_HOME, ssShift);
    EXPECT_EQ(control->SelLength(), 0) << "Home goes to the start of the row";
    harness.Key(VK_END);
    harness.Key(VK_UP);
    EXPECT_LT(control->SelStart(), secondRow);
    control->SetWordWrap(false);
    control->SetSel(0, 0);
    harness.Key(VK_DOWN);
    EXPECT_EQ(control->SelStart(), 0) << "unwrapped, it is one row";
    harness.Key(VK_END);
    EXPECT_GT(control->ScrollPos(sbHorizontal), 0) << "scrolled sideways to the caret";
}

TEST_F(Memo, ScrollsToTheCaretWithItsBars) {
    control->SetScrollBars(ssVertical);
    std::string text;
    for (int i = 0; i < 20; ++i) text += "line " + std::to_string(i) + "\n";
    control->SetText(text);
    ASSERT_NE(control->ScrollBar(sbVertical), nullptr);
    harness.Key(VK_END, ssCtrl);
    EXPECT_EQ(control->ScrollPos(sbVertical), control->MaxScrollPos(sbVertical));
    harness.Key(VK_PRIOR);
    harness.Key(VK_HOME, ssCtrl);
    EXPECT_EQ(control->ScrollPos(sbVertical), 0);
    harness.Wheel(*control, {20, 20}, -WHEEL_DELTA);
    EXPECT_EQ(control->ScrollPos(sbVertical), 3);
    harness.Click(*control, {4, 6});
    EXPECT_EQ(control->Line(3), "line 3");
    EXPECT_EQ(control->SelStart(), 3 * 7) << "a click finds the row scrolled to";
}

TEST_F(Memo, Looks) {
    control->SetScrollBars(ssVertical);
    control->SetText("Weekly review\nof the open tasks, with notes that wrap at the edge\n\nlast line\nmore\nmore");
    control->SetSel(7, 14);
    EXPECT_TRUE(LooksLike("memo_focused_wrapped"));
    form.SetFocus();
    control->SetEnabled(false);
    EXPECT_TRUE(LooksLike("memo_disabled"));
}

} // namespace
} // namespace qo
