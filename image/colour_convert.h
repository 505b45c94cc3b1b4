#pragma once
// Moving an image's pixels between colour depths and sizes: filling a new format from the current
// image, and re-mapping an image onto a newly opened palette.

#include <cstdint>
#include <functional>
#include <vector>

#include "image/icon_image.h"
#include "image/icon_resource.h"

namespace vt {

// Every pixel's colour as a colour value (table colour for palette-based images), rows from the
// top; and every pixel's AND bit.
std::vector<uint32_t> ImageColours(const IconImage& image);
std::vector<uint8_t> ImageMask(const IconImage& image);

// Fills `to` (bits allocated, a table for its depth in place) from `from`: colours and mask are
// resampled to the new size, a 256-colour target is quantized and takes the quantizer's table,
// 2- and 16-colour targets map each colour to the nearest entry of their fixed table, and
// masked pixels become screen or inverse pixels of the new depth. Sets the new screen and
// inverse colours (2: 0 and 1, 16: 0 and 15, 256: 254 and 255, true colour: black and white).
// Returns false when the quantizer's memory could not be had; `to` is then left as it was.
bool ConvertFromImage(const IconImage& from, IconImage& to);

// Re-maps the active 256-colour image onto `palette` after a palette file was opened: the table
// becomes the palette, the image is activated again to find its screen and inverse entries,
// masked pixels keep their meaning when the palette has black (screen) or white (inverse) and
// become opaque index 0 or 255 when it has not, and opaque pixels take the nearest entry to
// their old colour. The bits are committed. Returns the new screen index, which becomes the
// screen index for new images.
uint32_t RemapToPalette(IconResource& doc, ImageHost& host, const ColorValues256& palette);

// The hook that fills a new format from the current image (ImageHost::fillFromImage): converts,
// and reports running out of memory through `host`.
std::function<bool(const IconImage& from, IconImage& to)> ConversionHook(const ImageHost& host);

}  // namespace vt
