#include "librarian/properties_text.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "common/prompt.h"
#include "librarian/search.h"

namespace vt {
namespace {

constexpr size_t kFormatsShown = 10;

std::string FormatText(uint32_t width, uint32_t height, uint32_t colorCode) {
    if (colorCode == 1024)
        return Format("%dx%d, True Color", static_cast<int>(width), static_cast<int>(height));
    return Format("%dx%d, %d colors", static_cast<int>(width), static_cast<int>(height),
                  static_cast<int>(colorCode));
}

uint32_t PaletteBytes(uint32_t bits) {
    return bits == 1 ? 8 : bits == 4 ? 64 : bits == 8 ? 1024 : 0;
}

}  // namespace

uint64_t ImageBytes(uint32_t width, uint32_t height, uint32_t bitsPerPixel) {
    uint64_t words = (uint64_t{width} + 31) / 32 + (uint64_t{width} * bitsPerPixel + 31) / 32;
    return uint64_t{height} * words * 4 + PaletteBytes(bitsPerPixel) + 40;
}

IconPropertiesText MakeIconProperties(const Workspace& ws, size_t iconIndex,
                                      const std::string& thousands) {
    IconPropertiesText t;
    if (iconIndex >= ws.icons().size()) return t;
    const IconEntry& icon = ws.icons()[iconIndex];
    t.name = Workspace::ShownName(icon);
    std::string resourceName(icon.resourceName, strnlen(icon.resourceName, kResourceNameChars));
    t.internalId = resourceName.empty() ? std::to_string(icon.resourceId) : resourceName;

    struct Shown {
        uint32_t width, height, colorCode;
    };
    std::vector<Shown> shown;
    uint64_t total = 0;
    for (size_t fi : ws.FormatsOf(iconIndex)) {
        const FormatEntry& f = ws.formats()[fi];
        if (f.imageNumber == 0 || f.imageNumber > ws.images().size()) continue;
        const ImageEntry& image = ws.images()[f.imageNumber - 1];
        shown.push_back({image.width, image.height, image.colorCode});
        total += ImageBytes(image.width, image.height, uint32_t{f.planes} * f.bitCount);
    }
    std::stable_sort(shown.begin(), shown.end(), [](const Shown& a, const Shown& b) {
        return std::tie(a.width, a.height, a.colorCode) < std::tie(b.width, b.height, b.colorCode);
    });
    for (size_t i = 0; i < shown.size() && i < kFormatsShown; ++i)
        t.formats.push_back(FormatText(shown[i].width, shown[i].height, shown[i].colorCode));
    if (t.formats.empty()) t.formats.push_back("(none)");
    t.totalSize = WithThousands(total, thousands) + " bytes";
    return t;
}

FilePropertiesText MakeFileProperties(const Workspace& ws, const std::string& fileTitle,
                                      const std::string& thousands) {
    FilePropertiesText t;
    t.name = fileTitle;
    size_t icons = ws.icons().size();
    if (ws.mode() == kModeProgram)
        t.type = "Program Library";
    else if (ws.mode() == kModeSingleIconFile && icons <= 1)
        t.type = "New workspace";
    else
        t.type = "Library";
    t.icons = WithThousands(icons, thousands);
    t.images = WithThousands(ws.formats().size(), thousands);
    std::vector<std::tuple<uint32_t, uint32_t, uint32_t>> seen;
    for (const FormatEntry& f : ws.formats()) {
        // A directory byte of 0 stands for 256 pixels.
        auto key = std::make_tuple(f.width ? f.width : 256u, f.height ? f.height : 256u,
                                   uint32_t{ColorCodeFromBits(uint32_t{f.planes} * f.bitCount)});
        if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
        seen.push_back(key);
        if (seen.size() <= kFormatsShown)
            t.formats.push_back(FormatText(std::get<0>(key), std::get<1>(key), std::get<2>(key)));
    }
    if (t.formats.empty()) t.formats.push_back("(none)");
    return t;
}

}  // namespace vt
