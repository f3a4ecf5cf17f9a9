#include "platform/com/qoErrorInfo.h"

#include <atomic>
#include <new>

#include "platform/com/qoBstr.h"
#include "platform/com/qoComObject.h"
#include "platform/core/qoUnicode.h"

#ifndef _WIN32
namespace {

class TqoErrorObject final : public IErrorInfo,
                             public ICreateErrorInfo,
                             public qo::TqoRefCounted<TqoErrorObject> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IErrorInfo)
            *object = static_cast<IErrorInfo*>(this);
        else if (iid == IID_ICreateErrorInfo)
            *object = static_cast<ICreateErrorInfo*>(this);
        else
            return *object = nullptr, E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return CountUp(); }
    ULONG STDMETHODCALLTYPE Release() override { return CountDown(); }
    HRESULT STDMETHODCALLTYPE GetGUID(GUID* guid) override {
        return guid ? *guid = fGuid, S_OK : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE GetSource(BSTR* text) override { return Copy(fSource, text); }
    HRESULT STDMETHODCALLTYPE GetDescription(BSTR* text) override { return Copy(fDescription, text); }
    HRESULT STDMETHODCALLTYPE GetHelpFile(BSTR* text) override { return Copy(fHelpFile, text); }
    HRESULT STDMETHODCALLTYPE GetHelpContext(DWORD* context) override {
        return context ? *context = fHelpContext, S_OK : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE SetGUID(REFGUID guid) override { return fGuid = guid, S_OK; }
    HRESULT STDMETHODCALLTYPE SetSource(LPOLESTR text) override { return Assign(fSource, text); }
    HRESULT STDMETHODCALLTYPE SetDescription(LPOLESTR text) override { return Assign(fDescription, text); }
    HRESULT STDMETHODCALLTYPE SetHelpFile(LPOLESTR text) override { return Assign(fHelpFile, text); }
    HRESULT STDMETHODCALLTYPE SetHelpContext(DWORD context) override { return fHelpContext = context, S_OK; }

private:
    static HRESULT Copy(const std::u16string& text, BSTR* out) {
        if (!out) return E_INVALIDARG;
        *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return *out || text.empty() ? S_OK : E_OUTOFMEMORY;
    }
    static HRESULT Assign(std::u16string& target, LPOLESTR text) {
        target = text ? std::u16string(text) : std::u16string();
        return S_OK;
    }

    GUID fGuid = IID_NULL;
    std::u16string fSource, fDescription, fHelpFile;
    DWORD fHelpContext = 0;
};

// Released when the thread ends.
struct TqoThreadError {
    IErrorInfo* fInfo = nullptr;
    ~TqoThreadError() {
        if (fInfo) fInfo->Release();
    }
};
thread_local TqoThreadError tThreadError;

} // namespace

HRESULT CreateErrorInfo(ICreateErrorInfo** info) {
    if (!info) return E_INVALIDARG;
    auto* object = new (std::nothrow) TqoErrorObject();
    if (!object) return *info = nullptr, E_OUTOFMEMORY;
    return object->QueryInterface(IID_ICreateErrorInfo, reinterpret_cast<void**>(info));
}

HRESULT SetErrorInfo(ULONG, IErrorInfo* info) {
    if (info) info->AddRef();
    if (tThreadError.fInfo) tThreadError.fInfo->Release();
    tThreadError.fInfo = info;
    return S_OK;
}

HRESULT GetErrorInfo(ULONG, IErrorInfo** info) {
    if (!info) return E_INVALIDARG;
    *info = tThreadError.fInfo;
    tThreadError.fInfo = nullptr;
    return *info ? S_OK : S_FALSE;
}
#endif

namespace qo {

namespace {

std::basic_string<OLECHAR> OleText(std::string_view text) {
    std::u16string wide = Utf8ToUtf16(text);
    return std::basic_string<OLECHAR>(wide.begin(), wide.end());
}

} // namespace

HRESULT SetComError(HRESULT code, REFIID iid, std::string_view source, std::string_view description,
                    DWORD helpContext) {
    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create))) return code;
    auto sourceText = OleText(source);
    auto descriptionText = OleText(description);
    create->SetGUID(iid);
    create->SetSource(sourceText.data());
    create->SetDescription(descriptionText.data());
    create->SetHelpContext(helpContext);
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
        SetErrorInfo(0, info);
        info->Release();
    }
    create->Release();
    return code;
}

HRESULT HandleAutomationException(REFIID iid, std::string_view source) noexcept {
    HRESULT code = E_UNEXPECTED;
    std::string message;
    try {
        try {
            throw;
        } catch (const EOleError& e) {
            if (FAILED(e.Code())) code = e.Code();
            message = e.Message();
        } catch (const EqoError& e) {
            message = e.Message();
        } catch (const std::bad_alloc&) {
            code = E_OUTOFMEMORY;
            message = "Out of memory";
        } catch (const std::exception& e) {
            message = e.what();
        } catch (...) {
            message = "Unexpected error";
        }
        return SetComError(code, iid, source, message);
    } catch (...) {
        // Not even the error info could be made: the code alone must do.
        return code;
    }
}

} // namespace qo
