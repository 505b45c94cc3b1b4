#include "draw/palette_layout.h"

namespace vt {

namespace {

constexpr int k16Order[16] = {13, 12, 14, 10, 11, 9, 5, 4, 6, 2, 3, 1, 0, 8, 7, 15};
constexpr int kRow1[10] = {0, 5, 4, 6, 2, 3, 1, 7, 8, 9};
constexpr int kRow2[10] = {248, 253, 252, 254, 250, 251, 249, 255, 246, 247};

constexpr int kBigStep = 14, kBigCell = 13, kBigWidth = 168, kBigHeight = 308;
constexpr int kSeparatorY = kBigHeight + 3;
constexpr int kCaptionTop = kBigHeight + 7, kCaptionHeight = 14;
constexpr int kWellTop = kCaptionTop + kCaptionHeight + 2, kWellHeight = 16;
constexpr int kStripTop = kWellTop + kWellHeight + 4;

GridRect Box(int left, int top, int w, int h) { return {left, top, left + w, top + h}; }

PaletteCell Entry(int index, GridRect r) { return {PaletteCellKind::Entry, index, r}; }

}  // namespace

std::vector<PaletteCell> PaletteCells(int32_t code) {
    std::vector<PaletteCell> cells;
    if (code == kMonochrome) {
        cells.push_back(Entry(0, Box(0, 0, 26, 17)));
        cells.push_back(Entry(1, Box(27, 0, 26, 17)));
        cells.push_back({PaletteCellKind::ScreenWell, 0, Box(54, 0, 26, 17)});
        cells.push_back({PaletteCellKind::InverseWell, 0, Box(81, 0, 26, 17)});
        return cells;
    }
    if (code == kColors16) {
        for (int k = 0; k < 18; ++k) {
            const GridRect r = Box((k % 6) * 18, (k / 6) * 18, 17, 17);
            if (k < 16) cells.push_back(Entry(k16Order[k], r));
            else cells.push_back({k == 16 ? PaletteCellKind::ScreenWell : PaletteCellKind::InverseWell, 0, r});
        }
        return cells;
    }
    auto at = [](int col, int row) { return Box(col * kBigStep, row * kBigStep, kBigCell, kBigCell); };
    for (int c = 0; c < 10; ++c) cells.push_back(Entry(kRow1[c], at(c, 0)));
    for (int c = 0; c < 10; ++c) cells.push_back(Entry(kRow2[c], at(c, 1)));
    cells.push_back({PaletteCellKind::ScreenWell, 0, at(10, 1)});
    cells.push_back({PaletteCellKind::InverseWell, 0, at(11, 1)});
    for (int i = 10; i <= 245; ++i) cells.push_back(Entry(i, at((i - 10) % 12, 2 + (i - 10) / 12)));
    cells.push_back({PaletteCellKind::LeftBlendWell, 0, Box(0, kWellTop, kBigCell, kWellHeight)});
    cells.push_back({PaletteCellKind::RightBlendWell, 0,
                     Box(kBigWidth - kBigStep, kWellTop, kBigCell, kWellHeight)});
    for (int k = 0; k < kBlendStripCells; ++k)
        cells.push_back({PaletteCellKind::BlendStrip, k, Box(k * kBigStep, kStripTop, kBigCell, kBigCell)});
    return cells;
}

GridRect PaletteArea(int32_t code) {
    if (code == kMonochrome) return Box(0, 0, 108, 18);
    if (code == kColors16) return Box(0, 0, 108, 54);
    return Box(0, 0, kBigWidth, kStripTop + kBigStep);
}

GridRect BlendCaptionRect() { return Box(0, kCaptionTop, kBigWidth, kCaptionHeight); }
int BlendSeparatorY() { return kSeparatorY; }

std::optional<PaletteCell> PaletteCellAt(int32_t code, int x, int y) {
    for (const PaletteCell& c : PaletteCells(code))
        if (c.rect.Contains(x, y)) return c;
    return std::nullopt;
}

std::optional<PaletteCell> PaletteCellOfInk(const IconImage& image, Ink ink) {
    if (!IsPaletteBased(image.colorCode)) return std::nullopt;
    PaletteCellKind kind = PaletteCellKind::Entry;
    if (ink.special) {
        // The wells hold the values a click on them chooses.
        const ColorValues256 table = PaletteDisplayTable(image);
        const bool inverse = static_cast<int>(ink.value) == InverseIndex(image, table) &&
                             static_cast<int>(ink.value) != ScreenIndex(image, table);
        kind = inverse ? PaletteCellKind::InverseWell : PaletteCellKind::ScreenWell;
    }
    for (const PaletteCell& c : PaletteCells(image.colorCode))
        if (c.kind == kind && (kind != PaletteCellKind::Entry || c.value == static_cast<int>(ink.value))) return c;
    return std::nullopt;
}

std::array<uint32_t, kBlendStripCells> BlendStrip(uint32_t left, uint32_t right) {
    std::array<uint32_t, kBlendStripCells> strip{};
    strip[0] = left;
    strip[kBlendStripCells - 1] = right;
    for (int k = 1; k <= 10; ++k) {
        uint32_t value = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const int c0 = static_cast<int>((left >> shift) & 0xFF);
            const int c11 = static_cast<int>((right >> shift) & 0xFF);
            // Integer division in C++ truncates toward zero, as the blend asks.
            const int c = c0 - k * (c0 - c11) / 12;
            value |= static_cast<uint32_t>(c) << shift;
        }
        strip[static_cast<size_t>(k)] = value;
    }
    return strip;
}

ColorValues256 PaletteDisplayTable(const IconImage& image) {
    ColorValues256 table{};
    if (!image.HasBits()) return table;
    if (!IsPaletteBased(image.colorCode)) {
        if (image.trueColorPalette) table = *image.trueColorPalette;
        return table;
    }
    for (uint32_t i = 0; i < image.TableEntries() && i < 256; ++i) table[i] = image.TableColor(i);
    return table;
}

namespace {
int FindColour(const ColorValues256& table, uint32_t colour) {
    for (int i = 0; i < 256; ++i)
        if (table[static_cast<size_t>(i)] == colour) return i;
    return -1;
}
}  // namespace

int ScreenIndex(const IconImage& image, const ColorValues256& table) {
    if (image.colorCode == kMonochrome || image.colorCode == kColors16) return 0;
    return FindColour(table, 0x000000);
}

int InverseIndex(const IconImage& image, const ColorValues256& table) {
    if (image.colorCode == kMonochrome) return 1;
    if (image.colorCode == kColors16) return 15;
    return FindColour(table, 0xFFFFFF);
}

InkChoice InkForCell(const IconImage& image, const ColorValues256& table, const PaletteCell& cell) {
    const bool trueColour = !IsPaletteBased(image.colorCode);
    switch (cell.kind) {
        case PaletteCellKind::Entry: {
            const uint32_t v = trueColour ? table[static_cast<size_t>(cell.value)]
                                          : static_cast<uint32_t>(cell.value);
            return {Ink{v, false}, {}};
        }
        case PaletteCellKind::ScreenWell: {
            const int i = ScreenIndex(image, table);
            if (i < 0) return {std::nullopt, kNoBlackWarning};
            return {Ink{trueColour ? 0x000000u : static_cast<uint32_t>(i), true}, {}};
        }
        case PaletteCellKind::InverseWell: {
            const int i = InverseIndex(image, table);
            if (i < 0) return {std::nullopt, kNoWhiteWarning};
            return {Ink{trueColour ? 0xFFFFFFu : static_cast<uint32_t>(i), true}, {}};
        }
        default: return {};
    }
}

}  // namespace vt
