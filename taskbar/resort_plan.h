#pragma once
// The new order of the task buttons: groups in pattern order, unmatched buttons where the
// pattern "*" stands (or after every group), each group keeping the buttons' old order.

#include <span>
#include <string_view>
#include <vector>

namespace vt {

// The taskbar's buttons the library reads and re-inserts at one time. With more buttons on the
// taskbar a re-sort is refused rather than dropping the buttons beyond the work array.
constexpr int kMaxButtons = 200;
// Longest title kept for matching, in characters.
constexpr int kMaxTitleChars = 250;
// The insertion index used for unmatched buttons when there is no "*": past any real index, so
// the tab control appends.
constexpr int kAppendIndex = 20000;

struct ResortPlan {
    std::vector<int> order;  // at each new position, the button's old index
    int selection = -1;      // new position of the button that was selected, or -1
};

// `selected` is the old index of the selected button (-1 for none). A button matching several
// patterns joins the first; when "*" appears more than once the first one marks the place.
ResortPlan PlanResort(std::span<const std::string_view> titles, int selected,
                      std::span<const std::string_view> patterns, bool caseSensitive);

}  // namespace vt
