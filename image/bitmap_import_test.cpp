#include <gtest/gtest.h>

#include "image/bitmap_import.h"
#include "image/bmp_testutil.h"
#include "image/icon_testutil.h"

namespace vt {
namespace {

class ImportTest : public ::testing::Test {
  protected:
    IconImage& Blank(int32_t w, int32_t h, int32_t code) {
        m_doc.activeFormat = {w, h, code};
        EXPECT_TRUE(FindOrCreateImage(m_doc, nullptr, 0, m_host));
        ActivateImage(m_doc, m_host);
        return *m_doc.ActiveImage();
    }
    ScriptedPrompt m_prompt;
    ImageHost m_host = test::TestHost(&m_prompt);
    IconResource m_doc;
    PaletteState m_palettes;
    int m_undoBuffers = 0;
};

test::BmpFixture Solid(int w, int h, uint32_t colour) {
    test::BmpFixture s;
    s.width = w;
    s.height = h;
    s.bits = 24;
    s.pixels.assign(static_cast<size_t>(w) * h, colour);
    return s;
}

// The opaque area of an image as left, top, width, height.
std::array<int, 4> OpaqueBox(const IconImage& img) {
    int l = img.width, t = img.height, r = -1, b = -1;
    for (int32_t y = 0; y < img.height; ++y)
        for (int32_t x = 0; x < img.width; ++x)
            if (!img.AndBit(x, y)) {
                l = std::min(l, x);
                t = std::min(t, y);
                r = std::max(r, x);
                b = std::max(b, y);
            }
    return {l, t, r - l + 1, b - t + 1};
}

// The Animator fills the selected frame, an image of its own outside any icon resource.
TEST_F(ImportTest, AGivenImageIsFilledAndTheDocumentLeftAlone) {
    IconImage& active = Blank(32, 32, kColors16);
    IconImage frame = active.Clone();
    const std::array<int, 4> before = OpaqueBox(active);
    m_host.createUndoBuffer = [this](IconImage&) { ++m_undoBuffers; };
    ASSERT_EQ(ImportBitmapInto(frame, m_host, m_palettes, test::MakeBmp(Solid(8, 8, 0xFF0000))),
              ImportResult::Imported);
    EXPECT_EQ(OpaqueBox(frame), (std::array<int, 4>{12, 12, 8, 8}));
    EXPECT_EQ(OpaqueBox(active), before);
    EXPECT_EQ(m_undoBuffers, 1);
    EXPECT_FALSE(m_doc.modified);
}

TEST_F(ImportTest, SmallPictureIsCentredWithATransparentBorder) {
    IconImage& img = Blank(32, 32, kTrueColor);
    m_host.createUndoBuffer = [this](IconImage&) { ++m_undoBuffers; };
    ASSERT_EQ(ImportBitmap(m_doc, m_host, m_palettes, test::MakeBmp(Solid(16, 16, 0x3366CC))),
              ImportResult::Imported);
    EXPECT_EQ(OpaqueBox(img), (std::array<int, 4>{8, 8, 16, 16}));
    EXPECT_EQ(img.XorValue(8, 8), 0x3366CCu);
    EXPECT_EQ(img.XorValue(0, 0), 0u);
    EXPECT_TRUE(img.AndBit(31, 31));
    EXPECT_EQ(m_undoBuffers, 1);  // a fresh history: the import cannot be undone
    EXPECT_TRUE(m_doc.modified);
}

TEST_F(ImportTest, WidePictureShrinksToFitAndCentresVertically) {
    IconImage& img = Blank(32, 32, kColors16);
    ASSERT_EQ(ImportBitmap(m_doc, m_host, m_palettes, test::MakeBmp(Solid(64, 48, 0x0000FF))),
              ImportResult::Imported);
    EXPECT_EQ(OpaqueBox(img), (std::array<int, 4>{0, 4, 32, 24}));
    // A true-colour picture in a 16-colour image takes the nearest standard colour: red is 9.
    EXPECT_EQ(img.XorValue(5, 10), 9u);
    EXPECT_EQ(img.XorValue(5, 2), img.screenColor);
}

TEST_F(ImportTest, PaletteBitmapBringsItsTableInto256ColourImages) {
    IconImage& img = Blank(32, 32, kColors256);
    test::BmpFixture s;
    s.width = s.height = 8;
    s.bits = 8;
    for (uint32_t i = 0; i < 256; ++i) s.table.push_back((i * 0x030507) & 0xFFFFFF);
    s.table[0] = 0x010101;
    s.table[10] = 0x000000;
    s.table[20] = 0xFFFFFF;
    for (uint32_t p = 0; p < 64; ++p) s.pixels.push_back(30 + p);
    ASSERT_EQ(ImportBitmap(m_doc, m_host, m_palettes, test::MakeBmp(s)), ImportResult::Imported);
    for (uint32_t i = 0; i < 256; ++i) {
        ASSERT_EQ(img.TableColor(i), s.table[i]) << i;
        ASSERT_EQ(m_palettes.current[i], s.table[i]) << i;
    }
    EXPECT_TRUE(m_palettes.newImageLoaded);
    EXPECT_EQ(m_palettes.newImageScreenIndex, 10u);
    EXPECT_EQ(img.screenColor, 10u);
    EXPECT_EQ(img.XorValue(0, 0), 10u);  // the transparent surround holds the black entry
    EXPECT_EQ(img.XorValue(12, 12), 30u);
}

TEST_F(ImportTest, TrueColourInto256IsQuantizedWithBlackAndWhiteAtTheEnd) {
    IconImage& img = Blank(16, 16, kColors256);
    test::BmpFixture s = Solid(8, 8, 0x204080);
    s.pixels[0] = 0x00FF00;
    ASSERT_EQ(ImportBitmap(m_doc, m_host, m_palettes, test::MakeBmp(s)), ImportResult::Imported);
    EXPECT_EQ(img.TableColor(254), 0u);
    EXPECT_EQ(img.TableColor(255), 0xFFFFFFu);
    EXPECT_EQ(img.TableColor(img.XorValue(4, 4)), 0x00FF00u);
    EXPECT_EQ(img.TableColor(img.XorValue(5, 5)), 0x204080u);
    EXPECT_EQ(m_palettes.newImageScreenIndex, 254u);
}

TEST_F(ImportTest, UnreadableFilesChangeNothingAndSayNothing) {
    IconImage& img = Blank(16, 16, kColors16);
    const std::vector<uint8_t> before = img.block;
    auto file = test::MakeBmp(Solid(8, 8, 0x123456));
    file.resize(40);
    EXPECT_EQ(ImportBitmap(m_doc, m_host, m_palettes, file), ImportResult::Unreadable);
    EXPECT_EQ(img.block, before);
    test::ScratchDir dir;
    EXPECT_EQ(ImportBitmapFile(m_doc, m_host, m_palettes, dir.File("none.bmp")),
              ImportResult::Unreadable);
    test::WriteBytes(dir.File("ok.bmp"), test::MakeBmp(Solid(4, 4, 0x0000FF)));
    EXPECT_EQ(ImportBitmapFile(m_doc, m_host, m_palettes, dir.File("ok.bmp")),
              ImportResult::Imported);
    EXPECT_FALSE(img.AndBit(7, 7));
    EXPECT_TRUE(m_prompt.texts().empty());
}

}  // namespace
}  // namespace vt
