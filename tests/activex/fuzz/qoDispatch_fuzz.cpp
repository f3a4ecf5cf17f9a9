// libFuzzer target for the automation boundary: a host that drives every
// automation object through IDispatch::Invoke and sends anything. The input
// chooses objects, members (from each object's type information, now and then
// a DISPID or flags of its own), argument variants (every automation type,
// references, chains of references and references to themselves, named
// arguments, objects of its own) and what the host does besides: let go of
// objects, have an owner free its list, make new lists. The host's objects
// run host code (a further call into the automation objects) from their
// Release and from their value property (DISPID_VALUE). Any crash, sanitizer
// report or leak is a finding. tests/activex/fuzz/qoFuzzRun.sh runs it.
#include "data/qoDataEntityPack.h"
#include "platform/com/qoVariant.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <vector>

namespace {

using namespace qo;

// QO_FUZZ_TRACE=1 prints the host's steps, to explain a finding.
void Trace(const char* format, ...) {
    static const bool on = std::getenv("QO_FUZZ_TRACE") != nullptr;
    if (!on) return;
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
}

constexpr int kMaxReentry = 3;     // host code calling back from within host code
constexpr int kStepBudget = 300;   // calls per input, re-entrant ones included
constexpr size_t kMaxHeld = 48;    // references the host keeps
constexpr int kMaxArgDepth = 3;    // references to references built as arguments

class THost;

// What the host holds and owns, and what it does next.
class TWorld {
public:
    explicit TWorld(FuzzedDataProvider& in) : fIn(in) {}
    TWorld(const TWorld&) = delete;
    TWorld& operator=(const TWorld&) = delete;
    ~TWorld();
    void Run() {
        NewList();
        while (fIn.remaining_bytes() > 0 && fBudget > 0) Step();
    }
    // Host code run from inside a call: a Release or a value property.
    void ReEnter() {
        if (fTearingDown || fDepth >= kMaxReentry || fBudget <= 0 || !fIn.ConsumeBool()) return;
        Trace("%*shost code runs\n", 2 * fDepth, "");
        ++fDepth;
        Step();
        --fDepth;
    }
    FuzzedDataProvider& In() { return fIn; }
    // A held object with a reference for the caller, or nil.
    IDispatch* PickHeld() {
        if (fHeld.empty()) return nullptr;
        IDispatch* object = fHeld[fIn.ConsumeIntegralInRange<size_t>(0, fHeld.size() - 1)];
        object->AddRef();
        return object;
    }
    void Keep(IDispatch* object);

private:
    void Step();
    void NewList();
    void FreeList();
    void LetGo();
    void AskNames();
    void InvokeSome();

    FuzzedDataProvider& fIn;
    TqoListController fController;
    std::vector<TqoDataList*> fLists; // owned the way a component owns its lists
    std::vector<IDispatch*> fHeld;    // one reference each
    int fDepth = 0;
    int fBudget = kStepBudget;
    bool fTearingDown = false;
};

// An object of the host's: its Release and its value property run host code.
class THost final : public IDispatch {
public:
    explicit THost(TWorld& world) : fWorld(world) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (iid != IID_IUnknown && iid != IID_IDispatch) return E_NOINTERFACE;
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        Trace("host object %p count %lu\n", static_cast<void*>(this), static_cast<unsigned long>(fCount + 1));
        return ++fCount;
    }
    // Like a script object's terminate code, run while the object still lives.
    ULONG STDMETHODCALLTYPE Release() override {
        fWorld.ReEnter();
        const ULONG count = --fCount;
        Trace("host object %p count %lu\n", static_cast<void*>(this), static_cast<unsigned long>(count));
        if (count == 0) delete this;
        return count;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override;

private:
    TWorld& fWorld;
    ULONG fCount = 1;
};

HRESULT THost::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) {
    if (id != DISPID_VALUE || !result) return DISP_E_MEMBERNOTFOUND;
    AddRef(); // the host code below may let go of this object
    fWorld.ReEnter();
    FuzzedDataProvider& in = fWorld.In();
    HRESULT hr = S_OK;
    switch (in.ConsumeIntegralInRange(0, 4)) {
    case 0:
        result->vt = VT_I4;
        result->lVal = in.ConsumeIntegralInRange(-2, 12);
        break;
    case 1:
        result->vt = VT_BSTR;
        result->bstrVal = BstrFromUtf8(in.ConsumeRandomLengthString(8));
        break;
    case 2: // itself: a value that never ends
        result->vt = VT_DISPATCH;
        result->pdispVal = this;
        AddRef();
        break;
    case 3:
        result->vt = VT_DISPATCH;
        result->pdispVal = fWorld.PickHeld();
        break;
    default:
        hr = DISP_E_EXCEPTION;
        break;
    }
    Release();
    return hr;
}

// The arguments of one call and what their references point to.
class TArgs {
public:
    TArgs(TWorld& world) : fWorld(world), fIn(world.In()) {}
    TArgs(const TArgs&) = delete;
    TArgs& operator=(const TArgs&) = delete;
    ~TArgs() {
        for (VARIANT& v : fArgs) VariantClear(&v);
    }
    void Add(int depth = 0) { fArgs.push_back(Make(depth)); }
    std::vector<VARIANT>& Items() { return fArgs; }

private:
    VARIANT Make(int depth);
    VARIANT Number();
    VARIANT Object(VARTYPE vt);
    VARIANT Reference(int depth);

    TWorld& fWorld;
    FuzzedDataProvider& fIn;
    std::vector<VARIANT> fArgs;
    std::deque<TqoVariant> fPointees; // stable addresses for references
};

VARIANT TArgs::Number() {
    TqoVariant v;
    switch (fIn.ConsumeIntegralInRange(0, 7)) {
    case 0:
        v.vt = VT_I2;
        v.iVal = fIn.ConsumeIntegral<SHORT>();
        break;
    case 1:
        v.vt = VT_I4;
        v.lVal = fIn.ConsumeBool() ? fIn.ConsumeIntegralInRange(-2, 12) : fIn.ConsumeIntegral<LONG>();
        break;
    case 2:
        v.vt = fIn.ConsumeBool() ? VT_R8 : VT_DATE;
        v.dblVal = fIn.ConsumeFloatingPoint<double>();
        break;
    case 3:
        v.vt = VT_BOOL;
        v.boolVal = fIn.ConsumeIntegral<SHORT>();
        break;
    case 4:
        v.vt = VT_CY;
        v.cyVal.int64 = fIn.ConsumeIntegral<LONGLONG>();
        break;
    case 5:
        v.decVal.scale = fIn.ConsumeIntegralInRange<BYTE>(0, 30);
        v.decVal.sign = fIn.ConsumeBool() ? DECIMAL_NEG : 0;
        v.decVal.Hi32 = fIn.ConsumeBool() ? fIn.ConsumeIntegral<ULONG>() : 0;
        v.decVal.Lo64 = fIn.ConsumeIntegral<ULONGLONG>();
        v.vt = VT_DECIMAL;
        break;
    case 6:
        v.vt = fIn.ConsumeBool() ? VT_I8 : VT_UI8;
        v.llVal = fIn.ConsumeIntegral<LONGLONG>();
        break;
    default:
        v.vt = fIn.ConsumeBool() ? VT_R4 : VT_UI1;
        v.fltVal = fIn.ConsumeFloatingPoint<float>();
        break;
    }
    return v.Detach();
}

VARIANT TArgs::Object(VARTYPE vt) {
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    switch (fIn.ConsumeIntegralInRange(0, 2)) {
    case 0:
        v.pdispVal = fWorld.PickHeld();
        break;
    case 1:
        v.pdispVal = new THost(fWorld);
        break;
    default:
        v.pdispVal = nullptr;
        break;
    }
    return v;
}

// A reference to a value, to another reference, or to itself.
VARIANT TArgs::Reference(int depth) {
    VARIANT v;
    VariantInit(&v);
    TqoVariant& pointee = fPointees.emplace_back();
    switch (fIn.ConsumeIntegralInRange(0, 2)) {
    case 0: // by-reference variant
        v.vt = VT_BYREF | VT_VARIANT;
        v.pvarVal = &pointee;
        static_cast<VARIANT&>(pointee) = Make(depth + 1);
        break;
    case 1: // by-reference value of the pointee's own type
        static_cast<VARIANT&>(pointee) = fIn.ConsumeBool() ? Number() : Object(VT_DISPATCH);
        v.vt = VT_BYREF | pointee.vt;
        v.byref = pointee.vt == VT_DECIMAL ? static_cast<void*>(&pointee.decVal) : &pointee.llVal;
        break;
    default: // a variant that refers to itself
        pointee.vt = VT_BYREF | VT_VARIANT;
        pointee.pvarVal = &pointee;
        v.vt = VT_BYREF | VT_VARIANT;
        v.pvarVal = &pointee;
        break;
    }
    return v;
}

VARIANT TArgs::Make(int depth) {
    VARIANT v;
    VariantInit(&v);
    switch (fIn.ConsumeIntegralInRange(0, 9)) {
    case 0:
        v.vt = fIn.ConsumeBool() ? VT_EMPTY : VT_NULL;
        return v;
    case 1:
    case 2:
        return Number();
    case 3:
        v.vt = VT_BSTR;
        v.bstrVal = BstrFromUtf8(fIn.ConsumeRandomLengthString(12));
        return v;
    case 4:
    case 5:
        return Object(fIn.ConsumeBool() ? VT_DISPATCH : VT_UNKNOWN);
    case 6:
        v.vt = VT_ERROR;
        v.scode = fIn.ConsumeIntegral<SCODE>();
        return v;
    case 7:
    case 8:
        return depth < kMaxArgDepth ? Reference(depth) : Number();
    default: // a type nobody knows, owning nothing: a reference to zeros if it claims one
        v.vt = fIn.ConsumeIntegral<VARTYPE>();
        if (v.vt & VT_BYREF) v.byref = static_cast<VARIANT*>(&fPointees.emplace_back());
        return v;
    }
}

// ---- the host's steps ----

TWorld::~TWorld() {
    fTearingDown = true;
    while (!fHeld.empty()) {
        IDispatch* object = fHeld.back();
        fHeld.pop_back();
        object->Release();
    }
    while (!fLists.empty()) {
        TqoDataList* list = fLists.back();
        fLists.pop_back();
        list->FreeWheneverPossible();
    }
}

void TWorld::Keep(IDispatch* object) {
    if (fHeld.size() < kMaxHeld) {
        fHeld.push_back(object);
        return;
    }
    object->Release();
}

void TWorld::Step() {
    --fBudget;
    switch (fIn.ConsumeIntegralInRange(0, 15)) {
    case 0:
        return NewList();
    case 1:
        return FreeList();
    case 2:
    case 3:
        return LetGo();
    case 4:
        return AskNames();
    default:
        return InvokeSome();
    }
}

void TWorld::NewList() {
    if (fLists.size() >= 4) return;
    auto* list = new TqoDataList;
    list->AfterCreate(&fController, TqoDataEntityClass::Of<TqoDataEntity>());
    fLists.push_back(list);
    Trace("%*snew list %p\n", 2 * fDepth, "", static_cast<void*>(list));
    Keep(AddRefed(static_cast<IDispatch*>(list->AutoIntf())));
    IDispatch* second = nullptr;
    if (SUCCEEDED(list->AutoIntf()->QueryInterface(IID_IqoDataList2, reinterpret_cast<void**>(&second))))
        Keep(second);
}

// The owner frees its list while the host may still hold it or its entities.
// QO_FUZZ_KEEP_LISTS=1 leaves this out, to look past the faults it finds.
void TWorld::FreeList() {
    static const bool keep = std::getenv("QO_FUZZ_KEEP_LISTS") != nullptr;
    if (fLists.empty() || keep) return;
    const size_t i = fIn.ConsumeIntegralInRange<size_t>(0, fLists.size() - 1);
    TqoDataList* list = fLists[i];
    fLists.erase(fLists.begin() + ptrdiff_t(i));
    Trace("%*sowner frees list %p\n", 2 * fDepth, "", static_cast<void*>(list));
    list->FreeWheneverPossible();
}

void TWorld::LetGo() {
    if (fHeld.empty()) return;
    const size_t i = fIn.ConsumeIntegralInRange<size_t>(0, fHeld.size() - 1);
    IDispatch* object = fHeld[i];
    fHeld.erase(fHeld.begin() + ptrdiff_t(i));
    Trace("%*slet go of %p\n", 2 * fDepth, "", static_cast<void*>(object));
    object->Release();
}

void TWorld::AskNames() {
    IDispatch* object = PickHeld();
    if (!object) return;
    std::vector<std::u16string> texts;
    for (size_t n = fIn.ConsumeIntegralInRange<size_t>(1, 4); n > 0; --n) {
        const std::string text = fIn.ConsumeRandomLengthString(12);
        texts.emplace_back(text.begin(), text.end());
    }
    std::vector<LPOLESTR> names;
    for (auto& text : texts) names.push_back(text.data());
    std::vector<DISPID> ids(names.size());
    object->GetIDsOfNames(IID_NULL, names.data(), UINT(names.size()), 0, ids.data());
    object->Release();
}

// A member of the object's own interface as its type information describes it.
struct TMember {
    DISPID fId = DISPID_VALUE;
    WORD fFlags = DISPATCH_METHOD;
    UINT fArgs = 0;
};

TMember ChooseMember(IDispatch* object, FuzzedDataProvider& in) {
    TMember m;
    ITypeInfo* info = nullptr;
    TYPEATTR* attr = nullptr;
    if (FAILED(object->GetTypeInfo(0, 0, &info)) || FAILED(info->GetTypeAttr(&attr))) return m;
    FUNCDESC* func = nullptr;
    if (attr->cFuncs && SUCCEEDED(info->GetFuncDesc(in.ConsumeIntegralInRange<UINT>(0, attr->cFuncs - 1), &func))) {
        m.fId = func->memid;
        m.fFlags = WORD(func->invkind);
        for (SHORT p = 0; p < func->cParams; ++p)
            m.fArgs += !(func->lprgelemdescParam[p].paramdesc.wParamFlags & PARAMFLAG_FRETVAL);
        info->ReleaseFuncDesc(func);
    }
    info->ReleaseTypeAttr(attr);
    info->Release();
    return m;
}

void TWorld::InvokeSome() {
    IDispatch* object = PickHeld();
    if (!object) return;
    TMember m = ChooseMember(object, fIn);
    if (fIn.ConsumeIntegralInRange(0, 7) == 0) { // a call no type information describes
        m.fId = fIn.ConsumeIntegralInRange<DISPID>(-6, 300);
        m.fFlags = fIn.ConsumeIntegralInRange<WORD>(0, 15);
    }
    if (m.fFlags == DISPATCH_METHOD && fIn.ConsumeBool()) m.fFlags |= DISPATCH_PROPERTYGET; // as scripts call
    const UINT count = fIn.ConsumeIntegralInRange(0, 7) == 0 ? fIn.ConsumeIntegralInRange<UINT>(0, 4) : m.fArgs;
    TArgs args(*this);
    for (UINT i = 0; i < count; ++i) args.Add();
    // Named arguments come first in rgvarg: the put's value, then some parameters by DISPID.
    std::vector<DISPID> names;
    const bool put = m.fFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    if (count && put && fIn.ConsumeIntegralInRange(0, 15) != 0) names.push_back(DISPID_PROPERTYPUT);
    while (names.size() < count && fIn.ConsumeIntegralInRange(0, 3) == 0)
        names.push_back(fIn.ConsumeBool() ? DISPID(count - 1 - names.size()) : fIn.ConsumeIntegral<DISPID>());
    DISPPARAMS params = {args.Items().data(), names.data(), count, UINT(names.size())};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO excep{};
    UINT argErr = 0;
    Trace("%*sinvoke %p id %d flags %d args %u named %zu\n", 2 * fDepth, "", static_cast<void*>(object), m.fId,
          m.fFlags, count, names.size());
    const HRESULT hr = object->Invoke(m.fId, IID_NULL, 0, m.fFlags, &params, fIn.ConsumeBool() ? &result : nullptr,
                                      &excep, &argErr);
    Trace("%*s-> 0x%08X %s\n", 2 * fDepth, "", unsigned(hr), BstrToUtf8(excep.bstrDescription).c_str());
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrHelpFile);
    if ((result.vt == VT_DISPATCH || result.vt == VT_UNKNOWN) && result.punkVal) {
        IDispatch* got = nullptr;
        if (SUCCEEDED(result.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&got)))) Keep(got);
    }
    VariantClear(&result);
    object->Release();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    TWorld world(in);
    world.Run();
    return 0;
}
