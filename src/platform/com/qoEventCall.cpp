#include "platform/com/qoEventCall.h"

namespace qo {

namespace {

// Takes the strings out of what a sink reported.
class TqoExcepInfo : public EXCEPINFO {
public:
    TqoExcepInfo() : EXCEPINFO{} {}
    TqoExcepInfo(const TqoExcepInfo&) = delete;
    TqoExcepInfo& operator=(const TqoExcepInfo&) = delete;
    ~TqoExcepInfo() {
        SysFreeString(bstrSource);
        SysFreeString(bstrDescription);
        SysFreeString(bstrHelpFile);
    }
};

[[noreturn]] void ThrowSinkFailure(HRESULT hr, TqoExcepInfo& excep) {
    if (hr == DISP_E_EXCEPTION) {
        if (excep.pfnDeferredFillIn) excep.pfnDeferredFillIn(&excep);
        if (FAILED(excep.scode)) hr = excep.scode;
    }
    std::string message = BstrToUtf8(excep.bstrDescription);
    if (message.empty()) message = "Event handler failed";
    throw EOleError(hr, message);
}

} // namespace

void TqoEventCall::Send(TqoConnectionPoint& point) {
    point.ForEachSink([&](IUnknown* sink) {
        // The connection point asked every sink for the event dispinterface.
        SendTo(static_cast<IDispatch*>(sink));
    });
}

// Last first; by-value arguments are borrowed (the call keeps owning them),
// by-reference ones point into their slot (a VARIANT's values share one union).
std::vector<VARIANT> TqoEventCall::Arguments() {
    const size_t count = fSlots.size();
    std::vector<VARIANT> args(count);
    for (size_t i = 0; i < count; ++i) {
        VARIANT& arg = args[count - 1 - i];
        if (fRefTypes[i] == VT_EMPTY) {
            arg = fSlots[i];
            continue;
        }
        VariantInit(&arg);
        arg.vt = static_cast<VARTYPE>(VT_BYREF | fRefTypes[i]);
        arg.byref = fRefTypes[i] == VT_VARIANT ? static_cast<void*>(&fSlots[i]) : &fSlots[i].llVal;
    }
    return args;
}

void TqoEventCall::SendTo(IDispatch* sink) {
    std::vector<VARIANT> args = Arguments();
    DISPPARAMS params = {args.empty() ? nullptr : args.data(), nullptr, static_cast<UINT>(args.size()), 0};
    TqoExcepInfo excep;
    UINT argErr = 0;
    const HRESULT hr = sink->Invoke(fId, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &excep, &argErr);
    if (hr == DISP_E_MEMBERNOTFOUND) return;
    if (FAILED(hr)) ThrowSinkFailure(hr, excep);
    for (const TqoReadBack& back : fReadBacks) back.fLoad(fSlots[back.fIndex], back.fTarget);
}

} // namespace qo
