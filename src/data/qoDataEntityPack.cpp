#include "data/qoDataEntityPack.h"

#include <algorithm>
#include <cstdint>
#include <exception>

namespace qo {

// ---- TqoDataEntity ----

TqoListController* TqoDataEntity::Controller() const {
    return fDataList ? fDataList->ListController() : nullptr;
}

// Slots below the first change since the last renumbering still hold, and a
// slot before the first gap is the index: an entity there needs no
// renumbering of the rest (deleting several entities from the back of a long
// list stays cheap).
int32_t TqoDataEntity::ListIndex() {
    if (!fInList) return -1;
    TqoDataList* list = fDataList;
    if (!list->SlotKnown(this) || size_t(fListIndex - list->UnloadedPreCount()) >= list->Dense())
        list->EnsureListIndexes();
    return fListIndex;
}

int32_t TqoDataEntity::ListOrder() {
    return fInList ? int32_t(fDataList->SlotOf(this)) + fDataList->UnloadedPreCount() : -1;
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
    // references go last, as their release runs host code (and a variant that
    // holds the entity or its list would otherwise keep them alive forever).
    // That host code finds an entity that takes no new reference.
    struct TDetach {
        TqoDataEntity* fEntity;
        ~TDetach() {
            fEntity->fDataList = nullptr;
            fEntity->fFreed = true;
            fEntity->SetUserReference(nullptr);
            fEntity->SetUserVariantReference(TqoVariant());
        }
    } detach{this};
    if (TqoListController* c = Controller()) {
        c->OnDeleteItem().Fire(this);
        c->OnContentChanged().Fire(fDataList);
    }
}

void TqoDataEntity::Move(int32_t newIndex) {
    TqoDataList* list = fDataList;
    if (!fInList) return;
    if (newIndex < 0 || newIndex >= list->Count()) throw EListError(newIndex);
    {
        // This entity must survive the loading of the target position.
        TqoDataList::TKeepLoaded keep(*list);
        list->EnsureLoadedItem(newIndex);
    }
    // Loading ran handlers that may have changed the list or taken this entity out.
    if (!fInList || fDataList != list) return;
    if (!list->IsLoaded(newIndex)) throw EListError(newIndex);
    list->CloseGaps();
    const int32_t old = ListIndex();
    auto& items = list->fItems;
    const auto from = items.begin() + (old - list->UnloadedPreCount());
    const auto to = items.begin() + (newIndex - list->UnloadedPreCount());
    if (from < to)
        std::rotate(from, from + 1, to + 1);
    else
        std::rotate(to, from, from + 1);
    list->ListIndexesOutOfDate(std::min(old, newIndex));
    if (TqoListController* c = Controller()) c->OnHandlePerformedMove().Fire(this, old, newIndex);
}

void TqoDataEntity::ChangeOwner(TqoDataList* newList, int32_t index) {
    TqoDataList* oldList = fDataList;
    const auto check = [&] {
        if (!newList || !fInList || newList == oldList || !newList->DataEntityClass().IsInstance(this))
            return false;
        newList->CheckAttached();
        if (index < 0 || index > newList->LoadedCount()) throw EListError(index);
        return true;
    };
    if (!check()) return;
    if (TqoListController* c = oldList->ListController()) c->OnLeaveOwnerBeforeChange().Fire(this);
    // The handler may have changed either list or taken this entity out.
    if (fDataList != oldList || !check()) return;
    oldList->TakeOut(this, oldList->SlotOf(this));
    fDataList = newList;
    newList->PlaceAt(index, this);
    if (TqoListController* c = newList->ListController()) {
        c->OnEnterOwnerAfterChange().Fire(this);
        c->OnContentChanged().Fire(newList);
    }
    if (TqoListController* c = oldList->ListController()) c->OnContentChanged().Fire(oldList);
}

// ---- TqoDataList: structure ----

void TqoDataList::AfterCreate(TqoListController* controller, const TqoDataEntityClass& entityClass) {
    SetKind(controller, entityClass);
    ListIndexesOutOfDate(0);
}

TqoDataEntity* TqoDataList::Loaded(int32_t k) {
    if (k < 0 || k >= LoadedCount()) throw EListError(k);
    return LoadedAt(k);
}

TqoDataList::~TqoDataList() {
    for (TqoDataEntity* entity : fItems) {
        if (!entity) continue;
        entity->fDataList = nullptr;
        entity->fInList = false;
        FreeCall(entity);
    }
    delete FoundState();
}

void TqoDataList::CheckAttached() const {
    if (fDetached) throw EqoError(kDetachedMessage);
}

// The creation handlers run host code; an entity whose handler raises goes again.
TqoDataEntity* TqoDataList::CreateItem() {
    TqoDataEntity* entity = DataEntityClass().Create();
    try {
        entity->AfterCreate(this);
    } catch (...) {
        Discard(entity);
        throw;
    }
    entity->fDataList = this;
    return entity;
}

void TqoDataList::Discard(TqoDataEntity* entity) {
    entity->fDataList = nullptr;
    entity->FreeWheneverPossible();
}

// Takes the entity out of the list before anything may free it, so that host
// code run by the freeing never finds it there. No other entity moves.
void TqoDataList::TakeOut(TqoDataEntity* entity, size_t slot) {
    entity->fInList = false;
    entity->fListIndex = -1;
    if (slot + 1 < fItems.size()) {
        const uint32_t dense = std::min(Dense(), uint32_t(slot));
        fItems[slot] = nullptr;
        TState& state = State();
        state.Dense = dense;
        ++state.Gaps;
        while (state.Lead < fItems.size() && !fItems[state.Lead]) ++state.Lead;
        Redirect();
        // Gaps never outnumber the entities: closing them costs at most what the removals did.
        if (state.Gaps > LoadedCount()) CloseGaps();
        return;
    }
    fItems.pop_back();
    while (!fItems.empty() && !fItems.back()) {
        fItems.pop_back();
        --State().Gaps;
    }
    if (TState* state = FoundState()) state->Lead = std::min(state->Lead, uint32_t(fItems.size()));
    Redirect();
    SettleState();
}

TqoDataEntity* TqoDataList::TakeOutAt(size_t slot) {
    TqoDataEntity* entity = fItems[slot];
    TakeOut(entity, slot);
    return entity;
}

void TqoDataList::Delete(TqoDataEntity* entity, size_t slot) {
    TakeOut(entity, slot);
    FreeDataEntity(entity);
}

void TqoDataList::PlaceAt(int32_t k, TqoDataEntity* entity) {
    entity->fInList = true;
    if (k == LoadedCount()) {
        // Appending moves no other entity: the new one knows its slot at once.
        entity->fListIndex = UnloadedPreCount() + int32_t(fItems.size());
        fItems.push_back(entity);
        Redirect();
        return;
    }
    CloseGaps();
    fItems.insert(fItems.begin() + k, entity);
    Redirect();
    ListIndexesOutOfDate(k + UnloadedPreCount());
}

TqoDataEntity* TqoDataList::InsertItem(int32_t i) {
    TqoDataEntity* entity = CreateItem();
    const bool selected = entity->fSelected;
    try {
        entity->SetSelected(false);
        // The handlers ran host code: the position is checked against the list as it is now.
        CheckAttached();
        if (i < UnloadedPreCount() || i > UnloadedPreCount() + LoadedCount()) throw EListError(i);
    } catch (...) {
        Discard(entity);
        throw;
    }
    PlaceAt(i - UnloadedPreCount(), entity);
    // The handlers run host code: it may delete the entity again, or free the
    // list's owner, which detaches the list. An entity gone is not returned.
    const TqoKeepAlive<TqoDataEntity> keep({entity});
    if (TqoListController* c = ListController()) c->OnInsertItem().Fire(entity);
    if (TqoListController* c = ListController()) c->OnContentChanged().Fire(this);
    if (entity->OwningDataList() != this) return nullptr;
    entity->SetSelected(selected);
    return entity;
}

// Loading runs host code that may change the list: every count is read again after it.
TqoDataEntity* TqoDataList::Insert(int32_t i) {
    CheckAttached();
    if (i < 0 || i > Count()) throw EListError(i);
    EnsureLoadedItem(i);
    if (i == Count() && i > 0) EnsureLoadedItem(i - 1);
    return InsertItem(i);
}

void TqoDataList::Delete(int32_t i) {
    if (i < 0 || i >= Count()) return;
    if (IsLoaded(i)) {
        const size_t slot = SlotAt(i - UnloadedPreCount());
        return Delete(fItems[slot], slot);
    }
    if (i < UnloadedPreCount()) {
        // Every loaded entity moves up by one.
        SetUnloadedPreCount(UnloadedPreCount() - 1);
        ListIndexesOutOfDate(i);
    } else {
        SetUnloadedPostCount(UnloadedPostCount() - 1);
    }
}

// The entity's slot is at hand: no gap is closed and nothing renumbered.
void TqoDataList::Remove(TqoDataEntity* entity) {
    if (entity && entity->fDataList == this && entity->fInList) Delete(entity, SlotOf(entity));
}

int32_t TqoDataList::IndexOf(TqoDataEntity* entity) {
    if (!entity || entity->fDataList != this) return -1;
    return entity->ListIndex();
}

void TqoDataList::Clear() {
    while (!fItems.empty()) Delete(fItems.back(), fItems.size() - 1);
    ForgetWindow();
    if (TqoListController* c = ListController()) c->OnUnLoadedContentChanged().Fire(this);
}

void TqoDataList::FreeDataEntity(TqoDataEntity* entity) {
    entity->FreeWheneverPossible();
}

// Detaches first, so that host code run by the freeing cannot add to the list;
// then frees the entities as Clear does, each taken out before it goes. Every
// entity is freed even when a handler throws; the first error is passed on.
void TqoDataList::CleanForFree() {
    fDetached = true;
    ForgetWindow();
    std::exception_ptr error;
    while (!fItems.empty()) {
        TqoDataEntity* entity = TakeOutAt(fItems.size() - 1);
        try {
            FreeDataEntity(entity);
        } catch (...) {
            if (!error) error = std::current_exception();
        }
    }
    SetKind(nullptr, DataEntityClass());
    ForgetWindow();
    if (error) std::rethrow_exception(error);
}

// ---- TqoDataList: lazy list indexes and gaps ----

// An index at or past the window's end leaves every entity its slot: those
// appended later know theirs.
void TqoDataList::ListIndexesOutOfDate(int32_t i) {
    if (i < std::min(OutOfDateFromIndex(), UnloadedPreCount() + int32_t(fItems.size())))
        State().OutOfDateFromIndex = i;
}

bool TqoDataList::SlotKnown(const TqoDataEntity* entity) const {
    return entity->fListIndex >= 0 && entity->fListIndex < OutOfDateFromIndex();
}

void TqoDataList::EnsureListIndexes() {
    CloseGaps();
    if (TState* state = FoundState(); state && state->OutOfDateFromIndex != INT32_MAX) {
        UpdateListIndexesFrom(state->OutOfDateFromIndex);
        state->OutOfDateFromIndex = INT32_MAX;
    }
    SettleState();
}

// Only the loaded entities stay counted; an empty window has nothing to renumber.
void TqoDataList::ForgetWindow() {
    SetUnloadedPreCount(0);
    SetUnloadedPostCount(0);
    if (TState* state = FoundState(); state && fItems.empty()) state->OutOfDateFromIndex = INT32_MAX;
    SettleState();
}

void TqoDataList::CloseGaps() {
    TState* state = FoundState();
    if (!state || !state->Gaps) return;
    ListIndexesOutOfDate(int32_t(state->Dense) + state->UnloadedPreCount);
    const auto first = fItems.begin() + ptrdiff_t(state->Dense);
    if (state->Gaps == 1)
        fItems.erase(first); // as removals by index one at a time leave: one move
    else
        fItems.erase(std::remove(first, fItems.end(), nullptr), fItems.end());
    state->Gaps = 0;
    state->Lead = 0;
    Redirect();
}

// The last slot is never a gap: deleting from the back closes none, nor does
// deleting from the front.
size_t TqoDataList::SlotAt(int32_t k) {
    if (size_t(k) < Dense()) return size_t(k);
    if (k == LoadedCount() - 1) return fItems.size() - 1;
    if (const TState* state = FoundState(); state && state->Lead == uint32_t(state->Gaps)) return size_t(k) + state->Lead;
    CloseGaps();
    return size_t(k);
}

size_t TqoDataList::SlotOf(TqoDataEntity* entity) {
    if (!SlotKnown(entity)) EnsureListIndexes();
    return size_t(entity->fListIndex - UnloadedPreCount());
}

void TqoDataList::UpdateListIndexesFrom(int32_t i) {
    const int32_t pre = UnloadedPreCount();
    for (int32_t k = std::max(0, i - pre); k < LoadedCount(); ++k)
        fItems[size_t(k)]->fListIndex = k + pre;
}

// ---- TqoDataList: selection, order, visibility, search ----

// The selection handlers may change the list: the slots are read live.
void TqoDataList::ClearSelections() {
    for (size_t k = 0; k < fItems.size(); ++k)
        if (TqoDataEntity* entity = fItems[k]) entity->SetSelected(false);
}

void TqoDataList::Sort(bool descending) {
    if (!ListController() || !ListController()->OnSortCompare()) return;
    LoadAll();
    if (!ListController() || !ListController()->OnSortCompare()) return;
    CloseGaps();
    // The comparison is bound to this list's controller; a handler that throws
    // leaves the list as it was. The handler runs host code: the entities stay
    // in memory while it does, and a list that it changed is not sorted.
    const TOnEntityCompare compare = ListController()->OnSortCompare();
    const TqoKeepAlive<TqoDataEntity> before({fItems.begin(), fItems.end()});
    std::vector<TqoDataEntity*> sorted(fItems.begin(), fItems.end());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&compare](TqoDataEntity* a, TqoDataEntity* b) { return compare(a, b) < 0; });
    if (!std::equal(fItems.begin(), fItems.end(), before.Objects().begin(), before.Objects().end()))
        throw EqoError(kChangedWhileSortingMessage);
    if (descending) std::reverse(sorted.begin(), sorted.end());
    fItems.assign(sorted.begin(), sorted.end());
    ListIndexesOutOfDate(0);
    ListController()->OnContentChanged().Fire(this);
}

int32_t TqoDataList::VisibleCount() const {
    return int32_t(
        std::count_if(fItems.begin(), fItems.end(), [](TqoDataEntity* e) { return e && e->GetVisible(); }));
}

// Loading runs handlers that may shrink the list: an index may then yield nil.
bool TqoDataList::VisibleIndexDataEntity(int32_t i) {
    TqoDataEntity* entity = ValidIndexDataEntity(i) ? Items(i) : nullptr;
    return entity && entity->GetVisible();
}

int32_t TqoDataList::ListIndexToVisibleIndex(int32_t i) {
    if (i < 0) return -1;
    int32_t visible = -1;
    for (int32_t j = 0; j <= i && j < Count(); ++j)
        if (TqoDataEntity* entity = Items(j); entity && entity->GetVisible()) ++visible;
    return visible;
}

int32_t TqoDataList::VisibleIndexToListIndex(int32_t v) {
    int32_t visible = -1;
    for (int32_t j = 0; j < Count(); ++j) {
        if (TqoDataEntity* entity = Items(j); entity && entity->GetVisible()) ++visible;
        if (visible == v) return j;
    }
    return -1;
}

TqoDataEntity* TqoDataList::FindDataEntity(const TFindFunc& match) const {
    if (!match) return nullptr;
    for (size_t k = 0; k < fItems.size(); ++k)
        if (TqoDataEntity* entity = fItems[k]; entity && match(entity)) return entity;
    return nullptr;
}

// Visits a snapshot: every entity selected at the start that is still in this
// list and still selected when its turn comes, once, in list order. The call
// may delete, deselect or add entities; what it adds is not visited.
void TqoDataList::IteratorOfSelectedDataEntities(const TSelectedDataEntityEvent& call) {
    if (!call) return;
    std::vector<TqoDataEntity*> selected;
    for (TqoDataEntity* entity : fItems)
        if (entity && entity->fSelected) selected.push_back(entity);
    const TqoKeepAlive<TqoDataEntity> keep(std::move(selected));
    for (TqoDataEntity* entity : keep.Objects())
        if (entity->fInList && entity->fDataList == this && entity->fSelected) call(this, entity);
}

} // namespace qo
