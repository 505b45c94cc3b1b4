#include "draw/selection_clipboard.h"

#include "draw/canvas.h"
#include "draw/draw_engine.h"
#include "draw/undo_buffer.h"

namespace vt {

ClipBlock SelectionClipBlock(DrawEngine& engine) {
    const Selection& sel = engine.selection();
    IconImage* image = engine.image();
    const SelectionRect r = sel.rect();
    const size_t count = static_cast<size_t>(r.Width()) * static_cast<size_t>(r.Height());
    if (!image || !sel.Exists() || count == 0 || sel.floating().size() != count) return {};
    std::vector<ClipPixel> pixels;
    pixels.reserve(count);
    for (const FloatingPixel& p : sel.floating()) {
        ClipPixel c;
        c.x = static_cast<uint8_t>(p.x - r.left);
        c.y = static_cast<uint8_t>(p.y - r.top);
        c.value = p.value;
        c.masked = p.special != 0;
        pixels.push_back(c);
    }
    return MakeClipBlock(*image, std::move(pixels), static_cast<uint32_t>(r.Width()),
                         static_cast<uint32_t>(r.Height()));
}

void ClearSelection(DrawEngine& engine) {
    Selection& sel = engine.selection();
    Canvas* canvas = engine.canvas();
    if (!sel.Exists() || !canvas) return;
    engine.ClosePencilOperation();
    const Ink colorB = engine.state().colorB;
    if (sel.lifted()) {
        if (canvas->OperationOpen()) canvas->EndOperation();
        canvas->CommitImageBits();
    } else if (sel.pasted()) {
        // Nothing of the picture is in the image yet: the cells it covered show the image again.
        for (const FloatingPixel& p : sel.floating())
            if (canvas->Contains(p.x, p.y)) canvas->view().RestoreCell(p.x, p.y);
    } else {
        const SelectionRect r = sel.rect();
        canvas->BeginOperation(kOpEdit);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (canvas->Contains(x, y)) canvas->PutInk(x, y, colorB);
        canvas->EndOperation();
        canvas->CommitImageBits();
    }
    sel.Clear();
    engine.view().SelectionChanged();
}

void PlacePaste(DrawEngine& engine, const PastePixels& paste, bool intoSelection) {
    if (paste.width <= 0 || paste.height <= 0) return;
    if (paste.pixels.size() != static_cast<size_t>(paste.width) * static_cast<size_t>(paste.height))
        return;
    const Selection& sel = engine.selection();
    intoSelection = intoSelection && sel.Exists();
    const Point at = intoSelection ? Point{sel.rect().left, sel.rect().top} : Point{0, 0};
    std::vector<FloatingPixel> floating;
    floating.reserve(paste.pixels.size());
    for (const ClipPixel& c : paste.pixels) {
        FloatingPixel p;
        p.x = static_cast<int16_t>(at.x + c.x);
        p.y = static_cast<int16_t>(at.y + c.y);
        p.value = c.value;
        p.special = c.masked ? 1 : 0;
        floating.push_back(p);
    }
    const SelectionRect rect{at.x, at.y, at.x + paste.width, at.y + paste.height};
    // A picture that could not be fitted to the selection floats on its own at the same place.
    if (intoSelection && rect == sel.rect())
        engine.PasteIntoSelection(std::move(floating));
    else
        engine.PasteFloating(rect, std::move(floating), kOpEdit);
}

}  // namespace vt
