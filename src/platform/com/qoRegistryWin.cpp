// The system registry behind the registration code on Windows.
#ifdef _WIN32
#include "platform/com/qoRegistry.h"

#include <windows.h>

#include "platform/com/qoBstr.h"
#include "platform/com/qoErrorInfo.h"
#include "platform/core/qoUnicode.h"

namespace qo {

namespace {

HKEY Hive(TqoRegRoot root) {
    return root == TqoRegRoot::ClassesRoot ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER;
}

void Check(LONG rc, const std::string& key) {
    if (rc != ERROR_SUCCESS) throw EOleError(HRESULT_FROM_WIN32(rc), "Registry error at " + key);
}

class TqoWinRegistry final : public TqoRegistry {
public:
    void SetValue(TqoRegRoot root, const std::string& key, const std::string& name,
                  const std::string& value) override {
        HKEY handle = Open(root, key);
        std::wstring wideName = WideFromUtf8(name), wideValue = WideFromUtf8(value);
        LONG rc = RegSetValueExW(handle, name.empty() ? nullptr : wideName.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(wideValue.c_str()),
                                 static_cast<DWORD>((wideValue.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(handle);
        Check(rc, key);
    }
    void CreateKey(TqoRegRoot root, const std::string& key) override { RegCloseKey(Open(root, key)); }
    bool DeleteKey(TqoRegRoot root, const std::string& key) override {
        LONG rc = RegDeleteKeyW(Hive(root), WideFromUtf8(key).c_str());
        return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
    }
    void DeleteTree(TqoRegRoot root, const std::string& key) override {
        RegDeleteTreeW(Hive(root), WideFromUtf8(key).c_str());
        RegDeleteKeyW(Hive(root), WideFromUtf8(key).c_str());
    }
    bool GetValue(TqoRegRoot root, const std::string& key, const std::string& name,
                  std::string& value) const override {
        wchar_t buffer[2048];
        DWORD size = sizeof(buffer);
        std::wstring wideName = WideFromUtf8(name);
        if (RegGetValueW(Hive(root), WideFromUtf8(key).c_str(), name.empty() ? nullptr : wideName.c_str(),
                         RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
            return false;
        std::wstring text(buffer);
        value = Utf16ToUtf8(std::u16string(text.begin(), text.end()));
        return true;
    }
    bool KeyExists(TqoRegRoot root, const std::string& key) const override {
        HKEY handle = nullptr;
        if (RegOpenKeyExW(Hive(root), WideFromUtf8(key).c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
            return false;
        RegCloseKey(handle);
        return true;
    }

private:
    static HKEY Open(TqoRegRoot root, const std::string& key) {
        HKEY handle = nullptr;
        Check(RegCreateKeyExW(Hive(root), WideFromUtf8(key).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &handle, nullptr),
              key);
        return handle;
    }
};

} // namespace

TqoRegistry& SystemRegistry() {
    static TqoWinRegistry registry;
    return registry;
}

} // namespace qo
#endif
