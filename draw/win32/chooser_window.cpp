#include "common/win32/window_dispatch.h"
#include "draw/win32/chooser_window.h"

#include "draw/brush_shapes.h"

namespace vt {

namespace {
constexpr char kClass[] = "VtToolChooser";
constexpr UINT_PTR kUnfoldTimer = 1;
constexpr UINT kUnfoldMs = 12;
constexpr int kSmallCell = 15;
constexpr int kShapeCell = 32;
}  // namespace

bool ChooserWindow::Register(HINSTANCE instance) {
    WNDCLASSA wc{};
    if (GetClassInfoA(instance, kClass, &wc)) return true;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    return RegisterClassA(&wc) != 0;
}

ChooserWindow* ChooserWindow::Open(HINSTANCE instance, HWND owner, Kind kind, int top, int current, HBITMAP glyphs) {
    if (!Register(instance)) return nullptr;
    auto* self = new ChooserWindow(kind, current, glyphs);
    self->m_hovered = kind == Kind::Shape ? -1 : current;
    HWND hwnd = CreateWindowExA(0, kClass, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPSIBLINGS, kLeft, top,
                                self->StepWidth(), kHeight, owner, nullptr, instance, self);
    if (!hwnd) {
        delete self;
        return nullptr;
    }
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetTimer(hwnd, kUnfoldTimer, kUnfoldMs, nullptr);
    return self;
}

LRESULT CALLBACK ChooserWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DispatchToWindow<ChooserWindow>(hwnd, msg, wp, lp);
}

LRESULT ChooserWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_TIMER:
            if (wp == kUnfoldTimer) {
                // Unfolds a step at a time; the cells appear once it is fully open.
                if (++m_step >= kSteps) KillTimer(m_hwnd, kUnfoldTimer);
                SetWindowPos(m_hwnd, nullptr, 0, 0, StepWidth() * m_step + 2, kHeight,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                InvalidateRect(m_hwnd, nullptr, TRUE);
            }
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(m_hwnd, &ps);
            Paint(dc);
            EndPaint(m_hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wp)); return 0;
        default: return DefWindowProcA(m_hwnd, msg, wp, lp);
    }
}

RECT ChooserWindow::CellRect(int cell) const {
    if (m_kind == Kind::Shape) return {cell * kShapeCell, 0, (cell + 1) * kShapeCell, kShapeCell - 1};
    const int col = m_kind == Kind::Brush ? cell % 4 : cell;
    const int row = m_kind == Kind::Brush ? cell / 4 : 0;
    const int top = m_kind == Kind::Brush ? row * (kSmallCell + 1) : (kHeight - 2 - kSmallCell) / 2;
    return {col * (kSmallCell + 1), top, col * (kSmallCell + 1) + kSmallCell, top + kSmallCell};
}

int ChooserWindow::CellAt(POINT p) const {
    if (m_step < kSteps) return -1;
    MapWindowPoints(GetParent(m_hwnd), m_hwnd, &p, 1);
    for (int i = 0; i < CellCount(); ++i) {
        const RECT r = CellRect(i);
        if (PtInRect(&r, p)) return i;
    }
    return -1;
}

void ChooserWindow::Hover(POINT p) {
    const int cell = CellAt(p);
    if (cell == m_hovered || (cell < 0 && m_kind != Kind::Shape)) return;
    m_hovered = cell;
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void ChooserWindow::Paint(HDC dc) {
    if (m_step < kSteps) return;
    for (int i = 0; i < CellCount(); ++i) {
        RECT r = CellRect(i);
        FillRect(dc, &r, GetSysColorBrush(i == m_hovered ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        const COLORREF ink = GetSysColor(i == m_hovered ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
        const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
        if (m_kind == Kind::Brush) {
            for (const Point& o : BrushOffsets(i)) SetPixelV(dc, cx + o.x, cy + o.y, ink);
        } else if (m_kind == Kind::Eraser) {
            const int half = i + 1;
            RECT sq{cx - half, cy - half, cx + half + 1, cy + half + 1};
            HBRUSH b = CreateSolidBrush(ink);
            FillRect(dc, &sq, b);
            DeleteObject(b);
        } else if (m_glyphs) {
            HDC mem = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(mem, m_glyphs);
            TransparentBlt(dc, cx - 8, cy - 8, 16, 16, mem, (6 + VariantOfCell(i)) * 16, 0, 16, 16, RGB(0, 255, 0));
            SelectObject(mem, old);
            DeleteDC(mem);
        }
    }
}

void ChooserWindow::Close() { DestroyWindow(m_hwnd); }

}  // namespace vt
