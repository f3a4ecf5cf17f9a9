#include "platform/core/qoRounding.h"

#include <gtest/gtest.h>

#include <limits>

namespace qo {

TEST(Rounding, HalvesGoToEvenAndTheRestToNearest) {
    const struct {
        double in;
        int32_t out;
    } cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},  {3.5, 4},    {-0.5, 0},  {-1.5, -2}, {-2.5, -2},
                 {0.49, 0},  {0.51, 1},  {2.4, 2},  {2.6, 3},    {-2.6, -3}, {7.0, 7},   {-7.0, -7},
                 {1e12, std::numeric_limits<int32_t>::max()}, {-1e12, std::numeric_limits<int32_t>::min()},
                 {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& c : cases) EXPECT_EQ(Round(c.in), c.out) << c.in;
}

TEST(Rounding, WideValuesKeepTheirRange) {
    EXPECT_EQ(RoundInt64(4294967296.5), 4294967296);
    EXPECT_EQ(RoundInt64(-4294967297.5), -4294967298);
    EXPECT_EQ(RoundInt64(1e300), std::numeric_limits<int64_t>::max());
}

} // namespace qo
