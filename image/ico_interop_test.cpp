// Independent tools as oracles: icoutils' icotool lists and extracts what we write, and icotool
// and ImageMagick write icons that we read. The tools are part of the test command's setup, so a
// missing tool is a failure, not a skip.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "image/ico_file.h"
#include "image/icon_testutil.h"

namespace vt {
namespace {

using test::ScratchDir;

// Runs a shell command and returns its exit status; its standard output goes to `out`.
int RunTool(const std::string& command, std::string* out = nullptr) {
    std::FILE* p = popen((command + " 2>/dev/null").c_str(), "r");
    if (!p) return -1;
    char buf[4096];
    std::string text;
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) text.append(buf, n);
    int status = pclose(p);
    if (out) *out = text;
    return status;
}

void RequireTool(const char* name) {
    ASSERT_EQ(RunTool(std::string("command -v ") + name), 0) << name << " is not installed";
}

// RGBA pixels, top row first.
struct Rgba {
    int32_t width = 0, height = 0;
    std::vector<uint8_t> px;
    const uint8_t* At(int32_t x, int32_t y) const {
        return &px[4 * static_cast<size_t>(y * width + x)];
    }
};

// Decodes a PNG with ImageMagick into RGBA.
Rgba ReadPng(const std::string& png, int32_t w, int32_t h, const ScratchDir& dir) {
    Rgba img{w, h, {}};
    const std::string raw = dir.File("pixels.rgba");
    EXPECT_EQ(RunTool("convert '" + png + "' -depth 8 rgba:'" + raw + "'"), 0) << png;
    img.px = test::ReadBytes(raw);
    EXPECT_EQ(img.px.size(), 4 * static_cast<size_t>(w * h)) << png;
    return img;
}

void WritePng(const Rgba& img, const std::string& png, const ScratchDir& dir) {
    const std::string raw = dir.File("source.rgba");
    test::WriteBytes(raw, img.px);
    ASSERT_EQ(RunTool("convert -size " + std::to_string(img.width) + "x" +
                      std::to_string(img.height) + " -depth 8 rgba:'" + raw + "' '" + png + "'"),
              0);
}

// A picture of `colors` distinct colours (black among them, so that transparent pixels add no
// colour of their own), with a scatter of fully transparent pixels unless it is opaque.
Rgba Picture(int32_t side, uint32_t colors, uint32_t salt, bool opaque = false) {
    Rgba img{side, side, {}};
    for (int32_t y = 0; y < side; ++y)
        for (int32_t x = 0; x < side; ++x) {
            if (!opaque && (x * 3 + y + static_cast<int32_t>(salt)) % 7 == 0) {
                img.px.insert(img.px.end(), {0, 0, 0, 0});
                continue;
            }
            uint32_t i = static_cast<uint32_t>(x * 5 + y * 3) % colors;
            uint8_t r = static_cast<uint8_t>(i * 37 + salt), g = static_cast<uint8_t>(i * 91),
                    b = static_cast<uint8_t>(i * 53 + 7);
            if (i == 0) r = g = b = 0;
            if (colors == 2) r = g = b = static_cast<uint8_t>(255 * i);
            if (colors > 256) r = static_cast<uint8_t>(x * 6), g = static_cast<uint8_t>(y * 5);
            img.px.insert(img.px.end(), {r, g, b, 255});
        }
    return img;
}

// Opaque pixels must match in colour; transparent ones must be screen (AND bit set).
void ExpectSamePixels(const IconImage& img, const Rgba& expected) {
    ASSERT_EQ(img.width, expected.width);
    ASSERT_EQ(img.height, expected.height);
    int mismatches = 0;
    for (int32_t y = 0; y < img.height; ++y)
        for (int32_t x = 0; x < img.width; ++x) {
            const uint8_t* e = expected.At(x, y);
            if (e[3] == 0) {
                if (!img.AndBit(x, y)) ++mismatches;
                continue;
            }
            uint32_t v = img.XorValue(x, y);
            uint32_t c = IsPaletteBased(img.colorCode) ? img.TableColor(v) : v;
            uint32_t want = e[0] | (e[1] << 8) | (static_cast<uint32_t>(e[2]) << 16);
            if (img.AndBit(x, y) || c != want) {
                if (++mismatches < 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << c
                                  << " want " << want;
            }
        }
    EXPECT_EQ(mismatches, 0) << img.width << "x" << img.height << " code " << img.colorCode;
}

std::string IcotoolLine(const IconImage& img, bool cursor) {
    std::ostringstream s;
    s << "--width=" << img.width << " --height=" << img.height
      << " --bit-depth=" << img.BitsPerPixel() << " --palette-size=" << img.TableEntries();
    if (cursor) s << " --hotspot-x=" << img.hotSpotX << " --hotspot-y=" << img.hotSpotY;
    return s.str();
}

TEST(IcoInterop, IcotoolListsTheFormatsWeWrote) {
    RequireTool("icotool");
    ScratchDir dir;
    for (int type : {kIconResource, kCursorResource}) {
        IconResource doc = test::SampleDocument(type);
        const std::string path = dir.File(type == kCursorResource ? "ours.cur" : "ours.ico");
        ASSERT_TRUE(WriteIconFile(doc, path));
        std::string listing;
        ASSERT_EQ(RunTool("icotool -l '" + path + "'", &listing), 0);
        for (size_t i = 0; i < doc.images.size(); ++i) {
            // The hot spot is printed for cursors, so this also checks it survived.
            std::string want = (type == kCursorResource ? "--cursor" : "--icon") +
                               std::string(" --index=") + std::to_string(i + 1) + " " +
                               IcotoolLine(doc.images[i], type == kCursorResource);
            EXPECT_NE(listing.find(want), std::string::npos) << want << "\nin\n" << listing;
        }
    }
}

TEST(IcoInterop, IcotoolExtractsThePixelsWeWrote) {
    RequireTool("icotool");
    RequireTool("convert");
    ScratchDir dir;
    IconResource doc = test::SampleDocument();
    const std::string path = dir.File("ours.ico");
    ASSERT_TRUE(WriteIconFile(doc, path));
    ASSERT_EQ(RunTool("icotool -x -o '" + dir.path() + "' '" + path + "'"), 0);
    for (size_t i = 0; i < doc.images.size(); ++i) {
        const IconImage& img = doc.images[i];
        SCOPED_TRACE(i);
        std::string png = dir.File("ours_" + std::to_string(i + 1) + "_" +
                                   std::to_string(img.width) + "x" + std::to_string(img.height) +
                                   "x" + std::to_string(img.BitsPerPixel()) + ".png");
        Rgba got = ReadPng(png, img.width, img.height, dir);
        if (got.px.size() != 4 * static_cast<size_t>(img.width * img.height)) continue;
        int mismatches = 0;
        for (int32_t y = 0; y < img.height; ++y)
            for (int32_t x = 0; x < img.width; ++x) {
                const uint8_t* p = got.At(x, y);
                if (img.AndBit(x, y)) {
                    // Screen and inverse pixels both come out transparent.
                    mismatches += p[3] != 0;
                    continue;
                }
                uint32_t visible = test::VisiblePixel(img, x, y);  // 0xAARRGGBB
                mismatches += p[3] != 255 || p[0] != ((visible >> 16) & 0xFF) ||
                              p[1] != ((visible >> 8) & 0xFF) || p[2] != (visible & 0xFF);
            }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST(IcoInterop, IconsMadeByIcotoolReadIntoTheSamePixels) {
    RequireTool("icotool");
    RequireTool("convert");
    ScratchDir dir;
    struct Depth {
        int bits;
        int32_t side;
        uint32_t colors;
        int32_t code;
    };
    const Depth depths[] = {{1, 16, 2, kMonochrome},
                            {4, 24, 16, kColors16},
                            {8, 32, 200, kColors256},
                            {24, 40, 100000, kTrueColor},
                            {32, 48, 100000, kTrueColor}};
    std::string command = "icotool -c -o '" + dir.File("made.ico") + "'";
    std::vector<Rgba> sources;
    for (const Depth& d : depths) {
        sources.push_back(Picture(d.side, d.colors, static_cast<uint32_t>(d.bits)));
        const std::string png = dir.File("p" + std::to_string(d.bits) + ".png");
        WritePng(sources.back(), png, dir);
        command += " -b " + std::to_string(d.bits) + " '" + png + "'";
    }
    ASSERT_EQ(RunTool(command), 0);
    std::string listing;
    ASSERT_EQ(RunTool("icotool -l '" + dir.File("made.ico") + "'", &listing), 0);
    ASSERT_NE(listing.find("--bit-depth=32"), std::string::npos) << listing;

    ScriptedPrompt prompt;
    ImageHost host = test::TestHost(&prompt);
    IconResource doc;
    ASSERT_TRUE(ReadIconFile(doc, dir.File("made.ico"), host));
    ASSERT_EQ(doc.images.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(depths[i].bits);
        int pos = FindImage(doc, depths[i].side, depths[i].side, depths[i].code);
        ASSERT_NE(pos, 0);
        ExpectSamePixels(doc.images[static_cast<size_t>(pos - 1)], sources[i]);
    }
    EXPECT_TRUE(prompt.shown().empty());
}

TEST(IcoInterop, IconsMadeByImageMagickReadIntoTheSamePixels) {
    RequireTool("convert");
    ScratchDir dir;
    // A true-colour picture with alpha becomes a 32-bit image; an opaque two-colour palette
    // picture a monochrome one.
    Rgba deep = Picture(32, 100000, 3);
    Rgba mono = Picture(16, 2, 5, true);
    WritePng(deep, dir.File("deep.png"), dir);
    WritePng(mono, dir.File("mono.png"), dir);
    ASSERT_EQ(RunTool("convert '" + dir.File("deep.png") + "' '" + dir.File("deep.ico") + "'"), 0);
    ASSERT_EQ(
        RunTool("convert '" + dir.File("mono.png") + "' -colors 2 PNG8:'" + dir.File("mono8.png") +
                "' && convert '" + dir.File("mono8.png") + "' '" + dir.File("mono.ico") + "'"),
        0);
    ImageHost host = test::TestHost(nullptr);
    IconResource a;
    ASSERT_TRUE(ReadIconFile(a, dir.File("deep.ico"), host));
    ASSERT_EQ(a.images.size(), 1u);
    EXPECT_EQ(a.images[0].colorCode, kTrueColor);
    ExpectSamePixels(a.images[0], deep);
    IconResource b;
    ASSERT_TRUE(ReadIconFile(b, dir.File("mono.ico"), host));
    ASSERT_EQ(b.images.size(), 1u);
    EXPECT_EQ(b.images[0].colorCode, kMonochrome);
    ExpectSamePixels(b.images[0], mono);
}

}  // namespace
}  // namespace vt
