#pragma once
// Reading the first image of a GIF file into one 256-colour picture: 8 to 64 pixels each way, a
// global colour table required, a local colour table refused.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace vt {

constexpr int kGifMinSize = 8;
constexpr int kGifMaxSize = 64;

extern const char* const kGifIncompatibleText;
extern const char* const kGifReadErrorText;
extern const char* const kGifIncompleteText;

// What a GIF file reads to, before it becomes an image of the document.
struct GifPicture {
    int width = 0;
    int height = 0;
    // 256 colour-table entries in the image block's form (blue, green, red, 0 as a little-endian
    // 0x00RRGGBB); entries beyond the file's table are black.
    std::array<uint32_t, 256> table{};
    // One index per pixel, rows from the top, and whether the pixel is a screen pixel (its AND
    // bit). A screen pixel holds the black index.
    std::vector<uint8_t> indices;
    std::vector<uint8_t> masked;
    int blackIndex = -1;
    int whiteIndex = -1;
    // The image data stopped before every pixel of the frame was decoded (cut short, or a code
    // that names nothing): the pixels after that point are screen pixels.
    bool incomplete = false;
};

enum class GifReadError {
    None,
    Incompatible,  // not a GIF, size outside 8 to 64, no global table, a local table
    Corrupt,       // block data missing where the file promises them, or no pixel decodes
};

GifReadError ParseGif(std::span<const uint8_t> file, GifPicture* out);

}  // namespace vt
