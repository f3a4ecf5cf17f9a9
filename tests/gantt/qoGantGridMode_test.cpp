// The chart headed by the grid: rows follow the grid tree's nodes, bands come
// from the grid's rows as it lays them out (its header row, its scrolling,
// rows of their own height), items are drawn and hit there, and the header
// switched between tree and grid with items on both sides loses nothing.
#include "qoGantGridModeFixture.h"

#include "support/golden/qoGolden.h"

namespace qo {
namespace {

TEST_F(GantGridMode, TheGridTakesTheTreesPlaceAndTheSplittersWidth) {
    EXPECT_TRUE(grid->Visible());
    EXPECT_FALSE(gant->TreeView()->Visible());
    EXPECT_FALSE(gant->PanelScrollHolder()->Visible()) << "the grid scrolls itself";
    AddPlan();
    Paint();
    const TRect item = gant->RectFromDataEntity(FirstItem(phases[2]));
    harness.MouseDown(*gant->Splitter(), {1, 100});
    harness.MouseMove(form, {220, 100}, ssLeft);
    harness.MouseUp(form, {220, 100});
    Paint();
    EXPECT_EQ(grid->Width(), gant->TreeWidth());
    EXPECT_GT(grid->Width(), 140);
    EXPECT_EQ(gant->RectFromDataEntity(FirstItem(phases[2])).Top, item.Top) << "the rows stay level";
    gant->SetUseGridNotTree(false);
    EXPECT_FALSE(grid->Visible());
    EXPECT_TRUE(gant->TreeView()->Visible());
}

// A host may free the chart from the events of rows that the grid's nodes make and free.
TEST_F(GantGridMode, AHostMayFreeTheChartFromARowEvent) {
    TqoDataEntity_GridTreeNode* node = Node(nullptr, "A");
    Paint();
    for (bool adding : {true, false}) {
        SCOPED_TRACE(adding ? "a row made" : "a row freed");
        if (!gant) {
            gant = new TqoGant(&form);
            gant->SetParent(&form);
            gant->SetUseGridNotTree(true);
            node = gant->GridNode_Add(nullptr);
            Paint();
        }
        TqoGant* doomed = gant;
        const auto free = [this](TGantRowList*, TGantRow*) {
            delete gant;
            gant = nullptr;
        };
        if (adding) {
            gant->OnAfterAddGantRow = free;
            EXPECT_EQ(doomed->GridNode_Add(nullptr), nullptr);
        } else {
            gant->OnBeforeFreeGantRow = free;
            doomed->GridNode_Remove(node);
        }
        EXPECT_EQ(gant, nullptr);
        harness.RunUntilIdle();
    }
}

// The grid's rows sit level with the chart's with or without its header row,
// which then lies beside the scaler.
TEST_F(GantGridMode, RowsLieWhereTheGridDrawsItsRowsAndCarryTheirItems) {
    AddPlan();
    for (bool headers : {false, true}) {
        SCOPED_TRACE(headers ? "with a header row" : "without a header row");
        grid->SetHasHeaders(headers);
        gant->UpdateGridAlign();
        Paint();
        EXPECT_EQ(gant->GridHeaderHeight(), headers ? grid->GetRowHeight(0) : 0);
        EXPECT_EQ(RowOf(phases[0])->GetRect().Top, 0) << "the first row starts at the chart's top";
        for (TqoDataEntity_GridTreeNode* phase : phases) {
            ASSERT_EQ(RowOf(phase)->GetRect(), DrawnBand(phase));
            const TRect r = gant->RectFromDataEntity(FirstItem(phase));
            EXPECT_EQ(r.Top, DrawnBand(phase).Top + 1);
            EXPECT_EQ(gant->GetDataEntityFromXY(Middle(r).X, Middle(r).Y), FirstItem(phase));
        }
        TqoDataEntity_GridTreeNode* hidden = phases[1]->SubDataList()->Node(0);
        EXPECT_FALSE(RowOf(hidden)->GetVisible()) << "a collapsed phase's task shows nowhere";
        EXPECT_EQ(gant->RectFromDataEntity(FirstItem(hidden)), (TRect{-1, -1, -1, -1}));
        const TRect second = RowOf(phases[1])->GetRect();
        EXPECT_EQ(gant->RowList()->FindRowFromY(second.Bottom + 1), RowOf(phases[2]))
            << "the collapsed tasks take no room";
        EXPECT_EQ(gant->RowList()->FindRowFromY(second.Top), nullptr) << "a border is no row's";
    }
}

TEST_F(GantGridMode, TheGridsScrollingAndRowHeightsMoveTheChart) {
    std::vector<TqoDataEntity_GridTreeNode*> nodes;
    for (int i = 0; i < 40; ++i) {
        nodes.push_back(Node(nullptr, "Row " + std::to_string(i)));
        Item(nodes.back(), i % 7, i % 7 + 2);
    }
    Paint();
    const int height = RowOf(nodes[0])->GetRect().Height();
    const TRect before = gant->RectFromDataEntity(FirstItem(nodes[3]));

    int told = 0;
    gant->OnGridTopLeftChanged = [&](TComponent*) { ++told; };
    grid->PublicScroll(1);
    Paint();
    EXPECT_EQ(told, 1);
    EXPECT_FALSE(RowOf(nodes[0])->GetVisible()) << "the row scrolled out shows nowhere";
    EXPECT_EQ(gant->RectFromDataEntity(FirstItem(nodes[3])), before.Offset(0, -height));
    EXPECT_EQ(gant->RowList()->FindRowFromY(height / 2), RowOf(nodes[1]));

    grid->SetRowHeight(nodes[2]->AxisContentItem()->ListIndex(), 40);
    Paint();
    EXPECT_EQ(RowOf(nodes[2])->GetRect().Height(), 40);
    EXPECT_EQ(RowOf(nodes[3])->GetRect(), DrawnBand(nodes[3])) << "the rows below move down";
    EXPECT_EQ(gant->RowHeight(), 18) << "the grid's rows leave the tree's row height alone";

    harness.Wheel(*gant->GA(), {50, 50}, -120);
    Paint();
    const int top = grid->MainGrid()->Top();
    EXPECT_GT(top, 1) << "the wheel over the chart scrolls the grid";
    EXPECT_EQ(RowOf(nodes[size_t(top)])->GetRect().Top, 0);
}

TEST_F(GantGridMode, TheGridsBarMayStandInTheScrollColumn) {
    for (int i = 0; i < 40; ++i) Node(nullptr, "Row " + std::to_string(i));
    Paint();
    TScrollBar* bar = grid->VertScrollBar();
    ASSERT_TRUE(bar->Visible()) << "forty rows need the bar";
    const int right = grid->GetDrawRect().Right;
    gant->SetGridVerticalScrollOutOfGrid(true);
    Paint();
    EXPECT_EQ(bar->Parent(), gant->PanelScrollHolder());
    EXPECT_TRUE(gant->PanelScrollHolder()->Visible());
    EXPECT_EQ(bar->ClientOrigin().Y, gant->GA()->ClientOrigin().Y) << "level with the chart's first row";
    EXPECT_EQ(grid->GetDrawRect().Right, right + bar->Width()) << "the grid's rows take the bar's room";

    while (gant->RowList()->Count() > 5) gant->GridNode_Remove(gant->RowList()->GetGantRow(0)->GridTreeNode());
    Paint();
    EXPECT_FALSE(gant->PanelScrollHolder()->Visible()) << "the column goes with the bar";
    gant->SetGridVerticalScrollOutOfGrid(false);
    EXPECT_EQ(bar->Parent(), grid);
}

// Rows of both headers live side by side; each mode shows and hits its own,
// and a node removed while the other header shows takes its row and items.
TEST_F(GantGridMode, SwitchingTheHeaderWithItemsOnBothSidesLosesNothing) {
    TqoDataEntity_Tree* treeNode = gant->AddRootDataEntityTree();
    TqoDataEntity_GantTime* treeItem = gant->AddGantTime(treeNode, 0);
    treeItem->SetStart(kMonday + 1);
    treeItem->SetStop(kMonday + 3);
    TqoDataEntity_GridTreeNode* kept = Node(nullptr, "Kept");
    TqoDataEntity_GridTreeNode* doomed = Node(nullptr, "Doomed");
    TqoDataEntity_GantTime* gridItem = Item(kept, 1, 3);
    Item(doomed, 1, 3);
    std::vector<TqoDataEntity_GantTime*> deleted;
    gant->OnDeleteItem_GantTime = [&](TComponent*, TqoDataEntity_GantTime* item) { deleted.push_back(item); };

    struct TMode {
        bool Grid;
        TqoDataEntity_GantTime* Shown;
        TqoDataEntity_GantTime* Hidden;
    };
    for (const TMode& mode : {TMode{true, gridItem, treeItem}, TMode{false, treeItem, gridItem},
                              TMode{true, gridItem, treeItem}}) {
        SCOPED_TRACE(mode.Grid ? "grid" : "tree");
        gant->SetUseGridNotTree(mode.Grid);
        Paint();
        const TRect r = gant->RectFromDataEntity(mode.Shown);
        ASSERT_NE(r.Top, -1);
        EXPECT_EQ(r.Top, 1) << "the first row of the mode's own header";
        EXPECT_EQ(gant->GetDataEntityFromXY(Middle(r).X, Middle(r).Y), mode.Shown);
        EXPECT_EQ(gant->RectFromDataEntity(mode.Hidden).Top, -1);
        if (!mode.Grid) gant->GridNode_Remove(doomed);
    }
    EXPECT_EQ(gant->RowList()->Count(), 2) << "the doomed node's row went with it";
    EXPECT_EQ(deleted.size(), 1u) << "and its item";
    EXPECT_EQ(gridItem->Row(), RowOf(kept));
    EXPECT_EQ(gant->GetDataEntityFromXY(Middle(gant->RectFromDataEntity(gridItem)).X, 40), nullptr)
        << "nothing is left where the doomed row was";
}

TEST_F(GantGridMode, TheCurrentRowIsTheFocusedCells) {
    AddPlan();
    Paint();
    grid->SetFocusedCell(grid->Cell(0, phases[2]->AxisContentItem()->ListIndex()));
    EXPECT_EQ(gant->GetActiveGantRow(), RowOf(phases[2]));
}

TEST_F(GantGridMode, Looks) {
    gant->SetColorTree(clWindow);
    grid->SetHasHeaders(true);
    grid->Columns()->Columns(0)->SetHeaderText("Task");
    gant->UpdateGridAlign();
    AddPlan();
    grid->SetRowHeight(phases[2]->AxisContentItem()->ListIndex(), 30);
    FirstItem(phases[0])->SetColor(clNavy);
    FirstItem(phases[2])->SetColor(clMaroon);
    harness.RunUntilIdle();
    EXPECT_TRUE(test::LooksLike(harness, *gant, "gantt_grid_mode"));
}

} // namespace
} // namespace qo
