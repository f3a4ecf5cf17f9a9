#include "gantt/qoTimeItem.h"

#include "gantt/qoGantRow.h"
#include "gantt/qoLink.h"
#include "gantt/qoTimeItemText.h"

namespace qo {

TqoDataEntity_GantTime::TqoDataEntity_GantTime() = default;

TqoDataEntity_GantTime::~TqoDataEntity_GantTime() { ForgetLinks(); }

TGantRow* TqoDataEntity_GantTime::Row() const {
    const auto* layer = dynamic_cast<const TqoDataList_GantRow*>(OwningDataList());
    return layer ? layer->Row() : nullptr;
}

TqoDataEntity_GantTime::TExtras& TqoDataEntity_GantTime::Extras() {
    if (!fExtras) fExtras = std::make_unique<TExtras>();
    return *fExtras;
}

TqoTimeItemTextCollection* TqoDataEntity_GantTime::TextCollection() {
    if (!Has(kTextsGiven)) return nullptr;
    TqoTimeItemTextCollection& texts = Extras().Texts;
    if (!Has(kTextsMade)) {
        Mark(kTextsMade);
        const TGantRow* row = Row();
        if (IGantRowOwner* gant = row ? row->Gant() : nullptr) texts.SetOnStyleSet(gant->TimeItemTextStyleSet());
    }
    return &texts;
}

TqoDataEntity_Link* TqoDataEntity_GantTime::FirstOwnedLink() const { return LinkArena::LinkOf(fFirstOwnedLink); }

TqoDataEntity_Link* TqoDataEntity_GantTime::FirstTargetLink() const { return LinkArena::LinkOf(fFirstTargetLink); }

std::vector<TqoDataEntity_Link*> TqoDataEntity_GantTime::Links() const {
    std::vector<TqoDataEntity_Link*> links;
    for (TqoDataEntity_Link* link = FirstOwnedLink(); link; link = link->NextOfOwner()) links.push_back(link);
    for (TqoDataEntity_Link* link = FirstTargetLink(); link; link = link->NextOfTarget())
        if (link->LinkOwner() != this) links.push_back(link);
    // Whoever asks for the links mostly goes on to their other ends.
    for (const TqoDataEntity_Link* link : links)
        __builtin_prefetch(link->LinkOwner() == this ? link->LinkedTo() : link->LinkOwner());
    return links;
}

// The handlers of the deletion still see the item's links; whatever they do,
// the links lose this end afterwards.
void TqoDataEntity_GantTime::CleanForFree() {
    // The handlers reach the first links soon, after misses of their own on
    // the row: fetching the links now overlaps the waits.
    for (const TLinkNumber head : {fFirstOwnedLink, fFirstTargetLink})
        if (const TqoDataEntity_Link* link = LinkArena::LinkOf(head)) {
            __builtin_prefetch(link);
            __builtin_prefetch(reinterpret_cast<const char*>(link) + sizeof(*link) - 1);
        }
    struct TForget {
        TqoDataEntity_GantTime* fItem;
        ~TForget() { fItem->ForgetLinks(); }
    } forget{this};
    TqoDataEntity::CleanForFree();
}

void TqoDataEntity_GantTime::ForgetLinks() {
    while (TqoDataEntity_Link* link = FirstOwnedLink()) link->SetLinkOwner(nullptr);
    while (TqoDataEntity_Link* link = FirstTargetLink()) link->SetLinkedTo(nullptr);
}

} // namespace qo
