// The grid view's keyboard: the navigation keys with and without a focus,
// the page keys that bring the row into view, the type-ahead search on the
// virtual clock, and the copy key.
#include "qoBabGridView_test.h"

#include "platform/widgets/qoClipboard.h"

namespace qo {
namespace {

class GridKeys : public test::GridViewFixture {
protected:
    std::string Focused() {
        TBabCell* cell = Root()->FocusedCell();
        return cell ? std::to_string(cell->ColumnIndex()) + "," + std::to_string(cell->RowIndex()) : "none";
    }
};

TEST_F(GridKeys, NavigationKeysMoveTheFocusAndSelectWhereTheyArrive) {
    Fill(4, 5);
    control->SetFocus();
    harness.Key(VK_DOWN);
    EXPECT_EQ(Focused(), "0,2") << "no focus: the cell at Left and Top first, then the step";
    const struct {
        uint16_t key;
        TShiftState shift;
        const char* focused;
    } steps[] = {
        {VK_RIGHT, 0, "1,2"},   {VK_RIGHT, 0, "2,2"},    {VK_UP, 0, "2,1"},      {VK_UP, 0, "2,1"},
        {VK_LEFT, 0, "1,1"},    {VK_END, 0, "3,1"},      {VK_HOME, 0, "0,1"},    {VK_END, ssCtrl, "0,5"},
        {VK_HOME, ssCtrl, "0,1"}, {VK_NEXT, 0, "0,5"},   {VK_PRIOR, 0, "0,1"},
    };
    for (const auto& s : steps) {
        harness.Key(s.key, s.shift);
        EXPECT_EQ(Focused(), s.focused) << "key " << s.key;
    }
    EXPECT_EQ(Selected(), "0,1");
    harness.Key(VK_DOWN, ssShift);
    harness.Key(VK_RIGHT, ssShift);
    EXPECT_EQ(Selected(), "0,1 1,1 0,2 1,2") << "Shift extends the selection";
}

TEST_F(GridKeys, PageKeysBringTheirRowIntoView) {
    Fill(2, 40);
    control->SetFocus();
    harness.Click(*control, MiddleOf(0, 1));
    harness.Key(VK_END, ssCtrl);
    harness.RunUntilIdle();
    EXPECT_EQ(Focused(), "0,40");
    EXPECT_TRUE(Cell(0, 40)->getVisibleRect().Bottom <= control->GetDrawRect().Bottom);
    EXPECT_GT(Root()->Top(), 1);
    harness.Key(VK_HOME, ssCtrl);
    harness.RunUntilIdle();
    EXPECT_EQ(Root()->Top(), 1);
    harness.Key(VK_NEXT);
    harness.RunUntilIdle();
    const int pageRow = Root()->FocusedCell()->RowIndex();
    EXPECT_GT(pageRow, 5);
    EXPECT_FALSE(Cell(0, pageRow)->getVisibleRect().IsEmpty()) << "shown after the page step";
}

TEST_F(GridKeys, TypingWhereNoEditStartsSearchesTheColumnWithinASecond) {
    Fill(2, 6);
    const char* names[] = {"apple", "banana", "Blueberry", "cherry", "avocado", "bean"};
    for (int y = 1; y <= 6; ++y) control->SetText(Cell(0, y), names[y - 1]);
    control->OnEditorCanModify = [](TComponent*, TBabCell*) { return false; };
    harness.Click(*control, MiddleOf(0, 1));
    const struct {
        int64_t pause; // ms before the key
        char16_t ch;
        const char* search;
        const char* focused;
    } steps[] = {
        {0, u'b', "b", "0,2"},     {500, u'l', "bl", "0,3"},  {1001, u'a', "a", "0,5"},
        {0, u'p', "ap", "0,1"}, // wraps round to the top
        {1001, u'x', "x", "0,1"}, // nothing starts with it: the focus stays
    };
    for (const auto& s : steps) {
        harness.AdvanceTime(s.pause);
        harness.Key(uint16_t(std::toupper(s.ch)), 0, s.ch);
        harness.RunUntilIdle();
        EXPECT_FALSE(control->Editing());
        EXPECT_EQ(control->NaviString(), s.search);
        EXPECT_EQ(Focused(), s.focused) << s.search;
    }
    EXPECT_EQ(Selected(), "0,1");
    control->SetAllowKeyNavigation(false);
    harness.AdvanceTime(2000);
    harness.Key('B', 0, u'b');
    harness.RunUntilIdle();
    EXPECT_EQ(Focused(), "0,1") << "no search when key navigation is off";

    // Without a focus the search starts in the sorted column, at the top row.
    Root()->SetFocusedCell(nullptr);
    control->SetAllowKeyNavigation(true);
    harness.AdvanceTime(2000);
    harness.Key('C', 0, u'c');
    harness.RunUntilIdle();
    EXPECT_EQ(Focused(), "0,4");
}

TEST_F(GridKeys, CtrlCCopiesTheFocusedText) {
    Fill(2, 3);
    harness.Click(*control, MiddleOf(1, 2));
    harness.Key('C', ssCtrl);
    EXPECT_EQ(ClipboardGetText(), "c1r2");
    EXPECT_FALSE(control->Editing());
}

} // namespace
} // namespace qo
