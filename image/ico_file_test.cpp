#include "image/ico_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "image/icon_testutil.h"

namespace vt {
namespace {

using test::TestHost;

std::vector<uint8_t> Encode(const IconResource& doc) {
    std::vector<uint8_t> out;
    EXPECT_TRUE(EncodeIcoFile(doc, &out));
    return out;
}

IcoStatus Decode(const std::vector<uint8_t>& bytes, IconResource* doc) {
    ImageHost host = TestHost(nullptr);
    MemorySource src(bytes);
    return DecodeIcoFile(src, *doc, host);
}

// An icon file put together field by field, for the cases our writer never produces.
struct RawEntry {
    uint8_t width = 0, height = 0, colors = 0;
    uint16_t field4 = 0, field6 = 0;
    std::vector<uint8_t> data;
    uint32_t bytesOverride = 0;  // 0: the data's size
};
std::vector<uint8_t> RawIco(uint16_t type, const std::vector<RawEntry>& entries,
                            uint16_t countOverride = 0) {
    ByteWriter w;
    w.U16(0);
    w.U16(type);
    w.U16(countOverride ? countOverride : static_cast<uint16_t>(entries.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * entries.size());
    for (const RawEntry& e : entries) {
        w.U8(e.width);
        w.U8(e.height);
        w.U8(e.colors);
        w.U8(0);
        w.U16(e.field4);
        w.U16(e.field6);
        w.U32(e.bytesOverride ? e.bytesOverride : static_cast<uint32_t>(e.data.size()));
        w.U32(offset);
        offset += static_cast<uint32_t>(e.data.size());
    }
    for (const RawEntry& e : entries) w.Bytes(e.data);
    return w.Take();
}

// A file image from elsewhere: a header and its parts as given.
std::vector<uint8_t> FileImage(int32_t w, int32_t h, uint16_t bits, uint32_t clrUsed,
                               const std::vector<uint8_t>& table,
                               const std::vector<uint8_t>& xorBits,
                               const std::vector<uint8_t>& andBits, uint32_t compression = 0) {
    BitmapInfoHeader hdr;
    hdr.width = w;
    hdr.height = 2 * h;
    hdr.bitCount = bits;
    hdr.clrUsed = clrUsed;
    hdr.compression = compression;
    std::vector<uint8_t> out(40);
    hdr.Store(out.data());
    out.insert(out.end(), table.begin(), table.end());
    out.insert(out.end(), xorBits.begin(), xorBits.end());
    out.insert(out.end(), andBits.begin(), andBits.end());
    return out;
}

TEST(IcoWriter, DirectoryAndBlocksFollowTheFileLayout) {
    IconResource doc = test::SampleDocument();
    std::vector<uint8_t> file = Encode(doc);
    ByteReader r(file);
    EXPECT_EQ(r.U16(), 0);
    EXPECT_EQ(r.U16(), 1);
    ASSERT_EQ(r.U16(), doc.images.size());
    uint32_t expectOffset = static_cast<uint32_t>(6 + 16 * doc.images.size());
    for (const IconImage& img : doc.images) {
        SCOPED_TRACE(img.colorCode);
        EXPECT_EQ(r.U8(), img.width);
        EXPECT_EQ(r.U8(), img.height);
        EXPECT_EQ(r.U8(), img.colorCode == 2 ? 2 : img.colorCode == 16 ? 16 : 0);
        EXPECT_EQ(r.U8(), 0);
        EXPECT_EQ(r.U16(), 0);  // icons carry 0 in both 16-bit fields
        EXPECT_EQ(r.U16(), 0);
        const uint32_t bytes = r.U32();
        const uint32_t offset = r.U32();
        EXPECT_EQ(bytes, img.BlockBytes());
        EXPECT_EQ(offset, expectOffset);
        expectOffset += bytes;
        ASSERT_TRUE(InRange(file.size(), offset, bytes));
        BitmapInfoHeader h = BitmapInfoHeader::Load(file.data() + offset);
        EXPECT_EQ(h.height, 2 * img.height);
        EXPECT_EQ(h.sizeImage, img.XorBytes() + img.AndBytes());
        // Everything after the header is the block as it is held.
        EXPECT_TRUE(
            std::equal(img.block.begin() + 40, img.block.end(), file.begin() + offset + 40));
        // and the held block keeps its one-image height
        EXPECT_EQ(BitmapInfoHeader::Load(img.block.data()).height, img.height);
    }
    EXPECT_EQ(expectOffset, file.size());
}

TEST(IcoWriter, UntouchedImagesAreLeftOut) {
    ImageHost host = TestHost(nullptr);
    IconResource doc = test::SampleDocument();
    const size_t drawn = doc.images.size();
    doc.activeFormat = {64, 64, kColors16};
    ASSERT_TRUE(FindOrCreateImage(doc, nullptr, 0, host));  // blank, never drawn on
    std::vector<uint8_t> file = Encode(doc);
    EXPECT_EQ(LoadLE16(file.data() + 4), drawn);

    IconResource blank;
    ASSERT_TRUE(NewResource(blank, kIconResource, host));
    EXPECT_EQ(Encode(blank), (std::vector<uint8_t>{0, 0, 1, 0, 0, 0}));
}

TEST(IcoWriter, CursorEntriesCarryTheHotSpot) {
    IconResource doc = test::SampleDocument(kCursorResource);
    std::vector<uint8_t> file = Encode(doc);
    EXPECT_EQ(LoadLE16(file.data() + 2), 2);
    // Entry 0 is the monochrome image with hot spot (5, 0), entry 1 the 16-colour one at (0, 9).
    EXPECT_EQ(LoadLE16(file.data() + 6 + 4), 5);
    EXPECT_EQ(LoadLE16(file.data() + 6 + 6), 0);
    EXPECT_EQ(LoadLE16(file.data() + 22 + 4), 0);
    EXPECT_EQ(LoadLE16(file.data() + 22 + 6), 9);
}

TEST(IcoRoundTrip, EveryDepthComesBackBitForBit) {
    for (int type : {kIconResource, kCursorResource}) {
        SCOPED_TRACE(type);
        IconResource doc = test::SampleDocument(type);
        IconResource back;
        ASSERT_EQ(Decode(Encode(doc), &back), IcoStatus::Ok);
        EXPECT_EQ(back.resourceType, type);
        ASSERT_EQ(back.images.size(), doc.images.size());
        for (size_t i = 0; i < doc.images.size(); ++i) {
            EXPECT_EQ(back.images[i].block, doc.images[i].block) << i;
            EXPECT_EQ(back.images[i].hotSpotX, doc.images[i].hotSpotX);
            EXPECT_EQ(back.images[i].hotSpotY, doc.images[i].hotSpotY);
            EXPECT_FALSE(back.images[i].untouched);
        }
        // And writing what was read gives the same file.
        EXPECT_EQ(Encode(back), Encode(doc));
    }
}

TEST(IcoReader, HeaderChecks) {
    IconResource doc;
    std::vector<uint8_t> good = Encode(test::SampleDocument());
    EXPECT_EQ(Decode(std::vector<uint8_t>(good.begin(), good.begin() + 21), &doc),
              IcoStatus::TooShort);
    std::vector<uint8_t> bad = good;
    bad[0] = 1;
    EXPECT_EQ(Decode(bad, &doc), IcoStatus::InvalidHeader);
    bad = good;
    bad[2] = 3;
    EXPECT_EQ(Decode(bad, &doc), IcoStatus::InvalidHeader);
    bad = good;
    bad[4] = bad[5] = 0;
    EXPECT_EQ(Decode(bad, &doc), IcoStatus::NoEntries);
    // Exactly 22 bytes with count 1 pass the header check and fail on the image.
    std::vector<uint8_t> tiny = RawIco(1, {RawEntry{32, 32, 16, 0, 0, {}, 744}});
    ASSERT_EQ(tiny.size(), 22u);
    EXPECT_EQ(Decode(tiny, &doc), IcoStatus::ReadFailed);
    EXPECT_TRUE(doc.images.empty());
}

TEST(IcoReader, EntryBytesAreIgnoredInFavourOfTheBitmapHeader) {
    IconResource doc = test::SampleDocument();
    std::vector<uint8_t> file = Encode(doc);
    for (size_t i = 0; i < doc.images.size(); ++i) {
        uint8_t* e = file.data() + 6 + 16 * i;
        e[0] = 7, e[1] = 200, e[2] = 99, e[3] = 5;
    }
    IconResource back;
    ASSERT_EQ(Decode(file, &back), IcoStatus::Ok);
    for (size_t i = 0; i < doc.images.size(); ++i)
        EXPECT_EQ(back.images[i].block, doc.images[i].block);
}

TEST(IcoReader, FirstImageOfARepeatedFormatWinsWithItsHotSpot) {
    ImageHost host = TestHost(nullptr);
    IconResource a, b;
    IconImage& first = test::AddDrawnImage(a, host, 32, 32, kColors16, 1);
    IconImage& second = test::AddDrawnImage(b, host, 32, 32, kColors16, 7);
    ASSERT_NE(first.block, second.block);
    auto fileForm = [](const IconImage& img) {
        std::vector<uint8_t> d = img.block;
        StoreLE32(d.data() + 8, static_cast<uint32_t>(2 * img.height));
        return d;
    };
    std::vector<uint8_t> file = RawIco(2, {RawEntry{32, 32, 16, 3, 4, fileForm(first)},
                                           RawEntry{32, 32, 16, 9, 9, fileForm(second)}});
    IconResource back;
    ASSERT_EQ(Decode(file, &back), IcoStatus::Ok);
    ASSERT_EQ(back.images.size(), 1u);
    EXPECT_EQ(back.images[0].block, first.block);
    ASSERT_EQ(back.keptImages.size(), 1u);  // the second is kept, not edited
    EXPECT_EQ(back.keptImages[0].data, fileForm(second));
    EXPECT_EQ(back.images[0].hotSpotX, 3u);
    EXPECT_EQ(back.images[0].hotSpotY, 4u);
}

TEST(IcoReader, HotSpotsOutsideTheImageAreKeptOnIt) {
    IconResource doc = test::SampleDocument(kCursorResource);
    std::vector<uint8_t> file = Encode(doc);
    StoreLE16(file.data() + 6 + 4, 500);
    StoreLE16(file.data() + 6 + 6, 32);
    IconResource back;
    ASSERT_EQ(Decode(file, &back), IcoStatus::Ok);
    EXPECT_EQ(back.images[0].hotSpotX, 31u);
    EXPECT_EQ(back.images[0].hotSpotY, 31u);
}

TEST(IcoReader, ShortColourTableFillsTheRestAndFindsThePixels) {
    // 8 x 2 pixels of 8 bits with a 3-entry table: clrUsed 3, pixels 0, 1, 2.
    std::vector<uint8_t> table = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0x00, 0x00, 0xFF, 0};
    std::vector<uint8_t> xorBits = {0, 1, 2, 2, 1, 0, 0, 1, 2, 2, 2, 2, 2, 2, 2, 2};
    std::vector<uint8_t> andBits(8, 0);
    IconResource back;
    ASSERT_EQ(
        Decode(RawIco(1, {RawEntry{8, 2, 0, 0, 0, FileImage(8, 2, 8, 3, table, xorBits, andBits)}}),
               &back),
        IcoStatus::Ok);
    const IconImage& img = back.images[0];
    EXPECT_EQ(img.colorCode, kColors256);
    EXPECT_EQ(img.TableColor(1), 0xFFFFFFu);
    EXPECT_EQ(img.TableColor(2), 0x0000FFu);  // red
    EXPECT_EQ(img.TableColor(3), 0u);
    EXPECT_EQ(BitmapInfoHeader::Load(img.block.data()).clrUsed, 256u);
    EXPECT_EQ(img.XorValue(1, 1), 1u);  // bottom row first in the file
    EXPECT_EQ(img.XorValue(0, 0), 2u);
}

TEST(IcoReader, MissingMaskIsOpaqueAndMissingColourBitsSkipTheImage) {
    std::vector<uint8_t> xorBits(8 * 4, 0x11);  // 8 x 8 at 4 bits
    std::vector<uint8_t> table(64, 0);
    std::vector<uint8_t> noMask = FileImage(8, 8, 4, 0, table, xorBits, {0xFF, 0, 0, 0});
    IconResource back;
    ASSERT_EQ(Decode(RawIco(1, {RawEntry{8, 8, 16, 0, 0, noMask}}), &back), IcoStatus::Ok);
    const IconImage& img = back.images[0];
    EXPECT_TRUE(img.AndBit(0, 7));   // the one mask byte that was there (bottom row)
    EXPECT_FALSE(img.AndBit(0, 0));  // the rest is opaque
    EXPECT_EQ(img.XorValue(3, 3), 1u);

    std::vector<uint8_t> shortColours =
        FileImage(8, 8, 4, 0, table, std::vector<uint8_t>(31, 0), {});
    // Not an image this model can hold, so not one to edit, but kept for the save.
    IconResource none;
    EXPECT_EQ(Decode(RawIco(1, {RawEntry{8, 8, 16, 0, 0, shortColours}}), &none), IcoStatus::Ok);
    EXPECT_TRUE(none.images.empty());
    ASSERT_EQ(none.keptImages.size(), 1u);
    EXPECT_EQ(none.keptImages[0].description, "8x8, a format the Studio cannot read");
}

TEST(IcoReader, ThirtyTwoBitAlphaZeroBecomesScreenNotBlack) {
    // 2 x 2 BGRA, bottom row first: opaque red, transparent black, transparent white, opaque green.
    std::vector<uint8_t> xorBits = {0,    0,    0xFF, 0xFF, 0, 0,    0, 0,      // bottom row
                                    0xFF, 0xFF, 0xFF, 0,    0, 0xFF, 0, 0xFF};  // top row
    std::vector<uint8_t> andBits(8, 0);  // a mask that says everything is opaque
    IconResource back;
    ASSERT_EQ(
        Decode(RawIco(1, {RawEntry{2, 2, 0, 0, 0, FileImage(2, 2, 32, 0, {}, xorBits, andBits)}}),
               &back),
        IcoStatus::Ok);
    const IconImage& img = back.images[0];
    EXPECT_EQ(img.colorCode, kTrueColor);
    EXPECT_EQ(img.XorValue(0, 1), 0x0000FFu);  // red as 0x00BBGGRR
    EXPECT_FALSE(img.AndBit(0, 1));
    EXPECT_TRUE(img.AndBit(1, 1));
    EXPECT_EQ(img.XorValue(1, 1), 0u);
    EXPECT_TRUE(img.AndBit(0, 0));
    EXPECT_EQ(img.XorValue(0, 0), 0u);  // screen, not white
    EXPECT_EQ(img.XorValue(1, 0), 0x00FF00u);
    EXPECT_FALSE(img.AndBit(1, 0));

    // Without any alpha the mask alone decides, and colours stay as stored.
    for (size_t i = 3; i < xorBits.size(); i += 4) xorBits[i] = 0;
    std::vector<uint8_t> mask = {0x40, 0, 0, 0, 0, 0, 0, 0};  // bottom row, pixel 1
    IconResource noAlpha;
    ASSERT_EQ(
        Decode(RawIco(1, {RawEntry{2, 2, 0, 0, 0, FileImage(2, 2, 32, 0, {}, xorBits, mask)}}),
               &noAlpha),
        IcoStatus::Ok);
    EXPECT_FALSE(noAlpha.images[0].AndBit(0, 0));
    EXPECT_EQ(noAlpha.images[0].XorValue(0, 0), 0xFFFFFFu);
    EXPECT_TRUE(noAlpha.images[0].AndBit(1, 1));
}

TEST(IcoReader, SixteenBitPixelsScaleTo24Bits) {
    // 2 x 1, 5-5-5: pure red and a mid grey.
    std::vector<uint8_t> xorBits = {0x00, 0x7C, 0x10, 0x42};
    IconResource back;
    ASSERT_EQ(
        Decode(
            RawIco(1, {RawEntry{2, 1, 0, 0, 0, FileImage(2, 1, 16, 0, {}, xorBits, {0, 0, 0, 0})}}),
            &back),
        IcoStatus::Ok);
    EXPECT_EQ(back.images[0].XorValue(0, 0), 0x0000FFu);
    EXPECT_EQ(back.images[0].XorValue(1, 0), 0x848484u);

    // 5-6-5 through bit fields: pure green.
    std::vector<uint8_t> masks = {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
    std::vector<uint8_t> green = {0xE0, 0x07, 0, 0};
    IconResource bf;
    ASSERT_EQ(Decode(RawIco(1, {RawEntry{2, 1, 0, 0, 0,
                                         FileImage(2, 1, 16, 0, masks, green, {0, 0, 0, 0}, 3)}}),
                     &bf),
              IcoStatus::Ok);
    EXPECT_EQ(bf.images[0].XorValue(0, 0), 0x00FF00u);
}

TEST(IcoReader, UnusableEntriesAreSkippedAndTheRestRead) {
    IconResource doc = test::SampleDocument();
    const IconImage& good = doc.images[0];
    std::vector<uint8_t> goodData = good.block;
    StoreLE32(goodData.data() + 8, static_cast<uint32_t>(2 * good.height));
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    png.resize(64, 0);
    std::vector<uint8_t> huge = goodData;
    StoreLE32(huge.data() + 4, 300);  // wider than the model holds
    std::vector<uint8_t> rle = goodData;
    StoreLE32(rle.data() + 16, 2);
    std::vector<uint8_t> twoBit = goodData;
    StoreLE16(twoBit.data() + 14, 2);
    IconResource back;
    ASSERT_EQ(Decode(RawIco(1, {RawEntry{0, 0, 0, 0, 0, png}, RawEntry{0, 0, 0, 0, 0, huge},
                                RawEntry{0, 0, 0, 0, 0, rle}, RawEntry{0, 0, 0, 0, 0, twoBit},
                                RawEntry{0, 0, 0, 0, 0, goodData}}),
                     &back),
              IcoStatus::Ok);
    ASSERT_EQ(back.images.size(), 1u);
    EXPECT_EQ(back.images[0].block, good.block);
    // None of them is lost: each is kept as the file held it, in its place.
    ASSERT_EQ(back.keptImages.size(), 4u);
    EXPECT_EQ(back.keptImages[0].data, png);
    EXPECT_EQ(back.keptImages[0].fileIndex, 0);
    EXPECT_EQ(back.keptImages[3].data, twoBit);

    // A file of nothing but a PNG image opens, with nothing to edit; empty data stays unusable.
    IconResource pngOnly;
    EXPECT_EQ(Decode(RawIco(1, {RawEntry{0, 0, 0, 0, 0, png}}), &pngOnly), IcoStatus::Ok);
    EXPECT_TRUE(pngOnly.images.empty());
    IconResource none;
    EXPECT_EQ(Decode(RawIco(1, {RawEntry{0, 0, 0, 0, 0, {}}}), &none), IcoStatus::NoUsableImage);
}

TEST(IcoReader, LargeDirectoriesAndOversizedEntries) {
    ImageHost host = TestHost(nullptr);
    IconResource doc;
    for (int32_t side = 8; side < 8 + 25; ++side)
        test::AddDrawnImage(doc, host, side, side, kColors16);
    std::vector<uint8_t> file = Encode(doc);
    // bytes-in-resource far beyond the file: only what the image needs is read.
    StoreLE32(file.data() + 6 + 8, 0xFFFFFFF0u);
    IconResource back;
    ASSERT_EQ(Decode(file, &back), IcoStatus::Ok);
    EXPECT_EQ(back.images.size(), 25u);  // more than 20 entries are all used

    // A count larger than the directory the file holds uses only the entries that are there.
    std::vector<uint8_t> one = Encode(test::SampleDocument());
    StoreLE16(one.data() + 4, 60000);
    IconResource partial;
    EXPECT_NE(Decode(one, &partial), IcoStatus::Ok);  // entries made of image bytes fail cleanly
}

TEST(IcoReader, TruncationAndBitFlipSweepNeverOverreads) {
    // Under the sanitizers this is the guard: every prefix and every single-bit change of a valid
    // multi-format file decodes or fails cleanly.
    std::vector<uint8_t> file = Encode(test::SampleDocument(kCursorResource));
    ImageHost host = TestHost(nullptr);
    for (size_t n = 0; n < file.size(); n += (n < 400 ? 1 : 37)) {
        std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
        IconResource doc;
        MemorySource src(cut);
        // The last image is always cut short, and a short image fails the whole read.
        ASSERT_NE(DecodeIcoFile(src, doc, host), IcoStatus::Ok) << n;
    }
    for (size_t i = 0; i < file.size(); i += (i < 200 ? 1 : 13)) {
        for (int bit = 0; bit < 8; ++bit) {
            std::vector<uint8_t> flipped = file;
            flipped[i] ^= static_cast<uint8_t>(1 << bit);
            IconResource doc;
            MemorySource src(flipped);
            IcoStatus st = DecodeIcoFile(src, doc, host);
            if (st == IcoStatus::Ok) {
                for (const IconImage& img : doc.images)
                    ASSERT_EQ(img.block.size(), img.BlockBytes());
            }
        }
    }
}

class IcoFiles : public ::testing::Test {
  protected:
    test::ScratchDir dir;
    ScriptedPrompt prompt;
    ImageHost host = TestHost(&prompt);

    size_t FilesInDir() const {
        size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++n;
        return n;
    }
};

TEST_F(IcoFiles, SaveThenOpenGivesTheSameDocument) {
    IconResource doc = test::SampleDocument(kCursorResource);
    const std::string path = dir.File("arrow.cur");
    ASSERT_TRUE(WriteIconFile(doc, path));
    EXPECT_EQ(doc.path, path);
    EXPECT_FALSE(doc.untitled);
    EXPECT_FALSE(doc.modified);
    EXPECT_FALSE(doc.commands.save);
    EXPECT_FALSE(doc.commands.newImageFormat);  // a cursor
    for (const IconImage& img : doc.images) EXPECT_FALSE(img.changed);
    EXPECT_EQ(FilesInDir(), 1u);  // no temporary file left behind

    IconResource opened;
    ASSERT_TRUE(NewResource(opened, kIconResource, host));
    opened.modified = true;
    size_t undoBuffers = 0;
    host.createUndoBuffer = [&](IconImage&) { ++undoBuffers; };
    ASSERT_TRUE(ReadIconFile(opened, path, host));
    EXPECT_EQ(undoBuffers, doc.images.size());  // every loaded image starts a fresh history
    EXPECT_EQ(opened.resourceType, kCursorResource);
    EXPECT_EQ(opened.path, path);
    EXPECT_FALSE(opened.modified);
    EXPECT_FALSE(opened.untitled);
    EXPECT_TRUE(opened.commands.setHotSpot);
    EXPECT_FALSE(opened.commands.newImageFormat);
    ASSERT_EQ(opened.images.size(), doc.images.size());
    for (size_t i = 0; i < doc.images.size(); ++i) {
        EXPECT_EQ(opened.images[i].block, doc.images[i].block);
        EXPECT_EQ(opened.images[i].hotSpotX, doc.images[i].hotSpotX);
    }
    EXPECT_TRUE(prompt.shown().empty());
}

TEST_F(IcoFiles, InvalidHeaderIsReportedAndTheDocumentKept) {
    const std::string path = dir.File("bad.ico");
    std::vector<uint8_t> bytes = Encode(test::SampleDocument());
    bytes[2] = 7;
    test::WriteBytes(path, bytes);
    IconResource doc = test::SampleDocument();
    doc.path = "kept.ico";
    doc.modified = true;
    const std::vector<uint8_t> before = Encode(doc);
    EXPECT_FALSE(ReadIconFile(doc, path, host));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, "The file \"" + path + "\" is not a valid ICO file!");
    EXPECT_EQ(prompt.shown()[0].icon, PromptIcon::Stop);
    EXPECT_TRUE(prompt.shown()[0].beep);
    EXPECT_EQ(Encode(doc), before);
    EXPECT_EQ(doc.path, "kept.ico");
    EXPECT_TRUE(doc.modified);
}

TEST_F(IcoFiles, ShortAndEmptyFilesFailSilently) {
    IconResource doc = test::SampleDocument();
    const size_t count = doc.images.size();
    test::WriteBytes(dir.File("short.ico"), {0, 0, 1, 0, 1, 0});
    std::vector<uint8_t> noEntries(22, 0);
    noEntries[2] = 1;  // an icon with count 0
    test::WriteBytes(dir.File("empty.ico"), noEntries);
    EXPECT_FALSE(ReadIconFile(doc, dir.File("short.ico"), host));
    EXPECT_FALSE(ReadIconFile(doc, dir.File("empty.ico"), host));
    EXPECT_FALSE(ReadIconFile(doc, dir.File("missing.ico"), host));
    EXPECT_TRUE(prompt.shown().empty());
    EXPECT_EQ(doc.images.size(), count);
}

TEST_F(IcoFiles, FailedSaveLeavesTargetAndDocumentAsTheyWere) {
    const std::string target = dir.File("keep.ico");
    test::WriteBytes(target, {1, 2, 3});
    IconResource doc = test::SampleDocument();
    doc.path = target;
    doc.untitled = false;
    doc.modified = true;
    // A folder that does not exist: nothing can be written there.
    EXPECT_FALSE(WriteIconFile(doc, dir.File("nowhere/x.ico")));
    EXPECT_EQ(doc.path, target);
    EXPECT_TRUE(doc.modified);
    EXPECT_TRUE(doc.images[0].changed);
    EXPECT_EQ(test::ReadBytes(target), (std::vector<uint8_t>{1, 2, 3}));

    // A save over the existing file replaces it whole.
    ASSERT_TRUE(WriteIconFile(doc, target));
    EXPECT_EQ(test::ReadBytes(target), Encode(doc));
    EXPECT_EQ(FilesInDir(), 1u);
}

// A current tool's icon, in the order such tools write it: a 256 x 256 PNG image first, then 48,
// 32 and 16 pixels at 32, 8 and 4 bits, the 32-bit ones with soft (partial) alpha.
std::vector<RawEntry> ModernIconEntries() {
    std::vector<RawEntry> entries;
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13,
                                'I',  'H', 'D', 'R', 0,    0,    1,    0,    0, 0, 1, 0};
    for (int i = 0; i < 300; ++i) png.push_back(static_cast<uint8_t>(i * 37));
    entries.push_back(RawEntry{0, 0, 0, 1, 32, png});
    for (int side : {48, 32, 16}) {
        for (uint16_t bits : {32, 8, 4}) {
            const uint32_t colours = bits == 32 ? 0 : 1u << bits;
            std::vector<uint8_t> table(4 * colours);
            for (size_t k = 0; k < table.size(); ++k) table[k] = static_cast<uint8_t>(k * 5);
            std::vector<uint8_t> xorBits(XorStride(side, bits) * static_cast<size_t>(side));
            for (size_t k = 0; k < xorBits.size(); ++k)
                xorBits[k] = static_cast<uint8_t>((k * 13 + side + bits) & 0xFF);
            std::vector<uint8_t> andBits(AndSize(side, side), 0);
            entries.push_back(RawEntry{static_cast<uint8_t>(side), static_cast<uint8_t>(side),
                                       static_cast<uint8_t>(bits == 4 ? 16 : 0), 1, bits,
                                       FileImage(side, side, bits, 0, table, xorBits, andBits)});
        }
    }
    return entries;
}

// One entry of a file: its directory bytes but the offset, and its data.
struct EntryBytes {
    std::vector<uint8_t> entry;
    std::vector<uint8_t> data;
    bool operator==(const EntryBytes&) const = default;
};
std::vector<EntryBytes> Entries(const std::vector<uint8_t>& file) {
    std::vector<EntryBytes> out;
    const uint16_t count = LoadLE16(file.data() + 4);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = file.data() + 6 + 16 * i;
        const uint32_t size = LoadLE32(e + 8), offset = LoadLE32(e + 12);
        EXPECT_LE(size_t{offset} + size, file.size());
        out.push_back({std::vector<uint8_t>(e, e + 12),
                       std::vector<uint8_t>(file.begin() + offset, file.begin() + offset + size)});
    }
    return out;
}

TEST_F(IcoFiles, NothingTheUserDidNotChangeIsLostOnSave) {
    const std::string path = dir.File("modern.ico");
    const std::vector<uint8_t> original = RawIco(1, ModernIconEntries());
    test::WriteBytes(path, original);
    IconResource doc;
    ASSERT_TRUE(ReadIconFile(doc, path, host));
    ASSERT_EQ(doc.images.size(), 9u);
    ASSERT_EQ(doc.keptImages.size(), 1u);
    // Told once, at open, which image is kept but cannot be edited.
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, std::string(kKeptImagesText) + "\n256x256, PNG compressed");
    EXPECT_EQ(prompt.shown()[0].icon, PromptIcon::Information);

    // Saved without a change, the file is what it was, byte for byte.
    ASSERT_TRUE(WriteIconFile(doc, dir.File("same.ico")));
    EXPECT_EQ(test::ReadBytes(dir.File("same.ico")), original);

    // Edit the 32 x 32 256-colour image and save: all ten are there, only that one differs.
    const int pos = FindImage(doc, 32, 32, kColors256);
    ASSERT_NE(pos, 0);
    doc.activeIndex = pos - 1;
    IconImage& edited = *doc.ActiveImage();
    edited.SetXorValue(3, 4, (edited.XorValue(3, 4) + 1) & 0xFF);
    CommitImageBits(doc, host);
    ASSERT_TRUE(WriteIconFile(doc, path));
    const std::vector<EntryBytes> before = Entries(original);
    const std::vector<EntryBytes> after = Entries(test::ReadBytes(path));
    ASSERT_EQ(after.size(), 10u);
    const size_t editedSlot = 5;  // 32 x 32 at 8 bits, after the PNG and the three 48s and 32/32
    for (size_t i = 0; i < after.size(); ++i) {
        SCOPED_TRACE(i);
        if (i == editedSlot) {
            EXPECT_NE(after[i].data, before[i].data);
        } else {
            EXPECT_EQ(after[i], before[i]);
        }
    }
    IconResource back;
    ASSERT_EQ(Decode(test::ReadBytes(path), &back), IcoStatus::Ok);
    const int backPos = FindImage(back, 32, 32, kColors256);
    ASSERT_NE(backPos, 0);
    EXPECT_EQ(back.images[static_cast<size_t>(backPos - 1)].block, edited.block);

    // An image made here goes after the last one that sorts before it; the rest keep their places.
    doc.activeFormat = {24, 24, kColors16};
    ASSERT_TRUE(FindOrCreateImage(doc, nullptr, 0, host));
    CommitImageBits(doc, host);
    ASSERT_TRUE(WriteIconFile(doc, path));
    const std::vector<EntryBytes> grown = Entries(test::ReadBytes(path));
    ASSERT_EQ(grown.size(), 11u);
    EXPECT_EQ(grown[10].entry[0], 24);
    EXPECT_EQ(grown[0], before[0]);
}

TEST_F(IcoFiles, ImagesMadeHereAreWrittenInArrayOrderAmongThoseReadFromAFile) {
    // A file in the Studio's own order (ascending): a new format lands where sorting puts it.
    IconResource doc = test::SampleDocument();
    const std::string path = dir.File("own.ico");
    ASSERT_TRUE(WriteIconFile(doc, path));
    IconResource opened;
    ASSERT_TRUE(ReadIconFile(opened, path, host));
    opened.activeFormat = {24, 24, kColors256};
    ASSERT_TRUE(FindOrCreateImage(opened, nullptr, 0, host));
    CommitImageBits(opened, host);
    SortImages(opened);
    std::vector<uint8_t> written;
    ASSERT_TRUE(EncodeIcoFile(opened, &written));
    IconResource sorted;
    for (const IconImage& img : opened.images) sorted.images.push_back(img.Clone());
    for (IconImage& img : sorted.images) img.fileIndex = -1;  // as if all were made here
    EXPECT_EQ(written, Encode(sorted));
}

}  // namespace
}  // namespace vt
