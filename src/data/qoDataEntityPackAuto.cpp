// The automation members of entities and lists. Each traps its errors: a
// host receives a failure code with the message as the error description.
#include "data/qoDataEntityPack.h"

namespace qo {

// ---- references held for hosts ----

void TqoDataEntity::SetUserReference(void* value) {
    ExchangeUserReference(value, false);
}

// The release runs host code that may set the reference again: the field
// holds the new value before the old one goes.
void TqoDataEntity::ExchangeUserReference(void* value, bool held) {
    if (!value && !fUserReferences) return;
    void* old = std::exchange(UserReferences().Reference, value);
    const bool oldHeld = fUserReferenceHeld;
    fUserReferenceHeld = held;
    if (oldHeld) static_cast<IUnknown*>(old)->Release();
}

TqoDataEntity::TUserReferences& TqoDataEntity::UserReferences() {
    if (!fUserReferences) fUserReferences = std::make_unique<TUserReferences>();
    return *fUserReferences;
}

void TqoDataEntity::CheckTakesReferences() const {
    if (fFreed) throw EqoError(kFreedMessage);
}

void TqoDataEntity::SetUserVariantReference(const VARIANT& value) {
    if (value.vt == VT_EMPTY) {
        // reset stores nil before the old value goes, whose release may run
        // host code that sets the reference again.
        if (fUserReferences) fUserReferences->Variant.reset();
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
    return fUserReferences && fUserReferences->Variant ? *fUserReferences->Variant : TqoVariant();
}

// ---- TqoDataList ----

HRESULT TqoDataList::ObjQueryInterface(REFIID iid, void** object) {
    if (object && iid == IID_IqoDataList) return GiveInterface(AutoIntf(), object);
    if (object && iid == IID_IqoDataList2) return GiveInterface(static_cast<IqoDataList2*>(&fAuto2), object);
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
    if (!fListController || !fListController->OnHandlePerformedMove()) return;
    TqoDataEntity* now = Items(index);
    if (now && fListController) fListController->OnHandlePerformedMove().Fire(now, index, newIndex);
}

} // namespace qo
