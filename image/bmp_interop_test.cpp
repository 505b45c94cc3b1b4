// ImageMagick writes bitmaps in every depth it knows; we must read each to the pixels it reads
// back itself.
#include <gtest/gtest.h>

#include <cstdio>

#include "image/bmp_reader.h"
#include "image/icon_testutil.h"

namespace vt {
namespace {

std::vector<uint8_t> RunTool(const std::string& command) {
    std::vector<uint8_t> out;
    FILE* p = popen((command + " 2>/dev/null").c_str(), "r");
    EXPECT_NE(p, nullptr) << command;
    if (!p) return out;
    uint8_t buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.insert(out.end(), buf, buf + n);
    EXPECT_EQ(pclose(p), 0) << command;
    return out;
}

TEST(BmpInterop, WeReadWhatImageMagickWritesInEveryDepth) {
    test::ScratchDir dir;
    const std::string src = dir.File("src.png");
    RunTool("convert -size 13x7 -seed 4 xc: +noise Random " + src);
    struct Case {
        const char* name;
        const char* options;
        int bits;
        uint32_t compression;
    } cases[] = {
        {"1", "-type bilevel BMP3:", 1, 0},
        {"4", "-colors 16 -type palette -compress none BMP3:", 4, 0},
        {"8", "-colors 200 -type palette -compress none BMP3:", 8, 0},
        {"8rle", "-colors 200 -type palette -compress RLE BMP3:", 8, 1},
        {"24", "-type truecolor BMP3:", 24, 0},
        {"565", "-define bmp:subtype=RGB565 BMP:", 16, 3},
        {"555", "-define bmp:subtype=RGB555 BMP:", 16, 3},
        {"32", "-type TrueColorAlpha BMP:", 32, 3},
        {"24v5", "-type truecolor BMP:", 24, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File(std::string("o") + c.name + ".bmp");
        RunTool("convert " + src + " " + c.options + path);
        const auto file = test::ReadBytes(path);
        ASSERT_GT(file.size(), 54u);
        // The depth and compression are the ones this case is about.
        ASSERT_EQ(file[28], c.bits);
        ASSERT_EQ(file[30], c.compression);
        BmpPicture pic;
        ASSERT_EQ(ReadBmp(file, &pic), BmpError::None);
        ASSERT_EQ(pic.width, 13);
        ASSERT_EQ(pic.height, 7);
        const auto rgb = RunTool("convert " + path + " -depth 8 rgb:-");
        ASSERT_EQ(rgb.size(), 13u * 7 * 3);
        for (size_t p = 0; p < 13 * 7; ++p) {
            const uint32_t expected = rgb[3 * p] | (rgb[3 * p + 1] << 8) | (rgb[3 * p + 2] << 16);
            ASSERT_EQ(pic.colours[p], expected) << p;
        }
    }
}

}  // namespace
}  // namespace vt
