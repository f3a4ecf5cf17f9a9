#pragma once
// The memory of every link: slots in blocks of one process-wide arena, so that
// the chains of an item's links hold 32-bit numbers instead of pointers and a
// link takes no more than its own size. A block is aligned to its size and
// carries its own number, so a slot's number follows from its address; a
// number leads back to its slot through the directory of blocks. Blocks stay
// for the life of the process, their free slots taken by the next links.
// A host's last release may free a link on any thread: taking and giving back
// slots is locked, looking up a number is not.
#include <cstddef>
#include <cstdint>

namespace qo {

class TqoDataEntity_Link;

using TLinkNumber = uint32_t;
inline constexpr TLinkNumber kNoLink = 0;

namespace LinkArena {

// A slot for one link; throws std::bad_alloc when the numbers run out.
void* Take();
void Give(void* slot) noexcept;
TLinkNumber NumberOf(const TqoDataEntity_Link* link);
// Nil for kNoLink.
TqoDataEntity_Link* LinkOf(TLinkNumber number);
// The bytes of the blocks that hold no link: the heap holds them all the same.
size_t SpareBytes();

} // namespace LinkArena

} // namespace qo
