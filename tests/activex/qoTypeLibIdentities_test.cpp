// The native dispatch tables against the identities that the Windows type
// library is compared with under Wine (tests/windows/qoTypeLibHost.cpp), so
// that both builds present one library to hosts.

// GCC 12 warns falsely inside <regex> when it optimises for the sanitizers.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "activex/qoChartixControl.h"
#include "platform/com/qoGuid.h"
#include "platform/core/qoUnicode.h"
#include "qoChartixControl_TLB.h"

namespace qo::test {
namespace {

struct Param {
    std::string fName, fType, fFlags;
};
struct Member {
    std::string fName, fKind, fHelp;
    DISPID fId = 0;
    std::vector<Param> fParams;
};
struct TypeInfo {
    std::string fHeader;
    std::vector<Member> fMembers;
};

// A type info's header line: its kind, then its name.
std::string NameOf(const std::string& header) {
    size_t from = header.find(' ') + 1;
    return header.substr(from, header.find(' ', from) - from);
}

std::map<std::string, TypeInfo> ReadIdentities() {
    static const std::regex member(R"re(  member \d+ (\S+) id=(-?\d+) kind=(\w+) flags=\S+ help="(.*)" result=\S+)re");
    static const std::regex param(R"(    param (\S+) type=(\S+) flags=(\S+))");
    std::map<std::string, TypeInfo> infos;
    std::ifstream file(QO_IDENTITIES_FILE);
    TypeInfo* info = nullptr;
    std::smatch m;
    for (std::string line; std::getline(file, line);) {
        if (std::regex_match(line, m, member))
            info->fMembers.push_back({m[1], m[3], m[4], std::stoi(m[2]), {}});
        else if (std::regex_match(line, m, param))
            info->fMembers.back().fParams.push_back({m[1], m[2], m[3]});
        else if (line[0] != ' ')
            info = &infos[NameOf(line)];
        if (line[0] != ' ') info->fHeader = line;
    }
    return infos;
}

// The variant type in which the runtime passes a parameter of this type.
VARTYPE VtOf(std::string type, bool byRef) {
    if (byRef) type.pop_back();
    static const std::map<std::string, VARTYPE> scalars = {
        {"long", VT_I4}, {"short", VT_I2}, {"double", VT_R8}, {"DATE", VT_DATE}, {"BSTR", VT_BSTR},
        {"VARIANT_BOOL", VT_BOOL}, {"VARIANT", VT_VARIANT}, {"OLE_COLOR", VT_UI4}, {"IDispatch*", VT_DISPATCH}};
    if (auto found = scalars.find(type); found != scalars.end()) return found->second;
    if (type.rfind("Tx", 0) == 0) return VT_I4;
    return type.back() == '*' && type[0] == 'I' ? VT_DISPATCH : VT_EMPTY;
}

USHORT FlagsOf(const std::string& text) {
    USHORT flags = 0;
    std::stringstream words(text);
    for (std::string word; std::getline(words, word, ',');) {
        if (word == "in") flags |= PARAMFLAG_FIN;
        if (word == "out") flags |= PARAMFLAG_FOUT;
        if (word == "retval") flags |= PARAMFLAG_FRETVAL;
        if (word == "optional") flags |= PARAMFLAG_FOPT;
        if (word.rfind("default=", 0) == 0) flags |= PARAMFLAG_FHASDEFAULT;
    }
    return flags;
}

INVOKEKIND KindOf(const std::string& kind) {
    if (kind == "get") return INVOKE_PROPERTYGET;
    if (kind == "put") return INVOKE_PROPERTYPUT;
    if (kind == "putref") return INVOKE_PROPERTYPUTREF;
    return INVOKE_FUNC;
}

// The interface's own members close its table; "-" names a parameter whose
// name the type library does not report.
void ExpectSameMembers(const TqoDispInterface& table, const TypeInfo& info) {
    ASSERT_GE(table.fMemberCount, info.fMembers.size());
    const TqoDispMember* own = table.fMembers + (table.fMemberCount - info.fMembers.size());
    for (size_t i = 0; i < info.fMembers.size(); ++i) {
        const Member& expected = info.fMembers[i];
        const TqoDispMember& m = own[i];
        SCOPED_TRACE(Utf16ToUtf8(table.fName) + "." + expected.fName);
        EXPECT_EQ(Utf16ToUtf8(m.fName), expected.fName);
        EXPECT_EQ(m.fId, expected.fId);
        EXPECT_EQ(m.fKind, KindOf(expected.fKind));
        EXPECT_EQ(std::string(m.fHelpString), expected.fHelp);
        ASSERT_EQ(m.fParamCount, expected.fParams.size());
        for (size_t p = 0; p < expected.fParams.size(); ++p) {
            const Param& e = expected.fParams[p];
            USHORT flags = FlagsOf(e.fFlags);
            if (e.fName != "-") {
                EXPECT_EQ(Utf16ToUtf8(m.fParams[p].fName), e.fName);
            }
            EXPECT_EQ(m.fParams[p].fFlags, flags) << e.fName;
            EXPECT_EQ(m.fParams[p].fVt, VtOf(e.fType, flags & PARAMFLAG_FOUT)) << e.fName;
        }
    }
}

std::map<std::string, const TqoDispInterface*> NativeTables() {
    std::map<std::string, const TqoDispInterface*> tables;
    size_t count = 0;
    const TqoDispInterface* const* all = qoChartixControlInterfaces(&count);
    for (size_t i = 0; i < count; ++i) tables[Utf16ToUtf8(all[i]->fName)] = all[i];
    for (const TqoDispInterface* events :
         {&TqoIntfTraits<IqoChartixEvents>::Info(), &TqoIntfTraits<IqoRostixEvents>::Info()})
        tables[Utf16ToUtf8(events->fName)] = events;
    return tables;
}

TEST(TypeLibIdentities, EveryInterfaceOfTheLibraryHasANativeTableWithTheSameMembers) {
    std::map<std::string, TypeInfo> infos = ReadIdentities();
    ASSERT_EQ(infos.size(), 66u);
    std::map<std::string, const TqoDispInterface*> tables = NativeTables();
    size_t compared = 0;
    for (const auto& [name, info] : infos) {
        bool dual = info.fHeader.rfind("interface ", 0) == 0, events = info.fHeader.rfind("dispatch ", 0) == 0;
        if (!dual && !events) continue;
        ASSERT_TRUE(tables.count(name)) << name;
        const TqoDispInterface& table = *tables[name];
        EXPECT_NE(info.fHeader.find("uuid=" + GuidToString(*table.fIid)), std::string::npos) << name;
        ExpectSameMembers(table, info);
        ++compared;
    }
    EXPECT_EQ(compared, tables.size());
}

TEST(TypeLibIdentities, NoClassOfTheLibraryIsCreatableYet) {
    for (const auto& [name, info] : ReadIdentities()) {
        if (info.fHeader.rfind("coclass ", 0) != 0) continue;
        GUID clsid{};
        size_t from = info.fHeader.find("uuid=") + 5;
        ASSERT_TRUE(TryStringToGuid(info.fHeader.substr(from, 38), clsid)) << name;
        void* object = &clsid;
        EXPECT_EQ(TqoComServer::Instance().GetClassObject(clsid, IID_IUnknown, &object), CLASS_E_CLASSNOTAVAILABLE)
            << name;
        EXPECT_EQ(object, nullptr) << name;
    }
}

} // namespace
} // namespace qo::test
