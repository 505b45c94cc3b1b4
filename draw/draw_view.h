#pragma once
// What the drawing engine asks of the editor window: the Win32 edit grid implements it, tests use
// a recorder. Every cell the engine changes is painted through here, so a drag never repaints the
// whole grid. Pixel positions are image pixels; the grid maps them to cells.

#include <string>
#include <vector>

#include "draw/ink.h"

namespace vt {

class DrawView {
  public:
    virtual ~DrawView() = default;

    // Fills the cell of (x, y) with the ink's brush and sets its preview pixel to the ink's colour.
    virtual void PaintCell(int x, int y, Ink ink) = 0;
    // Fills the cell in the inverse of `pixel`'s colour (cross-hair, selection rubber band).
    virtual void PaintInverseCell(int x, int y, Ink pixel) = 0;
    // Sets only the preview pixel (the line tool's hover mark).
    virtual void SetPreviewPixel(int x, int y, Ink ink) = 0;
    // Repaints the cell and the preview pixel of (x, y) from the image.
    virtual void RestoreCell(int x, int y) = 0;
    // A tool action, undo or redo is complete: refresh the device bitmaps and the whole preview.
    virtual void ImageCommitted() = 0;
    // The status bar's second field: " %d x %d" while dragging, empty otherwise.
    virtual void SetExtentText(const std::string& text) = 0;

    // Feedback the shell draws itself; the engine only says when.
    virtual void ColorsChanged() {}
    virtual void UndoStateChanged() {}
    virtual void MoveEraserOutline(int /*x*/, int /*y*/, int /*size*/) {}
    virtual void SetMouseCapture(bool /*on*/) {}
    // The selection appeared, moved or ended (frame timer, marching ants, Cut/Copy enabling).
    virtual void SelectionChanged() {}
    virtual void ShowSelectionMenu() {}
    // The current tool changed: its tool box button and the pointer (a cursor resource id).
    virtual void ToolChanged(int /*toolId*/, int /*cursorResource*/) {}
    // The hot spot was set at (x, y): the cell flashes (350 ms, 5 ticks).
    virtual void FlashHotSpot(int /*x*/, int /*y*/) {}
    // "Color Locator": the timer (id 1, 500 ms) and the cells to paint on each tick.
    virtual void StartLocatorTimer() {}
    virtual void StopLocatorTimer() {}
    // highlightText: COLOR_HIGHLIGHTTEXT rather than COLOR_HIGHLIGHT. framePaletteCell: also the
    // double frame around the colour's cell in the palette window.
    virtual void PaintLocatorCells(const std::vector<Point>& /*cells*/, Ink /*ink*/,
                                   bool /*highlightText*/, bool /*framePaletteCell*/) {}
    virtual void EndLocator(const std::vector<Point>& /*cells*/, Ink /*ink*/) {}
};

}  // namespace vt
