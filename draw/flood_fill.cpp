#include "draw/flood_fill.h"

#include <cstdint>
#include <new>
#include <vector>

#include "draw/command_ids.h"
#include "draw/draw_engine.h"
#include "draw/undo_buffer.h"

namespace vt {

void FloodFill(DrawEngine& e, int x, int y) {
    Canvas& c = *e.canvas();
    if (!c.Contains(x, y)) return;
    const Ink seed = c.ReadPixel(x, y);
    const Ink ink = e.state().drawingInk;
    if (seed == ink) return;

    // Queue entries are packed positions, taken in the order they were appended. A pixel joins
    // the queue once: in "paint all pixels" mode a taken pixel holds the ink and no longer matches,
    // and in the dithered modes the whole queue is what keeps skipped pixels from re-entering.
    const size_t area = static_cast<size_t>(c.width()) * static_cast<size_t>(c.height());
    std::vector<uint16_t> queue;
    std::vector<uint8_t> queued;
    try {
        queue.reserve(area);
        queued.assign(area, 0);
    } catch (const std::bad_alloc&) {
        return;
    }
    auto index = [&](int px, int py) { return static_cast<size_t>(py) * c.width() + px; };
    queue.push_back(static_cast<uint16_t>(x + 256 * y));
    queued[index(x, y)] = 1;
    e.BeginOperation(kOpFlood);
    static constexpr int kSteps[4][2] = {
        {0, -1}, {1, 0}, {0, 1}, {-1, 0}};  // up, right, down, left
    for (size_t taken = 0; taken < queue.size(); ++taken) {
        const int px = queue[taken] % 256;
        const int py = queue[taken] / 256;
        if (e.PatternAllows(px, py)) c.WriteInk(px, py, ink);
        for (const auto& step : kSteps) {
            const int nx = px + step[0];
            const int ny = py + step[1];
            if (!c.Contains(nx, ny) || queued[index(nx, ny)] || !(c.ReadPixel(nx, ny) == seed))
                continue;
            queued[index(nx, ny)] = 1;
            queue.push_back(static_cast<uint16_t>(nx + 256 * ny));
        }
    }
    e.EndOperation();
    e.CommitImageBits();
}

int FloodTool::Id() const {
    return kToolFlood;
}

void FloodTool::ButtonDown(DrawEngine& e, MouseButton) {
    FloodFill(e, e.state().anchor.x, e.state().anchor.y);
}

}  // namespace vt
