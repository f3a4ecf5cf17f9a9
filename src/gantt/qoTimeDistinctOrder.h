#pragma once
// Times put in order without comparing them one pair at a time: collision
// detection sorts every holder's start and stop on each change of a row, and
// a comparison sort there spends most of its time on branches no processor
// can foresee.
#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <vector>

namespace qo {

// A key that orders as the time does; both zeros get the same key.
uint64_t TimeOrderKey(double time);

// The positions of the keys in ascending order of their keys, equal keys in
// the order they are given, in memory from the keys' allocator. Linear: a
// byte at a time from the lowest, skipping the bytes all keys share.
std::pmr::vector<uint32_t> OrderOfKeys(const std::pmr::vector<uint64_t>& keys);
// What it takes from that allocator beyond its result, for n keys.
size_t OrderOfKeysBytes(size_t n);

} // namespace qo
