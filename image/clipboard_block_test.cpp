#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "image/clipboard_block.h"
#include "image/colour_convert.h"
#include "image/icon_testutil.h"

namespace vt {
namespace {

TEST(ClipPixel, TwelveByteLayout) {
    uint8_t bytes[12];
    std::fill(std::begin(bytes), std::end(bytes), 0xEE);
    StoreClipPixel(bytes, {5, 9, 0x00ABCDEF, true});
    const uint8_t expected[12] = {5, 9, 0, 0, 0xEF, 0xCD, 0xAB, 0, 1, 0, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(bytes), std::end(bytes), expected));
    EXPECT_EQ(LoadClipPixel(bytes), (ClipPixel{5, 9, 0xABCDEF, true}));
}

TEST(ClipBlock, EncodesRelativePositionsAndDecodesBack) {
    ClipBlock b;
    b.width = 2;
    b.height = 2;
    b.table = {0x000000, 0xFFFFFF};
    b.pixels = {{10, 20, 0, false}, {11, 20, 1, true}, {10, 21, 1, false}, {11, 21, 0, true}};
    const auto bytes = EncodeClipBlock(b);
    ASSERT_EQ(bytes.size(), 16u + 8 + 4 * 12);
    EXPECT_EQ(LoadLE32(bytes.data()), 4u);
    EXPECT_EQ(LoadLE32(bytes.data() + 12), 2u);
    EXPECT_EQ(LoadLE32(bytes.data() + 20), 0xFFFFFFu);
    ClipBlock back;
    ASSERT_TRUE(DecodeClipBlock(bytes, &back));
    EXPECT_EQ(back.pixels[0], (ClipPixel{0, 0, 0, false}));
    EXPECT_EQ(back.pixels[3], (ClipPixel{1, 1, 0, true}));
    EXPECT_EQ(back.table, b.table);

    // Inconsistent blocks are refused, and a cut one at every length.
    auto bad = bytes;
    bad[0] = 5;
    EXPECT_FALSE(DecodeClipBlock(bad, &back));
    bad = bytes;
    bad[12] = 3;
    EXPECT_FALSE(DecodeClipBlock(bad, &back));
    for (size_t n = 0; n < bytes.size(); ++n)
        EXPECT_FALSE(DecodeClipBlock(std::span<const uint8_t>(bytes.data(), n), &back)) << n;
}

class PasteTest : public ::testing::Test {
  protected:
    IconImage& Add(int32_t w, int32_t h, int32_t code) {
        return test::AddDrawnImage(m_doc, m_host, w, h, code);
    }
    ClipBlock Copy(const IconImage& img, int w, int h) {
        std::vector<ClipPixel> px;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                px.push_back({static_cast<uint8_t>(x), static_cast<uint8_t>(y), img.XorValue(x, y),
                              img.AndBit(x, y)});
        return MakeClipBlock(img, px, static_cast<uint32_t>(w), static_cast<uint32_t>(h));
    }
    ScriptedPrompt m_prompt;
    ImageHost m_host = test::TestHost(&m_prompt);
    IconResource m_doc;
};

TEST_F(PasteTest, SameTableCopiesIndicesAndKeepsTransparency) {
    IconImage& img = Add(16, 16, kColors256);
    const ClipBlock block = Copy(img, 16, 16);
    ClipBlock through;
    ASSERT_TRUE(DecodeClipBlock(EncodeClipBlock(block), &through));
    PastePixels out;
    ASSERT_TRUE(PrepareClipPaste(through, img, m_prompt, false, 0, 0, &out));
    EXPECT_EQ(out.width, 16);
    EXPECT_EQ(out.pixels, block.pixels);
    EXPECT_TRUE(m_prompt.texts().empty());
}

TEST_F(PasteTest, OtherProgramsSeeMaskedPixelsInColourB) {
    ClipBlock b;
    b.width = 3;
    b.height = 1;
    b.table = {0x000000, 0x0000FF, 0xFFFFFF};
    b.pixels = {{0, 0, 1, false}, {1, 0, 0, true}, {2, 0, 2, true}};
    ColorValues256 palette{};
    palette[1] = 0xFF0000;  // the current palette decides what an index looks like
    palette[5] = 0x00FF00;
    EXPECT_EQ(ClipBitmapColours(b, palette, 5),
              (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x00FF00}));
    b.table.clear();
    b.pixels = {{0, 0, 0x123456, false}, {1, 0, 0x000000, true}, {2, 0, 0xFFFFFF, true}};
    EXPECT_EQ(ClipBitmapColours(b, palette, 0xABCDEF),
              (std::vector<uint32_t>{0x123456, 0xABCDEF, 0xABCDEF}));
}

TEST_F(PasteTest, SixteenColoursInto256TakeExactEntries) {
    const IconImage sixteen = Add(16, 16, kColors16).Clone();
    const ClipBlock block = Copy(sixteen, 16, 16);
    IconImage& big = Add(16, 16, kColors256);
    // Put the 16 standard colours at the end of the 256 table, in reverse.
    for (uint32_t i = 0; i < 16; ++i) big.SetTableColor(239 + i, sixteen.TableColor(15 - i));
    PastePixels out;
    ASSERT_TRUE(PrepareClipPaste(block, big, m_prompt, false, 0, 0, &out));
    for (size_t i = 0; i < out.pixels.size(); ++i) {
        const uint32_t colour = sixteen.TableColor(block.pixels[i].value);
        ASSERT_EQ(big.TableColor(out.pixels[i].value), colour) << i;
        ASSERT_EQ(out.pixels[i].masked, block.pixels[i].masked);
    }
    // A true-colour target takes the colours.
    IconImage& tc = Add(16, 16, kTrueColor);
    ASSERT_TRUE(PrepareClipPaste(block, tc, m_prompt, false, 0, 0, &out));
    EXPECT_EQ(out.pixels[3].value, sixteen.TableColor(block.pixels[3].value));
}

TEST_F(PasteTest, TooLargeAsksAndShrinksOrStops) {
    const ClipBlock block = Copy(Add(64, 32, kTrueColor), 64, 32);
    IconImage& img = Add(32, 32, kTrueColor);
    PastePixels out;
    m_prompt.Answer(PromptAnswer::No);
    EXPECT_FALSE(PrepareClipPaste(block, img, m_prompt, false, 0, 0, &out));
    ASSERT_EQ(m_prompt.texts(), std::vector<std::string>{kBitmapTooLargeText});
    EXPECT_EQ(m_prompt.shown()[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(m_prompt.shown()[0].icon, PromptIcon::Stop);
    ASSERT_TRUE(PrepareClipPaste(block, img, m_prompt, false, 0, 0, &out));
    EXPECT_EQ(out.width, 32);
    EXPECT_EQ(out.height, 16);
    EXPECT_EQ(out.pixels.size(), 32u * 16);

    // The plain bitmap path asks with the question icon and truncates: 80 x 39 -> 32 x 15.
    std::vector<uint32_t> colours(80 * 39, 0x123456);
    m_prompt.Clear();
    ASSERT_TRUE(PrepareBitmapPaste(colours, 80, 39, img, m_prompt, false, 0, 0, &out));
    EXPECT_EQ(m_prompt.shown().at(0).icon, PromptIcon::Question);
    EXPECT_EQ(out.height, 15);
    EXPECT_FALSE(out.pixels[0].masked);
    EXPECT_EQ(out.pixels[0].value, 0x123456u);
}

TEST_F(PasteTest, RescaleKeepsMaskOnlyOnBlackOrWhite) {
    IconImage& img = Add(16, 16, kTrueColor);
    ClipBlock block;
    block.width = 2;
    block.height = 1;
    // A masked pixel that is neither black nor white becomes opaque; a masked black stays masked.
    block.pixels = {{0, 0, 0x000000, true}, {1, 0, 0x336699, true}};
    const auto out = RescaleClipPixels(block, img, 4, 2);
    ASSERT_EQ(out.size(), 8u);
    EXPECT_TRUE(out[0].masked);
    EXPECT_TRUE(out[5].masked);
    EXPECT_FALSE(out[6].masked);
    EXPECT_EQ(out[3].value, 0x336699u);
    EXPECT_EQ(out[7].x, 3);
    EXPECT_EQ(out[7].y, 1);
}

}  // namespace
}  // namespace vt
