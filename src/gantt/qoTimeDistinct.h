#pragma once
// Collision detection: intervals of time that overlap are spread over
// sub-columns so that none hides another. Each interval (a holder) stands for
// one time item; intervals conflict only within one quantity (a layer, or the
// whole row). Holders are placed in the order in which conflicting pairs are
// met, the last holder first, each into the first sub-column where it
// conflicts with nothing placed before; holders that conflict with nothing
// keep position 0.
#include "platform/core/qoDateTime.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qo {

class TThread;

// The time rounded to whole seconds: the day plus the seconds into it,
// halves to even. A value that is not finite stays as it is.
TDateTime RoundToSec(TDateTime time);

// One interval handed to detection.
struct TDistinctTimeHolder {
    TDateTime Start = 0;
    TDateTime Stop = 0;
    // Holders conflict only when these are equal.
    std::string QuantityID;
    // The result: 0 = no conflict, k >= 1 = sub-column k.
    int32_t DistinctPosition = 0;
    // The time item the interval stands for.
    void* Reference = nullptr;
};

class TDistinctTimeHolderList {
public:
    // A new holder at position 0; a stop equal to the start is one second
    // later, so that an instant still takes room.
    TDistinctTimeHolder* Add(TDateTime start, TDateTime stop, std::string quantityID, void* reference);
    int32_t Count() const { return int32_t(fList.size()); }
    TDistinctTimeHolder* Get(int32_t index) const { return fList[size_t(index)].get(); }
    void Clear() { fList.clear(); }
    // The first holder with the reference, or nil; linear.
    TDistinctTimeHolder* FindFromReference(const void* reference) const;

private:
    std::vector<std::unique_ptr<TDistinctTimeHolder>> fList;
};

class TTimeDistinctGeneric {
public:
    explicit TTimeDistinctGeneric(TDistinctTimeHolderList* holders) : fDistinctTimeHolderList(holders) {}

    // The worker the detection runs on: its termination stops the work.
    TThread* CallerThread() const { return fCallerThread; }
    void SetCallerThread(TThread* thread) { fCallerThread = thread; }

    // Same quantity, different holders, and the intervals overlap; intervals
    // that only touch do not.
    static bool InConflict(const TDistinctTimeHolder& a, const TDistinctTimeHolder& b);
    // Into the first sub-column whose holders do not conflict with h, or a new one.
    void MoveToConflictFreePosition(TDistinctTimeHolder& h);
    // Every pair, the last holders first: placing both of each conflicting
    // pair when resolving, or true at the first conflict. Quadratic. False
    // when the caller thread was asked to terminate.
    bool ConflictLoop(bool resolve);
    bool HasConflicts() { return ConflictLoop(false); }
    // The same positions as ConflictLoop(true), in O(n log n) for the n
    // holders of a quantity while they need at most 64 sub-columns (each one
    // beyond costs a look per holder placed there); see qoTimeDistinctSweep.cpp.
    void ResolveConflicts();

    int32_t SubColumnCount() const { return int32_t(fListOfLists.size()); }

private:
    bool Terminated() const;
    bool LoopOver(const std::vector<TDistinctTimeHolder*>& holders, bool resolve);

    TDistinctTimeHolderList* fDistinctTimeHolderList;
    // One list per sub-column of what the pairwise loop placed there.
    std::vector<std::vector<TDistinctTimeHolder*>> fListOfLists;
    TThread* fCallerThread = nullptr;
};

} // namespace qo
