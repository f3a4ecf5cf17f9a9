#pragma once
// Rich error information and the rule that every automation member follows:
// an exception never crosses an interface; it becomes a failure code (the
// error's own OLE code when it carries a negative one, else E_UNEXPECTED) with
// error info whose source is the class's ProgID and whose description is the
// message.
#include <string>
#include <string_view>

#include "platform/com/qoComIntf.h"
#include "platform/core/qoErrors.h"

#ifndef _WIN32
// The error info of the calling thread; SetErrorInfo takes a reference,
// GetErrorInfo hands it over and clears it (S_FALSE when there is none).
HRESULT CreateErrorInfo(ICreateErrorInfo** info);
HRESULT SetErrorInfo(ULONG reserved, IErrorInfo* info);
HRESULT GetErrorInfo(ULONG reserved, IErrorInfo** info);
#endif

namespace qo {

// An error that names its own OLE code (bad input from a host, mostly).
class EOleError : public EqoError {
public:
    EOleError(HRESULT code, std::string message) : EqoError(std::move(message)), fCode(code) {}
    HRESULT Code() const { return fCode; }

private:
    HRESULT fCode;
};

// Sets the thread's error info and returns code.
HRESULT SetComError(HRESULT code, REFIID iid, std::string_view source, std::string_view description,
                    DWORD helpContext = 0);

// Call inside a catch block: turns the exception being handled into the failure
// result and the thread's error info.
HRESULT HandleAutomationException(REFIID iid, std::string_view source) noexcept;

// Throws EOleError(E_POINTER) for a null out or in pointer of a member.
template <class T> T* CheckPointer(T* pointer, const char* what = "pointer") {
    if (!pointer) throw EOleError(E_POINTER, std::string("Invalid null ") + what);
    return pointer;
}

} // namespace qo
