#pragma once
// An owned text in one pointer: nothing on the heap while empty, else one
// block holding the length and the characters. For texts kept by the hundred
// thousand, such as those of tree nodes, where a std::string's 32 bytes count.
#include <cassert>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace qo {

class TCompactString {
public:
    TCompactString() = default;
    TCompactString(std::string_view text) { Assign(text); }
    TCompactString(const TCompactString& other) { Assign(other.View()); }
    TCompactString(TCompactString&& other) noexcept : fData(std::exchange(other.fData, nullptr)) {}
    TCompactString& operator=(const TCompactString& other) {
        Assign(other.View());
        return *this;
    }
    TCompactString& operator=(TCompactString&& other) noexcept {
        std::swap(fData, other.fData);
        return *this;
    }
    TCompactString& operator=(std::string_view text) {
        Assign(text);
        return *this;
    }
    ~TCompactString() { delete[] fData; }

    std::string_view View() const { return fData ? std::string_view(fData + kHeader, Size()) : std::string_view(); }
    operator std::string_view() const { return View(); }
    std::string Str() const { return std::string(View()); }
    // Nul-terminated.
    const char* CStr() const { return fData ? fData + kHeader : ""; }
    size_t Size() const {
        uint32_t size = 0;
        if (fData) std::memcpy(&size, fData, kHeader);
        return size;
    }
    bool Empty() const { return !fData; }
    friend bool operator==(const TCompactString& a, std::string_view b) { return a.View() == b; }

private:
    static constexpr size_t kHeader = sizeof(uint32_t);
    // The new block is made before the old goes: text may lie in it.
    void Assign(std::string_view text) {
        char* data = nullptr;
        if (!text.empty()) {
            assert(text.size() < UINT32_MAX && "a compact text holds less than 4 GB");
            const auto size = uint32_t(text.size());
            data = new char[kHeader + size + 1];
            std::memcpy(data, &size, kHeader);
            std::memcpy(data + kHeader, text.data(), size);
            data[kHeader + size] = '\0';
        }
        delete[] std::exchange(fData, data);
    }

    char* fData = nullptr;
};

} // namespace qo
