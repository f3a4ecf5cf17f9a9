// Sub-grid and sub-tree columns: cells built from named definitions (looked
// up by the last equal name, chosen per row by the host), empty sub-grids
// without a definition, rows added inside, definitions changed or removed
// while cells use them.
#include "qoGrid_test.h"

namespace qo {
namespace {

class GridSubGrids : public test::GridFixture {
protected:
    TqoGrid_SubGrid* Definition(const std::string& name, std::vector<std::string> headers) {
        TqoGrid_SubGrid* definition = control->SubGrids()->Add();
        definition->SetName(name);
        for (const std::string& header : headers) definition->Columns()->Add()->SetHeaderText(header);
        return definition;
    }
    TBabGridCell* SubGridOf(TAxisContentItem* row, int column = 1) {
        TBabCell* cell = CellOf(column, row);
        EXPECT_EQ(cell->CellType(), babCellTypeGrid);
        return static_cast<TBabGridCell*>(cell);
    }
    std::string Headers(TBabGridCell* grid) {
        std::string s;
        for (int x = grid->FixedCols(); x < grid->AxisContentListX()->Count(); ++x) {
            TqoGrid_Column* column = TqoGrid::AxisContentItemToColumn(grid->AxisContentListX()->Items(x));
            s += (s.empty() ? "" : ",") + (column ? column->HeaderText() : "?");
        }
        return s;
    }
};

TEST_F(GridSubGrids, CellsTakeTheLastDefinitionOfTheirNameAndItsFlags) {
    Definition("res", {"old"});
    TqoGrid_SubGrid* resources = Definition("Res", {"Name", "Units"});
    resources->SetHasHeaders(true);
    EXPECT_EQ(control->SubGrids()->SubGridByName("RES"), resources);
    EXPECT_EQ(control->SubGrids()->SubGridByName("none"), nullptr);
    Column("Task");
    Column("Resources", tckSubGrid)->SetSubGridName("res");
    TBabGridCell* grid = SubGridOf(Row({"t"}));
    EXPECT_EQ(Headers(grid), "Name,Units");
    EXPECT_EQ(grid->FixedCols(), 0) << "definitions have no info column by default";
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(resources->SpawnedGridCells(), std::vector<TBabGridCell*>{grid});
    EXPECT_FALSE(control->GetUseTreeInSubGrid(grid));
    TAxisContentItem* inner = control->AddRowInSubGrid(grid, nullptr);
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->ListIndex(), 1);
    EXPECT_EQ(control->InsertRowInSubGrid(grid, 0, nullptr)->ListIndex(), 1) << "never above the header";
    EXPECT_EQ(control->AddRowInSubGrid(control->Cell(1, 1), nullptr), nullptr) << "a simple cell";
}

TEST_F(GridSubGrids, TheHostChoosesPerRowAndAMissingDefinitionGivesAnEmptyGrid) {
    Definition("A", {"a"});
    Definition("B", {"b1", "b2"});
    Column("Task");
    TqoGrid_Column* column = Column("Sub", tckSubTree);
    column->SetSubGridName("A");
    column->OnContextSensitiveSubGrid = [](TqoGrid* grid, TAxisContentItem* row, TqoGrid_Column*, std::string& name) {
        if (row->ListIndex() == 2) name = "B";
        if (row->ListIndex() == 3) name = "missing";
        (void)grid;
    };
    TAxisContentItem* r1 = Row({"1"});
    TAxisContentItem* r2 = Row({"2"});
    TAxisContentItem* r3 = Row({"3"});
    EXPECT_EQ(Headers(SubGridOf(r1)), "a");
    EXPECT_EQ(Headers(SubGridOf(r2)), "b1,b2");
    TBabGridCell* empty = SubGridOf(r3);
    EXPECT_EQ(empty->AxisContentListX()->Count(), 0);
    EXPECT_TRUE(control->GetUseTreeInSubGrid(SubGridOf(r1))) << "a sub-tree column drives its cells by a tree";
    EXPECT_FALSE(control->GetUseTreeInSubGrid(empty));
    TqoGridTree* tree = control->GetTreeInSubGrid(SubGridOf(r1));
    ASSERT_TRUE(tree);
    tree->AddDataEntity(nullptr);
    EXPECT_EQ(SubGridOf(r1)->AxisContentListY()->Count(), 1);
    control->Repaint();
}

TEST_F(GridSubGrids, DefinitionsChangedOrRemovedWhileCellsUseThem) {
    TqoGrid_SubGrid* definition = Definition("R", {"x"});
    Column("Task");
    Column("Sub", tckSubGrid)->SetSubGridName("R");
    TAxisContentItem* r1 = Row({"1"});
    TAxisContentItem* r2 = Row({"2"});
    TBabGridCell* g1 = SubGridOf(r1);
    TBabGridCell* g2 = SubGridOf(r2);
    definition->Columns()->Add()->SetHeaderText("y");
    definition->SetHasInfoCol(true);
    EXPECT_EQ(Headers(g1), "x,y");
    EXPECT_EQ(g2->FixedCols(), 1);
    definition->Columns()->Delete(0);
    EXPECT_EQ(Headers(g2), "y");
    control->Repaint();
    control->SubGrids()->Clear();
    EXPECT_EQ(g1->AxisContentListX()->Count(), 1) << "only the info column is left";
    control->Repaint();
    // Removing the row frees its cell; nothing refers to it any more.
    Y()->Drop(r1->ListIndex());
    control->Repaint();
}

TEST_F(GridSubGrids, ACellLeavesItsDefinitionWhenFreed) {
    TqoGrid_SubGrid* definition = Definition("R", {"x"});
    Column("Sub", tckSubGrid)->SetSubGridName("R");
    TAxisContentItem* r1 = Row({});
    SubGridOf(r1, 0);
    ASSERT_EQ(definition->SpawnedGridCells().size(), 1u);
    Y()->Drop(r1->ListIndex());
    EXPECT_TRUE(definition->SpawnedGridCells().empty());
    control->Columns()->Columns(0)->SetKind(tckSimpleEdit);
    EXPECT_EQ(CellOf(0, Row({"plain"}))->CellType(), babCellTypeSimple) << "a kind change remakes the cells";
}

} // namespace
} // namespace qo
