#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "image/icon_testutil.h"
#include "image/palette_file.h"
#include "image/palette_state.h"

namespace vt {
namespace {

std::vector<uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

const std::string kHeader = "JASC-PAL\r\n0100\r\n256\r\n";

TEST(PaletteFile, ParsesDigitsLowBitsAndLeavesMissingEntriesBlack) {
    ColorValues256 p;
    p.fill(0x123456);
    ASSERT_TRUE(ParseJascPalette(Bytes(kHeader + "1 2 3\r\n256 511 -7\r\nx9y8z7\r\n10 20"), &p));
    EXPECT_EQ(p[0], 0x030201u);
    EXPECT_EQ(p[1], 0x07FF00u);  // 256 -> 0, 511 -> 255, the minus sign is skipped
    EXPECT_EQ(p[2], 0x070809u);
    EXPECT_EQ(p[3], 0u);  // a partial last entry is not read
    for (size_t i = 3; i < 256; ++i) ASSERT_EQ(p[i], 0u) << i;
    // Long runs of digits are cut to the low 8 bits without overflowing.
    ASSERT_TRUE(ParseJascPalette(Bytes(kHeader + "99999999999999999999 0 0"), &p));
    EXPECT_EQ(p[0], 255u);  // (10^20 - 1) mod 256
}

TEST(PaletteFile, HeaderMustBeExact) {
    ColorValues256 p;
    p.fill(0xABCDEF);
    EXPECT_FALSE(ParseJascPalette(Bytes("JASC-PAL\r\n0100\r\n16\r\n1 2 3\r\n"), &p));
    EXPECT_FALSE(ParseJascPalette(Bytes("JASC-PAL\n0100\n256\n1 2 3\n"), &p));
    EXPECT_FALSE(ParseJascPalette(Bytes("JASC-PAL\r\n0100\r\n256\r"), &p));
    EXPECT_EQ(p[0], 0xABCDEFu);
    EXPECT_TRUE(ParseJascPalette(Bytes(kHeader), &p));
    EXPECT_EQ(p[0], 0u);
}

TEST(PaletteFile, SavedFileHasTheExactLengthEndsWithZeroAndReadsBack) {
    ColorValues256 p{};
    size_t lines = 0;
    for (uint32_t i = 0; i < 256; ++i) {
        p[i] = (i * 0x030507u) & 0xFFFFFF;
        lines += std::to_string(p[i] & 0xFF).size() + std::to_string((p[i] >> 8) & 0xFF).size() +
                 std::to_string(p[i] >> 16).size() + 4;
    }
    test::ScratchDir dir;
    const std::string path = dir.File("saved.pal");
    ASSERT_TRUE(WritePaletteFile(path, p, "ICS"));
    const auto bytes = test::ReadBytes(path);
    EXPECT_EQ(bytes.size(), 21 + lines + 1);
    EXPECT_EQ(bytes.back(), 0);
    EXPECT_EQ(std::string(bytes.begin() + 21, bytes.begin() + 28), "0 0 0\r\n");
    ColorValues256 back{};
    ASSERT_TRUE(ReadPaletteFile(path, &back));
    EXPECT_EQ(back, p);
}

TEST(PaletteFile, ReadRefusesLargeMissingAndForeignFiles) {
    test::ScratchDir dir;
    ColorValues256 p{};
    EXPECT_FALSE(ReadPaletteFile(dir.File("none.pal"), &p));
    std::string big = kHeader + std::string(kPaletteFileLimit - kHeader.size(), ' ');
    test::WriteBytes(dir.File("big.pal"), Bytes(big));
    EXPECT_FALSE(ReadPaletteFile(dir.File("big.pal"), &p));
    big.pop_back();
    test::WriteBytes(dir.File("fits.pal"), Bytes(big));
    EXPECT_TRUE(ReadPaletteFile(dir.File("fits.pal"), &p));
    // A failed save leaves the old file whole.
    test::WriteBytes(dir.File("keep.pal"), Bytes("old"));
    EXPECT_FALSE(WritePaletteFile(dir.File("no/such/folder.pal"), p, "ICS"));
    EXPECT_EQ(test::ReadBytes(dir.File("keep.pal")), Bytes("old"));
}

TEST(DefaultPalette, ShipsAsGeneratedWithStandardColoursBlackAndWhite) {
    const ColorValues256 p = DefaultPalette();
    EXPECT_EQ(p[0], 0x000000u);
    EXPECT_EQ(p[1], 0x000080u);  // dark red as a colour value
    EXPECT_EQ(p[9], 0x0000FFu);
    EXPECT_EQ(p[15], 0xFFFFFFu);
    EXPECT_EQ(p[254], 0x000000u);
    EXPECT_EQ(p[255], 0xFFFFFFu);
    const char* source = std::getenv("VT_SOURCE_DIR");
    ASSERT_NE(source, nullptr) << "VT_SOURCE_DIR names the source tree";
    const auto shipped = test::ReadBytes(std::string(source) + "/image/data/default.pal");
    EXPECT_EQ(shipped, FormatJascPalette(p));
    ColorValues256 read{};
    ASSERT_TRUE(ParseJascPalette(shipped, &read));
    EXPECT_EQ(read, p);
}

TEST(PaletteState, PathsFlagsAndNewImagePalettes) {
    test::ScratchDir dir;
    PaletteState s;
    s.Start("C:\\Vantoro");
    EXPECT_EQ(s.defaultPath, "C:\\Vantoro\\default.pal");
    EXPECT_EQ(s.palettePath, s.defaultPath);

    ColorValues256 a{}, b{};
    a.fill(0x111111);
    b.fill(0x222222);
    ASSERT_TRUE(WritePaletteFile(dir.File("a.pal"), a, "ICS"));
    ASSERT_TRUE(WritePaletteFile(dir.File("b.pal"), b, "ICS"));
    ASSERT_TRUE(s.Load(dir.File("a.pal")));
    EXPECT_EQ(s.current, a);
    EXPECT_EQ(s.newImage, a);
    EXPECT_EQ(s.palettePath, dir.File("a.pal"));
    // A failed load changes nothing.
    EXPECT_FALSE(s.Load(dir.File("missing.pal")));
    EXPECT_EQ(s.current, a);
    EXPECT_EQ(s.palettePath, dir.File("a.pal"));

    // 256 colours read the file once; true colour reads it every time.
    ColorValues256 out{};
    s.palettePath = dir.File("b.pal");
    ASSERT_TRUE(s.PaletteForNewImage(kColors256, out));
    EXPECT_EQ(out, b);
    EXPECT_TRUE(s.newImageLoaded);
    ASSERT_TRUE(WritePaletteFile(dir.File("b.pal"), a, "ICS"));
    ASSERT_TRUE(s.PaletteForNewImage(kColors256, out));
    EXPECT_EQ(out, b);
    ASSERT_TRUE(s.PaletteForNewImage(kTrueColor, out));
    EXPECT_EQ(out, a);
    s.palettePath = dir.File("missing.pal");
    EXPECT_FALSE(s.PaletteForNewImage(kTrueColor, out));
    EXPECT_FALSE(s.newImageLoaded);
    EXPECT_EQ(out, a);

    s.NewDocument();
    EXPECT_FALSE(s.newImageLoaded);
    EXPECT_EQ(s.palettePath, s.defaultPath);
}

}  // namespace
}  // namespace vt
