#include <gtest/gtest.h>

#include <random>
#include <set>

#include "image/alloc_failure_testutil.h"
#include "image/colour_convert.h"
#include "image/colour_match.h"
#include "image/format_commands.h"
#include "image/icon_testutil.h"
#include "image/palette_file.h"
#include "image/palette_state.h"
#include "image/quantize.h"
#include "image/resample.h"

namespace vt {
namespace {

TEST(NearestPaletteIndex, SumOfAbsoluteDifferencesLowestIndexOnTies) {
    const std::vector<uint32_t> palette = {0x000000, 0x0000FF, 0x000064, 0x00003C, 0x000050};
    EXPECT_EQ(NearestPaletteIndex(0x000000, palette), 0);
    EXPECT_EQ(NearestPaletteIndex(0x0000F0, palette), 1);
    // 0x46 (70) is 10 from both 60 (index 3) and 80 (index 4): the lower index wins.
    EXPECT_EQ(NearestPaletteIndex(0x000046, palette), 3);
    // Distances add over channels: (10,10,10)=30 beats (0,0,40)=40.
    const std::vector<uint32_t> p2 = {0x280000, 0x0A0A0A};
    EXPECT_EQ(NearestPaletteIndex(0x000000, p2), 1);
    // The farthest colour still finds an entry.
    EXPECT_EQ(NearestPaletteIndex(0xFFFFFF, std::vector<uint32_t>{0x000000}), 0);
    EXPECT_EQ(NearestPaletteIndex(0x123456, {}), 0);
}

TEST(Quantize, LeafIndexInterleavesTopBitsBlueGreenRed) {
    // Blue bit 7 lands at bit 14, green bit 7 at 13, red bit 7 at 12.
    EXPECT_EQ(OctreeLeafIndex(0x800000), 1u << 14);
    EXPECT_EQ(OctreeLeafIndex(0x008000), 1u << 13);
    EXPECT_EQ(OctreeLeafIndex(0x000080), 1u << 12);
    // Bit 3 of each channel is the last level; bits 2..0 are dropped.
    EXPECT_EQ(OctreeLeafIndex(0x080808), 7u);
    EXPECT_EQ(OctreeLeafIndex(0x070707), 0u);
}

TEST(Quantize, FewColoursAreKeptOnePerLeafWithBlackAndWhiteAtTheEnd) {
    std::vector<uint32_t> pixels;
    std::set<uint32_t> distinct;
    for (uint32_t i = 0; i < 254; ++i) {
        // Bucket centres: nothing lies nearer to a leaf's centre than its own colour.
        const uint32_t c = (((i * 8) & 0xF8) | (((i / 32) * 32) << 8) | 0x400000) | 0x040404;
        distinct.insert(c);
        for (int k = 0; k < 3; ++k) pixels.push_back(c);
    }
    ASSERT_EQ(distinct.size(), 254u);
    QuantizedPicture q;
    ASSERT_TRUE(QuantizeTo8Bit(pixels, &q));
    EXPECT_EQ(q.coloursFound, 254);
    // Every colour keeps its own entry and its exact value.
    for (size_t p = 0; p < pixels.size(); ++p) ASSERT_EQ(q.palette[q.indices[p]], pixels[p]) << p;
    EXPECT_EQ(q.palette[254], 0x000000u);
    EXPECT_EQ(q.palette[255], 0xFFFFFFu);
}

TEST(Quantize, AveragesAreRoundedAndTheWalkStartsAtChildSeven) {
    // Two colours in one leaf average with rounding: (10 + 13 + 1) / 2 = 12 per channel.
    std::vector<uint32_t> pixels = {0x0A0A0A, 0x0D0D0D, 0xF0F0F0};
    QuantizedPicture q;
    ASSERT_TRUE(QuantizeTo8Bit(pixels, &q));
    EXPECT_EQ(q.coloursFound, 2);
    // The bright colour lives under child 7 of the root and is visited first.
    EXPECT_EQ(q.palette[0], 0xF0F0F0u);
    EXPECT_EQ(q.palette[1], 0x0C0C0Cu);
    EXPECT_EQ(q.indices, (std::vector<uint8_t>{1, 1, 0}));
}

TEST(Quantize, ManyColoursReduceTo254AndEveryPixelMapsNearby) {
    std::mt19937 rng(4);
    std::vector<uint32_t> pixels(64 * 64);
    for (auto& p : pixels) p = rng() & 0xFFFFFF;
    QuantizedPicture q;
    ASSERT_TRUE(QuantizeTo8Bit(pixels, &q));
    EXPECT_LE(q.coloursFound, 254);
    EXPECT_GT(q.coloursFound, 100);
    std::set<uint8_t> used(q.indices.begin(), q.indices.end());
    for (uint8_t i : used) EXPECT_LT(i, q.coloursFound);
    EXPECT_EQ(q.palette[254], 0u);
    EXPECT_EQ(q.palette[255], 0xFFFFFFu);
    // An empty picture is not an error.
    ASSERT_TRUE(QuantizeTo8Bit({}, &q));
    EXPECT_EQ(q.coloursFound, 0);
}

TEST(Resample, HalvingAveragesAndEnlargingRepeats) {
    // A 4 x 2 picture halved to 2 x 1: each target is the rounded mean of a 2 x 2 block.
    const std::vector<uint32_t> src = {0x000000, 0x000003, 0x0000FF, 0x0000FF,
                                       0x000001, 0x000002, 0x0000FF, 0x000000};
    EXPECT_EQ(ResampleColours(src, 4, 2, 2, 1), (std::vector<uint32_t>{0x000002, 0x0000BF}));
    const std::vector<uint32_t> two = {0x102030, 0x405060};
    EXPECT_EQ(ResampleColours(two, 2, 1, 4, 1),
              (std::vector<uint32_t>{0x102030, 0x102030, 0x405060, 0x405060}));
    // The mask is set where at least half the area is set.
    const std::vector<uint8_t> mask = {1, 0, 0, 0, 1, 0, 0, 0};
    EXPECT_EQ(ResampleMask(mask, 4, 2, 2, 1), (std::vector<uint8_t>{1, 0}));
}

TEST(Resample, ShrinkToFitRoundings) {
    int w, h;
    ShrinkToFit(64, 48, 32, 32, FitRounding::AboveHalf, &w, &h);
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 24);
    ShrinkToFit(64, 32, 32, 32, FitRounding::HalfUp, &w, &h);
    EXPECT_EQ(h, 16);
    // 32 * 45 / 100 = 14.4 -> 14 ; 32 * 47 / 100 = 15.04 ; 32 * 39 / 80 = 15.6.
    ShrinkToFit(80, 39, 32, 32, FitRounding::Down, &w, &h);
    EXPECT_EQ(h, 15);
    ShrinkToFit(80, 39, 32, 32, FitRounding::HalfUp, &w, &h);
    EXPECT_EQ(h, 16);
    // Exactly half: 32 * 5 / 64 = 2.5 rounds up only for HalfUp.
    ShrinkToFit(64, 5, 32, 32, FitRounding::HalfUp, &w, &h);
    EXPECT_EQ(h, 3);
    ShrinkToFit(64, 5, 32, 32, FitRounding::AboveHalf, &w, &h);
    EXPECT_EQ(h, 2);
    // Tall pictures fit their height; a box that is not square fits both sides.
    ShrinkToFit(30, 90, 32, 32, FitRounding::AboveHalf, &w, &h);
    EXPECT_EQ(w, 11);
    EXPECT_EQ(h, 32);
    ShrinkToFit(100, 90, 64, 16, FitRounding::AboveHalf, &w, &h);
    EXPECT_LE(w, 64);
    EXPECT_EQ(h, 16);
    // Never 0.
    ShrinkToFit(1000, 1, 32, 32, FitRounding::Down, &w, &h);
    EXPECT_EQ(h, 1);
    ShrinkToFit(20, 10, 32, 32, FitRounding::Down, &w, &h);
    EXPECT_EQ(w, 20);
}

class ConvertTest : public ::testing::Test {
  protected:
    ScriptedPrompt m_prompt;
    ImageHost m_host = test::TestHost(&m_prompt);
    IconResource m_doc;
};

TEST_F(ConvertTest, AnyConversionTo256PutsBlackAndWhiteAtTheEndAndMasksOnThem) {
    for (int32_t code : {kMonochrome, kColors16, kColors256, kTrueColor}) {
        SCOPED_TRACE(code);
        IconResource doc;
        IconImage& from = test::AddDrawnImage(doc, m_host, 32, 32, code);
        const IconImage source = from.Clone();
        doc.activeFormat = {32, 32, kColors256};
        IconImage to;
        to.width = 32;
        to.height = 32;
        to.colorCode = kColors256;
        ASSERT_TRUE(to.AllocateBlock());
        ASSERT_TRUE(ConvertFromImage(source, to));
        EXPECT_EQ(to.TableColor(254), 0x000000u);
        EXPECT_EQ(to.TableColor(255), 0xFFFFFFu);
        EXPECT_EQ(to.screenColor, 254u);
        EXPECT_EQ(to.inverseColor, 255u);
        for (int32_t y = 0; y < 32; ++y)
            for (int32_t x = 0; x < 32; ++x) {
                ASSERT_EQ(to.AndBit(x, y), source.AndBit(x, y));
                if (!source.AndBit(x, y)) continue;
                const bool inverse = source.TableEntries()
                                         ? source.TableColor(source.XorValue(x, y)) == 0xFFFFFF
                                         : source.XorValue(x, y) == 0xFFFFFF;
                ASSERT_EQ(to.XorValue(x, y), inverse ? 255u : 254u) << x << "," << y;
            }
    }
}

TEST_F(ConvertTest, HalvingAveragesAndFixedTablesTakeTheNearestEntry) {
    IconImage from;
    from.width = from.height = 32;
    from.colorCode = kTrueColor;
    ASSERT_TRUE(from.AllocateBlock());
    for (int32_t y = 0; y < 32; ++y)
        for (int32_t x = 0; x < 32; ++x) from.SetXorValue(x, y, (x + y) % 2 ? 0x0000FF : 0x000000);
    IconImage to;
    to.width = to.height = 16;
    to.colorCode = kTrueColor;
    ASSERT_TRUE(to.AllocateBlock());
    ASSERT_TRUE(ConvertFromImage(from, to));
    EXPECT_EQ(to.XorValue(3, 5), 0x000080u);  // (0 + 255 + 0 + 255) / 4 rounded
    EXPECT_EQ(to.screenColor, 0u);
    EXPECT_EQ(to.inverseColor, 0xFFFFFFu);

    // Into 16 colours the averaged dark red is the standard dark red entry (index 1).
    IconImage sixteen;
    sixteen.width = sixteen.height = 16;
    sixteen.colorCode = kColors16;
    ASSERT_TRUE(sixteen.AllocateBlock());
    const uint32_t standard[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                   0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                                   0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    for (uint32_t i = 0; i < 16; ++i) sixteen.SetTableColor(i, standard[i]);
    ASSERT_TRUE(ConvertFromImage(from, sixteen));
    EXPECT_EQ(sixteen.XorValue(0, 0), 1u);
    EXPECT_EQ(sixteen.inverseColor, 15u);

    // Enlarging 32 -> 64 repeats each pixel.
    IconImage big;
    big.width = big.height = 64;
    big.colorCode = kTrueColor;
    ASSERT_TRUE(big.AllocateBlock());
    ASSERT_TRUE(ConvertFromImage(from, big));
    EXPECT_EQ(big.XorValue(0, 0), from.XorValue(0, 0));
    EXPECT_EQ(big.XorValue(1, 1), from.XorValue(0, 0));
    EXPECT_EQ(big.XorValue(2, 0), from.XorValue(1, 0));
    EXPECT_EQ(big.XorValue(3, 1), from.XorValue(1, 0));
    EXPECT_EQ(big.XorValue(2, 2), from.XorValue(1, 1));
    EXPECT_EQ(big.XorValue(4, 2), from.XorValue(2, 1));
}

TEST_F(ConvertTest, RemapKeepsMaskMeaningAndCachesNearestColours) {
    IconImage& img = test::AddDrawnImage(m_doc, m_host, 16, 16, kColors256);
    const IconImage before = img.Clone();
    // A palette whose black sits at 3 and white at 7; the rest grey shades.
    ColorValues256 palette{};
    for (uint32_t i = 0; i < 256; ++i) palette[i] = (i | 1) * 0x010101;
    palette[3] = 0x000000;
    palette[7] = 0xFFFFFF;
    palette[255] = 0x808080;
    m_prompt.Clear();
    const uint32_t screen = RemapToPalette(m_doc, m_host, palette);
    EXPECT_TRUE(m_prompt.texts().empty());
    EXPECT_EQ(palette[screen], 0x000000u);
    EXPECT_EQ(screen, img.screenColor);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16; ++x) {
            ASSERT_EQ(img.AndBit(x, y), before.AndBit(x, y));
            const uint32_t old = before.XorValue(x, y);
            if (before.AndBit(x, y)) {
                // Screen stays on a black entry, inverse on a white one.
                ASSERT_EQ(img.TableColor(img.XorValue(x, y)),
                          old == before.screenColor ? 0x000000u : 0xFFFFFFu);
            } else {
                ASSERT_EQ(img.XorValue(x, y), static_cast<uint32_t>(NearestPaletteIndex(
                                                  before.TableColor(old), palette)));
            }
        }
    EXPECT_TRUE(img.changed);
}

TEST_F(ConvertTest, OpeningAPaletteFileRemapsThe256ColourImage) {
    IconImage& img = test::AddDrawnImage(m_doc, m_host, 16, 16, kColors256);
    test::ScratchDir dir;
    ColorValues256 palette{};
    for (uint32_t i = 0; i < 256; ++i) palette[i] = (0x030201 * i) & 0xFFFFFF;
    palette[100] = 0x000000;
    palette[255] = 0xFFFFFF;
    ASSERT_TRUE(WritePaletteFile(dir.File("p.pal"), palette, "ICS"));
    PaletteState state;
    EXPECT_FALSE(OpenPaletteFile(m_doc, m_host, state, dir.File("none.pal")));
    ASSERT_TRUE(OpenPaletteFile(m_doc, m_host, state, dir.File("p.pal")));
    EXPECT_EQ(state.current, palette);
    for (uint32_t i = 0; i < 256; ++i) ASSERT_EQ(img.TableColor(i), palette[i]);
    EXPECT_EQ(palette[state.newImageScreenIndex], 0u);

    // The conversion hook fills a new format from the current image.
    IconImage to;
    to.width = to.height = 8;
    to.colorCode = kColors16;
    ASSERT_TRUE(to.AllocateBlock());
    ConversionHook(m_host)(img, to);
    EXPECT_EQ(to.inverseColor, 15u);
    EXPECT_FALSE(to.untouched);

    // A true-colour image takes the palette as the one the palette window shows for it.
    IconImage& deep = test::AddDrawnImage(m_doc, m_host, 16, 16, kTrueColor);
    const std::vector<uint8_t> bits = deep.block;
    palette[1] = 0x123456;
    ASSERT_TRUE(WritePaletteFile(dir.File("q.pal"), palette, "ICS"));
    ASSERT_TRUE(OpenPaletteFile(m_doc, m_host, state, dir.File("q.pal")));
    EXPECT_EQ(deep.trueColorPalette, std::optional<ColorValues256>(palette));
    EXPECT_EQ(deep.block, bits);
}

// A palette that lacks black (or white) costs only the pixels that needed it: they become opaque
// index 0 (or 255), while the other special pixels keep their meaning on the entry that is there.
TEST_F(ConvertTest, OpeningAPaletteLackingBlackOrWhiteKeepsTheOtherSpecialPixels) {
    struct Case {
        const char* name;
        int black;  // -1: missing
        int white;
    };
    for (const Case c : {Case{"no white", 10, -1}, Case{"no black", -1, 200}}) {
        SCOPED_TRACE(c.name);
        IconResource doc;
        IconImage& img = test::AddDrawnImage(doc, m_host, 16, 16, kColors256);
        const IconImage before = img.Clone();
        ColorValues256 palette{};
        for (uint32_t i = 0; i < 256; ++i) palette[i] = 0x101010 + i;
        if (c.black >= 0) palette[static_cast<size_t>(c.black)] = 0x000000;
        if (c.white >= 0) palette[static_cast<size_t>(c.white)] = 0xFFFFFF;
        test::ScratchDir dir;
        ASSERT_TRUE(WritePaletteFile(dir.File("p.pal"), palette, "ICS"));
        PaletteState state;
        m_prompt.Clear();
        ASSERT_TRUE(OpenPaletteFile(doc, m_host, state, dir.File("p.pal")));
        EXPECT_EQ(m_prompt.texts().size(), 1u);  // the activation warns about the missing entry

        int screens = 0, inverses = 0;
        for (int32_t y = 0; y < 16; ++y)
            for (int32_t x = 0; x < 16; ++x) {
                if (!before.AndBit(x, y)) continue;
                const bool screen = before.XorValue(x, y) == before.screenColor;
                (screen ? screens : inverses)++;
                const int kept = screen ? c.black : c.white;
                if (kept >= 0) {
                    ASSERT_TRUE(img.AndBit(x, y)) << x << "," << y;
                    ASSERT_EQ(img.XorValue(x, y), static_cast<uint32_t>(kept)) << x << "," << y;
                } else {
                    ASSERT_FALSE(img.AndBit(x, y)) << x << "," << y;
                    ASSERT_EQ(img.XorValue(x, y), screen ? 0u : 255u) << x << "," << y;
                }
            }
        EXPECT_GT(screens, 0);
        EXPECT_GT(inverses, 0);
        EXPECT_EQ(state.newImageScreenIndex, c.black >= 0 ? static_cast<uint32_t>(c.black) : 0u);
    }
}

// "Begin New Image using Current Image" when the quantizer's memory cannot be had: the user is
// told, and the new format stays a blank, untouched image that a save leaves out.
TEST_F(ConvertTest, AFailedConversionIsReportedAndTheNewFormatStaysUntouched) {
    test::AddDrawnImage(m_doc, m_host, 32, 32, kTrueColor);
    m_doc.modified = false;
    m_host.fillFromImage = ConversionHook(m_host);
    m_prompt.Clear();
    NewFormatOutcome outcome;
    const size_t refusedBefore = test::FailLargeAllocations::refused();
    {
        test::FailLargeAllocations outOfMemory(512 * 1024);
        outcome = ApplyNewImageFormat(m_doc, {32, 32, kColors256}, true, m_host);
    }
    EXPECT_GT(test::FailLargeAllocations::refused(), refusedBefore);
    EXPECT_EQ(outcome, NewFormatOutcome::Done);
    ASSERT_EQ(m_prompt.shown().size(), 1u);
    EXPECT_EQ(m_prompt.shown()[0].text, "Out of global memory.  Cannot complete this function.");
    const IconImage& made = *m_doc.ActiveImage();
    EXPECT_EQ(made.colorCode, kColors256);
    EXPECT_TRUE(made.untouched);
    EXPECT_FALSE(m_doc.modified);
    for (int32_t y = 0; y < 32; ++y)
        for (int32_t x = 0; x < 32; ++x) ASSERT_TRUE(made.AndBit(x, y)) << x << "," << y;

    // With memory the same conversion fills the image.
    m_doc.activeFormat = {32, 32, kTrueColor};
    ASSERT_TRUE(SwitchToFormat(m_doc, m_host, false));
    m_prompt.Clear();
    EXPECT_EQ(ApplyNewImageFormat(m_doc, {16, 16, kColors256}, true, m_host),
              NewFormatOutcome::Done);
    EXPECT_TRUE(m_prompt.shown().empty());
    EXPECT_FALSE(m_doc.ActiveImage()->untouched);
    EXPECT_TRUE(m_doc.modified);
}

}  // namespace
}  // namespace vt
