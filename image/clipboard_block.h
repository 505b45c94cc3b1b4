#pragma once
// The private clipboard format "VT98Clip": a selection's pixels with their palette indices (or
// colours) and transparency, and the source image's colour table. Also the rules that turn
// clipboard pixels into pixels of the image they are pasted into.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "image/icon_image.h"

namespace vt {

inline constexpr const char* kClipFormatName = "VT98Clip";
inline constexpr const char* kBitmapTooLargeText =
    "Bitmap is too large.\n\nWould you like to shrink the image to fit?";

constexpr size_t kClipPixelSize = 12;
constexpr size_t kClipHeaderSize = 16;

// One pixel of a selection: position (x in the low byte, y in the high byte of a 16-bit field),
// value (palette index, or a colour value for true colour) and whether its AND bit is set.
struct ClipPixel {
    uint8_t x = 0;
    uint8_t y = 0;
    uint32_t value = 0;
    bool masked = false;
    bool operator==(const ClipPixel&) const = default;
};

void StoreClipPixel(uint8_t* out, const ClipPixel& pixel);
ClipPixel LoadClipPixel(const uint8_t* in);

struct ClipBlock {
    uint32_t width = 0;
    uint32_t height = 0;
    // The source image's table entries as stored (blue, green, red, 0 read as 0x00RRGGBB): 2, 16
    // or 256 entries, none for true colour.
    std::vector<uint32_t> table;
    // Row by row from the top, each row left to right.
    std::vector<ClipPixel> pixels;
};

// The block's bytes; pixel positions are stored relative to the first pixel.
std::vector<uint8_t> EncodeClipBlock(const ClipBlock& block);
// Reads a block that some program put on the clipboard. False for anything inconsistent: a count
// other than width x height, a selection larger than 256 x 256, a table size other than 0, 2, 16
// or 256, or fewer bytes than the fields promise.
bool DecodeClipBlock(std::span<const uint8_t> bytes, ClipBlock* out);

// Builds the block for a selection of `image`: its table and the selection's pixels.
ClipBlock MakeClipBlock(const IconImage& image, std::vector<ClipPixel> pixels, uint32_t width,
                        uint32_t height);

// The colours of the plain bitmap that goes on the clipboard beside the block, for programs that
// know nothing of transparency: opaque pixels in their colour (palette values looked up in
// `palette`, the current palette), masked pixels in colour B (`colourB`, a value of the same
// kind as the pixels). Rows from the top.
std::vector<uint32_t> ClipBitmapColours(const ClipBlock& block, const ColorValues256& palette,
                                        uint32_t colourB);

// Maps clipboard pixels onto `target` for a paste that was not rescaled. When the block's table
// equals the target's (same entries, same bytes) values are kept; otherwise a palette-based
// target takes the entry with exactly the source colour or else the nearest one, and a
// true-colour target takes the source colour. The masked flags are kept.
std::vector<ClipPixel> MapClipPixels(const ClipBlock& block, const IconImage& target);

// Rescales clipboard pixels to a new size (into the current selection, or to fit the image):
// colours and mask are resampled; a pixel stays masked only where the resampled mask is set and
// its colour is black or white (other colours under the mask become opaque); palette-based
// targets take the nearest entry. Positions are relative, rows from the top.
std::vector<ClipPixel> RescaleClipPixels(const ClipBlock& block, const IconImage& target,
                                         int newWidth, int newHeight);

}  // namespace vt

namespace vt {

class Prompt;

// What a paste puts down: the pixels (relative positions, rows from the top) and their size.
struct PastePixels {
    int width = 0;
    int height = 0;
    std::vector<ClipPixel> pixels;
};

// A paste of a "VT98Clip" block into `target`. A paste into the current selection first rescales
// to the selection's size (selectionWidth x selectionHeight). A picture wider or taller than the
// image asks kBitmapTooLargeText (error icon, Yes/No); No returns false and nothing is pasted,
// Yes shrinks it to fit, rounding half up. Pixels that were neither rescaled nor come from an
// identical table are mapped onto the target's colours.
bool PrepareClipPaste(const ClipBlock& block, const IconImage& target, Prompt& prompt,
                      bool intoSelection, int selectionWidth, int selectionHeight,
                      PastePixels* out);

// A paste of a plain bitmap (colour values, rows from the top) that other programs put on the
// clipboard. The same question (question icon) and a shrink that truncates; every pixel is
// opaque; palette-based targets take the nearest entry.
bool PrepareBitmapPaste(std::span<const uint32_t> colours, int width, int height,
                        const IconImage& target, Prompt& prompt, bool intoSelection,
                        int selectionWidth, int selectionHeight, PastePixels* out);

}  // namespace vt
