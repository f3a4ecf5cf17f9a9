// The automation members of entities and lists. Each traps its errors: a
// host receives a failure code with the message as the error description.
#include "data/qoDataEntityPack.h"

#include <mutex>
#include <unordered_map>

namespace qo {

// ---- references held for hosts ----

void TqoDataEntity::SetUserReference(void* value) {
    ExchangeUserReference(value, false);
}

// The release runs host code that may set the reference again: the field
// holds the new value before the old one goes.
void TqoDataEntity::ExchangeUserReference(void* value, bool held) {
    if (!value && !fHasUserReferences) return;
    void* old = std::exchange(UserReferences().Reference, value);
    const bool oldHeld = fUserReferenceHeld;
    fUserReferenceHeld = held;
    if (oldHeld) static_cast<IUnknown*>(old)->Release();
}

// The references of the entities that have any. Entities may go on any
// thread (the last release of a host), so the table is locked; it is never
// destroyed, as entities may outlive the program's statics.
struct TqoDataEntity::TUserReferenceTable {
    std::mutex Lock;
    std::unordered_map<const TqoDataEntity*, std::unique_ptr<TUserReferences>> Of;

    static TUserReferenceTable& Instance() {
        static auto* table = new TUserReferenceTable;
        return *table;
    }
};

TqoDataEntity::TUserReferences* TqoDataEntity::LookUpUserReferences() const {
    TUserReferenceTable& table = TUserReferenceTable::Instance();
    const std::lock_guard<std::mutex> lock(table.Lock);
    const auto found = table.Of.find(this);
    return found == table.Of.end() ? nullptr : found->second.get();
}

TqoDataEntity::TUserReferences& TqoDataEntity::UserReferences() {
    if (TUserReferences* references = fHasUserReferences ? LookUpUserReferences() : nullptr) return *references;
    auto made = std::make_unique<TUserReferences>();
    TUserReferences& references = *made;
    TUserReferenceTable& table = TUserReferenceTable::Instance();
    {
        const std::lock_guard<std::mutex> lock(table.Lock);
        table.Of.emplace(this, std::move(made));
    }
    fHasUserReferences = true;
    return references;
}

// The references' last release runs host code: outside the lock.
TqoDataEntity::~TqoDataEntity() {
    SetUserReference(nullptr);
    if (!fHasUserReferences) return;
    std::unique_ptr<TUserReferences> gone;
    TUserReferenceTable& table = TUserReferenceTable::Instance();
    {
        const std::lock_guard<std::mutex> lock(table.Lock);
        const auto found = table.Of.find(this);
        gone = std::move(found->second);
        table.Of.erase(found);
    }
    fHasUserReferences = false;
}

void TqoDataEntity::CheckTakesReferences() const {
    if (fFreed) throw EqoError(kFreedMessage);
}

void TqoDataEntity::SetUserVariantReference(const VARIANT& value) {
    if (value.vt == VT_EMPTY) {
        // reset stores nil before the old value goes, whose release may run
        // host code that sets the reference again.
        if (fHasUserReferences) UserReferences().Variant.reset();
        return;
    }
    CheckTakesReferences();
    auto copy = std::make_unique<TqoVariant>();
    const HRESULT hr =
        VariantCopyInd(copy.get(), const_cast<VARIANT*>(&value)); // the platform call does not change it
    if (FAILED(hr)) throw EOleError(hr, "Invalid variant");
    UserReferences().Variant = std::move(copy);
}

// ---- resolution ----

TqoDataEntity* IDataEntity_TO_TDataEntity(IUnknown* intf) {
    return ResolveToObjectOf<TqoDataEntity>(intf);
}

TqoDataList* IDataList_TO_TDataList(IUnknown* intf) {
    return ResolveToObjectOf<TqoDataList>(intf);
}

TqoDataList2lev* IDataList2lev_TO_TDataList2lev(IUnknown* intf) {
    return ResolveToObjectOf<TqoDataList2lev>(intf);
}

namespace {

// Borrowed: the forwarding base adds the caller's reference.
IqoDataEntity* IntfOf(TqoDataEntity* entity) {
    return entity ? entity->AutoIntf() : nullptr;
}

} // namespace

// ---- TqoDataEntity ----

HRESULT TqoDataEntity::ObjQueryInterface(REFIID iid, void** object) {
    if (object && iid == IID_IqoDataEntity) return GiveInterface(AutoIntf(), object);
    return TqoExposable::ObjQueryInterface(iid, object);
}

IqoDataList* TqoDataEntity::Auto_get_OwningDataList() const {
    return fDataList ? fDataList->AutoIntf() : nullptr;
}

// Only an interface that a host set is handed back; a plain program pointer is not one.
IDispatch* TqoDataEntity::Auto_get_UserReference() const {
    return fUserReferenceHeld ? static_cast<IDispatch*>(UserReference()) : nullptr;
}

void TqoDataEntity::Auto_put_UserReference(IDispatch* value) {
    if (value) CheckTakesReferences();
    ExchangeUserReference(AddRefed(value), value != nullptr);
}

void TqoDataEntity::Auto_ChangeOwner(IqoDataList* newOwner, LONG index) {
    ChangeOwner(IDataList_TO_TDataList(newOwner), index);
}

TqoVariant TqoDataEntity::Auto_get_UserVariantReference() const {
    const TUserReferences* references = FoundUserReferences();
    return references && references->Variant ? *references->Variant : TqoVariant();
}

// ---- TqoDataList ----

HRESULT TqoDataList::ObjQueryInterface(REFIID iid, void** object) {
    if (object && iid == IID_IqoDataList) return GiveInterface(AutoIntf(), object);
    if (object && iid == IID_IqoDataList2) return TAuto2::Give(*this, object);
    return TqoExposable::ObjQueryInterface(iid, object);
}

TqoDataEntity* TqoDataList::FindFromUserIntegerReference(int32_t n) {
    for (int32_t i = 0; i < Count(); ++i)
        if (TqoDataEntity* e = Items(i); e && e->fUserIntegerReference == n) return e;
    return nullptr;
}

TqoDataEntity* TqoDataList::FindFromUserReference(const void* reference) {
    for (int32_t i = 0; i < Count(); ++i)
        if (TqoDataEntity* e = Items(i); e && e->UserReference() == reference) return e;
    return nullptr;
}

TqoDataEntity* TqoDataList::FindFromUserVariantReference(const VARIANT& value) {
    for (int32_t i = 0; i < Count(); ++i)
        if (TqoDataEntity* e = Items(i);
            e && e->UserVariantReference() && VariantEquals(*e->UserVariantReference(), value))
            return e;
    return nullptr;
}

IqoDataEntity* TqoDataList::Auto_Add() {
    return IntfOf(Add());
}

void TqoDataList::Auto_Remove(IqoDataEntity* entity) {
    Remove(IDataEntity_TO_TDataEntity(entity));
}

LONG TqoDataList::Auto_IndexOf(IqoDataEntity* entity) {
    return IndexOf(IDataEntity_TO_TDataEntity(entity));
}

IqoDataEntity* TqoDataList::Auto_get_Items(LONG index) {
    return IntfOf(Items(index));
}

IqoDataEntity* TqoDataList::Auto_FindFromUserVariantReference(const VARIANT& value) {
    return IntfOf(FindFromUserVariantReference(value));
}

IqoDataEntity* TqoDataList::Auto_FindFromUserIntegerReference(LONG n) {
    return IntfOf(FindFromUserIntegerReference(n));
}

IqoDataEntity* TqoDataList::Auto_FindFromUserReference(IDispatch* reference) {
    return IntfOf(FindFromUserReference(reference));
}

IqoDataEntity* TqoDataList::Auto_Insert(LONG index) {
    return IntfOf(Insert(index));
}

// Reports the move once more with the entity that now stands at the old index.
void TqoDataList::Auto_Move(LONG index, LONG newIndex) {
    TqoDataEntity* entity = Items(index);
    if (!entity) throw EListError(index);
    {
        // The move's handlers may delete the entity.
        const TqoKeepAlive<TqoDataEntity> keep({entity});
        entity->Move(newIndex);
    }
    if (!ListController() || !ListController()->OnHandlePerformedMove()) return;
    TqoDataEntity* now = Items(index);
    if (TqoListController* c = ListController(); now && c) c->OnHandlePerformedMove().Fire(now, index, newIndex);
}

} // namespace qo
