#include <gtest/gtest.h>

#include "animator/ani_file.h"
#include "animator/ani_testutil.h"
#include "common/byte_reader.h"

namespace vt {
namespace {

using namespace vt::testing;

struct Steps {
    std::vector<Bytes> blocks;
    std::vector<AniFrameImage> frames;
    void Add(const Bytes& block, int32_t time = 10, uint16_t hotX = 0, uint16_t hotY = 0) {
        blocks.push_back(block);
        frames.push_back({time, hotX, hotY, {}});
        for (size_t i = 0; i < frames.size(); ++i) frames[i].block = blocks[i];
    }
};

// Offset of the data of the n-th chunk (0-based) with this id at the top level or inside a list.
size_t DataOf(const Bytes& file, const char* id, int nth = 0) {
    for (size_t p = 12; p + 8 <= file.size(); ++p)
        if (std::equal(id, id + 4, file.begin() + static_cast<std::ptrdiff_t>(p)) && nth-- == 0)
            return p + 8;
    return 0;
}
uint32_t SizeOf(const Bytes& file, const char* id) {
    return LoadLE32(&file[DataOf(file, id) - 4]);
}

TEST(AniWriter, NewAnimationHasOnlyTheHeaderAndOneImage) {
    Steps s;
    s.Add(MakeBlock(4, 0), 10, 0, 0);
    Bytes file = BuildAni(AniHeader{}, "", "", s.frames);
    EXPECT_EQ(ChunkIds(file), (std::vector<std::string>{"anih", "LIST:fram", "icon"}));
    EXPECT_EQ(LoadLE32(&file[4]), file.size());
    size_t anih = DataOf(file, "anih");
    EXPECT_EQ(SizeOf(file, "anih"), 36u);
    std::vector<uint32_t> fields;
    for (int i = 0; i < 9; ++i) fields.push_back(LoadLE32(&file[anih + 4 * i]));
    EXPECT_EQ(fields, (std::vector<uint32_t>{36, 1, 1, 0, 0, 4, 1, 10, 1}));

    size_t icon = DataOf(file, "icon");
    uint32_t iconSize = SizeOf(file, "icon");
    Bytes expected = CursorFile({{32, 32, 0, 0, FileImageOf(MakeBlock(4, 0))}});
    EXPECT_EQ(Bytes(file.begin() + static_cast<std::ptrdiff_t>(icon),
                    file.begin() + static_cast<std::ptrdiff_t>(icon + iconSize)),
              expected);
    // The list counts its type and every "icon" chunk with its header.
    EXPECT_EQ(LoadLE32(&file[icon - 16]), 4 + 8 + iconSize);
}

TEST(AniWriter, RepeatedPictureIsStoredOnceWithASequence) {
    Steps s;
    for (int i = 0; i < 3; ++i) s.Add(MakeBlock(8, 4), 10, 2, 3);
    Bytes file = BuildAni(AniHeader{}, "", "", s.frames);
    EXPECT_EQ(ChunkIds(file), (std::vector<std::string>{"anih", "seq ", "LIST:fram", "icon"}));
    size_t anih = DataOf(file, "anih");
    EXPECT_EQ(LoadLE32(&file[anih + 4]), 1u);
    EXPECT_EQ(LoadLE32(&file[anih + 8]), 3u);
    EXPECT_EQ(LoadLE32(&file[anih + 32]), 3u);
    EXPECT_EQ(SizeOf(file, "seq "), 12u);
    size_t seq = DataOf(file, "seq ");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(LoadLE32(&file[seq + 4 * i]), 0u);
}

TEST(AniWriter, ImagesAreNumberedInOrderOfFirstUse) {
    Steps s;
    s.Add(MakeBlock(4, 1));
    s.Add(MakeBlock(4, 2));
    s.Add(MakeBlock(4, 1));
    // Same pixels, another hot spot: a different cursor image.
    s.Add(MakeBlock(4, 2), 10, 1, 0);
    Bytes file = BuildAni(AniHeader{}, "", "", s.frames);
    size_t seq = DataOf(file, "seq ");
    std::vector<uint32_t> order;
    for (int i = 0; i < 4; ++i) order.push_back(LoadLE32(&file[seq + 4 * i]));
    EXPECT_EQ(order, (std::vector<uint32_t>{0, 1, 0, 2}));
    // The second chunk holds the second picture (its first XOR byte is its seed); the third the
    // moved hot spot.
    EXPECT_EQ(file[DataOf(file, "icon", 1) + 22 + 40 + 64], 2);
    EXPECT_EQ(LoadLE16(&file[DataOf(file, "icon", 2) + 10]), 1);
}

TEST(AniWriter, RateOnlyWhenATimeDiffersFromTheDefault) {
    Steps same;
    for (int i = 0; i < 3; ++i) same.Add(MakeBlock(4, static_cast<uint8_t>(i)), 10);
    EXPECT_EQ(DataOf(BuildAni(AniHeader{}, "", "", same.frames), "rate"), 0u);

    Steps differ;
    int32_t times[] = {10, 10, 20};
    for (int i = 0; i < 3; ++i) differ.Add(MakeBlock(4, static_cast<uint8_t>(i)), times[i]);
    Bytes file = BuildAni(AniHeader{}, "", "", differ.frames);
    EXPECT_EQ(ChunkIds(file),
              (std::vector<std::string>{"anih", "rate", "LIST:fram", "icon", "icon", "icon"}));
    size_t rate = DataOf(file, "rate");
    EXPECT_EQ(SizeOf(file, "rate"), 12u);
    EXPECT_EQ(LoadLE32(&file[rate + 8]), 20u);
    // Under another default the same times all need the chunk.
    AniHeader slow;
    slow.displayRate = 20;
    EXPECT_NE(DataOf(BuildAni(slow, "", "", same.frames), "rate"), 0u);
}

TEST(AniWriter, TextsCarryTheirZeroAndPadByte) {
    Steps s;
    s.Add(MakeBlock(4, 0));
    Bytes three = BuildAni(AniHeader{}, "abc", "", s.frames);
    EXPECT_EQ(ChunkIds(three),
              (std::vector<std::string>{"LIST:INFO", "INAM", "anih", "LIST:fram", "icon"}));
    EXPECT_EQ(SizeOf(three, "INAM"), 4u);
    EXPECT_EQ(three[DataOf(three, "INAM") + 3], 0);
    EXPECT_EQ(SizeOf(three, "LIST"), 4u + 8 + 4);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&three[DataOf(three, "INAM") + 4]), 4),
              "anih");

    Bytes four = BuildAni(AniHeader{}, "abcd", "wxyz", s.frames);
    EXPECT_EQ(SizeOf(four, "INAM"), 5u);
    EXPECT_EQ(SizeOf(four, "IART"), 5u);
    // Each odd chunk takes one pad byte, counted in the list's size.
    EXPECT_EQ(DataOf(four, "IART"), DataOf(four, "INAM") + 6 + 8);
    EXPECT_EQ(SizeOf(four, "LIST"), 4u + 2 * (8 + 6));

    Bytes author = BuildAni(AniHeader{}, "", std::string(90, 'q'), s.frames);
    EXPECT_EQ(ChunkIds(author)[1], "IART");
    EXPECT_EQ(SizeOf(author, "IART"), 81u);
}

TEST(AniWriter, RefusesStepsItCannotWrite) {
    EXPECT_TRUE(BuildAni(AniHeader{}, "", "", {}).empty());
    Steps s;
    s.Add(MakeBlock(4, 0));
    s.Add(Bytes(12, 0));  // no room for a bitmap header
    EXPECT_TRUE(BuildAni(AniHeader{}, "", "", s.frames).empty());
}

TEST(AniWriter, RoundTripThroughTheReader) {
    Steps s;
    s.Add(MakeBlock(24, 1), 5, 31, 0);
    s.Add(MakeBlock(24, 2), 999, 0, 31);
    s.Add(MakeBlock(24, 1), 0, 31, 0);
    AniHeader header;
    header.displayRate = 6;
    header.width = header.height = 32;
    header.bitCount = 24;
    Bytes file = BuildAni(header, "Title", "Author", s.frames);

    AniContents c;
    ASSERT_TRUE(ParseAni(file, 1024, &c).ok());
    EXPECT_EQ(c.title, "Title");
    EXPECT_EQ(c.author, "Author");
    EXPECT_EQ(c.header.displayRate, 6u);
    EXPECT_EQ(c.header.width, 32u);
    EXPECT_EQ(c.header.bitCount, 24u);
    EXPECT_EQ(c.header.imageCount, 2u);
    EXPECT_EQ(c.colorCode, 1024);
    ASSERT_EQ(c.steps.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const AniImage& image = c.images[c.steps[i].image];
        EXPECT_EQ(c.steps[i].time, s.frames[i].time);
        EXPECT_EQ(image.block, s.blocks[i]);
        EXPECT_EQ(image.hotX, s.frames[i].hotX);
        EXPECT_EQ(image.hotY, s.frames[i].hotY);
    }
}

}  // namespace
}  // namespace vt
