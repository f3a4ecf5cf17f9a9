#pragma once
// The registry as registration sees it: keys with string values under the
// class root or under the current user's "Software\Classes\". On Windows it is
// the system registry; elsewhere an emulation that can be saved to a file and
// read back, so that what registration wrote can be inspected.
#include <map>
#include <string>
#include <vector>

namespace qo {

enum class TqoRegRoot { ClassesRoot, CurrentUser };

// Where class registrations go: the class root, or the user's classes.
struct TqoRegTarget {
    TqoRegRoot fRoot;
    std::string fPrefix;
    static TqoRegTarget Classes(bool perUser) {
        return perUser ? TqoRegTarget{TqoRegRoot::CurrentUser, "Software\\Classes\\"}
                       : TqoRegTarget{TqoRegRoot::ClassesRoot, ""};
    }
};

class TqoRegistry {
public:
    virtual ~TqoRegistry() = default;
    // Creates the key and its parents; the value name "" is the key's default value.
    virtual void SetValue(TqoRegRoot root, const std::string& key, const std::string& name,
                          const std::string& value) = 0;
    virtual void CreateKey(TqoRegRoot root, const std::string& key) = 0;
    // A key that still has subkeys stays; the result says whether it is gone.
    virtual bool DeleteKey(TqoRegRoot root, const std::string& key) = 0;
    virtual void DeleteTree(TqoRegRoot root, const std::string& key) = 0;
    virtual bool GetValue(TqoRegRoot root, const std::string& key, const std::string& name,
                          std::string& value) const = 0;
    virtual bool KeyExists(TqoRegRoot root, const std::string& key) const = 0;
};

// Names compare without regard to case, as in the system registry.
class TqoMemoryRegistry : public TqoRegistry {
public:
    void SetValue(TqoRegRoot root, const std::string& key, const std::string& name,
                  const std::string& value) override;
    void CreateKey(TqoRegRoot root, const std::string& key) override;
    bool DeleteKey(TqoRegRoot root, const std::string& key) override;
    void DeleteTree(TqoRegRoot root, const std::string& key) override;
    bool GetValue(TqoRegRoot root, const std::string& key, const std::string& name,
                  std::string& value) const override;
    bool KeyExists(TqoRegRoot root, const std::string& key) const override;

    // Every key path (with its hive), in order.
    std::vector<std::string> Keys() const;
    void Clear() { fKeys.clear(); }
    // The text form: [HKEY_...\key] lines, then @="default" and "name"="value" lines.
    bool Save(const std::string& path) const;
    bool Load(const std::string& path);

private:
    struct TKey {
        std::string fPath;
        std::map<std::string, std::pair<std::string, std::string>> fValues; // folded name -> name, value
    };
    TKey& Create(const std::string& fullPath);

    std::map<std::string, TKey> fKeys; // folded full path -> key
};

// The registry that registration writes to.
TqoRegistry& SystemRegistry();

} // namespace qo
