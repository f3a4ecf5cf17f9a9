#pragma once
// Data entities and the lists that hold them. Every change is reported through
// the list's controller. A list may hold only a contiguous window of its
// entities while those before and after it are merely counted. Removing an
// entity costs the same in a long list as in a short one: it leaves a gap that
// the next indexed access past it closes, all gaps at once.
#include "data/qoDataEntityPackController.h"
#include "data/qoExposable.h"
#include "data/qoPtrVector.h"
#include "platform/core/qoClassRef.h"
#include "platform/core/qoErrors.h"

#include "qoChartixControl_TLB.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace qo {

using TqoDataEntityClass = TqoClassRef<TqoDataEntity>;
using TqoDataListClass = TqoClassRef<TqoDataList>;

class TqoDataEntity : public TqoExposable {
public:
    // Once freed, an entity holds no new host object: nothing would ever let
    // go of it (the entity's own interface in its variant keeps it alive forever).
    static constexpr const char* kFreedMessage = "Data entity was freed by its owner";

    TqoDataEntity() = default;

    // -1 while the entity is not in its list (being created, deleted or freed).
    int32_t ListIndex();
    // Orders the entities of one list as their indexes do, without closing the
    // gaps that removals left; -1 while the entity is not in its list.
    int32_t ListOrder();
    void Move(int32_t newIndex);
    // Moves the entity into newList at a position of its loaded window.
    void ChangeOwner(TqoDataList* newList, int32_t index);
    void DoInfoPush();

    bool GetSelected() const { return fSelected; }
    void SetSelected(bool value);
    bool GetCanEdit();
    void SetCanEdit(bool value) { fCanEdit = value; }
    virtual void SetVisible(bool value);
    virtual bool GetVisible() const { return fVisible; }
    virtual void AfterCreate(TqoDataList* list);

    TqoDataList* OwningDataList() const { return fDataList; }
    // A plain pointer for the program; an interface set through automation is
    // held with a reference of its own.
    void* UserReference() const {
        const TUserReferences* references = FoundUserReferences();
        return references ? references->Reference : nullptr;
    }
    void SetUserReference(void* value);
    int32_t UserIntegerReference() const { return fUserIntegerReference; }
    void SetUserIntegerReference(int32_t value) { fUserIntegerReference = value; }
    // Nil while no variant reference was set. Empty clears it; a freed entity
    // takes no other value.
    const VARIANT* UserVariantReference() const {
        const TUserReferences* references = FoundUserReferences();
        return references ? references->Variant.get() : nullptr;
    }
    void SetUserVariantReference(const VARIANT& value);

    // Automation: the object's own interface, and the members behind it.
    IqoDataEntity* AutoIntf() { return &fAuto; }
    IDispatch* DefaultDispatch() override { return &fAuto; }
    HRESULT ObjQueryInterface(REFIID iid, void** object) override;
    // Sets a host's reference as a host does, through the interface.
    HRESULT Set_UserReferenceX(IDispatch* value) { return fAuto.put_UserReference(value); }

protected:
    // A host may set a reference on an entity that its list has already let go of.
    ~TqoDataEntity() override;
    void CleanForFree() override;
    // A byte left to the entity's kind, in the room that the flags leave.
    uint8_t KindByte() const { return fKindByte; }
    void SetKindByte(uint8_t value) { fKindByte = value; }

private:
    friend class TqoDataList;
    friend class TqoAutoBase_IqoDataEntity<TqoDataEntity>;
    TqoListController* Controller() const;
    void ExchangeUserReference(void* value, bool held);
    // Rarely set, so kept apart in a table of their own rather than in every
    // entity: made on first use, they stay until the entity goes (host code run
    // by a release may still reach them).
    struct TUserReferences {
        void* Reference = nullptr;
        std::unique_ptr<TqoVariant> Variant;
    };
    TUserReferences& UserReferences();
    const TUserReferences* FoundUserReferences() const {
        return fHasUserReferences ? LookUpUserReferences() : nullptr;
    }
    TUserReferences* LookUpUserReferences() const;
    struct TUserReferenceTable;
    void CheckTakesReferences() const;

    // The members of IqoDataEntity.
    void Auto_DoInfoPush() { DoInfoPush(); }
    bool Auto_get_Selected() const { return fSelected; }
    void Auto_put_Selected(bool value) { SetSelected(value); }
    bool Auto_get_CanEdit() { return GetCanEdit(); }
    void Auto_put_CanEdit(bool value) { SetCanEdit(value); }
    IqoDataList* Auto_get_OwningDataList() const;
    IDispatch* Auto_get_UserReference() const;
    void Auto_put_UserReference(IDispatch* value);
    bool Auto_get_Visible() const { return GetVisible(); }
    void Auto_put_Visible(bool value) { SetVisible(value); }
    LONG Auto_get_UserIntegerReference() const { return fUserIntegerReference; }
    void Auto_put_UserIntegerReference(LONG value) { fUserIntegerReference = value; }
    void Auto_ChangeOwner(IqoDataList* newOwner, LONG index);
    TqoVariant Auto_get_UserVariantReference() const;
    void Auto_put_UserVariantReference(const VARIANT& value) { SetUserVariantReference(value); }

    // Flags in bits and the two integers side by side: every chart holds
    // entities by the hundred thousand.
    bool fSelected : 1 = false;
    bool fVisible : 1 = false;
    bool fCanEdit : 1 = false;
    bool fUserReferenceHeld : 1 = false;
    // From the moment its freeing lets go of its host references.
    bool fFreed : 1 = false;
    // Between placement in its list and being taken out of it.
    bool fInList : 1 = false;
    bool fHasUserReferences : 1 = false;
    uint8_t fKindByte = 0;
    int32_t fUserIntegerReference = 0;
    // The entity's slot in its list's window, plus the entities unloaded before
    // it: its index while no gap lies before it.
    int32_t fListIndex = -1;
    TqoDataList* fDataList = nullptr;
    TqoAutoBase_IqoDataEntity<TqoDataEntity> fAuto{*this};
};

// Once its owner has freed it, a list is detached: it is empty, reports to
// nobody, takes nothing new and fails every automation member, while a host
// that still holds it keeps valid memory.
class TqoDataList : public TqoExposable {
public:
    static constexpr int32_t kLoadWindow = 500;
    static constexpr const char* kDetachedMessage = "Data list was freed by its owner";
    static constexpr const char* kChangedWhileSortingMessage = "Data list was changed while sorting";

    TqoDataList() = default;
    virtual void AfterCreate(TqoListController* controller, const TqoDataEntityClass& entityClass);

    int32_t Count() const {
        const TState* state = FoundState();
        return int32_t(fItems.size()) + (state ? state->UnloadedPreCount + state->UnloadedPostCount - state->Gaps : 0);
    }
    int32_t LoadedCount() const { return int32_t(fItems.size()) - Gaps(); }
    TqoDataEntity* Loaded(int32_t k);
    bool IsLoaded(int32_t i) const { return i >= UnloadedPreCount() && i < UnloadedPreCount() + LoadedCount(); }
    // Nil out of range; loads the entity when it is not in memory.
    TqoDataEntity* Items(int32_t i) {
        if (uint32_t(i) < Direct()) [[likely]] // negative wraps past the end
            return fItems[size_t(i)];
        return EnsureLoadedItem(i);
    }
    TqoListController* ListController() const { return fKind->Controller; }
    bool Detached() const { return fDetached; }
    const TqoDataEntityClass& DataEntityClass() const { return fKind->EntityClass; }
    void* MiscObjectPointer() const { return FoundState() ? FoundState()->MiscObjectPointer : nullptr; }
    void SetMiscObjectPointer(void* value);
    int32_t UnloadedPreCount() const { return FoundState() ? FoundState()->UnloadedPreCount : 0; }
    int32_t UnloadedPostCount() const { return FoundState() ? FoundState()->UnloadedPostCount : 0; }

    TqoDataEntity* Add() { return Insert(Count()); }
    TqoDataEntity* Insert(int32_t i);
    void Delete(int32_t i);
    void Remove(TqoDataEntity* entity);
    void Clear();
    int32_t IndexOf(TqoDataEntity* entity);
    void ClearSelections();
    void Sort(bool descending);
    void EnsureListIndexes();

    int32_t VisibleCount() const;
    bool ValidIndexDataEntity(int32_t i) const { return i >= 0 && i < Count(); }
    bool VisibleIndexDataEntity(int32_t i);
    int32_t ListIndexToVisibleIndex(int32_t i);
    int32_t VisibleIndexToListIndex(int32_t v);
    TqoDataEntity* FindDataEntity(const TFindFunc& match) const;
    void IteratorOfSelectedDataEntities(const TSelectedDataEntityEvent& call);

    virtual void FreeDataEntity(TqoDataEntity* entity);

    // Every index in turn, loading as needed; nil when none matches.
    TqoDataEntity* FindFromUserIntegerReference(int32_t n);
    TqoDataEntity* FindFromUserReference(const void* reference);
    TqoDataEntity* FindFromUserVariantReference(const VARIANT& value);

    // Virtual loading.
    virtual void AddUnloaded(int32_t n);
    TqoDataEntity* EnsureLoadedItem(int32_t i);
    void LoadItems(int32_t from, int32_t to, bool inFront);
    bool CanUnload(TqoDataEntity* entity);
    void Unload(int32_t i, bool inFront);
    void Purge();
    void UnloadAll();

    // Automation: the object's own interfaces, with the same members in another order.
    IqoDataList* AutoIntf() { return &fAuto; }
    IDispatch* DefaultDispatch() override { return &fAuto; }
    HRESULT ObjQueryInterface(REFIID iid, void** object) override;
    // The error rule of every automation member; a detached list fails them all.
    template <class F> HRESULT Guard(REFIID iid, F&& body) noexcept {
        return TqoExposable::Guard(iid, [&] {
            CheckAttached();
            body();
        });
    }

protected:
    // Lets go of what a caller destroyed it without freeing it first still held.
    ~TqoDataList() override;
    void CleanForFree() override;

private:
    friend class TqoDataEntity;
    friend class TqoAutoBase_IqoDataList<TqoDataList>;
    friend class TqoAutoBase_IqoDataList2<TqoDataList, TqoAutoTearOffIntf>;
    struct TLoadRange {
        int32_t From, To;
        bool InFront;
    };
    // Keeps every entity in memory while an operation holds entity pointers
    // across loads.
    class TKeepLoaded {
    public:
        explicit TKeepLoaded(TqoDataList& list) : fList(list), fWas(list.fKeepLoaded) {
            list.fKeepLoaded = true;
        }
        ~TKeepLoaded() { fList.fKeepLoaded = fWas; }

    private:
        TqoDataList& fList;
        bool fWas;
    };

    // What only a list that loads virtually, was sorted, had entities
    // inserted or taken from its middle, or carries a misc pointer needs: a
    // plain list, all its entities in memory in order, keeps the defaults
    // without it. Made on first use; let go once the defaults hold again.
    struct TState : TqoListKind {
        int32_t UnloadedPreCount = 0;
        int32_t UnloadedPostCount = 0;
        int32_t Gaps = 0;
        // Indexes below this one are slots: the slots before the first gap
        // while no entity is unloaded in front of the window, else none.
        uint32_t Direct = 0;
        // The slots before the first gap, while there are gaps.
        uint32_t Dense = 0;
        // Slots from the first that are all gaps, as removals from the first
        // leave them: while every gap is among them, a position is a slot
        // that far on, and nothing needs to move or be renumbered.
        uint32_t Lead = 0;
        // Entities whose stored index is below this one hold their true slot.
        int32_t OutOfDateFromIndex = INT32_MAX;
        void* MiscObjectPointer = nullptr;
    };
    const TState* FoundState() const { return fOwnState ? static_cast<const TState*>(fKind) : nullptr; }
    // The state is the list's own: only the kinds it shares are constant.
    TState* FoundState() { return fOwnState ? static_cast<TState*>(const_cast<TqoListKind*>(fKind)) : nullptr; }
    TState& State();
    // Gives the state up when it holds nothing but the defaults.
    void SettleState();
    void SetKind(TqoListController* controller, const TqoDataEntityClass& entityClass);
    int32_t Gaps() const { return FoundState() ? FoundState()->Gaps : 0; }
    uint32_t Dense() const { return Gaps() ? FoundState()->Dense : uint32_t(fItems.size()); }
    int32_t OutOfDateFromIndex() const { return FoundState() ? FoundState()->OutOfDateFromIndex : INT32_MAX; }
    void SetUnloadedPreCount(int32_t n);
    void SetUnloadedPostCount(int32_t n);
    // Places the empty window before index i, the count kept.
    void MoveEmptyWindowTo(int32_t i);
    // Without state every slot is one.
    uint32_t Direct() const { return fOwnState ? FoundState()->Direct : uint32_t(fItems.size()); }
    // After every change of the window, its gaps or what lies before it.
    void Redirect() {
        if (TState* state = FoundState()) state->Direct = state->UnloadedPreCount ? 0 : Dense();
    }
    void ListIndexesOutOfDate(int32_t i);
    void ForgetWindow();
    void UpdateListIndexesFrom(int32_t i);
    // Closes the gaps; the slots after the first one move.
    void CloseGaps();
    // Whether the entity's stored index still tells its slot.
    bool SlotKnown(const TqoDataEntity* entity) const;
    // The slot of the loaded entity at window position k, or of an entity of the list.
    size_t SlotAt(int32_t k);
    size_t SlotOf(TqoDataEntity* entity);
    TqoDataEntity* LoadedAt(int32_t k) { return fItems[SlotAt(k)]; }
    void CheckAttached() const;
    TqoDataEntity* CreateItem();
    std::vector<TqoDataEntity*> CreateItems(int32_t from, int32_t to, bool inFront);
    // Frees an entity that was created but never placed in the list.
    static void Discard(TqoDataEntity* entity);
    // Places the entity at window position k (at most LoadedCount).
    void PlaceAt(int32_t k, TqoDataEntity* entity);
    // Takes the entity at a slot out, leaving a gap unless it was the last.
    void TakeOut(TqoDataEntity* entity, size_t slot);
    TqoDataEntity* TakeOutAt(size_t slot);
    // Deletes the loaded entity at a slot: the count goes down before its
    // freeing runs host code.
    void Delete(TqoDataEntity* entity, size_t slot);
    TqoDataEntity* InsertItem(int32_t i);
    bool WindowBorders(int32_t from, int32_t to, bool inFront) const;
    bool UnloadEnd(bool front);
    TLoadRange RangeToLoad(int32_t i) const;
    void LoadAll();

    // Flags first: they fill the bytes that the base leaves over.
    bool fKeepLoaded : 1 = false;
    bool fDetached : 1 = false;
    // Whether fKind is the list's own state.
    bool fOwnState : 1 = false;
    // The loaded window in order; a removed entity leaves nil (a gap) until
    // an indexed access past it, or gaps grown to half the slots, close them.
    // The last slot is never a gap.
    TPtrVector<TqoDataEntity> fItems;
    // The shared kind, or the list's own state that copies it.
    const TqoListKind* fKind = &TqoListKind::kNone;

    // The members of IqoDataList and IqoDataList2.
    void Auto_Sort(bool descending) { Sort(descending); }
    void Auto_ClearSelections() { ClearSelections(); }
    IqoDataEntity* Auto_Add();
    void Auto_Clear() { Clear(); }
    LONG Auto_Count() const { return Count(); }
    void Auto_Delete(LONG index) { Delete(index); }
    void Auto_Remove(IqoDataEntity* entity);
    LONG Auto_IndexOf(IqoDataEntity* entity);
    IqoDataEntity* Auto_get_Items(LONG index);
    IqoDataEntity* Auto_FindFromUserVariantReference(const VARIANT& value);
    IqoDataEntity* Auto_FindFromUserIntegerReference(LONG n);
    IqoDataEntity* Auto_FindFromUserReference(IDispatch* reference);
    IqoDataEntity* Auto_Insert(LONG index);
    void Auto_Move(LONG index, LONG newIndex);

    TqoAutoBase_IqoDataList<TqoDataList> fAuto{*this};
    // The second list interface, which few hosts use, is made on request.
    using TAuto2 = TqoAutoBase_IqoDataList2<TqoDataList, TqoAutoTearOffIntf>;
};

// An ordered set of members it does not own: the common part of the two- and
// three-level lists. An index beyond the end raises the list index error.
template <class T> class TqoListOfLists : public TqoExposable {
public:
    void AfterCreate() {}
    int32_t Count() const { return int32_t(fList.size()); }
    T* Member(int32_t i) const { return fList[CheckedIndex(i)]; }
    void SetItems(int32_t i, T* list) { fList[CheckedIndex(i)] = list; }
    void Delete(int32_t i) { fList.erase(fList.begin() + ptrdiff_t(CheckedIndex(i))); }
    void Remove(T* list) {
        if (const int32_t i = IndexOf(list); i >= 0) Delete(i);
    }
    int32_t IndexOf(T* list) const {
        const auto it = std::find(fList.begin(), fList.end(), list);
        return it == fList.end() ? -1 : int32_t(it - fList.begin());
    }
    void Clear() { fList.clear(); }

protected:
    void CleanForFree() override { Clear(); }
    size_t CheckedIndex(int32_t i) const {
        if (i < 0 || i >= Count()) throw EListError(i);
        return size_t(i);
    }

    TPtrVector<T> fList;
};

// The lists of one row's layers, or of the schedule's layers.
class TqoDataList2lev : public TqoListOfLists<TqoDataList> {
public:
    // Past the end an assigned OnMissingIndex may add the missing lists.
    TqoDataList* Items(int32_t i);
    // Appends only a list that is not yet a member.
    void Add(TqoDataList* list) {
        if (IndexOf(list) < 0) fList.push_back(list);
    }
    // Appends a list the caller has just made, without the membership search of Add.
    void Append(TqoDataList* list) { fList.push_back(list); }
    // Members stand once: searched from the end, where lists made last are
    // found at once when a whole set goes from the last to the first.
    void Remove(TqoDataList* list) {
        if (const auto it = std::find(fList.rbegin(), fList.rend(), list); it != fList.rend())
            fList.erase(std::next(it).base());
    }
    const TOnMissingIndex& OnMissingIndex() const { return fOnMissingIndex; }
    void SetOnMissingIndex(TOnMissingIndex e) { fOnMissingIndex = std::move(e); }
    // What the set belongs to, for a handler that many sets share; not owned.
    void* Owner() const { return fOwner; }
    void SetOwner(void* owner) { fOwner = owner; }

    // Selection across every entity of every member list.
    void ClearSelections();
    TqoDataEntity* FindSelected();
    void SelectDataEntity(TqoDataEntity* entity);
    void SelectNext() { StepSelection(true); }
    void SelectPrev() { StepSelection(false); }

private:
    void StepSelection(bool forward);
    TqoDataList* LiveMember(size_t k) const { return k < fList.size() ? fList[k] : nullptr; }

    TOnMissingIndex fOnMissingIndex;
    void* fOwner = nullptr;
};

// The layer sets of every row of a chart; a set may stand more than once.
class TqoDataList3lev : public TqoListOfLists<TqoDataList2lev> {
public:
    TqoDataList2lev* Items(int32_t i) const { return Member(i); }
    void Add(TqoDataList2lev* list) { fList.push_back(list); }
};

// Resolve an interface that a host passed in to the object behind it (see ResolveToObject).
TqoDataEntity* IDataEntity_TO_TDataEntity(IUnknown* intf);
TqoDataList* IDataList_TO_TDataList(IUnknown* intf);
TqoDataList2lev* IDataList2lev_TO_TDataList2lev(IUnknown* intf);

} // namespace qo
