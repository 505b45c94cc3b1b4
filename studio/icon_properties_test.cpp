#include "studio/icon_properties.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

class IconPropertiesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_host.newImagePalette = [](int32_t, ColorValues256& out) {
            for (uint32_t i = 0; i < 256; ++i) out[i] = i * 0x010101;
            out[0] = 0;
            out[255] = 0xFFFFFF;
            return true;
        };
    }
    // Adds a blank (all transparent) image of the format and makes it the active one.
    IconImage& Add(int32_t w, int32_t h, int32_t code) {
        m_doc.activeFormat = {w, h, code};
        EXPECT_TRUE(FindOrCreateImage(m_doc, nullptr, 0, m_host));
        return *m_doc.ActiveImage();
    }
    IconResource m_doc;
    ImageHost m_host;
};

TEST_F(IconPropertiesTest, NewSixteenColourIconShowsOneColourAnd744Bytes) {
    Add(32, 32, kColors16);
    const IconPropertiesText t = DescribeIcon(m_doc, "untitled", ",");
    EXPECT_EQ(t.width, "32");
    EXPECT_EQ(t.height, "32");
    EXPECT_EQ(t.colorFormat, "4 bit, 16 colors");
    EXPECT_EQ(t.colorsUsed, "1");
    EXPECT_EQ(t.imageSize, "744 bytes");
    EXPECT_EQ(t.totalSize, "744 bytes");
    EXPECT_TRUE(t.others.empty());
}

TEST_F(IconPropertiesTest, Large256ColourImageSizeCarriesTheSeparator) {
    Add(48, 48, kColors256);
    EXPECT_EQ(DescribeIcon(m_doc, "x", ",").imageSize, "3,752 bytes");
    EXPECT_EQ(DescribeIcon(m_doc, "x", ".").imageSize, "3.752 bytes");
    EXPECT_EQ(DescribeIcon(m_doc, "x", "").imageSize, "3752 bytes");
    EXPECT_EQ(DescribeIcon(m_doc, "x", ",").colorFormat, "8 bit, 256 colors");
}

TEST_F(IconPropertiesTest, TrueColourFormatAndSlotTexts) {
    IconImage& img = Add(16, 16, kTrueColor);
    EXPECT_EQ(DescribeIcon(m_doc, "x", ",").colorFormat, "24 bit, True Color");
    EXPECT_EQ(FormatSlotText(img), "16x16, True Color");
    EXPECT_EQ(FormatSlotText(Add(48, 32, kMonochrome)), "48x32, 2 colors");
}

TEST_F(IconPropertiesTest, KeptImagesAreListedAsNotEditableAndCounted) {
    Add(16, 16, kColors16);
    Add(32, 32, kColors16);
    KeptImage png;
    png.width = png.height = 256;
    png.data.assign(1000, 0);
    m_doc.keptImages.push_back(png);
    const IconPropertiesText t = DescribeIcon(m_doc, "x", ",");
    // Listed first: the one place the user sees an image that can never be made active.
    EXPECT_EQ(t.others,
              (std::vector<std::string>{"256x256, kept (not editable)", "16x16, 16 colors"}));
    EXPECT_EQ(t.totalSize, "2,040 bytes");
}

TEST_F(IconPropertiesTest, ThousandsGroupsCountFromTheRightAndUseTheFirstCharacter) {
    EXPECT_EQ(WithThousands(0, ","), "0");
    EXPECT_EQ(WithThousands(999, ","), "999");
    EXPECT_EQ(WithThousands(1000, ","), "1,000");
    EXPECT_EQ(WithThousands(1234567, "'x"), "1'234'567");
    EXPECT_EQ(WithThousands(100000, ","), "100,000");
}

TEST_F(IconPropertiesTest, ColoursUsedCountsValuesAndBothMaskedKinds) {
    IconImage& img = Add(16, 16, kColors16);
    // Opaque pixels of three indices, one inverse pixel (white under the mask); the rest screen.
    const uint32_t white = 15;
    img.SetTableColor(white, 0xFFFFFF);
    for (int x = 0; x < 3; ++x) {
        img.SetAndBit(x, 0, false);
        img.SetXorValue(x, 0, static_cast<uint32_t>(x + 1));
    }
    img.SetAndBit(5, 5, true);
    img.SetXorValue(5, 5, white);
    EXPECT_EQ(CountColorsUsed(img), 5);
    // An opaque white pixel is a colour of its own, apart from the inverse one.
    img.SetAndBit(6, 6, false);
    img.SetXorValue(6, 6, white);
    EXPECT_EQ(CountColorsUsed(img), 6);
}

TEST_F(IconPropertiesTest, TrueColourCountsDistinctValuesApartFromMaskedOnes) {
    IconImage& img = Add(8, 8, kTrueColor);
    img.SetAndBit(0, 0, false);
    img.SetXorValue(0, 0, 0);  // opaque black is a colour, not the screen
    img.SetAndBit(1, 0, false);
    img.SetXorValue(1, 0, 0x123456);
    img.SetAndBit(2, 0, false);
    img.SetXorValue(2, 0, 0x123456);
    img.SetXorValue(3, 0, 0xFFFFFF);  // inverse
    EXPECT_EQ(CountColorsUsed(img), 4);
}

TEST_F(IconPropertiesTest, OtherFormatsListSixButTotalCountsEveryImage) {
    const int32_t sizes[] = {16, 24, 32, 48};
    for (int32_t s : sizes) {
        Add(s, s, kColors16);
        Add(s, s, kColors256);
    }
    m_doc.activeFormat = {16, 16, kColors16};
    ASSERT_TRUE(SwitchToFormat(m_doc, m_host, false));
    ASSERT_EQ(m_doc.images.size(), 8u);
    const IconPropertiesText t = DescribeIcon(m_doc, "x", ",");
    ASSERT_EQ(t.others.size(), 6u);
    EXPECT_EQ(t.others[0], "16x16, 256 colors");
    size_t total = 0;
    for (const IconImage& img : m_doc.images) total += img.BlockBytes();
    EXPECT_EQ(t.totalSize, WithThousands(total, ",") + " bytes");
}

TEST_F(IconPropertiesTest, NameDropsIcoInAnyCaseAndKeepsOtherExtensions) {
    m_doc.untitled = false;
    m_doc.path = "C:\\art\\Smile.ICO";
    EXPECT_EQ(PropertiesName(m_doc), "Smile");
    m_doc.path = "C:\\art\\arrow.cur";
    EXPECT_EQ(PropertiesName(m_doc), "arrow.cur");
    m_doc.untitled = true;
    EXPECT_EQ(PropertiesName(m_doc), "untitled");
}

}  // namespace
}  // namespace vt
