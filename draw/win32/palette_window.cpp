#include "common/win32/window_dispatch.h"
#include "draw/win32/palette_window.h"

#include <windowsx.h>

#include <cstdlib>

#include "common/prompt.h"
#include "draw/palette_edit.h"
#include "draw/win32/blend_color_dialog.h"
#include "draw/win32/view_colors.h"

namespace vt {

bool PaletteWindow::Register(HINSTANCE instance, const char* className, HCURSOR cursor) {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = cursor ? cursor : LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    return RegisterClassA(&wc) != 0;
}

PaletteWindow* PaletteWindow::Create(HINSTANCE instance, const char* className, HWND owner, int x,
                                     int y, const ViewColors& colors, DrawEngine& engine,
                                     Prompt& prompt) {
    auto* self = new PaletteWindow(colors, engine, prompt);
    HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, className, "Palette", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                x, y, 100, 100, owner, nullptr, instance, self);
    if (!hwnd) {
        delete self;
        return nullptr;
    }
    self->Refresh();
    return self;
}

LRESULT CALLBACK PaletteWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DispatchToWindow<PaletteWindow>(hwnd, msg, wp, lp);
}

LRESULT PaletteWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const int x = GET_X_LPARAM(lp) - kMargin, y = GET_Y_LPARAM(lp) - kMargin;
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(m_hwnd, &ps);
            Paint(dc);
            EndPaint(m_hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wp)); return 0;
        case WM_LBUTTONDOWN: OnButtonDown(MouseButton::Left, x, y); return 0;
        case WM_RBUTTONDOWN: OnButtonDown(MouseButton::Right, x, y); return 0;
        case WM_LBUTTONDBLCLK: EditColour(MouseButton::Left, x, y); return 0;
        case WM_RBUTTONDBLCLK: EditColour(MouseButton::Right, x, y); return 0;
        case WM_LBUTTONUP: OnButtonUp(MouseButton::Left, x, y); return 0;
        case WM_RBUTTONUP: OnButtonUp(MouseButton::Right, x, y); return 0;
        case WM_MOUSEMOVE: OnMouseMove(x, y); return 0;
        case WM_CAPTURECHANGED:
            m_pressed = false;
            m_dragging = false;
            m_dragFrom = -1;
            return 0;
        case WM_CLOSE:
            ShowWindow(m_hwnd, SW_HIDE);
            if (m_hiddenHook) m_hiddenHook();
            return 0;
        default: return DefWindowProcA(m_hwnd, msg, wp, lp);
    }
}

int32_t PaletteWindow::Depth() const {
    const IconImage* img = const_cast<DrawEngine&>(m_engine).image();
    return img ? img->colorCode : kColors16;
}

void PaletteWindow::FitToDepth() {
    const int32_t depth = Depth();
    if (depth == m_shownDepth) return;
    m_shownDepth = depth;
    const GridRect area = PaletteArea(depth);
    RECT r{0, 0, area.Width() + 2 * kMargin, area.Height() + 2 * kMargin};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrA(m_hwnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(m_hwnd, GWL_EXSTYLE)));
    SetWindowPos(m_hwnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PaletteWindow::Refresh() {
    if (const IconImage* img = m_engine.image()) m_table = PaletteDisplayTable(*img);
    FitToDepth();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void PaletteWindow::ClearBlendStrip() {
    m_strip.fill(0);
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void PaletteWindow::Paint(HDC dc) {
    POINT oldOrigin;
    GetViewportOrgEx(dc, &oldOrigin);
    const IconImage* img = m_engine.image();
    const int32_t depth = Depth();
    SetViewportOrgEx(dc, oldOrigin.x + kMargin, oldOrigin.y + kMargin, nullptr);
    for (const PaletteCell& c : PaletteCells(depth)) {
        RECT r{c.rect.left, c.rect.top, c.rect.right, c.rect.bottom};
        switch (c.kind) {
            case PaletteCellKind::Entry:
                if (img) m_colors.FillCell(dc, r, *img, Ink{IsPaletteBased(depth) ? static_cast<uint32_t>(c.value)
                                                                                   : m_table[static_cast<size_t>(c.value)], false});
                break;
            case PaletteCellKind::ScreenWell: ViewColors::DrawInkWell(dc, r, false); break;
            case PaletteCellKind::InverseWell: ViewColors::DrawInkWell(dc, r, true); break;
            case PaletteCellKind::LeftBlendWell:
            case PaletteCellKind::RightBlendWell: {
                const bool right = c.kind == PaletteCellKind::RightBlendWell;
                ViewColors::DrawBlendWell(dc, r, m_strip[right ? kBlendStripCells - 1 : 0]);
                break;
            }
            case PaletteCellKind::BlendStrip:
                SetBkColor(dc, m_strip[static_cast<size_t>(c.value)]);
                ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
                break;
        }
    }
    if (!IsPaletteBased(depth) || depth == kColors256) {
        const GridRect area = PaletteArea(depth);
        RECT line{0, BlendSeparatorY(), area.right, BlendSeparatorY() + 2};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        const GridRect cap = BlendCaptionRect();
        RECT cr{cap.left, cap.top, cap.right, cap.bottom};
        SetBkMode(dc, TRANSPARENT);
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawTextA(dc, "Color Blend", -1, &cr, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    }
    if (m_located) {
        // Two nested one-pixel frames on the cell's edge, inside the gap-free cell so that the
        // neighbours keep their colours.
        RECT r{m_located->rect.left, m_located->rect.top, m_located->rect.right, m_located->rect.bottom};
        HBRUSH b = CreateSolidBrush(m_locatedColour);
        FrameRect(dc, &r, b);
        InflateRect(&r, -1, -1);
        FrameRect(dc, &r, b);
        DeleteObject(b);
    }
    SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

void PaletteWindow::FrameLocatedCell(std::optional<Ink> ink, COLORREF colour) {
    const IconImage* img = m_engine.image();
    std::optional<PaletteCell> cell;
    if (ink && img) cell = PaletteCellOfInk(*img, *ink);
    const std::optional<PaletteCell> before = m_located;
    m_located = cell;
    m_locatedColour = colour;
    for (const std::optional<PaletteCell>& c : {before, cell}) {
        if (!c) continue;
        RECT r{c->rect.left + kMargin, c->rect.top + kMargin, c->rect.right + kMargin, c->rect.bottom + kMargin};
        InvalidateRect(m_hwnd, &r, FALSE);
    }
    UpdateWindow(m_hwnd);
}

void PaletteWindow::OnButtonDown(MouseButton, int x, int y) {
    const std::optional<PaletteCell> cell = PaletteCellAt(Depth(), x, y);
    if (!cell) return;
    m_pressed = true;
    m_dragging = false;
    m_dragFrom = cell->kind == PaletteCellKind::BlendStrip ? cell->value : -1;
    m_pressAt = {x, y};
    SetCapture(m_hwnd);
}

void PaletteWindow::OnMouseMove(int x, int y) {
    if (!m_pressed || m_dragFrom < 0 || m_dragging) return;
    if (std::abs(x - m_pressAt.x) + std::abs(y - m_pressAt.y) >= 3) {
        m_dragging = true;
        SetCursor(LoadCursorA(nullptr, IDC_UPARROW));
    }
}

void PaletteWindow::OnButtonUp(MouseButton button, int x, int y) {
    if (!m_pressed) return;
    m_pressed = false;
    const bool dropped = m_dragging;
    const int dragFrom = m_dragFrom;
    m_dragging = false;
    m_dragFrom = -1;
    if (GetCapture() == m_hwnd) ReleaseCapture();
    const std::optional<PaletteCell> cell = PaletteCellAt(Depth(), x, y);
    if (!cell || !m_engine.image()) return;
    if (dropped) {
        DropBlendColour(*cell, dragFrom);
        return;
    }
    if (m_engine.state().tool == kToolColorLocator) {
        LocateColour(*cell);
        return;
    }
    if (m_engine.state().buttonDown) return;
    switch (cell->kind) {
        case PaletteCellKind::Entry:
        case PaletteCellKind::ScreenWell:
        case PaletteCellKind::InverseWell: SelectInk(button, *cell); break;
        case PaletteCellKind::LeftBlendWell: SetBlendWell(button, false); break;
        case PaletteCellKind::RightBlendWell: SetBlendWell(button, true); break;
        case PaletteCellKind::BlendStrip:
            if (!IsPaletteBased(Depth())) PickBlendColour(button, cell->value);
            break;
    }
}

void PaletteWindow::SelectInk(MouseButton button, const PaletteCell& cell) {
    const IconImage* img = m_engine.image();
    const InkChoice choice = InkForCell(*img, m_table, cell);
    if (!choice.ink) {
        m_prompt.Tell(choice.warning, PromptIcon::Information);
        return;
    }
    if (cell.kind == PaletteCellKind::Entry) m_lastIndex = cell.value;
    if (button == MouseButton::Left) m_engine.SetColorA(*choice.ink);
    else m_engine.SetColorB(*choice.ink);
}

void PaletteWindow::SetBlendWell(MouseButton button, bool right) {
    const IconImage* img = m_engine.image();
    const Ink ink = button == MouseButton::Left ? m_engine.state().colorA : m_engine.state().colorB;
    if (ink.special) {
        m_prompt.Tell(kNoBlendSpecialText, PromptIcon::Information);
        return;
    }
    const uint32_t colour = ViewColors::InkRgb(*img, ink);
    if (right) m_strip[kBlendStripCells - 1] = colour;
    else m_strip[0] = colour;
    m_strip = BlendStrip(m_strip[0], m_strip[kBlendStripCells - 1]);
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void PaletteWindow::PickBlendColour(MouseButton button, int k) {
    const Ink ink{m_strip[static_cast<size_t>(k)], false};
    if (button == MouseButton::Left) m_engine.SetColorA(ink);
    else m_engine.SetColorB(ink);
}

void PaletteWindow::LocateColour(const PaletteCell& cell) {
    IconImage* img = m_engine.image();
    const InkChoice choice = InkForCell(*img, m_table, cell);
    if (!choice.ink || !m_engine.canvas()) return;
    // The locator starts from any pixel of the colour; with none in the image nothing flashes.
    for (int y = 0; y < img->height; ++y)
        for (int x = 0; x < img->width; ++x)
            if (m_engine.canvas()->ReadPixel(x, y) == *choice.ink) {
                m_engine.locator().Start(*m_engine.canvas(), x, y);
                return;
            }
}

}  // namespace vt

namespace vt {

void PaletteWindow::EditColour(MouseButton button, int x, int y) {
    IconImage* img = m_engine.image();
    const std::optional<PaletteCell> cell = PaletteCellAt(Depth(), x, y);
    // Only the grid of 256-colour and true-colour palettes is edited; the first click of the
    // double-click has already chosen the cell's ink.
    if (!img || !cell || cell->kind == PaletteCellKind::BlendStrip || cell->kind == PaletteCellKind::LeftBlendWell ||
        cell->kind == PaletteCellKind::RightBlendWell || img->colorCode < kColors256 ||
        m_engine.state().tool == kToolColorLocator)
        return;
    const Ink ink = button == MouseButton::Left ? m_engine.state().colorA : m_engine.state().colorB;
    const std::string refusal = EditColourRefusal(*img, ink, m_needsEntryText);
    if (!refusal.empty()) {
        m_prompt.Tell(refusal, PromptIcon::Information);
        return;
    }
    const uint32_t index = static_cast<uint32_t>(m_lastIndex);
    if (IsPaletteBased(img->colorCode)) {
        const int used = CountPixelsUsing(*img, index);
        if (used > 0 && m_prompt.Ask(Format(kReplaceUsedColourText, used), PromptButtons::YesNo) != PromptAnswer::Yes)
            return;
    }
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(m_hwnd, GWLP_HINSTANCE));
    const std::optional<uint32_t> colour = RunBlendColorDialog(instance, m_hwnd, m_table[index]);
    if (!colour) return;
    ApplyEntryColour(index, *colour);
    if (!IsPaletteBased(img->colorCode)) {
        // A true-colour ink is the colour itself.
        if (button == MouseButton::Left) m_engine.SetColorA({*colour, false});
        else m_engine.SetColorB({*colour, false});
    }
}

void PaletteWindow::ApplyEntryColour(uint32_t index, uint32_t colour) {
    IconImage* img = m_engine.image();
    ReplacePaletteEntry(*img, m_table, index, colour);
    m_engine.view().ColorsChanged();
    m_engine.CommitImageBits();
    Refresh();
    if (m_changedHook) m_changedHook();
}

void PaletteWindow::DropBlendColour(const PaletteCell& target, int stripCell) {
    IconImage* img = m_engine.image();
    if (target.kind == PaletteCellKind::ScreenWell || target.kind == PaletteCellKind::InverseWell) {
        m_prompt.Tell(kWellsFixedText, PromptIcon::Information);
        return;
    }
    if (target.kind != PaletteCellKind::Entry || img->colorCode < kColors256) return;
    const uint32_t index = static_cast<uint32_t>(target.value);
    if (IsPaletteBased(img->colorCode)) {
        const int used = CountPixelsUsing(*img, index);
        if (used > 0 && m_prompt.Ask(Format(kReplaceUsedColourText, used), PromptButtons::YesNo) != PromptAnswer::Yes)
            return;
    }
    ApplyEntryColour(index, m_strip[static_cast<size_t>(stripCell)]);
}

}  // namespace vt
