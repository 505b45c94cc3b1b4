#include "draw/win32/edit_grid.h"

#include <windowsx.h>

#include <algorithm>

#include "draw/tool.h"
#include "draw/win32/palette_window.h"
#include "draw/win32/view_colors.h"

namespace vt {

namespace {
constexpr int kHotSpotTicks = 5;
constexpr UINT kHotSpotMs = 350;
constexpr UINT kLocatorMs = 500;
}  // namespace

EditGrid::EditGrid(HWND owner, const ViewColors& colors, EditGridHooks hooks)
    : m_owner(owner), m_colors(colors), m_hooks(std::move(hooks)) {}

const IconImage* EditGrid::Image() const {
    return m_engine ? m_engine->image() : nullptr;
}

void EditGrid::Layout(int toolBarHeight, int statusBarHeight) {
    RECT client;
    GetClientRect(m_owner, &client);
    const IconImage* img = Image();
    const GridGeometry g =
        GridGeometry::Compute(client.right, client.bottom, toolBarHeight, statusBarHeight,
                              img ? img->width : 32, img ? img->height : 32, m_gridLines);
    if (g.SameSizeAs(m_geo)) return;
    m_geo = g;
    InvalidateRect(m_owner, nullptr, TRUE);
}

void EditGrid::SetGridLines(bool on) {
    m_gridLines = on;
    m_geo.gridLines = on;
    Invalidate();
}

void EditGrid::Invalidate() {
    const GridRect f = m_geo.Frame();
    RECT r{f.left, f.top, f.right, f.bottom};
    InvalidateRect(m_owner, &r, FALSE);
}

RECT EditGrid::CellRect(int x, int y) const {
    const GridRect c = m_geo.Cell(x, y);
    return {c.left, c.top, c.right, c.bottom};
}

void EditGrid::Paint(HDC dc, const RECT& dirty) {
    const GridRect f = m_geo.Frame();
    RECT frame{f.left, f.top, f.right, f.bottom};
    RECT overlap;
    if (!IntersectRect(&overlap, &frame, &dirty)) return;
    // The frame and the grid lines are the background the cells leave visible.
    HBRUSH lines = CreateSolidBrush(m_gridLines ? RGB(128, 128, 128) : RGB(0, 0, 0));
    FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECT inner{frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1};
    FillRect(dc, &inner, lines);
    DeleteObject(lines);
    const IconImage* img = Image();
    if (!img || !img->HasBits()) return;
    for (int y = 0; y < img->height; ++y)
        for (int x = 0; x < img->width; ++x) {
            RECT c = CellRect(x, y);
            if (!IntersectRect(&overlap, &c, &dirty)) continue;
            m_colors.FillCell(dc, c, *img, Ink{img->XorValue(x, y), img->AndBit(x, y)});
        }
}

void EditGrid::OnButtonDown(MouseButton button, int x, int y) {
    if (!m_engine || !Image()) return;
    const std::optional<Point> p = m_geo.PixelAt(x, y);
    if (!p || m_engine->state().buttonDown) return;
    EraseEraserOutline();
    if (m_hotSpotMode) {
        m_engine->ToolButtonDown(button, *p, {x, y});
        m_engine->ToolButtonUp(button);
        SetHotSpotMode(false);
        // The new hot spot flashes in the highlight colours.
        m_flashCell = *p;
        m_flashCount = kHotSpotTicks;
        SetTimer(m_owner, kHotSpotTimer, kHotSpotMs, nullptr);
        OnTimer(kHotSpotTimer);
        if (m_hooks.hotSpotSet) m_hooks.hotSpotSet();
        return;
    }
    m_engine->ToolButtonDown(button, *p, {x, y});
}

void EditGrid::OnMouseMove(int x, int y, bool shift) {
    if (!m_engine || !Image()) return;
    TrackLeave();
    const std::optional<Point> p = m_geo.PixelAt(x, y);
    SetPosition(p);
    const DrawState& s = m_engine->state();
    if (p) {
        m_engine->ToolMouseMove(*p, {x, y}, shift);
        return;
    }
    // Outside the grid only the tools that drag shapes keep following the pointer.
    const int t = s.tool;
    const bool follows = t == kToolLine || t == kToolRectangle || t == kToolEllipse ||
                         t == kToolSelectionFrame || t == kToolText;
    if (s.buttonDown && follows) {
        m_engine->ToolMouseMove(m_geo.PixelAtUnchecked(x, y), {x, y}, shift);
    } else if (s.buttonDown) {
        // A freehand stroke that leaves the grid is not joined to where it comes back.
        EraseEraserOutline();
        m_engine->PointerLeftGrid();
    } else {
        OnMouseLeave();
    }
}

void EditGrid::OnButtonUp(MouseButton button) {
    if (m_engine) m_engine->ToolButtonUp(button);
}

void EditGrid::OnMouseLeave() {
    m_tracking = false;
    EraseEraserOutline();
    SetPosition(std::nullopt);
    if (m_engine && !m_engine->state().buttonDown) m_engine->PointerLeftGrid();
}

void EditGrid::OnCaptureLost() {
    ReleasePointer();
    if (m_captured && m_engine && m_engine->state().buttonDown) {
        m_captured = false;
        m_engine->ToolButtonUp(m_engine->state().button);
    }
    m_captured = false;
}

void EditGrid::OnShiftKey(bool down) {
    if (!m_engine || !Image() || m_hotSpotMode) return;
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(m_owner, &p);
    const bool over = m_geo.PixelAt(p.x, p.y).has_value();
    m_engine->ShiftChanged(down, over, {p.x, p.y});
}

void EditGrid::TrackLeave() {
    if (m_tracking) return;
    TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, m_owner, 0};
    m_tracking = TrackMouseEvent(&t) != FALSE;
}

void EditGrid::SetPosition(std::optional<Point> pixel) {
    const std::string text = pixel ? PositionText(*pixel) : std::string();
    if (text == m_positionText) return;
    m_positionText = text;
    if (m_hooks.status) m_hooks.status(1, text);
}

bool EditGrid::OnOwnerMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
    switch (msg) {
        case WM_LBUTTONDOWN: OnButtonDown(MouseButton::Left, x, y); return true;
        case WM_RBUTTONDOWN: OnButtonDown(MouseButton::Right, x, y); return true;
        case WM_LBUTTONUP: OnButtonUp(MouseButton::Left); return true;
        case WM_RBUTTONUP: OnButtonUp(MouseButton::Right); return true;
        case WM_MOUSEMOVE: OnMouseMove(x, y, (wp & MK_SHIFT) != 0); return true;
        case WM_MOUSELEAVE: OnMouseLeave(); return true;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lp) != m_owner) OnCaptureLost();
            return true;
        case WM_TIMER:
            if (wp != kLocatorTimer && wp != kHotSpotTimer) return false;
            OnTimer(wp);
            return true;
        default: return false;
    }
}

bool EditGrid::SetCursor(const HCURSOR* cursors, int count, int firstId) {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(m_owner, &p);
    if (!m_engine || !m_geo.Frame().Contains(p.x, p.y)) return false;
    // Over a selection (or the floating text) the pointer shows that a press moves it.
    const Selection& sel = m_engine->selection();
    const std::optional<Point> pixel = m_geo.PixelAt(p.x, p.y);
    if (!m_hotSpotMode && sel.Exists() &&
        (sel.state() == Selection::kMoving || (pixel && sel.rect().Contains(pixel->x, pixel->y)))) {
        ::SetCursor(LoadCursorA(nullptr, IDC_SIZEALL));
        return true;
    }
    // Each tool has its own pointer over the grid; the hot spot is placed with the shape tools'
    // cross-hair.
    const int id = ToolCursorResource(m_hotSpotMode ? kToolRectangle : m_engine->state().tool);
    if (id < firstId || id >= firstId + count) return false;
    HCURSOR c = cursors[id - firstId];
    if (!c) return false;
    ::SetCursor(c);
    return true;
}

void EditGrid::OnTimer(UINT_PTR id) {
    if (id == kLocatorTimer) {
        if (m_engine) m_engine->LocatorTick();
        return;
    }
    if (id != kHotSpotTimer) return;
    const IconImage* img = Image();
    if (m_flashCount <= 0 || !img || m_flashCell.x >= img->width || m_flashCell.y >= img->height) {
        KillTimer(m_owner, kHotSpotTimer);
        m_flashCount = 0;
        return;
    }
    --m_flashCount;
    if (m_flashCount == 0) {
        KillTimer(m_owner, kHotSpotTimer);
        RestoreCell(m_flashCell.x, m_flashCell.y);
        return;
    }
    // The first tick (count 4 of 5) shows the highlight colour, then they alternate.
    FillCellWith(m_flashCell.x, m_flashCell.y,
                 GetSysColor(m_flashCount % 2 ? COLOR_HIGHLIGHTTEXT : COLOR_HIGHLIGHT));
}

void EditGrid::SetHotSpotMode(bool on) {
    m_hotSpotMode = on;
    if (m_engine) m_engine->SetHotSpotMode(on);
}

void EditGrid::FillCellWith(int x, int y, COLORREF colour) {
    HDC dc = GetDC(m_owner);
    RECT r = CellRect(x, y);
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    ReleaseDC(m_owner, dc);
}

void EditGrid::PaintCell(int x, int y, Ink ink) {
    const IconImage* img = Image();
    if (!img || x < 0 || y < 0 || x >= img->width || y >= img->height) return;
    HDC dc = GetDC(m_owner);
    RECT r = CellRect(x, y);
    m_colors.FillCell(dc, r, *img, ink);
    ReleaseDC(m_owner, dc);
    if (m_preview) m_preview->SetPixel(x, y, ink);
}

void EditGrid::PaintInverseCell(int x, int y, Ink pixel) {
    const IconImage* img = Image();
    if (!img || x < 0 || y < 0 || x >= img->width || y >= img->height) return;
    HDC dc = GetDC(m_owner);
    RECT r = CellRect(x, y);
    m_colors.FillInverseCell(dc, r, *img, pixel);
    ReleaseDC(m_owner, dc);
}

void EditGrid::SetPreviewPixel(int x, int y, Ink ink) {
    if (m_preview) m_preview->SetPixel(x, y, ink);
}

void EditGrid::RestoreCell(int x, int y) {
    const IconImage* img = Image();
    if (!img || x < 0 || y < 0 || x >= img->width || y >= img->height) return;
    const Ink ink{img->XorValue(x, y), img->AndBit(x, y)};
    HDC dc = GetDC(m_owner);
    RECT r = CellRect(x, y);
    m_colors.FillCell(dc, r, *img, ink);
    ReleaseDC(m_owner, dc);
    if (m_preview) m_preview->SetPixel(x, y, ink);
}

void EditGrid::ImageCommitted() {
    if (m_preview) m_preview->Redraw();
    if (m_hooks.committed) m_hooks.committed();
}

void EditGrid::SetExtentText(const std::string& text) {
    if (m_hooks.status) m_hooks.status(2, text);
}

void EditGrid::ColorsChanged() {
    if (m_hooks.colorsChanged) m_hooks.colorsChanged();
}

void EditGrid::UndoStateChanged() {
    if (m_hooks.undoChanged) m_hooks.undoChanged();
}

void EditGrid::EraseEraserOutline() {
    if (!m_eraserShown) return;
    m_eraserShown = false;
    InvalidateRect(m_owner, &m_eraserRect, FALSE);
}

void EditGrid::MoveEraserOutline(int x, int y, int size) {
    const IconImage* img = Image();
    EraseEraserOutline();
    if (!img || x == kNoPoint) return;
    // The square around the pointer, clipped to the grid.
    const int x0 = std::max(0, x - size), y0 = std::max(0, y - size);
    const int x1 = std::min(img->width - 1, x + size), y1 = std::min(img->height - 1, y + size);
    if (x0 > x1 || y0 > y1) return;
    const RECT a = CellRect(x0, y0), b = CellRect(x1, y1);
    RECT r{a.left, a.top, b.right, b.bottom};
    HDC dc = GetDC(m_owner);
    if (m_gridLines) {
        RECT outline{r.left - 1, r.top - 1, r.right + 1, r.bottom + 1};
        FrameRect(dc, &outline, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        m_eraserRect = outline;
    } else {
        DrawFocusRect(dc, &r);
        m_eraserRect = r;
    }
    ReleaseDC(m_owner, dc);
    m_eraserShown = true;
}

void EditGrid::SetMouseCapture(bool on) {
    m_captured = on;
    if (on) {
        SetCapture(m_owner);
        ConfinePointer();
    } else {
        ReleasePointer();
        if (GetCapture() == m_owner) ReleaseCapture();
    }
}

// While a selection is drawn or dragged (also the text tool's floating text) the pointer stays
// on the grid, two pixels inside its edge.
void EditGrid::ConfinePointer() {
    const int t = m_engine ? m_engine->state().tool : 0;
    if (t != kToolSelectionFrame && t != kToolText) return;
    const GridRect f = m_geo.Frame();
    POINT corners[2] = {{f.left + 2, f.top + 2}, {f.right - 2, f.bottom - 2}};
    if (corners[1].x <= corners[0].x || corners[1].y <= corners[0].y) return;
    ClientToScreen(m_owner, &corners[0]);
    ClientToScreen(m_owner, &corners[1]);
    const RECT r{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    m_confined = ClipCursor(&r) != FALSE;
}

void EditGrid::ReleasePointer() {
    if (!m_confined) return;
    m_confined = false;
    ClipCursor(nullptr);
}

void EditGrid::StartLocatorTimer() {
    SetTimer(m_owner, kLocatorTimer, kLocatorMs, nullptr);
}
void EditGrid::StopLocatorTimer() {
    KillTimer(m_owner, kLocatorTimer);
}

void EditGrid::PaintLocatorCells(const std::vector<Point>& cells, Ink ink, bool highlightText,
                                 bool framePaletteCell) {
    const COLORREF c = GetSysColor(highlightText ? COLOR_HIGHLIGHTTEXT : COLOR_HIGHLIGHT);
    for (const Point& p : cells) FillCellWith(p.x, p.y, c);
    if (m_palette && framePaletteCell) m_palette->FrameLocatedCell(ink, c);
}

void EditGrid::EndLocator(const std::vector<Point>& cells, Ink) {
    for (const Point& p : cells) RestoreCell(p.x, p.y);
    if (m_palette) m_palette->FrameLocatedCell(std::nullopt, 0);
}

}  // namespace vt
