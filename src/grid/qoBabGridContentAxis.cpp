#include "grid/qoBabGridContentAxis.h"

#include "grid/qoBabGridContentViewer.h"
#include "platform/core/qoErrors.h"

#include <algorithm>

namespace qo {

// ---- TAxisContentItem

int TAxisContentItem::UserSize() const {
    return fUserSizeItem ? fUserSizeItem->UserSize() : fUserSize;
}

bool TAxisContentItem::UserSizeActive() const {
    return fUserSizeItem ? fUserSizeItem->UserSizeActive() : fUserSizeActive;
}

void TAxisContentItem::SetUserSize(int v) {
    fUserSize = v;
    if (fUserSizeItem) fUserSizeItem->SetUserSize(v);
    if (TBabGridCellForViewer* root = fAxisContentList->BabGridCell()->GetViewerGridCell())
        TriggerIfAlive(root->UserSizeEvent(), this);
}

void TAxisContentItem::SetUserSizeActive(bool v) {
    fUserSizeActive = v;
    if (fUserSizeItem) fUserSizeItem->SetUserSizeActive(v);
}

void TAxisContentItem::SetHide(bool v) {
    if (fHide == v) return;
    fHide = v;
    if (v)
        fAxisContentList->AddHidden(this);
    else
        fAxisContentList->RemoveHidden(this);
    fAxisContentList->AxisChanged();
}

int TAxisContentItem::ListIndex() const {
    fAxisContentList->UpdateListIndexes();
    return fListIndex;
}

int TAxisContentItem::LoadedListIndex() const {
    return fAxisContentList->TrueToLoaded(ListIndex());
}

// ---- TAxisContentList: plain access

TAxisContentList::~TAxisContentList() = default;

bool TAxisContentList::IsYAxis() const {
    return fBabGridCell->AxisContentListY() == this;
}

void TAxisContentList::SetUnloadProtected(int start, int stop) {
    fUnloadProtectedStart = start;
    fUnloadProtectedStop = stop;
}

TAxisContentItem* TAxisContentList::Items(int i) {
    EnsureLoadedItem(i);
    return IsLoaded(i) ? fList[TrueToLoaded(i)].get() : nullptr;
}

TAxisContentItem* TAxisContentList::Loaded(int i) const {
    return i >= 0 && i < LoadedCount() ? fList[i].get() : nullptr;
}

TAxisContentItem* TAxisContentList::Visibles(int i) const {
    return i >= 0 && i < VisibleCount() ? fVisibleList[i] : nullptr;
}

bool TAxisContentList::IsLoaded(int i) const {
    if (i < 0) return false;
    if (i < fFixedItems) return i < LoadedCount();
    return i >= fFixedItems + fUnloadedPreCount && i < fUnloadedPreCount + LoadedCount();
}

void TAxisContentList::ClearVisibles() {
    for (TAxisContentItem* item : fVisibleList) item->fIsOnScreen = false;
    fVisibleList.clear();
}

void TAxisContentList::AddToVisible(TAxisContentItem* item) {
    item->fIsOnScreen = true;
    fVisibleList.push_back(item);
}

void TAxisContentList::AddHidden(TAxisContentItem* item) {
    item->fHiddenPos = int(fHiddenItemsList.size());
    fHiddenItemsList.push_back(item);
}

// The order of the hidden list does not matter: the last one takes the gap.
void TAxisContentList::RemoveHidden(TAxisContentItem* item) {
    const int pos = item->fHiddenPos;
    if (pos < 0) return;
    fHiddenItemsList[pos] = fHiddenItemsList.back();
    fHiddenItemsList[pos]->fHiddenPos = pos;
    fHiddenItemsList.pop_back();
    item->fHiddenPos = -1;
}

void TAxisContentList::RemoveFromScreenLists(TAxisContentItem* item) {
    RemoveHidden(item);
    if (item->fIsOnScreen)
        fVisibleList.erase(std::remove(fVisibleList.begin(), fVisibleList.end(), item), fVisibleList.end());
}

void TAxisContentList::AxisChanged() {
    if (TBabGridCellForViewer* root = fBabGridCell->GetViewerGridCell())
        TriggerIfAlive(root->AxisChangeEvent(), this);
}

// ---- indexes

void TAxisContentList::MarkIndexesStale(int fromLoaded) {
    if (!fListIndexesOutOfDate || fromLoaded < fOutOfDateFromIndex)
        fOutOfDateFromIndex = std::max(fromLoaded, 0);
    fListIndexesOutOfDate = true;
}

void TAxisContentList::UpdateListIndexes() const {
    if (!fListIndexesOutOfDate) return;
    for (int i = fOutOfDateFromIndex; i < LoadedCount(); ++i) fList[i]->fListIndex = LoadedToTrue(i);
    fListIndexesOutOfDate = false;
}

int TAxisContentList::Convert_TrueIndexToVisible(int i) const {
    const int hiddenBefore =
        int(std::count_if(fHiddenItemsList.begin(), fHiddenItemsList.end(),
                          [i](const TAxisContentItem* item) { return item->ListIndex() < i; }));
    return i - hiddenBefore;
}

int TAxisContentList::Convert_VisibleIndexToTrue(int v) const {
    if (LoadedCount() <= fFixedItems) return -1;
    const int firstTrue = LoadedToTrue(fFixedItems);
    if (v < firstTrue) return v;
    int counted = firstTrue;
    for (int k = fFixedItems; k < LoadedCount(); ++k) {
        if (fList[k]->fHide) continue;
        if (counted >= v) return LoadedToTrue(k);
        ++counted;
    }
    return LoadedToTrue(LoadedCount() - 1);
}

// ---- inserting, moving, dropping

void* TAxisContentList::TakeMailbox(void* value) {
    if (!fNextItemReferenceMailbox) return value;
    void* mailed = fNextItemReferenceMailbox;
    fNextItemReferenceMailbox = nullptr;
    return mailed;
}

TAxisContentItem* TAxisContentList::InsertLoaded(int loadedIndex, void* value, int trueIndex) {
    auto owned = std::make_unique<TAxisContentItem>(this, value);
    TAxisContentItem* item = owned.get();
    item->fListIndex = trueIndex;
    fList.insert(fList.begin() + loadedIndex, std::move(owned));
    fBabGridCell->InsertingAxisItem(this, loadedIndex);
    return item;
}

TAxisContentItem* TAxisContentList::InsertNew(int index, void* value) {
    if (fInLoadItems > 0) throw EqoError("Not allowed to add items during load");
    index = std::clamp(index, 0, Count());
    if (index == Count()) return Append(TakeMailbox(value));
    EnsureLoadedItem(index);
    const int loaded = TrueToLoaded(index);
    TAxisContentItem* item = InsertLoaded(loaded, TakeMailbox(value), index);
    MarkIndexesStale(loaded + 1);
    AxisChanged();
    return item;
}

TAxisContentItem* TAxisContentList::AddNew(void* value) {
    if (fInLoadItems > 0) throw EqoError("Not allowed to add items during load");
    return Append(value);
}

TAxisContentItem* TAxisContentList::Append(void* value) {
    if (Count() > 0) EnsureLoadedItem(Count() - 1);
    const int loaded = LoadedCount();
    TAxisContentItem* item = InsertLoaded(loaded, value, LoadedToTrue(loaded));
    AxisChanged();
    return item;
}

void TAxisContentList::AddUnloaded(int n) {
    if (n <= 0) return;
    fUnloadedPostCount += n;
    AxisChanged();
}

void TAxisContentList::Move(int current, int newIndex) {
    if (current < 0 || current >= Count()) throw EListError(current);
    if (newIndex < 0 || newIndex >= Count()) throw EListError(newIndex);
    EnsureLoadedItem(current);
    if (!IsLoaded(current)) throw EListError(current);
    // Too far apart for one window: loading the target would unload the item.
    if (!LoadsBeside(newIndex)) {
        MoveAcross(current, newIndex);
        return;
    }
    EnsureLoadedItem(newIndex);
    if (!IsLoaded(current)) throw EListError(current);
    if (!IsLoaded(newIndex)) throw EListError(newIndex);
    const int from = TrueToLoaded(current);
    const int to = TrueToLoaded(newIndex);
    if (from == to) return;
    auto item = std::move(fList[from]);
    fList.erase(fList.begin() + from);
    fList.insert(fList.begin() + to, std::move(item));
    MarkIndexesStale(std::min(from, to));
    fBabGridCell->MovingAxisItem(this, from, to);
    AxisChanged();
}

void TAxisContentList::Reorder(int first, const std::vector<TAxisContentItem*>& order) {
    const int from = TrueToLoaded(first);
    const int n = int(order.size());
    if (n == 0) return;
    if (first < fFixedItems || !IsLoaded(first) || from + n > LoadedCount()) throw EListError(first);
    std::vector<int> offsets(n);
    std::vector<bool> seen(n, false);
    for (int i = 0; i < n; ++i) {
        const int offset = order[i] && order[i]->fAxisContentList == this ? order[i]->LoadedListIndex() - from : -1;
        if (offset < 0 || offset >= n || seen[offset]) throw EqoError("Reorder needs the loaded items of its range");
        seen[offset] = true;
        offsets[i] = offset;
    }
    std::deque<std::unique_ptr<TAxisContentItem>> taken;
    for (int offset : offsets) taken.push_back(std::move(fList[from + offset]));
    std::move(taken.begin(), taken.end(), fList.begin() + from);
    MarkIndexesStale(from);
    fBabGridCell->ReorderingAxisItems(this, from, offsets);
    AxisChanged();
}

void TAxisContentList::MoveAcross(int current, int newIndex) {
    // The item leaves with its cells, the window is loaded at the target, and it comes back there.
    const int from = TrueToLoaded(current);
    std::unique_ptr<TAxisContentItem> item = std::move(fList[from]);
    fList.erase(fList.begin() + from);
    MarkIndexesStale(from);
    TCellMatris::TCellLine cells = fBabGridCell->TakingAxisItem(this, from);
    int to = 0;
    try {
        to = WindowSlotFor(newIndex);
    } catch (...) {
        PutBack(std::move(item), std::move(cells), WindowSlotNear(newIndex));
        throw;
    }
    PutBack(std::move(item), std::move(cells), to);
    AxisChanged();
}

int TAxisContentList::WindowSlotFor(int trueIndex) {
    if (trueIndex >= Count()) {
        if (Count() > 0) EnsureLoadedItem(Count() - 1);
    } else {
        EnsureLoadedItem(trueIndex);
    }
    return WindowSlotNear(trueIndex);
}

int TAxisContentList::WindowSlotNear(int trueIndex) const {
    // Asked again: a load callback may have moved the window.
    if (trueIndex >= Count()) return LoadedCount();
    return std::clamp(TrueToLoaded(trueIndex), 0, LoadedCount());
}

void TAxisContentList::PutBack(std::unique_ptr<TAxisContentItem> item, TCellMatris::TCellLine cells, int slot) {
    fList.insert(fList.begin() + slot, std::move(item));
    MarkIndexesStale(slot);
    fBabGridCell->PuttingAxisItem(this, slot, std::move(cells));
}

void TAxisContentList::Drop(int index) {
    if (index < 0 || index >= Count()) return;
    if (!IsLoaded(index)) {
        if (fUnloadedPreCount > 0 && index < fFixedItems + fUnloadedPreCount) {
            --fUnloadedPreCount;
            MarkIndexesStale(fFixedItems);
        } else if (fUnloadedPostCount > 0)
            --fUnloadedPostCount;
        AxisChanged();
        return;
    }
    const int loaded = TrueToLoaded(index);
    RemoveFromScreenLists(fList[loaded].get());
    // The cells go first: they still name their item while they are freed.
    fBabGridCell->DroppingAxisItem(this, loaded);
    std::unique_ptr<TAxisContentItem> item = std::move(fList[loaded]);
    fList.erase(fList.begin() + loaded);
    MarkIndexesStale(loaded);
    item.reset();
    fBabGridCell->AfterAxisDrop(this);
    AxisChanged();
    fBabGridCell->ReportFocusLoss();
}

// ---- clearing

void TAxisContentList::Clear() {
    ClearDownTo(0);
}

void TAxisContentList::ClearKeepFixedItems() {
    ClearDownTo(fFixedItems);
}

void TAxisContentList::ClearDownTo(int firstKept) {
    for (int i = LoadedCount() - 1; i >= firstKept; --i) Drop(LoadedToTrue(i));
    // The unloaded items are reported by their true indexes, the fixed ones counted whether
    // they are still there or not: the receiver takes the fixed count off.
    if (fUnloadedPostCount > 0) {
        const int first = FirstAfterWindow();
        DeleteOfUnloaded(first, first + fUnloadedPostCount - 1);
        fUnloadedPostCount = 0;
    }
    if (fUnloadedPreCount > 0) {
        DeleteOfUnloaded(fFixedItems, fFixedItems + fUnloadedPreCount - 1);
        fUnloadedPreCount = 0;
    }
    AxisChanged();
}

void TAxisContentList::DeleteOfUnloaded(int first, int last) {
    if (last < first) return;
    if (TBabGridCellForViewer* root = fBabGridCell->GetViewerGridCell())
        root->OnDeleteOfUnloaded.Fire(fBabGridCell, IsYAxis(), first, last);
    if (last < first) return;
    // Only the parts of the range that are unloaded count.
    const int preFirst = fFixedItems;
    const int preLast = preFirst + fUnloadedPreCount - 1;
    const int postFirst = FirstAfterWindow();
    const int postLast = postFirst + fUnloadedPostCount - 1;
    const int inFront = std::max(0, std::min(last, preLast) - std::max(first, preFirst) + 1);
    const int atBack = std::max(0, std::min(last, postLast) - std::max(first, postFirst) + 1);
    fUnloadedPreCount -= inFront;
    fUnloadedPostCount -= atBack;
    if (inFront > 0) MarkIndexesStale(fFixedItems);
}

} // namespace qo
