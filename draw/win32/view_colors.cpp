#include "draw/win32/view_colors.h"

#include "image/image_compose.h"

namespace vt {

namespace {
constexpr COLORREF kScreenGrid = RGB(64, 96, 128);
constexpr COLORREF kInverseGrid = RGB(255, 64, 128);

// 8 x 8 monochrome patterns for 16-colour displays, where the two grid colours cannot be shown:
// screen cells are a light dot grid, inverse cells a diagonal hatch.
HBITMAP Pattern(bool inverse) {
    WORD rows[8];
    for (int y = 0; y < 8; ++y) {
        uint8_t bits = 0xFF;
        if (inverse) bits = static_cast<uint8_t>(~(0x81u >> (y % 4)) & 0xFF);
        else if (y % 2 == 0) bits = 0xAA;
        rows[y] = bits;
    }
    return CreateBitmap(8, 8, 1, 1, rows);
}
}  // namespace

ViewColors::ViewColors(int32_t displayCode) : m_displayCode(displayCode) { Rebuild(); }

ViewColors::~ViewColors() { Free(); }

void ViewColors::Free() {
    if (m_screenBrush) DeleteObject(m_screenBrush);
    if (m_inverseBrush) DeleteObject(m_inverseBrush);
    if (m_screenPattern) DeleteObject(m_screenPattern);
    if (m_inversePattern) DeleteObject(m_inversePattern);
    m_screenBrush = m_inverseBrush = nullptr;
    m_screenPattern = m_inversePattern = nullptr;
}

void ViewColors::Rebuild() {
    Free();
    if (m_displayCode <= kColors16) {
        m_screenPattern = Pattern(false);
        m_inversePattern = Pattern(true);
        m_screenBrush = CreatePatternBrush(m_screenPattern);
        m_inverseBrush = CreatePatternBrush(m_inversePattern);
    } else if (m_displayCode == kColors256) {
        m_screenBrush = CreateSolidBrush(PALETTERGB(64, 96, 128));
        m_inverseBrush = CreateSolidBrush(PALETTERGB(255, 64, 128));
    } else {
        m_screenBrush = CreateSolidBrush(kScreenGrid);
        m_inverseBrush = CreateSolidBrush(kInverseGrid);
    }
    m_screenDisplay = GetSysColor(COLOR_BTNFACE);
    m_inverseDisplay = (~m_screenDisplay) & 0xFFFFFF;
}

COLORREF ViewColors::InkRgb(const IconImage& image, Ink ink) {
    // Colour values and COLORREFs share the 0x00BBGGRR order.
    return InkColour(image, ink.value);
}

COLORREF ViewColors::PreviewRgb(const IconImage& image, Ink ink) const {
    if (!ink.special) return InkRgb(image, ink);
    return InkRgb(image, ink) == 0 ? m_screenDisplay : m_inverseDisplay;
}

void ViewColors::FillCell(HDC dc, const RECT& r, const IconImage& image, Ink ink) const {
    if (ink.special) {
        const bool inverse = InkRgb(image, ink) != 0;
        FillRect(dc, &r, inverse ? m_inverseBrush : m_screenBrush);
        return;
    }
    SetBkColor(dc, InkRgb(image, ink));
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

COLORREF ViewColors::InverseRgb(const IconImage& image, uint32_t value) {
    // Palette images of 1 and 4 bits invert the index, so the cell shows a colour of their own
    // palette (15 - value is the standard palette's complement); deeper images invert the colour.
    if (image.colorCode == kMonochrome) return InkColour(image, value ^ 1);
    if (image.colorCode == kColors16) return InkColour(image, 15 - (value & 15));
    return (~InkColour(image, value)) & 0xFFFFFF;
}

void ViewColors::FillInverseCell(HDC dc, const RECT& r, const IconImage& image, Ink pixel) const {
    if (pixel.special) {
        const bool inverse = InkRgb(image, pixel) != 0;
        FillRect(dc, &r, inverse ? m_screenBrush : m_inverseBrush);
        return;
    }
    SetBkColor(dc, InverseRgb(image, pixel.value));
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void ViewColors::DrawInkWell(HDC dc, const RECT& r, bool inverse) {
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(inverse ? BLACK_BRUSH : WHITE_BRUSH)));
    // A small bottle: a body, a neck and a lip, in the colour opposite to the ground.
    const COLORREF ink = inverse ? RGB(255, 255, 255) : RGB(0, 0, 0);
    HBRUSH b = CreateSolidBrush(ink);
    const int cx = (r.left + r.right) / 2, w = r.right - r.left, h = r.bottom - r.top;
    const int bodyW = w / 3 + 1, bodyH = h / 3 + 1;
    RECT body{cx - bodyW / 2, r.bottom - 2 - bodyH, cx - bodyW / 2 + bodyW, r.bottom - 2};
    RECT neck{cx - 1, body.top - h / 5 - 1, cx + 1, body.top};
    RECT lip{cx - 2, neck.top - 1, cx + 2, neck.top};
    FillRect(dc, &body, b);
    FillRect(dc, &neck, b);
    FillRect(dc, &lip, b);
    DeleteObject(b);
}

void ViewColors::DrawBlendWell(HDC dc, const RECT& r, COLORREF colour) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    HBRUSH fill = CreateSolidBrush(colour);
    HGDIOBJ oldBrush = SelectObject(dc, fill);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int neckW = w / 3 + 1, bodyTop = r.top + h * 3 / 8;
    // Lip, neck, then the body over the neck's foot, so the bottle reads as one outline.
    Rectangle(dc, r.left + (w - neckW) / 2 - 1, r.top + 1, r.left + (w + neckW) / 2 + 1, r.top + 3);
    Rectangle(dc, r.left + (w - neckW) / 2, r.top + 2, r.left + (w + neckW) / 2, bodyTop + 1);
    Rectangle(dc, r.left + 1, bodyTop, r.right - 1, r.bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(fill);
}

}  // namespace vt
