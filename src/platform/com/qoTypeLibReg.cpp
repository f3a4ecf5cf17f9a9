#include "platform/com/qoTypeLibReg.h"

#include <cstdio>

#include "platform/com/qoBstr.h"
#include "platform/com/qoErrorInfo.h"
#include "platform/com/qoGuid.h"
#include "platform/core/qoUnicode.h"
#include "qoChartixControl_TLB.h"

namespace qo {

namespace {

// The universal marshaler of dual interfaces.
constexpr const char* cOleAutomationProxy = "{00020424-0000-0000-C000-000000000046}";

std::string VersionText() {
    return std::to_string(cqoChartixControlLib.fMajor) + "." + std::to_string(cqoChartixControlLib.fMinor);
}

} // namespace

std::string TypeLibKey() {
    return "TypeLib\\" + GuidToString(*cqoChartixControlLib.fLibId) + "\\" + VersionText();
}

#ifndef _WIN32
namespace {

std::string HexLcid() {
    char text[16];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(cqoChartixControlLib.fLcid));
    return text;
}

} // namespace

void RegisterTypeLibrary(TqoRegistry& registry, const std::string& modulePath, const std::string& helpDir,
                         bool perUser) {
    TqoRegTarget target = TqoRegTarget::Classes(perUser);
    std::string lib = target.fPrefix + TypeLibKey();
    registry.SetValue(target.fRoot, lib, "", cqoChartixControlLib.fHelpString);
    registry.SetValue(target.fRoot, lib + "\\" + HexLcid() + "\\" + (sizeof(void*) == 8 ? "win64" : "win32"),
                      "", modulePath);
    registry.SetValue(target.fRoot, lib + "\\FLAGS", "", std::to_string(LIBFLAG_FCONTROL));
    registry.SetValue(target.fRoot, lib + "\\HELPDIR", "", helpDir);
    size_t count = 0;
    const TqoDispInterface* const* interfaces = qoChartixControlInterfaces(&count);
    for (size_t i = 0; i < count; ++i) {
        std::string key = target.fPrefix + "Interface\\" + GuidToString(*interfaces[i]->fIid);
        registry.SetValue(target.fRoot, key, "", Utf16ToUtf8(interfaces[i]->fName));
        registry.SetValue(target.fRoot, key + "\\ProxyStubClsid32", "", cOleAutomationProxy);
        registry.SetValue(target.fRoot, key + "\\TypeLib", "", GuidToString(*cqoChartixControlLib.fLibId));
        registry.SetValue(target.fRoot, key + "\\TypeLib", "Version", VersionText());
    }
}

void UnregisterTypeLibrary(TqoRegistry& registry, const std::string&, bool perUser) {
    TqoRegTarget target = TqoRegTarget::Classes(perUser);
    size_t count = 0;
    const TqoDispInterface* const* interfaces = qoChartixControlInterfaces(&count);
    for (size_t i = 0; i < count; ++i)
        registry.DeleteTree(target.fRoot,
                            target.fPrefix + "Interface\\" + GuidToString(*interfaces[i]->fIid));
    registry.DeleteTree(target.fRoot, target.fPrefix + TypeLibKey());
    registry.DeleteKey(target.fRoot,
                       target.fPrefix + "TypeLib\\" + GuidToString(*cqoChartixControlLib.fLibId));
}
#else
} // namespace qo

// In the import library, missing from the mingw-w64 headers.
extern "C" {
WINOLEAUTAPI RegisterTypeLibForUser(ITypeLib* library, OLECHAR* path, OLECHAR* helpDir);
WINOLEAUTAPI UnRegisterTypeLibForUser(REFGUID libId, WORD major, WORD minor, LCID lcid, SYSKIND kind);
}

namespace qo {

void RegisterTypeLibrary(TqoRegistry&, const std::string& modulePath, const std::string& helpDir,
                         bool perUser) {
    std::wstring path = WideFromUtf8(modulePath), dir = WideFromUtf8(helpDir);
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library);
    if (SUCCEEDED(hr)) {
        hr = perUser ? RegisterTypeLibForUser(library, path.data(), dir.data())
                     : RegisterTypeLib(library, path.data(), dir.data());
        library->Release();
    }
    if (FAILED(hr)) throw EOleError(hr, "The type library could not be registered");
}

void UnregisterTypeLibrary(TqoRegistry&, const std::string&, bool perUser) {
    const TqoTypeLibAttr& lib = cqoChartixControlLib;
    SYSKIND kind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
    HRESULT hr = perUser ? UnRegisterTypeLibForUser(*lib.fLibId, lib.fMajor, lib.fMinor, lib.fLcid, kind)
                         : UnRegisterTypeLib(*lib.fLibId, lib.fMajor, lib.fMinor, lib.fLcid, kind);
    // Removing a registration that is not there is no failure.
    if (FAILED(hr) && hr != TYPE_E_REGISTRYACCESS && hr != TYPE_E_LIBNOTREGISTERED)
        throw EOleError(hr, "The type library could not be unregistered");
}
#endif

} // namespace qo
