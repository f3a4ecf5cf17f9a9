// Virtual loading: a list that knows of more entities than it holds creates
// them when they are first asked for, and unloads what its owner lets go of
// so that the loaded window stays small.
#include "data/qoDataEntityPack.h"

#include "platform/core/qoErrors.h"

#include <algorithm>

namespace qo {

void TqoDataList::AddUnloaded(int32_t n) {
    if (n < 0) throw EListError(n);
    fCount += n;
    if (fListController) {
        fListController->OnContentChanged().Fire(this);
        fListController->OnUnLoadedContentChanged().Fire(this);
    }
}

TqoDataList::TLoadRange TqoDataList::RangeToLoad(int32_t i) const {
    const int32_t end = fUnloadedPreCount + LoadedCount();
    if (i < fUnloadedPreCount) return {i, fUnloadedPreCount - 1, true};
    if (i > end && end > 0) return {end, i, false};
    return {i, i, false};
}

TqoDataEntity* TqoDataList::EnsureLoadedItem(int32_t i) {
    if (i < 0 || i >= Count()) return nullptr;
    if (IsLoaded(i)) return fItems[size_t(i - fUnloadedPreCount)];
    TLoadRange range = RangeToLoad(i);
    if (!fKeepLoaded && (range.To - range.From) + LoadedCount() > kLoadWindow) {
        UnloadAll();
        if (Count() == 0) return nullptr;
        i = std::min(i, Count() - 1);
        if (LoadedCount() == 0) {
            fUnloadedPreCount = i;
            return EnsureLoadedItem(i);
        }
        // Part of the window stayed: the range is measured from what is left.
        if (IsLoaded(i)) return fItems[size_t(i - fUnloadedPreCount)];
        range = RangeToLoad(i);
    }
    LoadItems(range.From, range.To, range.InFront);
    return fItems[size_t(i - fUnloadedPreCount)];
}

void TqoDataList::LoadItems(int32_t from, int32_t to, bool inFront) {
    if (fItems.empty() && fUnloadedPreCount == 0) fUnloadedPreCount = from;
    std::vector<TqoDataEntity*> created;
    created.reserve(size_t(to - from + 1));
    for (int32_t j = from; j <= to; ++j) {
        TqoDataEntity* entity = CreateItem();
        entity->fListIndex = j;
        created.push_back(entity);
    }
    const int32_t n = int32_t(created.size());
    if (inFront) {
        fItems.insert(fItems.begin(), created.begin(), created.end());
        fUnloadedPreCount -= n;
    } else {
        fItems.insert(fItems.end(), created.begin(), created.end());
    }
    if (!fListController || !fListController->OnLoadItem()) return;
    const TOnDataEntityNotify& onLoad = fListController->OnLoadItem();
    if (inFront)
        for (auto it = created.rbegin(); it != created.rend(); ++it) onLoad(*it);
    else
        for (TqoDataEntity* entity : created) onLoad(entity);
}

bool TqoDataList::CanUnload(TqoDataEntity* entity) {
    if (fKeepLoaded || !fListController || !fListController->OnUnLoadItem()) return false;
    bool mayUnload = false;
    fListController->OnUnLoadItem()(entity, mayUnload);
    return mayUnload;
}

void TqoDataList::Unload(int32_t i, bool inFront) {
    if (!IsLoaded(i)) throw EListError(i);
    TqoDataEntity* entity = fItems[size_t(i - fUnloadedPreCount)];
    fItems.erase(fItems.begin() + (i - fUnloadedPreCount));
    // The counts are settled before the handlers of the freeing see the list.
    if (inFront) ++fUnloadedPreCount;
    if (fItems.empty()) fUnloadedPreCount = 0;
    entity->FreeWheneverPossible();
}

void TqoDataList::Purge() {
    while (!fItems.empty() && CanUnload(fItems.front())) Unload(fUnloadedPreCount, true);
    while (!fItems.empty() && CanUnload(fItems.back())) Unload(fUnloadedPreCount + LoadedCount() - 1, false);
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
