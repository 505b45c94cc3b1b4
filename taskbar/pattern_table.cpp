#include "taskbar/pattern_table.h"

#include <algorithm>
#include <cstring>

namespace vt {

namespace {

int ClampCount(int count) {
    return std::clamp(count, 0, kMaxPatterns);
}

size_t SlotLength(const char* slot) {
    const void* end = std::memchr(slot, 0, kPatternBytes - 1);
    return end ? static_cast<size_t>(static_cast<const char*>(end) - slot) : kPatternBytes - 1;
}

}  // namespace

int StorePatterns(PatternSlots& slots, const char* source, int count) {
    if (source == nullptr) return 0;
    const int stored = ClampCount(count);
    for (int i = 0; i < stored; ++i) {
        const char* from = source + static_cast<size_t>(i) * kPatternBytes;
        const size_t n = SlotLength(from);
        std::memcpy(slots[i], from, n);
        std::memset(slots[i] + n, 0, kPatternBytes - n);
    }
    return stored;
}

std::vector<std::string_view> LoadPatterns(const PatternSlots& slots, int count) {
    std::vector<std::string_view> out;
    const int n = ClampCount(count);
    out.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) out.emplace_back(slots[i], SlotLength(slots[i]));
    return out;
}

}  // namespace vt
