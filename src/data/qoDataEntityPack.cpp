#include "data/qoDataEntityPack.h"

#include <algorithm>
#include <exception>

namespace qo {

// ---- TqoDataEntity ----

TqoListController* TqoDataEntity::Controller() const {
    return fDataList ? fDataList->fListController : nullptr;
}

int32_t TqoDataEntity::ListIndex() {
    if (fDataList) fDataList->EnsureListIndexes();
    return fListIndex;
}

void TqoDataEntity::DoInfoPush() {
    if (TqoListController* c = Controller()) c->OnInfoPush().Fire(this);
}

void TqoDataEntity::SetSelected(bool value) {
    if (fSelected == value) return;
    fSelected = value;
    if (TqoListController* c = Controller()) c->OnSelectionChanged().Fire(fDataList, this);
}

bool TqoDataEntity::GetCanEdit() {
    if (TqoListController* c = Controller()) c->OnBeforeCanEditItem().Fire(this);
    return fCanEdit;
}

void TqoDataEntity::SetVisible(bool value) {
    if (fVisible == value) return;
    fVisible = value;
    if (TqoListController* c = Controller()) c->OnVisibleChanged().Fire(this);
}

void TqoDataEntity::AfterCreate(TqoDataList* list) {
    fDataList = list;
    SetVisible(true);
}

void TqoDataEntity::CleanForFree() {
    // Whatever the handlers do, the entity ends without list; the host
    // reference goes last, as its release runs host code.
    struct TDetach {
        TqoDataEntity* fEntity;
        ~TDetach() {
            fEntity->fDataList = nullptr;
            fEntity->SetUserReference(nullptr);
        }
    } detach{this};
    if (TqoListController* c = Controller()) {
        c->OnDeleteItem().Fire(this);
        c->OnContentChanged().Fire(fDataList);
    }
}

void TqoDataEntity::Move(int32_t newIndex) {
    TqoDataList* list = fDataList;
    if (!list) return;
    if (newIndex < 0 || newIndex >= list->Count()) throw EListError(newIndex);
    {
        // This entity must survive the loading of the target position.
        TqoDataList::TKeepLoaded keep(*list);
        list->EnsureLoadedItem(newIndex);
    }
    const int32_t old = ListIndex();
    auto& items = list->fItems;
    const auto from = items.begin() + (old - list->fUnloadedPreCount);
    const auto to = items.begin() + (newIndex - list->fUnloadedPreCount);
    if (from < to)
        std::rotate(from, from + 1, to + 1);
    else
        std::rotate(to, from, from + 1);
    list->ListIndexesOutOfDate(std::min(old, newIndex));
    if (TqoListController* c = Controller()) c->OnHandlePerformedMove().Fire(this, old, newIndex);
}

void TqoDataEntity::ChangeOwner(TqoDataList* newList, int32_t index) {
    TqoDataList* oldList = fDataList;
    if (!newList || !oldList || newList == oldList || !newList->fDataEntityClass.IsInstance(this)) return;
    if (index < 0 || index > newList->LoadedCount()) throw EListError(index);
    if (TqoListController* c = oldList->fListController) c->OnLeaveOwnerBeforeChange().Fire(this);
    const int32_t old = ListIndex();
    oldList->fItems.erase(oldList->fItems.begin() + (old - oldList->fUnloadedPreCount));
    --oldList->fCount;
    oldList->ListIndexesOutOfDate(old);
    fDataList = newList;
    newList->fItems.insert(newList->fItems.begin() + index, this);
    ++newList->fCount;
    newList->ListIndexesOutOfDate(index + newList->fUnloadedPreCount);
    if (TqoListController* c = newList->fListController) {
        c->OnEnterOwnerAfterChange().Fire(this);
        c->OnContentChanged().Fire(newList);
    }
    if (TqoListController* c = oldList->fListController) c->OnContentChanged().Fire(oldList);
}

// ---- TqoDataList: structure ----

void TqoDataList::AfterCreate(TqoListController* controller, const TqoDataEntityClass& entityClass) {
    fListController = controller;
    fDataEntityClass = entityClass;
    ListIndexesOutOfDate(0);
}

TqoDataEntity* TqoDataList::Loaded(int32_t k) const {
    if (k < 0 || k >= LoadedCount()) throw EListError(k);
    return fItems[size_t(k)];
}

TqoDataEntity* TqoDataList::CreateItem() {
    TqoDataEntity* entity = fDataEntityClass.Create();
    entity->AfterCreate(this);
    entity->fDataList = this;
    return entity;
}

TqoDataEntity* TqoDataList::InsertItem(int32_t k) {
    TqoDataEntity* entity = CreateItem();
    const bool selected = entity->fSelected;
    entity->SetSelected(false);
    fItems.insert(fItems.begin() + k, entity);
    ++fCount;
    ListIndexesOutOfDate(k + fUnloadedPreCount);
    if (fListController) {
        fListController->OnInsertItem().Fire(entity);
        fListController->OnContentChanged().Fire(this);
    }
    entity->SetSelected(selected);
    return entity;
}

TqoDataEntity* TqoDataList::Insert(int32_t i) {
    const int32_t count = Count();
    if (i < 0 || i > count) throw EListError(i);
    EnsureLoadedItem(i);
    if (i == count && i > 0) EnsureLoadedItem(i - 1);
    return InsertItem(i - fUnloadedPreCount);
}

void TqoDataList::Delete(int32_t i) {
    if (i < 0 || i >= Count()) return;
    --fCount;
    if (IsLoaded(i)) {
        TqoDataEntity* entity = fItems[size_t(i - fUnloadedPreCount)];
        fItems.erase(fItems.begin() + (i - fUnloadedPreCount));
        ListIndexesOutOfDate(i);
        FreeDataEntity(entity);
    } else if (i < fUnloadedPreCount) {
        // Every loaded entity moves up by one.
        --fUnloadedPreCount;
        ListIndexesOutOfDate(i);
    }
}

void TqoDataList::Remove(TqoDataEntity* entity) {
    if (entity && entity->fDataList == this) Delete(entity->ListIndex());
}

int32_t TqoDataList::IndexOf(TqoDataEntity* entity) {
    if (!entity || entity->fDataList != this) return -1;
    return entity->ListIndex();
}

void TqoDataList::Clear() {
    while (!fItems.empty()) Delete(fUnloadedPreCount + LoadedCount() - 1);
    fUnloadedPreCount = 0;
    fCount = 0;
    if (fListController) fListController->OnUnLoadedContentChanged().Fire(this);
}

void TqoDataList::FreeDataEntity(TqoDataEntity* entity) {
    entity->FreeWheneverPossible();
}

void TqoDataList::CleanForFree() {
    // Every entity is freed even when a handler throws; the first error is passed on.
    std::exception_ptr error;
    for (size_t k = 0; k < fItems.size(); ++k) {
        try {
            FreeDataEntity(fItems[k]);
        } catch (...) {
            if (!error) error = std::current_exception();
        }
    }
    fItems.clear();
    fUnloadedPreCount = 0;
    fCount = 0;
    if (error) std::rethrow_exception(error);
}

// ---- TqoDataList: lazy list indexes ----

void TqoDataList::ListIndexesOutOfDate(int32_t i) {
    if (!fListIndexesOutOfDate || i < fOutOfDateFromIndex) fOutOfDateFromIndex = i;
    fListIndexesOutOfDate = true;
}

void TqoDataList::EnsureListIndexes() {
    if (fListIndexesOutOfDate) UpdateListIndexesFrom(fOutOfDateFromIndex);
    fListIndexesOutOfDate = false;
    fOutOfDateFromIndex = Count();
}

void TqoDataList::UpdateListIndexesFrom(int32_t i) {
    for (int32_t k = std::max(0, i - fUnloadedPreCount); k < LoadedCount(); ++k)
        fItems[size_t(k)]->fListIndex = k + fUnloadedPreCount;
}

// ---- TqoDataList: selection, order, visibility, search ----

void TqoDataList::ClearSelections() {
    for (size_t k = 0; k < fItems.size(); ++k) fItems[k]->SetSelected(false);
}

void TqoDataList::Sort(bool descending) {
    if (!fListController || !fListController->OnSortCompare()) return;
    LoadAll();
    // The comparison is bound to this list's controller; a handler that throws
    // leaves the list as it was.
    const TOnEntityCompare& compare = fListController->OnSortCompare();
    std::vector<TqoDataEntity*> sorted = fItems;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&compare](TqoDataEntity* a, TqoDataEntity* b) { return compare(a, b) < 0; });
    if (descending) std::reverse(sorted.begin(), sorted.end());
    fItems = std::move(sorted);
    ListIndexesOutOfDate(0);
    fListController->OnContentChanged().Fire(this);
}

int32_t TqoDataList::VisibleCount() const {
    return int32_t(
        std::count_if(fItems.begin(), fItems.end(), [](TqoDataEntity* e) { return e->GetVisible(); }));
}

bool TqoDataList::VisibleIndexDataEntity(int32_t i) {
    return ValidIndexDataEntity(i) && Items(i)->GetVisible();
}

int32_t TqoDataList::ListIndexToVisibleIndex(int32_t i) {
    if (i < 0) return -1;
    int32_t visible = -1;
    for (int32_t j = 0; j <= i && j < Count(); ++j)
        if (Items(j)->GetVisible()) ++visible;
    return visible;
}

int32_t TqoDataList::VisibleIndexToListIndex(int32_t v) {
    int32_t visible = -1;
    for (int32_t j = 0; j < Count(); ++j) {
        if (Items(j)->GetVisible()) ++visible;
        if (visible == v) return j;
    }
    return -1;
}

TqoDataEntity* TqoDataList::FindDataEntity(const TFindFunc& match) const {
    if (!match) return nullptr;
    for (TqoDataEntity* entity : fItems)
        if (match(entity)) return entity;
    return nullptr;
}

void TqoDataList::IteratorOfSelectedDataEntities(const TSelectedDataEntityEvent& call) {
    if (!call) return;
    for (size_t k = 0; k < fItems.size(); ++k)
        if (fItems[k]->fSelected) call(this, fItems[k]);
}

} // namespace qo
