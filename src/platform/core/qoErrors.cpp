#include "platform/core/qoErrors.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace qo {

std::string Format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        std::vector<char> buffer(size_t(n) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), fmt, args);
        out.assign(buffer.data(), size_t(n));
    }
    va_end(args);
    return out;
}

EListError::EListError(int64_t index) : EqoError(Format("List index out of bounds (%lld)", (long long)index)) {}

EInvalidCast::EInvalidCast() : EqoError("Invalid class typecast") {}

} // namespace qo
