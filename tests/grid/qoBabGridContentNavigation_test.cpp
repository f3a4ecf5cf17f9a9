#include "qoBabGridContent_test.h"

#include <gtest/gtest.h>

namespace qo {
namespace {

using test::TTestGrid;

// Four columns and six rows, one of each fixed; three full rows fit on screen.
struct Navigating : ::testing::Test {
    TTestGrid g;
    void SetUp() override {
        g.Fill(4, 6);
        g.root->SetFixedCols(1);
        g.root->SetFixedRows(1);
        g.root->CalcVisibleArea(TRect(0, 0, 500, 70));
    }
    TPoint From(int x, int y, TBabDirection direction) {
        TBabCell* found = g.root->FindNeighbourCell(g.root->getCell(x, y), direction, true);
        return {found->ColumnIndex(), found->RowIndex()};
    }
};

TEST_F(Navigating, EachDirectionMovesWithinTheScrolledCells) {
    ASSERT_EQ(g.root->VisibleRowCount(), 3);
    const struct {
        TBabDirection direction;
        TPoint from, to;
    } cases[] = {
        {babdirLeft, {2, 3}, {1, 3}},     {babdirLeft, {1, 3}, {1, 3}},     {babdirRight, {2, 3}, {3, 3}},
        {babdirRight, {3, 3}, {3, 3}},    {babdirUp, {2, 3}, {2, 2}},       {babdirUp, {2, 1}, {2, 1}},
        {babdirDown, {2, 3}, {2, 4}},     {babdirDown, {2, 5}, {2, 5}},     {babdirPageUp, {2, 3}, {2, 1}},
        {babdirPageDown, {2, 3}, {2, 5}}, {babdirPageDown, {2, 1}, {2, 3}}, {babdirHomeRow, {2, 3}, {2, 1}},
        {babdirEndRow, {2, 3}, {2, 5}},   {babdirHomeCell, {3, 3}, {1, 3}}, {babdirEndCell, {1, 3}, {3, 3}},
        {babdirNone, {2, 3}, {2, 3}},     {babdirInwards, {2, 3}, {2, 3}},
    };
    for (auto c : cases)
        EXPECT_EQ(From(c.from.X, c.from.Y, c.direction), c.to)
            << c.direction << " from " << c.from.X << "," << c.from.Y;
}

TEST_F(Navigating, HiddenRowsAndColumnsAreStepped) {
    g.Y()->Items(4)->SetHide(true);
    EXPECT_EQ(From(2, 3, babdirDown), TPoint(2, 5));
    g.X()->Items(2)->SetHide(true);
    EXPECT_EQ(From(1, 3, babdirRight), TPoint(3, 3));
    g.Y()->Items(5)->SetHide(true);
    EXPECT_EQ(From(3, 3, babdirDown), TPoint(3, 3)) << "back to the nearest shown row";
}

TEST(BabNavigation, EndRowWithOnlyFixedRowsStays) {
    TTestGrid g;
    g.Fill(3, 1);
    g.root->SetFixedRows(1);
    TBabCell* start = g.root->getCell(1, 0);
    EXPECT_EQ(g.root->FindNeighbourCell(start, babdirEndRow, true), start);
}

// A three by three grid whose middle cell is a two by two sub-grid.
struct NavigatingSubGrid : ::testing::Test {
    TTestGrid g;
    TBabGridCell* sub = nullptr;
    void SetUp() override {
        g.root->OnCreateCell = [this](TBabGridCell* grid, TAxisContentItem* x, TAxisContentItem* y) {
            return grid == g.root.get() && x->ListIndex() == 1 && y->ListIndex() == 1 ? babCellTypeGrid
                                                                                      : babCellTypeSimple;
        };
        g.Fill(3, 3);
        sub = static_cast<TBabGridCell*>(g.root->getCell(1, 1));
        for (int i = 0; i < 2; ++i)
            sub->AxisContentListX()->AddNew(nullptr), sub->AxisContentListY()->AddNew(nullptr);
    }
};

TEST_F(NavigatingSubGrid, InwardsEntersAtTheFirstScrolledCell) {
    EXPECT_EQ(g.root->FindNeighbourCell(sub, babdirInwards, true), sub->getCell(0, 0));
    EXPECT_EQ(sub->FocusedCell(), sub->getCell(0, 0));
}

TEST_F(NavigatingSubGrid, MovesStayInsideUntilTheEdgeAndThenLeave) {
    g.root->SetFocusedCell(sub->getCell(0, 1));
    EXPECT_EQ(g.root->FindNeighbourCell(sub, babdirRight, true), sub->getCell(1, 1));
    g.root->SetFocusedCell(sub->getCell(1, 1));
    EXPECT_EQ(g.root->FindNeighbourCell(sub, babdirRight, true), g.root->getCell(2, 1));
    EXPECT_EQ(g.root->FindNeighbourCell(sub, babdirDown, true), g.root->getCell(1, 2));
    EXPECT_EQ(g.root->FindNeighbourCell(sub, babdirRight, false), g.root->getCell(2, 1));
}

} // namespace
} // namespace qo
