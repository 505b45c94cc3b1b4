#pragma once
// How the editors show pixels on this display: the brushes for screen and inverse cells, the
// colours screen and inverse pixels take in the preview, and the ink-well glyph of the special
// wells. Made once at start-up from the display's colour capability and again when the system
// colours change.

#include <windows.h>

#include <cstdint>

#include "draw/ink.h"
#include "image/icon_image.h"

namespace vt {

class ViewColors {
public:
    explicit ViewColors(int32_t displayCode);
    ~ViewColors();
    ViewColors(const ViewColors&) = delete;
    ViewColors& operator=(const ViewColors&) = delete;

    // The system colours changed: brushes follow them.
    void Rebuild();

    int32_t displayCode() const { return m_displayCode; }
    HBRUSH screenBrush() const { return m_screenBrush; }
    HBRUSH inverseBrush() const { return m_inverseBrush; }
    // The preview's colours for screen and inverse pixels.
    COLORREF screenDisplay() const { return m_screenDisplay; }
    COLORREF inverseDisplay() const { return m_inverseDisplay; }

    // The colour an ordinary ink stands for in the image.
    static COLORREF InkRgb(const IconImage& image, Ink ink);
    // The colour a pixel shows in the preview (screen and inverse pixels included).
    COLORREF PreviewRgb(const IconImage& image, Ink ink) const;
    // Fills a grid cell with the ink's colour or the special brush.
    void FillCell(HDC dc, const RECT& r, const IconImage& image, Ink ink) const;
    // A cell in the inverse of the pixel's colour (cross-hair): special cells swap brushes.
    void FillInverseCell(HDC dc, const RECT& r, const IconImage& image, Ink pixel) const;
    // The colour an ordinary pixel shows under the cross-hair.
    static COLORREF InverseRgb(const IconImage& image, uint32_t value);
    // The special wells of the palette window and the colour wells: an ink-well glyph on white
    // (screen) or black (inverse).
    static void DrawInkWell(HDC dc, const RECT& r, bool inverse);
    // A blend well of the palette window: an ink bottle outlined in black on the button face,
    // filled with the colour the well holds.
    static void DrawBlendWell(HDC dc, const RECT& r, COLORREF colour);

private:
    void Free();

    int32_t m_displayCode;
    HBRUSH m_screenBrush = nullptr;
    HBRUSH m_inverseBrush = nullptr;
    HBITMAP m_screenPattern = nullptr;
    HBITMAP m_inversePattern = nullptr;
    COLORREF m_screenDisplay = 0;
    COLORREF m_inverseDisplay = 0;
};

}  // namespace vt
