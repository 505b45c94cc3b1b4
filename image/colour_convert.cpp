#include "image/colour_convert.h"

#include <array>
#include <optional>

#include "image/colour_match.h"
#include "image/quantize.h"
#include "image/resample.h"

namespace vt {

std::vector<uint32_t> ImageColours(const IconImage& image) {
    std::vector<uint32_t> colours;
    colours.reserve(static_cast<size_t>(image.width) * image.height);
    const bool palette = IsPaletteBased(image.colorCode);
    const std::vector<uint32_t> table = TableColours(image);
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x) {
            const uint32_t v = image.XorValue(x, y);
            colours.push_back(!palette ? v : v < table.size() ? table[v] : 0);
        }
    return colours;
}

std::vector<uint8_t> ImageMask(const IconImage& image) {
    std::vector<uint8_t> mask;
    mask.reserve(static_cast<size_t>(image.width) * image.height);
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x) mask.push_back(image.AndBit(x, y) ? 1 : 0);
    return mask;
}

bool ConvertFromImage(const IconImage& from, IconImage& to) {
    const std::vector<uint32_t> colours =
        ResampleColours(ImageColours(from), from.width, from.height, to.width, to.height);
    const std::vector<uint8_t> mask =
        ResampleMask(ImageMask(from), from.width, from.height, to.width, to.height);

    std::vector<uint32_t> values(colours.size());
    switch (to.colorCode) {
        case kColors256: {
            QuantizedPicture q;
            if (!QuantizeTo8Bit(colours, &q)) return false;
            for (uint32_t i = 0; i < 256; ++i) to.SetTableColor(i, q.palette[i]);
            values.assign(q.indices.begin(), q.indices.end());
            to.screenColor = kQuantizedBlack;
            to.inverseColor = kQuantizedWhite;
            break;
        }
        case kMonochrome:
        case kColors16: {
            const std::vector<uint32_t> table = TableColours(to);
            for (size_t p = 0; p < colours.size(); ++p)
                values[p] = static_cast<uint32_t>(NearestPaletteIndex(colours[p], table));
            to.screenColor = 0;
            to.inverseColor = to.colorCode == kMonochrome ? 1 : 15;
            break;
        }
        default:
            values = colours;
            to.screenColor = 0x000000;
            to.inverseColor = 0xFFFFFF;
            break;
    }

    for (int32_t y = 0; y < to.height; ++y) {
        for (int32_t x = 0; x < to.width; ++x) {
            const size_t p = static_cast<size_t>(y) * to.width + x;
            uint32_t v = values[p];
            if (mask[p]) {
                // Bright colours under the mask read as inverse, dark ones as screen; the test is
                // on the colour as a table entry (red in the high byte) for palette images.
                const uint32_t c = IsPaletteBased(to.colorCode) ? SwapRedBlue(to.TableColor(v)) : v;
                v = c > 0x7EFFFF ? to.inverseColor : to.screenColor;
            }
            to.SetXorValue(x, y, v);
            to.SetAndBit(x, y, mask[p] != 0);
        }
    }
    to.untouched = false;
    return true;
}

uint32_t RemapToPalette(IconResource& doc, ImageHost& host, const ColorValues256& palette) {
    IconImage* img = doc.ActiveImage();
    if (!img || !img->HasBits() || img->colorCode != kColors256) return 0;
    const std::vector<uint32_t> oldTable = TableColours(*img);
    const uint32_t oldScreen = img->screenColor;

    for (uint32_t i = 0; i < 256; ++i) img->SetTableColor(i, palette[i]);
    bool hasBlack = false, hasWhite = false;
    for (uint32_t c : palette) {
        hasBlack = hasBlack || c == 0x000000;
        hasWhite = hasWhite || c == 0xFFFFFF;
    }
    img->screenColor = 0;
    img->inverseColor = 0;
    ActivateImage(doc, host);
    const uint32_t newScreen = img->screenColor;
    const uint32_t newInverse = img->inverseColor;

    const std::span<const uint32_t> newTable(palette.data(), palette.size());
    std::array<std::optional<uint8_t>, 256> nearest;
    for (int32_t y = 0; y < img->height; ++y) {
        for (int32_t x = 0; x < img->width; ++x) {
            const uint32_t old = img->XorValue(x, y) & 0xFF;
            if (img->AndBit(x, y)) {
                if (old == oldScreen) {
                    img->SetXorValue(x, y, hasBlack ? newScreen : 0);
                    if (!hasBlack) img->SetAndBit(x, y, false);
                } else {
                    img->SetXorValue(x, y, hasWhite ? newInverse : 255);
                    if (!hasWhite) img->SetAndBit(x, y, false);
                }
                continue;
            }
            if (!nearest[old])
                nearest[old] = static_cast<uint8_t>(
                    NearestPaletteIndex(old < oldTable.size() ? oldTable[old] : 0, newTable));
            img->SetXorValue(x, y, *nearest[old]);
        }
    }
    CommitImageBits(doc, host);
    return newScreen;
}

std::function<bool(const IconImage& from, IconImage& to)> ConversionHook(const ImageHost& host) {
    Prompt* prompt = host.prompt;
    return [prompt](const IconImage& from, IconImage& to) {
        if (ConvertFromImage(from, to)) return true;
        if (prompt) prompt->Tell(kOutOfMemoryText, PromptIcon::Stop);
        return false;
    };
}

}  // namespace vt
