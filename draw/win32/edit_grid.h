#pragma once
// The edit grid: the magnified active image in the editor window's client area. It is the
// drawing engine's view (cells, preview pixels, feedback) and turns the window's mouse messages
// into the engine's pixel calls. Not a window of its own: the editor window hands it its messages.

#include <windows.h>

#include <functional>
#include <string>

#include "draw/draw_engine.h"
#include "draw/draw_view.h"
#include "draw/grid_geometry.h"

namespace vt {

class PaletteWindow;
class ViewColors;

// The preview the grid keeps up to date (the Studio's preview window, the Animator's preview):
// single pixels as a tool paints them, and the whole image after every action, undo and redo.
class GridPreview {
public:
    virtual ~GridPreview() = default;
    virtual void SetPixel(int x, int y, Ink ink) = 0;
    virtual void Redraw() = 0;
};

struct EditGridHooks {
    std::function<void(int part, const std::string& text)> status;  // part 1 position, 2 extent
    std::function<void()> committed;    // an action, undo or redo is complete
    std::function<void()> undoChanged;  // Undo/Redo availability may differ
    std::function<void()> colorsChanged;
    std::function<void()> hotSpotSet;
};

class EditGrid : public DrawView {
public:
    // Timers of the owner window: 1 and 2 are the grid's, 3 the selection frame's
    // (SelectionFrame::kFrameTimer); any other timer of the owner starts at kFirstFreeTimer.
    static constexpr UINT_PTR kLocatorTimer = 1;
    static constexpr UINT_PTR kHotSpotTimer = 2;
    static constexpr UINT_PTR kFirstFreeTimer = 4;

    EditGrid(HWND owner, const ViewColors& colors, EditGridHooks hooks);
    void SetEngine(DrawEngine* engine) { m_engine = engine; }
    void SetPreview(GridPreview* preview) { m_preview = preview; }
    // The palette window frames the cell of the colour the "Color Locator" shows.
    void SetPalette(PaletteWindow* palette) { m_palette = palette; }

    // Lays the grid out for the owner's client area; repaints when its size changed.
    void Layout(int toolBarHeight, int statusBarHeight);
    const GridGeometry& geometry() const { return m_geo; }
    void SetGridLines(bool on);
    bool gridLines() const { return m_gridLines; }
    void Invalidate();
    void Paint(HDC dc, const RECT& dirty);

    // Routes the owner window's mouse messages (buttons, moves, WM_MOUSELEAVE, WM_CAPTURECHANGED)
    // and the grid's own timers here; true when the message was the grid's. The owner handles
    // Shift (OnShiftKey) and WM_SETCURSOR (SetCursor) itself.
    bool OnOwnerMessage(UINT msg, WPARAM wp, LPARAM lp);
    // Over the grid: the move pointer over a selection, else the current tool's cursor, taken from
    // `cursors` (count handles of the cursor resources firstId, firstId + 1, ...). False when the
    // pointer is elsewhere or no cursor fits: the owner lets the system set its own.
    bool SetCursor(const HCURSOR* cursors, int count, int firstId);

    // Mouse messages of the owner window, client coordinates.
    void OnButtonDown(MouseButton button, int x, int y);
    void OnMouseMove(int x, int y, bool shift);
    void OnButtonUp(MouseButton button);
    void OnMouseLeave();
    void OnCaptureLost();
    void OnTimer(UINT_PTR id);
    // Shift went down or up (not a key repeat): the temporary "Color Selector" while no button is
    // down and the pointer is over the grid, or a new axis-lock measurement during a drag.
    void OnShiftKey(bool down);

    void SetHotSpotMode(bool on);
    bool hotSpotMode() const { return m_hotSpotMode; }

    // DrawView.
    void PaintCell(int x, int y, Ink ink) override;
    void PaintInverseCell(int x, int y, Ink pixel) override;
    void SetPreviewPixel(int x, int y, Ink ink) override;
    void RestoreCell(int x, int y) override;
    void ImageCommitted() override;
    void SetExtentText(const std::string& text) override;
    void ColorsChanged() override;
    void UndoStateChanged() override;
    void MoveEraserOutline(int x, int y, int size) override;
    void SetMouseCapture(bool on) override;
    void StartLocatorTimer() override;
    void StopLocatorTimer() override;
    void PaintLocatorCells(const std::vector<Point>& cells, Ink ink, bool highlightText,
                           bool framePaletteCell) override;
    void EndLocator(const std::vector<Point>& cells, Ink ink) override;

private:
    const IconImage* Image() const;
    RECT CellRect(int x, int y) const;
    void FillCellWith(int x, int y, COLORREF colour);
    void SetPosition(std::optional<Point> pixel);
    void EraseEraserOutline();
    void TrackLeave();
    void ConfinePointer();
    void ReleasePointer();

    HWND m_owner;
    const ViewColors& m_colors;
    EditGridHooks m_hooks;
    DrawEngine* m_engine = nullptr;
    GridPreview* m_preview = nullptr;
    PaletteWindow* m_palette = nullptr;
    GridGeometry m_geo;
    bool m_gridLines = true;
    bool m_tracking = false;
    bool m_captured = false;
    bool m_confined = false;  // the pointer is held to the grid (ClipCursor)
    std::string m_positionText;
    bool m_hotSpotMode = false;
    Point m_flashCell{kNoPoint, 0};
    int m_flashCount = 0;
    // The eraser outline currently drawn (pixel rectangle), or none.
    bool m_eraserShown = false;
    RECT m_eraserRect{};
};

}  // namespace vt
