// A host that loads the registered type library of the server through the
// system's automation runtime and checks what it reads back against the
// identities of the IDL: the library, the enumerations, and the DISPIDs and
// member order of every interface. Prints "N passed, M failed"; exit code 1 on
// any failure.
//   qoTypeLibHost                 the library is registered machine-wide
//   qoTypeLibHost --user          it is registered for the current user only
//   qoTypeLibHost --unregistered  it is registered nowhere
#include <windows.h>
// after windows.h
#include <oleauto.h>

#include <cstdio>
#include <string>

#include "qoTypeLibExpect.h"

namespace {

int gPassed = 0, gFailed = 0;

void Check(bool ok, const wchar_t* what, const std::wstring& detail = L"") {
    ok ? ++gPassed : ++gFailed;
    if (!ok) std::wprintf(L"FAILED: %ls %ls\n", what, detail.c_str());
}

std::wstring NameOf(ITypeInfo* info, MEMBERID id) {
    BSTR name = nullptr;
    info->GetDocumentation(id, &name, nullptr, nullptr, nullptr);
    std::wstring text = name ? name : L"";
    SysFreeString(name);
    return text;
}

ITypeInfo* FindByName(ITypeLib* lib, const wchar_t* name) {
    for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
        ITypeInfo* info = nullptr;
        if (FAILED(lib->GetTypeInfo(i, &info))) continue;
        if (NameOf(info, MEMBERID_NIL) == name) return info;
        info->Release();
    }
    return nullptr;
}

bool UnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

void CheckLibrary(ITypeLib* lib) {
    TLIBATTR* attr = nullptr;
    if (FAILED(lib->GetLibAttr(&attr))) return Check(false, L"library attributes");
    Check(IsEqualGUID(attr->guid, cExpectLibId), L"LIBID");
    Check(attr->wMajorVerNum == cExpectMajor && attr->wMinorVerNum == cExpectMinor, L"version");
    Check(attr->lcid == cExpectLcid, L"locale");
    Check(attr->wLibFlags & LIBFLAG_FCONTROL, L"control flag");
    Check(lib->GetTypeInfoCount() == cExpectTypeInfos, L"number of type infos");
    lib->ReleaseTLibAttr(attr);
    BSTR name = nullptr, help = nullptr;
    DWORD context = 0;
    lib->GetDocumentation(-1, &name, &help, &context, nullptr);
    Check(name && std::wstring(name) == L"qoChartixControl", L"library name");
    // Wine 8 reads the library's help string context in place of its help context.
    Check(context == 1 || UnderWine(), L"help context");
    SysFreeString(name);
    SysFreeString(help);
}

void CheckEnums(ITypeLib* lib) {
    for (const ExpectEnum& e : cExpectEnums) {
        ITypeInfo* info = FindByName(lib, e.type);
        if (!info) {
            Check(false, L"enumeration", e.type);
            continue;
        }
        bool found = false;
        TYPEATTR* attr = nullptr;
        info->GetTypeAttr(&attr);
        for (WORD v = 0; attr && v < attr->cVars && !found; ++v) {
            VARDESC* var = nullptr;
            if (FAILED(info->GetVarDesc(v, &var))) continue;
            found = NameOf(info, var->memid) == e.name && var->lpvarValue && V_VT(var->lpvarValue) == VT_I4 &&
                    V_I4(var->lpvarValue) == e.value;
            info->ReleaseVarDesc(var);
        }
        Check(attr && attr->typekind == TKIND_ENUM && found, L"enumerator",
              std::wstring(e.type) + L"." + e.name);
        if (attr) info->ReleaseTypeAttr(attr);
        info->Release();
    }
}

// The vtable view of a dual interface holds the members in their order.
ITypeInfo* InterfaceView(ITypeLib* lib, const GUID& iid) {
    ITypeInfo* info = nullptr;
    if (FAILED(lib->GetTypeInfoOfGuid(iid, &info))) return nullptr;
    HREFTYPE ref = 0;
    ITypeInfo* view = nullptr;
    if (SUCCEEDED(info->GetRefTypeOfImplType(-1, &ref))) info->GetRefTypeInfo(ref, &view);
    info->Release();
    return view;
}

void CheckInterface(ITypeLib* lib, const ExpectIntf& intf) {
    ITypeInfo* view = InterfaceView(lib, intf.iid);
    if (!view) return Check(false, L"interface", intf.name);
    TYPEATTR* attr = nullptr;
    view->GetTypeAttr(&attr);
    Check(attr->cFuncs == intf.ownMembers, L"member count", intf.name);
    Check((attr->wTypeFlags & (TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION)) ==
              (TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION),
          L"dual and oleautomation", intf.name);
    WORD index = 0;
    for (const ExpectMember& m : cExpectMembers) {
        if (std::wstring(m.intf) != intf.name) continue;
        FUNCDESC* func = nullptr;
        if (index >= attr->cFuncs || FAILED(view->GetFuncDesc(index++, &func))) {
            Check(false, L"member", std::wstring(intf.name) + L"." + m.name);
            continue;
        }
        bool same = func->memid == m.id && func->invkind == m.invkind && NameOf(view, func->memid) == m.name;
        Check(same, L"member in order", std::wstring(intf.name) + L"." + m.name);
        view->ReleaseFuncDesc(func);
    }
    view->ReleaseTypeAttr(attr);
    view->Release();
}

} // namespace

// Whether the user's own classes hold the library's registration.
bool InUserClasses() {
    wchar_t libId[40];
    StringFromGUID2(cExpectLibId, libId, 40);
    std::wstring key = std::wstring(L"Software\\Classes\\TypeLib\\") + libId;
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

int wmain(int argc, wchar_t** argv) {
    std::wstring mode = argc > 1 ? argv[1] : L"";
    CoInitialize(nullptr);
    ITypeLib* lib = nullptr;
    HRESULT hr = LoadRegTypeLib(cExpectLibId, cExpectMajor, cExpectMinor, cExpectLcid, &lib);
    if (mode == L"--unregistered") {
        Check(FAILED(hr), L"the type library is no longer registered");
        Check(!InUserClasses(), L"nothing is left in the user's classes");
    } else {
        Check(SUCCEEDED(hr), L"the registered type library loads");
        // Wine 8's per-user registration call registers machine-wide.
        if (mode != L"--user" || !UnderWine())
            Check(InUserClasses() == (mode == L"--user"), L"registered where asked");
    }
    if (lib && mode != L"--unregistered") {
        CheckLibrary(lib);
        CheckEnums(lib);
        for (const ExpectIntf& intf : cExpectIntfs) CheckInterface(lib, intf);
        lib->Release();
    }
    CoUninitialize();
    std::wprintf(L"%d passed, %d failed\n", gPassed, gFailed);
    return gFailed ? 1 : 0;
}
