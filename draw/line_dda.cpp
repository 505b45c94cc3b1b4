#include "draw/line_dda.h"

namespace vt {

void AppendLine(Point from, Point to, std::vector<Point>& out) {
    LineDDA(from.x, from.y, to.x, to.y, [&](int x, int y) { out.push_back({x, y}); });
}

}  // namespace vt
