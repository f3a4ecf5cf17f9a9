// The entry points that make the Windows module a self-registering in-process server.
#ifdef _WIN32
#include "activex/qoChartixControl.h"

using qo::TqoComServer;

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
