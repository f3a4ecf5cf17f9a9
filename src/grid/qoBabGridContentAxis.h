#pragma once
// One axis of a grid (columns or rows). The axis is virtual: only a window of
// items is loaded, the items before and after it are mere counts.
//
// With F fixed items, P unloaded before the window, L loaded entries and Q
// unloaded after it: true indexes 0..F-1 are the fixed items, F..F+P-1 the
// unloaded ones in front, F+P..P+L-1 the loaded window, P+L..Count-1 the
// unloaded ones at the back.
#include "grid/qoBabGridContentEvent.h"
#include "grid/qoBabGridContentMatrix.h"
#include "grid/qoBabGridContentTypes.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <vector>

namespace qo {

class TAxisContentList;
class TBabGridCell;

// One column or row.
class TAxisContentItem : public TBabObject {
public:
    TAxisContentItem(TAxisContentList* list, void* value) : fValue(value), fAxisContentList(list) {}

    void* Value() const { return fValue; }
    void SetValue(void* v) { fValue = v; }
    void* Value2() const { return fValue2; }
    void SetValue2(void* v) { fValue2 = v; }
    TAxisContentList* AxisContentList() const { return fAxisContentList; }

    int CalculatedSize() const { return fCalculatedSize; }
    int AcumSize() const { return fAcumSize; }

    int UserSize() const;
    bool UserSizeActive() const;
    // Fires the root's UserSizeEvent with this item.
    void SetUserSize(int v);
    void SetUserSizeActive(bool v);
    TUserSizeItem* UserSizeItem() const { return fUserSizeItem; }
    void SetUserSizeItem(TUserSizeItem* shared) { fUserSizeItem = shared; }

    bool Hide() const { return fHide; }
    void SetHide(bool v);
    bool IsOnScreen() const { return fIsOnScreen; }

    int ListIndex() const;
    int LoadedListIndex() const;

private:
    friend class TAxisContentList;
    friend class TBabGridCell;

    void* fValue;
    void* fValue2 = nullptr;
    TAxisContentList* fAxisContentList;
    int fCalculatedSize = 0;
    int fAcumSize = 0;
    int fUserSize = 0;
    bool fUserSizeActive = false;
    TUserSizeItem* fUserSizeItem = nullptr; // not owned
    bool fHide = false;
    int fHiddenPos = -1; // position in the list's hidden list
    int fListIndex = 0;
    bool fIsOnScreen = false;
    unsigned fSizeGeneration = 0; // the size calculation that last reset the size
};

class TAxisContentList : public TBabObject {
public:
    // Loading on demand never holds much more than this many items.
    static constexpr int MaxLoadedItems = 500;

    explicit TAxisContentList(TBabGridCell* grid) : fBabGridCell(grid) {}
    ~TAxisContentList() override;

    TBabGridCell* BabGridCell() const { return fBabGridCell; }
    // True for the rows (the Y axis), as the owner's callbacks receive it.
    bool IsYAxis() const;

    int Count() const { return fUnloadedPreCount + LoadedCount() + fUnloadedPostCount; }
    int LoadedCount() const { return int(fList.size()); }
    int VisibleCount() const { return int(fVisibleList.size()); }
    int HiddenRowCount() const { return int(fHiddenItemsList.size()); }
    int UnloadedPreCount() const { return fUnloadedPreCount; }
    int UnloadedPostCount() const { return fUnloadedPostCount; }
    int FixedItems() const { return fFixedItems; }
    void SetFixedItems(int v) { fFixedItems = v < 0 ? 0 : v; }
    bool LoadOperationInFront() const { return fLoadOperationInFront; }
    void* NextItemReferenceMailbox() const { return fNextItemReferenceMailbox; }
    void SetNextItemReferenceMailbox(void* v) { fNextItemReferenceMailbox = v; }
    void SetUnloadProtected(int start, int stop);
    int UnloadProtectedStart() const { return fUnloadProtectedStart; }
    int UnloadProtectedStop() const { return fUnloadProtectedStop; }

    // The item at a true index, loaded on demand; none outside the axis.
    TAxisContentItem* Items(int i);
    // The item at a loaded index; none outside the loaded list.
    TAxisContentItem* Loaded(int i) const;
    TAxisContentItem* Visibles(int i) const;
    bool IsLoaded(int i) const;
    int TrueToLoaded(int i) const { return i < fFixedItems ? i : i - fUnloadedPreCount; }
    int LoadedToTrue(int i) const { return i < fFixedItems ? i : i + fUnloadedPreCount; }

    TAxisContentItem* InsertNew(int index, void* value);
    TAxisContentItem* AddNew(void* value);
    void AddUnloaded(int n);
    void Move(int current, int newIndex);
    // Puts loaded items, from true index first on, in the given order in one step, cells
    // included; the items must be exactly the loaded ones of that range.
    void Reorder(int first, const std::vector<TAxisContentItem*>& order);
    void Drop(int index);
    void Clear();
    void ClearKeepFixedItems();
    void UnloadAll();
    void Purge();
    void EnsureLoadedItem(int i);
    // Unloaded items in a range of true indexes are deleted.
    void DeleteOfUnloaded(int first, int last);

    void ClearVisibles();
    void AddToVisible(TAxisContentItem* item);
    const std::vector<TAxisContentItem*>& VisibleItems() const { return fVisibleList; }

    // Visible indexes count only the items that are not hidden.
    int Convert_TrueIndexToVisible(int i) const;
    int Convert_VisibleIndexToTrue(int v) const;

private:
    friend class TAxisContentItem;
    friend class TBabGridCell;

    // The range that loading i needs, and whether it loads in front of the window.
    bool RangeToLoad(int i, int& first, int& last) const;
    // Loading i keeps the window where it is (no unloading of everything first).
    bool LoadsBeside(int i) const;
    void LoadItems(int first, int last, bool inFront);
    void MoveAcross(int current, int newIndex);
    // The loaded position at which an item gets a true index, loading it first.
    int WindowSlotFor(int trueIndex);
    int WindowSlotNear(int trueIndex) const;
    void PutBack(std::unique_ptr<TAxisContentItem> item, TCellMatris::TCellLine cells, int slot);
    TAxisContentItem* InsertLoaded(int loadedIndex, void* value, int trueIndex);
    TAxisContentItem* Append(void* value);
    void RedistributeAround(int i);
    bool CanUnload(int trueIndex);
    bool PurgeFront();
    bool PurgeBack();
    bool RangeUnloadable(int from, int to);
    void Unload(int loadedIndex, bool inFront);
    void RemoveFromScreenLists(TAxisContentItem* item);
    void AddHidden(TAxisContentItem* item);
    void RemoveHidden(TAxisContentItem* item);
    void ClearDownTo(int firstKept);
    // True index of the first unloaded item after the window; the fixed slots count even when empty.
    int FirstAfterWindow() const { return fUnloadedPreCount + std::max(LoadedCount(), fFixedItems); }
    void MarkIndexesStale(int fromLoaded);
    void UpdateListIndexes() const;
    void AxisChanged();
    void* TakeMailbox(void* value);

    bool fLoadOperationInFront = false;
    int fInLoadItems = 0;
    void* fNextItemReferenceMailbox = nullptr;
    std::deque<std::unique_ptr<TAxisContentItem>> fList;
    std::vector<TAxisContentItem*> fVisibleList;
    std::vector<TAxisContentItem*> fHiddenItemsList;
    TBabGridCell* fBabGridCell;
    mutable bool fListIndexesOutOfDate = false;
    mutable int fOutOfDateFromIndex = 0; // a loaded index
    int fUnloadedPreCount = 0;
    int fUnloadedPostCount = 0;
    int fFixedItems = 0;
    int fUnloadProtectedStart = -1;
    int fUnloadProtectedStop = -1;
    unsigned fSizeGeneration = 0;
};

} // namespace qo
