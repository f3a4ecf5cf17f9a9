#include "platform/com/qoConnectionPoint.h"

#include "platform/com/qoComObject.h"

#include <algorithm>
#include <new>

namespace qo {

namespace {

void AddRefItem(IConnectionPoint* p) {
    p->AddRef();
}
void AddRefItem(CONNECTDATA& c) {
    c.pUnk->AddRef();
}
void ReleaseItem(IConnectionPoint* p) {
    p->Release();
}
void ReleaseItem(CONNECTDATA& c) {
    c.pUnk->Release();
}

// A snapshot enumerator; each item handed out carries its own reference.
template <class IEnum, class T, const IID& cIid>
class TqoEnum final : public IEnum, public TqoRefCounted<TqoEnum<IEnum, T, cIid>> {
public:
    explicit TqoEnum(std::vector<T> items, size_t position = 0)
        : fItems(std::move(items)), fPosition(position) {
        for (T& item : fItems) AddRefItem(item);
    }
    TqoEnum(const TqoEnum&) = delete;
    TqoEnum& operator=(const TqoEnum&) = delete;
    ~TqoEnum() {
        for (T& item : fItems) ReleaseItem(item);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return QueryOne<IEnum>(this, iid, cIid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return this->CountUp(); }
    ULONG STDMETHODCALLTYPE Release() override { return this->CountDown(); }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, T* items, ULONG* fetched) override {
        if (!items || (count > 1 && !fetched)) return E_POINTER;
        ULONG n = 0;
        for (; n < count && fPosition < fItems.size(); ++n, ++fPosition) {
            items[n] = fItems[fPosition];
            AddRefItem(items[n]);
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        size_t left = fItems.size() - fPosition;
        fPosition += std::min<size_t>(count, left);
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override { return fPosition = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE Clone(IEnum** copy) override {
        if (!copy) return E_POINTER;
        auto* clone = new (std::nothrow) TqoEnum(fItems, fPosition);
        if (!clone) return *copy = nullptr, E_OUTOFMEMORY;
        return clone->QueryInterface(cIid, reinterpret_cast<void**>(copy));
    }

private:
    std::vector<T> fItems;
    size_t fPosition;
};

template <class IEnum, class T, const IID& cIid> HRESULT MakeEnum(std::vector<T> items, IEnum** result) {
    if (!result) return E_POINTER;
    auto* e = new (std::nothrow) TqoEnum<IEnum, T, cIid>(std::move(items));
    if (!e) return *result = nullptr, E_OUTOFMEMORY;
    return e->QueryInterface(cIid, reinterpret_cast<void**>(result));
}

} // namespace

TqoConnectionPoint::~TqoConnectionPoint() {
    for (CONNECTDATA& c : fSinks) c.pUnk->Release();
}

HRESULT TqoConnectionPoint::QueryInterface(REFIID iid, void** object) {
    return QueryOne<IConnectionPoint>(this, iid, IID_IConnectionPoint, object);
}

HRESULT TqoConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = fIid;
    return S_OK;
}

HRESULT TqoConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container) return E_POINTER;
    fContainer.AddRef();
    *container = &fContainer;
    return S_OK;
}

HRESULT TqoConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    if (fKind == TqoSinkKind::Single && !fSinks.empty()) return CONNECT_E_ADVISELIMIT;
    IUnknown* typed = nullptr;
    if (FAILED(sink->QueryInterface(fIid, reinterpret_cast<void**>(&typed))) || !typed)
        return CONNECT_E_CANNOTCONNECT;
    *cookie = fNextCookie++;
    fSinks.push_back({typed, *cookie});
    return S_OK;
}

HRESULT TqoConnectionPoint::Unadvise(DWORD cookie) {
    auto it = std::find_if(fSinks.begin(), fSinks.end(),
                           [&](const CONNECTDATA& c) { return c.dwCookie == cookie; });
    if (it == fSinks.end()) return CONNECT_E_NOCONNECTION;
    IUnknown* sink = it->pUnk;
    fSinks.erase(it);
    sink->Release();
    return S_OK;
}

HRESULT TqoConnectionPoint::EnumConnections(IEnumConnections** connections) {
    return MakeEnum<IEnumConnections, CONNECTDATA, IID_IEnumConnections>(fSinks, connections);
}

namespace {

// The sinks as they were when a call began, each held until the call ends,
// also when a sink's failure ends it early.
class TqoSinkSnapshot {
public:
    explicit TqoSinkSnapshot(const std::vector<CONNECTDATA>& sinks) : fSinks(sinks) {
        for (CONNECTDATA& c : fSinks) c.pUnk->AddRef();
    }
    TqoSinkSnapshot(const TqoSinkSnapshot&) = delete;
    TqoSinkSnapshot& operator=(const TqoSinkSnapshot&) = delete;
    ~TqoSinkSnapshot() {
        for (CONNECTDATA& c : fSinks) c.pUnk->Release();
    }
    const std::vector<CONNECTDATA>& Sinks() const { return fSinks; }

private:
    std::vector<CONNECTDATA> fSinks;
};

} // namespace

void TqoConnectionPoint::ForEachSink(const std::function<void(IUnknown* sink)>& visit) {
    TqoSinkSnapshot snapshot(fSinks);
    for (const CONNECTDATA& c : snapshot.Sinks()) visit(c.pUnk);
}

HRESULT EnumConnectionPoints(const std::vector<TqoConnectionPoint*>& points, IEnumConnectionPoints** result) {
    std::vector<IConnectionPoint*> items(points.begin(), points.end());
    return MakeEnum<IEnumConnectionPoints, IConnectionPoint*, IID_IEnumConnectionPoints>(std::move(items),
                                                                                         result);
}

HRESULT FindConnectionPoint(const std::vector<TqoConnectionPoint*>& points, REFIID iid,
                            IConnectionPoint** result) {
    if (!result) return E_POINTER;
    *result = nullptr;
    for (TqoConnectionPoint* p : points) {
        if (p->Iid() == iid) {
            p->AddRef();
            *result = p;
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

} // namespace qo
