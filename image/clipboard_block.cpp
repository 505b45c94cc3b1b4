#include "image/clipboard_block.h"

#include "common/byte_reader.h"
#include "image/colour_match.h"
#include "image/resample.h"

namespace vt {

void StoreClipPixel(uint8_t* out, const ClipPixel& pixel) {
    StoreLE16(out, static_cast<uint16_t>(pixel.x | (pixel.y << 8)));
    StoreLE16(out + 2, 0);
    StoreLE32(out + 4, pixel.value);
    out[8] = pixel.masked ? 1 : 0;
    out[9] = out[10] = out[11] = 0;
}

ClipPixel LoadClipPixel(const uint8_t* in) {
    const uint16_t position = LoadLE16(in);
    return {static_cast<uint8_t>(position & 0xFF), static_cast<uint8_t>(position >> 8),
            LoadLE32(in + 4), in[8] != 0};
}

std::vector<uint8_t> EncodeClipBlock(const ClipBlock& block) {
    std::vector<uint8_t> out(kClipHeaderSize + 4 * block.table.size() +
                             kClipPixelSize * block.pixels.size());
    StoreLE32(out.data(), static_cast<uint32_t>(block.pixels.size()));
    StoreLE32(out.data() + 4, block.width);
    StoreLE32(out.data() + 8, block.height);
    StoreLE32(out.data() + 12, static_cast<uint32_t>(block.table.size()));
    uint8_t* p = out.data() + kClipHeaderSize;
    for (uint32_t entry : block.table) {
        StoreLE32(p, entry);
        p += 4;
    }
    const uint8_t x0 = block.pixels.empty() ? 0 : block.pixels[0].x;
    const uint8_t y0 = block.pixels.empty() ? 0 : block.pixels[0].y;
    for (ClipPixel px : block.pixels) {
        px.x = static_cast<uint8_t>(px.x - x0);
        px.y = static_cast<uint8_t>(px.y - y0);
        StoreClipPixel(p, px);
        p += kClipPixelSize;
    }
    return out;
}

bool DecodeClipBlock(std::span<const uint8_t> bytes, ClipBlock* out) {
    ByteReader r(bytes);
    const uint32_t count = r.U32();
    const uint32_t width = r.U32();
    const uint32_t height = r.U32();
    const uint32_t entries = r.U32();
    if (!r.ok()) return false;
    if (width == 0 || height == 0 || width > kMaxImageSide || height > kMaxImageSide ||
        count != width * height)
        return false;
    if (entries != 0 && entries != 2 && entries != 16 && entries != 256) return false;
    ClipBlock block;
    block.width = width;
    block.height = height;
    for (uint32_t i = 0; i < entries; ++i) block.table.push_back(r.U32());
    auto records = r.Bytes(static_cast<size_t>(count) * kClipPixelSize);
    if (!r.ok()) return false;
    block.pixels.reserve(count);
    for (uint32_t i = 0; i < count; ++i)
        block.pixels.push_back(LoadClipPixel(records.data() + kClipPixelSize * i));
    *out = std::move(block);
    return true;
}

ClipBlock MakeClipBlock(const IconImage& image, std::vector<ClipPixel> pixels, uint32_t width,
                        uint32_t height) {
    ClipBlock block;
    block.width = width;
    block.height = height;
    if (IsPaletteBased(image.colorCode)) {
        auto table = image.ColorTable();
        for (size_t i = 0; i + 4 <= table.size(); i += 4)
            block.table.push_back(LoadLE32(table.data() + i));
    }
    block.pixels = std::move(pixels);
    return block;
}

namespace {

bool SameTable(const ClipBlock& block, const IconImage& target) {
    if (!IsPaletteBased(target.colorCode)) return block.table.empty();
    auto table = target.ColorTable();
    if (block.table.size() * 4 != table.size()) return false;
    for (size_t i = 0; i < block.table.size(); ++i)
        if (block.table[i] != LoadLE32(table.data() + 4 * i)) return false;
    return true;
}

// A pixel's colour value in the source: its table entry (red and blue swapped back), or itself.
uint32_t SourceColour(const ClipBlock& block, uint32_t value) {
    if (block.table.empty()) return value & 0xFFFFFF;
    return value < block.table.size() ? SwapRedBlue(block.table[value]) & 0xFFFFFF : 0;
}

}  // namespace

std::vector<uint32_t> ClipBitmapColours(const ClipBlock& block, const ColorValues256& palette,
                                        uint32_t colourB) {
    std::vector<uint32_t> colours;
    colours.reserve(block.pixels.size());
    const bool indexed = !block.table.empty();
    for (const ClipPixel& p : block.pixels) {
        const uint32_t v = p.masked ? colourB : p.value;
        colours.push_back(indexed ? palette[v & 0xFF] : v & 0xFFFFFF);
    }
    return colours;
}

std::vector<ClipPixel> MapClipPixels(const ClipBlock& block, const IconImage& target) {
    std::vector<ClipPixel> out = block.pixels;
    if (SameTable(block, target)) return out;
    const bool palette = IsPaletteBased(target.colorCode);
    for (ClipPixel& p : out) {
        const uint32_t colour = SourceColour(block, p.value);
        p.value = palette ? static_cast<uint32_t>(ExactOrNearestIndex(target, colour)) : colour;
    }
    return out;
}

std::vector<ClipPixel> RescaleClipPixels(const ClipBlock& block, const IconImage& target,
                                         int newWidth, int newHeight) {
    const int w = static_cast<int>(block.width);
    const int h = static_cast<int>(block.height);
    std::vector<uint32_t> colours(block.pixels.size());
    std::vector<uint8_t> mask(block.pixels.size());
    for (size_t i = 0; i < block.pixels.size(); ++i) {
        colours[i] = SourceColour(block, block.pixels[i].value);
        mask[i] = block.pixels[i].masked ? 1 : 0;
    }
    const auto scaled = ResampleColours(colours, w, h, newWidth, newHeight);
    const auto scaledMask = ResampleMask(mask, w, h, newWidth, newHeight);
    const std::vector<uint32_t> table = TableColours(target);
    const bool palette = IsPaletteBased(target.colorCode);
    std::vector<ClipPixel> out;
    out.reserve(scaled.size());
    for (int y = 0; y < newHeight; ++y)
        for (int x = 0; x < newWidth; ++x) {
            const size_t i = static_cast<size_t>(y) * newWidth + x;
            const uint32_t c = scaled[i];
            const bool masked = scaledMask[i] && (c == 0x000000 || c == 0xFFFFFF);
            const uint32_t v = palette ? static_cast<uint32_t>(NearestPaletteIndex(c, table)) : c;
            out.push_back({static_cast<uint8_t>(x), static_cast<uint8_t>(y), v, masked});
        }
    return out;
}

}  // namespace vt

#include "common/prompt.h"

namespace vt {

bool PrepareClipPaste(const ClipBlock& block, const IconImage& target, Prompt& prompt,
                      bool intoSelection, int selectionWidth, int selectionHeight,
                      PastePixels* out) {
    ClipBlock source = block;
    bool rescaled = false;
    if (intoSelection && selectionWidth > 0 && selectionHeight > 0) {
        source.pixels = RescaleClipPixels(block, target, selectionWidth, selectionHeight);
        // The rescaled values are already the target's; keep describing them with its table.
        source.width = static_cast<uint32_t>(selectionWidth);
        source.height = static_cast<uint32_t>(selectionHeight);
        rescaled = true;
    }
    if (static_cast<int>(source.width) > target.width ||
        static_cast<int>(source.height) > target.height) {
        if (prompt.Ask(kBitmapTooLargeText, PromptButtons::YesNo, PromptIcon::Stop) !=
            PromptAnswer::Yes)
            return false;
        int w, h;
        ShrinkToFit(static_cast<int>(source.width), static_cast<int>(source.height), target.width,
                    target.height, FitRounding::HalfUp, &w, &h);
        if (rescaled) {
            // Resample what was already rescaled: its values are the target's now.
            ClipBlock again = source;
            again.table.clear();
            if (IsPaletteBased(target.colorCode)) {
                const std::vector<uint32_t> colours = TableColours(target);
                for (ClipPixel& p : again.pixels)
                    p.value = p.value < colours.size() ? colours[p.value] : 0;
            }
            source.pixels = RescaleClipPixels(again, target, w, h);
        } else {
            source.pixels = RescaleClipPixels(source, target, w, h);
        }
        source.width = static_cast<uint32_t>(w);
        source.height = static_cast<uint32_t>(h);
        rescaled = true;
    }
    out->width = static_cast<int>(source.width);
    out->height = static_cast<int>(source.height);
    out->pixels = rescaled ? std::move(source.pixels) : MapClipPixels(source, target);
    return true;
}

bool PrepareBitmapPaste(std::span<const uint32_t> colours, int width, int height,
                        const IconImage& target, Prompt& prompt, bool intoSelection,
                        int selectionWidth, int selectionHeight, PastePixels* out) {
    std::vector<uint32_t> picture(colours.begin(), colours.end());
    int w = width, h = height;
    if (intoSelection && selectionWidth > 0 && selectionHeight > 0) {
        picture = ResampleColours(picture, w, h, selectionWidth, selectionHeight);
        w = selectionWidth;
        h = selectionHeight;
    }
    if (w > target.width || h > target.height) {
        if (prompt.Ask(kBitmapTooLargeText, PromptButtons::YesNo, PromptIcon::Question) !=
            PromptAnswer::Yes)
            return false;
        int nw, nh;
        ShrinkToFit(w, h, target.width, target.height, FitRounding::Down, &nw, &nh);
        picture = ResampleColours(picture, w, h, nw, nh);
        w = nw;
        h = nh;
    }
    const std::vector<uint32_t> table = TableColours(target);
    const bool palette = IsPaletteBased(target.colorCode);
    out->width = w;
    out->height = h;
    out->pixels.clear();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t c = picture[static_cast<size_t>(y) * w + x] & 0xFFFFFF;
            out->pixels.push_back(
                {static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                 palette ? static_cast<uint32_t>(NearestPaletteIndex(c, table)) : c, false});
        }
    return true;
}

}  // namespace vt
