#pragma once
// A flat cursor over the entities of one list, of every list of a two-level
// list, or of every list of a three-level list. Empty lists are skipped; the
// set of lists is fixed by First and Last, their counts are read live.
//
//     auto trav = TDataListTrav::CreateMulti(layers);
//     for (trav.First(); !trav.Eof(); trav.Next()) use(trav.DataEntity());
//
// Everything the cursor does is inline and never hands out the cursor's own
// address, so that a local cursor lives in registers in the caller's loop.
#include "data/qoDataEntityPack.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace qo {

enum TTravMode : int32_t { trmMultiList = 0, trmMulti = 1, trmSingle = 2 };

class TDataListTrav {
public:
    explicit TDataListTrav(TqoDataList* list) : itsDataList(list), itsMode(trmSingle) {}
    static TDataListTrav CreateMulti(TqoDataList2lev* lists) {
        return TDataListTrav(trmMulti, lists, nullptr);
    }
    // Begins with member `start` and wraps around to the members before it.
    static TDataListTrav CreateMultiWithMidStart(TqoDataList2lev* lists, int32_t start) {
        TDataListTrav trav(trmMulti, lists, nullptr);
        trav.itsMidStart = start;
        return trav;
    }
    // Visits the members named by `order` in that order; −1 entries are skipped.
    static TDataListTrav CreateMultiFromIntegerArray(TqoDataList2lev* lists,
                                                     const std::vector<int32_t>& order) {
        TDataListTrav trav(trmMulti, lists, nullptr);
        const size_t n = std::min(order.size(), size_t(lists ? std::max(0, lists->Count()) : 0));
        trav.itsDrawingOrderArray.assign(order.begin(), order.begin() + ptrdiff_t(n));
        trav.itsUseDrawingOrderList = true;
        return trav;
    }
    static TDataListTrav CreateMultiList(TqoDataList3lev* lists) {
        return TDataListTrav(trmMultiList, nullptr, lists);
    }

    void First() {
        InitTravList();
        itsCurrentIndex = 0;
        SetListPosition(0, 0);
    }
    void Last() {
        InitTravList();
        const int32_t last = int32_t(itsTravList.size()) - 1;
        itsCurrentIndex = -1;
        SetListPosition(last, last >= 0 ? itsTravList[size_t(last)]->Count() - 1 : -1);
        while (itsCurrentIndex < 0 && itsCurrentListIndex >= 0) Prev();
    }
    void Next() {
        if (!itsCurrentList) return;
        if (++itsCurrentIndex >= itsCurrentList->Count()) SetListPosition(itsCurrentListIndex + 1, 0);
    }
    void Prev() {
        if (itsCurrentListIndex < 0 || --itsCurrentIndex >= 0) return;
        const int32_t previous = itsCurrentListIndex - 1;
        SetListPosition(previous,
                        previous >= 0 ? itsTravList[size_t(previous)]->Count() - 1 : itsCurrentIndex);
    }
    bool Eof() const {
        return !itsCurrentList ? itsCurrentListIndex >= 0 : itsCurrentIndex >= itsCurrentList->Count();
    }
    bool BOF() const { return itsCurrentListIndex < 0 || itsCurrentIndex < 0; }
    TqoDataEntity* DataEntity() const {
        if (!itsCurrentList) ThrowListIndex(itsCurrentListIndex);
        return itsCurrentList->Items(itsCurrentIndex);
    }
    int32_t GetObsCountInList(int32_t i) const {
        if (i < 0 || i >= int32_t(itsTravList.size())) ThrowListIndex(i);
        return itsTravList[size_t(i)]->Count();
    }
    TTravMode Mode() const { return itsMode; }

private:
    TDataListTrav(TTravMode mode, TqoDataList2lev* lists, TqoDataList3lev* listsOfLists)
        : itsDataListList(lists), itsDataListListList(listsOfLists), itsMode(mode) {}
    // Moves to a traversal list; the entity index is kept when no list is there.
    void SetListPosition(int32_t listIndex, int32_t index) {
        itsCurrentListIndex = listIndex;
        const bool inside = listIndex >= 0 && listIndex < int32_t(itsTravList.size());
        itsCurrentList = inside ? itsTravList[size_t(listIndex)] : nullptr;
        if (inside) itsCurrentIndex = index;
    }
    void InitTravList() {
        const int32_t* order = itsUseDrawingOrderList ? itsDrawingOrderArray.data() : nullptr;
        itsTravList = TravLists(itsMode, itsDataList, itsDataListList, itsDataListListList, itsMidStart,
                                order, itsDrawingOrderArray.size());
    }
    // The non-empty lists to visit, in order.
    static std::vector<TqoDataList*> TravLists(TTravMode mode, TqoDataList* list, TqoDataList2lev* lists,
                                               TqoDataList3lev* listsOfLists, int32_t midStart,
                                               const int32_t* order, size_t orderCount);
    [[noreturn]] static void ThrowListIndex(int32_t i);

    TqoDataList* itsDataList = nullptr;
    TqoDataList2lev* itsDataListList = nullptr;
    TqoDataList3lev* itsDataListListList = nullptr;
    int32_t itsCurrentIndex = 0;
    int32_t itsCurrentListIndex = 0;
    TTravMode itsMode;
    std::vector<TqoDataList*> itsTravList;
    TqoDataList* itsCurrentList = nullptr; // itsTravList[itsCurrentListIndex] or nil outside it
    int32_t itsMidStart = 0;
    // As many entries as the caller names layers.
    std::vector<int32_t> itsDrawingOrderArray;
    bool itsUseDrawingOrderList = false;
};

} // namespace qo
