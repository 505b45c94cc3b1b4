#include "image/icon_testutil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/file_io.h"

namespace vt::test {

ColorValues256 TestPalette() {
    ColorValues256 p{};
    for (uint32_t i = 1; i < 254; ++i) p[i] = (i * 0x010203u + 0x102030u) & 0xFFFFFF;
    p[0] = 0x000000;
    p[254] = 0x000000;
    p[255] = 0xFFFFFF;
    return p;
}

ImageHost TestHost(ScriptedPrompt* prompt, bool paletteLoads) {
    ImageHost host;
    host.prompt = prompt;
    host.newImagePalette = [paletteLoads](int32_t, ColorValues256& out) {
        if (paletteLoads) out = TestPalette();
        return paletteLoads;
    };
    return host;
}

IconImage& AddDrawnImage(IconResource& doc, ImageHost& host, int32_t w, int32_t h, int32_t code,
                         uint32_t seed) {
    doc.activeFormat = {w, h, code};
    EXPECT_TRUE(FindOrCreateImage(doc, nullptr, 0, host));
    IconImage& img = *doc.ActiveImage();
    ActivateImage(doc, host);
    const uint32_t entries = img.TableEntries();
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            uint32_t r = (static_cast<uint32_t>(x) * 7 + static_cast<uint32_t>(y) * 13 + seed) % 11;
            if (r == 0) {  // screen: keep the blank pixel
                continue;
            }
            if (r == 1) {  // inverse screen
                img.SetAndBit(x, y, true);
                img.SetXorValue(x, y, entries ? img.inverseColor : 0xFFFFFF);
                continue;
            }
            img.SetAndBit(x, y, false);
            uint32_t v = static_cast<uint32_t>(x) * 31 + static_cast<uint32_t>(y) * 17 + seed;
            img.SetXorValue(x, y, entries ? v % entries : (v * 0x9E3779B1u) & 0xFFFFFF);
        }
    }
    CommitImageBits(doc, host);
    return img;
}

IconResource SampleDocument(int type) {
    IconResource doc;
    ImageHost host = TestHost(nullptr);
    NewResource(doc, type, host);
    if (type == kCursorResource) {
        AddDrawnImage(doc, host, 32, 32, kMonochrome, 3).hotSpotX = 5;
        AddDrawnImage(doc, host, 32, 32, kColors16, 4).hotSpotY = 9;
        AddDrawnImage(doc, host, 32, 32, kTrueColor, 5);
    } else {
        AddDrawnImage(doc, host, 16, 16, kColors16, 1);
        AddDrawnImage(doc, host, 32, 32, kMonochrome, 2);
        AddDrawnImage(doc, host, 32, 32, kColors16, 3);
        AddDrawnImage(doc, host, 48, 48, kColors256, 4);
        AddDrawnImage(doc, host, 24, 40, kTrueColor, 5);
    }
    SortImages(doc);
    return doc;
}

uint32_t VisiblePixel(const IconImage& img, int32_t x, int32_t y) {
    uint32_t v = img.XorValue(x, y);
    uint32_t c = IsPaletteBased(img.colorCode) ? img.TableColor(v) : v;
    if (img.AndBit(x, y)) return c == 0 ? 0 : (0xFF000000u | 0xFFFFFF);  // screen / inverse
    return 0xFF000000u | SwapRedBlue(c);
}

ScratchDir::ScratchDir() {
    std::string tmpl = TempDirectory() + "/vt_image_XXXXXX";
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    const char* made = mkdtemp(buf.data());
    EXPECT_NE(made, nullptr);
    m_path = made ? made : "";
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace vt::test
