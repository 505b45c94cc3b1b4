// Titles and patterns come from other programs' windows and from the controller: the matcher and
// the plan must take anything. Input: a flags byte (bit 0: case sensitive), a pattern count byte,
// then newline-separated fields, the patterns first and the titles after them.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "taskbar/pattern_match.h"
#include "taskbar/pattern_table.h"
#include "taskbar/resort_plan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vt;
    if (size < 2) return 0;
    const bool caseSensitive = data[0] & 1;
    const size_t patternCount = data[1] % 16;
    std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    std::vector<std::string_view> patterns;
    std::vector<std::string_view> titles;
    while (!rest.empty() && titles.size() < static_cast<size_t>(kMaxButtons)) {
        const size_t end = std::min(rest.find('\n'), rest.size());
        std::string_view field = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (patterns.size() < patternCount) {
            patterns.push_back(field.substr(0, kPatternBytes - 1));
        } else {
            titles.push_back(field.substr(0, kMaxTitleChars));
        }
    }

    for (std::string_view title : titles) {
        // Any text matches itself as a pattern, and "*" matches any text.
        if (!MatchPattern(title, title, caseSensitive) || !MatchPattern(title, "*", caseSensitive))
            abort();
        for (std::string_view pattern : patterns) {
            // Folding only ever adds matches.
            if (MatchPattern(title, pattern, true) && !MatchPattern(title, pattern, false)) abort();
        }
    }

    const int selected =
        titles.empty() ? -1 : static_cast<int>(data[0] >> 1) % static_cast<int>(titles.size());
    const ResortPlan plan = PlanResort(titles, selected, patterns, caseSensitive);
    std::vector<int> sorted = plan.order;
    std::sort(sorted.begin(), sorted.end());
    for (size_t i = 0; i < sorted.size(); ++i)
        if (sorted[i] != static_cast<int>(i)) abort();
    if (sorted.size() != titles.size()) abort();
    if (selected >= 0 && plan.order.at(static_cast<size_t>(plan.selection)) != selected) abort();

    // The raw bytes as the controller's pattern slots.
    static PatternSlots slots;
    const int stored = StorePatterns(slots, reinterpret_cast<const char*>(data),
                                     static_cast<int>(size / kPatternBytes));
    if (static_cast<int>(LoadPatterns(slots, stored).size()) != stored) abort();
    return 0;
}
