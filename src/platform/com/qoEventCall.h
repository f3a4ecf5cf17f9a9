#pragma once
// One event sent to the sinks of a connection point. The raisers generated
// from the IDL (one function per event) pack their arguments here in declared
// order; DISPPARAMS carries them last first, positional only. A by-reference
// argument points at a copy owned by the call, and what a sink leaves there is
// read back into the raiser's variable after that sink, so the next sink sees
// the answer of the one before. A sink that does not handle the event
// (DISP_E_MEMBERNOTFOUND) changes nothing; any other failure a sink reports is
// thrown as EOleError (its code and description) into the code that raised
// the event, and the sinks after it are not called.
#include <cassert>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/qoConnectionPoint.h"
#include "platform/com/qoDispatch.h"

namespace qo {

class TqoEventCall {
public:
    TqoEventCall(DISPID id, UINT count) : fId(id), fSlots(count), fRefTypes(count, VT_EMPTY) {}
    TqoEventCall(const TqoEventCall&) = delete;
    TqoEventCall& operator=(const TqoEventCall&) = delete;

    // Argument `index` (in declared order) by value.
    template <VARTYPE VT, class T> void In(UINT index, const T& value) { Store<VT>(fSlots.at(index), value); }
    // Argument `index` by reference: *value goes out, the sinks' answer comes back.
    template <VARTYPE VT, class T> void Ref(UINT index, T* value) {
        assert(value && "a raiser passes its own variable");
        Store<VT>(fSlots.at(index), *value);
        fRefTypes[index] = VT;
        fReadBacks.push_back({index, value, &Load<VT, T>});
    }
    // Calls every sink of point (a snapshot: sinks may unadvise while called).
    void Send(TqoConnectionPoint& point);

private:
    using TqoLoad = void (*)(VARIANT& slot, void* target);
    struct TqoReadBack {
        UINT fIndex;
        void* fTarget;
        TqoLoad fLoad;
    };

    template <VARTYPE VT, class T> static void Store(VARIANT& slot, const T& value);
    template <VARTYPE VT, class T> static void Load(VARIANT& slot, void* target);
    void SendTo(IDispatch* sink);
    std::vector<VARIANT> Arguments();

    DISPID fId;
    std::vector<TqoVariant> fSlots;
    std::vector<VARTYPE> fRefTypes; // VT_EMPTY: by value
    std::vector<TqoReadBack> fReadBacks;
};

// Text travels as UTF-8 on our side, Booleans as bool, objects keep a
// reference while the call holds them.
template <VARTYPE VT, class T> void TqoEventCall::Store(VARIANT& slot, const T& value) {
    VariantClear(&slot);
    if constexpr (VT == VT_VARIANT) {
        const HRESULT hr = VariantCopy(&slot, const_cast<VARIANT*>(&value));
        if (FAILED(hr)) throw EOleError(hr, "Invalid variant");
        return;
    } else if constexpr (VT == VT_BSTR) {
        slot.bstrVal = BstrFromUtf8(value);
        if (!slot.bstrVal && !std::string_view(value).empty()) throw std::bad_alloc();
    } else if constexpr (VT == VT_BOOL) {
        slot.boolVal = ToVariantBool(value);
    } else if constexpr (VT == VT_DISPATCH) {
        slot.pdispVal = value;
        if (value) value->AddRef();
    } else {
        Field<VT>(slot) = static_cast<std::remove_reference_t<decltype(Field<VT>(slot))>>(value);
    }
    slot.vt = VT;
}

template <VARTYPE VT, class T> void TqoEventCall::Load(VARIANT& slot, void* target) {
    T& out = *static_cast<T*>(target);
    if constexpr (VT == VT_VARIANT) {
        // A reference the sink left there points into the sink: take its value.
        const HRESULT hr = VariantCopyInd(&out, &slot);
        if (FAILED(hr)) throw EOleError(hr, "Invalid variant");
    } else if constexpr (VT == VT_BSTR) {
        out = BstrToUtf8(slot.bstrVal);
    } else if constexpr (VT == VT_BOOL) {
        out = FromVariantBool(slot.boolVal);
    } else {
        out = static_cast<T>(Field<VT>(slot));
    }
}

} // namespace qo
