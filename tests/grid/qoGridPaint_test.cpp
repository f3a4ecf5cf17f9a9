// The grid's picture: a tree column of nodes with icons, a sub-grid column
// with its own header, a grouped column and the sort symbol.
#include "qoGrid_test.h"

#include "platform/graphics/qoBitmap.h"
#include "support/golden/qoGolden.h"

namespace qo {
namespace {

using GridPaint2 = test::GridFixture;

TEST_F(GridPaint2, LooksWithATreeColumnASubGridIconsGroupsAndTheSortSymbol) {
    TImageList images(12, 12);
    for (TColor color : {clRed, clGreen, clBlue}) {
        TBitmap image;
        image.SetSize(12, 12);
        image.Canvas().Brush().Color = color;
        image.Canvas().FillRect({2, 2, 10, 10});
        images.Add(image);
    }
    control->SetImageList(&images);
    TqoGrid_SubGrid* definition = control->SubGrids()->Add();
    definition->SetName("Res");
    definition->SetHasHeaders(true);
    definition->Columns()->Add()->SetHeaderText("Who");
    definition->Columns()->Add()->SetHeaderText("%");
    definition->Columns()->Columns(1)->SetWidth(40);
    definition->SetExtendLastColumnToWidth(true);
    TqoGrid_Column* task = Column("Task", tckSimpleEdit, 120);
    task->SetTreeButton(true);
    task->SetHasIcon(true);
    task->SetSortEnable(true);
    Column("Phase", tckSimpleEdit, 60)->SetGroupcells(true);
    Column("Resources", tckSubGrid, 150)->SetSubGridName("Res");
    control->SetExtendLastColumnToWidth(true);
    control->SetUseTree(true);
    TqoGridTree* tree = control->GetTree();
    struct TTask {
        int Parent;
        const char* Name;
        const char* Phase;
        int Image;
    };
    const TTask tasks[] = {{-1, "Design", "One", 0}, {0, "Sketch", "One", 1}, {0, "Review", "One", 2},
                           {-1, "Build", "Two", 0},  {3, "Frame", "Two", 1},  {-1, "Ship", "Three", 2}};
    std::vector<TqoDataEntity_GridTreeNode*> nodes;
    for (const TTask& t : tasks) {
        TqoDataEntity_GridTreeNode* node = tree->AddDataEntity(t.Parent < 0 ? nullptr : nodes[t.Parent]);
        node->SetImageIndex(t.Image);
        node->SetSelectedIndex(t.Image);
        const int y = node->AxisContentItem()->ListIndex();
        control->SetText(control->Cell(1, y), t.Name);
        control->SetText(control->Cell(2, y), t.Phase);
        nodes.push_back(node);
    }
    nodes[0]->SetExpanded(true);
    auto* resources = static_cast<TBabGridCell*>(control->Cell(3, nodes[1]->AxisContentItem()->ListIndex()));
    for (const char* who : {"Ann", "Bob"}) {
        TAxisContentItem* row = control->AddRowInSubGrid(resources, nullptr);
        control->SetText(resources->getCell(0, row->ListIndex()), who);
        control->SetText(resources->getCell(1, row->ListIndex()), "50");
    }
    control->SortColumn(0, true);
    control->SetFocusRect_Grid(false);
    control->Repaint();
    harness.RunUntilIdle();
    EXPECT_TRUE(LooksLike("grid_tree_subgrid_icons_sort"));
}

} // namespace
} // namespace qo
