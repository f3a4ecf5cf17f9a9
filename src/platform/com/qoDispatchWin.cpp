// Dispatch on Windows: the type information of the type library that the
// module carries as its TYPELIB resource.
#ifdef _WIN32
#include <vector>

#include "platform/com/qoDispatch.h"

namespace qo {

namespace {

HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

ITypeLib* ModuleTypeLib() {
    static ITypeLib* library = [] {
        std::vector<wchar_t> path(32768);
        GetModuleFileNameW(ThisModule(), path.data(), static_cast<DWORD>(path.size()));
        ITypeLib* loaded = nullptr;
        LoadTypeLibEx(path.data(), REGKIND_NONE, &loaded);
        return loaded;
    }();
    return library;
}

HRESULT TypeInfoOf(const TqoDispInterface& table, ITypeInfo** info) {
    *info = nullptr;
    ITypeLib* library = ModuleTypeLib();
    if (!library) return TYPE_E_LIBNOTREGISTERED;
    return library->GetTypeInfoOfGuid(*table.fIid, info);
}

} // namespace

HRESULT DispGetTypeInfo(const TqoDispInterface& table, UINT index, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return TypeInfoOf(table, info);
}

HRESULT DispGetIDsOfNames(const TqoDispInterface& table, LPOLESTR* names, UINT count, DISPID* ids) {
    ITypeInfo* info = nullptr;
    HRESULT hr = TypeInfoOf(table, &info);
    if (FAILED(hr)) return hr;
    hr = info->GetIDsOfNames(names, count, ids);
    info->Release();
    return hr;
}

HRESULT DispInvoke(const TqoDispInterface& table, void* intf, DISPID id, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    ITypeInfo* info = nullptr;
    HRESULT hr = TypeInfoOf(table, &info);
    if (FAILED(hr)) return hr;
    SetErrorInfo(0, nullptr);
    hr = info->Invoke(intf, id, flags, params, result, excep, argErr);
    info->Release();
    return hr;
}

} // namespace qo
#endif
