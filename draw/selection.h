#pragma once
// The selection of the "Selection Frame" tool: a rectangle of the image whose pixels can float
// above it, be dragged (even partly off the image and back), nudged, flipped and put down again.

#include <cstdint>
#include <vector>

#include "draw/area_transform.h"
#include "draw/ink.h"

namespace vt {

class Canvas;

// One pixel of the floating buffer, 12 bytes as the buffer has always been laid out.
struct FloatingPixel {
    int16_t x = 0;
    int16_t y = 0;
    uint32_t value = 0;
    uint8_t special = 0;
    uint8_t reserved[3] = {0, 0, 0};

    Ink ink() const { return {value, special != 0}; }
};
static_assert(sizeof(FloatingPixel) == 12);

struct SelectionRect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend bool operator==(const SelectionRect&, const SelectionRect&) = default;
};

class Selection {
  public:
    enum State : int { kNone = 0, kOutside = 1, kInside = 2, kMoving = 3 };

    State state() const { return m_state; }
    bool Exists() const { return m_state != kNone; }
    const SelectionRect& rect() const { return m_rect; }
    const std::vector<FloatingPixel>& floating() const { return m_floating; }
    bool lifted() const { return m_lifted; }
    bool pasted() const { return m_pasted; }
    int pendingOperation() const { return m_pendingOp; }

    // MakeSelection: the rectangle spanning both pixels, cut to the image.
    void Make(const Canvas& canvas, Point a, Point e);
    // Fills the floating buffer from the image under the rectangle.
    void CopyToFloating(const Canvas& canvas);
    // A pasted picture (or the text tool's output) as a new floating selection; its pixels are
    // in row order and are shown at once.
    void Paste(Canvas& canvas, SelectionRect rect, std::vector<FloatingPixel> pixels, int pendingOp,
               Ink colorB, bool transparentB);
    // A picture pasted into this selection (its pixels already fitted to the rectangle) takes the
    // floating buffer's place; a lift already made stays, so the put-down is still one operation.
    void PasteInto(Canvas& canvas, std::vector<FloatingPixel> pixels, Ink colorB,
                   bool transparentB);
    // The floating pixel shown at (x, y), or nullptr where the selection floats nothing.
    const FloatingPixel* FloatingAt(int x, int y) const;
    // Paints the cell as the grid shows it: the floating pixel over the image (the image through
    // colour B when it is transparent), else the image.
    void RepaintCell(Canvas& canvas, int x, int y, Ink colorB, bool transparentB) const;
    // Pointer tracking while no button is down.
    void TrackPointer(Point pixel);

    // A press inside the selection starts a move; the pointer pixel is the reference.
    void BeginMove(Point pointer);
    // Each new pointer pixel of the move: lifts the pixels out of the image first (operation 0),
    // then moves the floating pixels by the pointer's movement.
    void MoveTo(Canvas& canvas, Point pointer, Ink colorB, bool transparentB);
    // The release of a move.
    void EndMove();

    // CommitSelection: writes the floating pixels that lie inside the image (except colour B
    // when it is transparent) as one operation, and ends the selection.
    void Commit(Canvas& canvas, Ink colorB, bool transparentB);
    // Ends the selection without writing (the image went away).
    void Clear();
    // Ends a pasted selection without writing: the cells it covered show the image again.
    void Discard(Canvas& canvas);

    // Nudge or flip of the floating buffer alone (a lifted or pasted selection): rewrites the
    // buffer, a grid of the rectangle's size in row order, and repaints it.
    bool TransformFloating(Canvas& canvas, Ink colorB, bool transparentB, const AreaChange& change);

  private:
    void Lift(Canvas& canvas, Ink colorB);
    void PaintFloating(Canvas& canvas, Ink colorB, bool transparentB);

    State m_state = kNone;
    SelectionRect m_rect;
    std::vector<FloatingPixel> m_floating;
    bool m_lifted = false;
    bool m_pasted = false;
    bool m_opBegun = false;
    int m_pendingOp = 0;
    Point m_pointer;
};

}  // namespace vt
