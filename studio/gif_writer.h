#pragma once
// Writing one 16- or 256-colour image as a GIF file (GIF87a, one global table, one image).

#include <cstdint>
#include <span>
#include <vector>

#include "common/prompt.h"

namespace vt {

extern const char* const kGifOnlyActiveImageText;
extern const char* const kGifInverseText;
extern const char* const kGifNoTransparentIndexText;

// The image to write, taken from the active image of the document.
struct GifSource {
    int width = 0;
    int height = 0;
    int colourCode = 16;  // 2, 16 or 256
    // colourCode entries in the image block's form (little-endian 0x00RRGGBB).
    std::vector<uint32_t> table;
    std::vector<uint8_t> indices;  // one per pixel, rows from the top
    std::vector<uint8_t> masked;   // the AND bit per pixel
    uint8_t colourA = 0;           // what inverse pixels become
    uint8_t colourB = 0;           // the background index, and transparent pixels' fallback
    int imageCount = 1;            // images in the document
};

enum class GifWriteStatus { Ok, Cancelled, Unsupported, WriteFailed };

// Builds the whole file. Asks through `prompt` before leaving out other images, replacing inverse
// pixels, or substituting colour B for transparency; a Cancel answer writes nothing.
// Frames `data` as GIF data sub-blocks of at most 255 bytes. A remainder of exactly 314 bytes is
// split 254 + 60 rather than 255 + 59; files written so stay byte-identical to older ones.
void AppendGifSubBlocks(std::vector<uint8_t>* out, std::span<const uint8_t> data);

GifWriteStatus EncodeGif(const GifSource& source, bool interlaced, Prompt& prompt,
                         std::vector<uint8_t>* out);

}  // namespace vt
