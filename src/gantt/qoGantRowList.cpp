#include "gantt/qoGantRowList.h"

#include "gantt/qoGantRow.h"
#include "grid/qoTree.h"

#include <algorithm>
#include <cassert>

namespace qo {

TGantRowList::~TGantRowList() = default;

void* TGantRowList::NodeCookie(const TGantRow* row) {
    if (const TqoDataEntity_Tree* tree = row->TreeNode()) return tree->IntegrationCookie();
    const TqoDataEntity_GridTreeNode* grid = row->GridTreeNode();
    return grid ? grid->IntegrationCookie() : nullptr;
}

void TGantRowList::SetNodeCookie(const TGantRow* row, void* cookie) {
    if (TqoDataEntity_Tree* tree = row->TreeNode())
        tree->SetIntegrationCookie(cookie);
    else if (TqoDataEntity_GridTreeNode* grid = row->GridTreeNode())
        grid->SetIntegrationCookie(cookie);
}

// A cookie of another list, or one left from a row since gone, names no row
// of this node here.
TGantRow* TGantRowList::RowInCookie(void* cookie, const TqoDataEntity* node) const {
    const size_t slot = SlotIn(cookie);
    TGantRow* row = node && slot < fList.size() ? fList[slot] : nullptr;
    return row && row->NodeEntity() == node ? row : nullptr;
}

TGantRow* TGantRowList::NodesRow(const TGantRow* row) const {
    return RowInCookie(NodeCookie(row), row->NodeEntity());
}

size_t TGantRowList::SlotOf(const TGantRow* row) const {
    if (const size_t slot = SlotIn(NodeCookie(row)); slot < fList.size() && fList[slot] == row) return slot;
    // Rare: a row that shares its node with an earlier one, or lost its node.
    const auto it = std::find(fList.begin(), fList.end(), row);
    assert(it != fList.end() && "a listed row has a slot");
    return size_t(it - fList.begin());
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
    if (!row || row->fGantRowList != this || row->fListed) row = fGant->CreateRow(this, treeNode, gridNode);
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
    if (row->fGantRowList != this || !row->fListed) return;
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
    const size_t slot = fList.size();
    // Room for a half more, not twice as much: rows come by the hundred thousand.
    if (slot == fList.capacity()) fList.reserve(slot + slot / 2 + 1);
    fList.push_back(row);
    row->fListed = true;
    if (!row->NodeEntity()) return;
    if (NodesRow(row))
        ++fSharedNodes;
    else
        SetNodeCookie(row, CookieFor(slot));
}

void TGantRowList::TakeOut(TGantRow* row) {
    fBands.erase(row);
    const size_t slot = SlotOf(row);
    fList[slot] = nullptr;
    row->fListed = false;
    ++fHoles;
    ++fRemovals;
    // A node's cookie never outlives its row.
    if (const TqoDataEntity* node = row->NodeEntity()) {
        if (NodeCookie(row) != CookieFor(slot)) {
            --fSharedNodes;
        } else {
            SetNodeCookie(row, nullptr);
            // Rare: another row of the same node takes its place.
            const auto next = fSharedNodes ? std::find_if(fList.begin(), fList.end(),
                                                          [node](TGantRow* r) { return r && r->NodeEntity() == node; })
                                           : fList.end();
            if (next != fList.end()) {
                SetNodeCookie(*next, CookieFor(size_t(next - fList.begin())));
                --fSharedNodes;
            }
        }
    }
    if (fHoles > int32_t(fList.size()) / 2) Compact();
}

// The rows close up; the cookies that named them follow.
void TGantRowList::Compact() {
    size_t to = 0;
    for (size_t from = 0; from < fList.size(); ++from) {
        TGantRow* row = fList[from];
        if (!row) continue;
        if (from != to && NodeCookie(row) == CookieFor(from)) SetNodeCookie(row, CookieFor(to));
        fList[to++] = row;
    }
    fList.resize(to);
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
    return node ? RowInCookie(node->IntegrationCookie(), node) : nullptr;
}

TGantRow* TGantRowList::FindRowFromGridNode(const TqoDataEntity_GridTreeNode* node) const {
    return node ? RowInCookie(node->IntegrationCookie(), node) : nullptr;
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
    for (size_t i = 0; i < fList.size(); ++i)
        if (TGantRow* row = fList[i]; row && row->TreeNode()) {
            if (NodeCookie(row) == CookieFor(i)) SetNodeCookie(row, nullptr);
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
    for (size_t i = rows.size(); i-- > 0;) {
        TGantRow* row = rows[i];
        if (!row) continue;
        row->fListed = false;
        if (NodeCookie(row) == CookieFor(i)) SetNodeCookie(row, nullptr);
        row->LeaveChart(gant);
        try {
            row->FreeWheneverPossible();
        } catch (...) {
            if (!error) error = std::current_exception();
        }
    }
    if (error) std::rethrow_exception(error);
}

} // namespace qo
