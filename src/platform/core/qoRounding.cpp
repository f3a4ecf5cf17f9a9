#include "platform/core/qoRounding.h"

#include <cmath>
#include <limits>

namespace qo {

int64_t RoundInt64(double value) {
    if (std::isnan(value)) return 0;
    const double r = std::nearbyint(value); // default rounding mode: ties to even
    if (r >= 9.2233720368547758e18) return std::numeric_limits<int64_t>::max();
    if (r <= -9.2233720368547758e18) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(r);
}

int32_t Round(double value) {
    const int64_t r = RoundInt64(value);
    // Coordinates far outside the int range are saturated instead of wrapping.
    if (r > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (r < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

} // namespace qo
