#include "tools/artwork/raster.h"

#include <cstdlib>
#include <cstring>

namespace vt::art {

void Raster::Line(int x0, int y0, int x1, int y1, int8_t c) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1) return;
        const int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x0 += sx; }
        if (e2 <= dx) { err += dx; y0 += sy; }
    }
}

void Raster::Rect(int x0, int y0, int x1, int y1, int8_t c) {
    Line(x0, y0, x1, y0, c);
    Line(x0, y1, x1, y1, c);
    Line(x0, y0, x0, y1, c);
    Line(x1, y0, x1, y1, c);
}

void Raster::Fill(int x0, int y0, int x1, int y1, int8_t c) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) Set(x, y, c);
}

void Raster::Ellipse(int x0, int y0, int x1, int y1, int8_t c, bool filled) {
    // Twice-scaled centre and radii keep even-sized boxes symmetric.
    const int cx2 = x0 + x1, cy2 = y0 + y1, rx2 = x1 - x0, ry2 = y1 - y0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double nx = (2.0 * x - cx2) / (rx2 + 1), ny = (2.0 * y - cy2) / (ry2 + 1);
            const double d = nx * nx + ny * ny;
            if (d > 1.0) continue;
            if (filled) { Set(x, y, c); continue; }
            // On the outline when a 4-neighbour lies outside.
            auto out = [&](int px, int py) {
                const double ax = (2.0 * px - cx2) / (rx2 + 1), ay = (2.0 * py - cy2) / (ry2 + 1);
                return ax * ax + ay * ay > 1.0;
            };
            if (out(x - 1, y) || out(x + 1, y) || out(x, y - 1) || out(x, y + 1)) Set(x, y, c);
        }
}

void Raster::Draw(int x, int y, const std::vector<const char*>& rows) {
    static const char kLegend[] = "kmeonptsgrlybfaw";  // indexes 0..15
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t i = 0; rows[r][i]; ++i) {
            const char ch = rows[r][i];
            if (ch == '.') continue;
            if (ch == 'i') { Set(x + static_cast<int>(i), y + static_cast<int>(r), kInverse); continue; }
            const char* p = std::strchr(kLegend, ch);
            if (p) Set(x + static_cast<int>(i), y + static_cast<int>(r), static_cast<int8_t>(p - kLegend));
        }
}

Raster Raster::Scaled(int f) const {
    Raster out(m_w * f, m_h * f);
    for (int y = 0; y < out.m_h; ++y)
        for (int x = 0; x < out.m_w; ++x) out.Set(x, y, At(x / f, y / f));
    return out;
}

}  // namespace vt::art
