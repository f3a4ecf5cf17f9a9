#pragma once
// The in-process server: its factory list, registration and the logic behind
// the exported entry points (DllGetClassObject, DllCanUnloadNow,
// DllRegisterServer, DllUnregisterServer, DllInstall). The exports themselves
// exist in the Windows build; the logic is the same everywhere.
#include <string>

#include "platform/com/qoClassFactory.h"
#include "platform/com/qoRegistry.h"

namespace qo {

class TqoComServer {
public:
    TqoComServer(TqoRegistry& registry, std::string modulePath)
        : fRegistry(registry), fModulePath(std::move(modulePath)) {}

    // The module's own server.
    static TqoComServer& Instance();

    TqoFactoryList& Factories() { return fFactories; }
    const std::string& ModulePath() const { return fModulePath; }
    // "qoChartixControl." followed by the class name.
    static std::string ProgID(const TqoClassDescription& description);

    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) const;
    // S_OK when no object and no lock is left; a yes ends the module (EndModule).
    HRESULT CanUnloadNow() const;
    // E_FAIL when any step fails.
    HRESULT RegisterServer();
    HRESULT UnregisterServer();
    // cmdLine "user" (any case) registers for the current user during this call;
    // a failed registration is removed again.
    HRESULT Install(bool install, const OLECHAR* cmdLine);

private:
    void RegisterClass(const TqoClassDescription& c);
    void UnregisterClass(const TqoClassDescription& c);
    std::string ClassKey(const TqoClassDescription& c) const;

    TqoRegistry& fRegistry;
    std::string fModulePath;
    TqoFactoryList fFactories;
    bool fPerUser = false;
};

} // namespace qo
