#pragma once
// JASC text palette files: the exact 21-character header "JASC-PAL\r\n0100\r\n256\r\n", then one
// "red green blue" line per entry. Colours are colour values (0x00BBGGRR).

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "image/icon_image.h"

namespace vt {

constexpr size_t kPaletteFileLimit = 20000;  // files this large or larger are not palettes
constexpr size_t kPaletteSaveBuffer = 4096;

// Reads the entries of a palette file's bytes. False (and `out` untouched) when the header is not
// exactly the JASC header; otherwise every entry is reset to black and as many as the file holds
// are read: three decimal numbers each, found by skipping anything that is not a digit, each cut
// to its low 8 bits.
bool ParseJascPalette(std::span<const uint8_t> bytes, ColorValues256* out);
// The file's bytes as the editors write them: header, 256 lines, one terminating zero byte.
std::vector<uint8_t> FormatJascPalette(const ColorValues256& palette);

// Whole-file forms. Reading refuses files that cannot be opened, are kPaletteFileLimit bytes or
// more, or lack the header. Writing goes through a temporary file named with the program's
// prefix, so a failed save leaves an existing file as it was.
bool ReadPaletteFile(const std::string& path, ColorValues256* out);
bool WritePaletteFile(const std::string& path, const ColorValues256& palette,
                      const std::string& prefix);

// The palette that ships as "default.pal": the 16 standard colours, a 6 x 6 x 6 colour cube, a
// ramp of greys, and black at 254 and white at 255 where the conversions expect them.
ColorValues256 DefaultPalette();

}  // namespace vt
