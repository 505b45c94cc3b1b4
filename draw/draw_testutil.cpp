#include "draw/draw_testutil.h"

#include <stdexcept>

#include "draw/canvas.h"

namespace vt::test {

IconImage MakeImage(int width, int height, int32_t code, uint32_t fill) {
    IconImage img;
    img.width = width;
    img.height = height;
    img.colorCode = code;
    if (!img.AllocateBlock()) throw std::runtime_error("no memory for a test image");
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) img.SetXorValue(x, y, fill);
    if (code == kTrueColor)
        img.colorB = {0xFFFFFF, false};
    else
        img.colorB = {static_cast<uint32_t>(code - 1), false};
    CreateUndoBuffer(img);
    return img;
}

void RecordingView::ShowImage(const IconImage* image) {
    m_shown = image;
    screen.clear();
    if (!image) return;
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x)
            screen.push_back({{image->XorValue(x, y), image->AndBit(x, y)}, false});
}

std::vector<Point> RecordingView::Painted(ViewEvent::Kind kind) const {
    std::vector<Point> out;
    for (const ViewEvent& e : events)
        if (e.kind == kind) out.push_back({e.x, e.y});
    return out;
}

int RecordingView::Count(ViewEvent::Kind kind) const {
    int n = 0;
    for (const ViewEvent& e : events) n += e.kind == kind;
    return n;
}

}  // namespace vt::test
