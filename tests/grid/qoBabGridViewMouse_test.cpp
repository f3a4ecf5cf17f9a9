// The grid view under the mouse: focus and deferred selection, drags that keep
// the selection, sort clicks, check boxes, resizing with its limits,
// auto-size, the delayed edit start on the virtual clock, and removed cells.
#include "qoBabGridView_test.h"

#include "platform/window/qoInputRouter.h"

namespace qo {
namespace {

using GridMouse = test::GridViewFixture;

TEST_F(GridMouse, APressOnASelectedCellKeepsTheSelectionUntilReleasedWithoutADrag) {
    Fill(3, 6);
    harness.Click(*control, MiddleOf(0, 1));
    harness.Click(*control, MiddleOf(1, 3), mbLeft, ssShift);
    EXPECT_EQ(Selected(), "0,1 1,1 0,2 1,2 0,3 1,3");
    EXPECT_EQ(Root()->FocusedCell(), Cell(1, 3));
    harness.MouseDown(*control, MiddleOf(0, 2));
    EXPECT_EQ(Selected(), "0,1 1,1 0,2 1,2 0,3 1,3") << "held back while the button is down";
    EXPECT_EQ(Root()->FocusedCell(), Cell(0, 2));
    harness.MouseUp(*control, MiddleOf(0, 2));
    EXPECT_EQ(Selected(), "0,2");

    // With automatic dragging, a drag that ends elsewhere leaves the selection alone.
    control->SetDragMode(dmAutomatic);
    EXPECT_EQ(control->DragMode, dmManual) << "the platform's own drag mode stays manual";
    harness.Click(*control, MiddleOf(0, 4), mbLeft, ssShift);
    harness.MouseDown(*control, MiddleOf(0, 3));
    harness.MouseMove(*control, MiddleOf(2, 5) + TPoint{0, 20});
    harness.MouseUp(*control, MiddleOf(2, 5) + TPoint{0, 20});
    EXPECT_EQ(Selected(), "0,2 0,3 0,4");
    harness.MouseDown(*control, MiddleOf(0, 3));
    harness.MouseMove(*control, MiddleOf(0, 3) + TPoint{0, 16});
    harness.MouseMove(*control, MiddleOf(0, 3));
    harness.MouseUp(*control, MiddleOf(0, 3));
    EXPECT_EQ(Selected(), "0,3") << "the drag ended on the pressed cell";
}

TEST_F(GridMouse, OnlyRootHeadersSortAndASecondClickFlipsTheFlag) {
    Fill(3, 4);
    const TPoint header1 = MiddleOf(1, 0), header2 = MiddleOf(2, 0);
    harness.Click(*control, header1);
    EXPECT_TRUE(Log.empty()) << "sorting is not allowed by default";
    control->AllowSort = true;
    for (TPoint p : {header1, header1, header1, header2}) harness.Click(*control, p);
    EXPECT_EQ(Log, (std::vector<std::string>{"sort 1 down", "sort 1 up", "sort 1 down", "sort 2 down"}));
    EXPECT_EQ(control->CurrentSortCol(), Cell(2, 0));
    const TRect r = Cell(2, 0)->getVisibleRect();
    harness.Click(*control, {r.Left + 1, r.Top + 5});
    EXPECT_EQ(Log.size(), 4u) << "outside the sort zone";
}

TEST_F(GridMouse, ACheckBoxClickTogglesAtOnceAndClearsTheSortIndicator) {
    Fill(2, 3);
    control->AllowSort = true;
    harness.Click(*control, MiddleOf(0, 0));
    auto* data = static_cast<TBabSimpleCellStringData*>(Cell(1, 2)->BabCellData());
    data->SetIsBoolean(true);
    data->SetString("true");
    std::vector<std::string> stops;
    control->OnEditStop = [&](TComponent*, TWinControl*, TBabCellData*, std::string& text) { stops.push_back(text); };
    const TRect r = Cell(1, 2)->getVisibleRect();
    harness.Click(*control, {r.Left + 6, r.Top + 8});
    EXPECT_EQ(data->Value(), "FALSE");
    EXPECT_EQ(control->CurrentSortCol(), nullptr);
    harness.Click(*control, {r.Left + 40, r.Top + 8});
    EXPECT_EQ(data->Value(), "FALSE") << "beside the box";
    control->OnEditorCanModify = [](TComponent*, TBabCell*) { return false; };
    harness.Click(*control, {r.Left + 6, r.Top + 8});
    EXPECT_EQ(data->Value(), "FALSE") << "refused";
    EXPECT_EQ(stops, std::vector<std::string>{"FALSE"});
}

TEST_F(GridMouse, ColumnsResizeByTheirHeaderBorderDownToTheCellsMinimum) {
    Fill(3, 4);
    std::vector<std::string> sized;
    control->OnAfterUserSize = [&](TComponent*, TBabCell* cell, bool isColumn, TAxisContentItem* item) {
        sized.push_back(std::to_string(cell->ColumnIndex()) + (isColumn ? " col " : " row ") +
                        std::to_string(item->UserSize()));
    };
    const int border = Cell(0, 0)->getVisibleRect().Right;
    harness.MouseMove(*control, {border, 8});
    EXPECT_EQ(control->Cursor(), crHSplit);
    harness.MouseMove(*control, {border - 20, 8});
    EXPECT_EQ(control->Cursor(), crDefault);
    harness.MouseDown(*control, {border, 8});
    EXPECT_EQ(control->MouseMoveMode(), TMMode::mmResizeCols);
    harness.MouseMove(*control, {border + 30, 8});
    harness.MouseUp(*control, {border + 30, 8});
    EXPECT_EQ(control->MouseMoveMode(), TMMode::mmNone);
    control->Repaint();
    EXPECT_EQ(Root()->AxisContentListX()->Items(0)->CalculatedSize(), ColWidth + 30);
    const int border2 = Cell(1, 0)->getVisibleRect().Right;
    harness.MouseDown(*control, {border2, 8});
    harness.MouseUp(*control, {border2 - 500, 8});
    control->Repaint();
    EXPECT_EQ(Root()->AxisContentListX()->Items(1)->CalculatedSize(), 20) << "the cells' minimum width";
    EXPECT_EQ(sized, (std::vector<std::string>{"0 col 90", "1 col -440"}));
}

TEST_F(GridMouse, ADoubleClickOnABorderSizesTheColumnToItsContent) {
    Fill(3, 4);
    control->SetText(Cell(0, 2), "a much longer text than the rest");
    const int border = Cell(0, 0)->getVisibleRect().Right;
    harness.DoubleClick(*control, {border, 8});
    harness.MouseUp(*control, {border, 8});
    control->Repaint();
    TCanvas& canvas = control->DrawBitmap().Canvas();
    canvas.Font() = control->Font();
    const int expected = 4 + canvas.TextWidth("a much longer text than the rest") + 2;
    EXPECT_EQ(Root()->AxisContentListX()->Items(0)->UserSize(), expected);
    // A column of check boxes keeps its width.
    for (int y = 1; y <= 4; ++y) static_cast<TBabSimpleCellStringData*>(Cell(2, y)->BabCellData())->SetIsBoolean(true);
    const int border2 = Cell(2, 0)->getVisibleRect().Right;
    harness.DoubleClick(*control, {border2, 8});
    harness.MouseUp(*control, {border2, 8});
    EXPECT_EQ(Root()->AxisContentListX()->Items(2)->UserSize(), ColWidth);
}

TEST_F(GridMouse, AHeldPressStartsEditingAfterTheDelayOnlyWhereItStayed) {
    Fill(2, 3);
    harness.MouseDown(*control, MiddleOf(1, 1));
    harness.MouseUp(*control, MiddleOf(1, 1));
    harness.AdvanceTime(1000);
    EXPECT_TRUE(Log.empty()) << "auto-edit mode is off";
    control->SetAutoEditMode(true);
    harness.Click(*control, MiddleOf(1, 1));
    harness.AdvanceTime(749);
    EXPECT_TRUE(Log.empty());
    harness.AdvanceTime(1);
    EXPECT_EQ(Log, std::vector<std::string>{"edit"});
    harness.Click(*control, MiddleOf(1, 2));
    harness.MouseMove(*control, MiddleOf(1, 2) + TPoint{4, 0});
    harness.AdvanceTime(1000);
    EXPECT_EQ(Log.size(), 1u) << "the mouse moved away";
    harness.DoubleClick(*control, MiddleOf(1, 2));
    EXPECT_EQ(Log.back(), "edit") << "a double click on a cell starts editing";
}

TEST_F(GridMouse, ARemovedFocusedCellLeavesNothingBehind) {
    Fill(2, 5);
    harness.Click(*control, MiddleOf(1, 3));
    control->SetDragMode(dmAutomatic);
    harness.MouseDown(*control, MiddleOf(1, 3));
    Root()->AxisContentListY()->Drop(3);
    harness.MouseUp(*control, MiddleOf(1, 3));
    EXPECT_EQ(Root()->FocusedCell(), nullptr);
    harness.Wheel(*control, {30, 30}, -WHEEL_DELTA);
    control->Repaint();
    harness.Click(*control, MiddleOf(1, 3));
    harness.Wheel(*control, {30, 30}, -WHEEL_DELTA);
    EXPECT_EQ(Root()->FocusedCell(), Cell(1, 4)) << "without a vertical bar the wheel moves the focus";
    control->SetBounds(0, 0, 0, -5);
    control->Repaint();
    harness.Click(*control, {0, 0});
}

} // namespace
} // namespace qo
