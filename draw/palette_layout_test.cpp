#include "draw/palette_layout.h"

#include <gtest/gtest.h>

#include "draw/draw_testutil.h"

namespace vt {
namespace {

PaletteCell CellAtCentre(int32_t code, int col, int row, int step, int size) {
    auto c = PaletteCellAt(code, col * step + size / 2, row * step + size / 2);
    EXPECT_TRUE(c.has_value());
    return c.value_or(PaletteCell{});
}

TEST(PaletteLayout, SixteenColourCellsFollowTheWindowOrder) {
    const PaletteCell first = CellAtCentre(kColors16, 0, 0, 18, 17);
    EXPECT_EQ(first.kind, PaletteCellKind::Entry);
    EXPECT_EQ(first.value, 13);
    EXPECT_EQ(CellAtCentre(kColors16, 0, 2, 18, 17).value, 0);
    EXPECT_EQ(CellAtCentre(kColors16, 4, 2, 18, 17).kind, PaletteCellKind::ScreenWell);
    EXPECT_EQ(CellAtCentre(kColors16, 5, 2, 18, 17).kind, PaletteCellKind::InverseWell);
    // The one-pixel gap between cells belongs to no cell.
    EXPECT_FALSE(PaletteCellAt(kColors16, 17, 5));
    EXPECT_EQ(PaletteArea(kColors16), (GridRect{0, 0, 108, 54}));
}

TEST(PaletteLayout, TwoColourCellsAreIndexesThenWells) {
    EXPECT_EQ(PaletteCellAt(kMonochrome, 5, 5)->value, 0);
    EXPECT_EQ(PaletteCellAt(kMonochrome, 30, 5)->value, 1);
    EXPECT_EQ(PaletteCellAt(kMonochrome, 60, 5)->kind, PaletteCellKind::ScreenWell);
    EXPECT_EQ(PaletteCellAt(kMonochrome, 100, 5)->kind, PaletteCellKind::InverseWell);
    EXPECT_FALSE(PaletteCellAt(kMonochrome, 26, 5));
}

TEST(PaletteLayout, TwoHundredFiftySixColourRowsAndEveryIndexOnce) {
    EXPECT_EQ(CellAtCentre(kColors256, 1, 0, 14, 13).value, 5);
    EXPECT_EQ(CellAtCentre(kColors256, 7, 1, 14, 13).value, 255);
    EXPECT_EQ(CellAtCentre(kColors256, 10, 1, 14, 13).kind, PaletteCellKind::ScreenWell);
    EXPECT_EQ(CellAtCentre(kColors256, 11, 1, 14, 13).kind, PaletteCellKind::InverseWell);
    EXPECT_EQ(CellAtCentre(kColors256, 0, 2, 14, 13).value, 10);
    EXPECT_EQ(CellAtCentre(kColors256, 7, 21, 14, 13).value, 245);
    std::vector<int> seen(256, 0);
    int strip = 0;
    for (const PaletteCell& c : PaletteCells(kTrueColor)) {
        if (c.kind == PaletteCellKind::Entry) ++seen[static_cast<size_t>(c.value)];
        if (c.kind == PaletteCellKind::BlendStrip) ++strip;
        EXPECT_LE(c.rect.right, 168);
    }
    for (int i = 0; i < 256; ++i) EXPECT_EQ(seen[static_cast<size_t>(i)], 1) << i;
    EXPECT_EQ(strip, 12);
    EXPECT_TRUE(PaletteCells(kColors16).size() == 18);
}

TEST(PaletteLayout, BlendStripDividesByTwelve) {
    const auto s = BlendStrip(0x000000, 0xFFFFFF);
    EXPECT_EQ(s[0], 0x000000u);
    EXPECT_EQ(s[1], 0x151515u);   // 21 each
    EXPECT_EQ(s[10], 0xD4D4D4u);  // 212 each
    EXPECT_EQ(s[11], 0xFFFFFFu);
    // Downward blends truncate toward zero too: 255 - trunc(255 / 12) = 234.
    const auto down = BlendStrip(0x0000FF, 0x000000);
    EXPECT_EQ(down[1], 0x0000EAu);
    EXPECT_EQ(down[1] >> 8, 0u);
}

TEST(PaletteLayout, WellsGiveSpecialInksOrWarnWithoutBlackOrWhite) {
    IconImage img = test::MakeImage(8, 8, kColors256);
    for (uint32_t i = 0; i < 256; ++i) img.SetTableColor(i, 0x808080);
    img.SetTableColor(7, 0x000000);
    ColorValues256 table = PaletteDisplayTable(img);
    const PaletteCell screen{PaletteCellKind::ScreenWell, 0, {}};
    const PaletteCell inverse{PaletteCellKind::InverseWell, 0, {}};
    const InkChoice s = InkForCell(img, table, screen);
    ASSERT_TRUE(s.ink);
    EXPECT_EQ(*s.ink, (Ink{7, true}));
    const InkChoice i = InkForCell(img, table, inverse);
    EXPECT_FALSE(i.ink);
    EXPECT_EQ(i.warning, kNoWhiteWarning);
    img.SetTableColor(7, 0x808080);
    table = PaletteDisplayTable(img);
    EXPECT_EQ(InkForCell(img, table, screen).warning, kNoBlackWarning);
    EXPECT_EQ(*InkForCell(img, table, {PaletteCellKind::Entry, 42, {}}).ink, (Ink{42, false}));
}

TEST(PaletteLayout, TrueColourCellsGiveColourValues) {
    IconImage img = test::MakeImage(8, 8, kTrueColor);
    ColorValues256 pal{};
    pal[3] = 0x123456;
    pal[9] = 0xFFFFFF;
    img.trueColorPalette = pal;
    const ColorValues256 table = PaletteDisplayTable(img);
    EXPECT_EQ(*InkForCell(img, table, {PaletteCellKind::Entry, 3, {}}).ink, (Ink{0x123456, false}));
    EXPECT_EQ(*InkForCell(img, table, {PaletteCellKind::InverseWell, 0, {}}).ink, (Ink{0xFFFFFF, true}));
}

// The "Color Locator" frames the cell a click on which would choose the located ink.
TEST(PaletteLayout, LocatedInksFindTheCellThatChoosesThem) {
    for (int32_t code : {kMonochrome, kColors16, kColors256}) {
        SCOPED_TRACE(code);
        IconImage img = test::MakeImage(4, 4, code);
        if (code == kColors256) {
            img.SetTableColor(3, 0x000000);
            img.SetTableColor(200, 0xFFFFFF);
        }
        const ColorValues256 table = PaletteDisplayTable(img);
        for (const PaletteCell& cell : PaletteCells(code)) {
            const InkChoice choice = InkForCell(img, table, cell);
            if (!choice.ink) continue;
            const std::optional<PaletteCell> found = PaletteCellOfInk(img, *choice.ink);
            ASSERT_TRUE(found.has_value()) << cell.value;
            EXPECT_EQ(*found, cell);
        }
    }
    IconImage deep = test::MakeImage(4, 4, kTrueColor);
    EXPECT_FALSE(PaletteCellOfInk(deep, {0x123456, false}).has_value());
}

}  // namespace
}  // namespace vt
