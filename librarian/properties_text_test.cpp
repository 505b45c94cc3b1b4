#include "librarian/properties_text.h"

#include <gtest/gtest.h>

#include <cstring>

#include "librarian/librarian_testutil.h"

namespace vt {
namespace {

using test::MakeDib;

TEST(PropertiesText, ImageBytesCountHeaderPaletteAndWholeWordRows) {
    // 32 × 32 in 16 colours: 40 + 64 + 32 × (1 + 4) × 4.
    EXPECT_EQ(ImageBytes(32, 32, 4), 40u + 64u + 640u);
    EXPECT_EQ(ImageBytes(32, 32, 4), test::MakeDib(32, 32, 4).size());
    // Rows round up to whole words: 17 pixels of 1 bit take one word each for colour and mask.
    EXPECT_EQ(ImageBytes(17, 2, 1), 40u + 8u + 2u * 2u * 4u);
    EXPECT_EQ(ImageBytes(48, 48, 24), 40u + 48u * (2u + 36u) * 4u);
}

TEST(PropertiesText, IconPropertiesListSortedFormatsAndTheTotal) {
    Workspace ws;
    ASSERT_EQ(ws.New(), LibStatus::Ok);
    long icon = -1;
    for (auto b : {MakeDib(48, 48, 24), MakeDib(16, 16, 4), MakeDib(32, 32, 8), MakeDib(32, 32, 4)})
        icon = ws.AddImage(b, icon);
    ws.Rename(0, "Tree");
    IconPropertiesText t = MakeIconProperties(ws, 0, ".");
    EXPECT_EQ(t.name, "Tree");
    EXPECT_EQ(t.internalId, "1");
    EXPECT_EQ(t.formats, (std::vector<std::string>{"16x16, 16 colors", "32x32, 16 colors",
                                                   "32x32, 256 colors", "48x48, True Color"}));
    uint64_t total = ImageBytes(48, 48, 24) + ImageBytes(16, 16, 4) + ImageBytes(32, 32, 8) +
                     ImageBytes(32, 32, 4);
    EXPECT_EQ(total, 7336u + 296u + 2216u + 744u);
    EXPECT_EQ(t.totalSize, "10.592 bytes");
    std::memcpy(ws.icons()[0].resourceName, "APP", 3);
    EXPECT_EQ(MakeIconProperties(ws, 0).internalId, "APP");

    // Ten formats at most.
    long many = -1;
    for (int i = 1; i <= 12; ++i) many = ws.AddImage(MakeDib(4 * i, 4 * i, 1), many);
    t = MakeIconProperties(ws, static_cast<size_t>(many));
    ASSERT_EQ(t.formats.size(), 10u);
    EXPECT_EQ(t.formats[9], "40x40, 2 colors");
}

TEST(PropertiesText, FilePropertiesTypeCountsAndDistinctFormats) {
    Workspace ws;
    ASSERT_EQ(ws.New(), LibStatus::Ok);
    FilePropertiesText t = MakeFileProperties(ws, "(untitled)");
    EXPECT_EQ(t.type, "Library");
    EXPECT_EQ(t.icons, "0");
    EXPECT_EQ(t.formats, std::vector<std::string>{"(none)"});

    ws.AddImage(MakeDib(32, 32, 4), -1);
    ws.SetMode(kModeSingleIconFile);
    EXPECT_EQ(MakeFileProperties(ws, "one").type, "New workspace");
    ws.AddImage(MakeDib(32, 32, 4), -1);
    ws.AddImage(MakeDib(16, 16, 8), 1);
    t = MakeFileProperties(ws, "two");
    EXPECT_EQ(t.name, "two");
    EXPECT_EQ(t.type, "Library");
    EXPECT_EQ(t.icons, "2");
    EXPECT_EQ(t.images, "3");
    EXPECT_EQ(t.formats, (std::vector<std::string>{"32x32, 16 colors", "16x16, 256 colors"}));
    ws.SetMode(kModeProgram);
    EXPECT_EQ(MakeFileProperties(ws, "two").type, "Program Library");
}

}  // namespace
}  // namespace vt
