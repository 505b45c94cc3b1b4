// Icons made from pictures: pictures written by ImageMagick go through `vantoro make`, and the
// results are read back by the Studio's reader and by icoutils and ImageMagick.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <regex>

#include "common/file_io.h"
#include "image/colour_convert.h"
#include "image/ico_file.h"
#include "librarian/librarian_testutil.h"
#include "librarian/tool/icon_maker.h"

namespace vt {
namespace {

std::string Shell(const std::string& command, int* status) {
    std::string out;
    FILE* p = popen((command + " 2>&1").c_str(), "r");
    if (!p) return out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    int rc = pclose(p);
    *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return out;
}

std::string Tool() {
    const char* bin = std::getenv("VT_BIN_DIR");
    return std::string(bin ? bin : "bin") + "/vantoro";
}

IconResource ReadBack(const std::string& path) {
    std::vector<uint8_t> bytes = test::ReadAll(path);
    MemorySource source(bytes);
    IconResource doc;
    ImageHost host;
    EXPECT_EQ(DecodeIcoFile(source, doc, host), IcoStatus::Ok) << path;
    return doc;
}

// "WxH@bits" for every image icotool lists.
std::vector<std::string> IcotoolFormats(const std::string& path) {
    int status = -1;
    std::string out = Shell("icotool -l '" + path + "'", &status);
    EXPECT_EQ(status, 0) << out;
    std::vector<std::string> formats;
    std::regex line("--width=([0-9]+) --height=([0-9]+) --bit-depth=([0-9]+)");
    for (std::sregex_iterator it(out.begin(), out.end(), line), end; it != end; ++it)
        formats.push_back((*it)[1].str() + "x" + (*it)[2].str() + "@" + (*it)[3].str());
    return formats;
}

class MakeFromPictures : public ::testing::Test {
  protected:
    void SetUp() override {
        int status = -1;
        Shell("convert -version", &status);
        ASSERT_EQ(status, 0) << "ImageMagick is needed";
    }
    // ImageMagick writes `name` in the folder; `format` ("BMP3:") chooses its writer.
    std::string Convert(const std::string& args, const std::string& name,
                        const std::string& format = "") {
        int status = -1;
        std::string out = Shell("convert " + args + " '" + format + dir.File(name) + "'", &status);
        EXPECT_EQ(status, 0) << out;
        return dir.File(name);
    }
    test::TempFolder dir;
};

TEST_F(MakeFromPictures, BitmapGivesEveryFormatWithItsMaskedColourTransparent) {
    // 40 x 20, red around a blue box: red, the top-left colour, is the masked colour.
    std::string bmp = Convert(
        "-size 40x20 xc:red -fill blue -draw 'rectangle 10,5 29,14' -type "
        "TrueColor",
        "pic.bmp", "BMP3:");
    std::string ico = dir.File("pic.ico");
    int status = -1;
    std::string out = Shell(
        Tool() + " make " + ico + " " + bmp + " --size 16,32 --colors 2,16,256,true", &status);
    ASSERT_EQ(status, 0) << out << bmp;
    IconResource doc = ReadBack(ico);
    ASSERT_EQ(doc.images.size(), 8u);
    EXPECT_EQ(IcotoolFormats(ico),
              (std::vector<std::string>{"16x16@1", "16x16@4", "16x16@8", "16x16@24", "32x32@1",
                                        "32x32@4", "32x32@8", "32x32@24"}));
    for (const IconImage& img : doc.images) {
        SCOPED_TRACE(std::to_string(img.width) + " " + std::to_string(img.colorCode));
        int s = img.width;
        // The 2:1 picture is centred in the square: the top and bottom quarters are transparent,
        // and so is the red frame; the blue box is opaque.
        EXPECT_TRUE(img.AndBit(0, 0));
        EXPECT_TRUE(img.AndBit(s / 2, s / 8));
        EXPECT_TRUE(img.AndBit(s / 2, s - 1));
        EXPECT_TRUE(img.AndBit(s / 16, s / 2));
        EXPECT_FALSE(img.AndBit(s / 2, s / 2));
        if (img.colorCode != kMonochrome) {
            uint32_t centre = ImageColours(img)[static_cast<size_t>(s / 2) * s + s / 2];
            EXPECT_EQ(centre & 0xFFFFFF, 0xFF0000u) << std::hex << centre;  // blue as 0x00BBGGRR
        }
    }
    // ImageMagick reads the file too, with the same number of images.
    out = Shell("identify '" + ico + "'", &status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 8) << out;
}

TEST_F(MakeFromPictures, GifTransparentIndexAndCursorHotSpot) {
    Convert("-size 32x32 xc:none -fill '#00ff00' -draw 'rectangle 8,8 23,23'", "pic.gif");
    std::string cur = dir.File("pic.cur");
    int status = -1;
    std::string out = Shell(Tool() + " make " + cur + " " + dir.File("pic.gif") +
                                " --size 32,16 --colors 256 --hotspot 10,20",
                            &status);
    ASSERT_EQ(status, 0) << out;
    IconResource doc = ReadBack(cur);
    EXPECT_EQ(doc.resourceType, kCursorResource);
    ASSERT_EQ(doc.images.size(), 2u);
    const IconImage& big = doc.images[1];
    EXPECT_EQ(big.width, 32);
    EXPECT_EQ(big.colorCode, kColors256);
    EXPECT_EQ(big.hotSpotX, 10u);
    EXPECT_EQ(big.hotSpotY, 20u);
    EXPECT_EQ(doc.images[0].hotSpotX, 5u);
    EXPECT_TRUE(big.AndBit(2, 2));
    EXPECT_FALSE(big.AndBit(16, 16));
    EXPECT_EQ(big.XorValue(2, 2), 254u);  // transparent pixels hold the quantizer's black
    EXPECT_EQ(ImageColours(big)[16 * 32 + 16] & 0xFFFFFF, 0x00FF00u);
    // icotool extracts the images it lists.
    out = Shell("icotool -x -o '" + dir.path() + "' '" + cur + "'", &status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(IcotoolFormats(cur), (std::vector<std::string>{"16x16@8", "32x32@8"}));
}

TEST_F(MakeFromPictures, IconInputKeepsItsMaskAndBadInputsFail) {
    std::vector<uint8_t> dib = test::MakeDib(48, 48, 24, 0x40);
    // Left half transparent: AND rows of 48 bits padded to 8 bytes, at the block's end.
    size_t andStart = dib.size() - 8 * 48;
    for (int y = 0; y < 48; ++y)
        dib[andStart + 8 * y] = 0xFF, dib[andStart + 8 * y + 1] = 0xFF,
                           dib[andStart + 8 * y + 2] = 0xFF;
    std::string in = dir.Write("in.ico", test::MakeIco({dib}));
    int status = -1;
    std::string out =
        Shell(Tool() + " make " + dir.File("o.ico") + " " + in + " --size 24", &status);
    ASSERT_EQ(status, 0) << out;
    IconResource doc = ReadBack(dir.File("o.ico"));
    ASSERT_EQ(doc.images.size(), 2u);  // 16 and 256 colours by default
    for (const IconImage& img : doc.images) {
        EXPECT_TRUE(img.AndBit(2, 12));
        EXPECT_FALSE(img.AndBit(20, 12));
    }
    out = Shell(Tool() + " make " + dir.File("x.ico") + " " + dir.Write("t.txt", {'h', 'i'}),
                &status);
    EXPECT_NE(out.find("not a .bmp, .gif, .ico or .cur file"), std::string::npos) << out;
    EXPECT_EQ(status, 1);
    EXPECT_FALSE(FileExists(dir.File("x.ico")));
    Shell(Tool() + " make " + dir.File("x.ico") + " " + in + " --size 300", &status);
    EXPECT_EQ(status, 2);
    Shell(Tool() + " make " + dir.File("x.ico") + " " + in + " --hotspot 1,1", &status);
    EXPECT_EQ(status, 2);
}

TEST(IconMaker, PicturesLargerThanAnImageAreFittedAndCentred) {
    Picture p;
    p.width = 600;
    p.height = 300;
    p.colours.assign(600 * 300, 0x0000FF);
    p.mask.assign(p.colours.size(), 0);
    MakeRequest r;
    r.sizes = {32};
    r.codes = {kTrueColor, kColors16};
    IconResource doc;
    std::string why;
    ASSERT_TRUE(MakeIcon(p, r, &doc, &why)) << why;
    ASSERT_EQ(doc.images.size(), 2u);
    const IconImage& img = doc.images[1];
    EXPECT_EQ(img.colorCode, kTrueColor);
    EXPECT_TRUE(img.AndBit(16, 3));
    EXPECT_FALSE(img.AndBit(16, 16));
    EXPECT_EQ(img.XorValue(16, 16), 0x0000FFu);
    Picture empty;
    EXPECT_FALSE(MakeIcon(empty, r, &doc, &why));
}

}  // namespace
}  // namespace vt
