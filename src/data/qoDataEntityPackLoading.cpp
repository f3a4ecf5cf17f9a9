// Virtual loading: a list that knows of more entities than it holds creates
// them when they are first asked for, and unloads what its owner lets go of
// so that the loaded window stays small.
#include "data/qoDataEntityPack.h"

#include "platform/core/qoErrors.h"

#include <algorithm>
#include <cassert>

namespace qo {

void TqoDataList::AddUnloaded(int32_t n) {
    CheckAttached();
    if (n < 0) throw EListError(n);
    SetUnloadedPostCount(UnloadedPostCount() + n);
    if (TqoListController* c = ListController()) {
        c->OnContentChanged().Fire(this);
        // The first handler may have freed the list's owner.
        if ((c = ListController())) c->OnUnLoadedContentChanged().Fire(this);
    }
}

TqoDataList::TLoadRange TqoDataList::RangeToLoad(int32_t i) const {
    const int32_t pre = UnloadedPreCount();
    const int32_t end = pre + LoadedCount();
    if (i < pre) return {i, pre - 1, true};
    if (i > end && end > 0) return {end, i, false};
    return {i, i, false};
}

TqoDataEntity* TqoDataList::EnsureLoadedItem(int32_t i) {
    if (i < 0 || i >= Count()) return nullptr;
    assert(Direct() == (UnloadedPreCount() ? 0 : Dense()) && "the direct indexes follow the window");
    if (IsLoaded(i)) return LoadedAt(i - UnloadedPreCount());
    TLoadRange range = RangeToLoad(i);
    if (!fKeepLoaded && (range.To - range.From) + LoadedCount() > kLoadWindow) {
        UnloadAll();
        if (Count() == 0) return nullptr;
        i = std::min(i, Count() - 1);
        if (LoadedCount() == 0) {
            MoveEmptyWindowTo(i);
            return EnsureLoadedItem(i);
        }
        // Part of the window stayed: the range is measured from what is left.
        if (IsLoaded(i)) return LoadedAt(i - UnloadedPreCount());
        range = RangeToLoad(i);
    }
    LoadItems(range.From, range.To, range.InFront);
    // The load handlers ran host code that may have changed the window.
    return IsLoaded(i) ? LoadedAt(i - UnloadedPreCount()) : nullptr;
}

// Whether the range still borders the window where the load was planned.
bool TqoDataList::WindowBorders(int32_t from, int32_t to, bool inFront) const {
    const int32_t pre = fItems.empty() && UnloadedPreCount() == 0 ? from : UnloadedPreCount();
    return inFront ? from >= 0 && to == pre - 1 : from == pre + LoadedCount() && to < Count();
}

// Creates the entities of a range; when a creation handler raises, or host
// code run by the handlers moved the window, none of them stays.
std::vector<TqoDataEntity*> TqoDataList::CreateItems(int32_t from, int32_t to, bool inFront) {
    std::vector<TqoDataEntity*> created;
    created.reserve(size_t(to - from + 1));
    try {
        for (int32_t j = from; j <= to; ++j) created.push_back(CreateItem());
        CheckAttached();
        if (!WindowBorders(from, to, inFront)) throw EListError(from);
    } catch (...) {
        for (TqoDataEntity* entity : created) Discard(entity);
        throw;
    }
    return created;
}

void TqoDataList::LoadItems(int32_t from, int32_t to, bool inFront) {
    const std::vector<TqoDataEntity*> created = CreateItems(from, to, inFront);
    CloseGaps();
    if (fItems.empty() && UnloadedPreCount() == 0) MoveEmptyWindowTo(from);
    const int32_t n = int32_t(created.size());
    if (inFront) {
        fItems.insert(fItems.begin(), created.begin(), created.end());
        SetUnloadedPreCount(UnloadedPreCount() - n);
    } else {
        fItems.insert(fItems.end(), created.begin(), created.end());
        SetUnloadedPostCount(UnloadedPostCount() - n);
    }
    Redirect();
    for (int32_t k = 0; k < n; ++k) {
        created[size_t(k)]->fInList = true;
        created[size_t(k)]->fListIndex = from + k;
    }
    if (!ListController() || !ListController()->OnLoadItem()) return;
    // A copy: a handler may assign the event anew or free the list's owner.
    const TOnDataEntityNotify onLoad = ListController()->OnLoadItem();
    if (inFront)
        for (auto it = created.rbegin(); it != created.rend(); ++it) onLoad(*it);
    else
        for (TqoDataEntity* entity : created) onLoad(entity);
}

bool TqoDataList::CanUnload(TqoDataEntity* entity) {
    TqoListController* c = ListController();
    if (fKeepLoaded || !c || !c->OnUnLoadItem()) return false;
    bool mayUnload = false;
    c->OnUnLoadItem()(entity, mayUnload);
    return mayUnload;
}

void TqoDataList::Unload(int32_t i, bool inFront) {
    if (!IsLoaded(i)) throw EListError(i);
    TqoDataEntity* entity = TakeOutAt(SlotAt(i - UnloadedPreCount()));
    // The counts are settled before the handlers of the freeing see the list;
    // no gap may stand before the window's start when it moves.
    if (inFront) {
        CloseGaps();
        SetUnloadedPreCount(UnloadedPreCount() + 1);
    } else {
        SetUnloadedPostCount(UnloadedPostCount() + 1);
    }
    if (fItems.empty()) MoveEmptyWindowTo(0);
    entity->FreeWheneverPossible();
}

// The handler that allows an unload runs host code: the entity it allowed must
// still stand at that end of the window.
bool TqoDataList::UnloadEnd(bool front) {
    if (front) CloseGaps();
    if (fItems.empty()) return false;
    TqoDataEntity* entity = front ? fItems.front() : fItems.back();
    if (!CanUnload(entity) || fItems.empty() || entity != (front ? fItems.front() : fItems.back())) return false;
    Unload(front ? UnloadedPreCount() : UnloadedPreCount() + LoadedCount() - 1, front);
    return true;
}

void TqoDataList::Purge() {
    while (UnloadEnd(true)) {
    }
    while (UnloadEnd(false)) {
    }
}

void TqoDataList::UnloadAll() {
    ClearSelections();
    Purge();
}

void TqoDataList::LoadAll() {
    TKeepLoaded keep(*this);
    for (int32_t j = 0; j < Count(); ++j) Items(j);
}

} // namespace qo
