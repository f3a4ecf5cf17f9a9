#include <gtest/gtest.h>

#include "platform/com/qoVariant.h"
#include "qoComTestSupport.h"

namespace qo::test {
namespace {

TqoVariant Typed(VARTYPE vt) {
    TqoVariant v;
    v.vt = vt;
    return v;
}

TEST(BstrTest, LengthPrefixedNullEqualsEmptyAndTextRoundTrips) {
    TqoBstr text("Zeit für Änderung €");
    EXPECT_EQ(SysStringLen(text.Get()), 19u);
    EXPECT_EQ(SysStringByteLen(text.Get()), 38u);
    EXPECT_EQ(reinterpret_cast<const uint32_t*>(text.Get())[-1], 38u);
    EXPECT_EQ(text.Get()[19], 0);
    EXPECT_EQ(text.Utf8(), "Zeit für Änderung €");

    OLECHAR withNul[] = {u'a', 0, u'b'};
    BSTR inner = SysAllocStringLen(withNul, 3);
    EXPECT_EQ(SysStringLen(inner), 3u);
    EXPECT_EQ(BstrToUtf16(inner), std::u16string(u"a\0b", 3));
    SysFreeString(inner);

    TqoBstr empty("");
    EXPECT_TRUE(BstrEqual(nullptr, empty.Get()));
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(BstrToUtf8(nullptr), "");
    EXPECT_EQ(SysAllocStringLen(nullptr, cMaxBstrLength + 1), nullptr);
}

struct ChangeCase {
    const char* fName;
    TqoVariant fFrom;
    VARTYPE fTo;
    HRESULT fHr;
    TqoVariant fExpected;
};

TEST(VariantTest, ChangeTypeBetweenTheAutomationTypes) {
    LONG referenced = 9;
    ChangeCase cases[] = {
        {"I4 to text", TqoVariant(LONG(-12)), VT_BSTR, S_OK, TqoVariant("-12")},
        {"R8 to text", TqoVariant(0.1), VT_BSTR, S_OK, TqoVariant("0.1")},
        {"BOOL to I2", TqoVariant(true), VT_I2, S_OK, TqoVariant(-1.0, VT_R8)},
        {"text to R8", TqoVariant(" 2.5 "), VT_R8, S_OK, TqoVariant(2.5)},
        {"text to BOOL", TqoVariant("False"), VT_BOOL, S_OK, TqoVariant(false)},
        {"number text to BOOL", TqoVariant("3"), VT_BOOL, S_OK, TqoVariant(true)},
        {"R8 to I4 halves to even", TqoVariant(-2.5), VT_I4, S_OK, TqoVariant(LONG(-2))},
        {"R8 to DATE", TqoVariant(45000.25), VT_DATE, S_OK, TqoVariant(45000.25, VT_DATE)},
        {"text to DATE", TqoVariant("12/31/1899"), VT_DATE, S_OK, TqoVariant(1.0, VT_DATE)},
        {"EMPTY to I4", TqoVariant(), VT_I4, S_OK, TqoVariant(LONG(0))},
        {"EMPTY to text", TqoVariant(), VT_BSTR, S_OK, TqoVariant("")},
        {"by-reference source", ByRef(VT_I4, &referenced), VT_R8, S_OK, TqoVariant(9.0)},
        {"I4 out of I2", TqoVariant(LONG(40000)), VT_I2, DISP_E_OVERFLOW, TqoVariant()},
        {"R8 out of R4", TqoVariant(1e300), VT_R4, DISP_E_OVERFLOW, TqoVariant()},
        {"text to I4", TqoVariant("12abc"), VT_I4, DISP_E_TYPEMISMATCH, TqoVariant()},
        {"empty text to I4", TqoVariant(""), VT_I4, DISP_E_TYPEMISMATCH, TqoVariant()},
        {"NULL to I4", Typed(VT_NULL), VT_I4, DISP_E_TYPEMISMATCH, TqoVariant()},
        {"ERROR to I4", Typed(VT_ERROR), VT_I4, DISP_E_TYPEMISMATCH, TqoVariant()},
        {"I4 to DISPATCH", TqoVariant(LONG(1)), VT_DISPATCH, DISP_E_TYPEMISMATCH, TqoVariant()},
        {"unknown type", Typed(77), VT_I4, DISP_E_BADVARTYPE, TqoVariant()},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.fName);
        TqoVariant result;
        EXPECT_EQ(VariantChangeType(&result, &c.fFrom, 0, c.fTo), c.fHr);
        if (SUCCEEDED(c.fHr)) {
            EXPECT_EQ(result.vt, c.fTo);
            EXPECT_TRUE(VariantEquals(result, c.fExpected));
        } else {
            EXPECT_EQ(result.vt, VT_EMPTY);
        }
    }
}

TqoVariant Cy(LONGLONG tenThousandths) {
    TqoVariant v = Typed(VT_CY);
    v.cyVal.int64 = tenThousandths;
    return v;
}

TqoVariant Dec(ULONGLONG magnitude, BYTE scale, bool negative = false, ULONG high = 0) {
    TqoVariant v;
    v.decVal.scale = scale;
    v.decVal.sign = negative ? DECIMAL_NEG : 0;
    v.decVal.Hi32 = high;
    v.decVal.Lo64 = magnitude;
    v.vt = VT_DECIMAL;
    return v;
}

TqoVariant I8(LONGLONG value, VARTYPE vt = VT_I8) {
    TqoVariant v = Typed(vt);
    v.llVal = value;
    return v;
}

struct ExactCase {
    const char* fName;
    TqoVariant fFrom;
    VARTYPE fTo;
    HRESULT fHr;
    const char* fText; // the result as text, exact
};

TEST(VariantTest, CurrencyDecimalAndSixtyFourBitIntegersConvertExactly) {
    LONGLONG referenced = 7;
    ExactCase cases[] = {
        {"currency to text", Cy(15000), VT_BSTR, S_OK, "1.5"},
        {"currency to I4 halves to even", Cy(25000), VT_I4, S_OK, "2"},
        {"currency to I4 above half", Cy(25001), VT_I4, S_OK, "3"},
        {"negative currency to I2", Cy(-35000), VT_I2, S_OK, "-4"},
        {"currency to R8", Cy(12345), VT_R8, S_OK, "1.2345"},
        {"largest currency to text", Cy(0x7FFFFFFFFFFFFFFF), VT_BSTR, S_OK, "922337203685477.5807"},
        {"currency beyond I4", Cy(30000000000000), VT_I4, DISP_E_OVERFLOW, nullptr},
        {"decimal to text", Dec(12345, 3), VT_BSTR, S_OK, "12.345"},
        {"decimal keeps 28 digits", Dec(1, 28), VT_BSTR, S_OK, "0.0000000000000000000000000001"},
        {"96-bit decimal to text", Dec(0xFFFFFFFFFFFFFFFF, 0, false, 0xFFFFFFFF), VT_BSTR, S_OK,
         "79228162514264337593543950335"},
        {"negative decimal to I4 halves to even", Dec(25, 1, true), VT_I4, S_OK, "-2"},
        {"decimal to currency rounds", Dec(123456789, 6), VT_CY, S_OK, "123.4568"},
        {"decimal to R8", Dec(5, 1), VT_R8, S_OK, "0.5"},
        {"decimal with scale beyond 28", Dec(5, 29), VT_I4, E_INVALIDARG, nullptr},
        {"I8 to text beyond double precision", I8(9007199254740993), VT_BSTR, S_OK, "9007199254740993"},
        {"I8 beyond I4", I8(1LL << 40), VT_I4, DISP_E_OVERFLOW, nullptr},
        {"UI8 to UI1", I8(200, VT_UI8), VT_UI1, S_OK, "200"},
        {"by-reference I8", ByRef(VT_I8, &referenced), VT_I4, S_OK, "7"},
        {"text to I8 exactly", TqoVariant("-9007199254740993"), VT_I8, S_OK, "-9007199254740993"},
        {"text to currency", TqoVariant(" 12.34565 "), VT_CY, S_OK, "12.3456"},
        {"text to decimal", TqoVariant("0.10"), VT_DECIMAL, S_OK, "0.1"},
        {"R8 to currency", TqoVariant(1.23456), VT_CY, S_OK, "1.2346"},
        {"R8 to decimal keeps fifteen digits", TqoVariant(0.1), VT_DECIMAL, S_OK, "0.1"},
        {"R8 beyond currency", TqoVariant(1e20), VT_CY, DISP_E_OVERFLOW, nullptr},
        {"R8 beyond decimal", TqoVariant(1e30), VT_DECIMAL, DISP_E_OVERFLOW, nullptr},
        {"I4 to UI8 below zero", TqoVariant(LONG(-1)), VT_UI8, DISP_E_OVERFLOW, nullptr},
        {"NULL to currency", Typed(VT_NULL), VT_CY, DISP_E_TYPEMISMATCH, nullptr},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.fName);
        TqoVariant result;
        ASSERT_EQ(VariantChangeType(&result, &c.fFrom, 0, c.fTo), c.fHr);
        if (FAILED(c.fHr)) continue;
        EXPECT_EQ(result.vt, c.fTo);
        TqoVariant text;
        ASSERT_EQ(VariantChangeType(&text, &result, 0, VT_BSTR), S_OK);
        EXPECT_EQ(BstrToUtf8(text.bstrVal), c.fText);
    }
}

// An object whose value property answers with another object, or with itself.
class TqoValueChain : public TqoForeignDispatch {
public:
    explicit TqoValueChain(IDispatch* next) : fNext(next) {}
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override {
        if (id != DISPID_VALUE || !result) return DISP_E_MEMBERNOTFOUND;
        result->vt = VT_DISPATCH;
        result->pdispVal = fNext ? fNext : this;
        result->pdispVal->AddRef();
        return S_OK;
    }
    IDispatch* fNext;
};

TEST(VariantTest, ReferenceAndValueChainsEndInAnErrorInsteadOfALoop) {
    TqoVariant self;
    self.vt = VT_BYREF | VT_VARIANT;
    self.pvarVal = &self;
    TqoVariant copy;
    EXPECT_EQ(VariantCopyInd(&copy, &self), E_INVALIDARG);
    EXPECT_EQ(VariantChangeType(&copy, &self, 0, VT_I4), E_INVALIDARG);
    EXPECT_FALSE(VariantEquals(self, self));

    TqoVariant end(LONG(5));
    std::vector<TqoVariant> chain(4);
    chain[0] = ByRef(VT_VARIANT, &end);
    for (size_t i = 1; i < chain.size(); ++i) chain[i] = ByRef(VT_VARIANT, &chain[i - 1]);
    ASSERT_EQ(VariantChangeType(&copy, &chain.back(), 0, VT_R8), S_OK);
    EXPECT_EQ(copy.dblVal, 5.0);

    TqoForeignDispatch value; // 77
    TqoValueChain inner(&value), outer(&inner), loop(nullptr);
    TqoVariant viaTwo(&outer, VT_DISPATCH), viaItself(&loop, VT_DISPATCH);
    ASSERT_EQ(VariantChangeType(&copy, &viaTwo, 0, VT_I4), S_OK);
    EXPECT_EQ(copy.lVal, 77);
    EXPECT_EQ(VariantChangeType(&copy, &viaItself, 0, VT_I4), DISP_E_TYPEMISMATCH);
    viaTwo = TqoVariant();
    viaItself = TqoVariant();
    EXPECT_EQ(loop.fRefCount, 1u);
    EXPECT_EQ(outer.fRefCount, 1u);
    EXPECT_EQ(value.fRefCount, 1u);
}

TEST(VariantTest, ChangeTypeInPlaceAndObjectsKeepTheirCounts) {
    TqoVariant v("42");
    ASSERT_EQ(VariantChangeType(&v, &v, 0, VT_I4), S_OK);
    EXPECT_EQ(v.lVal, 42);

    TqoForeignDispatch object;
    {
        TqoVariant asDispatch(&object, VT_DISPATCH);
        TqoVariant asUnknown, copy;
        ASSERT_EQ(VariantChangeType(&asUnknown, &asDispatch, 0, VT_UNKNOWN), S_OK);
        ASSERT_EQ(VariantCopy(&copy, &asDispatch), S_OK);
        EXPECT_EQ(object.fRefCount, 4u);
        TqoVariant value;
        ASSERT_EQ(VariantChangeType(&value, &asUnknown, 0, VT_BSTR), S_OK);
        EXPECT_EQ(BstrToUtf8(value.bstrVal), "77");
    }
    EXPECT_EQ(object.fRefCount, 1u);
}

struct EqualCase {
    const char* fName;
    TqoVariant fA;
    TqoVariant fB;
    bool fEqual;
};

TEST(VariantTest, EqualityOfReferences) {
    TqoForeignDispatch one, two;
    TqoVariant text("abc");
    const EqualCase cases[] = {
        {"same integer", TqoVariant(LONG(5)), TqoVariant(LONG(5)), true},
        {"integer and double", TqoVariant(LONG(5)), TqoVariant(5.0), true},
        {"integer and numeric text", TqoVariant(LONG(5)), TqoVariant("5"), true},
        {"integer and other text", TqoVariant(LONG(5)), TqoVariant("five"), false},
        {"texts exactly", TqoVariant("abc"), TqoVariant("abc"), true},
        {"texts differ in case", TqoVariant("abc"), TqoVariant("ABC"), false},
        {"text through a reference", ByRef(VT_VARIANT, &text), TqoVariant("abc"), true},
        {"same object", TqoVariant(&one, VT_DISPATCH), TqoVariant(&one, VT_UNKNOWN), true},
        {"other object", TqoVariant(&one, VT_DISPATCH), TqoVariant(&two, VT_DISPATCH), false},
        {"empty and empty", TqoVariant(), TqoVariant(), true},
        {"empty and zero", TqoVariant(), TqoVariant(LONG(0)), false},
        {"null and null", Typed(VT_NULL), Typed(VT_NULL), false},
        {"true and -1", TqoVariant(true), TqoVariant(LONG(-1)), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fName);
        EXPECT_EQ(VariantEquals(c.fA, c.fB), c.fEqual);
        EXPECT_EQ(VariantEquals(c.fB, c.fA), c.fEqual);
    }
}

TEST(VariantTest, CopyIndDereferencesAndCopiesStrings) {
    BSTR text = BstrFromUtf8("shared");
    TqoVariant ref = ByRef(VT_BSTR, &text), copy;
    ASSERT_EQ(VariantCopyInd(&copy, &ref), S_OK);
    EXPECT_EQ(copy.vt, VT_BSTR);
    EXPECT_NE(copy.bstrVal, text);
    EXPECT_EQ(BstrToUtf8(copy.bstrVal), "shared");
    SysFreeString(text);
    TqoVariant broken;
    broken.vt = VT_BYREF | VT_I4;
    broken.byref = nullptr;
    EXPECT_EQ(VariantCopyInd(&copy, &broken), E_INVALIDARG);
    EXPECT_EQ(VariantClear(nullptr), E_INVALIDARG);
}

} // namespace
} // namespace qo::test
