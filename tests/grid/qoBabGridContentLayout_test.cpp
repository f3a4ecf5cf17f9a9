#include "qoBabGridContent_test.h"

#include <gtest/gtest.h>

#include <vector>

namespace qo {
namespace {

using test::TTestGrid;

// Cells without layout are 20 x 20.
struct Sized : ::testing::Test {
    TTestGrid g;
    void SetUp() override { g.Fill(3, 10); }
    int Row(int y) { return g.Y()->Items(y)->CalculatedSize(); }
    int Column(int x) { return g.X()->Items(x)->CalculatedSize(); }
};

TEST_F(Sized, AnOverflowingColumnCountsAnOverflowingRowDoesNot) {
    g.root->CalcVisibleArea(TRect(0, 0, 50, 50));
    EXPECT_EQ(g.root->VisibleColCount(), 3);
    EXPECT_FALSE(g.root->LastColumnShow());
    EXPECT_EQ(g.root->BrokenColumn(), 2);
    EXPECT_EQ(g.root->VisibleRowCount(), 2);
    EXPECT_EQ(g.Y()->VisibleCount(), 3);
    EXPECT_FALSE(g.root->LastRowShow());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(g.X()->Visibles(i)->AcumSize(), 20 * i);
        EXPECT_EQ(g.Y()->Visibles(i)->AcumSize(), 20 * i);
    }
}

TEST_F(Sized, EverythingFitsInALargeRectangle) {
    g.root->CalcVisibleArea(TRect(0, 0, 1000, 1000));
    EXPECT_TRUE(g.root->LastColumnShow());
    EXPECT_TRUE(g.root->LastRowShow());
    EXPECT_EQ(g.root->VisibleRowCount(), 10);
    EXPECT_EQ(g.root->CalculatedHeight(), 200);
    EXPECT_EQ(g.root->CalculatedWidth(), 60);
}

TEST_F(Sized, UserSizesNeverGoBelowTheCellMinimum) {
    const struct { int userSize, rowSize; } cases[] = {{5, 20}, {20, 20}, {35, 35}};
    for (auto c : cases) {
        g.Y()->Items(1)->SetUserSize(c.userSize);
        g.Y()->Items(1)->SetUserSizeActive(true);
        g.X()->Items(2)->SetUserSize(c.userSize);
        g.X()->Items(2)->SetUserSizeActive(true);
        g.root->CalcVisibleArea(TRect(0, 0, 500, 500));
        EXPECT_EQ(Row(1), c.rowSize) << c.userSize;
        EXPECT_EQ(Column(2), c.rowSize) << c.userSize;
    }
}

TEST_F(Sized, LayoutMinimaAndMeasuredHeightsSizeTheirRow) {
    TLayoutProp tall, wrapping;
    tall.MinHeight = 33;
    tall.MinWidth = 44;
    wrapping.MinHeight = 10;
    wrapping.WrapTextAndFit = true;
    g.root->getCell(0, 1)->SetLayoutProp(&tall);
    g.root->getCell(1, 2)->SetLayoutProp(&wrapping);
    int measured = 0;
    g.root->OnMeasureHeight = [&](TBabGridCellForViewer*, TBabCell*, int& height) {
        ++measured;
        height = 45;
    };
    g.root->CalcVisibleArea(TRect(0, 0, 500, 500));
    EXPECT_EQ(Row(1), 33);
    EXPECT_EQ(Column(0), 44);
    EXPECT_EQ(Row(2), 45);
    EXPECT_EQ(measured, 1);
}

TEST_F(Sized, HiddenAndFixedItemsArePlacedAsExpected) {
    g.root->SetFixedRows(1);
    g.root->SetTop(5);
    g.X()->Items(1)->SetHide(true);
    g.root->CalcVisibleArea(TRect(0, 0, 500, 70));
    ASSERT_EQ(g.X()->VisibleCount(), 2);
    EXPECT_EQ(g.X()->Visibles(1)->ListIndex(), 2);
    EXPECT_EQ(g.X()->Visibles(1)->AcumSize(), 20);
    EXPECT_EQ(Column(1), 0);
    const int rows[] = {0, 5, 6, 7};
    ASSERT_EQ(g.Y()->VisibleCount(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(g.Y()->Visibles(i)->ListIndex(), rows[i]);
}

TEST_F(Sized, HitTestsFindTheColumnAndRowUnderAPixel) {
    g.root->CalcVisibleArea(TRect(10, 10, 60, 60));
    const struct {
        int X, Y;
        TPoint at;
    } cases[] = {{10, 10, {0, 0}}, {30, 30, {0, 0}},  {31, 31, {1, 1}},
                 {55, 55, {2, 2}}, {71, 15, {-1, 0}}, {9, 9, {-1, -1}}};
    for (auto c : cases) {
        EXPECT_EQ(g.root->GridCoordsFromPix(c.X, c.Y), c.at) << c.X << "," << c.Y;
        TBabCell* cell = g.root->CellFromPix(c.X, c.Y, true);
        if (c.at.X < 0 || c.at.Y < 0)
            EXPECT_EQ(cell, nullptr);
        else
            EXPECT_EQ(cell, g.root->getCell(c.at.X, c.at.Y));
    }
}

struct DrawnCell {
    TRect rect;
    TBabCell* cell;
    TBabDrawState state;
};

std::vector<DrawnCell> DrawAll(TBabGridCell* grid, const TRect& rect) {
    std::vector<DrawnCell> drawn;
    grid->Draw(rect, [&](const TRect& r, TBabCell* cell, TBabDrawState state) {
        drawn.push_back({r, cell, state});
    });
    return drawn;
}

TEST_F(Sized, DrawingClipsToTheRectangleAndStatesTheCells) {
    g.root->SetFixedCols(1);
    g.root->getCell(1, 0)->SetSelected(true);
    g.root->SetFocusedCell(g.root->getCell(1, 1));
    const TRect rect(0, 0, 30, 30);
    g.root->CalcVisibleArea(rect);
    const auto drawn = DrawAll(g.root.get(), rect);
    ASSERT_EQ(drawn.size(), 4u);
    EXPECT_EQ(drawn[0].rect, TRect(0, 0, 20, 20));
    EXPECT_EQ(drawn[0].state, babFixed);
    EXPECT_EQ(drawn[2].cell, g.root->getCell(1, 0));
    EXPECT_EQ(drawn[2].state, babSelected);
    EXPECT_EQ(drawn[3].rect, TRect(20, 20, 30, 30));
    EXPECT_EQ(drawn[3].state, babFocused);
    EXPECT_EQ(g.root->getCell(2, 0)->VisibleRect_Untampered(), TRect(-1, -1, -1, -1));
}

TEST_F(Sized, TheOwnerAdjustsRectangles) {
    g.root->OnScaleRect = [](TRect& r) { r = r.Offset(1, 0); };
    g.root->OnCellRectTampering = [](TBabGridCellForViewer*, TBabCell*, TRect& r) { r = r.Inflate(-2, -2); };
    const TRect rect(0, 0, 500, 500);
    g.root->CalcVisibleArea(rect);
    const auto drawn = DrawAll(g.root.get(), rect);
    EXPECT_EQ(drawn[0].rect, TRect(3, 2, 19, 18));
    EXPECT_EQ(drawn[0].cell->VisibleRect_Untampered(), TRect(1, 0, 21, 20));
}

TEST_F(Sized, GroupedCellsDrawAsOneAndAnswerForTheLowest) {
    g.root->OnCheckCellGrouping = [](TBabCell* above, TBabCell* below) {
        return above->ColumnIndex() == 0 && above->RowIndex() >= 1 && below->RowIndex() <= 3;
    };
    const TRect rect(0, 0, 500, 500);
    g.root->CalcVisibleArea(rect);
    const auto drawn = DrawAll(g.root.get(), rect);
    TBabCell* master = g.root->getCell(0, 3);
    EXPECT_EQ(drawn[3].rect, TRect(0, 20, 20, 80));
    EXPECT_TRUE(master->IsMasterGroupCell());
    EXPECT_TRUE(g.root->getCell(0, 1)->IsGroupedCell());
    EXPECT_FALSE(g.root->getCell(0, 1)->IsMasterGroupCell());
    EXPECT_EQ(g.root->getCell(0, 1)->GetGroupMaster(), master);
    EXPECT_EQ(g.root->CellFromPix(5, 25, false), master);
    EXPECT_EQ(g.root->FindNeighbourCell(g.root->getCell(0, 0), babdirDown, true), master);
}

TEST(BabLayout, SubGridsAreSizedDrawnAndHitInside) {
    TTestGrid g;
    g.root->OnCreateCell = [&](TBabGridCell* grid, TAxisContentItem* x, TAxisContentItem* y) {
        return grid == g.root.get() && x->ListIndex() == 1 && y->ListIndex() == 1 ? babCellTypeGrid
                                                                                  : babCellTypeSimple;
    };
    g.Fill(3, 3);
    auto* sub = dynamic_cast<TBabGridCell*>(g.root->getCell(1, 1));
    ASSERT_NE(sub, nullptr);
    EXPECT_NE(dynamic_cast<TBabGridCellData*>(sub->BabCellData()), nullptr);
    for (int i = 0; i < 2; ++i)
        sub->AxisContentListX()->AddNew(nullptr), sub->AxisContentListY()->AddNew(nullptr);
    const TRect rect(0, 0, 500, 500);
    g.root->CalcVisibleArea(rect);
    EXPECT_EQ(g.X()->Items(1)->CalculatedSize(), 40);
    EXPECT_EQ(g.Y()->Items(1)->CalculatedSize(), 40);
    const auto drawn = DrawAll(g.root.get(), rect);
    EXPECT_EQ(drawn.size(), 9u + 4u);
    EXPECT_EQ(sub->getCell(1, 1)->VisibleRect_Untampered(), TRect(40, 40, 60, 60));
    EXPECT_EQ(g.root->CellFromPix(45, 45, true), sub->getCell(1, 1));
    EXPECT_EQ(g.root->CellFromPix(45, 45, false), sub);
}

} // namespace
} // namespace qo
