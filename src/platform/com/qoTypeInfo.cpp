#include <cstdlib>
#include <map>
#include <mutex>
#include <new>

#include "platform/com/qoComObject.h"
#include "platform/com/qoDispatch.h"

#ifndef _WIN32
namespace qo {

namespace {

// The parts of ITypeInfo that hosts use, read from a generated table. One
// instance per interface lives as long as the process.
class TqoTypeInfo final : public ITypeInfo {
public:
    explicit TqoTypeInfo(const TqoDispInterface& table) : fTable(table) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return QueryOne<ITypeInfo>(this, iid, IID_ITypeInfo, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE GetTypeAttr(TYPEATTR** attr) override {
        if (!attr) return E_INVALIDARG;
        *attr = new (std::nothrow) TYPEATTR{};
        if (!*attr) return E_OUTOFMEMORY;
        (*attr)->guid = *fTable.fIid;
        (*attr)->lcid = 0;
        (*attr)->memidConstructor = (*attr)->memidDestructor = MEMBERID_NIL;
        (*attr)->typekind = TKIND_INTERFACE;
        (*attr)->cFuncs = fTable.fMemberCount;
        (*attr)->cImplTypes = 1;
        (*attr)->cbSizeVft = static_cast<WORD>((7 + fTable.fMemberCount) * sizeof(void*));
        (*attr)->cbAlignment = sizeof(void*);
        (*attr)->wTypeFlags = fTable.fTypeFlags;
        (*attr)->wMajorVerNum = fTable.fMajor;
        (*attr)->wMinorVerNum = fTable.fMinor;
        return S_OK;
    }
    void STDMETHODCALLTYPE ReleaseTypeAttr(TYPEATTR* attr) override { delete attr; }

    HRESULT STDMETHODCALLTYPE GetNames(MEMBERID id, BSTR* names, UINT maxNames, UINT* count) override {
        if (!names || !count) return E_INVALIDARG;
        *count = 0;
        const TqoDispMember* m = Member(id);
        if (!m) return TYPE_E_ELEMENTNOTFOUND;
        for (UINT i = 0; i < maxNames && i <= m->fParamCount; ++i) {
            if (i > 0 && (m->fParams[i - 1].fFlags & PARAMFLAG_FRETVAL)) break;
            names[(*count)++] = SysAllocString(i == 0 ? m->fName : m->fParams[i - 1].fName);
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) override {
        return DispGetIDsOfNames(fTable, names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(PVOID instance, MEMBERID id, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argErr) override {
        if (!instance) return E_INVALIDARG;
        return DispInvoke(fTable, instance, id, flags, params, result, excep, argErr);
    }
    HRESULT STDMETHODCALLTYPE GetDocumentation(MEMBERID id, BSTR* name, BSTR* doc, DWORD* helpContext,
                                               BSTR* helpFile) override {
        const char16_t* title = fTable.fName;
        const char* help = "";
        if (id != MEMBERID_NIL) {
            const TqoDispMember* m = Member(id);
            if (!m) return TYPE_E_ELEMENTNOTFOUND;
            title = m->fName;
            help = m->fHelpString;
        }
        if (name) *name = SysAllocString(title);
        if (doc) *doc = BstrFromUtf8(help);
        if (helpContext) *helpContext = 0;
        if (helpFile) *helpFile = nullptr;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetTypeComp(ITypeComp**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFuncDesc(UINT index, FUNCDESC** desc) override;
    HRESULT STDMETHODCALLTYPE GetVarDesc(UINT, VARDESC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetRefTypeOfImplType(UINT, HREFTYPE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetImplTypeFlags(UINT, INT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDllEntry(MEMBERID, INVOKEKIND, BSTR*, BSTR*, WORD*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetRefTypeInfo(HREFTYPE, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AddressOfMember(MEMBERID, INVOKEKIND, PVOID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID, PVOID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMops(MEMBERID, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContainingTypeLib(ITypeLib**, UINT*) override { return E_NOTIMPL; }
    void STDMETHODCALLTYPE ReleaseFuncDesc(FUNCDESC* desc) override { std::free(desc); }
    void STDMETHODCALLTYPE ReleaseVarDesc(VARDESC*) override {}

private:
    const TqoDispMember* Member(MEMBERID id) const {
        for (WORD i = 0; i < fTable.fMemberCount; ++i)
            if (fTable.fMembers[i].fId == id) return &fTable.fMembers[i];
        return nullptr;
    }

    const TqoDispInterface& fTable;
};

// The vtable view of member `index`: one block holding the description, its
// parameters and what their pointers point to.
HRESULT TqoTypeInfo::GetFuncDesc(UINT index, FUNCDESC** desc) {
    if (!desc) return E_INVALIDARG;
    *desc = nullptr;
    if (index >= fTable.fMemberCount) return TYPE_E_ELEMENTNOTFOUND;
    const TqoDispMember& m = fTable.fMembers[index];
    size_t size = sizeof(FUNCDESC) + m.fParamCount * (sizeof(ELEMDESC) + sizeof(TYPEDESC));
    auto* block = static_cast<char*>(std::calloc(1, size));
    if (!block) return E_OUTOFMEMORY;
    auto* f = reinterpret_cast<FUNCDESC*>(block);
    auto* params = reinterpret_cast<ELEMDESC*>(block + sizeof(FUNCDESC));
    auto* pointees = reinterpret_cast<TYPEDESC*>(params + m.fParamCount);
    f->memid = m.fId;
    f->funckind = FUNC_PUREVIRTUAL;
    f->invkind = m.fKind;
    f->callconv = CC_STDCALL;
    f->cParams = static_cast<SHORT>(m.fParamCount);
    f->oVft = static_cast<SHORT>((7 + index) * sizeof(void*));
    f->elemdescFunc.tdesc.vt = VT_HRESULT;
    f->lprgelemdescParam = m.fParamCount ? params : nullptr;
    for (WORD p = 0; p < m.fParamCount; ++p) {
        const TqoDispParam& param = m.fParams[p];
        params[p].paramdesc.wParamFlags = param.fFlags;
        params[p].tdesc.vt = param.fVt;
        if (param.fFlags & PARAMFLAG_FOUT) {
            pointees[p].vt = param.fVt;
            params[p].tdesc.vt = VT_PTR;
            params[p].tdesc.lptdesc = &pointees[p];
        }
    }
    *desc = f;
    return S_OK;
}

} // namespace

HRESULT DispGetTypeInfo(const TqoDispInterface& table, UINT index, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    static std::mutex guard;
    static std::map<const TqoDispInterface*, TqoTypeInfo> infos;
    std::lock_guard<std::mutex> lock(guard);
    *info = &infos.try_emplace(&table, table).first->second;
    return S_OK;
}

} // namespace qo
#endif
