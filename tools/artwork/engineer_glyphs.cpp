#include "tools/artwork/engineer_glyphs.h"

namespace vt::art {

namespace {

// The standard pointer: black outline, white inside, tip at (x, y).
void Pointer(Raster& r, int x, int y) {
    r.Draw(x, y, {"k..........", "kk.........", "kwk........", "kwwk.......", "kwwwk......",
                  "kwwwwk.....", "kwwwwwk....", "kwwwwwwk...", "kwwwwwwwk..", "kwwwwwwwwk.",
                  "kwwwwwkkkkk", "kwwkwwk....", "kwk.kwwk...", "kk..kwwk...", "k....kwwk..",
                  ".....kwwk..", "......kk..."});
}

// A two-headed arrow from (x0, y0) to (x1, y1), drawn twice thick with white edges.
void DoubleArrow(Raster& r, int x0, int y0, int x1, int y1) {
    const int dx = x1 > x0 ? 1 : x1 < x0 ? -1 : 0, dy = y1 > y0 ? 1 : y1 < y0 ? -1 : 0;
    const int px = -dy, py = dx;  // across the shaft
    for (int s = -2; s <= 2; ++s) r.Line(x0 + px * s, y0 + py * s, x1 + px * s, y1 + py * s, kWhite);
    r.Line(x0, y0, x1, y1, kBlack);
    r.Line(x0 + px, y0 + py, x1 + px, y1 + py, kBlack);
    for (int k = 0; k <= 4; ++k) {
        // Heads: a widening wedge behind each tip.
        const int ax = x0 + dx * k, ay = y0 + dy * k, bx = x1 - dx * k, by = y1 - dy * k;
        r.Line(ax - px * k, ay - py * k, ax + px * (k + 1), ay + py * (k + 1), kBlack);
        r.Line(bx - px * k, by - py * k, bx + px * (k + 1), by + py * (k + 1), kBlack);
    }
}

void Hourglass(Raster& r, int x, int y, int scale) {
    const int w = 8 * scale, h = 12 * scale;
    r.Fill(x, y, x + w, y + scale - 1, kBlack);
    r.Fill(x, y + h - scale + 1, x + w, y + h, kBlack);
    for (int i = 0; i <= h / 2 - scale; ++i) {
        const int in = i * (w / 2) / (h / 2);
        r.Line(x + in, y + scale + i, x + w - in, y + scale + i, kWhite);
        r.Line(x + in, y + h - scale - i, x + w - in, y + h - scale - i, kWhite);
        r.Set(x + in, y + scale + i, kBlack);
        r.Set(x + w - in, y + scale + i, kBlack);
        r.Set(x + in, y + h - scale - i, kBlack);
        r.Set(x + w - in, y + h - scale - i, kBlack);
    }
    // Sand in the lower half.
    r.Fill(x + w / 2 - scale, y + h - 3 * scale, x + w / 2 + scale, y + h - scale - 1, kYellow);
}

}  // namespace

Raster EngineerIcon(int size) {
    Raster r(32, 32);
    // A desktop monitor with a gear-like wrench across it: the Engineer changes what the desktop
    // shows.
    r.Fill(3, 3, 28, 22, kSilver);
    r.Rect(2, 2, 29, 23, kBlack);
    r.Fill(5, 5, 26, 20, kTeal);
    r.Fill(7, 7, 11, 11, kYellow);
    r.Rect(7, 7, 11, 11, kBlack);
    r.Fill(7, 14, 11, 18, kWhite);
    r.Rect(7, 14, 11, 18, kBlack);
    r.Fill(12, 24, 19, 26, kGrey);
    r.Fill(8, 27, 23, 29, kSilver);
    r.Rect(8, 27, 23, 29, kBlack);
    // The wrench.
    for (int s = -1; s <= 1; ++s) r.Line(14 + s, 27, 27 + s, 14, kRed);
    r.Ellipse(23, 8, 30, 15, kRed, true);
    r.Fill(26, 9, 28, 12, kTeal);
    if (size == 32) return r;
    Raster small(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            // Keep whatever is painted in the 2 x 2 block, the darker outline first.
            int8_t c = kClear;
            for (int k = 0; k < 4 && c != kBlack; ++k) {
                const int8_t p = r.At(2 * x + k % 2, 2 * y + k / 2);
                if (p != kClear && (c == kClear || p == kBlack || p == kRed)) c = p;
            }
            small.Set(x, y, c);
        }
    return small;
}

Raster ChangeMark(bool included) {
    Raster r(16, 16);
    if (included) {
        for (int s = 0; s <= 2; ++s) {
            r.Line(2, 8 + s, 6, 12 + s, kGreen);
            r.Line(6, 12 + s, 13, 3 + s, kGreen);
        }
    } else {
        for (int s = 0; s <= 2; ++s) {
            r.Line(3 + s, 3, 12 + s, 12, kRed);
            r.Line(12 + s, 3, 3 + s, 12, kRed);
        }
    }
    return r;
}

Raster StandardCursorPicture(int index) {
    Raster r(32, 32);
    switch (index) {
        case 0:  // Wait
            Hourglass(r, 8, 4, 2);
            break;
        case 1:  // AppStarting
            Pointer(r, 4, 4);
            Hourglass(r, 17, 14, 1);
            break;
        case 2:  // Arrow
            Pointer(r, 10, 6);
            break;
        case 3:  // Crosshair
            r.Line(16, 4, 16, 28, kBlack);
            r.Line(4, 16, 28, 16, kBlack);
            r.Set(16, 16, kWhite);
            break;
        case 4:  // Help
            Pointer(r, 3, 4);
            r.Draw(17, 8, {".kkkkk.", "kk...kk", "....kk.", "...kk..", "...kk..", ".......",
                           "...kk..", "...kk.."});
            break;
        case 5:  // IBeam
            r.Line(13, 5, 19, 5, kBlack);
            r.Line(13, 27, 19, 27, kBlack);
            r.Line(16, 5, 16, 27, kBlack);
            break;
        case 6:  // No
            r.Ellipse(5, 5, 26, 26, kRed, false);
            r.Ellipse(6, 6, 25, 25, kRed, false);
            for (int s = 0; s <= 2; ++s) r.Line(9 + s, 9, 22 + s, 22, kRed);
            break;
        case 7:  // SizeAll
            DoubleArrow(r, 16, 3, 16, 28);
            DoubleArrow(r, 3, 16, 28, 16);
            break;
        case 8: DoubleArrow(r, 6, 26, 26, 6); break;   // SizeNESW
        case 9: DoubleArrow(r, 16, 4, 16, 28); break;  // SizeNS
        case 10: DoubleArrow(r, 6, 6, 26, 26); break;  // SizeNWSE
        case 11: DoubleArrow(r, 4, 16, 28, 16); break; // SizeWE
        case 12:                                       // UpArrow
            for (int k = 0; k <= 8; ++k) r.Line(16 - k, 4 + k, 16 + k, 4 + k, kBlack);
            r.Fill(14, 13, 18, 28, kBlack);
            r.Fill(15, 14, 17, 27, kWhite);
            break;
        case 13:  // Hand
            r.Fill(11, 4, 14, 18, kWhite);
            r.Rect(11, 4, 14, 18, kBlack);
            r.Fill(8, 14, 24, 27, kWhite);
            r.Rect(8, 14, 24, 27, kBlack);
            for (int x : {15, 19}) r.Line(x, 14, x, 18, kBlack);
            break;
        default:  // NWPen
            Pointer(r, 3, 3);
            for (int s = 0; s <= 3; ++s) r.Line(14 + s, 28, 26 + s, 16, kNavy);
            r.Line(12, 30, 14, 28, kBlack);
            break;
    }
    return r;
}

}  // namespace vt::art
