#include "studio/gif_writer.h"

#include <array>

#include "common/byte_writer.h"
#include "studio/gif_lzw.h"

namespace vt {

const char* const kGifOnlyActiveImageText =
    "Saving to this file type (GIF) will only save the active image.";
const char* const kGifInverseText =
    "The current image contains pixels marked as 'inverse screen'.  These pixels cannot be saved "
    "to the GIF file format.\n\nInverse screen pixels will be replaced by the current foreground "
    "color (Color A).";
const char* const kGifNoTransparentIndexText =
    "Cannot save transparent pixels in the GIF format because all colors are currently in use by "
    "this image.\n\nWould you like to save the image, substituting the current background color "
    "(Color B) for transparent pixels?";

namespace {

constexpr uint32_t kWhiteEntry = 0xFFFFFF;

struct Layout {
    uint8_t screenFlags;
    uint8_t imageBits;  // the descriptor's table-size bits
    int minCodeSize;
};

// A monochrome image is written with a two-entry table: the file then declares exactly the table
// it carries. GIF codes need at least two bits.
bool LayoutFor(int colourCode, Layout* layout) {
    switch (colourCode) {
        case 2:
            *layout = {0x80, 0, 2};
            return true;
        case 16:
            *layout = {0xB3, 3, 4};
            return true;
        case 256:
            *layout = {0xF7, 7, 8};
            return true;
        default:
            return false;
    }
}

bool Ask(Prompt& prompt, const char* text) {
    return prompt.Ask(text, PromptButtons::OkCancel, PromptIcon::Information) == PromptAnswer::Ok;
}

}  // namespace

void AppendGifSubBlocks(std::vector<uint8_t>* out, std::span<const uint8_t> data) {
    size_t at = 0;
    while (at < data.size()) {
        const size_t remaining = data.size() - at;
        size_t n = remaining < 255 ? remaining : 255;
        if (remaining == 314) n = 254;
        out->push_back(static_cast<uint8_t>(n));
        out->insert(out->end(), data.begin() + at, data.begin() + at + n);
        at += n;
    }
}

GifWriteStatus EncodeGif(const GifSource& source, bool interlaced, Prompt& prompt,
                         std::vector<uint8_t>* out) {
    out->clear();
    Layout layout;
    const size_t pixels = static_cast<size_t>(source.width) * source.height;
    if (!LayoutFor(source.colourCode, &layout) || source.width <= 0 || source.height <= 0 ||
        source.width > 0xFFFF || source.height > 0xFFFF ||
        source.table.size() != static_cast<size_t>(source.colourCode) ||
        source.indices.size() != pixels || source.masked.size() != pixels)
        return GifWriteStatus::Unsupported;

    if (source.imageCount > 1 && !Ask(prompt, kGifOnlyActiveImageText))
        return GifWriteStatus::Cancelled;

    const int colours = source.colourCode;
    std::array<bool, 256> used{};
    bool anyTransparent = false;
    bool anyInverse = false;
    for (size_t p = 0; p < pixels; ++p) {
        const uint8_t index = source.indices[p];
        if (!source.masked[p]) {
            used[index] = true;
        } else if (index < colours && source.table[index] == kWhiteEntry) {
            anyInverse = true;
        } else {
            anyTransparent = true;
        }
    }
    if (anyInverse) {
        if (!Ask(prompt, kGifInverseText)) return GifWriteStatus::Cancelled;
        // Inverse pixels become opaque colour A, so A may not serve as the transparent index.
        used[source.colourA] = true;
    }
    int transparent = -1;
    if (anyTransparent) {
        for (int i = 0; i < colours && transparent < 0; ++i)
            if (!used[i]) transparent = i;
        if (transparent < 0 && !Ask(prompt, kGifNoTransparentIndexText))
            return GifWriteStatus::Cancelled;
    }

    std::vector<uint8_t> stream;
    stream.reserve(pixels);
    for (int y : GifRowOrder(source.height, interlaced)) {
        for (int x = 0; x < source.width; ++x) {
            const size_t p = static_cast<size_t>(y) * source.width + x;
            uint8_t index = source.indices[p];
            if (source.masked[p]) {
                const bool inverse = index < colours && source.table[index] == kWhiteEntry;
                if (inverse)
                    index = source.colourA;
                else
                    index = transparent >= 0 ? static_cast<uint8_t>(transparent) : source.colourB;
            }
            // Indices outside a small table cannot be coded in its code size.
            stream.push_back(static_cast<uint8_t>(index & (colours - 1)));
        }
    }

    ByteWriter w;
    static constexpr uint8_t kSignature[6] = {'G', 'I', 'F', '8', '7', 'a'};
    w.Bytes(kSignature);
    w.U16(static_cast<uint16_t>(source.width));
    w.U16(static_cast<uint16_t>(source.height));
    w.U8(layout.screenFlags);
    w.U8(source.colourB);
    w.U8(0);
    for (uint32_t entry : source.table) {
        w.U8(static_cast<uint8_t>(entry >> 16));
        w.U8(static_cast<uint8_t>(entry >> 8));
        w.U8(static_cast<uint8_t>(entry));
    }
    if (transparent >= 0) {
        const uint8_t extension[8] = {0x21, 0xF9, 4, 0x01, 0, 0, static_cast<uint8_t>(transparent),
                                      0};
        w.Bytes(extension);
    }
    w.U8(0x2C);
    w.U16(0);
    w.U16(0);
    w.U16(static_cast<uint16_t>(source.width));
    w.U16(static_cast<uint16_t>(source.height));
    w.U8(static_cast<uint8_t>((interlaced ? 0x40 : 0) | layout.imageBits));
    w.U8(static_cast<uint8_t>(layout.minCodeSize));
    *out = w.Take();
    AppendGifSubBlocks(out, LzwEncode(stream, layout.minCodeSize));
    out->push_back(0);
    out->push_back(0x3B);
    return GifWriteStatus::Ok;
}

}  // namespace vt
