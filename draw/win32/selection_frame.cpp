#include "draw/win32/selection_frame.h"

#include <vector>

namespace vt {

namespace {

// Long enough for any side of a grid on any screen, plus one dash period to start from.
constexpr int kStripLength = 4096 + 8;
constexpr COLORREF kLineColour = RGB(0, 0, 0);
constexpr COLORREF kDashColour = RGB(255, 255, 255);

// The one frame whose timer is running (the timer procedure has no other way to find it).
SelectionFrame* g_ticking = nullptr;

HBITMAP MakeStrip(bool horizontal) {
    const int w = horizontal ? kStripLength : 1, h = horizontal ? 1 : kStripLength;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> pixels(static_cast<size_t>(kStripLength));
    // Dashes of 4 pixels every 8 along a line.
    for (int i = 0; i < kStripLength; ++i) {
        const COLORREF c = i % 8 < 4 ? kDashColour : kLineColour;
        pixels[static_cast<size_t>(i)] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    if (bmp) SetDIBits(screen, bmp, 0, static_cast<UINT>(h), pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bmp;
}

}  // namespace

SelectionFrame::SelectionFrame(HWND owner, EditGrid& grid, std::function<void()> showMenu,
                               std::function<void()> cameOrWent)
    : m_owner(owner),
      m_grid(grid),
      m_showMenu(std::move(showMenu)),
      m_cameOrWent(std::move(cameOrWent)) {
    m_horizontal = MakeStrip(true);
    m_vertical = MakeStrip(false);
}

SelectionFrame::~SelectionFrame() {
    if (m_running) KillTimer(m_owner, kFrameTimer);
    if (g_ticking == this) g_ticking = nullptr;
    if (m_horizontal) DeleteObject(m_horizontal);
    if (m_vertical) DeleteObject(m_vertical);
}

RECT SelectionFrame::FrameRect() const {
    if (!m_engine || !m_engine->selection().Exists()) return {};
    const SelectionRect s = m_engine->selection().rect();
    const GridGeometry& geo = m_grid.geometry();
    const GridRect a = geo.Cell(s.left, s.top);
    const GridRect b = geo.Cell(s.right - 1, s.bottom - 1);
    // On the grid lines around the selected cells.
    return {a.left - 1, a.top - 1, b.right + 1, b.bottom + 1};
}

void SelectionFrame::Erase() {
    if (IsRectEmpty(&m_drawn)) return;
    RECT r = m_drawn;
    InflateRect(&r, 1, 1);
    InvalidateRect(m_owner, &r, FALSE);
    m_drawn = {};
}

void SelectionFrame::SelectionChanged() {
    const bool exists = m_engine && m_engine->selection().Exists();
    Erase();
    if (exists && !m_running) {
        g_ticking = this;
        m_running = SetTimer(m_owner, kFrameTimer, kIntervalMs, TimerProc) != 0;
    } else if (!exists && m_running) {
        KillTimer(m_owner, kFrameTimer);
        m_running = false;
        if (g_ticking == this) g_ticking = nullptr;
    }
    if (exists) Tick();
    // Cut and Copy (menu and tool bar) follow whether a selection exists.
    if (exists != m_existed) {
        m_existed = exists;
        if (m_cameOrWent) m_cameOrWent();
    }
}

void SelectionFrame::ShowSelectionMenu() {
    if (m_showMenu) m_showMenu();
}

void CALLBACK SelectionFrame::TimerProc(HWND, UINT, UINT_PTR, DWORD) {
    if (g_ticking) g_ticking->Tick();
}

void SelectionFrame::DrawFrame(HDC dc, const RECT& r) {
    const GridRect f = m_grid.geometry().Frame();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, f.left, f.top, f.right, f.bottom);
    HDC strips = CreateCompatibleDC(dc);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HGDIOBJ old = SelectObject(strips, m_horizontal);
    BitBlt(dc, r.left, r.top, w, 1, strips, m_phase, 0, SRCCOPY);
    BitBlt(dc, r.left, r.bottom - 1, w, 1, strips, 7 - m_phase, 0, SRCCOPY);
    SelectObject(strips, m_vertical);
    BitBlt(dc, r.left, r.top, 1, h, strips, 0, 7 - m_phase, SRCCOPY);
    BitBlt(dc, r.right - 1, r.top, 1, h, strips, 0, m_phase, SRCCOPY);
    SelectObject(strips, old);
    DeleteDC(strips);
    RestoreDC(dc, saved);
}

void SelectionFrame::PaintOver(HDC dc, const ViewColors& colors) {
    if (!m_engine || !m_engine->selection().Exists() || !m_engine->image()) return;
    const IconImage& img = *m_engine->image();
    const DrawState& s = m_engine->state();
    const Selection& sel = m_engine->selection();
    if (sel.lifted() || sel.pasted()) {
        for (const FloatingPixel& p : sel.floating()) {
            if (p.x < 0 || p.y < 0 || p.x >= img.width || p.y >= img.height) continue;
            if (s.transparentColorB && p.ink() == s.colorB) continue;
            const GridRect c = m_grid.geometry().Cell(p.x, p.y);
            colors.FillCell(dc, RECT{c.left, c.top, c.right, c.bottom}, img, p.ink());
        }
    }
    const RECT r = FrameRect();
    if (!IsRectEmpty(&r)) DrawFrame(dc, r);
}

void SelectionFrame::Tick() {
    const RECT r = FrameRect();
    if (!EqualRect(&r, &m_drawn)) Erase();
    if (IsRectEmpty(&r)) return;
    HDC dc = GetDC(m_owner);
    DrawFrame(dc, r);
    ReleaseDC(m_owner, dc);
    m_drawn = r;
    m_phase = (m_phase + 1) % 8;
}

}  // namespace vt
