#include "gantt/qoGantRowList.h"

#include "gantt/qoGantRow.h"

#include <algorithm>

namespace qo {

TGantRowList::~TGantRowList() = default;

const void* TGantRowList::KeyOf(const TGantRow* row) {
    return row->fTreeNode ? static_cast<const void*>(row->fTreeNode) : static_cast<const void*>(row->fGridTreeNode);
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

void TGantRowList::Append(TGantRow* row) {
    row->fSlot = int32_t(fList.size());
    fList.push_back(row);
    if (const void* key = KeyOf(row)) {
        if (!fByNode.emplace(key, row).second) ++fSharedNodes;
    }
}

void TGantRowList::TakeOut(TGantRow* row) {
    fList[size_t(row->fSlot)] = nullptr;
    row->fSlot = -1;
    ++fHoles;
    if (const void* key = KeyOf(row)) {
        const auto found = fByNode.find(key);
        if (found == fByNode.end() || found->second != row) {
            --fSharedNodes;
        } else {
            fByNode.erase(found);
            // Rare: another row of the same node takes its place.
            const auto next = fSharedNodes ? std::find_if(fList.begin(), fList.end(),
                                                          [key](TGantRow* r) { return r && KeyOf(r) == key; })
                                           : fList.end();
            if (next != fList.end()) {
                fByNode.emplace(key, *next);
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
    const TRect rect = row->fRect;
    return rect.Top < y && y < rect.Bottom ? row : nullptr;
}

TGantRow* TGantRowList::FindRowFromTreeNode(const TqoDataEntity_Tree* node) const {
    const auto found = node ? fByNode.find(node) : fByNode.end();
    return found != fByNode.end() && found->second->fTreeNode == node ? found->second : nullptr;
}

TGantRow* TGantRowList::FindRowFromGridNode(const TqoDataEntity_GridTreeNode* node) const {
    const auto found = node ? fByNode.find(node) : fByNode.end();
    return found != fByNode.end() && found->second->fGridTreeNode == node ? found->second : nullptr;
}

TGantRow* TGantRowList::FindRowFromUntypedNode(const TqoDataEntity* node) const {
    const auto found = node ? fByNode.find(static_cast<const void*>(node)) : fByNode.end();
    return found != fByNode.end() ? found->second : nullptr;
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

// Rows go from the last to the first; the list takes no new rows meanwhile.
void TGantRowList::CleanForFree() {
    fGant = nullptr;
    std::vector<TGantRow*> rows;
    rows.swap(fList);
    fHoles = 0;
    fByNode.clear();
    fSharedNodes = 0;
    std::exception_ptr error;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (!*it) continue;
        (*it)->fSlot = -1;
        try {
            (*it)->FreeWheneverPossible();
        } catch (...) {
            if (!error) error = std::current_exception();
        }
    }
    if (error) std::rethrow_exception(error);
}

} // namespace qo
