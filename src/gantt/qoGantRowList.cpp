#include "gantt/qoGantRowList.h"

#include "gantt/qoGantRow.h"
#include "grid/qoTree.h"

#include <algorithm>

namespace qo {

TGantRowList::~TGantRowList() = default;

TGantRow* TGantRowList::NodesRow(const TGantRow* row) {
    if (const TqoDataEntity_Tree* tree = row->TreeNode()) return static_cast<TGantRow*>(tree->IntegrationCookie());
    const TqoDataEntity_GridTreeNode* grid = row->GridTreeNode();
    return grid ? static_cast<TGantRow*>(grid->IntegrationCookie()) : nullptr;
}

void TGantRowList::SetNodesRow(const TGantRow* row, TGantRow* value) {
    if (TqoDataEntity_Tree* tree = row->TreeNode())
        tree->SetIntegrationCookie(value);
    else if (TqoDataEntity_GridTreeNode* grid = row->GridTreeNode())
        grid->SetIntegrationCookie(value);
}

TGantRow* TGantRowList::GetGantRow(int32_t index) {
    if (index < 0 || index >= Count()) return nullptr;
    if (fHoles) Compact();
    return fList[size_t(index)];
}

// The host's hook may return no row, a row of another list or one already
// listed: the owner's factory makes the row then, so that the list never
// holds nil or a row twice.
TGantRow* TGantRowList::AddRow(TqoDataEntity_Tree* treeNode, TqoDataEntity_GridTreeNode* gridNode) {
    if (!fGant) return nullptr;
    TqoKeepAlive<TqoExposable> keep({this});
    TGantRow* row = fGant->UserCreateGantRow(this, treeNode, gridNode);
    if (!fGant) return nullptr;
    if (!row || row->fGantRowList != this || row->fSlot >= 0) row = fGant->CreateRow(this, treeNode, gridNode);
    Append(row);
    fGant->AfterAddGantRow(this, row);
    return row;
}

void TGantRowList::RemoveRow(TqoDataEntity_Tree* treeNode, TqoDataEntity_GridTreeNode* gridNode) {
    TGantRow* row = treeNode ? FindRowFromTreeNode(treeNode) : FindRowFromGridNode(gridNode);
    if (!row || row->fRemoving) return;
    // The host's handler may free the row or the list; both stay in memory until the end.
    TqoKeepAlive<TqoExposable> keep({this, row});
    row->fRemoving = true;
    fGant->BeforeFreeGantRow(this, row);
    if (row->fGantRowList != this || row->fSlot < 0) return;
    TakeOut(row);
    row->FreeWheneverPossible();
}

void TGantRowList::FollowGridTree(TIntegrationEventKind kind, TqoDataEntity_GridTreeNode* node) {
    if (!node) return;
    if (kind == ieInsert || kind == ieLoad) {
        if (!FindRowFromGridNode(node) && fGant) AddRow(nullptr, node);
    } else if (kind == ieRemove || kind == ieUnload) {
        RemoveRow(nullptr, node);
    }
}

void TGantRowList::Append(TGantRow* row) {
    row->fSlot = int32_t(fList.size());
    fList.push_back(row);
    if (!row->NodeEntity()) return;
    if (TGantRow* first = NodesRow(row); first && first->fGantRowList == this && first->fSlot >= 0)
        ++fSharedNodes;
    else
        SetNodesRow(row, row);
}

void TGantRowList::TakeOut(TGantRow* row) {
    fBands.erase(row);
    fList[size_t(row->fSlot)] = nullptr;
    row->fSlot = -1;
    ++fHoles;
    ++fRemovals;
    // A node's cookie never outlives its row.
    if (const TqoDataEntity* node = row->NodeEntity()) {
        if (NodesRow(row) != row) {
            --fSharedNodes;
        } else {
            SetNodesRow(row, nullptr);
            // Rare: another row of the same node takes its place.
            const auto next = fSharedNodes ? std::find_if(fList.begin(), fList.end(),
                                                          [node](TGantRow* r) { return r && r->NodeEntity() == node; })
                                           : fList.end();
            if (next != fList.end()) {
                SetNodesRow(*next, *next);
                --fSharedNodes;
            }
        }
    }
    if (fHoles > int32_t(fList.size()) / 2) Compact();
}

void TGantRowList::Compact() {
    std::erase(fList, nullptr);
    for (size_t i = 0; i < fList.size(); ++i) fList[i]->fSlot = int32_t(i);
    fHoles = 0;
}

TGantRow* TGantRowList::FindRowFromY(int y) {
    IGantRowSource* source = fGant ? fGant->RowSource() : nullptr;
    TGantRow* row = source ? source->RowAtY(y + fGant->RowDrawOffset()) : nullptr;
    if (!row || row->fGantRowList != this || !row->RowTypeCheckOK()) return nullptr;
    row->UpdateRect();
    const TRect rect = row->Band();
    return rect.Top < y && y < rect.Bottom ? row : nullptr;
}

TGantRow* TGantRowList::FindRowFromTreeNode(const TqoDataEntity_Tree* node) const {
    auto* row = node ? static_cast<TGantRow*>(node->IntegrationCookie()) : nullptr;
    return row && row->fGantRowList == this && row->TreeNode() == node ? row : nullptr;
}

TGantRow* TGantRowList::FindRowFromGridNode(const TqoDataEntity_GridTreeNode* node) const {
    auto* row = node ? static_cast<TGantRow*>(node->IntegrationCookie()) : nullptr;
    return row && row->fGantRowList == this && row->GridTreeNode() == node ? row : nullptr;
}

TGantRow* TGantRowList::FindRowFromUntypedNode(const TqoDataEntity* node) const {
    if (const auto* tree = dynamic_cast<const TqoDataEntity_Tree*>(node)) return FindRowFromTreeNode(tree);
    return FindRowFromGridNode(dynamic_cast<const TqoDataEntity_GridTreeNode*>(node));
}

TGantRow* TGantRowList::FindRowFromTreeNodeDataEntityUserReference(const void* reference) {
    TGantRow* match = nullptr;
    for (TGantRow* row : fList) {
        const TqoDataEntity* node = row ? row->NodeEntity() : nullptr;
        if (node && node->UserReference() == reference) match = row;
    }
    return match;
}

std::vector<TGantRow*> TGantRowList::VisibleRows(int top, int bottom) {
    std::vector<TGantRow*> rows;
    IGantRowSource* source = fGant ? fGant->RowSource() : nullptr;
    if (!source) return rows;
    const int offset = fGant->RowDrawOffset();
    source->VisibleRows(top + offset, bottom + offset, rows);
    std::erase_if(rows, [this](TGantRow* row) { return row->fGantRowList != this || !row->RowTypeCheckOK(); });
    for (TGantRow* row : rows) row->UpdateRect();
    return rows;
}

void TGantRowList::ForgetTreeNodes() {
    for (TGantRow* row : fList)
        if (row && row->TreeNode()) {
            if (NodesRow(row) == row) SetNodesRow(row, nullptr);
            row->fNode = nullptr;
        }
}

// Rows go from the last to the first; the list takes no new rows meanwhile.
void TGantRowList::CleanForFree() {
    // The rows find their chart through the list, which already tells it nothing more.
    IGantRowOwner* gant = std::exchange(fGant, nullptr);
    std::vector<TGantRow*> rows;
    rows.swap(fList);
    fBands = {};
    fHoles = 0;
    ++fRemovals;
    fSharedNodes = 0;
    std::exception_ptr error;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (!*it) continue;
        (*it)->fSlot = -1;
        if (NodesRow(*it) == *it) SetNodesRow(*it, nullptr);
        (*it)->LeaveChart(gant);
        try {
            (*it)->FreeWheneverPossible();
        } catch (...) {
            if (!error) error = std::current_exception();
        }
    }
    if (error) std::rethrow_exception(error);
}

} // namespace qo
