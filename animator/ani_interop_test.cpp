// Independent tools as oracles for the frames of an animated cursor. No tool on this system reads
// a whole .ani, but every "icon" chunk is a cursor file: icoutils' icotool and ImageMagick must
// read the ones we write, and cursors icotool makes must read into the same pixels when wrapped in
// a RIFF file built by hand. The tools come with the test command, so a missing one is a failure.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "animator/animation.h"
#include "animator/ani_testutil.h"
#include "common/byte_reader.h"
#include "common/file_io.h"

namespace vt {
namespace {

using namespace vt::testing;

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

void RequireTools() {
    ASSERT_EQ(RunTool("command -v icotool"), 0) << "icotool is not installed";
    ASSERT_EQ(RunTool("command -v convert"), 0) << "ImageMagick is not installed";
}

class Scratch {
  public:
    Scratch() {
        m_path = (std::filesystem::temp_directory_path() /
                  ("ani_interop_" + std::to_string(::getpid()) + "_" + std::to_string(s_count++)))
                     .string();
        std::filesystem::create_directories(m_path);
    }
    ~Scratch() { std::filesystem::remove_all(m_path); }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    const std::string& path() const { return m_path; }

  private:
    static inline int s_count = 0;
    std::string m_path;
};

Bytes Load(const std::string& path) {
    Bytes b;
    EXPECT_TRUE(ReadWholeFile(path, &b, 1 << 24)) << path;
    return b;
}

// 32 x 32 RGBA, top row first, as ImageMagick decodes a file.
Bytes DecodeRgba(const std::string& file, const Scratch& dir) {
    const std::string raw = dir.File("decoded.rgba");
    EXPECT_EQ(RunTool("convert '" + file + "' -depth 8 rgba:'" + raw + "'"), 0) << file;
    Bytes px = Load(raw);
    EXPECT_EQ(px.size(), 32u * 32 * 4) << file;
    return px;
}

// What a pixel of an image shows: 0xAARRGGBB, alpha 0 where the screen shows through.
uint32_t Shown(const IconImage& img, int32_t x, int32_t y) {
    uint32_t v = img.XorValue(x, y);
    uint32_t c = IsPaletteBased(img.colorCode) ? img.TableColor(v) : v;
    if (img.AndBit(x, y)) return 0;
    return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

uint32_t ShownRgba(const Bytes& px, int32_t x, int32_t y) {
    const uint8_t* p = &px[4 * static_cast<size_t>(y * 32 + x)];
    if (p[3] == 0) return 0;
    return (uint32_t{p[3]} << 24) | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
}

// The data of every "icon" chunk, found by walking the file's chunks here rather than with our
// reader.
std::vector<Bytes> IconChunks(const Bytes& file) {
    std::vector<Bytes> icons;
    size_t p = 12;
    while (p + 8 <= file.size()) {
        std::string id(reinterpret_cast<const char*>(&file[p]), 4);
        uint32_t size = LoadLE32(&file[p + 4]);
        if (id == "LIST") {
            p += 12;  // into the list
            continue;
        }
        if (id == "icon")
            icons.emplace_back(file.begin() + static_cast<std::ptrdiff_t>(p + 8),
                               file.begin() + static_cast<std::ptrdiff_t>(p + 8 + size));
        p += 8 + size + (size & 1);
    }
    return icons;
}

struct Editor {
    ScriptedPrompt prompt;
    ImageHost host;
    Editor() {
        host.prompt = &prompt;
        host.newImagePalette = [](int32_t, ColorValues256& out) {
            for (uint32_t i = 0; i < 256; ++i) out[i] = (i * 0x0305u) ^ (i << 16);
            out[0] = 0;
            out[255] = 0xFFFFFF;
            return true;
        };
    }
};

// A picture with colours, transparent pixels and its own hot spot in every frame.
void Draw(IconImage& img, uint32_t salt) {
    const uint32_t colours = IsPaletteBased(img.colorCode) ? img.TableEntries() : 0;
    for (int32_t y = 0; y < 32; ++y)
        for (int32_t x = 0; x < 32; ++x) {
            const bool transparent = (x * 3 + y + static_cast<int32_t>(salt)) % 7 == 0;
            uint32_t v = colours ? static_cast<uint32_t>(x * 5 + y * 3 + salt) % colours
                                 : static_cast<uint32_t>(x * 8) |
                                       (static_cast<uint32_t>(y * 8) << 8) | (salt << 16);
            img.SetAndBit(x, y, transparent);
            img.SetXorValue(x, y, transparent ? 0 : v);
        }
    img.hotSpotX = 2 + salt;
    img.hotSpotY = 30 - salt;
}

TEST(AniInterop, OurFramesAreCursorFilesThatOtherToolsRead) {
    RequireTools();
    for (int32_t code : {16, 256, 1024}) {
        Editor e;
        Animation a(e.host);
        ASSERT_TRUE(a.New(code));
        a.InsertFrames(2, true, false);
        for (size_t f = 0; f < 3; ++f) Draw(a.frame(f).image(), static_cast<uint32_t>(f));
        Scratch dir;
        std::vector<Bytes> icons = IconChunks(a.Encode());
        ASSERT_EQ(icons.size(), 3u);
        for (size_t f = 0; f < 3; ++f) {
            const IconImage& img = a.frame(f).image();
            const std::string cur = dir.File("frame" + std::to_string(f) + ".cur");
            ASSERT_TRUE(WriteFileReplacing(cur, "T", icons[f]));
            std::string listing;
            ASSERT_EQ(RunTool("icotool -l '" + cur + "'", &listing), 0);
            const int bits = BitsForCode(code);
            EXPECT_EQ(listing, Format("--cursor --index=1 --width=32 --height=32 --bit-depth=%d "
                                      "--palette-size=%d --hotspot-x=%u --hotspot-y=%u\n",
                                      bits, code == 1024 ? 0 : code, img.hotSpotX, img.hotSpotY));
            ASSERT_EQ(RunTool("icotool -x -o '" + dir.File("x.png") + "' '" + cur + "'"), 0);
            Bytes px = DecodeRgba(dir.File("x.png"), dir);
            if (px.size() != 32u * 32 * 4) continue;
            int mismatches = 0;
            for (int32_t y = 0; y < 32; ++y)
                for (int32_t x = 0; x < 32; ++x)
                    mismatches += Shown(img, x, y) != ShownRgba(px, x, y);
            EXPECT_EQ(mismatches, 0) << "depth " << code << " frame " << f;
        }
    }
}

TEST(AniInterop, CursorsMadeByIcotoolReadAsFrames) {
    RequireTools();
    Scratch dir;
    // Two pictures drawn by ImageMagick, with a transparent corner.
    ASSERT_EQ(
        RunTool("convert -size 32x32 xc:'#c03010' -fill '#2040f0' -draw 'rectangle 4,4,20,12' "
                "-alpha set -fill none -draw 'color 0,0 point' -draw 'color 31,31 point' '" +
                dir.File("a.png") + "'"),
        0);
    ASSERT_EQ(
        RunTool("convert -size 32x32 xc:white +antialias -fill black -draw 'circle 16,16 16,4' '" +
                dir.File("b.png") + "'"),
        0);
    for (int bits : {4, 8, 24}) {
        ASSERT_EQ(RunTool(Format("icotool -c --cursor -X 3 -Y 5 -b %d -o '%s' '%s'", bits,
                                 dir.File("a.cur").c_str(), dir.File("a.png").c_str())),
                  0);
        ASSERT_EQ(RunTool(Format("icotool -c --cursor -X 31 -Y 0 -b %d -o '%s' '%s'", bits,
                                 dir.File("b.cur").c_str(), dir.File("b.png").c_str())),
                  0);
        Bytes file = AniFile({Chunk("anih", AnihData(2, 3, 8, 3)), Chunk("rate", Le32({8, 4, 8})),
                              Chunk("seq ", Le32({0, 1, 0})),
                              List("fram", {Chunk("icon", Load(dir.File("a.cur"))),
                                            Chunk("icon", Load(dir.File("b.cur")))})});
        Editor e;
        Animation a(e.host);
        ASSERT_TRUE(a.Read(file, 1024)) << bits;
        ASSERT_EQ(a.frameCount(), 3u);
        EXPECT_EQ(a.Times(), (std::vector<int32_t>{8, 4, 8}));
        EXPECT_EQ(a.colorCode(), bits == 4 ? 16 : bits == 8 ? 256 : 1024);
        EXPECT_EQ(a.frame(2).image().hotSpotX, 3u);
        EXPECT_EQ(a.frame(1).image().hotSpotX, 31u);
        EXPECT_EQ(a.frame(1).image().hotSpotY, 0u);
        const char* sources[] = {"a.png", "b.png", "a.png"};
        for (size_t f = 0; f < 3; ++f) {
            Bytes px = DecodeRgba(dir.File(sources[f]), dir);
            if (px.size() != 32u * 32 * 4) continue;
            int mismatches = 0;
            for (int32_t y = 0; y < 32; ++y)
                for (int32_t x = 0; x < 32; ++x)
                    mismatches += Shown(a.frame(f).image(), x, y) != ShownRgba(px, x, y);
            EXPECT_EQ(mismatches, 0) << bits << " bits, frame " << f;
        }
    }
}

}  // namespace
}  // namespace vt
