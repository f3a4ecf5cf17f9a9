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

void TqoDataEntity_Link::SetStartFinishOption(TLinkStartFinishOption value) {
    fStartFinishOption = value;
    if (TGantRow* row = fLinkOwner ? fLinkOwner->Row() : nullptr) row->Gant()->InvalidateChart();
}

void TqoDataEntity_Link::SetLinkOwner(TqoDataEntity_GantTime* item) {
    Rechain(fLinkOwner, item, &TqoDataEntity_Link::fOwnerChain, &TqoDataEntity_GantTime::fFirstOwnedLink);
}

void TqoDataEntity_Link::SetLinkedTo(TqoDataEntity_GantTime* item) {
    Rechain(fLinkedTo, item, &TqoDataEntity_Link::fTargetChain, &TqoDataEntity_GantTime::fFirstTargetLink);
}

// Moves this link from the chain of the item at one end to the chain of the
// new item, in constant time.
void TqoDataEntity_Link::Rechain(TqoDataEntity_GantTime*& end, TqoDataEntity_GantTime* item,
                                 TChain TqoDataEntity_Link::*chain, TqoDataEntity_Link* TqoDataEntity_GantTime::*head) {
    if (item == end) return;
    TChain& mine = this->*chain;
    if (mine.Back) {
        *mine.Back = mine.Next;
        if (mine.Next) (mine.Next->*chain).Back = mine.Back;
        mine = {};
    }
    end = item;
    if (!item) return;
    mine.Next = item->*head;
    if (mine.Next) (mine.Next->*chain).Back = &mine.Next;
    item->*head = this;
    mine.Back = &(item->*head);
}

} // namespace qo
