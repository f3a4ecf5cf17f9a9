// The chart's keys and its scrolling at the edges when the grid heads the
// rows: Up and Down move the grid's focus over its shown rows and pick the
// nearest item of the row reached, a drag held at the top or bottom scrolls
// the grid, and host code run by the grid's events may change the rows or
// free the chart on the way.
#include "qoGantGridModeFixture.h"

#include <algorithm>
#include <utility>

namespace qo {
namespace {

class GantGridKeys : public GantGridMode {
protected:
    TqoOffscreenPaint_GA& GA() { return *gant->GA(); }
    TPoint ItemMiddle(TqoDataEntity_GantTime* item) { return Middle(gant->RectFromDataEntity(item)); }
    TqoDataEntity_GridTreeNode* FocusedNode() { return grid->CurrentNode(); }
    // The rows whose cells are selected in the grid.
    std::vector<TqoDataEntity_GridTreeNode*> SelectedNodes() {
        std::vector<TqoDataEntity_GridTreeNode*> nodes;
        for (int y = 0; y < grid->CellCountY(); ++y)
            for (int x = 0; x < grid->CellCountX(); ++x)
                if (TBabCell* cell = grid->Cell(x, y); cell && cell->Selected()) nodes.push_back(grid->CellToNode(cell));
        return nodes;
    }
};

// A, B with two items, C with a collapsed child, D without items, E.
TEST_F(GantGridKeys, UpAndDownMoveTheGridsFocusAndPickTheNearestItemOfTheNextShownRow) {
    TqoDataEntity_GridTreeNode* a = Node(nullptr, "A");
    TqoDataEntity_GridTreeNode* b = Node(nullptr, "B");
    TqoDataEntity_GridTreeNode* c = Node(nullptr, "C");
    TqoDataEntity_GridTreeNode* hidden = Node(c, "C1");
    TqoDataEntity_GridTreeNode* d = Node(nullptr, "D");
    TqoDataEntity_GridTreeNode* e = Node(nullptr, "E");
    TqoDataEntity_GantTime* ia = Item(a, 1, 3);
    TqoDataEntity_GantTime* ib = Item(b, 0, 1);
    Item(b, 4, 6);
    TqoDataEntity_GantTime* ic = Item(c, 2, 3);
    Item(hidden, 2, 3);
    TqoDataEntity_GantTime* ie = Item(e, 5, 7);
    c->SetExpanded(false);
    Paint();
    harness.Click(GA(), ItemMiddle(ia));
    ASSERT_EQ(FocusedNode(), nullptr) << "a press in the chart leaves the grid's focus";

    struct Step {
        uint16_t Key;
        TqoDataEntity_GantTime* Active;
        TqoDataEntity_GridTreeNode* Focused;
        const char* Why;
    } steps[] = {
        {VK_DOWN, ib, b, "the item of B nearest the middle of A's"},
        {VK_DOWN, ic, c, "C"},
        {VK_DOWN, nullptr, d, "past C's collapsed child to D, which has no item"},
        {VK_DOWN, ie, e, "on from the grid's focused row, the item nearest the window's middle"},
        {VK_DOWN, nullptr, e, "the last row stays focused"},
        {VK_UP, nullptr, d, "up from the focused row"},
        {VK_UP, ic, c, "back over the collapsed child"},
        {VK_UP, ib, b, "B"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.Why);
        harness.Key(s.Key);
        EXPECT_EQ(gant->ActiveDataEntity(), s.Active);
        if (s.Active) {
            EXPECT_TRUE(s.Active->GetSelected());
        }
        ASSERT_EQ(FocusedNode(), s.Focused);
        EXPECT_EQ(grid->FocusedCell()->ColumnIndex(), grid->MainGrid()->FixedCols());
        EXPECT_EQ(SelectedNodes(), std::vector<TqoDataEntity_GridTreeNode*>({s.Focused}))
            << "the grid selects the focused row alone";
    }
}

TEST_F(GantGridKeys, TheRowTheKeysReachIsScrolledIntoViewAndTheBarsWithIt) {
    std::vector<TqoDataEntity_GantTime*> items;
    for (int i = 0; i < 40; ++i) items.push_back(Item(Node(nullptr, "Row " + std::to_string(i)), 1, 3));
    Paint();
    size_t last = 0;
    while (gant->RectFromDataEntity(items[last + 1]).Top != -1) ++last;
    harness.Click(GA(), ItemMiddle(items[last]));
    for (size_t i = last + 1; i < last + 4; ++i) {
        harness.Key(VK_DOWN);
        Paint();
        ASSERT_EQ(gant->ActiveDataEntity(), items[i]);
        const TRect r = gant->RectFromDataEntity(items[i]);
        EXPECT_NE(r.Top, -1);
        EXPECT_LE(r.Bottom, GA().Height()) << "the whole row shows";
    }
    EXPECT_GT(grid->MainGrid()->Top(), 0);
}

TEST_F(GantGridKeys, UpOnTheFirstRowAndKeysWithoutRowsOrFocusLeaveEverythingAsItWas) {
    Paint();
    GA().SetFocus();
    for (uint16_t key : {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_SPACE}) harness.Key(key);
    EXPECT_EQ(gant->ActiveDataEntity(), nullptr) << "a grid without rows";

    TqoDataEntity_GridTreeNode* a = Node(nullptr, "A");
    TqoDataEntity_GridTreeNode* b = Node(nullptr, "B");
    TqoDataEntity_GantTime* ia = Item(a, 1, 3);
    Item(b, 1, 3);
    for (bool headers : {false, true}) {
        SCOPED_TRACE(headers ? "under a header row" : "without a header row");
        grid->SetHasHeaders(headers);
        gant->UpdateGridAlign();
        Paint();
        harness.Click(GA(), ItemMiddle(ia));
        harness.Key(VK_UP);
        EXPECT_EQ(gant->ActiveDataEntity(), nullptr) << "up on the first row clears the active item";
        EXPECT_EQ(FocusedNode(), nullptr);
        EXPECT_TRUE(SelectedNodes().empty());
    }

    grid->SetFocusedCell(grid->Cell(0, b->AxisContentItem()->ListIndex()));
    gant->GridNode_Remove(b);
    Paint();
    GA().SetFocus();
    for (uint16_t key : {VK_UP, VK_DOWN, VK_LEFT}) harness.Key(key);
    EXPECT_EQ(FocusedNode(), nullptr) << "the focused row went";
    EXPECT_EQ(gant->ActiveDataEntity(), nullptr);
}

// The grid tells the chart of its new focus, and the chart its host, before
// the step is over; a host may also listen to the grid's selection itself.
TEST_F(GantGridKeys, AHostMayChangeTheRowsOrFreeTheChartWhileTheFocusMoves) {
    enum TAction { RemoveStartRow, RemoveReachedRow, DeleteActiveItem, FreeChart };
    struct Case {
        TAction Action;
        bool OnSelection;
        bool ActiveIsB;
        const char* Why;
    } cases[] = {
        {RemoveStartRow, false, true, "the row left behind goes"},
        {RemoveReachedRow, false, false, "the row reached goes"},
        {DeleteActiveItem, false, true, "the active item goes"},
        {FreeChart, false, false, "the chart goes"},
        {RemoveReachedRow, true, false, "the row reached goes as it is selected"},
        {FreeChart, true, false, "the chart goes as the grid selects"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Why);
        if (!gant) MakeChart();
        TqoDataEntity_GridTreeNode* a = Node(nullptr, "A");
        TqoDataEntity_GridTreeNode* b = Node(nullptr, "B");
        TqoDataEntity_GantTime* ia = Item(a, 1, 3);
        TqoDataEntity_GantTime* ib = Item(b, 1, 3);
        Paint();
        harness.Click(GA(), ItemMiddle(ia));
        bool done = false;
        const auto act = [&](TComponent*) {
            if (std::exchange(done, true)) return;
            switch (c.Action) {
            case RemoveStartRow: gant->GridNode_Remove(a); break;
            case RemoveReachedRow: gant->GridNode_Remove(b); break;
            case DeleteActiveItem: gant->RemoveGantTime(ia); break;
            case FreeChart:
                delete gant;
                gant = nullptr;
                break;
            }
        };
        if (c.OnSelection)
            grid->OnSelectionChanged = act;
        else
            gant->OnGridTopLeftChanged = act;
        harness.Key(VK_DOWN);
        harness.RunUntilIdle();
        EXPECT_TRUE(done);
        if (c.Action == FreeChart) {
            EXPECT_EQ(gant, nullptr);
            continue;
        }
        EXPECT_EQ(gant->ActiveDataEntity(), c.ActiveIsB ? ib : nullptr);
        gant->OnGridTopLeftChanged = nullptr;
        grid->OnSelectionChanged = nullptr;
        while (gant->RowList()->Count() > 0) gant->GridNode_Remove(gant->RowList()->GetGantRow(0)->GridTreeNode());
    }
}

TEST_F(GantGridKeys, ADragHeldAtTheBottomOrTopScrollsTheGridARowEveryFiftyMillisecondsAndTheBarsFollow) {
    std::vector<TqoDataEntity_GridTreeNode*> nodes;
    std::vector<TqoDataEntity_GantTime*> items;
    for (int i = 0; i < 40; ++i) {
        nodes.push_back(Node(nullptr, "Row " + std::to_string(i)));
        items.push_back(Item(nodes.back(), 1, 3));
    }
    Paint();
    std::vector<std::string> log;
    auto index = [&](TGantRow* row) {
        return std::to_string(std::find(nodes.begin(), nodes.end(), row->GridTreeNode()) - nodes.begin());
    };
    gant->OnTimeChangeRow = [&](TComponent*, TqoDataEntity_GantTime*, TGantRow* from, TGantRow* to, TDateTime,
                                TDateTime) { log.push_back(index(from) + ">" + index(to)); };
    const int top = grid->MainGrid()->Top();
    const TPoint press = ItemMiddle(items[0]);
    const TPoint bottom{press.X, GA().Height() - 2}, upper{press.X, 2};
    harness.AdvanceTime(1000);
    harness.MouseDown(GA(), press);
    harness.MouseMove(GA(), bottom, ssLeft);
    harness.AdvanceTime(49);
    EXPECT_EQ(grid->MainGrid()->Top(), top);
    harness.AdvanceTime(101);
    EXPECT_EQ(grid->MainGrid()->Top(), top + 3);
    EXPECT_EQ(gant->Interaction().Mode(), mmMove) << "the drag goes on over the scrolled rows";
    Paint();
    EXPECT_EQ(gant->RectFromDataEntity(items[3]).Top, 1) << "the fourth row's bar is now on the first row";
    EXPECT_EQ(gant->RectFromDataEntity(items[0]).Top, -1) << "the first row's shows nowhere";
    harness.MouseMove(GA(), upper, ssLeft);
    harness.AdvanceTime(100);
    EXPECT_EQ(grid->MainGrid()->Top(), top + 1);
    harness.MouseUp(GA(), upper);
    harness.AdvanceTime(200);
    EXPECT_EQ(grid->MainGrid()->Top(), top + 1) << "the release stops the timer";
    EXPECT_EQ(log, std::vector<std::string>({"0>1"})) << "dropped on the row shown under the pointer";

    gant->SetTimeItemAutoScroll(ttiaHorz);
    harness.AdvanceTime(1000);
    harness.MouseDown(GA(), ItemMiddle(items[2]));
    harness.MouseMove(GA(), bottom, ssLeft);
    harness.AdvanceTime(200);
    EXPECT_EQ(grid->MainGrid()->Top(), top + 1) << "only horizontal scrolling is wanted";
    harness.MouseUp(GA(), bottom);
}

// The grid tells the chart of its scrolling, and the chart its host.
TEST_F(GantGridKeys, AHostMayFreeTheChartWhileTheGridScrollsUnderADrag) {
    std::vector<TqoDataEntity_GantTime*> items;
    for (int i = 0; i < 40; ++i) items.push_back(Item(Node(nullptr, "Row " + std::to_string(i)), 1, 3));
    Paint();
    gant->OnGridTopLeftChanged = [this](TComponent*) {
        delete gant;
        gant = nullptr;
    };
    harness.AdvanceTime(1000);
    harness.MouseDown(GA(), ItemMiddle(items[0]));
    harness.MouseMove(GA(), {ItemMiddle(items[0]).X, GA().Height() - 2}, ssLeft);
    harness.AdvanceTime(200);
    EXPECT_EQ(gant, nullptr);
    harness.RunUntilIdle();
}

} // namespace
} // namespace qo
