#include "taskbar/resort_plan.h"

#include <algorithm>

#include "taskbar/pattern_match.h"

namespace vt {

namespace {

// Inserting past the end appends, as the tab control does with the large index.
void InsertAt(std::vector<int>& order, size_t index, int button) {
    order.insert(order.begin() + static_cast<std::ptrdiff_t>(std::min(index, order.size())),
                 button);
}

}  // namespace

ResortPlan PlanResort(std::span<const std::string_view> titles, int selected,
                      std::span<const std::string_view> patterns, bool caseSensitive) {
    const size_t buttons = titles.size();
    std::vector<bool> placed(buttons, false);
    // One insertion index per pattern: inserting into a group pushes that group's index and
    // every later group's index along, so the groups stay in pattern order.
    std::vector<size_t> insertAt(patterns.size(), 0);
    size_t starPattern = patterns.size();
    ResortPlan plan;
    plan.order.reserve(buttons);

    for (size_t p = 0; p < patterns.size(); ++p) {
        if (patterns[p] == "*") {
            if (starPattern == patterns.size()) starPattern = p;
            continue;
        }
        for (size_t b = 0; b < buttons; ++b) {
            if (placed[b] || !MatchPattern(titles[b], patterns[p], caseSensitive)) continue;
            InsertAt(plan.order, insertAt[p], static_cast<int>(b));
            for (size_t later = p; later < patterns.size(); ++later) ++insertAt[later];
            placed[b] = true;
        }
    }

    size_t next = starPattern < patterns.size() ? insertAt[starPattern] : size_t{kAppendIndex};
    for (size_t b = 0; b < buttons; ++b) {
        if (placed[b]) continue;
        InsertAt(plan.order, next++, static_cast<int>(b));
    }

    if (selected >= 0 && static_cast<size_t>(selected) < buttons) {
        auto it = std::find(plan.order.begin(), plan.order.end(), selected);
        plan.selection = static_cast<int>(it - plan.order.begin());
    }
    return plan;
}

}  // namespace vt
