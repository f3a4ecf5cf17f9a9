#pragma once
// Collision detection in O(n log n): the positions the pairwise loop gives,
// found by a sweep over the holders ordered by start and by stop.
#include "gantt/qoTimeDistinct.h"

#include <functional>
#include <vector>

namespace qo {

// Places the holders of one quantity, each with Start < Stop, exactly where
// the pairwise loop over them would, in the same order. Holders with a
// position already are left where they are, as the loop leaves them. False
// when cancelled answered true (asked once per holder).
bool SweepDistinctPositions(const std::vector<TDistinctTimeHolder*>& holders, const std::function<bool()>& cancelled);

} // namespace qo
