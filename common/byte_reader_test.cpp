#include "common/byte_reader.h"

#include <gtest/gtest.h>

#include "common/byte_writer.h"

namespace vt {
namespace {

TEST(InRangeTest, RejectsRangesThatWouldOverflow) {
    EXPECT_TRUE(InRange(10, 0, 10));
    EXPECT_TRUE(InRange(10, 10, 0));
    EXPECT_FALSE(InRange(10, 11, 0));
    EXPECT_FALSE(InRange(10, 1, 10));
    // off + n wraps around to a small number: the naive check would accept it.
    EXPECT_FALSE(InRange(10, 2, SIZE_MAX));
    EXPECT_FALSE(InRange(10, SIZE_MAX, 2));
    EXPECT_FALSE(InRange(SIZE_MAX, SIZE_MAX, 1));
    EXPECT_TRUE(InRange(SIZE_MAX, SIZE_MAX, 0));
}

TEST(CheckedMathTest, DetectsOverflow) {
    size_t out = 0;
    EXPECT_TRUE(CheckedMul(0, SIZE_MAX, &out));
    EXPECT_EQ(out, 0u);
    EXPECT_FALSE(CheckedMul(SIZE_MAX / 2 + 1, 2, &out));
    EXPECT_TRUE(CheckedMul(SIZE_MAX / 2, 2, &out));
    EXPECT_FALSE(CheckedAdd(SIZE_MAX, 1, &out));
    EXPECT_TRUE(CheckedAdd(SIZE_MAX - 1, 1, &out));
    EXPECT_EQ(out, SIZE_MAX);
}

TEST(ByteReaderTest, ReadsLittleEndianFields) {
    const uint8_t data[] = {0x01, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xFF, 0xFF};
    ByteReader r(data, sizeof data);
    EXPECT_EQ(r.U8(), 0x01);
    EXPECT_EQ(r.U16(), 0x1234);
    EXPECT_EQ(r.U32(), 0x12345678u);
    EXPECT_EQ(r.I16(), -1);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.remaining(), 0u);
}

TEST(ByteReaderTest, FailureIsStickyAndYieldsZeros) {
    const uint8_t data[] = {0xAA, 0xBB, 0xCC};
    ByteReader r(data, sizeof data);
    EXPECT_EQ(r.U32(), 0u);  // only 3 bytes
    EXPECT_FALSE(r.ok());
    // Even a read that would fit the data now yields zero: a failed record stays failed.
    EXPECT_EQ(r.U8(), 0u);
    EXPECT_EQ(r.U16(), 0u);
    EXPECT_TRUE(r.Bytes(1).empty());
    EXPECT_EQ(r.remaining(), 0u);
}

TEST(ByteReaderTest, HostileSkipsSeeksAndLengths) {
    const uint8_t data[8] = {};
    {
        ByteReader r(data, sizeof data);
        EXPECT_TRUE(r.Skip(8));
        EXPECT_TRUE(r.Bytes(0).empty());
        EXPECT_TRUE(r.ok());
        EXPECT_FALSE(r.Skip(1));
    }
    {
        ByteReader r(data, sizeof data);
        r.U16();
        EXPECT_FALSE(r.Skip(SIZE_MAX));  // offset + SIZE_MAX wraps
        EXPECT_FALSE(r.ok());
    }
    {
        ByteReader r(data, sizeof data);
        EXPECT_FALSE(r.Seek(9));
        EXPECT_FALSE(r.ok());
    }
    {
        ByteReader r(data, sizeof data);
        EXPECT_TRUE(r.Seek(8));
        EXPECT_EQ(r.U8(), 0u);
        EXPECT_FALSE(r.ok());
    }
    {
        ByteReader r(data, sizeof data);
        uint8_t out[4] = {1, 2, 3, 4};
        r.Skip(6);
        EXPECT_FALSE(r.CopyTo(out, 4));
        EXPECT_EQ(out[0] | out[1] | out[2] | out[3], 0);  // never half-filled with stale bytes
    }
}

TEST(ByteReaderTest, SubReadersStayInsideTheirRange) {
    const uint8_t data[] = {1, 2, 3, 4, 5, 6};
    ByteReader r(data, sizeof data);
    ByteReader sub = r.Sub(2, 3);
    ASSERT_TRUE(sub.ok());
    EXPECT_EQ(sub.U8(), 3);
    EXPECT_EQ(sub.U16(), 0x0504);
    EXPECT_EQ(sub.U8(), 0);  // byte 6 belongs to the parent only
    EXPECT_FALSE(sub.ok());
    EXPECT_TRUE(r.ok());

    EXPECT_FALSE(r.Sub(5, 2).ok());
    EXPECT_FALSE(r.Sub(SIZE_MAX, 1).ok());
    EXPECT_FALSE(r.Sub(1, SIZE_MAX).ok());
    EXPECT_TRUE(r.Sub(6, 0).ok());
}

TEST(ByteReaderTest, FixedTextStopsAtZeroButMovesTheWholeField) {
    const uint8_t data[] = {'I', 'C', 'L', 0, 'x', 'y', 7};
    ByteReader r(data, sizeof data);
    EXPECT_EQ(r.FixedText(6), "ICL");
    EXPECT_EQ(r.U8(), 7);
    ByteReader full(data, 3);
    EXPECT_EQ(full.FixedText(3), "ICL");
}

TEST(ByteReaderTest, EmptyDataFailsOnFirstRead) {
    ByteReader r;
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.U8(), 0);
    EXPECT_FALSE(r.ok());
}

TEST(ByteWriterTest, WritesPatchesAndAligns) {
    ByteWriter w;
    w.U8(0x4D);
    w.U16(0x1234);
    w.U32(0);
    w.I32(-2);
    w.PatchU32(3, 0xA1B2C3D4);
    w.AlignTo(16);
    ASSERT_EQ(w.size(), 16u);
    ByteReader r(w.bytes());
    EXPECT_EQ(r.U8(), 0x4D);
    EXPECT_EQ(r.U16(), 0x1234);
    EXPECT_EQ(r.U32(), 0xA1B2C3D4u);
    EXPECT_EQ(r.I32(), -2);
    w.AlignTo(16);
    EXPECT_EQ(w.size(), 16u);  // already aligned: nothing added
}

}  // namespace
}  // namespace vt
