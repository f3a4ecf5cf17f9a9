// The draw grid on the scrollable base: owner drawing of only the cells that
// show, scrolling by bars, keys and wheel with OnTopLeftChanged, the current
// cell, row sizing by mouse, bad counts and sizes, its looks, and surviving
// its handlers.
#include "platform/widgets/qoDrawGrid.h"

#include "platform/core/qoErrors.h"
#include "support/widgets/qoWidgetFixture.h"

namespace qo {
namespace {

class DrawGrid : public test::TWidgetFixture<TDrawGrid> {
protected:
    DrawGrid() {
        Place(TRect::Bounds(5, 5, 200, 120));
        control->SetColCount(4);
        control->SetRowCount(20);
        control->SetDefaultColWidth(40);
        control->SetDefaultRowHeight(18);
        control->OnTopLeftChanged = [this](TComponent*) {
            Record("topleft " + std::to_string(control->LeftCol()) + "," + std::to_string(control->TopRow()));
        };
    }
};

TEST_F(DrawGrid, DrawsOnlyTheCellsThatShowWhateverTheRowCount) {
    for (int rows : {100, 100000}) {
        control->SetRowCount(rows);
        control->SetTopRow(rows / 2);
        int cells = 0;
        control->OnDrawCell = [&](TComponent*, int, int, const TRect&, TGridDrawState) { ++cells; };
        control->Repaint();
        // Seven rows show (the fixed one and six more, the last cut), each with all four columns.
        EXPECT_EQ(cells, 7 * 4) << rows << " rows";
    }
}

TEST_F(DrawGrid, TheBarsFollowTheContentAndScrollByWholeCells) {
    TScrollBar* bar = control->ScrollBar(sbVertical);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(control->ScrollBar(sbHorizontal), nullptr) << "the columns fit beside the vertical bar";
    // 19 scrolled rows; 5 of 19 pixels each fit in 120 less the fixed row.
    EXPECT_EQ(bar->Max(), 18);
    EXPECT_EQ(bar->PageSize(), 5);
    harness.Click(*bar, {8, bar->Height() - 8});
    EXPECT_EQ(control->TopRow(), 2);
    harness.Wheel(*control, {60, 60}, -WHEEL_DELTA);
    EXPECT_EQ(control->TopRow(), 5);
    control->SetTopRow(1000);
    EXPECT_EQ(control->TopRow(), 15) << "the last page shows whole";
    EXPECT_EQ(bar->Position(), 14);
    EXPECT_EQ(Log, (std::vector<std::string>{"topleft 1,2", "topleft 1,5", "topleft 1,15"}));
    control->SetScrollBars(ssNone);
    EXPECT_EQ(control->ScrollBar(sbVertical), nullptr);
    EXPECT_EQ(control->VisibleRect(), control->ClientRect());
}

TEST_F(DrawGrid, KeysMoveTheCurrentCellIntoViewUnlessRefused) {
    control->SetFocus();
    for (int i = 0; i < 6; ++i) harness.Key(VK_DOWN);
    EXPECT_EQ(control->Row(), 7);
    EXPECT_EQ(control->TopRow(), 3) << "scrolled just enough";
    harness.Key(VK_END, ssCtrl);
    EXPECT_EQ(control->Row(), 19);
    harness.Key(VK_HOME);
    EXPECT_EQ(control->Col(), 1);
    control->OnSelectCell = [](TComponent*, int col, int, bool& can) { can = col != 2; };
    harness.Key(VK_RIGHT);
    EXPECT_EQ(control->Col(), 1) << "refused";
    int col, row;
    ASSERT_TRUE(control->MouseToCell({120, 30}, col, row));
    harness.Click(*control, {130, 30});
    EXPECT_EQ(control->Col(), 3);
}

TEST_F(DrawGrid, RowsAreSizedByDraggingTheirBorderInTheFixedColumn) {
    control->SetOptions(control->Options() | goRowSizing);
    control->OnRowSized = [this](TComponent*, int row) { Record("sized " + std::to_string(row)); };
    const int border = control->CellRect(0, 2).Bottom;
    harness.MouseMove(*control, {20, border});
    EXPECT_EQ(control->Cursor(), crVSplit);
    harness.MouseMove(*control, {80, border});
    EXPECT_EQ(control->Cursor(), crDefault) << "only in the fixed column";
    harness.MouseDown(*control, {20, border});
    harness.MouseMove(*control, {20, border + 10});
    harness.MouseUp(*control, {20, border + 10});
    EXPECT_EQ(control->RowHeights(2), 28);
    EXPECT_EQ(control->RowHeights(3), 18);
    harness.MouseDown(*control, {20, control->CellRect(0, 1).Bottom});
    harness.MouseMove(*control, {20, -100});
    harness.MouseUp(*control, {20, -100});
    EXPECT_EQ(control->RowHeights(1), 0) << "no negative height";
    EXPECT_EQ(Log.back(), "sized 1");
}

TEST_F(DrawGrid, RefusesBadCountsAndClampsBadSizes) {
    try {
        control->SetFixedRows(20);
        FAIL();
    } catch (const EqoError& e) {
        EXPECT_STREQ(e.what(), "Fixed row count must be less than row count");
    }
    EXPECT_THROW(control->SetFixedCols(-1), EqoError);
    EXPECT_THROW(control->ColWidths(4), EListError);
    EXPECT_THROW(control->SetRowHeights(-1, 5), EListError);
    control->SetColWidths(2, -30);
    EXPECT_EQ(control->ColWidths(2), 0);
    control->SetRowCount(0);
    EXPECT_EQ(control->RowCount(), 1);
    EXPECT_EQ(control->FixedRows(), 0) << "the fixed rows give way to fewer rows";
    EXPECT_EQ(control->Row(), 0);
}

TEST_F(DrawGrid, SurvivesBeingFreedByItsHandlers) {
    control->OnSelectCell = [this](TComponent*, int, int, bool&) { FreeControl(); };
    control->SetFocus();
    harness.Key(VK_DOWN);
    EXPECT_EQ(control, nullptr);
    control = new TDrawGrid(&form);
    control->SetParent(&form);
    control->SetRowCount(50);
    control->OnTopLeftChanged = [this](TComponent*) { FreeControl(); };
    harness.Wheel(*control, {60, 60}, -WHEEL_DELTA);
    EXPECT_EQ(control, nullptr);
}

TEST_F(DrawGrid, Looks) {
    control->SetOptions(control->Options() | goDrawFocusSelected);
    control->OnDrawCell = [this](TComponent*, int col, int row, const TRect& rect, TGridDrawState) {
        TRect text = rect.Inflate(-2, 0);
        control->Canvas().Brush().Style = TBrushStyle::bsClear;
        control->Canvas().DrawTextW(std::to_string(col) + ":" + std::to_string(row), text,
                                    DT_VCENTER | DT_SINGLELINE);
    };
    EXPECT_TRUE(LooksLike("drawgrid"));
    control->SetFocus();
    control->SetColCount(6);
    EXPECT_TRUE(LooksLike("drawgrid_focused_both_bars"));
    control->SetScrollBars(ssNone);
    control->SetEnabled(false);
    EXPECT_TRUE(LooksLike("drawgrid_no_bars_disabled"));
}

} // namespace
} // namespace qo
