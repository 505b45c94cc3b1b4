#include "draw/win32/tool_box.h"

#include <commctrl.h>

#include <string>

#include "common/win32/frame_bars.h"
#include "draw/grid_geometry.h"
#include "draw/win32/chooser_window.h"
#include "draw/win32/view_colors.h"

namespace vt {

namespace {

constexpr int kGlyph = 16;
constexpr int kWellSize = 13;
constexpr int kWellOffset = 5;
constexpr int kDitherGlyphBase = 15;
constexpr int kShapeGlyphBase = 6;
constexpr int kTextGlyph = 12;

int ToolIndex(int id) {
    for (size_t i = 0; i < kToolBoxCommands.size(); ++i)
        if (kToolBoxCommands[i] == id) return static_cast<int>(i);
    return -1;
}

}  // namespace

ToolBox::ToolBox(HWND owner, HINSTANCE instance, HBITMAP glyphs, DrawEngine& engine)
    : m_owner(owner), m_instance(instance), m_engine(engine), m_glyphs(glyphs) {
    m_tips = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, owner,
                             nullptr, instance, nullptr);
    auto make = [&](int id) {
        HWND b = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 1, 1, owner,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        std::string tip = ToolTipText(instance, id);
        TTTOOLINFOA ti{};
        ti.cbSize = sizeof ti;
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = owner;
        ti.uId = reinterpret_cast<UINT_PTR>(b);
        ti.lpszText = tip.data();
        SendMessageA(m_tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        return b;
    };
    for (size_t i = 0; i < m_tools.size(); ++i) {
        m_tools[i] = make(kToolBoxCommands[i]);
        const int id = kToolBoxCommands[i];
        // The buttons with a chooser notice how long they are held.
        if (id == kToolBrush || id == kToolEraser || id == kShapeButtonId)
            SetWindowSubclass(m_tools[i], ButtonProc, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    for (size_t i = 0; i < m_dither.size(); ++i) m_dither[i] = make(m_engine.commands().DitherCommand(static_cast<int>(i)));
}

ToolBox::~ToolBox() {
    if (m_glyphs) DeleteObject(m_glyphs);
}

LRESULT CALLBACK ToolBox::ButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
    return reinterpret_cast<ToolBox*>(self)->OnButtonMessage(hwnd, msg, wp, lp);
}

LRESULT ToolBox::OnButtonMessage(HWND button, UINT msg, WPARAM wp, LPARAM lp) {
    constexpr UINT_PTR kHoldTimer = 7;
    switch (msg) {
        case WM_LBUTTONDOWN:
            SetTimer(button, kHoldTimer, kHoldMs, nullptr);
            break;
        case WM_TIMER:
            if (wp != kHoldTimer) break;
            KillTimer(button, kHoldTimer);
            if (SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) OpenChooser(button);
            return 0;
        case WM_MOUSEMOVE:
            if (m_chooser) {
                POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
                MapWindowPoints(button, m_owner, &p, 1);
                m_chooser->Hover(p);
                ShowShapeDescription();
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            KillTimer(button, kHoldTimer);
            if (m_chooser) {
                POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
                MapWindowPoints(button, m_owner, &p, 1);
                ChooserReleased(button, p);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(button, ButtonProc, 1);
            break;
        default: break;
    }
    return DefSubclassProc(button, msg, wp, lp);
}

void ToolBox::OpenChooser(HWND button) {
    const int id = GetDlgCtrlID(button);
    const DrawState& s = m_engine.state();
    RECT r;
    GetWindowRect(button, &r);
    MapWindowPoints(nullptr, m_owner, reinterpret_cast<POINT*>(&r), 2);
    const ChooserWindow::Kind kind = id == kToolBrush    ? ChooserWindow::Kind::Brush
                                     : id == kToolEraser ? ChooserWindow::Kind::Eraser
                                                         : ChooserWindow::Kind::Shape;
    const int current = kind == ChooserWindow::Kind::Brush    ? s.brushShape
                        : kind == ChooserWindow::Kind::Eraser ? s.eraserSize - 1
                                                              : s.shapeVariant;
    m_chooser = ChooserWindow::Open(m_instance, m_owner, kind, r.top, current, m_glyphs);
}

void ToolBox::ShowShapeDescription() {
    if (!m_chooser || m_chooser->kind() != ChooserWindow::Kind::Shape || !m_status) return;
    const int cell = m_chooser->hovered();
    if (cell < 0) {
        m_status("");
        return;
    }
    char text[128] = {};
    LoadStringA(m_instance, static_cast<UINT>(kToolRectangle + m_chooser->VariantOfCell(cell)), text, sizeof text);
    m_status(text);
}

void ToolBox::ChooserReleased(HWND button, POINT p) {
    ChooserWindow* chooser = m_chooser;
    m_chooser = nullptr;
    const int cell = chooser->CellAt(p);
    const ChooserWindow::Kind kind = chooser->kind();
    const int variant = cell >= 0 ? chooser->VariantOfCell(cell) : 0;
    chooser->Close();
    if (GetCapture() == button) ReleaseCapture();
    SendMessageA(button, BM_SETSTATE, FALSE, 0);
    if (m_status) m_status("");
    // Released elsewhere: the chooser only closes.
    if (cell >= 0) {
        switch (kind) {
            case ChooserWindow::Kind::Brush:
                m_engine.state().brushShape = cell;
                m_engine.ChooseTool(kToolBrush);
                break;
            case ChooserWindow::Kind::Eraser:
                m_engine.state().eraserSize = cell + 1;
                m_engine.ChooseTool(kToolEraser);
                break;
            case ChooserWindow::Kind::Shape: m_engine.Command(kToolRectangle + variant); break;
        }
    }
    Update();
    if (m_chosen) m_chosen();
}

int ToolBox::DitherMode(int id) const {
    const int mode = id - m_engine.commands().DitherCommand(0);
    return mode >= 0 && mode < static_cast<int>(m_dither.size()) ? mode : -1;
}

bool ToolBox::IsToolBoxControl(int id) const { return ToolIndex(id) >= 0 || DitherMode(id) >= 0; }

void ToolBox::Layout(int toolBarHeight, int gridTop) {
    for (size_t i = 0; i < m_tools.size(); ++i) {
        const GridRect r = ToolButtonRect(static_cast<int>(i), toolBarHeight);
        MoveWindow(m_tools[i], r.left, r.top, r.Width(), r.Height(), TRUE);
    }
    for (size_t i = 0; i < m_dither.size(); ++i) {
        const GridRect r = DitherButtonRect(static_cast<int>(i), gridTop);
        MoveWindow(m_dither[i], r.left, r.top, r.Width(), r.Height(), TRUE);
    }
}

RECT ToolBox::ColorWellsRect(int gridTop) {
    const GridRect lastDither = DitherButtonRect(3, gridTop);
    const int left = lastDither.right + 12;
    return {left, lastDither.top, left + kWellOffset + kWellSize, lastDither.top + kWellOffset + kWellSize};
}

void ToolBox::PaintColorWells(HDC dc, const ViewColors& colors, int gridTop) {
    const IconImage* img = m_engine.image();
    if (!img) return;
    const RECT all = ColorWellsRect(gridTop);
    RECT b{all.left + kWellOffset, all.top + kWellOffset, all.right, all.bottom};
    RECT a{all.left, all.top, all.left + kWellSize, all.top + kWellSize};
    auto paint = [&](RECT r, Ink ink) {
        if (ink.special) ViewColors::DrawInkWell(dc, r, ViewColors::InkRgb(*img, ink) != 0);
        else colors.FillCell(dc, r, *img, ink);
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    };
    paint(b, m_engine.state().colorB);
    paint(a, m_engine.state().colorA);
}

void ToolBox::Update() {
    for (HWND b : m_tools) InvalidateRect(b, nullptr, FALSE);
    for (HWND b : m_dither) InvalidateRect(b, nullptr, FALSE);
}

int ToolBox::CommandFor(int id) const {
    if (id == kShapeButtonId) return kToolRectangle + m_engine.state().shapeVariant;
    return id;
}

int ToolBox::GlyphFor(int id) const {
    if (DitherMode(id) >= 0) return kDitherGlyphBase + DitherMode(id);
    if (id == kShapeButtonId) return kShapeGlyphBase + m_engine.state().shapeVariant;
    if (id == kToolText) return kTextGlyph;
    if (id >= kToolColorSelector) return 13 + (id - kToolColorSelector);
    return id - kToolSelectionFrame;
}

bool ToolBox::Pressed(int id) const {
    const DrawState& s = m_engine.state();
    if (DitherMode(id) >= 0) return s.ditherMode == DitherMode(id);
    if (id == kShapeButtonId) return s.tool == kToolRectangle || s.tool == kToolEllipse;
    return s.tool == id;
}

bool ToolBox::DrawItem(const DRAWITEMSTRUCT& item) {
    const int id = static_cast<int>(item.CtlID);
    if (!IsToolBoxControl(id)) return false;
    RECT r = item.rcItem;
    HDC dc = item.hDC;
    const bool down = Pressed(id) || (item.itemState & ODS_SELECTED);
    FillRect(dc, &r, GetSysColorBrush(down ? COLOR_3DLIGHT : COLOR_BTNFACE));
    DrawEdge(dc, &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if (m_glyphs) {
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, m_glyphs);
        const int gx = (r.left + r.right - kGlyph) / 2 + (down ? 1 : 0);
        const int gy = (r.top + r.bottom - kGlyph) / 2 + (down ? 1 : 0);
        // The strip's pure green is the button face: drawn transparent.
        TransparentBlt(dc, gx, gy, kGlyph, kGlyph, mem, GlyphFor(id) * kGlyph, 0, kGlyph, kGlyph,
                       RGB(0, 255, 0));
        SelectObject(mem, old);
        DeleteDC(mem);
    }
    return true;
}

}  // namespace vt
