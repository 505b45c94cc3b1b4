#include "image/icon_image.h"

#include <gtest/gtest.h>

#include "common/byte_reader.h"

namespace vt {
namespace {

TEST(ColorCodes, MapBetweenCodesBitsAndTables) {
    EXPECT_EQ(BitsForCode(2), 1);
    EXPECT_EQ(BitsForCode(16), 4);
    EXPECT_EQ(BitsForCode(256), 8);
    EXPECT_EQ(BitsForCode(1024), 24);
    EXPECT_EQ(BitsForCode(7), 24);

    EXPECT_EQ(CodeForBitCount(1), 2);
    EXPECT_EQ(CodeForBitCount(4), 16);
    EXPECT_EQ(CodeForBitCount(8), 256);
    for (uint32_t other : {0u, 2u, 16u, 24u, 32u}) EXPECT_EQ(CodeForBitCount(other), 1024) << other;

    EXPECT_EQ(TableEntriesForCode(2), 2u);
    EXPECT_EQ(TableEntriesForCode(16), 16u);
    EXPECT_EQ(TableEntriesForCode(256), 256u);
    EXPECT_EQ(TableEntriesForCode(1024), 0u);
    EXPECT_TRUE(IsPaletteBased(256));
    EXPECT_FALSE(IsPaletteBased(1024));

    EXPECT_STREQ(DepthName(2), "Monochrome");
    EXPECT_STREQ(DepthName(16), "16 color");
    EXPECT_STREQ(DepthName(256), "256 color");
    EXPECT_STREQ(DepthName(1024), "high color");
}

TEST(ColorCodes, HeaderTableLengthPrefersClrUsedAndRewritesDirectDepths) {
    uint16_t bits = 8;
    EXPECT_EQ(HeaderTableLength(20, &bits), 20u);
    EXPECT_EQ(HeaderTableLength(0, &bits), 256u);
    bits = 4;
    EXPECT_EQ(HeaderTableLength(0, &bits), 16u);
    bits = 1;
    EXPECT_EQ(HeaderTableLength(0, &bits), 2u);
    bits = 32;
    EXPECT_EQ(HeaderTableLength(0, &bits), 0u);
    EXPECT_EQ(bits, 24);
    bits = 16;
    EXPECT_EQ(HeaderTableLength(0, &bits), 0u);
    EXPECT_EQ(bits, 24);
}

TEST(BlockSizes, RowsArePaddedTo32Bits) {
    // 48 monochrome pixels are 6 bytes, padded to 8; the mask the same.
    EXPECT_EQ(XorSize(48, 48, kMonochrome), 384u);
    EXPECT_EQ(AndSize(48, 48), 384u);
    // 16 true-colour pixels are 48 bytes; a 16-pixel mask row is still padded to 4 bytes.
    EXPECT_EQ(XorSize(16, 16, kTrueColor), 768u);
    EXPECT_EQ(AndStride(16), 4u);
    EXPECT_EQ(AndSize(16, 16), 64u);
    EXPECT_EQ(XorStride(3, 4), 4u);
    EXPECT_EQ(XorStride(9, 24), 28u);
    EXPECT_EQ(AndStride(33), 8u);
    // The sizes the Icon Properties dialog shows for its two classic formats.
    EXPECT_EQ(BlockSize(32, 32, kColors16), 744u);
    EXPECT_EQ(BlockSize(48, 48, kColors256), 3752u);
    EXPECT_EQ(BlockSize(32, 32, kTrueColor), 40u + 3072u + 128u);
}

TEST(BitmapInfoHeader, StoresLittleEndianFieldsAtTheirOffsets) {
    BitmapInfoHeader h;
    h.width = 48;
    h.height = -3;
    h.bitCount = 24;
    h.sizeImage = 0x01020304;
    h.clrUsed = 256;
    uint8_t bytes[40];
    h.Store(bytes);
    EXPECT_EQ(LoadLE32(bytes), 40u);
    EXPECT_EQ(LoadLE32(bytes + 4), 48u);
    EXPECT_EQ(static_cast<int32_t>(LoadLE32(bytes + 8)), -3);
    EXPECT_EQ(LoadLE16(bytes + 12), 1);
    EXPECT_EQ(LoadLE16(bytes + 14), 24);
    EXPECT_EQ(LoadLE32(bytes + 20), 0x01020304u);
    EXPECT_EQ(LoadLE32(bytes + 32), 256u);
    BitmapInfoHeader back = BitmapInfoHeader::Load(bytes);
    EXPECT_EQ(back.height, -3);
    EXPECT_EQ(back.sizeImage, 0x01020304u);
}

IconImage Allocated(int32_t w, int32_t h, int32_t code) {
    IconImage img;
    img.width = w;
    img.height = h;
    img.colorCode = code;
    EXPECT_TRUE(img.AllocateBlock());
    return img;
}

TEST(IconImageBlock, HeaderTableAndPartsFollowTheFileLayout) {
    IconImage img = Allocated(48, 48, kColors256);
    ASSERT_EQ(img.block.size(), 3752u);
    BitmapInfoHeader h = BitmapInfoHeader::Load(img.block.data());
    EXPECT_EQ(h.size, 40u);
    EXPECT_EQ(h.height, 48);  // one image, not doubled
    EXPECT_EQ(h.bitCount, 8);
    EXPECT_EQ(h.sizeImage, 2304u);  // XOR bits only
    EXPECT_EQ(h.clrUsed, 256u);
    EXPECT_EQ(img.ColorTable().data() - img.block.data(), 40);
    EXPECT_EQ(img.XorBits().data() - img.block.data(), 40 + 1024);
    EXPECT_EQ(img.AndBits().data() - img.block.data(), 40 + 1024 + 2304);
    EXPECT_EQ(img.AndBits().size(), 384u);

    IconImage tc = Allocated(16, 16, kTrueColor);
    BitmapInfoHeader t = BitmapInfoHeader::Load(tc.block.data());
    EXPECT_EQ(t.bitCount, 24);
    EXPECT_EQ(t.clrUsed, 0u);
    EXPECT_TRUE(tc.ColorTable().empty());
}

TEST(IconImageBlock, MaskHeaderDescribesTheAndBitsWithBlackAndWhite) {
    IconImage img = Allocated(20, 10, kColors16);
    BitmapInfoHeader m = BitmapInfoHeader::Load(img.maskHeader.data());
    EXPECT_EQ(m.width, 20);
    EXPECT_EQ(m.height, 10);
    EXPECT_EQ(m.planes, 1);
    EXPECT_EQ(m.bitCount, 1);
    EXPECT_EQ(m.clrUsed, 2u);
    EXPECT_EQ(m.sizeImage, 40u);
    EXPECT_EQ(LoadLE32(img.maskHeader.data() + 40), 0x000000u);
    EXPECT_EQ(LoadLE32(img.maskHeader.data() + 44), 0xFFFFFFu);
}

TEST(IconImagePixels, RowsAreStoredBottomUpInEveryDepth) {
    for (int32_t code : {kMonochrome, kColors16, kColors256, kTrueColor}) {
        SCOPED_TRACE(code);
        IconImage img = Allocated(9, 5, code);
        const uint32_t value = code == kTrueColor ? 0x123456 : (code == kMonochrome ? 1 : 5);
        img.SetXorValue(0, 0, value);
        img.SetAndBit(8, 4, true);
        EXPECT_EQ(img.XorValue(0, 0), value);
        EXPECT_EQ(img.XorValue(1, 0), 0u);
        EXPECT_TRUE(img.AndBit(8, 4));
        EXPECT_FALSE(img.AndBit(7, 4));
        // The top row is the last row of the block; the bottom row the first.
        const uint8_t* topRow = img.XorBits().data() + 4 * img.XorRowBytes();
        EXPECT_NE(topRow[0], 0);
        EXPECT_EQ(img.AndBits()[1], 0x80);  // bottom row, pixel 8
        img.SetXorValue(0, 0, 0);
        EXPECT_EQ(img.XorValue(0, 0), 0u);
    }
}

TEST(IconImagePixels, PackingMatchesTheDrawingEngine) {
    IconImage four = Allocated(8, 1, kColors16);
    four.SetXorValue(0, 0, 0xA);
    four.SetXorValue(1, 0, 0x3);
    EXPECT_EQ(four.XorBits()[0], 0xA3);  // high nibble is the left pixel

    IconImage mono = Allocated(8, 1, kMonochrome);
    mono.SetXorValue(1, 0, 1);
    EXPECT_EQ(mono.XorBits()[0], 0x40);

    IconImage tc = Allocated(2, 1, kTrueColor);
    tc.SetXorValue(1, 0, 0x00332211);  // red 0x11, green 0x22, blue 0x33
    EXPECT_EQ(tc.XorBits()[3], 0x33);  // stored blue, green, red
    EXPECT_EQ(tc.XorBits()[4], 0x22);
    EXPECT_EQ(tc.XorBits()[5], 0x11);
}

TEST(IconImagePixels, TableColorsSwapRedAndBlue) {
    IconImage img = Allocated(8, 8, kColors16);
    img.SetTableColor(3, 0x0000FF);         // red as a colour value
    EXPECT_EQ(img.ColorTable()[12], 0x00);  // blue
    EXPECT_EQ(img.ColorTable()[14], 0xFF);  // red
    EXPECT_EQ(img.TableColor(3), 0x0000FFu);
}

TEST(IconImageSlots, CloneCopiesTheImageButNotItsHistory) {
    static int destroyed = 0;
    IconImage img = Allocated(8, 8, kColors16);
    img.colorA = {3, true};
    img.undo = UndoBufferPtr(reinterpret_cast<UndoBuffer*>(&img),
                             SlotDeleter<UndoBuffer>{[](UndoBuffer*) { ++destroyed; }});
    IconImage copy = img.Clone();
    EXPECT_EQ(copy.block, img.block);
    EXPECT_EQ(copy.colorA, img.colorA);
    EXPECT_EQ(copy.undo, nullptr);
    img.FreeBits();
    EXPECT_EQ(destroyed, 1);  // the slot's own destroy function released it
    EXPECT_FALSE(img.HasBits());
    EXPECT_TRUE(img.XorBits().empty());
}

}  // namespace
}  // namespace vt
