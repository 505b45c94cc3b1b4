#include "draw/palette_edit.h"

#include <gtest/gtest.h>

#include "draw/draw_testutil.h"
#include "draw/palette_layout.h"

namespace vt {
namespace {

// A 256-colour image with grey entries except black at 3 and 200 and white at 255.
IconImage Greys() {
    IconImage img = test::MakeImage(4, 4, kColors256, 7);
    for (uint32_t i = 0; i < 256; ++i) img.SetTableColor(i, 0x808080);
    img.SetTableColor(3, 0x000000);
    img.SetTableColor(200, 0x000000);
    img.SetTableColor(255, 0xFFFFFF);
    return img;
}

TEST(PaletteEdit, CountsOnlyOpaquePixelsOfTheEntry) {
    IconImage img = Greys();
    img.SetXorValue(0, 0, 3);
    img.SetAndBit(0, 0, true);  // a screen pixel is not a use of the colour
    EXPECT_EQ(CountPixelsUsing(img, 7), 15);
    img.SetXorValue(1, 1, 9);
    EXPECT_EQ(CountPixelsUsing(img, 9), 1);
    EXPECT_EQ(CountPixelsUsing(img, 7), 14);
}

TEST(PaletteEdit, RefusesSpecialInksAndTheLastBlackOrWhite) {
    IconImage img = Greys();
    EXPECT_EQ(EditColourRefusal(img, Ink{3, true}), kWellsFixedText);
    EXPECT_EQ(EditColourRefusal(img, Ink{3, false}), "");  // another black entry exists
    EXPECT_EQ(EditColourRefusal(img, Ink{255, false}),
              "This is the last white entry in the color palette.  An icon requires at least one "
              "entry of this value.\n\nPlease select another entry to edit.");
    img.SetTableColor(200, 0x808080);
    EXPECT_EQ(EditColourRefusal(img, Ink{3, false}), std::string(kLastBlackText) + kIconNeedsEntryText);
    // The Animator's wording.
    EXPECT_EQ(EditColourRefusal(img, Ink{3, false}, kCursorImageNeedsEntryText),
              "This is the last black entry in the color palette.  A cursor image requires at "
              "least one entry of this value.\n\nPlease select another entry to edit.");
    EXPECT_EQ(EditColourRefusal(img, Ink{9, false}), "");
}

TEST(PaletteEdit, ReplacingTheScreenEntryMovesTransparentPixelsToTheNextBlack) {
    IconImage img = Greys();
    img.SetXorValue(2, 2, 3);
    img.SetAndBit(2, 2, true);
    ColorValues256 table = PaletteDisplayTable(img);
    ReplacePaletteEntry(img, table, 3, 0x123456);
    EXPECT_EQ(img.TableColor(3), 0x123456u);
    EXPECT_EQ(table[3], 0x123456u);
    // The pixel stays transparent: it now holds the remaining black entry.
    EXPECT_TRUE(img.AndBit(2, 2));
    EXPECT_EQ(img.XorValue(2, 2), 200u);
    EXPECT_EQ(img.screenColor, 200u);
    // An ordinary entry changes only its colour.
    ReplacePaletteEntry(img, table, 9, 0x00FF00);
    EXPECT_EQ(img.TableColor(9), 0x00FF00u);
    EXPECT_EQ(img.XorValue(0, 0), 7u);
}

TEST(PaletteEdit, ChannelTextIsClampedOrRefused) {
    EXPECT_EQ(ParseChannelText("128", 5).value, 128);
    EXPECT_FALSE(ParseChannelText(" 0 ", 5).beep);
    const ChannelInput high = ParseChannelText("300", 5);
    EXPECT_EQ(high.value, 255);
    EXPECT_TRUE(high.beep);
    const ChannelInput low = ParseChannelText("-4", 5);
    EXPECT_EQ(low.value, 0);
    EXPECT_TRUE(low.beep);
    for (const char* bad : {"", "abc", "12x", "-"}) {
        const ChannelInput r = ParseChannelText(bad, 77);
        EXPECT_EQ(r.value, 77) << bad;
        EXPECT_TRUE(r.beep) << bad;
    }
    EXPECT_EQ(ParseChannelText("99999999999999999999", 1).value, 255);
}

TEST(PaletteEdit, TrueColourEditsItsPaletteOnly) {
    IconImage img = test::MakeImage(2, 2, kTrueColor, 0x112233);
    img.trueColorPalette = ColorValues256{};
    ColorValues256 table = PaletteDisplayTable(img);
    ReplacePaletteEntry(img, table, 5, 0xABCDEF);
    EXPECT_EQ((*img.trueColorPalette)[5], 0xABCDEFu);
    EXPECT_EQ(img.XorValue(1, 1), 0x112233u);
}

}  // namespace
}  // namespace vt
