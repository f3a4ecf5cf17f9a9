#include "activex/qoChartixControl.h"

#include <cctype>

#include "platform/com/qoBstr.h"
#include "platform/core/qoModuleEnd.h"
#include "platform/com/qoGuid.h"
#include "platform/com/qoTypeLibReg.h"
#include "qoChartixControl_TLB.h"

namespace qo {

namespace {

std::string DirectoryOf(const std::string& path) {
    size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

std::string LibraryVersion() {
    return std::to_string(cqoChartixControlLib.fMajor) + "." + std::to_string(cqoChartixControlLib.fMinor);
}

} // namespace

std::string TqoComServer::ProgID(const TqoClassDescription& description) {
    return std::string(cqoChartixControlLib.fName) + "." + description.fClassName;
}

HRESULT TqoComServer::GetClassObject(REFCLSID clsid, REFIID iid, void** object) const {
    return fFactories.GetClassObject(clsid, iid, object);
}

HRESULT TqoComServer::CanUnloadNow() const {
    if (ServerLockCount() > 0) return S_FALSE;
    // The module may be unloaded after a yes: its deferred work runs now and its
    // window goes. That work may create objects again, and then the answer is no.
    EndModule();
    return ServerLockCount() > 0 ? S_FALSE : S_OK;
}

std::string TqoComServer::ClassKey(const TqoClassDescription& c) const {
    return TqoRegTarget::Classes(fPerUser).fPrefix + "CLSID\\" + GuidToString(c.fClsid);
}

void TqoComServer::RegisterClass(const TqoClassDescription& c) {
    TqoRegTarget target = TqoRegTarget::Classes(fPerUser);
    std::string key = ClassKey(c), progId = target.fPrefix + ProgID(c);
    auto set = [&](const std::string& k, const std::string& name, const std::string& value) {
        fRegistry.SetValue(target.fRoot, k, name, value);
    };
    set(key, "", c.fDescription);
    set(key + "\\InprocServer32", "", fModulePath);
    if (c.fThreading == TqoThreading::Apartment) set(key + "\\InprocServer32", "ThreadingModel", "Apartment");
    set(progId, "", c.fDescription);
    set(progId + "\\Clsid", "", GuidToString(c.fClsid));
    set(key + "\\ProgID", "", ProgID(c));
    if (c.fInTypeLibrary) {
        set(key + "\\Version", "", LibraryVersion());
        set(key + "\\TypeLib", "", GuidToString(*cqoChartixControlLib.fLibId));
    }
    if (!c.fControl) return;
    set(key + "\\MiscStatus", "", "0");
    set(key + "\\MiscStatus\\1", "", std::to_string(c.fMiscStatus));
    set(key + "\\ToolboxBitmap32", "", fModulePath + ",1");
    fRegistry.CreateKey(target.fRoot, key + "\\Control");
    fRegistry.CreateKey(target.fRoot, key + "\\Verb");
    for (size_t i = 0; i < c.fVerbs.size(); ++i)
        set(key + "\\Verb\\" + std::to_string(i), "", c.fVerbs[i] + ",0,2");
}

void TqoComServer::UnregisterClass(const TqoClassDescription& c) {
    TqoRegTarget target = TqoRegTarget::Classes(fPerUser);
    std::string key = ClassKey(c), progId = target.fPrefix + ProgID(c);
    std::vector<std::string> keys;
    if (c.fControl) {
        for (size_t i = c.fVerbs.size(); i-- > 0;) keys.push_back(key + "\\Verb\\" + std::to_string(i));
        for (const char* sub :
             {"\\Verb", "\\Control", "\\ToolboxBitmap32", "\\MiscStatus\\1", "\\MiscStatus"})
            keys.push_back(key + sub);
    }
    if (c.fInTypeLibrary) keys.insert(keys.end(), {key + "\\TypeLib", key + "\\Version"});
    keys.insert(keys.end(), {key + "\\ProgID", progId + "\\Clsid", progId, key + "\\InprocServer32", key});
    for (const std::string& k : keys) fRegistry.DeleteKey(target.fRoot, k);
}

HRESULT TqoComServer::RegisterServer() {
    try {
        RegisterTypeLibrary(fRegistry, fModulePath, DirectoryOf(fModulePath), fPerUser);
        for (const auto& f : fFactories.Factories())
            if (!f->Description().fInternal) RegisterClass(f->Description());
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT TqoComServer::UnregisterServer() {
    try {
        UnregisterTypeLibrary(fRegistry, fModulePath, fPerUser);
        for (const auto& f : fFactories.Factories())
            if (!f->Description().fInternal) UnregisterClass(f->Description());
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT TqoComServer::Install(bool install, const OLECHAR* cmdLine) {
    std::string command = OleStrToUtf8(cmdLine);
    for (char& c : command) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    bool previous = fPerUser;
    fPerUser = command == "user";
    HRESULT hr = S_OK;
    if (install) {
        hr = RegisterServer();
        if (hr == E_FAIL) UnregisterServer();
    } else {
        hr = UnregisterServer();
    }
    fPerUser = previous;
    return hr;
}

} // namespace qo
