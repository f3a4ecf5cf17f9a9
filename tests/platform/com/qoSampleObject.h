#pragma once
// An automation object of the sample library, built the way every class of the
// server is: TqoAutoObject plus TqoAutoIntf for its interface.
#include <string>

#include "platform/com/qoAutoObject.h"
#include "qoDispatchSample_TLB.h"

namespace qo::test {

class TqoSample : public TqoAutoObject, public TqoAutoIntf<TqoSample, ISample2> {
public:
    explicit TqoSample(bool* destroyed = nullptr) : fDestroyed(destroyed) {}
    ~TqoSample() override {
        if (fChild) fChild->Release();
        if (fTag) fTag->Release();
        SysFreeString(fText);
        if (fDestroyed) *fDestroyed = true;
    }

    HRESULT STDMETHODCALLTYPE get_Number(LONG* value) override {
        return Guard(IID_ISample, [&] { *CheckPointer(value) = fNumber; });
    }
    HRESULT STDMETHODCALLTYPE put_Number(LONG value) override {
        return Guard(IID_ISample, [&] { fNumber = value; });
    }
    HRESULT STDMETHODCALLTYPE get_Text(BSTR* value) override {
        return Guard(IID_ISample,
                     [&] { *CheckPointer(value) = SysAllocStringLen(fText, SysStringLen(fText)); });
    }
    HRESULT STDMETHODCALLTYPE put_Text(BSTR value) override {
        return Guard(IID_ISample, [&] {
            SysFreeString(fText);
            fText = SysAllocStringLen(value, SysStringLen(value));
        });
    }
    HRESULT STDMETHODCALLTYPE get_Child(ISample** value) override {
        return Guard(IID_ISample, [&] {
            *CheckPointer(value) = fChild;
            if (fChild) fChild->AddRef();
        });
    }
    HRESULT STDMETHODCALLTYPE putref_Child(ISample* value) override {
        return Guard(IID_ISample, [&] {
            if (value) value->AddRef();
            if (fChild) fChild->Release();
            fChild = value;
        });
    }
    HRESULT STDMETHODCALLTYPE get_Item(SHORT index, double* value) override {
        return Guard(IID_ISample, [&] { *CheckPointer(value) = fItems[CheckIndex(index)]; });
    }
    HRESULT STDMETHODCALLTYPE put_Item(SHORT index, double value) override {
        return Guard(IID_ISample, [&] { fItems[CheckIndex(index)] = value; });
    }
    HRESULT STDMETHODCALLTYPE Combine(VARIANT_BOOL flag, float scale, DATE when, TxSampleKind kind,
                                      BSTR* value) override {
        return Guard(IID_ISample, [&] {
            std::string text = std::string(FromVariantBool(flag) ? "yes" : "no") + " " +
                               std::to_string(scale) + " " + std::to_string(when) + " " +
                               std::to_string(static_cast<int>(kind));
            *CheckPointer(value) = BstrFromUtf8(text);
        });
    }
    HRESULT STDMETHODCALLTYPE Twice(LONG* number, BSTR* text, VARIANT* any) override {
        return Guard(IID_ISample, [&] {
            *CheckPointer(number) *= 2;
            std::string doubled = BstrToUtf8(*CheckPointer(text));
            SysFreeString(*text);
            *text = BstrFromUtf8(doubled + doubled);
            TqoVariant number2;
            if (SUCCEEDED(VariantChangeType(&number2, CheckPointer(any), 0, VT_I4))) {
                VariantClear(any);
                any->vt = VT_I4;
                any->lVal = number2.lVal * 2;
            }
        });
    }
    HRESULT STDMETHODCALLTYPE Fail(LONG code, BSTR message) override {
        return Guard(IID_ISample, [&] {
            if (code == 0) throw EqoError(BstrToUtf8(message));
            throw EOleError(code, BstrToUtf8(message));
        });
    }
    HRESULT STDMETHODCALLTYPE Echo(VARIANT value, VARIANT* result) override {
        return Guard(IID_ISample, [&] { VariantCopy(CheckPointer(result), &value); });
    }
    HRESULT STDMETHODCALLTYPE get_Tag(IDispatch** value) override {
        return Guard(IID_ISample, [&] {
            *CheckPointer(value) = fTag;
            if (fTag) fTag->AddRef();
        });
    }
    HRESULT STDMETHODCALLTYPE put_Tag(IDispatch* value) override {
        return Guard(IID_ISample, [&] {
            if (value) value->AddRef();
            if (fTag) fTag->Release();
            fTag = value;
        });
    }
    HRESULT STDMETHODCALLTYPE Place(LONG row, DATE start, double length) override {
        return Guard(IID_ISample, [&] {
            fPlacedRow = row;
            fPlacedStart = start;
            fPlacedLength = length;
        });
    }
    HRESULT STDMETHODCALLTYPE Extra(LONG* value) override {
        return Guard(IID_ISample2, [&] { *CheckPointer(value) = 42; });
    }

    HRESULT ObjQueryInterface(REFIID iid, void** object) override {
        if (object && (iid == IID_ISample || iid == IID_ISample2))
            return GiveInterface(static_cast<ISample2*>(this), object);
        return TqoAutoObject::ObjQueryInterface(iid, object);
    }
    IDispatch* DefaultDispatch() override { return static_cast<ISample2*>(this); }
    std::string_view ProgID() const override { return "qoDispatchSample.qoSample"; }

    ISample2* Intf() { return this; }
    int32_t Count() const { return fRefCount; }
    // What the last Place received.
    LONG fPlacedRow = 0;
    DATE fPlacedStart = 0;
    double fPlacedLength = 0;

private:
    static int CheckIndex(SHORT index) {
        if (index < 0 || index >= 4) throw EListError(index);
        return index;
    }

    bool* fDestroyed;
    LONG fNumber = 0;
    BSTR fText = nullptr;
    ISample* fChild = nullptr;
    IDispatch* fTag = nullptr;
    double fItems[4] = {};
};

} // namespace qo::test
