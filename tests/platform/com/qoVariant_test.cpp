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
