// Speed of the drawing engine's busiest paths, so later changes can be compared.

#include <benchmark/benchmark.h>

#include "common/prompt.h"
#include "draw/draw_engine.h"
#include "draw/flood_fill.h"

namespace vt {
namespace {

// A view that paints nothing, so the engine's own work is measured.
class NullView : public DrawView {
  public:
    void PaintCell(int, int, Ink) override {}
    void PaintInverseCell(int, int, Ink) override {}
    void SetPreviewPixel(int, int, Ink) override {}
    void RestoreCell(int, int) override {}
    void ImageCommitted() override {}
    void SetExtentText(const std::string&) override {}
};

IconImage MakeImage(int32_t code) {
    IconImage img;
    img.width = 64;
    img.height = 64;
    img.colorCode = code;
    img.AllocateBlock();
    CreateUndoBuffer(img);
    return img;
}

struct Bench {
    explicit Bench(int32_t code) : image(MakeImage(code)) {
        engine.SetImage(&image);
        engine.SetColorA({1, false});
        engine.SetColorB({2, false});
    }
    void Click(Point p, MouseButton b = MouseButton::Left) {
        engine.ToolButtonDown(b, p, {p.x * 8, p.y * 8});
        engine.ToolButtonUp(b);
    }
    NullView view;
    ScriptedPrompt prompt;
    DrawEngine engine{view, prompt};
    IconImage image;
};

void BM_Flood64(benchmark::State& state) {
    Bench b(static_cast<int32_t>(state.range(0)));
    b.engine.ChooseTool(kToolFlood);
    for (auto _ : state) {
        // Alternate the buttons so every flood changes all 4,096 pixels.
        b.Click({31, 31}, MouseButton::Left);
        b.Click({31, 31}, MouseButton::Right);
    }
    state.SetItemsProcessed(state.iterations() * 2 * 64 * 64);
}
BENCHMARK(BM_Flood64)->Arg(16)->Arg(256)->Arg(1024);

void BM_BrushDragFullImage(benchmark::State& state) {
    Bench b(kColors256);
    b.engine.ChooseTool(kToolBrush);
    b.engine.state().brushShape = static_cast<int>(state.range(0));
    int button = 0;
    for (auto _ : state) {
        // A boustrophedon over every row, so the stamps cover the whole image.
        const MouseButton mb = (button++ % 2) ? MouseButton::Right : MouseButton::Left;
        b.engine.ToolButtonDown(mb, {0, 0}, {0, 0});
        for (int y = 0; y < 64; ++y) {
            const int x = (y % 2) ? 0 : 63;
            b.engine.ToolMouseMove({x, y}, {x * 8, y * 8}, false);
        }
        b.engine.ToolButtonUp(mb);
    }
}
BENCHMARK(BM_BrushDragFullImage)->Arg(0)->Arg(4);

void BM_UndoRedo1000(benchmark::State& state) {
    Bench b(static_cast<int32_t>(state.range(0)));
    b.engine.ChooseTool(kToolLine);
    // 1,000 single-pixel operations (each a line of one pixel), then undo and redo them all; the
    // 64 x 64 history holds 12,288 entries, so none is lost.
    for (int i = 0; i < 1000; ++i) {
        const Point p{i % 64, (i / 64) % 64};
        b.Click(p, (i % 2) ? MouseButton::Right : MouseButton::Left);
    }
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) b.engine.Undo();
        if (b.image.XorValue(0, 0) != 0 || b.engine.undoState().canUndo) {
            state.SkipWithError("undo did not walk back all 1,000 operations");
            break;
        }
        for (int i = 0; i < 1000; ++i) b.engine.Redo();
    }
    state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_UndoRedo1000)->Arg(16)->Arg(1024);

}  // namespace
}  // namespace vt
