#include "image/image_compose.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

IconImage Blank(int w, int h, int32_t code) {
    IconImage img;
    img.width = w;
    img.height = h;
    img.colorCode = code;
    EXPECT_TRUE(img.AllocateBlock());
    return img;
}

TEST(ImageCompose, ScreenShowsBackgroundInverseItsComplementAndColoursThemselves) {
    IconImage img = Blank(4, 2, kColors16);
    img.SetTableColor(15, 0xFFFFFF);
    img.SetTableColor(9, 0x0000FF);   // red as a colour value
    img.SetTableColor(12, 0xFF0000);  // blue
    img.SetAndBit(0, 0, true);        // screen: black under the mask
    img.SetXorValue(1, 0, 15);
    img.SetAndBit(1, 0, true);        // inverse: white under the mask
    img.SetXorValue(2, 0, 9);
    img.SetXorValue(3, 1, 12);
    const std::vector<uint32_t> px = ComposeImage(img, 0xC0C0C0);
    ASSERT_EQ(px.size(), 8u);
    EXPECT_EQ(px[0], 0xC0C0C0u);
    EXPECT_EQ(px[1], 0x3F3F3Fu);
    EXPECT_EQ(px[2], 0x0000FFu);
    EXPECT_EQ(px[3], 0u);  // opaque black
    EXPECT_EQ(px[7], 0xFF0000u);
}

TEST(ImageCompose, TrueColourValuesPassThroughAndOutOfTableIndexesAreBlack) {
    IconImage tc = Blank(2, 1, kTrueColor);
    tc.SetXorValue(1, 0, 0x123456);
    EXPECT_EQ(ComposeImage(tc, 0)[1], 0x123456u);
    IconImage mono = Blank(2, 1, kMonochrome);
    mono.SetTableColor(1, 0xFFFFFF);
    EXPECT_EQ(InkColour(mono, 1), 0xFFFFFFu);
    EXPECT_EQ(InkColour(mono, 7), 0u);
    EXPECT_TRUE(ComposeImage(IconImage{}, 0).empty());
}

}  // namespace
}  // namespace vt
