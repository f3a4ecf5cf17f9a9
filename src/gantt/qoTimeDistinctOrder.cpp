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

namespace {
using TCounts = std::array<uint32_t, 256>;
}

size_t OrderOfKeysBytes(size_t n) { return n * sizeof(uint32_t) + 8 * sizeof(TCounts); }

std::pmr::vector<uint32_t> OrderOfKeys(const std::pmr::vector<uint64_t>& keys) {
    const size_t n = keys.size();
    std::pmr::vector<uint32_t> order(n, keys.get_allocator()), next(n, keys.get_allocator());
    std::iota(order.begin(), order.end(), 0u);
    // Every byte's counts in one pass over the keys.
    std::pmr::vector<TCounts> counts(8, TCounts{}, keys.get_allocator());
    for (const uint64_t key : keys)
        for (size_t b = 0; b < 8; ++b) ++counts[b][(key >> (8 * b)) & 255];
    for (size_t b = 0; b < 8; ++b) {
        TCounts& count = counts[b];
        if (n == 0 || count[(keys[0] >> (8 * b)) & 255] == n) continue;
        uint32_t sum = 0;
        for (uint32_t& c : count) sum += std::exchange(c, sum);
        for (const uint32_t k : order) next[count[(keys[k] >> (8 * b)) & 255]++] = k;
        order.swap(next);
    }
    return order;
}

} // namespace qo
