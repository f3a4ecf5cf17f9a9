// Every generated member of the data objects, invoked the way a careless host
// would: too many or too few arguments, unknown or partial names, text where a
// number or an object belongs, null and self-referring references, types
// nobody knows, Empty, Null, chains of references, objects of the wrong class,
// numbers out of range, no place for the answer. Each call ends in success or
// in a failure code (a member's own failure with its error info); nothing
// crashes or leaks. These are the rules of our own dispatch: on Windows the
// system's dispatch answers instead.
#ifndef _WIN32
#include "platform/com/qoComTestSupport.h"
#include "platform/core/qoUnicode.h"
#include "qoDataTestSupport.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace qo {
namespace {

using test::TCountedEntity;
using test::TqoInvokeResult;

// ---- the objects, as a host holds them ----

struct TTarget {
    const char* Name;
    const TqoDispInterface& Table;
    IDispatch* (*Reach)(TqoDataList& list); // with a reference for the host
    bool Freed;                             // by its owner, while the host holds it
};

IDispatch* EntityOf(TqoDataList& list) {
    return AddRefed(list.Items(1)->AutoIntf());
}
IDispatch* ListOf(TqoDataList& list) {
    return AddRefed(list.AutoIntf());
}
IDispatch* SecondListOf(TqoDataList& list) {
    IqoDataList2* second = nullptr;
    list.AutoIntf()->QueryInterface(IID_IqoDataList2, reinterpret_cast<void**>(&second));
    return second;
}

const TTarget kTargets[] = {
    {"entity", TqoIntfTraits<IqoDataEntity>::Info(), EntityOf, false},
    {"deleted entity", TqoIntfTraits<IqoDataEntity>::Info(), EntityOf, true},
    {"list", TqoIntfTraits<IqoDataList>::Info(), ListOf, false},
    {"freed list", TqoIntfTraits<IqoDataList>::Info(), ListOf, true},
    {"list as IqoDataList2", TqoIntfTraits<IqoDataList2>::Info(), SecondListOf, false},
    {"freed list as IqoDataList2", TqoIntfTraits<IqoDataList2>::Info(), SecondListOf, true},
};

// A list of three and the target object held by the host; on leaving, every
// entity and every host object is let go of exactly as often as it was taken.
class TScene {
public:
    explicit TScene(const TTarget& target) : fObject(target.Reach(*fList)) {
        if (!target.Freed) return;
        if (target.Table.fIid == &IID_IqoDataEntity)
            fList->Delete(1);
        else
            fList.reset();
    }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;
    ~TScene() {
        fObject->Release();
        fList.reset();
        EXPECT_EQ(TCountedEntity::Alive, fAliveBefore) << "entities leaked or freed twice";
        EXPECT_EQ(fForeign.fRefCount, 1u) << "a host object leaked or was released too often";
    }
    IDispatch* Object() const { return fObject; }
    // Another of our objects, held by the list while it lives.
    IDispatch* Entity() { return fList ? fList->Items(0)->AutoIntf() : fObject; }
    IDispatch* List() { return fList ? fList->AutoIntf() : fObject; }
    IDispatch* Foreign() { return &fForeign; }

private:
    const int fAliveBefore = TCountedEntity::Alive;
    TqoListController fController;
    test::TOwned<TqoDataList> fList = test::NewNumberedList(&fController, 3);
    IDispatch* fObject;
    test::TqoForeignDispatch fForeign;
};

// ---- calls ----

bool IsPut(const TqoDispMember& m) {
    return m.fKind == INVOKE_PROPERTYPUT || m.fKind == INVOKE_PROPERTYPUTREF;
}

WORD FlagsOf(const TqoDispMember& m) {
    switch (m.fKind) {
    case INVOKE_PROPERTYGET:
        return DISPATCH_PROPERTYGET;
    case INVOKE_PROPERTYPUT:
        return DISPATCH_PROPERTYPUT;
    case INVOKE_PROPERTYPUTREF:
        return DISPATCH_PROPERTYPUTREF;
    default:
        return DISPATCH_METHOD | DISPATCH_PROPERTYGET; // as scripts call
    }
}

// The arguments of one call as a host lays them out: named ones first, then
// the positional ones last first.
struct TCall {
    std::vector<TqoVariant> Positional; // in parameter order
    std::vector<std::pair<DISPID, TqoVariant>> Named;
    bool WithResult = true;

    TqoInvokeResult Run(IDispatch* object, const TqoDispMember& m) {
        std::vector<VARIANT> args;
        std::vector<DISPID> names;
        for (auto& [name, value] : Named) {
            names.push_back(name);
            args.push_back(value);
        }
        for (auto it = Positional.rbegin(); it != Positional.rend(); ++it) args.push_back(*it);
        DISPPARAMS params = {args.empty() ? nullptr : args.data(), names.empty() ? nullptr : names.data(),
                             UINT(args.size()), UINT(names.size())};
        TqoInvokeResult out;
        out.fHr = object->Invoke(m.fId, IID_NULL, 0, FlagsOf(m), &params, WithResult ? &out.fResult : nullptr,
                                 &out.fExcep, &out.fArgErr);
        return out;
    }
};

// A value each parameter takes without complaint, so that one bad argument is
// the only one.
TqoVariant Neutral(VARTYPE vt) {
    switch (vt) {
    case VT_BOOL:
        return TqoVariant(false);
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return TqoVariant(nullptr, vt);
    default:
        return TqoVariant(LONG(0));
    }
}

// Every parameter neutral, a put's value named as hosts name it; `bad`
// replaces parameter `at`.
TCall NeutralCall(const TqoDispMember& m, int at = -1, TqoVariant bad = {}) {
    TCall call;
    for (WORD p = 0; p < m.fArgCount; ++p)
        call.Positional.push_back(int(p) == at ? std::move(bad) : Neutral(m.fParams[p].fVt));
    if (IsPut(m)) {
        call.Named.emplace_back(DISPID_PROPERTYPUT, std::move(call.Positional.back()));
        call.Positional.pop_back();
    }
    return call;
}

// Where parameter p of a neutral call stands in rgvarg.
UINT PositionOf(const TqoDispMember& m, WORD p) {
    return IsPut(m) && p + 1 == m.fArgCount ? 0 : UINT(m.fArgCount - 1 - p);
}

std::string NameOf(const TqoDispMember& m) {
    return Utf16ToUtf8(m.fName) + (IsPut(m) ? " (put)" : "");
}

// Runs `check` for every member of every target.
void ForEachMember(const std::function<void(const TTarget&, const TqoDispMember&)>& check) {
    for (const TTarget& target : kTargets) {
        for (WORD i = 0; i < target.Table.fMemberCount; ++i) {
            const TqoDispMember& m = target.Table.fMembers[i];
            if (!m.fThunk) continue;
            SCOPED_TRACE(std::string(target.Name) + "." + NameOf(m));
            check(target, m);
        }
    }
}

// ---- calls of the wrong shape: refused before the member runs ----

struct TShapeCase {
    const char* Name;
    // Whether the case fits the member at all.
    bool (*Applies)(const TqoDispMember&);
    TCall (*Make)(const TqoDispMember&);
    HRESULT (*Expected)(const TqoDispMember&);
    UINT ArgErr; // ~0u: not reported
};

const TShapeCase kShapes[] = {
    {"one argument too many", [](const TqoDispMember&) { return true; },
     [](const TqoDispMember& m) {
         TCall call = NeutralCall(m);
         call.Positional.insert(call.Positional.begin(), TqoVariant(LONG(0)));
         return call;
     },
     [](const TqoDispMember&) { return DISP_E_BADPARAMCOUNT; }, ~0u},
    {"no arguments", [](const TqoDispMember& m) { return m.fArgCount > 0; },
     [](const TqoDispMember&) { return TCall(); },
     [](const TqoDispMember& m) { return IsPut(m) ? DISP_E_PARAMNOTOPTIONAL : DISP_E_BADPARAMCOUNT; }, ~0u},
    {"the first parameter missing", [](const TqoDispMember& m) { return m.fArgCount > 1; },
     [](const TqoDispMember& m) {
         TCall call = NeutralCall(m);
         call.Positional.erase(call.Positional.begin());
         return call;
     },
     [](const TqoDispMember&) { return DISP_E_BADPARAMCOUNT; }, ~0u},
    {"a later parameter named, the first missing",
     [](const TqoDispMember& m) { return m.fArgCount > 1 && !IsPut(m); },
     [](const TqoDispMember& m) {
         TCall call;
         call.Named.emplace_back(1, Neutral(m.fParams[1].fVt));
         return call;
     },
     [](const TqoDispMember&) { return DISP_E_PARAMNOTOPTIONAL; }, ~0u},
    {"a name that is no parameter", [](const TqoDispMember& m) { return m.fArgCount > 0 && !IsPut(m); },
     [](const TqoDispMember& m) {
         TCall call = NeutralCall(m);
         call.Named.emplace_back(77, std::move(call.Positional.front()));
         call.Positional.erase(call.Positional.begin());
         return call;
     },
     [](const TqoDispMember&) { return DISP_E_PARAMNOTFOUND; }, 0},
    {"a put whose value is positional", [](const TqoDispMember& m) { return IsPut(m); },
     [](const TqoDispMember& m) {
         TCall call = NeutralCall(m);
         call.Positional.push_back(std::move(call.Named.front().second));
         call.Named.clear();
         return call;
     },
     [](const TqoDispMember&) { return DISP_E_PARAMNOTOPTIONAL; }, ~0u},
};

TEST(DataBadInvoke, CallsOfTheWrongShapeAreRefusedBeforeTheMemberRuns) {
    ForEachMember([](const TTarget& target, const TqoDispMember& m) {
        for (const TShapeCase& c : kShapes) {
            if (!c.Applies(m)) continue;
            SCOPED_TRACE(c.Name);
            TScene scene(target);
            TqoInvokeResult r = c.Make(m).Run(scene.Object(), m);
            EXPECT_EQ(r.fHr, c.Expected(m));
            EXPECT_EQ(r.fArgErr, c.ArgErr);
            EXPECT_EQ(r.fResult.vt, VT_EMPTY);
        }
    });
}

// ---- one bad argument: refused, the argument named ----

TqoVariant Text() {
    return TqoVariant("no such value");
}

// Kept alive while a call refers to them.
std::deque<TqoVariant> gPointees;

TqoVariant NullReference() {
    return test::ByRef(VT_I4, nullptr);
}

TqoVariant SelfReference() {
    TqoVariant& self = gPointees.emplace_back();
    self.vt = VT_BYREF | VT_VARIANT;
    self.pvarVal = &self;
    return test::ByRef(VT_VARIANT, &self);
}

TqoVariant ReferenceToAnUnknownType() {
    static LONG somewhere = 0;
    return test::ByRef(0x7F, &somewhere);
}

struct TArgCase {
    const char* Name;
    TqoVariant (*Make)();
    bool ForVariants; // a VARIANT parameter takes it too
    HRESULT Expected;
};

const TArgCase kBadArgs[] = {
    {"text where a number or an object belongs", Text, false, DISP_E_TYPEMISMATCH},
    {"a by-reference number through a null pointer", NullReference, true, DISP_E_TYPEMISMATCH},
    {"a variant referring to itself", SelfReference, true, DISP_E_TYPEMISMATCH},
    {"a reference to a type nobody knows", ReferenceToAnUnknownType, true, DISP_E_BADVARTYPE},
};

TEST(DataBadInvoke, ABadArgumentIsRefusedAndNamed) {
    ForEachMember([](const TTarget& target, const TqoDispMember& m) {
        for (WORD p = 0; p < m.fArgCount; ++p) {
            for (const TArgCase& c : kBadArgs) {
                if (m.fParams[p].fVt == VT_VARIANT && !c.ForVariants) continue;
                SCOPED_TRACE(std::string(c.Name) + " as parameter " + std::to_string(p));
                TScene scene(target);
                TqoInvokeResult r = NeutralCall(m, p, c.Make()).Run(scene.Object(), m);
                EXPECT_EQ(r.fHr, c.Expected);
                EXPECT_EQ(r.fArgErr, PositionOf(m, p));
            }
        }
    });
    gPointees.clear();
}

// ---- anything else: success, or a failure that says what went wrong ----

// Either the call succeeded, or an argument was refused and named, or the
// member failed with its error info.
void ExpectCleanOutcome(const TqoInvokeResult& r, const TqoDispMember& m, WORD p) {
    if (SUCCEEDED(r.fHr)) return;
    if (r.fHr == DISP_E_EXCEPTION) {
        EXPECT_TRUE(FAILED(r.fExcep.scode));
        EXPECT_NE(BstrToUtf8(r.fExcep.bstrDescription), "");
        EXPECT_NE(BstrToUtf8(r.fExcep.bstrSource), "");
        return;
    }
    EXPECT_TRUE(r.fHr == DISP_E_TYPEMISMATCH || r.fHr == DISP_E_OVERFLOW) << std::hex << r.fHr;
    EXPECT_EQ(r.fArgErr, PositionOf(m, p));
}

using TMakeArg = std::function<TqoVariant(TScene&)>;

TqoVariant Referring(TqoVariant value) {
    TqoVariant& pointee = gPointees.emplace_back(std::move(value));
    return test::ByRef(VT_VARIANT, &pointee);
}

const std::pair<const char*, TMakeArg> kOddArgs[] = {
    {"Empty", [](TScene&) { return TqoVariant(); }},
    {"Null",
     [](TScene&) {
         TqoVariant v;
         v.vt = VT_NULL;
         return v;
     }},
    {"a missing optional argument",
     [](TScene&) {
         TqoVariant v;
         v.vt = VT_ERROR;
         v.scode = DISP_E_PARAMNOTFOUND;
         return v;
     }},
    {"a by-reference number",
     [](TScene&) {
         static LONG one = 1;
         return test::ByRef(VT_I4, &one);
     }},
    {"a chain of references to a number", [](TScene&) { return Referring(Referring(TqoVariant(LONG(2)))); }},
    {"a reference to Empty", [](TScene&) { return Referring(TqoVariant()); }},
    {"a number far too large", [](TScene&) { return TqoVariant(1e300); }},
    {"a negative index", [](TScene&) { return TqoVariant(LONG(-1)); }},
    {"a currency",
     [](TScene&) {
         TqoVariant v;
         v.vt = VT_CY;
         v.cyVal.int64 = 15000;
         return v;
     }},
    {"a host's object", [](TScene& s) { return TqoVariant(s.Foreign(), VT_DISPATCH); }},
    {"an entity", [](TScene& s) { return TqoVariant(s.Entity(), VT_DISPATCH); }},
    {"a list", [](TScene& s) { return TqoVariant(s.List(), VT_DISPATCH); }},
    {"the object itself", [](TScene& s) { return TqoVariant(s.Object(), VT_DISPATCH); }},
    {"a reference to an entity", [](TScene& s) { return Referring(TqoVariant(s.Entity(), VT_DISPATCH)); }},
    {"an object as IUnknown", [](TScene& s) { return TqoVariant(s.Entity(), VT_UNKNOWN); }},
};

TEST(DataBadInvoke, OddArgumentsSucceedOrFailWithTheReason) {
    ForEachMember([](const TTarget& target, const TqoDispMember& m) {
        for (WORD p = 0; p < m.fArgCount; ++p) {
            for (const auto& [name, make] : kOddArgs) {
                SCOPED_TRACE(std::string(name) + " as parameter " + std::to_string(p));
                TScene scene(target);
                ExpectCleanOutcome(NeutralCall(m, p, make(scene)).Run(scene.Object(), m), m, p);
                gPointees.clear();
            }
        }
    });
}

// The member acts as it would with a place; what it answers is let go of.
TEST(DataBadInvoke, NoPlaceForTheAnswerChangesNothingElse) {
    ForEachMember([](const TTarget& target, const TqoDispMember& m) {
        HRESULT withPlace = S_OK;
        {
            TScene scene(target);
            withPlace = NeutralCall(m).Run(scene.Object(), m).fHr;
        }
        TScene scene(target);
        TCall call = NeutralCall(m);
        call.WithResult = false;
        EXPECT_EQ(call.Run(scene.Object(), m).fHr, withPlace);
    });
}

} // namespace
} // namespace qo
#endif
