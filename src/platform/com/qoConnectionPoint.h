#pragma once
// Connection points: how an object reaches the sinks of its hosts. A point
// lives inside its container object and counts references on it. The single
// kind (a control's event interface) accepts one sink; the many kind (property
// change notification) accepts any number.
#include <functional>
#include <vector>

#include "platform/com/qoComIntf.h"

namespace qo {

enum class TqoSinkKind { Single, Many };

class TqoConnectionPoint final : public IConnectionPoint {
public:
    TqoConnectionPoint(IConnectionPointContainer& container, REFIID iid, TqoSinkKind kind)
        : fContainer(container), fIid(iid), fKind(kind) {}
    TqoConnectionPoint(const TqoConnectionPoint&) = delete;
    TqoConnectionPoint& operator=(const TqoConnectionPoint&) = delete;
    ~TqoConnectionPoint();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return fContainer.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return fContainer.Release(); }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

    REFIID Iid() const { return fIid; }
    bool HasSinks() const { return !fSinks.empty(); }
    // Calls visit for every sink (as the connection interface) of a snapshot
    // taken first: a sink that unadvises during the call stays alive until
    // the visits end, one advised during it is not visited. An exception from
    // visit ends the visits.
    void ForEachSink(const std::function<void(IUnknown* sink)>& visit);

private:
    IConnectionPointContainer& fContainer;
    IID fIid;
    TqoSinkKind fKind;
    std::vector<CONNECTDATA> fSinks;
    DWORD fNextCookie = 1;
};

// The container side: the owner implements IConnectionPointContainer with these.
HRESULT EnumConnectionPoints(const std::vector<TqoConnectionPoint*>& points, IEnumConnectionPoints** result);
HRESULT FindConnectionPoint(const std::vector<TqoConnectionPoint*>& points, REFIID iid,
                            IConnectionPoint** result);

} // namespace qo
