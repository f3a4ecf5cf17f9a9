// Loading items on demand and unloading those the owner lets go.
#include "grid/qoBabGridContentAxis.h"

#include "grid/qoBabGridContentViewer.h"
#include "platform/core/qoErrors.h"

#include <algorithm>

namespace qo {

namespace {

// Counts a running load for as long as it lives, also when a callback throws.
class TLoadBracket {
public:
    explicit TLoadBracket(int& counter) : fCounter(counter) { ++fCounter; }
    ~TLoadBracket() { --fCounter; }

private:
    int& fCounter;
};

} // namespace

bool TAxisContentList::RangeToLoad(int i, int& first, int& last) const {
    const bool inFront = i < fFixedItems + fUnloadedPreCount;
    first = inFront ? i : fUnloadedPreCount + LoadedCount();
    last = inFront ? fFixedItems + fUnloadedPreCount - 1 : i;
    return inFront;
}

bool TAxisContentList::LoadsBeside(int i) const {
    if (i < fFixedItems || i >= Count() || IsLoaded(i)) return true;
    int first = 0, last = 0;
    RangeToLoad(i, first, last);
    return last - first + LoadedCount() <= MaxLoadedItems;
}

void TAxisContentList::EnsureLoadedItem(int i) {
    if (i < fFixedItems || i >= Count() || IsLoaded(i)) return;
    if (!LoadsBeside(i)) {
        UnloadAll();
        i = std::min(i, Count() - 1);
        if (LoadedCount() <= fFixedItems) RedistributeAround(i);
        if (i < fFixedItems || IsLoaded(i)) return;
    }
    int first = 0, last = 0;
    const bool inFront = RangeToLoad(i, first, last);
    LoadItems(first, last, inFront);
}

void TAxisContentList::RedistributeAround(int i) {
    // The window starts at i itself, so that the fixed items do not push it further.
    const int unloaded = fUnloadedPreCount + fUnloadedPostCount;
    fUnloadedPreCount = std::clamp(i - fFixedItems, 0, unloaded);
    fUnloadedPostCount = unloaded - fUnloadedPreCount;
}

void TAxisContentList::LoadItems(int first, int last, bool inFront) {
    TLoadBracket bracket(fInLoadItems);
    SetUnloadProtected(first, last);
    std::vector<TAxisContentItem*> made;
    if (inFront) {
        // Inserted just after the fixed items from the last down, so they end in ascending order.
        for (int t = last; t >= first; --t) {
            if (fUnloadedPreCount > 0) --fUnloadedPreCount;
            made.push_back(InsertLoaded(std::min(fFixedItems, LoadedCount()), nullptr, t));
        }
    } else {
        for (int t = first; t <= last; ++t) {
            made.push_back(InsertLoaded(LoadedCount(), nullptr, t));
            if (fUnloadedPostCount > 0) --fUnloadedPostCount;
        }
    }
    fLoadOperationInFront = inFront;
    TBabGridCellForViewer* root = fBabGridCell->GetViewerGridCell();
    if (root && root->OnVirtualLoad)
        for (TAxisContentItem* item : made) root->OnVirtualLoad(fBabGridCell, item, IsYAxis());
    AxisChanged();
}

void TAxisContentList::UnloadAll() {
    fBabGridCell->SetSelected(false);
    ClearVisibles();
    SetUnloadProtected(-1, -1);
    Purge();
}

void TAxisContentList::Purge() {
    while (PurgeFront()) {
    }
    while (PurgeBack()) {
    }
    fBabGridCell->ReportFocusLoss();
}

namespace {

// The range of true indexes the owner wants unloaded together with an item.
void UnloadRange(TBabGridCell* grid, TAxisContentItem* item, int index, int& first, int& last) {
    first = last = index;
    if (TBabGridCellForViewer* root = grid->GetViewerGridCell())
        root->OnUnloadIntervall.Fire(grid, item, item->AxisContentList()->IsYAxis(), first, last);
    if (last < first) throw EqoError("Incorrect intervall");
}

} // namespace

bool TAxisContentList::PurgeFront() {
    if (LoadedCount() <= fFixedItems) return false;
    const int index = fFixedItems + fUnloadedPreCount;
    int first = 0, last = 0;
    UnloadRange(fBabGridCell, fList[fFixedItems].get(), index, first, last);
    const int to = std::max(index, std::min(last, fUnloadedPreCount + LoadedCount() - 1));
    if (!RangeUnloadable(index, to)) return false;
    for (int k = index; k <= to; ++k) Unload(fFixedItems, true);
    return true;
}

bool TAxisContentList::PurgeBack() {
    if (LoadedCount() <= fFixedItems) return false;
    const int index = fUnloadedPreCount + LoadedCount() - 1;
    int first = 0, last = 0;
    UnloadRange(fBabGridCell, fList.back().get(), index, first, last);
    const int from = std::min(index, std::max(first, fFixedItems + fUnloadedPreCount));
    if (!RangeUnloadable(from, index)) return false;
    for (int k = index; k >= from; --k) Unload(LoadedCount() - 1, false);
    return true;
}

bool TAxisContentList::RangeUnloadable(int from, int to) {
    for (int t = from; t <= to; ++t) {
        if (t >= fUnloadProtectedStart && t <= fUnloadProtectedStop) return false;
        if (!CanUnload(t)) return false;
    }
    return true;
}

bool TAxisContentList::CanUnload(int trueIndex) {
    const int loaded = TrueToLoaded(trueIndex);
    TAxisContentItem* item = fList[loaded].get();
    if (item->LoadedListIndex() != loaded) throw EqoError("Index fu");
    if (item->fIsOnScreen) return false;
    TCellMatris* matrix = fBabGridCell->CellMatris();
    if (IsYAxis() ? matrix->HasRowSelections(trueIndex) : matrix->HasColumnSelections(trueIndex))
        return false;
    TBabGridCellForViewer* root = fBabGridCell->GetViewerGridCell();
    if (!root || !root->OnVirtualUnLoad) return false;
    bool answer = false;
    root->OnVirtualUnLoad(fBabGridCell, item, IsYAxis(), false, answer);
    return answer;
}

void TAxisContentList::Unload(int loadedIndex, bool inFront) {
    TAxisContentItem* item = fList[loadedIndex].get();
    TBabGridCellForViewer* root = fBabGridCell->GetViewerGridCell();
    bool keep = true;
    if (root) {
        root->OnKeepAfterUnloadCheck.Fire(fBabGridCell, item, IsYAxis(), keep);
        bool ignored = false;
        root->OnVirtualUnLoad.Fire(fBabGridCell, item, IsYAxis(), true, ignored);
    }
    RemoveFromScreenLists(item);
    fBabGridCell->DroppingAxisItem(this, loadedIndex);
    fList.erase(fList.begin() + loadedIndex);
    if (fListIndexesOutOfDate && loadedIndex < fOutOfDateFromIndex) --fOutOfDateFromIndex;
    if (keep)
        ++(inFront ? fUnloadedPreCount : fUnloadedPostCount);
    else if (inFront)
        MarkIndexesStale(fFixedItems);
}

} // namespace qo
