#pragma once
// Class factories and the server's counts. A factory makes one class; the
// module keeps every factory in one list keyed by CLSID, which answers
// DllGetClassObject. Live objects and factory locks keep the module loaded.
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/qoComIntf.h"

namespace qo {

// The server's count of live objects and locks (DllCanUnloadNow).
void ServerLock();
void ServerUnlock();
LONG ServerLockCount();

enum class TqoThreading { Single, Apartment };

// What registration needs to know about a class.
struct TqoClassDescription {
    CLSID fClsid;
    std::string fClassName;   // the part of the ProgID after the server name
    std::string fDescription; // empty for plain factories
    TqoThreading fThreading = TqoThreading::Apartment;
    bool fInternal = false;      // created only by the server's own objects: never registered
    bool fInTypeLibrary = false; // a coclass of the type library
    bool fControl = false;
    DWORD fMiscStatus = 0;
    std::vector<std::string> fVerbs;
};

class TqoClassFactory final : public IClassFactory {
public:
    // create gives a new object's IUnknown with no reference taken yet.
    using TCreate = std::function<IUnknown*()>;

    TqoClassFactory(TqoClassDescription description, TCreate create)
        : fDescription(std::move(description)), fCreate(std::move(create)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    // Factories live as long as the module.
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

    const TqoClassDescription& Description() const { return fDescription; }

private:
    TqoClassDescription fDescription;
    TCreate fCreate;
};

// The module-wide list, in the order the factories were added.
class TqoFactoryList {
public:
    void Add(TqoClassDescription description, TqoClassFactory::TCreate create);
    TqoClassFactory* Find(REFCLSID clsid) const;
    const std::vector<std::unique_ptr<TqoClassFactory>>& Factories() const { return fFactories; }
    // DllGetClassObject: CLASS_E_CLASSNOTAVAILABLE and a null object when unknown.
    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) const;

private:
    std::vector<std::unique_ptr<TqoClassFactory>> fFactories;
};

} // namespace qo
