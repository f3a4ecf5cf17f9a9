#pragma once
// An owned object made on first use, in one word together with a few flags
// kept in the low bits that the object's alignment leaves free. For objects
// held by the hundred thousand, where a word of flags beside a pointer counts.
#include <cstdint>

namespace qo {

template <class T, unsigned FlagCount>
class TTaggedOwner {
    static_assert(alignof(T) >= (1u << FlagCount), "the object's alignment leaves the flags' bits free");

public:
    TTaggedOwner() = default;
    TTaggedOwner(const TTaggedOwner&) = delete;
    TTaggedOwner& operator=(const TTaggedOwner&) = delete;
    ~TTaggedOwner() { delete Get(); }

    // Nil until made.
    T* Get() const { return reinterpret_cast<T*>(fWord & ~kFlagMask); }
    T& Make() {
        if (!Get()) fWord |= reinterpret_cast<uintptr_t>(new T);
        return *Get();
    }
    bool Flag(unsigned flag) const { return fWord & Bit(flag); }
    void SetFlag(unsigned flag, bool value) { fWord = value ? fWord | Bit(flag) : fWord & ~Bit(flag); }

private:
    static constexpr uintptr_t kFlagMask = (uintptr_t(1) << FlagCount) - 1;
    static uintptr_t Bit(unsigned flag) { return uintptr_t(1) << flag; }
    uintptr_t fWord = 0;
};

} // namespace qo
