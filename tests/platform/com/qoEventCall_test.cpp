#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "platform/com/qoEventCall.h"
#include "qoComTestSupport.h"
#include "qoSampleObject.h"

namespace qo::test {
namespace {

std::string Describe(const VARIANT& arg);

std::string DescribeValue(const VARIANT& v) {
    std::ostringstream out;
    switch (v.vt) {
    case VT_I2:
        out << "I2:" << v.iVal;
        break;
    case VT_I4:
        out << "I4:" << v.lVal;
        break;
    case VT_R8:
        out << "R8:" << v.dblVal;
        break;
    case VT_DATE:
        out << "DATE:" << v.date;
        break;
    case VT_BOOL:
        out << "BOOL:" << v.boolVal;
        break;
    case VT_BSTR:
        out << "BSTR:" << BstrToUtf8(v.bstrVal);
        break;
    case VT_DISPATCH:
        out << (v.pdispVal ? "obj" : "null");
        break;
    default:
        out << "vt" << v.vt;
    }
    return out.str();
}

// By-reference arguments show as &TYPE:value, a referenced VARIANT as &(its value).
std::string Describe(const VARIANT& arg) {
    if (arg.vt == (VT_BYREF | VT_VARIANT)) return "&(" + Describe(*arg.pvarVal) + ")";
    if (!(arg.vt & VT_BYREF)) return DescribeValue(arg);
    VARIANT value;
    VariantInit(&value);
    value.vt = static_cast<VARTYPE>(arg.vt & ~VT_BYREF);
    value.llVal = 0;
    switch (value.vt) {
    case VT_I2:
        value.iVal = *arg.piVal;
        break;
    case VT_I4:
        value.lVal = *arg.plVal;
        break;
    case VT_R8:
        value.dblVal = *arg.pdblVal;
        break;
    case VT_BOOL:
        value.boolVal = *arg.pboolVal;
        break;
    case VT_BSTR:
        value.bstrVal = *arg.pbstrVal; // borrowed
        break;
    default:
        break;
    }
    return "&" + DescribeValue(value);
}

// What a host does with an answer: numbers up by one, flags turned over,
// text with "!" added, doubles doubled, a referenced VARIANT replaced by text.
void Answer(VARIANT& arg) {
    switch (arg.vt) {
    case VT_BYREF | VT_I2:
        ++*arg.piVal;
        break;
    case VT_BYREF | VT_I4:
        ++*arg.plVal;
        break;
    case VT_BYREF | VT_R8:
        *arg.pdblVal *= 2;
        break;
    case VT_BYREF | VT_BOOL:
        *arg.pboolVal = ToVariantBool(!*arg.pboolVal);
        break;
    case VT_BYREF | VT_BSTR: {
        BSTR old = *arg.pbstrVal;
        *arg.pbstrVal = BstrFromUtf8(BstrToUtf8(old) + "!");
        SysFreeString(old);
        break;
    }
    case VT_BYREF | VT_VARIANT:
        VariantClear(arg.pvarVal);
        arg.pvarVal->vt = VT_BSTR;
        arg.pvarVal->bstrVal = BstrFromUtf8("answer");
        break;
    default:
        break;
    }
}

// A host's event sink: records every call as "DISPID: arguments in declared
// order", answers the by-reference ones, and runs fDuring while it is called.
class TqoRecordingSink : public TqoForeignDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid != DIID_ISampleEvents) return TqoForeignDispatch::QueryInterface(iid, object);
        *object = this;
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* excep, UINT*) override {
        EXPECT_EQ(iid, IID_NULL);
        EXPECT_EQ(flags, DISPATCH_METHOD);
        EXPECT_EQ(params->cNamedArgs, 0u);
        EXPECT_EQ(result, nullptr);
        EXPECT_GE(fRefCount, 2u) << "the caller holds the sink while it runs";
        std::string line = std::to_string(id) + ":";
        for (UINT i = params->cArgs; i-- > 0;) line += " " + Describe(params->rgvarg[i]);
        fCalls.push_back(line);
        if (fDuring) fDuring();
        if (fFailure == DISP_E_EXCEPTION) {
            excep->scode = E_ACCESSDENIED;
            excep->bstrDescription = BstrFromUtf8("The host refused");
        }
        if (FAILED(fFailure)) return fFailure;
        for (UINT i = 0; i < params->cArgs; ++i) Answer(params->rgvarg[i]);
        return S_OK;
    }

    std::vector<std::string> fCalls;
    std::function<void()> fDuring;
    HRESULT fFailure = S_OK;
};

// Someone's container that only counts the references its points take.
class TqoCountingContainer : public IConnectionPointContainer {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override { return *object = nullptr, E_NOTIMPL; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++fRefCount; }
    ULONG STDMETHODCALLTYPE Release() override { return --fRefCount; }
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID, IConnectionPoint**) override { return E_NOTIMPL; }
    ULONG fRefCount = 1;
};

// The variables a raising component passes by reference.
struct TqoAnswers {
    LONG fNumber = 5;
    bool fAllow = true;
    std::string fText = "hi";
    double fScale = 1.5;
    SHORT fKey = 65;
    std::string fChar = "a";
    TqoVariant fAny{LONG(7)};

    std::string Show() const {
        std::ostringstream out;
        out << fNumber << " " << fAllow << " " << fText << " " << fScale << " " << fKey << " " << fChar << " "
            << DescribeValue(fAny);
        return out.str();
    }
};

class EventRaiserTest : public ::testing::Test {
protected:
    EventRaiserTest() { fObject->ObjAddRef(); }
    ~EventRaiserTest() override { fObject->ObjRelease(); }

    DWORD Advise(TqoRecordingSink& sink) {
        DWORD cookie = 0;
        EXPECT_EQ(fPoint.Advise(&sink, &cookie), S_OK);
        return cookie;
    }
    void RaiseAsk() { fRaiser.Ask(fObject->Intf(), &fValues.fNumber, &fValues.fAllow, &fValues.fText, &fValues.fScale); }

    // Before the point, which releases what is still advised when it goes.
    TqoRecordingSink fFirst, fSecond, fThird;
    TqoCountingContainer fContainer;
    TqoConnectionPoint fPoint{fContainer, DIID_ISampleEvents, TqoSinkKind::Many};
    TSampleEventsRaiser fRaiser{fPoint};
    TqoSample* fObject = new TqoSample();
    TqoAnswers fValues;
};

TEST_F(EventRaiserTest, ArgumentsGoOutInDeclaredOrderAndAnswersComeBack) {
    struct TCase {
        const char* fName;
        std::function<void()> fRaise;
        const char* fSent;
        const char* fAfter;
    };
    const TCase cases[] = {
        {"plain values and an object",
         [this] { fRaiser.Moved(fObject->Intf(), 3, 2.5, skMany); }, "1: obj I4:3 DATE:2.5 I4:2",
         "5 1 hi 1.5 65 a I4:7"},
        {"text, flag and a variant",
         [this] { fRaiser.Said("héllo", true, TqoVariant(LONG(9))); },
         "2: BSTR:héllo BOOL:-1 I4:9", "5 1 hi 1.5 65 a I4:7"},
        {"by-reference long, bool, text and double",
         [this] { RaiseAsk(); }, "7: obj &I4:5 &BOOL:-1 &BSTR:hi &R8:1.5",
         "6 0 hi! 3 65 a I4:7"},
        {"by-reference short, text under a keyword's name and variant",
         [this] { fRaiser.KeyPress(&fValues.fKey, &fValues.fChar, &fValues.fAny); },
         "3: &I2:65 &BSTR:a &(I4:7)", "5 1 hi 1.5 66 a! BSTR:answer"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.fName);
        TqoRecordingSink& sink = fFirst;
        sink.fCalls.clear();
        const DWORD cookie = Advise(sink);
        fValues = TqoAnswers();
        c.fRaise();
        ASSERT_EQ(sink.fCalls.size(), 1u);
        EXPECT_EQ(sink.fCalls[0], c.fSent);
        EXPECT_EQ(fValues.Show(), c.fAfter);
        EXPECT_EQ(fPoint.Unadvise(cookie), S_OK);
        EXPECT_EQ(sink.fRefCount, 1u);
    }
}

TEST_F(EventRaiserTest, EachSinkSeesTheAnswerOfTheOneBefore) {
    TqoRecordingSink &first = fFirst, &second = fSecond;
    Advise(first);
    Advise(second);
    RaiseAsk();
    EXPECT_EQ(first.fCalls, std::vector<std::string>{"7: obj &I4:5 &BOOL:-1 &BSTR:hi &R8:1.5"});
    EXPECT_EQ(second.fCalls, std::vector<std::string>{"7: obj &I4:6 &BOOL:0 &BSTR:hi! &R8:3"});
    EXPECT_EQ(fValues.Show(), "7 1 hi!! 6 65 a I4:7");
}

TEST_F(EventRaiserTest, ASinkThatUnadvisesWhileCalledLeavesTheOthersCalled) {
    TqoRecordingSink &leaving = fFirst, &staying = fSecond, &late = fThird;
    const DWORD cookie = Advise(leaving);
    Advise(staying);
    leaving.fDuring = [&] {
        EXPECT_EQ(fPoint.Unadvise(cookie), S_OK);
        Advise(late); // joins for the next event, not this one
    };
    RaiseAsk();
    RaiseAsk();
    EXPECT_EQ(leaving.fCalls.size(), 1u);
    EXPECT_EQ(staying.fCalls.size(), 2u);
    EXPECT_EQ(late.fCalls.size(), 1u);
    EXPECT_EQ(leaving.fRefCount, 1u);
    EXPECT_EQ(fValues.fNumber, 5 + 2 + 2); // every sink called answered
}

TEST_F(EventRaiserTest, AHostFailureIsRaisedAndAnUnhandledEventChangesNothing) {
    TqoRecordingSink &failing = fFirst, &after = fSecond;
    Advise(failing);
    Advise(after);
    failing.fFailure = DISP_E_MEMBERNOTFOUND;
    RaiseAsk();
    EXPECT_EQ(fValues.Show(), "6 0 hi! 3 65 a I4:7") << "only the second sink answered";

    fValues = TqoAnswers();
    failing.fFailure = DISP_E_EXCEPTION;
    try {
        RaiseAsk();
        ADD_FAILURE() << "the host's failure is raised";
    } catch (const EOleError& e) {
        EXPECT_EQ(e.Code(), E_ACCESSDENIED);
        EXPECT_STREQ(e.what(), "The host refused");
    }
    EXPECT_EQ(fValues.Show(), TqoAnswers().Show());
    EXPECT_EQ(after.fCalls.size(), 1u) << "the sinks after a failing one are not called";
    EXPECT_EQ(failing.fRefCount, 2u) << "only the connection's reference is left";
    EXPECT_EQ(fContainer.fRefCount, 1u);
}

TEST_F(EventRaiserTest, WithoutSinksNothingIsSent) {
    RaiseAsk();
    EXPECT_EQ(fValues.Show(), TqoAnswers().Show());
}

} // namespace
} // namespace qo::test
