// A host that loads the registered type library of the server through the
// system's automation runtime and checks what it reads back against the
// identities of the IDL: the library's attributes, and every type info with
// its GUID, version, flags and help string, the values of the enumerations,
// the implemented interfaces of the coclasses, and every member's DISPID,
// order, kind, flags, parameter names, types, directions and defaults.
// Prints "N passed, M failed"; exit code 1 on any failure.
//   qoTypeLibHost                 the library is registered machine-wide
//   qoTypeLibHost --user          it is registered for the current user only
//   qoTypeLibHost --unregistered  it is registered nowhere
#include <windows.h>
// after windows.h
#include <oleauto.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "qoTypeLibDump.h"
#include "qoTypeLibExpect.h"

namespace {

int gPassed = 0, gFailed = 0;

void Check(bool ok, const wchar_t* what, const std::wstring& detail = L"") {
    ok ? ++gPassed : ++gFailed;
    if (!ok) std::wprintf(L"FAILED: %ls %ls\n", what, detail.c_str());
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
    Check(name && std::wstring(name) == cExpectName, L"library name");
    // Wine 8 reads the library's help string context in place of its help context.
    Check(context == 1 || UnderWine(), L"help context");
    SysFreeString(name);
    SysFreeString(help);
}

using Blocks = std::map<std::wstring, std::vector<std::wstring>>;

// The expected lines, cut into one block per type info: a line that does not
// start with a blank opens a block, and its second word is the name.
Blocks ExpectedBlocks() {
    Blocks blocks;
    std::vector<std::wstring>* block = nullptr;
    for (const wchar_t* line : cExpectIdentities) {
        std::wstring text = line;
        if (text[0] != L' ') {
            size_t from = text.find(L' ') + 1;
            block = &blocks[text.substr(from, text.find(L' ', from) - from)];
        }
        block->push_back(text);
    }
    return blocks;
}

// One check per type info; a difference prints the first line that differs.
void CheckIdentities(ITypeLib* lib) {
    Blocks actual = DumpTypeLib(lib);
    for (const auto& [name, expected] : ExpectedBlocks()) {
        auto found = actual.find(name);
        if (found == actual.end()) {
            Check(false, L"type info", name);
            continue;
        }
        const std::vector<std::wstring>& lines = found->second;
        size_t i = 0;
        while (i < expected.size() && i < lines.size() && expected[i] == lines[i]) ++i;
        bool same = i == expected.size() && i == lines.size();
        Check(same, L"identities of", name + L"\n  expected: " + (i < expected.size() ? expected[i] : L"(end)") +
                                           L"\n  read:     " + (i < lines.size() ? lines[i] : L"(end)"));
        actual.erase(found);
    }
    for (const auto& [name, lines] : actual) Check(false, L"type info not in the IDL:", name);
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
        CheckIdentities(lib);
        lib->Release();
    }
    CoUninitialize();
    std::wprintf(L"%d passed, %d failed\n", gPassed, gFailed);
    return gFailed ? 1 : 0;
}
