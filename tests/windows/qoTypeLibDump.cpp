#include "qoTypeLibDump.h"

#include <oleauto.h>

#include <cstdarg>
#include <cwchar>
#include <utility>

namespace {

using Lines = std::vector<std::wstring>;

std::wstring Format(const wchar_t* format, ...) {
    wchar_t text[1024];
    va_list args;
    va_start(args, format);
    std::vswprintf(text, sizeof text / sizeof text[0], format, args);
    va_end(args);
    return text;
}

// Names of flag bits in a fixed order; unknown bits in hex, none as "-".
std::wstring FlagNames(unsigned flags, std::initializer_list<std::pair<unsigned, const wchar_t*>> names) {
    std::wstring text;
    for (const auto& [bit, name] : names) {
        if (!(flags & bit)) continue;
        text += (text.empty() ? L"" : L",") + std::wstring(name);
        flags &= ~bit;
    }
    if (flags) text += (text.empty() ? L"" : L",") + Format(L"0x%x", flags);
    return text.empty() ? L"-" : text;
}

std::wstring TypeFlags(WORD flags) {
    return FlagNames(flags, {{TYPEFLAG_FAPPOBJECT, L"appobject"},
                             {TYPEFLAG_FCANCREATE, L"cancreate"},
                             {TYPEFLAG_FLICENSED, L"licensed"},
                             {TYPEFLAG_FHIDDEN, L"hidden"},
                             {TYPEFLAG_FCONTROL, L"control"},
                             {TYPEFLAG_FDUAL, L"dual"},
                             {TYPEFLAG_FNONEXTENSIBLE, L"nonextensible"},
                             {TYPEFLAG_FOLEAUTOMATION, L"oleautomation"},
                             {TYPEFLAG_FDISPATCHABLE, L"dispatchable"}});
}

struct Doc {
    std::wstring name, help;
};

Doc DocOf(ITypeInfo* info, MEMBERID id) {
    BSTR name = nullptr, help = nullptr;
    info->GetDocumentation(id, &name, &help, nullptr, nullptr);
    Doc doc{name ? name : L"", help ? help : L""};
    SysFreeString(name);
    SysFreeString(help);
    return doc;
}

std::wstring TypeName(ITypeInfo* owner, const TYPEDESC& type) {
    switch (type.vt) {
    case VT_PTR: return TypeName(owner, *type.lptdesc) + L"*";
    case VT_USERDEFINED: {
        ITypeInfo* ref = nullptr;
        if (FAILED(owner->GetRefTypeInfo(type.hreftype, &ref))) return L"?";
        std::wstring name = DocOf(ref, MEMBERID_NIL).name;
        ref->Release();
        return name;
    }
    case VT_I2: return L"short";
    case VT_I4: return L"long";
    case VT_R4: return L"float";
    case VT_R8: return L"double";
    case VT_UI1: return L"BYTE";
    case VT_UI4: return L"unsigned long";
    case VT_DATE: return L"DATE";
    case VT_BSTR: return L"BSTR";
    case VT_BOOL: return L"VARIANT_BOOL";
    case VT_VARIANT: return L"VARIANT";
    case VT_DISPATCH: return L"IDispatch*";
    case VT_UNKNOWN: return L"IUnknown*";
    case VT_HRESULT: return L"HRESULT";
    case VT_VOID: return L"void";
    default: return Format(L"vt%d", type.vt);
    }
}

std::wstring VariantText(const VARIANT& value) {
    VARIANT text;
    VariantInit(&text);
    std::wstring result = L"?";
    if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR))) result = V_BSTR(&text);
    VariantClear(&text);
    return result;
}

std::wstring ParamFlags(const PARAMDESC& param) {
    USHORT flags = param.wParamFlags;
    std::wstring text = FlagNames(flags & ~PARAMFLAG_FHASDEFAULT, {{PARAMFLAG_FIN, L"in"},
                                                                     {PARAMFLAG_FOUT, L"out"},
                                                                     {PARAMFLAG_FRETVAL, L"retval"},
                                                                     {PARAMFLAG_FOPT, L"optional"}});
    if (!(flags & PARAMFLAG_FHASDEFAULT)) return text;
    std::wstring value = L"default=" + (param.pparamdescex ? VariantText(param.pparamdescex->varDefaultValue) : L"?");
    return text == L"-" ? value : text + L"," + value;
}

const wchar_t* KindName(INVOKEKIND kind) {
    switch (kind) {
    case INVOKE_PROPERTYGET: return L"get";
    case INVOKE_PROPERTYPUT: return L"put";
    case INVOKE_PROPERTYPUTREF: return L"putref";
    default: return L"func";
    }
}

// The member and its parameters. Names are looked up by DISPID: those of the
// first accessor with that DISPID, without the value of a put; "-" where no
// name is reported.
void DumpMember(ITypeInfo* info, UINT index, Lines& lines) {
    FUNCDESC* func = nullptr;
    if (FAILED(info->GetFuncDesc(index, &func))) return lines.push_back(Format(L"  member %u unreadable", index));
    Doc doc = DocOf(info, func->memid);
    lines.push_back(Format(L"  member %u %ls id=%ld kind=%ls flags=%ls help=\"%ls\" result=%ls", index,
                           doc.name.c_str(), func->memid, KindName(func->invkind),
                           FlagNames(func->wFuncFlags, {{FUNCFLAG_FHIDDEN, L"hidden"}}).c_str(), doc.help.c_str(),
                           TypeName(info, func->elemdescFunc.tdesc).c_str()));
    std::vector<BSTR> names(func->cParams + 1);
    UINT count = 0;
    info->GetNames(func->memid, names.data(), static_cast<UINT>(names.size()), &count);
    for (SHORT p = 0; p < func->cParams; ++p) {
        const ELEMDESC& param = func->lprgelemdescParam[p];
        std::wstring name = p + 1u < count && names[p + 1] ? names[p + 1] : L"-";
        lines.push_back(Format(L"    param %ls type=%ls flags=%ls", name.c_str(), TypeName(info, param.tdesc).c_str(),
                               ParamFlags(param.paramdesc).c_str()));
    }
    for (UINT n = 0; n < count; ++n) SysFreeString(names[n]);
    info->ReleaseFuncDesc(func);
}

std::wstring GuidText(const GUID& guid) {
    wchar_t text[40];
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring Header(const wchar_t* kind, ITypeInfo* info, const TYPEATTR& attr) {
    Doc doc = DocOf(info, MEMBERID_NIL);
    return Format(L"%ls %ls uuid=%ls version=%u.%u flags=%ls help=\"%ls\"", kind, doc.name.c_str(),
                  GuidText(attr.guid).c_str(), attr.wMajorVerNum, attr.wMinorVerNum,
                  TypeFlags(attr.wTypeFlags).c_str(), doc.help.c_str());
}

// The type info behind implemented type `index`, with its flags.
std::pair<std::wstring, INT> ImplType(ITypeInfo* info, UINT index) {
    HREFTYPE ref = 0;
    ITypeInfo* impl = nullptr;
    INT flags = 0;
    info->GetImplTypeFlags(index, &flags);
    if (FAILED(info->GetRefTypeOfImplType(index, &ref)) || FAILED(info->GetRefTypeInfo(ref, &impl))) return {L"?", 0};
    std::wstring name = DocOf(impl, MEMBERID_NIL).name;
    impl->Release();
    return {name, flags};
}

void DumpEnum(ITypeInfo* info, const TYPEATTR& attr, Lines& lines) {
    lines.push_back(Header(L"enum", info, attr));
    for (WORD v = 0; v < attr.cVars; ++v) {
        VARDESC* var = nullptr;
        if (FAILED(info->GetVarDesc(v, &var))) continue;
        lines.push_back(Format(L"  value %ls = %ls", DocOf(info, var->memid).name.c_str(),
                               var->lpvarValue ? VariantText(*var->lpvarValue).c_str() : L"?"));
        info->ReleaseVarDesc(var);
    }
}

void DumpCoclass(ITypeInfo* info, const TYPEATTR& attr, Lines& lines) {
    lines.push_back(Header(L"coclass", info, attr));
    for (WORD i = 0; i < attr.cImplTypes; ++i) {
        auto [name, flags] = ImplType(info, i);
        lines.push_back(Format(L"  implements %ls flags=%ls", name.c_str(),
                               FlagNames(flags, {{IMPLTYPEFLAG_FDEFAULT, L"default"},
                                                 {IMPLTYPEFLAG_FSOURCE, L"source"}})
                                   .c_str()));
    }
}

void DumpMembers(const wchar_t* kind, ITypeInfo* info, const TYPEATTR& attr, Lines& lines) {
    std::wstring header = Header(kind, info, attr);
    if (attr.typekind == TKIND_INTERFACE) header += L" base=" + ImplType(info, 0).first;
    lines.push_back(header);
    for (WORD f = 0; f < attr.cFuncs; ++f) DumpMember(info, f, lines);
}

// A dual interface is read through its vtable view, which holds the members
// in their order and the interface's own flags.
ITypeInfo* VtableView(ITypeInfo* info) {
    HREFTYPE ref = 0;
    ITypeInfo* view = nullptr;
    if (SUCCEEDED(info->GetRefTypeOfImplType(-1, &ref))) info->GetRefTypeInfo(ref, &view);
    return view;
}

Lines DumpTypeInfo(ITypeInfo* info) {
    Lines lines;
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetTypeAttr(&attr))) return {L"unreadable"};
    switch (attr->typekind) {
    case TKIND_ENUM: DumpEnum(info, *attr, lines); break;
    case TKIND_ALIAS:
        lines.push_back(L"alias " + DocOf(info, MEMBERID_NIL).name + L" type=" + TypeName(info, attr->tdescAlias));
        break;
    case TKIND_COCLASS: DumpCoclass(info, *attr, lines); break;
    case TKIND_DISPATCH:
        if (ITypeInfo* view = (attr->wTypeFlags & TYPEFLAG_FDUAL) ? VtableView(info) : nullptr) {
            lines = DumpTypeInfo(view);
            view->Release();
        } else {
            DumpMembers(L"dispatch", info, *attr, lines);
        }
        break;
    case TKIND_INTERFACE: DumpMembers(L"interface", info, *attr, lines); break;
    default: lines.push_back(Format(L"typekind %d", attr->typekind));
    }
    info->ReleaseTypeAttr(attr);
    return lines;
}

} // namespace

std::map<std::wstring, std::vector<std::wstring>> DumpTypeLib(ITypeLib* lib) {
    std::map<std::wstring, std::vector<std::wstring>> infos;
    for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
        ITypeInfo* info = nullptr;
        if (FAILED(lib->GetTypeInfo(i, &info))) continue;
        infos[DocOf(info, MEMBERID_NIL).name] = DumpTypeInfo(info);
        info->Release();
    }
    return infos;
}
