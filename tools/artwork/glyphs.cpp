#include "tools/artwork/glyphs.h"

#include <algorithm>

namespace vt::art {

namespace {

Raster Page(bool plus) {
    Raster r(16, 16);
    r.Fill(3, 1, 11, 14, kWhite);
    r.Rect(2, 0, 10, 15, kBlack);
    r.Line(10, 0, 13, 3, kBlack);
    r.Line(13, 3, 13, 15, kBlack);
    r.Line(2, 15, 13, 15, kBlack);
    r.Fill(11, 2, 12, 14, kWhite);
    r.Line(10, 1, 10, 3, kBlack);
    r.Line(10, 3, 12, 3, kBlack);
    if (plus) {
        r.Fill(5, 8, 10, 9, kRed);
        r.Fill(7, 6, 8, 11, kRed);
    }
    return r;
}

Raster Folder() {
    Raster r(16, 16);
    r.Fill(1, 4, 13, 13, kYellow);
    r.Rect(0, 3, 14, 14, kBlack);
    r.Fill(1, 2, 6, 3, kYellow);
    r.Line(1, 2, 6, 2, kBlack);
    r.Fill(3, 7, 15, 14, kOlive);
    r.Line(3, 7, 15, 7, kBlack);
    r.Line(15, 7, 13, 14, kBlack);
    r.Line(3, 7, 1, 14, kBlack);
    return r;
}

Raster Floppy() {
    Raster r(16, 16);
    r.Fill(1, 1, 14, 14, kNavy);
    r.Rect(0, 0, 15, 15, kBlack);
    r.Fill(4, 1, 11, 6, kWhite);
    r.Fill(9, 2, 10, 5, kNavy);
    r.Fill(3, 9, 12, 14, kSilver);
    r.Rect(3, 9, 12, 15, kBlack);
    return r;
}

Raster Arrow(bool left) {
    Raster r(16, 16);
    // A curved arrow: an arc from the far side turning back to the near side.
    const int8_t c = kNavy;
    r.Draw(0, 3, {"....bbbbbb......", "..bbbbbbbbbb....", ".bbb......bbb...", "bbb........bbb..",
                  "bbb.........bb..", "bbb.........bb..", "bbb.........bb..", ".bbb.......bbb..",
                  "...........bbb..", "..........bbb..."});
    (void)c;
    // The head, pointing down at the end of the stroke.
    r.Fill(9, 13, 15, 13, kNavy);
    r.Fill(10, 14, 14, 14, kNavy);
    r.Fill(11, 15, 13, 15, kNavy);
    if (!left) return r;
    Raster m(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) m.Set(15 - x, y, r.At(x, y));
    return m;
}

Raster Scissors() {
    Raster r(16, 16);
    r.Line(4, 0, 9, 9, kBlack);
    r.Line(11, 0, 6, 9, kBlack);
    r.Ellipse(2, 9, 6, 14, kNavy, false);
    r.Ellipse(9, 9, 13, 14, kNavy, false);
    return r;
}

Raster Copy() {
    Raster r(16, 16);
    r.Fill(1, 1, 8, 10, kWhite);
    r.Rect(0, 0, 9, 11, kBlack);
    r.Fill(6, 5, 14, 14, kWhite);
    r.Rect(5, 4, 15, 15, kBlack);
    for (int y = 7; y <= 13; y += 2) r.Line(7, y, 13, y, kGrey);
    return r;
}

Raster Paste() {
    Raster r(16, 16);
    r.Fill(1, 2, 11, 14, kOlive);
    r.Rect(0, 1, 12, 15, kBlack);
    r.Fill(4, 0, 8, 2, kSilver);
    r.Rect(4, 0, 8, 2, kBlack);
    r.Fill(7, 6, 14, 15, kWhite);
    r.Rect(6, 5, 15, 15, kBlack);
    for (int y = 8; y <= 13; y += 2) r.Line(8, y, 13, y, kGrey);
    return r;
}

Raster Capture() {
    Raster r(16, 16);
    r.Fill(1, 1, 14, 10, kTeal);
    r.Rect(0, 0, 15, 11, kBlack);
    r.Fill(2, 2, 13, 9, kAqua);
    r.Line(5, 12, 10, 12, kBlack);
    r.Fill(3, 13, 12, 14, kSilver);
    r.Rect(3, 13, 12, 15, kBlack);
    r.Rect(4, 3, 9, 7, kRed);
    return r;
}

Raster HotSpot() {
    Raster r(16, 16);
    r.Draw(0, 0, {"k...............", "kk..............", "kwk.............", "kwwk............",
                  "kwwwk...........", "kwwwwk..........", "kwwwwwk.........", "kwwwwwwk........",
                  "kwwwkkkk........", "kwkwwk..........", "kk.kwk..........", "k...kwk.........",
                  "....kwk.........", ".....kk........."});
    r.Ellipse(8, 8, 15, 15, kRed, false);
    r.Set(11, 11, kRed);
    r.Set(12, 12, kRed);
    r.Set(11, 12, kRed);
    r.Set(12, 11, kRed);
    return r;
}

Raster Pencil() {
    Raster r(16, 16);
    for (int i = 0; i < 9; ++i) {
        r.Line(4 + i, 11 - i, 6 + i, 13 - i, kYellow);
        r.Set(3 + i, 11 - i, kBlack);
        r.Set(6 + i, 14 - i, kBlack);
    }
    r.Line(12, 2, 15, 5, kRed);
    r.Line(12, 3, 14, 5, kRed);
    r.Line(1, 14, 3, 12, kBlack);
    r.Set(2, 13, kGrey);
    r.Set(1, 15, kBlack);
    return r;
}

Raster Brush() {
    Raster r(16, 16);
    r.Line(14, 1, 8, 7, kOlive);
    r.Line(15, 1, 9, 7, kOlive);
    r.Fill(6, 7, 9, 9, kSilver);
    r.Fill(2, 10, 6, 13, kBlue);
    r.Line(1, 14, 3, 14, kBlue);
    r.Set(1, 15, kBlue);
    return r;
}

Raster Bucket() {
    Raster r(16, 16);
    r.Draw(0, 0, {"................", "......kk........", ".....k..k.......", ".....k..k.......",
                  "....kkkkkk......", "...kwwwwwwk.....", "..kwwwwwwwwkbb..", ".kwwwwwwwwwkbbb.",
                  "..kwwwwwwwkbbbb.", "...kwwwwwk.bbbb.", "....kwwwk...bbb.", ".....kwk.....bb.",
                  "......k.......b.", "................"});
    return r;
}

Raster Eraser() {
    Raster r(16, 16);
    r.Draw(0, 2, {".......kkkkkkkk.", "......kwwwwwwkk.", ".....kwwwwwwkwk.", "....kwwwwwwkwwk.",
                  "...kkkkkkkkwwwk.", "...krrrrrrkwwk..", "...krrrrrrkwk...", "...krrrrrrkk....",
                  "...kkkkkkkk.....", "................", ".gggggggggggggg."});
    return r;
}

Raster Shape(int variant) {
    Raster r(16, 16);
    const bool ellipse = variant >= 3;
    const int fill = variant % 3;
    if (ellipse) {
        if (fill == 2) r.Ellipse(1, 3, 14, 12, kNavy, true);
        else {
            if (fill == 1) r.Ellipse(1, 3, 14, 12, kAqua, true);
            r.Ellipse(1, 3, 14, 12, kBlack, false);
        }
    } else {
        if (fill == 2) r.Fill(1, 3, 14, 12, kNavy);
        else {
            if (fill == 1) r.Fill(2, 4, 13, 11, kAqua);
            r.Rect(1, 3, 14, 12, kBlack);
        }
    }
    return r;
}

Raster Selection() {
    Raster r(16, 16);
    for (int i = 1; i <= 14; i += 2) {
        r.Set(i, 2, kBlack);
        r.Set(i, 13, kBlack);
        r.Set(1, i + 1 > 13 ? 13 : i + 1, kBlack);
        r.Set(14, i + 1 > 13 ? 13 : i + 1, kBlack);
    }
    return r;
}

Raster LineGlyph() {
    Raster r(16, 16);
    r.Line(2, 13, 13, 2, kBlack);
    r.Line(3, 13, 13, 3, kBlack);
    return r;
}

Raster Text() {
    Raster r(16, 16);
    r.Draw(2, 1, {"....kkkk....", "....kkkk....", "...kk..kk...", "...kk..kk...", "..kk....kk..",
                  "..kk....kk..", "..kkkkkkkk..", ".kk......kk.", ".kk......kk.", "kk........kk",
                  "kk........kk", "kkk......kkk"});
    return r;
}

Raster Dropper() {
    Raster r(16, 16);
    r.Draw(0, 0, {"............kkk.", "...........kkkkk", "..........kkkkkk", "........k.kkkkk.",
                  ".........kkkkk..", "........kwkkk...", ".......kwwwk.k..", "......kwwwk.....",
                  ".....kwwwk......", "....kwwwk.......", "...kwwwk........", "..kbbbk.........",
                  ".kbbbk..........", ".kbbk...........", "k.kk............", "................"});
    return r;
}

Raster Locator() {
    Raster r(16, 16);
    r.Ellipse(1, 1, 10, 10, kBlack, false);
    r.Ellipse(2, 2, 9, 9, kAqua, true);
    r.Set(4, 4, kWhite);
    r.Set(4, 5, kWhite);
    r.Set(5, 4, kWhite);
    r.Line(9, 9, 14, 14, kBlack);
    r.Line(10, 9, 15, 14, kMaroon);
    r.Line(9, 10, 14, 15, kMaroon);
    return r;
}

Raster Dither(int mode) {
    Raster r(16, 16);
    r.Rect(1, 1, 14, 14, kBlack);
    for (int y = 2; y <= 13; ++y)
        for (int x = 2; x <= 13; ++x) {
            bool on = true;
            if (mode == 1) on = (x + y) % 2 == 0;
            else if (mode == 2) on = (x / 2 + y / 2) % 2 == 0;
            else if (mode == 3) on = (x / 4 + y / 4) % 2 == 0;
            r.Set(x, y, on ? kNavy : kWhite);
        }
    return r;
}

}  // namespace

std::vector<Raster> ToolBarGlyphs() {
    return {Page(false), Folder(), Floppy(), Arrow(true), Arrow(false), Scissors(),
            Copy(),      Paste(),  Capture(), HotSpot(),  Page(true)};
}

std::vector<Raster> ToolBoxGlyphs() {
    std::vector<Raster> g = {Selection(), Pencil(), LineGlyph(), Brush(), Bucket(), Eraser()};
    for (int v = 0; v < 6; ++v) g.push_back(Shape(v));
    g.push_back(Text());
    g.push_back(Dropper());
    g.push_back(Locator());
    for (int m = 0; m < 4; ++m) g.push_back(Dither(m));
    return g;
}

namespace {

// A film strip of three frames; `mark` puts a red plus (insert) or minus (remove) on it.
Raster FilmStrip(int mark) {
    Raster r(16, 16);
    r.Fill(1, 2, 14, 13, kBlack);
    for (int x = 2; x <= 13; x += 3) {
        r.Set(x, 3, kWhite);
        r.Set(x, 12, kWhite);
    }
    r.Fill(2, 5, 4, 10, kAqua);
    r.Fill(6, 5, 9, 10, kAqua);
    r.Fill(11, 5, 13, 10, kAqua);
    if (mark != 0) {
        r.Fill(8, 6, 15, 9, kRed);
        if (mark > 0) r.Fill(10, 4, 13, 11, kRed);
        r.Rect(8, 6, 15, 9, kMaroon);
    }
    return r;
}

}  // namespace

Raster AnimatorIcon(int size) {
    // A film strip with a pointer coming out of its middle frame.
    Raster r(16, 16);
    r.Fill(0, 3, 15, 12, kBlack);
    for (int x = 1; x <= 14; x += 3) {
        r.Set(x, 4, kWhite);
        r.Set(x, 11, kWhite);
    }
    r.Fill(1, 6, 4, 9, kTeal);
    r.Fill(6, 6, 9, 9, kYellow);
    r.Fill(11, 6, 14, 9, kTeal);
    r.Draw(6, 5, {"w.....", "ww....", "wkw...", "wkkw..", "wkkkw.", "wkkkkw", "wkkww.", "ww.kw.",
                  "...ww."});
    return size == 32 ? r.Scaled(2) : r;
}

std::vector<Raster> AnimatorToolBarGlyphs() {
    return {Page(false), Folder(),     Floppy(),      Arrow(true), Arrow(false), Scissors(),
            Copy(),      Paste(),      FilmStrip(1),  FilmStrip(-1), HotSpot()};
}

Raster PlayGlyph() {
    Raster r(16, 16);
    // A triangle pointing right, two pixels wide at its tip.
    for (int x = 4; x <= 11; ++x) {
        const int half = (11 - x) * 5 / 7;
        r.Line(x, 7 - half, x, 8 + half, kGreen);
    }
    return r;
}

Raster StopGlyph() {
    Raster r(16, 16);
    r.Fill(4, 4, 11, 11, kMaroon);
    r.Fill(5, 5, 10, 10, kRed);
    return r;
}

Raster ProgramIcon(int size) {
    // A painter's easel: a framed canvas holding a small four-colour picture, a brush across it.
    Raster r(16, 16);
    r.Line(3, 15, 6, 9, kMaroon);
    r.Line(12, 15, 9, 9, kMaroon);
    r.Fill(1, 1, 14, 10, kWhite);
    r.Rect(0, 0, 15, 11, kOlive);
    r.Fill(2, 2, 7, 5, kRed);
    r.Fill(8, 2, 13, 5, kLime);
    r.Fill(2, 6, 7, 9, kBlue);
    r.Fill(8, 6, 13, 9, kYellow);
    r.Line(10, 14, 15, 9, kBlack);
    r.Set(9, 15, kNavy);
    r.Set(10, 15, kNavy);
    return size == 32 ? r.Scaled(2) : r;
}

CursorArt ToolCursor(int id) {
    CursorArt c;
    Raster& r = c.image;
    auto outlined = [&](const Raster& glyph, int hx, int hy) {
        // The glyph in black with a white halo so it shows on any colour.
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (glyph.At(x, y) != kClear)
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx)
                            if (r.At(std::min(31, std::max(0, x + dx)), std::min(31, std::max(0, y + dy))) == kClear)
                                r.Set(x + dx, y + dy, kWhite);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (glyph.At(x, y) != kClear) r.Set(x, y, kBlack);
        c.hotX = hx;
        c.hotY = hy;
    };
    // The numbers are the resources the windows load for each tool: 60 "Pencil", 61 "Straight
    // Line", 62 "Color Selector" (also the palette window's pointer), 63 "Flood", 64 the cross-hair
    // of the frame, eraser, shape tools and hot-spot placing, 65 "Brush", 67 "Text", 68 "Color
    // Locator", 69 the screen capture.
    auto crossHair = [&](bool centre) {
        // In inverse screen, so it shows over every colour.
        r.Line(15, 2, 15, 12, kInverse);
        r.Line(15, 18, 15, 28, kInverse);
        r.Line(2, 15, 12, 15, kInverse);
        r.Line(18, 15, 28, 15, kInverse);
        if (centre) r.Set(15, 15, kInverse);
        c.hotX = 15;
        c.hotY = 15;
    };
    switch (id) {
        case 60: outlined(Pencil(), 1, 15); break;
        case 61: crossHair(true); break;
        case 62: outlined(Dropper(), 0, 14); break;
        case 63: outlined(Bucket(), 14, 12); break;
        case 65: outlined(Brush(), 1, 15); break;
        case 67: {
            r.Line(15, 4, 15, 27, kInverse);
            r.Line(12, 3, 18, 3, kInverse);
            r.Line(12, 28, 18, 28, kInverse);
            c.hotX = 15;
            c.hotY = 16;
            break;
        }
        case 68: outlined(Dropper(), 0, 14); break;
        case 69: {
            r.Rect(4, 4, 26, 26, kBlack);
            r.Rect(5, 5, 25, 25, kWhite);
            r.Line(15, 0, 15, 30, kInverse);
            r.Line(0, 15, 30, 15, kInverse);
            c.hotX = 15;
            c.hotY = 15;
            break;
        }
        default: crossHair(false); break;
    }
    return c;
}

namespace {

// A small picture card: a framed square with a coloured mark in it.
void Card(Raster& r, int x, int y, int size, int8_t mark) {
    r.Fill(x, y, x + size - 1, y + size - 1, kWhite);
    r.Rect(x, y, x + size - 1, y + size - 1, kBlack);
    r.Fill(x + 2, y + 2, x + size - 3, y + size - 3, mark);
}

}  // namespace

Raster LibrarianIcon(int size) {
    // A shelf of three books, the middle one showing a picture: the icon library.
    Raster r(16, 16);
    r.Fill(0, 14, 15, 15, kMaroon);
    r.Fill(1, 3, 4, 13, kNavy);
    r.Rect(1, 3, 4, 13, kBlack);
    r.Fill(5, 1, 11, 13, kWhite);
    r.Rect(5, 1, 11, 13, kBlack);
    r.Fill(7, 4, 9, 6, kRed);
    r.Fill(7, 8, 9, 10, kBlue);
    r.Fill(12, 5, 14, 13, kGreen);
    r.Rect(12, 5, 14, 13, kBlack);
    return size == 32 ? r.Scaled(2) : r;
}

std::vector<Raster> LibrarianToolBarGlyphs() {
    std::vector<Raster> g = {Page(false), Folder(), Floppy()};
    // Specific View: one large image.
    Raster specific(16, 16);
    Card(specific, 2, 2, 12, kTeal);
    g.push_back(specific);
    // Raw View: every image of an icon side by side, a line under them.
    Raster raw(16, 16);
    Card(raw, 0, 6, 5, kRed);
    Card(raw, 6, 4, 7, kBlue);
    raw.Line(0, 13, 15, 13, kBlack);
    g.push_back(raw);
    // Desktop View: large icons in a grid.
    Raster desktop(16, 16);
    for (int y : {1, 9})
        for (int x : {1, 9}) Card(desktop, x, y, 6, kTeal);
    g.push_back(desktop);
    // Windows View: small and large image side by side, in rows.
    Raster windows(16, 16);
    for (int y : {1, 9}) {
        Card(windows, 0, y + 2, 4, kRed);
        Card(windows, 6, y, 6, kBlue);
    }
    g.push_back(windows);
    return g;
}

Raster StackIcon() {
    // Three cards, each a little lower and to the right of the one behind it.
    Raster r(32, 32);
    Card(r, 2, 2, 18, kYellow);
    Card(r, 7, 7, 18, kLime);
    Card(r, 12, 12, 18, kAqua);
    return r;
}

}  // namespace vt::art
