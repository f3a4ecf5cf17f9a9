#pragma once
// Every fractional-to-integer conversion in the library goes through here:
// nearest integer, halves to even (so 0.5 -> 0, 1.5 -> 2, -2.5 -> -2).
#include <cstdint>

namespace qo {

int64_t RoundInt64(double value);
int32_t Round(double value);

} // namespace qo
