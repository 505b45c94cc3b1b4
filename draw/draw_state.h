#pragma once
// The drawing state of one editor window: colours, inks, the chosen tool and its options, and
// what a drag in progress needs to remember.

#include <array>
#include <vector>

#include "draw/command_ids.h"
#include "draw/ink.h"
#include "draw/tool.h"

namespace vt {

// Freehand tools may be held to one row or column with Shift.
struct AxisLock {
    enum Kind { kNone, kRow, kColumn };
    Kind kind = kNone;
    Point pixel;   // the pixel whose row or column is kept
    Point window;  // the pointer position (window coordinates) the lock is measured from
};

struct DrawState {
    Ink colorA;
    Ink colorB{15, false};
    Ink drawingInk;  // colour A while the left button is down, colour B while the right
    Ink otherInk;    // the eraser's replacement: the colour of the other button

    int tool = kToolPencil;
    int shapeVariant = 0;  // 0..2 rectangles, 3..5 ellipses; fill mode = variant % 3
    int brushShape = 0;
    int eraserSize = 1;  // the eraser square is 2 * size + 1 pixels wide
    int ditherMode = 0;
    bool transparentColorB = false;

    bool buttonDown = false;
    MouseButton button = MouseButton::Left;
    Point anchor;
    Point lastPoint{kNoPoint, 0};
    AxisLock lock;

    // The shape tools' two point lists; `current` names the one shown last.
    std::array<std::vector<Point>, 2> lists;
    int current = 0;

    // The text tool's place: the image pixel of the text box's top-left corner.
    Point textPosition{0, 0};

    bool pencilOpen = false;
    bool hotSpotMode = false;

    int FillMode() const { return shapeVariant % 3; }
    std::vector<Point>& CurrentList() { return lists[static_cast<size_t>(current)]; }
    std::vector<Point>& OtherList() { return lists[static_cast<size_t>(1 - current)]; }
};

}  // namespace vt
