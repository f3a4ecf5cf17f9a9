// The stretched last column and the horizontal scroll bar it does not need
// (the info column counted), and the resize events of columns and rows.
#include "qoGrid_test.h"

namespace qo {
namespace {

class GridStretch : public test::GridFixture {
protected:
    void Settle() {
        control->Repaint();
        harness.RunUntilIdle();
        control->Repaint();
    }
};

TEST_F(GridStretch, TheLastColumnTakesTheRestAndNeedsNoBar) {
    for (bool infoColumn : {true, false}) {
        SCOPED_TRACE(infoColumn);
        control->Columns()->Clear();
        control->SetHasInfoCol(infoColumn);
        Column("A", tckSimpleEdit, 60);
        Column("B", tckSimpleEdit, 60);
        TqoGrid_Column* last = Column("C", tckSimpleEdit, 80);
        Row({"a", "b", "c"});
        control->SetExtendLastColumnToWidth(true);
        Settle();
        TAxisContentItem* item = X()->Items(X()->Count() - 1);
        EXPECT_EQ(item->UserSize(), TqoGrid::StretchMarker);
        const int others = 120 + (infoColumn ? TqoGrid::InfoColumnWidth : 0);
        EXPECT_EQ(last->RunTimeWidth(), control->GetDrawRect().Width() - others);
        EXPECT_EQ(last->Width(), 80) << "the designed width stays";
        EXPECT_FALSE(control->GridScrollVisibleHorizontal());
        // Too narrow for the designed widths: the bar is needed after all.
        Place(TRect::Bounds(0, 0, 150, 280));
        Settle();
        EXPECT_TRUE(control->GridScrollVisibleHorizontal());
        Place(TRect::Bounds(0, 0, 400, 280));
        Settle();
        EXPECT_FALSE(control->GridScrollVisibleHorizontal());
        control->SetExtendLastColumnToWidth(false);
        Settle();
        EXPECT_EQ(X()->Items(X()->Count() - 1)->UserSize(), 80);
    }
}

TEST_F(GridStretch, WrappedTextIsMeasuredAtTheStretchedWidth) {
    TqoCellLayout* layout = control->CellLayouts()->Add();
    layout->SetName("wrap");
    layout->SetWrapTextAndFit(true);
    Column("A", tckSimpleEdit, 40)->SetLayoutName("wrap");
    TAxisContentItem* row = Row({"several words that wrap in a narrow column"});
    Settle();
    const int narrow = row->CalculatedSize();
    control->SetExtendLastColumnToWidth(true);
    Settle();
    EXPECT_LT(row->CalculatedSize(), narrow);
    EXPECT_EQ(control->GetWidthOffAxisContentItemForHeightCalculation(X()->Items(1)),
              control->GetDrawRect().Width() - TqoGrid::InfoColumnWidth);
}

TEST_F(GridStretch, UserResizesRaiseEventsAndTheGridsOwnSizingDoesNot) {
    TqoGrid_Column* a = Column("A");
    Column("B");
    TAxisContentItem* row = Row({"a", "b"});
    Row({"c", "d"});
    std::vector<std::string> events;
    control->OnColumnResized = [&](TqoGrid*, int i) { events.push_back("column " + std::to_string(i)); };
    control->OnRowResized = [&](TqoGrid*, int i) { events.push_back("row " + std::to_string(i)); };
    a->SetWidth(90);
    control->SetHasInfoCol(false);
    control->SetHasInfoCol(true);
    control->SetExtendLastColumnToWidth(true);
    Settle();
    EXPECT_TRUE(events.empty());
    X()->Items(1)->SetUserSize(75);
    row->SetUserSize(30);
    EXPECT_EQ(events, (std::vector<std::string>{"column 0", "row 0"}));
    EXPECT_EQ(a->Width(), 75) << "the user's width survives a rebuild";
    a->SetHeaderText("A2");
    control->Repaint();
    EXPECT_EQ(X()->Items(1)->UserSize(), 75);
    EXPECT_EQ(control->GetRowHeight(1), 30);
    EXPECT_EQ(control->GetRowHeight(9), 0);
}

TEST_F(GridStretch, SubGridsThatStretchFollowAUserResize) {
    TqoGrid_SubGrid* definition = control->SubGrids()->Add();
    definition->SetName("S");
    definition->Columns()->Add()->SetWidth(30);
    definition->Columns()->Add()->SetWidth(30);
    definition->SetExtendLastColumnToWidth(true);
    Column("A");
    Column("Sub", tckSubGrid, 150)->SetSubGridName("S");
    auto* grid = static_cast<TBabGridCell*>(CellOf(1, Row({"a"})));
    Settle();
    TAxisContentItem* last = grid->AxisContentListX()->Items(1);
    EXPECT_EQ(last->UserSize(), TqoGrid::StretchMarker);
    EXPECT_EQ(control->ShownWidth(last), grid->DrawRect().Width() - 30);
}

TEST_F(GridStretch, TopLeftCellSkipsHiddenColumns) {
    Column("A");
    Column("B")->SetHidden(true);
    Column("C");
    Row({"a", "b", "c"});
    Settle();
    control->SetTopLeftCell(control->Cell(2, 1));
    EXPECT_EQ(control->MainGrid()->Left(), 3);
    EXPECT_EQ(control->TopLeftCell(), control->Cell(3, 1));
}

} // namespace
} // namespace qo
