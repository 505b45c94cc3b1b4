#include <gtest/gtest.h>

#include "animator/ani_file.h"
#include "animator/ani_testutil.h"
#include "common/byte_reader.h"

namespace vt {
namespace {

using namespace vt::testing;

constexpr int kHighColorDisplay = 1024;

AniReadResult Parse(const Bytes& file, AniContents* out, int display = kHighColorDisplay) {
    return ParseAni(file, display, out);
}

AniReadError ErrorOf(const Bytes& file, int display = kHighColorDisplay) {
    AniContents c;
    return Parse(file, &c, display).error;
}

std::string MessageOf(const Bytes& file, int display = kHighColorDisplay) {
    AniContents c;
    AniReadResult r = Parse(file, &c, display);
    return r.message ? r.message->text : std::string();
}

// Three steps over two pictures, with every optional chunk present.
Bytes FullFile() {
    return AniFile({
        List("INFO",
             {Chunk("INAM", {'T', 'r', 'e', 'k', 0}), Chunk("IART", {'S', 'p', 'o', 'c', 'k', 0})}),
        Chunk("anih", AnihData(2, 3, 10, 3)),
        Chunk("rate", Le32({10, 20, 30})),
        Chunk("seq ", Le32({1, 0, 1})),
        List("fram",
             {Chunk("icon", SimpleCursor(4, 1, 3, 4)), Chunk("icon", SimpleCursor(4, 2, 5, 6))}),
    });
}

TEST(AniReader, ReadsStepsTimesSequenceAndTexts) {
    AniContents c;
    ASSERT_TRUE(Parse(FullFile(), &c).ok());
    EXPECT_EQ(c.title, "Trek");
    EXPECT_EQ(c.author, "Spock");
    ASSERT_EQ(c.steps.size(), 3u);
    EXPECT_EQ(c.steps[0].time, 10);
    EXPECT_EQ(c.steps[1].time, 20);
    EXPECT_EQ(c.steps[2].time, 30);
    // Steps 0 and 2 show the second chunk, step 1 the first.
    const AniImage& first = c.images[c.steps[1].image];
    const AniImage& second = c.images[c.steps[0].image];
    EXPECT_EQ(c.steps[0].image, c.steps[2].image);
    EXPECT_EQ(first.hotX, 3);
    EXPECT_EQ(first.hotY, 4);
    EXPECT_EQ(second.hotX, 5);
    EXPECT_EQ(second.hotY, 6);
    EXPECT_EQ(first.block, MakeBlock(4, 1));
    EXPECT_EQ(second.block, MakeBlock(4, 2));
    EXPECT_EQ(c.header.imageCount, 2u);
    EXPECT_EQ(c.colorCode, 16);
    EXPECT_FALSE(c.unusedImages);
}

TEST(AniReader, StepsWithoutRateOrSequenceUseHeaderRateAndOneImageEach) {
    AniContents c;
    ASSERT_TRUE(Parse(AniFile({Chunk("anih", AnihData(2, 2, 7)),
                               List("fram", {Chunk("icon", SimpleCursor(1, 1)),
                                             Chunk("icon", SimpleCursor(1, 2))})}),
                      &c)
                    .ok());
    ASSERT_EQ(c.steps.size(), 2u);
    EXPECT_EQ(c.steps[0].time, 7);
    EXPECT_EQ(c.steps[1].time, 7);
    EXPECT_EQ(c.images[c.steps[0].image].block, MakeBlock(1, 1));
    EXPECT_EQ(c.images[c.steps[1].image].block, MakeBlock(1, 2));
    EXPECT_EQ(c.colorCode, 2);
}

TEST(AniReader, SkipsUnknownChunksAndListsAnywhere) {
    Bytes odd = Chunk("junk", {1, 2, 3});  // odd size: the pad byte must be skipped too
    AniContents c;
    ASSERT_TRUE(Parse(AniFile({odd, List("abcd", {odd}), Chunk("anih", AnihData(1, 1)), odd,
                               List("INFO", {odd, Chunk("INAM", {'x', 0})}),
                               List("fram", {odd, Chunk("icon", SimpleCursor(4, 9)), odd}), odd}),
                      &c)
                    .ok());
    EXPECT_EQ(c.title, "x");
    ASSERT_EQ(c.steps.size(), 1u);
    EXPECT_EQ(c.images[0].block, MakeBlock(4, 9));
}

TEST(AniReader, ExtraRateEntriesAreIgnoredAndMissingOnesKeepTheDefault) {
    AniContents c;
    ASSERT_TRUE(Parse(AniFile({Chunk("anih", AnihData(1, 2, 9, 3)), Chunk("rate", Le32({4})),
                               Chunk("seq ", Le32({0, 0, 5, 5})),
                               List("fram", {Chunk("icon", SimpleCursor(4, 1))})}),
                      &c)
                    .ok());
    EXPECT_EQ(c.steps[0].time, 4);
    EXPECT_EQ(c.steps[1].time, 9);
}

TEST(AniReader, LongTextsAreCutTo80Bytes) {
    Bytes longText(100, 'a');
    longText.push_back(0);
    AniContents c;
    ASSERT_TRUE(
        Parse(AniFile({List("INFO", {Chunk("IART", longText)}), Chunk("anih", AnihData(1, 1)),
                       List("fram", {Chunk("icon", SimpleCursor(4, 1))})}),
              &c)
            .ok());
    EXPECT_EQ(c.author, std::string(80, 'a'));
}

TEST(AniReader, TwoImageChunkTakesThe32x32ImageAndNotesTheOther) {
    Bytes small = FileImageOf(MakeBlock(4, 3));
    StoreLE32(small.data() + 4, 16);  // the header is not looked at for the skipped image
    Bytes icon = CursorFile({{16, 16, 1, 1, small}, {32, 32, 7, 8, FileImageOf(MakeBlock(4, 5))}});
    AniContents c;
    ASSERT_TRUE(
        Parse(AniFile({Chunk("anih", AnihData(1, 1)), List("fram", {Chunk("icon", icon)})}), &c)
            .ok());
    EXPECT_TRUE(c.unusedImages);
    EXPECT_EQ(c.images[0].block, MakeBlock(4, 5));
    EXPECT_EQ(c.images[0].hotX, 7);
    EXPECT_EQ(c.images[0].hotY, 8);
}

TEST(AniReader, NormalisesImagesFromOtherWriters) {
    // An icon-type file (no hot spot in its directory) with a short colour table.
    Bytes block = MakeBlock(4, 6);
    Bytes shortTable(block.begin(), block.begin() + 40);
    StoreLE32(shortTable.data() + 32, 3);
    shortTable.insert(shortTable.end(), block.begin() + 40, block.begin() + 52);
    shortTable.insert(shortTable.end(), block.begin() + 40 + 64, block.end());
    Bytes icon = CursorFile({{32, 32, 1, 4, FileImageOf(shortTable)}}, 1);
    AniContents c;
    ASSERT_TRUE(
        Parse(AniFile({Chunk("anih", AnihData(1, 1)), List("fram", {Chunk("icon", icon)})}), &c)
            .ok());
    const AniImage& image = c.images[0];
    EXPECT_EQ(image.hotX, 0);
    EXPECT_EQ(image.hotY, 0);
    ASSERT_EQ(image.block.size(), block.size());
    EXPECT_EQ(LoadLE32(image.block.data() + 32), 16u);
    EXPECT_TRUE(std::equal(block.begin() + 40, block.begin() + 52, image.block.begin() + 40));
    EXPECT_TRUE(std::all_of(image.block.begin() + 52, image.block.begin() + 104,
                            [](uint8_t b) { return b == 0; }));
    EXPECT_TRUE(std::equal(block.begin() + 104, block.end(), image.block.begin() + 104));
}

TEST(AniReader, RefusalsWithTheirMessages) {
    auto withIcon = [](const Bytes& icon) {
        return AniFile({Chunk("anih", AnihData(1, 1)), List("fram", {Chunk("icon", icon)})});
    };
    Bytes sixteen = FileImageOf(MakeBlock(4, 1));
    EXPECT_EQ(MessageOf(withIcon(CursorFile({{16, 16, 0, 0, sixteen}}))),
              "Cannot locate 32x32 pixel image, only 16x16.\n\nFile open aborted.");

    CursorEntry e{32, 32, 0, 0, FileImageOf(MakeBlock(4, 1))};
    AniContents c;
    AniReadResult five = Parse(withIcon(CursorFile({e, e, e, e, e})), &c);
    EXPECT_EQ(five.error, AniReadError::ImageCountRange);
    ASSERT_TRUE(five.message);
    EXPECT_EQ(five.message->text,
              "Image count is out of range in icon chunk.\n\nFile open aborted.");
    EXPECT_EQ(five.message->icon, PromptIcon::Exclamation);

    const std::string unsupported =
        "This file contains images in an unsupported color format.\n\nThe Animator is designed to "
        "edit images in 16, 256, or True Color (24-bit).";
    for (uint16_t bits : {16, 32, 2, 0}) {
        Bytes icon = SimpleCursor(4, 1);
        StoreLE16(icon.data() + 22 + 14, bits);
        EXPECT_EQ(MessageOf(withIcon(icon)), unsupported) << bits;
    }
    Bytes compressed = SimpleCursor(8, 1);
    StoreLE32(compressed.data() + 22 + 16, 1);
    EXPECT_EQ(MessageOf(withIcon(compressed)), unsupported);

    const std::string depth =
        "This file contains images in a color depth that your current video mode does not support.";
    EXPECT_EQ(MessageOf(withIcon(SimpleCursor(8, 1)), 256), depth);
    EXPECT_EQ(MessageOf(withIcon(SimpleCursor(24, 1)), 16), depth);
    EXPECT_EQ(ErrorOf(withIcon(SimpleCursor(4, 1)), 16), AniReadError::None);

    Bytes wide = SimpleCursor(4, 1);
    StoreLE32(wide.data() + 22 + 4, 48);
    EXPECT_EQ(MessageOf(withIcon(wide)),
              "This file contains images larger than 32x32 pixels.\n\nThe Animator is designed to "
              "edit images up to 32x32 pixels in size.");
}

TEST(AniReader, QuietRefusals) {
    Bytes icon = List("fram", {Chunk("icon", SimpleCursor(4, 1))});
    Bytes anih = Chunk("anih", AnihData(1, 1));
    EXPECT_EQ(ErrorOf(Bytes{}), AniReadError::NotAni);
    Bytes notAcon = AniFile({anih, icon});
    notAcon[8] = 'X';
    EXPECT_EQ(ErrorOf(notAcon), AniReadError::NotAni);
    EXPECT_EQ(ErrorOf(AniFile({Chunk("rate", Le32({1})), anih, icon})), AniReadError::EarlyArray);
    EXPECT_EQ(ErrorOf(AniFile({Chunk("seq ", Le32({0})), anih, icon})), AniReadError::EarlyArray);
    EXPECT_EQ(ErrorOf(AniFile({icon, anih})), AniReadError::EarlyArray);
    EXPECT_EQ(ErrorOf(AniFile({anih, anih, icon})), AniReadError::BadHeader);
    EXPECT_EQ(ErrorOf(AniFile({Chunk("anih", Le32({36, 1, 1, 0, 0, 4, 1, 10})), icon})),
              AniReadError::BadHeader);
    EXPECT_EQ(ErrorOf(AniFile({Chunk("anih", AnihData(1, 1, 10, 0)), icon})),
              AniReadError::BadHeader);
    EXPECT_EQ(ErrorOf(AniFile({Chunk("anih", AnihData(0, 1)), icon})), AniReadError::BadHeader);
    EXPECT_EQ(ErrorOf(AniFile({Chunk("anih", AnihData(1, 0)), icon})), AniReadError::NoSteps);
    EXPECT_EQ(ErrorOf(AniFile({Chunk("anih", AnihData(1, 0xFFFFFFFF)), icon})),
              AniReadError::TooManySteps);
    EXPECT_EQ(ErrorOf(AniFile({anih})), AniReadError::StepWithoutImage);
    EXPECT_EQ(
        ErrorOf(AniFile({Chunk("anih", AnihData(1, 2, 10, 3)), Chunk("seq ", Le32({0, 1})), icon})),
        AniReadError::StepWithoutImage);
    EXPECT_EQ(ErrorOf(AniFile({Chunk("anih", AnihData(0xFFFFFFFF, 1)), icon})), AniReadError::None);
    // A longer header is read for its first 36 bytes.
    EXPECT_EQ(ErrorOf(AniFile({Chunk("anih", Concat({AnihData(1, 1), Le32({99})})), icon})),
              AniReadError::None);
}

TEST(AniReader, IconChunksThatDoNotFitOrLie) {
    Bytes anih = Chunk("anih", AnihData(1, 1));
    auto withIcon = [&](const Bytes& icon) {
        return AniFile({anih, List("fram", {Chunk("icon", icon)})});
    };

    Bytes big = SimpleCursor(24, 1);
    big.resize(4097);
    EXPECT_EQ(ErrorOf(withIcon(big)), AniReadError::IconTooLarge);
    big.resize(4096);
    EXPECT_EQ(ErrorOf(withIcon(big)), AniReadError::None);

    Bytes noImages = SimpleCursor(4, 1);
    StoreLE16(noImages.data() + 4, 0);
    EXPECT_EQ(ErrorOf(withIcon(noImages)), AniReadError::BadIcon);

    Bytes cut = SimpleCursor(4, 1);
    cut.resize(22 + 40 + 64 + 100);  // inside the XOR bits
    EXPECT_EQ(ErrorOf(withIcon(cut)), AniReadError::BadIcon);
    EXPECT_EQ(ErrorOf(withIcon(Bytes(21, 0))), AniReadError::BadIcon);

    CursorEntry e{32, 32, 0, 0, FileImageOf(MakeBlock(4, 1))};
    Bytes twoOutside = CursorFile({e, e});
    StoreLE32(twoOutside.data() + 6 + 12, 0xFFFFFFF0);
    EXPECT_EQ(ErrorOf(withIcon(twoOutside)), AniReadError::BadIcon);
    Bytes twoNone = CursorFile({e, e});
    twoNone[6] = twoNone[22] = 16;
    EXPECT_EQ(ErrorOf(withIcon(twoNone)), AniReadError::BadIcon);

    Bytes tooManyColors = SimpleCursor(4, 1);
    StoreLE32(tooManyColors.data() + 22 + 32, 17);
    EXPECT_EQ(ErrorOf(withIcon(tooManyColors)), AniReadError::BadIcon);

    AniContents c;
    ASSERT_TRUE(Parse(withIcon(SimpleCursor(4, 1, 32, 500)), &c).ok());
    EXPECT_EQ(c.images[0].hotX, 31);
    EXPECT_EQ(c.images[0].hotY, 31);
}

TEST(AniReader, SizesThatLie) {
    Bytes anih = Chunk("anih", AnihData(1, 1));
    Bytes fram = List("fram", {Chunk("icon", SimpleCursor(4, 1))});
    Bytes file = AniFile({anih, fram});

    // The RIFF size is not used.
    Bytes riffLies = file;
    StoreLE32(riffLies.data() + 4, 0xFFFFFFFF);
    EXPECT_EQ(ErrorOf(riffLies), AniReadError::None);
    StoreLE32(riffLies.data() + 4, 0);
    EXPECT_EQ(ErrorOf(riffLies), AniReadError::None);

    // An unknown chunk that claims the rest of the world ends the file where it starts.
    Bytes hugeUnknown = {'j', 'u', 'n', 'k', 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(ErrorOf(Concat({file, hugeUnknown})), AniReadError::None);
    EXPECT_EQ(ErrorOf(AniFile({anih, hugeUnknown, fram})), AniReadError::StepWithoutImage);

    // Known chunks and lists may not claim more than is there.
    Bytes hugeAnih = AniFile({anih, fram});
    StoreLE32(hugeAnih.data() + 16, 0xFFFFFFFF);
    EXPECT_EQ(ErrorOf(hugeAnih), AniReadError::Truncated);
    Bytes hugeList = file;
    size_t listAt = 12 + anih.size();
    StoreLE32(hugeList.data() + listAt + 4, 0xFFFFFFFF);
    EXPECT_EQ(ErrorOf(hugeList), AniReadError::Truncated);
    // An "icon" larger than its list.
    Bytes subTooBig = file;
    StoreLE32(subTooBig.data() + listAt + 16, static_cast<uint32_t>(fram.size()));
    EXPECT_EQ(ErrorOf(subTooBig), AniReadError::Truncated);
}

TEST(AniReader, TruncationAndBitFlipsNeverCrash) {
    Bytes file = FullFile();
    for (size_t n = 0; n < file.size(); ++n) {
        AniContents c;
        Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
        AniReadResult r = Parse(cut, &c);
        // The file ends inside the frame list, which is then refused; before the list starts, the
        // steps have no images.
        EXPECT_FALSE(r.ok()) << n;
        EXPECT_TRUE(c.steps.empty());
    }
    for (size_t i = 0; i < file.size(); ++i) {
        for (uint8_t bit = 1; bit != 0; bit = static_cast<uint8_t>(bit << 1)) {
            Bytes flipped = file;
            flipped[i] ^= bit;
            AniContents c;
            AniReadResult r = Parse(flipped, &c);
            if (r.ok()) {
                for (const AniStep& s : c.steps) ASSERT_LT(s.image, c.images.size());
            }
        }
    }
}

}  // namespace
}  // namespace vt
