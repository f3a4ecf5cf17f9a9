// The two-level list: its members on demand, and selection across all of them.
#include "data/qoDataEntityPack.h"
#include "data/qoDataTraveser.h"

namespace qo {

// ---- TqoDataList2lev ----

TqoDataList* TqoDataList2lev::Items(int32_t i) {
    if (i < Count() || !fOnMissingIndex) return Member(i);
    bool handled = false;
    fOnMissingIndex(this, i, handled);
    return handled ? Member(i) : nullptr;
}

// The selection and load handlers may change the members: they are read live.
void TqoDataList2lev::ClearSelections() {
    for (size_t k = 0; k < fList.size(); ++k)
        for (int32_t i = 0; LiveMember(k) && i < LiveMember(k)->Count(); ++i)
            if (TqoDataEntity* entity = LiveMember(k)->Items(i)) entity->SetSelected(false);
}

TqoDataEntity* TqoDataList2lev::FindSelected() {
    for (size_t k = 0; k < fList.size(); ++k)
        for (int32_t i = 0; LiveMember(k) && i < LiveMember(k)->Count(); ++i)
            if (TqoDataEntity* entity = LiveMember(k)->Items(i); entity && entity->GetSelected()) return entity;
    return nullptr;
}

void TqoDataList2lev::SelectDataEntity(TqoDataEntity* entity) {
    if (entity) entity->SetSelected(true);
}

// A single selection moves from the first selected entity one step on,
// wrapping around; without a selection the first (or last) entity is selected.
void TqoDataList2lev::StepSelection(bool forward) {
    TDataListTrav trav = TDataListTrav::CreateMulti(this);
    const auto outside = [&] { return forward ? trav.Eof() : trav.BOF(); };
    bool found = false;
    for (trav.First(); !trav.Eof() && !found;) {
        const TqoDataEntity* entity = trav.DataEntity();
        found = entity && entity->GetSelected();
        if (!found) trav.Next();
    }
    if (found) {
        ClearSelections();
        forward ? trav.Next() : trav.Prev();
    }
    if (!found || outside()) forward ? trav.First() : trav.Last();
    if (TqoDataEntity* entity = outside() ? nullptr : trav.DataEntity()) entity->SetSelected(true);
}

} // namespace qo
