#include "gantt/qoTimeDistinctOrder.h"

#include <array>
#include <bit>
#include <cstddef>
#include <numeric>
#include <utility>

namespace qo {

uint64_t TimeOrderKey(double time) {
    const uint64_t bits = std::bit_cast<uint64_t>(time + 0.0); // -0 + 0 is +0
    return (bits >> 63) ? ~bits : bits | (uint64_t(1) << 63);
}

std::vector<uint32_t> OrderOfKeys(const std::vector<uint64_t>& keys) {
    const size_t n = keys.size();
    std::vector<uint32_t> order(n), next(n);
    std::iota(order.begin(), order.end(), 0u);
    // Every byte's counts in one pass over the keys.
    std::vector<std::array<uint32_t, 256>> counts(8, std::array<uint32_t, 256>{});
    for (const uint64_t key : keys)
        for (size_t b = 0; b < 8; ++b) ++counts[b][(key >> (8 * b)) & 255];
    for (size_t b = 0; b < 8; ++b) {
        std::array<uint32_t, 256>& count = counts[b];
        if (n == 0 || count[(keys[0] >> (8 * b)) & 255] == n) continue;
        uint32_t sum = 0;
        for (uint32_t& c : count) sum += std::exchange(c, sum);
        for (const uint32_t k : order) next[count[(keys[k] >> (8 * b)) & 255]++] = k;
        order.swap(next);
    }
    return order;
}

} // namespace qo
