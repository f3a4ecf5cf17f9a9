#pragma once
// The automation vocabulary. On Windows these are the system's own COM and OLE
// declarations; elsewhere they are ours, with the same names, values and binary
// layout (32-bit LONG, UTF-16 OLECHAR, the same VARIANT and vtable shapes), so
// that code written against them compiles and behaves the same on both.
#ifdef _WIN32
#include <windows.h>
// the OLE headers after windows.h
#include <ocidl.h>
#include <ole2.h>
#include <oleauto.h>
#include <olectl.h>
// Takes back the macros that would rename the library's own members.
#include "platform/core/qoWin32.h"
#define QO_OLESTR(s) L##s
#else
#include <cstdint>

#define STDMETHODCALLTYPE
#define QO_OLESTR(s) u##s

typedef int32_t HRESULT;
typedef int32_t SCODE;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int32_t INT;
typedef uint32_t UINT;
typedef int32_t BOOL;
typedef uint32_t DWORD;
typedef uint16_t WORD;
typedef uint16_t USHORT;
typedef int16_t SHORT;
typedef uint8_t BYTE;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef uintptr_t ULONG_PTR;
typedef void* PVOID;
typedef char16_t OLECHAR;
typedef OLECHAR* LPOLESTR;
typedef const OLECHAR* LPCOLESTR;
typedef OLECHAR* BSTR;
typedef uint16_t VARTYPE;
typedef int16_t VARIANT_BOOL;
typedef double DATE;
typedef DWORD LCID;
typedef LONG DISPID;
typedef DISPID MEMBERID;
typedef DWORD HREFTYPE;

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
typedef GUID IID;
typedef GUID CLSID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;

inline bool operator==(REFGUID a, REFGUID b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}
inline bool IsEqualGUID(REFGUID a, REFGUID b) {
    return a == b;
}

#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)
#define QO_HR(x) static_cast<HRESULT>(x##u)

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = QO_HR(0x80004001);
constexpr HRESULT E_NOINTERFACE = QO_HR(0x80004002);
constexpr HRESULT E_POINTER = QO_HR(0x80004003);
constexpr HRESULT E_FAIL = QO_HR(0x80004005);
constexpr HRESULT E_UNEXPECTED = QO_HR(0x8000FFFF);
constexpr HRESULT E_ACCESSDENIED = QO_HR(0x80070005);
constexpr HRESULT E_OUTOFMEMORY = QO_HR(0x8007000E);
constexpr HRESULT E_INVALIDARG = QO_HR(0x80070057);
constexpr HRESULT DISP_E_UNKNOWNINTERFACE = QO_HR(0x80020001);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = QO_HR(0x80020003);
constexpr HRESULT DISP_E_PARAMNOTFOUND = QO_HR(0x80020004);
constexpr HRESULT DISP_E_TYPEMISMATCH = QO_HR(0x80020005);
constexpr HRESULT DISP_E_UNKNOWNNAME = QO_HR(0x80020006);
constexpr HRESULT DISP_E_NONAMEDARGS = QO_HR(0x80020007);
constexpr HRESULT DISP_E_BADVARTYPE = QO_HR(0x80020008);
constexpr HRESULT DISP_E_EXCEPTION = QO_HR(0x80020009);
constexpr HRESULT DISP_E_OVERFLOW = QO_HR(0x8002000A);
constexpr HRESULT DISP_E_BADINDEX = QO_HR(0x8002000B);
constexpr HRESULT DISP_E_BADPARAMCOUNT = QO_HR(0x8002000E);
constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = QO_HR(0x8002000F);
constexpr HRESULT TYPE_E_LIBNOTREGISTERED = QO_HR(0x8002801D);
constexpr HRESULT TYPE_E_ELEMENTNOTFOUND = QO_HR(0x8002802B);
constexpr HRESULT CLASS_E_NOAGGREGATION = QO_HR(0x80040110);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = QO_HR(0x80040111);
constexpr HRESULT REGDB_E_CLASSNOTREG = QO_HR(0x80040154);
constexpr HRESULT DV_E_FORMATETC = QO_HR(0x80040064);
constexpr HRESULT CONNECT_E_NOCONNECTION = QO_HR(0x80040200);
constexpr HRESULT CONNECT_E_ADVISELIMIT = QO_HR(0x80040201);
constexpr HRESULT CONNECT_E_CANNOTCONNECT = QO_HR(0x80040202);
constexpr HRESULT SELFREG_E_TYPELIB = QO_HR(0x80040200);
constexpr HRESULT SELFREG_E_CLASS = QO_HR(0x80040201);
#undef QO_HR

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_DECIMAL = 14,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23,
    VT_VOID = 24,
    VT_HRESULT = 25,
    VT_PTR = 26,
    VT_USERDEFINED = 29,
    VT_ARRAY = 0x2000,
    VT_BYREF = 0x4000,
    VT_TYPEMASK = 0x0FFF
};

constexpr WORD DISPATCH_METHOD = 1;
constexpr WORD DISPATCH_PROPERTYGET = 2;
constexpr WORD DISPATCH_PROPERTYPUT = 4;
constexpr WORD DISPATCH_PROPERTYPUTREF = 8;
constexpr DISPID DISPID_UNKNOWN = -1;
constexpr DISPID DISPID_VALUE = 0;
constexpr DISPID DISPID_PROPERTYPUT = -3;
constexpr MEMBERID MEMBERID_NIL = -1;
constexpr LCID LOCALE_USER_DEFAULT = 0x400;

struct IUnknown;
struct IDispatch;
struct IRecordInfo;

// Currency: the amount times 10000.
union CY {
    LONGLONG int64;
};

// A 96-bit integer scaled down by 10^scale (0..28); sign 0x80 is negative.
// It fills the whole VARIANT, its first field overlapping vt.
struct DECIMAL {
    USHORT wReserved;
    BYTE scale;
    BYTE sign;
    ULONG Hi32;
    ULONGLONG Lo64;
};
constexpr BYTE DECIMAL_NEG = 0x80;

struct VARIANT {
    union {
        struct {
            VARTYPE vt;
            WORD wReserved1;
            WORD wReserved2;
            WORD wReserved3;
            union {
                LONGLONG llVal;
                LONG lVal;
                BYTE bVal;
                SHORT iVal;
                float fltVal;
                double dblVal;
                VARIANT_BOOL boolVal;
                SCODE scode;
                CY cyVal;
                DATE date;
                BSTR bstrVal;
                IUnknown* punkVal;
                IDispatch* pdispVal;
                BYTE* pbVal;
                SHORT* piVal;
                LONG* plVal;
                LONGLONG* pllVal;
                float* pfltVal;
                double* pdblVal;
                VARIANT_BOOL* pboolVal;
                SCODE* pscode;
                CY* pcyVal;
                DATE* pdate;
                BSTR* pbstrVal;
                IUnknown** ppunkVal;
                IDispatch** ppdispVal;
                VARIANT* pvarVal;
                DECIMAL* pdecVal;
                PVOID byref;
                char cVal;
                USHORT uiVal;
                ULONG ulVal;
                ULONGLONG ullVal;
                ULONG* pulVal;
                ULONGLONG* pullVal;
                INT intVal;
                UINT uintVal;
                struct {
                    PVOID pvRecord;
                    IRecordInfo* pRecInfo;
                } brecVal;
            };
        };
        DECIMAL decVal;
    };
};
static_assert(sizeof(VARIANT) == 8 + 2 * sizeof(void*), "the system's VARIANT layout");
typedef VARIANT VARIANTARG;

struct DISPPARAMS {
    VARIANTARG* rgvarg;
    DISPID* rgdispidNamedArgs;
    UINT cArgs;
    UINT cNamedArgs;
};

struct EXCEPINFO {
    WORD wCode;
    WORD wReserved;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    DWORD dwHelpContext;
    PVOID pvReserved;
    HRESULT(STDMETHODCALLTYPE* pfnDeferredFillIn)(EXCEPINFO*);
    SCODE scode;
};

struct CONNECTDATA {
    IUnknown* pUnk;
    DWORD dwCookie;
};

enum TYPEKIND {
    TKIND_ENUM,
    TKIND_RECORD,
    TKIND_MODULE,
    TKIND_INTERFACE,
    TKIND_DISPATCH,
    TKIND_COCLASS,
    TKIND_ALIAS,
    TKIND_UNION,
    TKIND_MAX
};
enum INVOKEKIND {
    INVOKE_FUNC = 1,
    INVOKE_PROPERTYGET = 2,
    INVOKE_PROPERTYPUT = 4,
    INVOKE_PROPERTYPUTREF = 8
};
enum SYSKIND { SYS_WIN16, SYS_WIN32, SYS_MAC, SYS_WIN64 };
enum REGKIND { REGKIND_DEFAULT, REGKIND_REGISTER, REGKIND_NONE };
constexpr WORD TYPEFLAG_FCANCREATE = 0x2;
constexpr WORD TYPEFLAG_FHIDDEN = 0x10;
constexpr WORD TYPEFLAG_FCONTROL = 0x20;
constexpr WORD TYPEFLAG_FDUAL = 0x40;
constexpr WORD TYPEFLAG_FOLEAUTOMATION = 0x100;
constexpr WORD TYPEFLAG_FDISPATCHABLE = 0x1000;
constexpr WORD LIBFLAG_FCONTROL = 0x2;
constexpr USHORT PARAMFLAG_FIN = 0x1;
constexpr USHORT PARAMFLAG_FOUT = 0x2;
constexpr USHORT PARAMFLAG_FRETVAL = 0x8;
constexpr USHORT PARAMFLAG_FOPT = 0x10;
constexpr USHORT PARAMFLAG_FHASDEFAULT = 0x20;

struct TYPEDESC {
    union {
        TYPEDESC* lptdesc;
        HREFTYPE hreftype;
    };
    VARTYPE vt;
};

struct IDLDESC {
    ULONG_PTR dwReserved;
    USHORT wIDLFlags;
};

struct PARAMDESC {
    void* pparamdescex;
    USHORT wParamFlags;
};

struct ELEMDESC {
    TYPEDESC tdesc;
    union {
        IDLDESC idldesc;
        PARAMDESC paramdesc;
    };
};

enum FUNCKIND { FUNC_VIRTUAL, FUNC_PUREVIRTUAL, FUNC_NONVIRTUAL, FUNC_STATIC, FUNC_DISPATCH };
enum CALLCONV { CC_FASTCALL, CC_CDECL, CC_MSCPASCAL, CC_MACPASCAL, CC_STDCALL };

struct FUNCDESC {
    MEMBERID memid;
    SCODE* lprgscode;
    ELEMDESC* lprgelemdescParam;
    FUNCKIND funckind;
    INVOKEKIND invkind;
    CALLCONV callconv;
    SHORT cParams;
    SHORT cParamsOpt;
    SHORT oVft;
    SHORT cScodes;
    ELEMDESC elemdescFunc;
    WORD wFuncFlags;
};

struct TYPEATTR {
    GUID guid;
    LCID lcid;
    DWORD dwReserved;
    MEMBERID memidConstructor;
    MEMBERID memidDestructor;
    LPOLESTR lpstrSchema;
    ULONG cbSizeInstance;
    TYPEKIND typekind;
    WORD cFuncs;
    WORD cVars;
    WORD cImplTypes;
    WORD cbSizeVft;
    WORD cbAlignment;
    WORD wTypeFlags;
    WORD wMajorVerNum;
    WORD wMinorVerNum;
    TYPEDESC tdescAlias;
    IDLDESC idldescType;
};

struct TLIBATTR {
    GUID guid;
    LCID lcid;
    SYSKIND syskind;
    WORD wMajorVerNum;
    WORD wMinorVerNum;
    WORD wLibFlags;
};

inline constexpr IID IID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
#endif
