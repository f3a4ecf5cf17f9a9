#include "gantt/qoTimeDistinct.h"

#include "gantt/qoTimeDistinctSweep.h"
#include "platform/core/qoErrors.h"
#include "platform/core/qoRounding.h"
#include "platform/window/qoThreads.h"

#include <cmath>
#include <string_view>
#include <unordered_map>

namespace qo {

TDateTime RoundToSec(TDateTime time) {
    if (!std::isfinite(time)) return time;
    const double day = std::trunc(time);
    return day + double(RoundInt64((time - day) / OneSecond)) * OneSecond;
}

TDistinctTimeHolder* TDistinctTimeHolderList::Add(TDateTime start, TDateTime stop, std::string quantityID,
                                                  void* reference) {
    auto holder = std::make_unique<TDistinctTimeHolder>();
    holder->Start = start;
    holder->Stop = stop == start ? stop + OneSecond : stop;
    holder->QuantityID = std::move(quantityID);
    holder->Reference = reference;
    fList.push_back(std::move(holder));
    return fList.back().get();
}

TDistinctTimeHolder* TDistinctTimeHolderList::FindFromReference(const void* reference) const {
    for (const auto& holder : fList)
        if (holder->Reference == reference) return holder.get();
    return nullptr;
}

bool TTimeDistinctGeneric::InConflict(const TDistinctTimeHolder& a, const TDistinctTimeHolder& b) {
    if (&a == &b || a.QuantityID != b.QuantityID) return false;
    return (a.Start >= b.Start && b.Stop > a.Start) || (a.Stop > b.Start && b.Stop > a.Stop) ||
           (b.Start >= a.Start && a.Stop > b.Start) || (b.Stop > a.Start && a.Stop > b.Stop);
}

void TTimeDistinctGeneric::MoveToConflictFreePosition(TDistinctTimeHolder& h) {
    for (size_t j = 0; j < fListOfLists.size(); ++j) {
        bool free = true;
        for (const TDistinctTimeHolder* placed : fListOfLists[j])
            if (InConflict(h, *placed)) {
                free = false;
                break;
            }
        if (free) {
            h.DistinctPosition = int32_t(j + 1);
            fListOfLists[j].push_back(&h);
            return;
        }
    }
    fListOfLists.push_back({&h});
    h.DistinctPosition = int32_t(fListOfLists.size());
}

bool TTimeDistinctGeneric::Terminated() const { return fCallerThread && fCallerThread->Terminated(); }

bool TTimeDistinctGeneric::LoopOver(const std::vector<TDistinctTimeHolder*>& holders, bool resolve) {
    for (size_t i = holders.size(); i-- > 0;) {
        for (size_t j = holders.size(); j-- > 0;) {
            if (Terminated()) return false;
            if (i == j || !InConflict(*holders[i], *holders[j])) continue;
            if (!resolve) return true;
            if (holders[i]->DistinctPosition == 0) MoveToConflictFreePosition(*holders[i]);
            if (holders[j]->DistinctPosition == 0) MoveToConflictFreePosition(*holders[j]);
        }
    }
    return false;
}

bool TTimeDistinctGeneric::ConflictLoop(bool resolve) {
    try {
        std::vector<TDistinctTimeHolder*> all;
        all.reserve(size_t(fDistinctTimeHolderList->Count()));
        for (int32_t i = 0; i < fDistinctTimeHolderList->Count(); ++i) all.push_back(fDistinctTimeHolderList->Get(i));
        return LoopOver(all, resolve);
    } catch (const std::exception& e) {
        throw EqoError(std::string("ConflictLoop:") + e.what());
    }
}

// Quantities never conflict with one another, so each is placed on its own
// and the positions are those the loop over all holders gives. A quantity
// with an interval that is empty or runs backwards (a stop before its start)
// is left to the pairwise loop: such intervals conflict in ways no sweep over
// ordered intervals sees.
void TTimeDistinctGeneric::ResolveConflicts() {
    try {
        std::unordered_map<std::string_view, std::vector<TDistinctTimeHolder*>> quantities;
        std::vector<std::vector<TDistinctTimeHolder*>*> order;
        for (int32_t i = 0; i < fDistinctTimeHolderList->Count(); ++i) {
            TDistinctTimeHolder* h = fDistinctTimeHolderList->Get(i);
            auto [it, added] = quantities.try_emplace(h->QuantityID);
            if (added) order.push_back(&it->second);
            it->second.push_back(h);
        }
        const auto cancelled = [this] { return Terminated(); };
        for (const std::vector<TDistinctTimeHolder*>* holders : order) {
            bool ordered = true;
            for (const TDistinctTimeHolder* h : *holders) ordered = ordered && h->Start < h->Stop;
            if (ordered) {
                if (!SweepDistinctPositions(*holders, cancelled)) return;
            } else {
                LoopOver(*holders, true);
                if (Terminated()) return;
            }
        }
    } catch (const std::exception& e) {
        throw EqoError(std::string("ConflictLoop:") + e.what());
    }
}

} // namespace qo
