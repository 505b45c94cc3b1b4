#pragma once
// A small 16-colour drawing surface for the program's artwork: pixels are indexes into the
// standard 16-colour table, with a transparent marker, and shapes are drawn with plain integer
// steps so every glyph stays crisp at its real size.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vt::art {

// The standard 16 colours by index (0 black ... 15 white), and the marker for "not painted".
enum Colour : int8_t {
    kBlack = 0, kMaroon, kGreen, kOlive, kNavy, kPurple, kTeal, kSilver,
    kGrey, kRed, kLime, kYellow, kBlue, kFuchsia, kAqua, kWhite,
    kClear = -1,
    kInverse = -2,  // cursors: inverse screen
};

class Raster {
public:
    Raster(int w, int h) : m_w(w), m_h(h), m_px(static_cast<size_t>(w * h), kClear) {}
    int width() const { return m_w; }
    int height() const { return m_h; }
    int8_t At(int x, int y) const { return m_px[static_cast<size_t>(y * m_w + x)]; }
    void Set(int x, int y, int8_t c) {
        if (x >= 0 && y >= 0 && x < m_w && y < m_h) m_px[static_cast<size_t>(y * m_w + x)] = c;
    }
    void Line(int x0, int y0, int x1, int y1, int8_t c);
    void Rect(int x0, int y0, int x1, int y1, int8_t c);  // outline, corners inclusive
    void Fill(int x0, int y0, int x1, int y1, int8_t c);  // inclusive
    void Ellipse(int x0, int y0, int x1, int y1, int8_t c, bool filled);
    // Puts rows of text onto the raster: one character per pixel from a legend of
    // '.' clear, 'k' black, 'w' white, 'g' grey, 's' silver, 'r' red, 'b' blue, 'y' yellow,
    // 'n' navy, 'm' maroon, 'e' green, 't' teal, 'a' aqua, 'l' lime, 'o' olive, 'p' purple, 'i' inverse.
    void Draw(int x, int y, const std::vector<const char*>& rows);
    // Scales a raster by whole pixels.
    Raster Scaled(int factor) const;

private:
    int m_w, m_h;
    std::vector<int8_t> m_px;
};

}  // namespace vt::art
