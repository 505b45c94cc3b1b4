#pragma once
// Nudge and flip of a rectangular area of inks in row order, shared by the image and the
// floating selection.

#include <functional>
#include <vector>

#include "draw/command_ids.h"
#include "draw/ink.h"

namespace vt {

// A rearrangement of a width x height area given in row order.
using AreaChange =
    std::function<std::vector<Ink>(const std::vector<Ink>& area, int width, int height)>;

// Every pixel takes its neighbour's ink from the side opposite to the movement; the row or
// column left empty takes `fill`.
std::vector<Ink> NudgeArea(const std::vector<Ink>& area, int width, int height, Nudge direction,
                           Ink fill);
std::vector<Ink> FlipArea(const std::vector<Ink>& area, int width, int height, FlipAxis axis);

}  // namespace vt
