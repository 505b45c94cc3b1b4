#pragma once
// A drawing engine on a test image, with helpers that press, drag and release like the grid.

#include <gtest/gtest.h>

#include <vector>

#include "common/prompt.h"
#include "draw/draw_engine.h"
#include "draw/draw_testutil.h"

namespace vt::test {

class EngineTest : public ::testing::Test {
  protected:
    // A fresh image (every pixel `fill`), colour A = 1 and colour B = 2.
    void Use(int width, int height, int32_t code, uint32_t fill = 0);

    static Point Window(Point p) { return {p.x * 16 + 8, p.y * 16 + 8}; }
    void Press(Point p, MouseButton b = MouseButton::Left) {
        engine.ToolButtonDown(b, p, Window(p));
    }
    void Move(Point p, bool shift = false) { engine.ToolMouseMove(p, Window(p), shift); }
    void Release(MouseButton b = MouseButton::Left) { engine.ToolButtonUp(b); }
    void Click(Point p, MouseButton b = MouseButton::Left) {
        Press(p, b);
        Release(b);
    }
    void Drag(const std::vector<Point>& path, MouseButton b = MouseButton::Left,
              bool shift = false);

    Ink At(int x, int y) { return engine.canvas()->ReadPixel(x, y); }
    // The pixels that hold `ink`, rows from the top.
    std::vector<Point> PixelsOf(Ink ink);
    UndoState Undo() { return engine.undoState(); }

    RecordingView view;
    ScriptedPrompt prompt;
    DrawEngine engine{view, prompt};
    IconImage image;
    const Ink kA{1, false};
    const Ink kB{2, false};
};

}  // namespace vt::test
