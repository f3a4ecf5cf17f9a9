#include "gantt/qoLink.h"

#include "gantt/qoGantRow.h"

namespace qo {

TqoDataEntity_Link::~TqoDataEntity_Link() { Detach(); }

void TqoDataEntity_Link::CleanForFree() {
    struct TDetach {
        TqoDataEntity_Link* fLink;
        ~TDetach() { fLink->Detach(); }
    } detach{this};
    TqoDataEntity::CleanForFree();
}

void TqoDataEntity_Link::Detach() {
    SetLinkOwner(nullptr);
    SetLinkedTo(nullptr);
}

namespace {

// The chart of the item's row repaints and looks at its links afresh.
void InvalidateChartOf(const TqoDataEntity_GantTime* item) {
    TGantRow* row = item ? item->Row() : nullptr;
    if (IGantRowOwner* gant = row ? row->Gant() : nullptr) gant->InvalidateChart();
}

} // namespace

void TqoDataEntity_Link::RepaintOwnersChart() const { InvalidateChartOf(fLinkOwner); }

void TqoDataEntity_Link::SetLinkOwner(TqoDataEntity_GantTime* item) {
    TqoDataEntity_GantTime* old = fLinkOwner;
    Rechain(fLinkOwner, item, &TqoDataEntity_Link::fOwnerChain, &TqoDataEntity_GantTime::fFirstOwnedLink);
    if (old == item) return;
    InvalidateChartOf(old);
    InvalidateChartOf(item);
}

void TqoDataEntity_Link::SetLinkedTo(TqoDataEntity_GantTime* item) {
    TqoDataEntity_GantTime* old = fLinkedTo;
    Rechain(fLinkedTo, item, &TqoDataEntity_Link::fTargetChain, &TqoDataEntity_GantTime::fFirstTargetLink);
    if (old == item) return;
    InvalidateChartOf(old);
    InvalidateChartOf(item);
}

// Moves this link from the chain of the item at one end to the chain of the
// new item, in constant time.
void TqoDataEntity_Link::Rechain(TqoDataEntity_GantTime*& end, TqoDataEntity_GantTime* item,
                                 TChain TqoDataEntity_Link::*chain, TLinkNumber TqoDataEntity_GantTime::*head) {
    if (item == end) return;
    TChain& mine = this->*chain;
    if (end) {
        if (TqoDataEntity_Link* prev = LinkArena::LinkOf(mine.Prev))
            (prev->*chain).Next = mine.Next;
        else
            end->*head = mine.Next;
        if (TqoDataEntity_Link* next = LinkArena::LinkOf(mine.Next)) (next->*chain).Prev = mine.Prev;
        mine = {};
    }
    end = item;
    if (!item) return;
    const TLinkNumber me = LinkArena::NumberOf(this);
    mine.Next = item->*head;
    if (TqoDataEntity_Link* next = LinkArena::LinkOf(mine.Next)) (next->*chain).Prev = me;
    item->*head = me;
}

} // namespace qo
