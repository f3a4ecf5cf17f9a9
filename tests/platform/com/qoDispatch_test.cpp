#include <gtest/gtest.h>

#include "qoComTestSupport.h"
#include "qoSampleObject.h"

namespace qo::test {
namespace {

constexpr WORD cGet = DISPATCH_PROPERTYGET;
constexpr WORD cPut = DISPATCH_PROPERTYPUT;
constexpr WORD cCall = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

class DispatchTest : public ::testing::Test {
protected:
    DispatchTest() { fObject->ObjAddRef(); }
    ~DispatchTest() override { fObject->ObjRelease(); }
    IDispatch* Disp() { return fObject->DefaultDispatch(); }
    LONG Number() {
        LONG n = -999;
        fObject->get_Number(&n);
        return n;
    }

    TqoSample* fObject = new TqoSample();
    TqoForeignDispatch fForeign;
};

TqoVariant Null() {
    TqoVariant v;
    v.vt = VT_NULL;
    return v;
}

struct PutCase {
    const char* fName;
    TqoVariant fValue;
    HRESULT fHr;
    LONG fNumber;
};

TEST_F(DispatchTest, PutCoercesTheValueToTheDeclaredType) {
    LONG seven = 7;
    TqoVariant eight("8");
    std::vector<PutCase> cases = {
        {"I4", TqoVariant(LONG(5)), S_OK, 5},
        {"numeric text", TqoVariant("12"), S_OK, 12},
        {"R8 half rounds to even", TqoVariant(2.5), S_OK, 2},
        {"R8 other half rounds up", TqoVariant(3.5), S_OK, 4},
        {"BOOL true is -1", TqoVariant(true), S_OK, -1},
        {"EMPTY is 0", TqoVariant(), S_OK, 0},
        {"by-reference I4", ByRef(VT_I4, &seven), S_OK, 7},
        {"by-reference VARIANT", ByRef(VT_VARIANT, &eight), S_OK, 8},
        {"an object's value property", TqoVariant(&fForeign, VT_DISPATCH), S_OK, 77},
        {"text that is no number", TqoVariant("abc"), DISP_E_TYPEMISMATCH, 1},
        {"too large", TqoVariant(3e10), DISP_E_OVERFLOW, 1},
        {"NULL", Null(), DISP_E_TYPEMISMATCH, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fName);
        fObject->put_Number(1);
        TqoInvokeResult r;
        CallDispatch(Disp(), 1, cPut, {c.fValue}, r);
        EXPECT_EQ(r.fHr, c.fHr);
        EXPECT_EQ(Number(), c.fNumber);
        if (FAILED(c.fHr)) {
            EXPECT_EQ(r.fArgErr, 0u);
        }
    }
}

struct ShapeCase {
    const char* fName;
    DISPID fId;
    WORD fFlags;
    size_t fArgs;
    HRESULT fHr;
};

TEST_F(DispatchTest, CallsOfTheWrongShapeFailWithoutCallingTheMember) {
    const ShapeCase cases[] = {
        {"get with an argument", 1, cGet, 1, DISP_E_BADPARAMCOUNT},
        {"method with too few arguments", 5, cCall, 3, DISP_E_BADPARAMCOUNT},
        {"method with too many arguments", 7, cCall, 3, DISP_E_BADPARAMCOUNT},
        {"indexed get without its index", 4, cGet, 0, DISP_E_BADPARAMCOUNT},
        {"unknown DISPID", 99, cCall, 0, DISP_E_MEMBERNOTFOUND},
        {"put on a method", 20, cPut, 1, DISP_E_MEMBERNOTFOUND},
        {"call of a put-only kind", 1, DISPATCH_METHOD, 0, DISP_E_MEMBERNOTFOUND},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fName);
        TqoInvokeResult r;
        CallDispatch(Disp(), c.fId, c.fFlags, std::vector<TqoVariant>(c.fArgs, TqoVariant(LONG(1))), r);
        EXPECT_EQ(r.fHr, c.fHr);
    }
    EXPECT_EQ(Number(), 0);
}

// rgvarg as the host lays it out: the named arguments first, in the order of
// their DISPIDs, then the positional ones last first.
struct NamedCase {
    const char* fName;
    DISPID fId;
    WORD fFlags;
    std::vector<TqoVariant> fArgs;
    std::vector<DISPID> fNames;
    HRESULT fHr;
    UINT fArgErr;
};

TEST_F(DispatchTest, NamedArgumentsFillTheirParametersInAnyOrder) {
    const TqoVariant row(LONG(4)), start(2.0, VT_DATE), length(1.5), text("x");
    const NamedCase cases[] = {
        {"all named, reordered", 10, cCall, {length, row, start}, {2, 0, 1}, S_OK, ~0u},
        {"positional first, named after", 10, cCall, {start, length, row}, {1, 2}, S_OK, ~0u},
        {"a name no parameter has", 10, cCall, {start, length, row}, {1, 7}, DISP_E_PARAMNOTFOUND, 1},
        {"a name for a positional one", 10, cCall, {row, length, row}, {0, 2}, DISP_E_PARAMNOTFOUND, 0},
        {"the same name twice", 10, cCall, {start, start, row}, {1, 1}, DISP_E_PARAMNOTFOUND, 1},
        {"the put value's name on a method", 10, cCall, {length, start, row}, {DISPID_PROPERTYPUT, 1},
         DISP_E_PARAMNOTFOUND, 0},
        {"a parameter left out", 10, cCall, {length, row}, {2, 0}, DISP_E_PARAMNOTOPTIONAL, ~0u},
        {"one too many", 10, cCall, {length, row, row, row}, {2}, DISP_E_BADPARAMCOUNT, ~0u},
        {"a named argument of the wrong type", 10, cCall, {text, start, row}, {2, 1}, DISP_E_TYPEMISMATCH, 0},
        {"a put without its value's name", 1, cPut, {row}, {}, DISP_E_PARAMNOTOPTIONAL, ~0u},
        {"an indexed put with its index named", 4, cPut, {length, TqoVariant(LONG(2))},
         {DISPID_PROPERTYPUT, 0}, S_OK, ~0u},
        {"an indexed put given the value twice", 4, cPut, {length, length}, {DISPID_PROPERTYPUT, DISPID_PROPERTYPUT},
         DISP_E_PARAMNOTFOUND, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fName);
        fObject->fPlacedRow = 0;
        std::vector<TqoVariant> args = c.fArgs;
        std::vector<DISPID> names = c.fNames;
        DISPPARAMS params = {reinterpret_cast<VARIANT*>(args.data()), names.empty() ? nullptr : names.data(),
                             UINT(args.size()), UINT(names.size())};
        UINT argErr = ~0u;
        EXPECT_EQ(Disp()->Invoke(c.fId, IID_NULL, 0, c.fFlags, &params, nullptr, nullptr, &argErr), c.fHr);
        EXPECT_EQ(argErr, c.fArgErr);
        if (c.fHr == S_OK && c.fId == 10) {
            EXPECT_EQ(fObject->fPlacedRow, 4);
            EXPECT_EQ(fObject->fPlacedStart, 2.0);
            EXPECT_EQ(fObject->fPlacedLength, 1.5);
        } else if (c.fId == 10) {
            EXPECT_EQ(fObject->fPlacedRow, 0);
        }
    }
    double item = 0;
    fObject->get_Item(2, &item);
    EXPECT_EQ(item, 1.5);
}

TEST_F(DispatchTest, NamesFromGetIDsOfNamesCallTheMethod) {
    std::u16string member = u"Place", first = u"LENGTH", second = u"row", third = u"start";
    LPOLESTR names[] = {member.data(), first.data(), second.data(), third.data()};
    DISPID ids[4];
    ASSERT_EQ(Disp()->GetIDsOfNames(IID_NULL, names, 4, 0, ids), S_OK);
    TqoVariant args[] = {TqoVariant(LONG(3)), TqoVariant("7"), TqoVariant(45000.0, VT_DATE)};
    DISPPARAMS params = {args, ids + 1, 3, 3};
    EXPECT_EQ(Disp()->Invoke(ids[0], IID_NULL, 0, cCall, &params, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(fObject->fPlacedLength, 3.0);
    EXPECT_EQ(fObject->fPlacedRow, 7);
    EXPECT_EQ(fObject->fPlacedStart, 45000.0);
}

TEST_F(DispatchTest, CurrencyDecimalAndLongArgumentsReachNumberParameters) {
    TqoVariant cy;
    cy.vt = VT_CY;
    cy.cyVal.int64 = 123456; // 12.3456
    TqoVariant longRow;
    longRow.vt = VT_I8;
    longRow.llVal = 9;
    TqoVariant dec;
    dec.decVal.scale = 1;
    dec.decVal.Lo64 = 455001; // 45500.1
    dec.vt = VT_DECIMAL;
    TqoInvokeResult r;
    CallDispatch(Disp(), 10, cCall, {longRow, dec, cy}, r);
    ASSERT_EQ(r.fHr, S_OK);
    EXPECT_EQ(fObject->fPlacedRow, 9);
    EXPECT_DOUBLE_EQ(fObject->fPlacedStart, 45500.1);
    EXPECT_DOUBLE_EQ(fObject->fPlacedLength, 12.3456);

    TqoVariant tooLong = longRow;
    tooLong.llVal = 1LL << 33;
    TqoInvokeResult overflow;
    CallDispatch(Disp(), 10, cCall, {tooLong, dec, cy}, overflow);
    EXPECT_EQ(overflow.fHr, DISP_E_OVERFLOW);
    EXPECT_EQ(overflow.fArgErr, 2u);
}

TEST_F(DispatchTest, AVariantReferringToItselfIsATypeMismatch) {
    TqoVariant self;
    self.vt = VT_BYREF | VT_VARIANT;
    self.pvarVal = &self;
    TqoInvokeResult number, echo;
    CallDispatch(Disp(), 1, cPut, {self}, number);
    EXPECT_EQ(number.fHr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(number.fArgErr, 0u);
    CallDispatch(Disp(), 8, cCall, {self}, echo);
    EXPECT_EQ(echo.fHr, DISP_E_TYPEMISMATCH);
}

TEST_F(DispatchTest, MalformedParametersFromAHostAreRefused) {
    EXPECT_EQ(Disp()->Invoke(1, IID_NULL, 0, cGet, nullptr, nullptr, nullptr, nullptr), E_INVALIDARG);
    DISPPARAMS missing = {nullptr, nullptr, 2, 0};
    EXPECT_EQ(Disp()->Invoke(8, IID_NULL, 0, cCall, &missing, nullptr, nullptr, nullptr), E_INVALIDARG);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    EXPECT_EQ(Disp()->Invoke(1, IID_IUnknown, 0, cGet, &none, nullptr, nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);
    EXPECT_EQ(Disp()->Invoke(1, IID_NULL, 0, cGet, &none, nullptr, nullptr, nullptr), S_OK);
}

TEST_F(DispatchTest, PositionalArgumentsArriveLastFirstAndAreCoerced) {
    TqoInvokeResult r;
    CallDispatch(Disp(), 5, cCall,
                 {TqoVariant("True"), TqoVariant(LONG(2)), TqoVariant("1.5"), TqoVariant(2.0)}, r);
    ASSERT_EQ(r.fHr, S_OK);
    ASSERT_EQ(r.fResult.vt, VT_BSTR);
    EXPECT_EQ(BstrToUtf8(r.fResult.bstrVal), "yes 2.000000 1.500000 2");

    TqoInvokeResult bad;
    CallDispatch(Disp(), 5, cCall, {TqoVariant(true), Null(), TqoVariant(1.0), TqoVariant(LONG(0))}, bad);
    EXPECT_EQ(bad.fHr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(bad.fArgErr, 2u); // the second argument sits third from the end of rgvarg
}

TEST_F(DispatchTest, IndexedPropertiesTakeTheIndexPositionallyAndTheValueNamed) {
    TqoInvokeResult put, get, outOfRange;
    CallDispatch(Disp(), 4, cPut, {TqoVariant(LONG(3)), TqoVariant(1.25)}, put);
    CallDispatch(Disp(), 4, cGet, {TqoVariant("3")}, get);
    EXPECT_EQ(put.fHr, S_OK);
    EXPECT_EQ(get.fResult.vt, VT_R8);
    EXPECT_EQ(get.fResult.dblVal, 1.25);
    CallDispatch(Disp(), 4, cGet, {TqoVariant(LONG(9))}, outOfRange);
    EXPECT_EQ(outOfRange.fHr, DISP_E_EXCEPTION);
    EXPECT_EQ(BstrToUtf8(outOfRange.fExcep.bstrDescription), "List index out of bounds (9)");
}

TEST_F(DispatchTest, ByReferenceArgumentsAreWrittenBack) {
    LONG number = 21;
    BSTR text = BstrFromUtf8("ab");
    TqoVariant any(LONG(5));
    TqoInvokeResult r;
    CallDispatch(Disp(), 6, cCall, {ByRef(VT_I4, &number), ByRef(VT_BSTR, &text), ByRef(VT_VARIANT, &any)},
                 r);
    EXPECT_EQ(r.fHr, S_OK);
    EXPECT_EQ(number, 42);
    EXPECT_EQ(BstrToUtf8(text), "abab");
    EXPECT_EQ(any.vt, VT_I4);
    EXPECT_EQ(any.lVal, 10);
    SysFreeString(text);

    // A reference to a VARIANT of another type gets the declared type back; a
    // plain value is accepted and left alone.
    TqoVariant numberText("4"), wordText("x"), plainAny(LONG(1));
    TqoInvokeResult viaVariants;
    CallDispatch(Disp(), 6, cCall, {ByRef(VT_VARIANT, &numberText), ByRef(VT_VARIANT, &wordText), plainAny},
                 viaVariants);
    EXPECT_EQ(viaVariants.fHr, S_OK);
    EXPECT_EQ(numberText.vt, VT_I4);
    EXPECT_EQ(numberText.lVal, 8);
    EXPECT_EQ(BstrToUtf8(wordText.bstrVal), "xx");
}

TEST_F(DispatchTest, ExceptionsBecomeExcepInfoWithSourceAndDescription) {
    struct Case {
        LONG fCode;
        HRESULT fScode;
    };
    for (Case c :
         {Case{0, E_UNEXPECTED}, Case{LONG(0x80040207u), LONG(0x80040207u)}, Case{5, E_UNEXPECTED}}) {
        TqoInvokeResult r;
        CallDispatch(Disp(), 7, cCall, {TqoVariant(c.fCode), TqoVariant("went wrong")}, r);
        EXPECT_EQ(r.fHr, DISP_E_EXCEPTION);
        EXPECT_EQ(r.fExcep.scode, c.fScode);
        EXPECT_EQ(BstrToUtf8(r.fExcep.bstrSource), "qoDispatchSample.qoSample");
        EXPECT_EQ(BstrToUtf8(r.fExcep.bstrDescription), "went wrong");
    }
}

TEST_F(DispatchTest, ObjectArgumentsMustOfferTheDeclaredInterface) {
    TqoSample* child = new TqoSample();
    child->ObjAddRef();
    TqoInvokeResult foreign, own, get, tag;
    CallDispatch(Disp(), 3, DISPATCH_PROPERTYPUTREF, {TqoVariant(&fForeign, VT_DISPATCH)}, foreign);
    EXPECT_EQ(foreign.fHr, DISP_E_TYPEMISMATCH);
    CallDispatch(Disp(), 3, DISPATCH_PROPERTYPUTREF, {TqoVariant(child->DefaultDispatch(), VT_DISPATCH)},
                 own);
    EXPECT_EQ(own.fHr, S_OK);
    CallDispatch(Disp(), 3, cGet, {}, get);
    EXPECT_EQ(get.fResult.vt, VT_DISPATCH);
    EXPECT_EQ(get.fResult.pdispVal, child->DefaultDispatch());
    // An object property declared with put also takes "Set obj.Tag = x".
    CallDispatch(Disp(), 9, DISPATCH_PROPERTYPUTREF, {TqoVariant(&fForeign, VT_DISPATCH)}, tag);
    EXPECT_EQ(tag.fHr, S_OK);
    EXPECT_EQ(fForeign.fRefCount, 2u);
    child->ObjRelease();
}

TEST_F(DispatchTest, VariantArgumentsArriveDereferenced) {
    TqoVariant inner("deep");
    TqoInvokeResult r;
    CallDispatch(Disp(), 8, cCall, {ByRef(VT_VARIANT, &inner)}, r);
    EXPECT_EQ(r.fResult.vt, VT_BSTR);
    EXPECT_EQ(BstrToUtf8(r.fResult.bstrVal), "deep");
    EXPECT_NE(r.fResult.bstrVal, inner.bstrVal);
}

TEST_F(DispatchTest, MembersOfTheBaseInterfaceAreReachedThroughTheDerivedOne) {
    TqoInvokeResult extra, number;
    CallDispatch(Disp(), 20, cCall, {}, extra);
    CallDispatch(Disp(), 1, cGet, {}, number);
    EXPECT_EQ(extra.fResult.lVal, 42);
    EXPECT_EQ(number.fHr, S_OK);
}

// A class that has the base interface as a separate subobject answers it with
// the implementation it already has for the derived one.
class TqoBoth : public TqoSample, public TqoAutoIntf<TqoBoth, ISample> {
public:
    QO_FORWARD_ISample(TqoSample);
    HRESULT ObjQueryInterface(REFIID iid, void** object) override {
        if (object && iid == IID_ISample)
            return GiveInterface(static_cast<ISample*>(static_cast<TqoAutoIntf<TqoBoth, ISample>*>(this)),
                                 object);
        return TqoSample::ObjQueryInterface(iid, object);
    }
};

TEST(DispatchForwardingTest, TheSecondCopyOfAnInterfaceReachesTheSameMembers) {
    auto* object = new TqoBoth();
    object->ObjAddRef();
    ISample* base = nullptr;
    ASSERT_EQ(object->Intf()->QueryInterface(IID_ISample, reinterpret_cast<void**>(&base)), S_OK);
    EXPECT_NE(static_cast<void*>(base), static_cast<void*>(object->Intf()));
    TqoInvokeResult put;
    CallDispatch(base, 1, cPut, {TqoVariant(LONG(6))}, put);
    LONG number = 0;
    EXPECT_EQ(object->Intf()->get_Number(&number), S_OK);
    EXPECT_EQ(number, 6);
    TqoInvokeResult extra;
    CallDispatch(base, 20, cCall, {}, extra);
    EXPECT_EQ(extra.fHr, DISP_E_MEMBERNOTFOUND); // ISample's own table has no Extra
    base->Release();
    object->ObjRelease();
}

TEST_F(DispatchTest, NamesResolveWithoutRegardToCase) {
    std::u16string member = u"cOmBiNe", param = u"WHEN", unknown = u"nope";
    LPOLESTR names[] = {member.data(), param.data(), unknown.data()};
    DISPID ids[3];
    EXPECT_EQ(Disp()->GetIDsOfNames(IID_NULL, names, 2, 0, ids), S_OK);
    EXPECT_EQ(ids[0], 5);
    EXPECT_EQ(ids[1], 2);
    EXPECT_EQ(Disp()->GetIDsOfNames(IID_NULL, names, 3, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[2], DISPID_UNKNOWN);
    LPOLESTR only[] = {unknown.data()};
    EXPECT_EQ(Disp()->GetIDsOfNames(IID_NULL, only, 1, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(Disp()->GetIDsOfNames(IID_NULL, nullptr, 1, 0, ids), E_INVALIDARG);
}

TEST_F(DispatchTest, TypeInfoDescribesTheInterfaceAndInvokes) {
    ITypeInfo* info = nullptr;
    ASSERT_EQ(Disp()->GetTypeInfo(0, 0, &info), S_OK);
    EXPECT_EQ(Disp()->GetTypeInfo(1, 0, &info), DISP_E_BADINDEX);
    ASSERT_EQ(Disp()->GetTypeInfo(0, 0, &info), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_TRUE(attr->guid == IID_ISample2);
    EXPECT_EQ(attr->cFuncs, 16);
    EXPECT_EQ(attr->wTypeFlags, TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION);
    info->ReleaseTypeAttr(attr);
    BSTR names[3] = {};
    UINT count = 0;
    ASSERT_EQ(info->GetNames(4, names, 3, &count), S_OK);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(BstrToUtf8(names[0]), "Item");
    EXPECT_EQ(BstrToUtf8(names[1]), "index");
    for (BSTR n : names) SysFreeString(n);
    TqoBstr doc;
    EXPECT_EQ(info->GetDocumentation(2, nullptr, doc.Out(), nullptr, nullptr), S_OK);
    EXPECT_EQ(doc.Utf8(), "Some text");
    FUNCDESC* func = nullptr;
    ASSERT_EQ(info->GetFuncDesc(9, &func), S_OK); // Twice, after the eight accessors and Combine
    EXPECT_EQ(func->memid, 6);
    EXPECT_EQ(func->invkind, INVOKE_FUNC);
    EXPECT_EQ(func->oVft, 16 * static_cast<SHORT>(sizeof(void*)));
    ASSERT_EQ(func->cParams, 3);
    EXPECT_EQ(func->lprgelemdescParam[1].tdesc.vt, VT_PTR);
    EXPECT_EQ(func->lprgelemdescParam[1].tdesc.lptdesc->vt, VT_BSTR);
    EXPECT_EQ(func->lprgelemdescParam[1].paramdesc.wParamFlags, PARAMFLAG_FIN | PARAMFLAG_FOUT);
    info->ReleaseFuncDesc(func);
    EXPECT_EQ(info->GetFuncDesc(16, &func), TYPE_E_ELEMENTNOTFOUND);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    TqoVariant result;
    EXPECT_EQ(info->Invoke(Disp(), 20, DISPATCH_METHOD, &none, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(result.lVal, 42);
}

// Events are implemented by hosts only: our own dispatch of an event
// interface knows their names but calls none of them.
class TqoEventsIntf : public TqoAutoObject, public TqoAutoIntf<TqoEventsIntf, ISampleEvents> {
public:
    IDispatch* DefaultDispatch() override { return this; }
};

TEST(EventInterfaceTest, OurOwnDispatchDoesNotCallAnEvent) {
    auto* object = new TqoEventsIntf();
    object->ObjAddRef();
    IDispatch* intf = object->DefaultDispatch();
    LONG number = 1;
    TqoInvokeResult out;
    CallDispatch(intf, 7, DISPATCH_METHOD,
                 {TqoVariant(), ByRef(VT_I4, &number), TqoVariant(true), TqoVariant("x"), TqoVariant(1.0)}, out);
    EXPECT_EQ(out.fHr, DISP_E_MEMBERNOTFOUND);
    TqoInvokeResult none;
    CallDispatch(intf, 3, DISPATCH_METHOD, {}, none);
    EXPECT_EQ(none.fHr, DISP_E_MEMBERNOTFOUND);
    OLECHAR name[] = u"Ask";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    EXPECT_EQ(intf->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    EXPECT_EQ(id, 7);
    object->ObjRelease();
}

} // namespace
} // namespace qo::test
