#pragma once
// The group patterns as the controlling program hands them over and as they sit in the block
// shared between processes: a fixed array of zero-terminated strings at a stride of 257 bytes.

#include <cstddef>
#include <string_view>
#include <vector>

namespace vt {

constexpr int kMaxPatterns = 100;
constexpr size_t kPatternBytes = 257;

using PatternSlots = char[kMaxPatterns][kPatternBytes];

// Copies `count` patterns from `source` (257-byte slots) into `slots` and returns how many were
// stored. A count above the array is clamped to its 100 slots, a negative count or a null source
// stores none, and every stored pattern ends in a zero even when the caller's slot did not, so
// nothing ever writes past the shared array or reads past a slot.
int StorePatterns(PatternSlots& slots, const char* source, int count);

// The patterns in use, for the matcher. The count comes from shared memory and is clamped again.
std::vector<std::string_view> LoadPatterns(const PatternSlots& slots, int count);

}  // namespace vt
