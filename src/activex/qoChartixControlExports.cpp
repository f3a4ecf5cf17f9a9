// The entry points that make the Windows module a self-registering in-process server.
#ifdef _WIN32
#include "activex/qoChartixControl.h"
#include "platform/core/qoModuleEnd.h"

using qo::TqoComServer;

// The last moment for deferred work, and for windows whose procedure lives here.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_DETACH) qo::EndModule();
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
    return TqoComServer::Instance().GetClassObject(clsid, iid, object);
}

STDAPI DllCanUnloadNow() {
    return TqoComServer::Instance().CanUnloadNow();
}

STDAPI DllRegisterServer() {
    return TqoComServer::Instance().RegisterServer();
}

STDAPI DllUnregisterServer() {
    return TqoComServer::Instance().UnregisterServer();
}

STDAPI DllInstall(BOOL install, LPCWSTR cmdLine) {
    return TqoComServer::Instance().Install(install, cmdLine);
}
#endif
