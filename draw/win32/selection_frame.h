#pragma once
// The selection's marching ants and its context menu. It stands between the drawing engine and
// the edit grid as the engine's view: everything is passed on to the grid, and while a selection
// exists a 125 ms timer draws its frame from two dash strips, the phase crawling from 0 to 7.

#include <windows.h>

#include <functional>

#include "draw/draw_engine.h"
#include "draw/draw_view.h"
#include "draw/win32/edit_grid.h"
#include "draw/win32/view_colors.h"

namespace vt {

class SelectionFrame : public DrawView {
  public:
    static constexpr UINT_PTR kFrameTimer = 3;
    static constexpr UINT kIntervalMs = 125;

    // showMenu: the right button went down inside the selection; cameOrWent: a selection began
    // or ended.
    SelectionFrame(HWND owner, EditGrid& grid, std::function<void()> showMenu,
                   std::function<void()> cameOrWent);
    ~SelectionFrame() override;
    SelectionFrame(const SelectionFrame&) = delete;
    SelectionFrame& operator=(const SelectionFrame&) = delete;
    void SetEngine(DrawEngine* engine) { m_engine = engine; }
    int phase() const { return m_phase; }

    void PaintCell(int x, int y, Ink ink) override { m_grid.PaintCell(x, y, ink); }
    void PaintInverseCell(int x, int y, Ink pixel) override {
        m_grid.PaintInverseCell(x, y, pixel);
    }
    void SetPreviewPixel(int x, int y, Ink ink) override { m_grid.SetPreviewPixel(x, y, ink); }
    void RestoreCell(int x, int y) override { m_grid.RestoreCell(x, y); }
    void ImageCommitted() override { m_grid.ImageCommitted(); }
    void SetExtentText(const std::string& text) override { m_grid.SetExtentText(text); }
    void ColorsChanged() override { m_grid.ColorsChanged(); }
    void UndoStateChanged() override { m_grid.UndoStateChanged(); }
    void MoveEraserOutline(int x, int y, int size) override {
        m_grid.MoveEraserOutline(x, y, size);
    }
    void SetMouseCapture(bool on) override { m_grid.SetMouseCapture(on); }
    void FlashHotSpot(int x, int y) override { static_cast<DrawView&>(m_grid).FlashHotSpot(x, y); }
    void StartLocatorTimer() override { m_grid.StartLocatorTimer(); }
    void StopLocatorTimer() override { m_grid.StopLocatorTimer(); }
    void PaintLocatorCells(const std::vector<Point>& cells, Ink ink, bool highlightText,
                           bool framePaletteCell) override {
        m_grid.PaintLocatorCells(cells, ink, highlightText, framePaletteCell);
    }
    void EndLocator(const std::vector<Point>& cells, Ink ink) override {
        m_grid.EndLocator(cells, ink);
    }

    // After the grid was painted from the image: the floating pixels and the frame on top, so a
    // repaint (or a picture of the window) shows the selection as it floats.
    void PaintOver(HDC dc, const ViewColors& colors);

    void SelectionChanged() override;
    void ShowSelectionMenu() override;

  private:
    static void CALLBACK TimerProc(HWND hwnd, UINT msg, UINT_PTR id, DWORD time);
    void Tick();
    // The frame around the selection's cells in window coordinates, or an empty rectangle.
    RECT FrameRect() const;
    void Erase();
    void DrawFrame(HDC dc, const RECT& r);

    HWND m_owner;
    EditGrid& m_grid;
    std::function<void()> m_showMenu;
    std::function<void()> m_cameOrWent;
    bool m_existed = false;
    DrawEngine* m_engine = nullptr;
    HBITMAP m_horizontal = nullptr;
    HBITMAP m_vertical = nullptr;
    int m_phase = 0;
    bool m_running = false;
    RECT m_drawn{};
};

}  // namespace vt
