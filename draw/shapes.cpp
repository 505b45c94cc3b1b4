#include "draw/shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <unordered_set>

#include "draw/line_dda.h"

namespace vt {

namespace {

// n / 10 rounded up from the given remainder on (5 for q5, 6 for q6).
int RoundTenths(int n, int from) {
    return n / 10 + (n % 10 >= from ? 1 : 0);
}

void AppendIfNew(std::vector<Point>& out, size_t start, Point p) {
    if (std::find(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), p) == out.end())
        out.push_back(p);
}

// One pass of the ellipse: k walks the axis of semi-axis `along` (in tenths), m is the half
// extent across it, of semi-axis `across`.
template <typename Emit>
void EllipsePass(long long along, long long across, Emit&& emit) {
    for (int k = 0;; ++k) {
        const long long o = 5 - along + 10LL * k;
        if (o >= along) break;
        const double inner = static_cast<double>(across * across) -
                             static_cast<double>(across * across * o * o / (along * along));
        const int m = static_cast<int>(std::sqrt(inner > 0 ? inner : 0));
        emit(k, RoundTenths(static_cast<int>(across) + m, 5) - 1,
             RoundTenths(static_cast<int>(across) - m, 6));
    }
}

int SignOf(int v) {
    return v < 0 ? -1 : 1;
}

}  // namespace

ShapeBounds ShapeBounds::Of(Point a, Point e) {
    return {std::min(a.x, e.x), std::max(a.x, e.x), std::min(a.y, e.y), std::max(a.y, e.y)};
}

void BuildLineList(Point a, Point e, int width, int height, std::vector<Point>& out) {
    out.clear();
    AppendLine(a, e, out);
    if (e.x >= 0 && e.y >= 0 && e.x < width && e.y < height) out.push_back(e);
}

void BuildRectangleList(Point a, Point e, std::vector<Point>& out) {
    out.clear();
    const ShapeBounds b = ShapeBounds::Of(a, e);
    for (int x = b.x0; x <= b.x1; ++x) out.push_back({x, b.y0});
    for (int y = b.y0 + 1; y < b.y1; ++y) out.push_back({b.x1, y});
    for (int x = b.x0; x <= b.x1; ++x) out.push_back({x, b.y1});
    for (int y = b.y0 + 1; y < b.y1; ++y) out.push_back({b.x0, y});
}

void BuildEllipseList(Point a, Point e, std::vector<Point>& out) {
    out.clear();
    const ShapeBounds b = ShapeBounds::Of(a, e);
    const long long ha = static_cast<long long>(b.Width()) * 10 / 2;
    const long long hb = static_cast<long long>(b.Height()) * 10 / 2;
    // Outlines are short (a few hundred pixels at most on a grid), so a linear duplicate check
    // keeps the list order without another structure.
    EllipsePass(ha, hb, [&](int k, int lower, int upper) {
        AppendIfNew(out, 0, {b.x0 + k, b.y0 + lower});
        AppendIfNew(out, 0, {b.x0 + k, b.y0 + upper});
    });
    EllipsePass(hb, ha, [&](int k, int right, int left) {
        AppendIfNew(out, 0, {b.x0 + right, b.y0 + k});
        AppendIfNew(out, 0, {b.x0 + left, b.y0 + k});
    });
}

Point ConstrainLine(Point a, Point e) {
    const int dx = e.x - a.x;
    const int dy = e.y - a.y;
    if (std::abs(dy) / 2 >= std::abs(dx)) return {a.x, e.y};
    if (std::abs(dx) / 2 >= std::abs(dy)) return {e.x, a.y};
    return ConstrainSquare(a, e);
}

Point ConstrainSquare(Point a, Point e) {
    const int dx = e.x - a.x;
    const int dy = e.y - a.y;
    if (std::abs(dy) < std::abs(dx)) return {e.x, a.y + SignOf(dy) * std::abs(dx)};
    return {a.x + SignOf(dx) * std::abs(dy), e.y};
}

void ListDifference(const std::vector<Point>& from, const std::vector<Point>& without,
                    std::vector<Point>& out) {
    out.clear();
    auto key = [](Point p) {
        return (static_cast<uint64_t>(static_cast<uint32_t>(p.x)) << 32) |
               static_cast<uint32_t>(p.y);
    };
    std::unordered_set<uint64_t> skip;
    skip.reserve(without.size() + from.size());
    for (Point p : without) skip.insert(key(p));
    for (Point p : from)
        if (skip.insert(key(p)).second) out.push_back(p);
}

void SortRowMajor(std::vector<Point>& points) {
    std::stable_sort(points.begin(), points.end(),
                     [](Point l, Point r) { return l.y != r.y ? l.y < r.y : l.x < r.x; });
}

}  // namespace vt
