// The module's own server instance and where the module lives on disk.
#include "activex/qoChartixControl.h"

#ifdef _WIN32
#include <vector>

#include "platform/core/qoUnicode.h"
#else
#include <dlfcn.h>
#endif

namespace qo {

namespace {

#ifdef _WIN32
// The full path of this module; with a blank in it, its short (8.3) form.
std::string ThisModulePath() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModulePath), &module);
    std::vector<wchar_t> path(32768);
    DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    std::wstring full(path.data(), length);
    if (full.find(L' ') != std::wstring::npos) {
        DWORD shortLength = GetShortPathNameW(full.c_str(), path.data(), static_cast<DWORD>(path.size()));
        if (shortLength > 0 && shortLength < path.size()) full.assign(path.data(), shortLength);
    }
    return Utf16ToUtf8(std::u16string(full.begin(), full.end()));
}
#else
std::string ThisModulePath() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&ThisModulePath), &info) || !info.dli_fname) return {};
    return info.dli_fname;
}
#endif

} // namespace

TqoComServer& TqoComServer::Instance() {
    static TqoComServer server(SystemRegistry(), ThisModulePath());
    return server;
}

} // namespace qo
