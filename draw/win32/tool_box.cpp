#include "draw/win32/tool_box.h"

#include <commctrl.h>

#include <string>

#include "draw/grid_geometry.h"

namespace vt {

namespace {

constexpr int kGlyph = 16;
constexpr int kDitherGlyphBase = 15;
constexpr int kShapeGlyphBase = 6;
constexpr int kTextGlyph = 12;

int ToolIndex(int id) {
    for (size_t i = 0; i < kToolBoxCommands.size(); ++i)
        if (kToolBoxCommands[i] == id) return static_cast<int>(i);
    return -1;
}

std::string TipText(HINSTANCE instance, int command) {
    char text[128] = {};
    LoadStringA(instance, static_cast<UINT>(command - 224), text, sizeof text);
    return text;
}

}  // namespace

ToolBox::ToolBox(HWND owner, HINSTANCE instance, HBITMAP glyphs, DrawEngine& engine)
    : m_owner(owner), m_engine(engine), m_glyphs(glyphs) {
    m_tips = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, owner,
                             nullptr, instance, nullptr);
    auto make = [&](int id) {
        HWND b = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 1, 1, owner,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        std::string tip = TipText(instance, id);
        TTTOOLINFOA ti{};
        ti.cbSize = sizeof ti;
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = owner;
        ti.uId = reinterpret_cast<UINT_PTR>(b);
        ti.lpszText = tip.data();
        SendMessageA(m_tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        return b;
    };
    for (size_t i = 0; i < m_tools.size(); ++i) m_tools[i] = make(kToolBoxCommands[i]);
    for (size_t i = 0; i < m_dither.size(); ++i) m_dither[i] = make(1096 + static_cast<int>(i));
}

ToolBox::~ToolBox() {
    if (m_glyphs) DeleteObject(m_glyphs);
}

bool ToolBox::IsToolBoxControl(int id) { return ToolIndex(id) >= 0 || (id >= 1096 && id <= 1099); }

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

void ToolBox::Update() {
    for (HWND b : m_tools) InvalidateRect(b, nullptr, FALSE);
    for (HWND b : m_dither) InvalidateRect(b, nullptr, FALSE);
}

int ToolBox::CommandFor(int id) const {
    if (id == kShapeButtonId) return kToolRectangle + m_engine.state().shapeVariant;
    return id;
}

int ToolBox::GlyphFor(int id) const {
    if (id >= 1096 && id <= 1099) return kDitherGlyphBase + (id - 1096);
    if (id == kShapeButtonId) return kShapeGlyphBase + m_engine.state().shapeVariant;
    if (id == kToolText) return kTextGlyph;
    if (id >= kToolColorSelector) return 13 + (id - kToolColorSelector);
    return id - kToolSelectionFrame;
}

bool ToolBox::Pressed(int id) const {
    const DrawState& s = m_engine.state();
    if (id >= 1096 && id <= 1099) return s.ditherMode == id - 1096;
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
