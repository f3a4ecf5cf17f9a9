#pragma once
// A chart headed by the grid, filling a form on a ten-day scale from a
// Monday, with helpers to add grid tree nodes and items as a host does.
#include "gantt/qoGant.h"

#include "data/qoDoLater.h"
#include "grid/qoGrid.h"
#include "support/widgets/qoWidgetFixture.h"

namespace qo {
namespace {

const TDateTime kMonday = EncodeDate(2024, 3, 4);

class GantGridMode : public test::TFormFixture {
protected:
    GantGridMode() {
        form.SetBounds(0, 0, 500, 300);
        MakeChart();
    }
    ~GantGridMode() override { TDoLater::Shutdown(); }
    // Another chart, after a test freed the first.
    void MakeChart() {
        gant = new TqoGant(&form);
        gant->SetParent(&form);
        gant->SetAlign(alClient);
        gant->SetScaleAndTree(kMonday, kMonday + 10, 140);
        gant->SetUseGridNotTree(true);
        grid = static_cast<TGantGridHeader*>(gant->Grid())->Grid();
    }

    TqoDataEntity_GridTreeNode* Node(TqoDataEntity_GridTreeNode* parent, const std::string& text) {
        TqoDataEntity_GridTreeNode* node = gant->GridNode_Add(parent);
        grid->SetText(grid->Cell(0, node->AxisContentItem()->ListIndex()), text);
        return node;
    }
    TqoDataEntity_GantTime* Item(TqoDataEntity_GridTreeNode* node, double from, double to) {
        TqoDataEntity_GantTime* item = gant->GridNode_AddGantTime(node, 0);
        item->SetStart(kMonday + from);
        item->SetStop(kMonday + to);
        return item;
    }
    // Three phases of three tasks, the middle one collapsed; an item per node.
    void AddPlan() {
        for (int p = 0; p < 3; ++p) {
            TqoDataEntity_GridTreeNode* phase = Node(nullptr, "Phase " + std::to_string(p + 1));
            phases.push_back(phase);
            Item(phase, p, p + 3);
            for (int t = 0; t < 3; ++t) Item(Node(phase, "Task " + std::to_string(t + 1)), p + t, p + t + 1);
            phase->SetExpanded(p != 1);
        }
    }
    void Paint() {
        harness.RunUntilIdle();
        gant->GA()->Repaint();
    }
    TGantRow* RowOf(TqoDataEntity_GridTreeNode* node) { return gant->RowList()->FindRowFromGridNode(node); }
    TqoDataEntity_GantTime* FirstItem(TqoDataEntity_GridTreeNode* node) {
        return static_cast<TqoDataEntity_GantTime*>(RowOf(node)->DataLists()->Items(0)->Items(0));
    }
    // The node's row as the grid drew it, in the chart area's coordinates.
    TRect DrawnBand(TqoDataEntity_GridTreeNode* node) {
        const TRect cell = grid->Cell(0, node->AxisContentItem()->ListIndex())->VisibleRect_Untampered();
        const int shift = grid->ClientOrigin().Y - gant->GA()->ClientOrigin().Y;
        return {0, cell.Top + shift, gant->GA()->Width(), cell.Bottom + shift};
    }
    TPoint Middle(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

    TqoGant* gant;
    TqoGrid* grid;
    std::vector<TqoDataEntity_GridTreeNode*> phases;
};

} // namespace
} // namespace qo
