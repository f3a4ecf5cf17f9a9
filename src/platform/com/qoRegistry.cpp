#include "platform/com/qoRegistry.h"

#include <algorithm>
#include <cctype>
#include <fstream>

namespace qo {

namespace {

std::string Fold(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string FullPath(TqoRegRoot root, const std::string& key) {
    std::string hive = root == TqoRegRoot::ClassesRoot ? "HKEY_CLASSES_ROOT" : "HKEY_CURRENT_USER";
    return key.empty() ? hive : hive + "\\" + key;
}

std::string Quote(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

// Reads a quoted string starting at pos; pos ends after the closing quote.
bool Unquote(const std::string& line, size_t& pos, std::string& out) {
    if (pos >= line.size() || line[pos] != '"') return false;
    out.clear();
    for (++pos; pos < line.size(); ++pos) {
        if (line[pos] == '"') return ++pos, true;
        if (line[pos] == '\\' && pos + 1 < line.size()) ++pos;
        out += line[pos];
    }
    return false;
}

} // namespace

TqoMemoryRegistry::TKey& TqoMemoryRegistry::Create(const std::string& fullPath) {
    size_t cut = fullPath.rfind('\\');
    if (cut != std::string::npos) Create(fullPath.substr(0, cut));
    TKey& key = fKeys[Fold(fullPath)];
    if (key.fPath.empty()) key.fPath = fullPath;
    return key;
}

void TqoMemoryRegistry::SetValue(TqoRegRoot root, const std::string& key, const std::string& name,
                                 const std::string& value) {
    Create(FullPath(root, key)).fValues[Fold(name)] = {name, value};
}

void TqoMemoryRegistry::CreateKey(TqoRegRoot root, const std::string& key) {
    Create(FullPath(root, key));
}

bool TqoMemoryRegistry::DeleteKey(TqoRegRoot root, const std::string& key) {
    std::string folded = Fold(FullPath(root, key));
    auto it = fKeys.find(folded);
    if (it == fKeys.end()) return true;
    auto next = std::next(it);
    if (next != fKeys.end() && next->first.rfind(folded + "\\", 0) == 0) return false;
    fKeys.erase(it);
    return true;
}

void TqoMemoryRegistry::DeleteTree(TqoRegRoot root, const std::string& key) {
    std::string folded = Fold(FullPath(root, key));
    auto it = fKeys.lower_bound(folded);
    while (it != fKeys.end() && (it->first == folded || it->first.rfind(folded + "\\", 0) == 0))
        it = fKeys.erase(it);
}

bool TqoMemoryRegistry::GetValue(TqoRegRoot root, const std::string& key, const std::string& name,
                                 std::string& value) const {
    auto it = fKeys.find(Fold(FullPath(root, key)));
    if (it == fKeys.end()) return false;
    auto v = it->second.fValues.find(Fold(name));
    if (v == it->second.fValues.end()) return false;
    value = v->second.second;
    return true;
}

bool TqoMemoryRegistry::KeyExists(TqoRegRoot root, const std::string& key) const {
    return fKeys.count(Fold(FullPath(root, key))) > 0;
}

std::vector<std::string> TqoMemoryRegistry::Keys() const {
    std::vector<std::string> keys;
    for (const auto& [folded, key] : fKeys) keys.push_back(key.fPath);
    return keys;
}

bool TqoMemoryRegistry::Save(const std::string& path) const {
    std::ofstream out(path, std::ios::binary);
    for (const auto& [folded, key] : fKeys) {
        out << '[' << key.fPath << "]\n";
        for (const auto& [name, value] : key.fValues)
            out << (value.first.empty() ? "@" : Quote(value.first)) << '=' << Quote(value.second) << '\n';
        out << '\n';
    }
    return static_cast<bool>(out);
}

bool TqoMemoryRegistry::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    fKeys.clear();
    TKey* current = nullptr;
    for (std::string line; std::getline(in, line);) {
        if (line.empty()) continue;
        if (line.front() == '[' && line.back() == ']') {
            current = &Create(line.substr(1, line.size() - 2));
            continue;
        }
        std::string name, value;
        size_t pos = 0;
        bool named = line[0] == '@' ? (++pos, true) : Unquote(line, pos, name);
        if (!current || !named || pos >= line.size() || line[pos++] != '=' || !Unquote(line, pos, value))
            return false;
        current->fValues[Fold(name)] = {name, value};
    }
    return true;
}

#ifndef _WIN32
TqoRegistry& SystemRegistry() {
    static TqoMemoryRegistry registry;
    return registry;
}
#endif

} // namespace qo
