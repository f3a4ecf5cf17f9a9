// The grid's side of its grid trees: switching a cell's tree on and off, the
// tree buttons, indents and icons answered from the nodes, and the grid's
// virtual-row questions forwarded to the tree that owns the rows.
#include "grid/qoGrid.h"
#include "grid/qoGridTreeHold.h"
#include "grid/qoGridTreeOfGrid.h"

#include <utility>

namespace qo {

namespace {
TBabSubGridCellDataTreeRef* TreeRefOf(const TBabCell* cell) {
    return cell && cell->CellType() == babCellTypeGrid ? dynamic_cast<TBabSubGridCellDataTreeRef*>(cell->BabCellData())
                                                       : nullptr;
}
} // namespace

std::unique_ptr<TqoGridTree> TqoGrid::CreateGridTree(TBabGridCell* gridCell) {
    std::unique_ptr<TqoGridTree> tree = TqoGridTree::Create<TqoGridTreeOfGrid>(gridCell);
    tree->SetTreeControllerCallBackInitSubList(
        [this](TqoGridTree* sender, TqoDataEntity_GridTreeNode* node) { _InitTreeSubDataList(sender, node); });
    return tree;
}

void TqoGrid::_InitTreeSubDataList(TqoGridTree* tree, TqoDataEntity_GridTreeNode* node) {
    OnInitTreeSubDataList.Fire(this, tree, node);
}

void TqoGrid::SetUseTreeInSubGrid(TBabCell* gridCell, bool on) {
    if (TBabSubGridCellDataTreeRef* data = TreeRefOf(gridCell)) data->SetUseGridTree(on);
}

bool TqoGrid::GetUseTreeInSubGrid(TBabCell* gridCell) const {
    const TBabSubGridCellDataTreeRef* data = TreeRefOf(gridCell);
    return data && data->UseGridTree();
}

TqoGridTree* TqoGrid::GetTreeInSubGrid(TBabCell* gridCell) const {
    const TBabSubGridCellDataTreeRef* data = TreeRefOf(gridCell);
    return data ? data->GridTree() : nullptr;
}

TqoGridTree* TqoGrid::TreeOf(TBabGridCell* grid) {
    const TBabSubGridCellDataTreeRef* data = TreeRefOf(grid);
    return data ? data->GridTree() : nullptr;
}

TqoDataEntity_GridTreeNode* TqoGrid::AxisContentItemToGridTreeNode(TAxisContentItem* item) {
    return item && TreeOf(item->AxisContentList()->BabGridCell()) ? TqoGridTree::NodeOfRow(item) : nullptr;
}

TqoDataEntity_GridTreeNode* TqoGrid::CellToNode(TBabCell* cell) const {
    return cell ? AxisContentItemToGridTreeNode(cell->AxisContentItemY()) : nullptr;
}

TqoDataEntity_GridTreeNode* TqoGrid::NodeOf(TBabCell* cell) const { return CellToNode(cell); }

// ---- buttons, indents and icons

bool TqoGrid::IsButtonExpanded(TBabCell* cell) {
    TqoDataEntity_GridTreeNode* node = OnIsButtonExpanded ? nullptr : NodeOf(cell);
    return node ? node->Expanded() : TBabGridView_Custom::IsButtonExpanded(cell);
}

bool TqoGrid::IsButtonTerminal(TBabCell* cell) {
    TqoDataEntity_GridTreeNode* node = OnIsButtonTerminal ? nullptr : NodeOf(cell);
    return node ? node->Expanded() && !node->HasChildren() : TBabGridView_Custom::IsButtonTerminal(cell);
}

bool TqoGrid::ButtonHasNonHiddenChildren(TBabCell* cell) {
    TqoDataEntity_GridTreeNode* node = OnButtonHasNonHiddenChildren ? nullptr : NodeOf(cell);
    return node ? node->HasNonHiddenChildren() : TBabGridView_Custom::ButtonHasNonHiddenChildren(cell);
}

TBabCell* TqoGrid::GetParentButtonCell(TBabCell* cell) {
    TqoDataEntity_GridTreeNode* node = OnGetParentButtonCell ? nullptr : NodeOf(cell);
    if (!node) return TBabGridView_Custom::GetParentButtonCell(cell);
    TqoDataEntity_GridTreeNode* parent = node->ParentNode();
    TAxisContentItem* row = parent ? parent->AxisContentItem() : nullptr;
    return row ? cell->getGridCell()->getCell(cell->ColumnIndex(), row->ListIndex()) : nullptr;
}

// The view scales the inset by the button width and the print scale itself: the level alone.
int TqoGrid::CellInset(TBabCell* cell) {
    TqoDataEntity_GridTreeNode* node = OnCellInset ? nullptr : NodeOf(cell);
    return node ? node->Level() : TBabGridView_Custom::CellInset(cell);
}

void TqoGrid::DoButtonAction(TBabCell* cell) {
    TqoDataEntity_GridTreeNode* node = cell && cell->CellType() == babCellTypeSimple ? NodeOf(cell) : nullptr;
    if (node) {
        // The host's expand handlers may free the node, the row and the cell.
        const THold hold(node);
        fButtonCell = cell;
        const bool outer = std::exchange(fIsExpanding, true);
        struct TRestore {
            bool& Flag;
            bool Value;
            ~TRestore() { Flag = Value; }
        } restore{fIsExpanding, outer};
        node->SetExpanded(!node->Expanded());
        if (!std::exchange(fButtonCell, nullptr)) return;
    }
    TBabGridView_Custom::DoButtonAction(cell);
}

void TqoGrid::OnCellDeInit(TBabCell* cell) {
    if (cell == fButtonCell) fButtonCell = nullptr;
    TBabGridView_Custom::OnCellDeInit(cell);
}

int TqoGrid::CellIconIndex(TBabCell* cell) {
    TqoGrid_Column* column = CellToColumn(cell);
    if (!column) return -1;
    if (TqoDataEntity_GridTreeNode* node = column->TreeButton() ? NodeOf(cell) : nullptr)
        return cell->Selected() ? node->SelectedIndex() : node->ImageIndex();
    return column->OnGetIconIndex ? column->OnGetIconIndex(this, column, cell) : -1;
}

// ---- virtual rows

void TqoGrid::WireVirtualRows() {
    TBabGridCellForViewer* root = MainGrid();
    root->OnVirtualLoad = [this](TBabGridCell* grid, TAxisContentItem* item, bool axis) {
        if (TqoGridTree* tree = axis ? TreeOf(grid) : nullptr) tree->_OnGridRowReload(item);
        OnVirtualLoad.Fire(grid, item, axis);
    };
    root->OnVirtualUnLoad = [this](TBabGridCell* grid, TAxisContentItem* item, bool axis, bool perform,
                                   bool& answer) {
        OnVirtualUnLoad.Fire(grid, item, axis, perform, answer);
        if (TqoGridTree* tree = axis && answer ? TreeOf(grid) : nullptr) tree->_OnGridRowUnload(item, perform, answer);
    };
}

void TqoGrid::_OnKeepAfterUnLoad(TBabGridCell* grid, TAxisContentItem* item, bool axis, bool& keep) {
    TBabGridView_Custom::_OnKeepAfterUnLoad(grid, item, axis, keep);
    if (TqoGridTree* tree = axis && keep ? TreeOf(grid) : nullptr) tree->_OnKeepGridRowAfterUnload(item, keep);
}

void TqoGrid::_OnUnloadIntervall(TBabGridCell* grid, TAxisContentItem* item, bool axis, int& first, int& last) {
    TBabGridView_Custom::_OnUnloadIntervall(grid, item, axis, first, last);
    if (TqoGridTree* tree = axis ? TreeOf(grid) : nullptr) tree->_OnUnloadIntervall(item, first, last);
}

void TqoGrid::_OnDeleteOfUnloaded(TBabGridCell* grid, bool axis, int& first, int& last) {
    TBabGridView_Custom::_OnDeleteOfUnloaded(grid, axis, first, last);
    if (TqoGridTree* tree = axis ? TreeOf(grid) : nullptr) tree->_OnDeleteOfUnloaded(grid, first, last);
}

} // namespace qo
