#include <gtest/gtest.h>

#include <random>

#include "image/bmp_reader.h"
#include "image/bmp_testutil.h"

namespace vt {
namespace {

using test::BmpFixture;
using test::MakeBmp;

std::vector<uint32_t> Random(size_t n, uint32_t mask, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<uint32_t> v(n);
    for (auto& x : v) x = rng() & mask;
    return v;
}

TEST(BmpReader, PaletteDepthsReadIndicesAndColours) {
    for (int bits : {1, 4, 8}) {
        SCOPED_TRACE(bits);
        BmpFixture s;
        s.width = 13;  // rows need padding at every depth
        s.height = 5;
        s.bits = bits;
        s.table = Random(1u << bits, 0xFFFFFF, 1);
        s.pixels = Random(13 * 5, (1u << bits) - 1, 2);
        BmpPicture pic;
        ASSERT_EQ(ReadBmp(MakeBmp(s), &pic), BmpError::None);
        ASSERT_EQ(pic.width, 13);
        ASSERT_EQ(pic.table, s.table);
        for (size_t p = 0; p < s.pixels.size(); ++p) {
            ASSERT_EQ(pic.indices[p], s.pixels[p]) << p;
            ASSERT_EQ(pic.colours[p], s.table[s.pixels[p]]) << p;
        }
    }
}

TEST(BmpReader, ShortTableLeavesTheRestBlack) {
    BmpFixture s;
    s.bits = 8;
    s.table = {0x0000FF, 0x00FF00, 0xFF0000};
    s.pixels.assign(64, 2);
    BmpPicture pic;
    ASSERT_EQ(ReadBmp(MakeBmp(s), &pic), BmpError::None);
    ASSERT_EQ(pic.table.size(), 256u);
    EXPECT_EQ(pic.table[2], 0xFF0000u);
    EXPECT_EQ(pic.table[3], 0u);
    EXPECT_EQ(pic.colours[0], 0xFF0000u);
}

TEST(BmpReader, TrueColourDepthsAndBitFields) {
    BmpFixture s;
    s.width = 7;
    s.height = 3;
    s.bits = 24;
    s.pixels = Random(21, 0xFFFFFF, 3);
    BmpPicture pic;
    ASSERT_EQ(ReadBmp(MakeBmp(s), &pic), BmpError::None);
    EXPECT_EQ(pic.colours, s.pixels);
    EXPECT_TRUE(pic.table.empty());

    // Top-down rows.
    s.topDown = true;
    ASSERT_EQ(ReadBmp(MakeBmp(s), &pic), BmpError::None);
    EXPECT_EQ(pic.colours, s.pixels);

    // 32 bits without fields: blue, green, red, unused.
    s.topDown = false;
    s.bits = 32;
    s.pixels = {0xFF112233};
    s.width = s.height = 1;
    ASSERT_EQ(ReadBmp(MakeBmp(s), &pic), BmpError::None);
    EXPECT_EQ(pic.colours[0], 0x332211u);

    // 16 bits without fields are 5-5-5; full channels widen to 255.
    s.bits = 16;
    s.pixels = {0x7C00 | 0x001F};
    ASSERT_EQ(ReadBmp(MakeBmp(s), &pic), BmpError::None);
    EXPECT_EQ(pic.colours[0], 0xFF00FFu);

    // 5-6-5 fields: green 0x3F is full, 0x20 is about half.
    s.bitFields = true;
    s.masks[0] = 0xF800;
    s.masks[1] = 0x07E0;
    s.masks[2] = 0x001F;
    s.pixels = {0x07E0};
    ASSERT_EQ(ReadBmp(MakeBmp(s), &pic), BmpError::None);
    EXPECT_EQ(pic.colours[0], 0x00FF00u);
    s.pixels = {0x0400 | 0x0010};
    ASSERT_EQ(ReadBmp(MakeBmp(s), &pic), BmpError::None);
    EXPECT_EQ(pic.colours[0], (132u << 16) | (130u << 8));  // bits repeated: 10000100, 10000010

    // 32-bit fields in another order.
    s.bits = 32;
    s.masks[0] = 0x000000FF;
    s.masks[1] = 0x0000FF00;
    s.masks[2] = 0x00FF0000;
    s.pixels = {0x00563412};
    ASSERT_EQ(ReadBmp(MakeBmp(s), &pic), BmpError::None);
    EXPECT_EQ(pic.colours[0], 0x563412u);
}

TEST(BmpReader, RleRunsLiteralsDeltasAndLineEnds) {
    const std::vector<uint32_t> table = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000};
    // 4 x 3, bottom-up: row 2 (bottom) "1 1 2 3", row 1 delta-skipped, row 0 "3 . . ."
    const std::vector<uint8_t> rle8 = {2, 1, 1, 2, 1, 3, 0, 0,  // runs, end of line
                                       0, 2, 0, 1,              // delta: down one row
                                       1, 3, 0, 1};             // run of one 3, end of bitmap
    BmpPicture pic;
    ASSERT_EQ(ReadBmp(test::MakeRleBmp(4, 3, false, table, rle8), &pic), BmpError::None);
    EXPECT_EQ(pic.indices, (std::vector<uint8_t>{3, 0, 0, 0, 0, 0, 0, 0, 1, 1, 2, 3}));
    // A literal of three, padded to 16 bits, then a run.
    const std::vector<uint8_t> literal = {0, 3, 2, 3, 1, 0, 1, 2, 0, 1};
    ASSERT_EQ(ReadBmp(test::MakeRleBmp(4, 1, false, table, literal), &pic), BmpError::None);
    EXPECT_EQ(pic.indices, (std::vector<uint8_t>{2, 3, 1, 2}));
    // RLE4: a run alternates the nibbles; literals are padded to 16 bits.
    const std::vector<uint8_t> rle4 = {3, 0x12, 0, 0, 0, 3, 0x31, 0x20, 0, 1};
    ASSERT_EQ(ReadBmp(test::MakeRleBmp(4, 2, true, table, rle4), &pic), BmpError::None);
    EXPECT_EQ(pic.indices, (std::vector<uint8_t>{3, 1, 2, 0, 1, 2, 1, 0}));
    // Runs past the row end and data that stop early are cut, never written outside.
    const std::vector<uint8_t> wild = {255, 1, 0, 2, 200, 200, 0, 40};
    ASSERT_EQ(ReadBmp(test::MakeRleBmp(4, 2, false, table, wild), &pic), BmpError::None);
    EXPECT_EQ(pic.indices.size(), 8u);
}

TEST(BmpReader, BrokenHeadersAreRefused) {
    BmpFixture s;
    s.pixels = Random(64, 0xFFFFFF, 5);
    const auto good = MakeBmp(s);
    BmpPicture pic;
    auto cut = good;
    cut.resize(53);
    EXPECT_EQ(ReadBmp(cut, &pic), BmpError::Truncated);
    cut = good;
    cut.pop_back();
    EXPECT_EQ(ReadBmp(cut, &pic), BmpError::Truncated);
    auto bad = good;
    bad[28] = 7;  // bit count
    EXPECT_EQ(ReadBmp(bad, &pic), BmpError::Unsupported);
    bad = good;
    bad[30] = 9;  // compression
    EXPECT_EQ(ReadBmp(bad, &pic), BmpError::Unsupported);
    bad = good;
    bad[18] = bad[19] = bad[20] = 0xFF;
    bad[21] = 0x7F;  // width 2^31 - 1
    EXPECT_EQ(ReadBmp(bad, &pic), BmpError::TooLarge);
    bad = good;
    bad[10] = 0xFF;  // pixel data beyond the end
    bad[11] = 0xFF;
    EXPECT_EQ(ReadBmp(bad, &pic), BmpError::Truncated);
    bad = good;
    bad[22] = bad[23] = bad[24] = 0;
    bad[25] = 0x80;  // height INT32_MIN
    EXPECT_EQ(ReadBmp(bad, &pic), BmpError::Unsupported);
}

TEST(BmpReader, TruncationAndBitFlipsNeverCrash) {
    BmpFixture s;
    s.width = 9;
    s.height = 6;
    s.bits = 4;
    s.table = Random(16, 0xFFFFFF, 6);
    s.pixels = Random(54, 15, 7);
    const auto file = MakeBmp(s);
    const std::vector<uint8_t> rle = {3, 0x12, 0, 3, 0x31, 0x20, 0, 0, 0, 2, 1, 1, 0, 1};
    const auto rleFile = test::MakeRleBmp(9, 6, true, s.table, rle);
    BmpPicture pic;
    for (const auto& f : {file, rleFile}) {
        for (size_t n = 0; n < f.size(); ++n) ReadBmp(std::span<const uint8_t>(f.data(), n), &pic);
        for (size_t at = 0; at < f.size(); ++at)
            for (int bit = 0; bit < 8; ++bit) {
                auto flipped = f;
                flipped[at] ^= static_cast<uint8_t>(1 << bit);
                if (ReadBmp(flipped, &pic) == BmpError::None) {
                    ASSERT_EQ(pic.colours.size(), static_cast<size_t>(pic.width) * pic.height);
                }
            }
    }
}

}  // namespace
}  // namespace vt
