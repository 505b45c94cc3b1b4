// giflib's tools and ImageMagick as independent judges of the GIF codec: what we write they
// decode to our pixels, and what they write we read to theirs.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "studio/gif_file.h"
#include "studio/gif_lzw.h"
#include "studio/gif_reader.h"
#include "studio/gif_writer.h"

namespace vt {
namespace {

namespace fs = std::filesystem;

class GifInterop : public ::testing::Test {
  protected:
    void SetUp() override {
        char templ[] = "/tmp/vtgifXXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        m_dir = templ;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    static void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    static std::vector<uint8_t> ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Runs a command and returns its standard output; fails the test when it exits non-zero.
    static std::vector<uint8_t> Run(const std::string& command) {
        std::vector<uint8_t> out;
        FILE* p = popen((command + " 2>/dev/null").c_str(), "r");
        EXPECT_NE(p, nullptr) << command;
        if (p == nullptr) return out;
        uint8_t buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.insert(out.end(), buf, buf + n);
        EXPECT_EQ(pclose(p), 0) << command;
        return out;
    }

    fs::path m_dir;
};

struct Case {
    const char* name;
    int width, height, colours;
    bool interlaced, transparent;
};

GifSource Picture(const Case& c, unsigned seed) {
    std::mt19937 rng(seed);
    GifSource s;
    s.width = c.width;
    s.height = c.height;
    s.colourCode = c.colours;
    for (int i = 0; i < c.colours; ++i) s.table.push_back(rng() & 0xFFFFFF);
    s.table[0] = 0x000000;
    s.table[1] = 0xFFFFFF;
    const size_t n = static_cast<size_t>(c.width) * c.height;
    for (size_t p = 0; p < n; ++p) {
        // Index 3 is kept free so that it becomes the transparent index.
        uint8_t index = static_cast<uint8_t>(rng() % c.colours);
        if (c.transparent && index == 3) index = 4;
        s.indices.push_back(index);
        const bool masked = c.transparent && rng() % 5 == 0;
        s.masked.push_back(masked);
        if (masked) s.indices.back() = 0;
    }
    return s;
}

TEST_F(GifInterop, GiflibAndImageMagickDecodeWhatWeWrite) {
    const Case cases[] = {
        {"c16", 32, 32, 16, false, false},   {"c16i", 24, 40, 16, true, false},
        {"c16t", 16, 16, 16, false, true},   {"c256", 48, 48, 256, false, false},
        {"c256it", 32, 32, 256, true, true}, {"noise", 64, 64, 256, false, false},
        {"noisei", 64, 64, 256, true, true},
    };
    unsigned seed = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GifSource s = Picture(c, seed++);
        ScriptedPrompt prompt;
        std::vector<uint8_t> file;
        ASSERT_EQ(EncodeGif(s, c.interlaced, prompt, &file), GifWriteStatus::Ok);
        const std::string path = Path(std::string(c.name) + ".gif");
        WriteBytes(path, file);

        // giflib: the raw indices, in the order the rows are stored.
        const auto raw = Run("giftext -r " + path);
        const size_t n = s.indices.size();
        ASSERT_GE(raw.size(), n);
        const std::vector<uint8_t> indices(raw.end() - static_cast<long>(n), raw.end());
        const auto rows = GifRowOrder(c.height, c.interlaced);
        for (int r = 0; r < c.height; ++r)
            for (int x = 0; x < c.width; ++x) {
                const size_t p = static_cast<size_t>(rows[r]) * c.width + x;
                const uint8_t expected = s.masked[p] ? 3 : s.indices[p];
                ASSERT_EQ(indices[static_cast<size_t>(r) * c.width + x], expected) << r << "," << x;
            }

        // giflib again, through colours (gif2rgb ignores transparency).
        Run("gif2rgb -1 -o " + Path("out.rgb") + " " + path);
        const auto rgb = ReadBytes(Path("out.rgb"));
        ASSERT_EQ(rgb.size(), n * 3);
        for (size_t p = 0; p < n; ++p) {
            const uint32_t entry = s.table[s.masked[p] ? 3 : s.indices[p]];
            ASSERT_EQ(rgb[p * 3], (entry >> 16) & 0xFF) << p;
            ASSERT_EQ(rgb[p * 3 + 1], (entry >> 8) & 0xFF) << p;
            ASSERT_EQ(rgb[p * 3 + 2], entry & 0xFF) << p;
        }

        // ImageMagick: colours and transparency.
        const auto rgba = Run("convert " + path + " -depth 8 rgba:-");
        ASSERT_EQ(rgba.size(), n * 4);
        for (size_t p = 0; p < n; ++p) {
            if (s.masked[p]) {
                ASSERT_EQ(rgba[p * 4 + 3], 0) << p;
                continue;
            }
            const uint32_t entry = s.table[s.indices[p]];
            ASSERT_EQ(rgba[p * 4 + 3], 255) << p;
            ASSERT_EQ(rgba[p * 4], (entry >> 16) & 0xFF) << p;
            ASSERT_EQ(rgba[p * 4 + 1], (entry >> 8) & 0xFF) << p;
            ASSERT_EQ(rgba[p * 4 + 2], entry & 0xFF) << p;
        }
    }
}

TEST_F(GifInterop, WeReadWhatImageMagickWrites) {
    std::mt19937 rng(5);
    for (int size : {8, 17, 32, 64}) {
        for (bool interlaced : {false, true}) {
            SCOPED_TRACE(size * 10 + interlaced);
            // A few colours and some fully transparent pixels.
            std::vector<uint8_t> rgba;
            const uint32_t palette[5] = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF};
            for (int p = 0; p < size * size; ++p) {
                const uint32_t c = palette[rng() % 5];
                rgba.push_back(static_cast<uint8_t>(c >> 16));
                rgba.push_back(static_cast<uint8_t>(c >> 8));
                rgba.push_back(static_cast<uint8_t>(c));
                rgba.push_back(rng() % 7 == 0 ? 0 : 255);
            }
            WriteBytes(Path("in.rgba"), rgba);
            const std::string gif = Path("im.gif");
            Run("convert -size " + std::to_string(size) + "x" + std::to_string(size) +
                " -depth 8 rgba:" + Path("in.rgba") + (interlaced ? " -interlace GIF " : " ") +
                gif);
            GifPicture pic;
            ASSERT_EQ(ParseGif(ReadBytes(gif), &pic), GifReadError::None);
            ASSERT_EQ(pic.width, size);
            for (int p = 0; p < size * size; ++p) {
                const bool clear = rgba[p * 4 + 3] == 0;
                ASSERT_EQ(pic.masked[p], clear ? 1 : 0) << p;
                if (clear) continue;
                const uint32_t expected =
                    (uint32_t{rgba[p * 4]} << 16) | (rgba[p * 4 + 1] << 8) | rgba[p * 4 + 2];
                ASSERT_EQ(pic.table[pic.indices[p]], expected) << p;
            }
        }
    }
}

// A gifbuild description: `colours` entries, one character per pixel.
std::string Description(int w, int h, int colours, bool interlaced, int transparent,
                        const std::vector<uint8_t>& pixels, bool localMap) {
    static const char kKeys[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ!@";
    std::string map;
    for (int i = 0; i < colours; ++i)
        map += Format("\trgb %03d %03d %03d is %c\n", (i * 37) & 255, (i * 91) & 255,
                      (i * 13) & 255, kKeys[i]);
    std::string d = Format(
        "screen width %d\nscreen height %d\nscreen colors %d\nscreen background 0\n"
        "pixel aspect byte 0\n\nscreen map\n",
        w, h, colours);
    d += map + "end\n\n";
    if (transparent >= 0)
        d += Format(
            "graphics control\n\tdisposal mode 0\n\tuser input flag off\n\tdelay 0\n"
            "\ttransparent index %d\nend\n\n",
            transparent);
    d += Format("image # 1\nimage left 0\nimage top 0\n%s", interlaced ? "image interlaced\n" : "");
    if (localMap) d += "image map\n" + map + "end\n";
    d += Format("image bits %d by %d\n", w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) d += kKeys[pixels[static_cast<size_t>(y) * w + x]];
        d += "\n";
    }
    return d;
}

TEST_F(GifInterop, WeReadWhatGiflibWritesAndRefuseWhatWeCannot) {
    std::mt19937 rng(8);
    for (int size : {8, 33, 64}) {
        for (bool interlaced : {false, true}) {
            SCOPED_TRACE(size * 10 + interlaced);
            const int colours = 64;
            std::vector<uint8_t> pixels(static_cast<size_t>(size) * size);
            for (auto& p : pixels) p = static_cast<uint8_t>(rng() % colours);
            const std::string text = Path("g.txt");
            std::ofstream(text) << Description(size, size, colours, interlaced, 5, pixels, false);
            Run("gifbuild " + text + " > " + Path("g.gif"));
            GifPicture pic;
            ASSERT_EQ(ParseGif(ReadBytes(Path("g.gif")), &pic), GifReadError::None);
            for (size_t p = 0; p < pixels.size(); ++p) {
                const int i = pixels[p];
                ASSERT_EQ(pic.masked[p], i == 5 ? 1 : 0) << p;
                if (i == 5) continue;
                const uint32_t expected =
                    (((i * 37) & 255u) << 16) | (((i * 91) & 255u) << 8) | ((i * 13) & 255u);
                ASSERT_EQ(pic.table[pic.indices[p]], expected) << p;
            }
        }
    }
    // Too large, and a local table: both refused with both messages, leaving a blank icon.
    std::vector<uint8_t> pixels(65 * 65, 1);
    std::ofstream(Path("big.txt")) << Description(65, 65, 4, false, -1, pixels, false);
    Run("gifbuild " + Path("big.txt") + " > " + Path("big.gif"));
    pixels.assign(16 * 16, 1);
    std::ofstream(Path("local.txt")) << Description(16, 16, 4, false, -1, pixels, true);
    Run("gifbuild " + Path("local.txt") + " > " + Path("local.gif"));
    Run("convert -size 65x65 xc:red " + Path("im65.gif"));
    for (const char* name : {"big.gif", "local.gif", "im65.gif"}) {
        SCOPED_TRACE(name);
        ScriptedPrompt prompt;
        ImageHost host;
        host.prompt = &prompt;
        IconResource doc;
        EXPECT_FALSE(ReadGifFile(doc, host, Path(name)));
        EXPECT_EQ(prompt.texts(),
                  (std::vector<std::string>{kGifIncompatibleText, kGifReadErrorText}));
        ASSERT_EQ(doc.images.size(), 1u);
        EXPECT_TRUE(doc.images[0].untouched);
    }
}

}  // namespace
}  // namespace vt
