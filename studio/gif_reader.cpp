#include "studio/gif_reader.h"

#include <algorithm>
#include <cstring>

#include "common/byte_reader.h"
#include "studio/gif_lzw.h"

namespace vt {

const char* const kGifIncompatibleText =
    "This file is not compatible with Vantoro.  The Studio can read and write all GIF files that "
    "it creates and most GIF files from 8x8 to 64x64 pixels in size, in 16 or 256 colors.\n\nFile "
    "open aborted.";
const char* const kGifReadErrorText = "Error detected reading GIF file.  File cannot be read.";
const char* const kGifIncompleteText =
    "The picture in this GIF file is incomplete.  The part that could be read has been opened; "
    "the rest of the image is transparent.";

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
// A frame may be larger than the 64 x 64 screen it is drawn on; only its visible part is kept,
// but the pixels before it must still be decoded. Beyond this many the file is not one of ours
// to read.
constexpr size_t kMaxFramePixels = size_t{1} << 18;

// Passes a run of data sub-blocks up to and including the zero-length terminator.
bool SkipSubBlocks(ByteReader& r) {
    for (;;) {
        const uint8_t len = r.U8();
        if (!r.ok()) return false;
        if (len == 0) return true;
        if (!r.Skip(len)) return false;
    }
}

// Joins the image's data sub-blocks. A stream cut short keeps what was there: the decoder then
// stops where the data stop, as viewers do.
std::vector<uint8_t> GatherSubBlocks(ByteReader& r) {
    std::vector<uint8_t> data;
    for (;;) {
        const uint8_t len = r.U8();
        if (!r.ok() || len == 0) break;
        const size_t n = len < r.remaining() ? len : r.remaining();
        auto bytes = r.Bytes(n);
        data.insert(data.end(), bytes.begin(), bytes.end());
        if (n < len) break;
    }
    return data;
}

}  // namespace

GifReadError ParseGif(std::span<const uint8_t> file, GifPicture* out) {
    *out = GifPicture{};
    ByteReader r(file);
    auto signature = r.Bytes(6);
    if (!r.ok() || std::memcmp(signature.data(), "GIF", 3) != 0) return GifReadError::Incompatible;

    const int width = r.U16();
    const int height = r.U16();
    const uint8_t screenFlags = r.U8();
    r.Skip(2);  // background index and aspect ratio are not used
    if (!r.ok()) return GifReadError::Corrupt;
    if (width < kGifMinSize || width > kGifMaxSize || height < kGifMinSize ||
        height > kGifMaxSize || (screenFlags & 0x80) == 0)
        return GifReadError::Incompatible;

    GifPicture pic;
    pic.width = width;
    pic.height = height;
    const int tableSize = 2 << (screenFlags & 7);
    int lastBlack = -1;
    int lastWhite = -1;
    for (int i = 0; i < tableSize; ++i) {
        const uint32_t red = r.U8();
        const uint32_t green = r.U8();
        const uint32_t blue = r.U8();
        const uint32_t entry = (red << 16) | (green << 8) | blue;
        pic.table[i] = entry;
        if (entry == kBlack) lastBlack = i;
        if (entry == kWhite) lastWhite = i;
    }
    if (!r.ok()) return GifReadError::Corrupt;

    int transparent = -1;
    for (;;) {
        // The smallest image (descriptor, code size, one sub-block, terminator) needs this much.
        if (r.remaining() < 10) return GifReadError::Corrupt;
        const uint8_t introducer = r.U8();
        if (introducer == 0x21) {
            const uint8_t label = r.U8();
            if (label == 0xF9) {
                const uint8_t len = r.U8();
                auto body = r.Bytes(len);
                if (!r.ok()) return GifReadError::Corrupt;
                if (len >= 4 && (body[0] & 1) != 0) transparent = body[3];
                if (!SkipSubBlocks(r)) return GifReadError::Corrupt;
            } else if (!SkipSubBlocks(r)) {
                return GifReadError::Corrupt;
            }
            continue;
        }
        if (introducer == 0x3B) return GifReadError::Corrupt;  // a file without an image
        if (introducer != 0x2C) continue;  // stray bytes between blocks are passed over

        const int left = r.U16();
        const int top = r.U16();
        const int frameWidth = r.U16();
        const int frameHeight = r.U16();
        const uint8_t frameFlags = r.U8();
        const uint8_t minCodeSize = r.U8();
        if (!r.ok()) return GifReadError::Corrupt;
        if (frameFlags & 0x80) return GifReadError::Incompatible;
        if (minCodeSize < 1 || minCodeSize > 11) return GifReadError::Corrupt;
        const size_t framePixels = static_cast<size_t>(frameWidth) * frameHeight;
        if (framePixels > kMaxFramePixels) return GifReadError::Corrupt;

        const bool interlaced = (frameFlags & 0x40) != 0;
        // Rows stored in order stop mattering once they fall below the screen.
        size_t wanted = framePixels;
        if (!interlaced) {
            const int visibleRows = top >= height ? 0 : std::min(frameHeight, height - top);
            wanted = static_cast<size_t>(visibleRows) * frameWidth;
        }
        const std::vector<uint8_t> data = GatherSubBlocks(r);
        std::vector<uint8_t> decoded(wanted, 0);
        const LzwDecodeResult result =
            LzwDecode(data, minCodeSize, static_cast<uint32_t>(tableSize), decoded);

        // Pixels the frame does not reach stay transparent; the index is settled below, once the
        // black entry is known.
        const size_t screenPixels = static_cast<size_t>(width) * height;
        pic.indices.assign(screenPixels, 0);
        pic.masked.assign(screenPixels, 1);
        std::array<bool, 256> used{};
        size_t shown = 0;
        const std::vector<int> rows = GifRowOrder(frameHeight, interlaced);
        for (size_t n = 0; n < rows.size(); ++n) {
            const int y = top + rows[n];
            if (y >= height) continue;
            for (int fx = 0; fx < frameWidth; ++fx) {
                const size_t at = n * frameWidth + fx;
                const int x = left + fx;
                if (x >= width || at >= result.produced) continue;
                const uint8_t index = decoded[at];
                const size_t p = static_cast<size_t>(y) * width + x;
                ++shown;
                if (index == transparent) continue;
                pic.indices[p] = index;
                pic.masked[p] = 0;
                used[index] = true;
            }
        }

        // Nothing of the picture came from the file (its first code was already unusable, or
        // the frame has no pixel on the screen): an all-transparent image would pass for a
        // picture the file does not hold.
        if (shown == 0) return GifReadError::Corrupt;
        pic.incomplete = result.produced < wanted;

        // Screen and inverse pixels need a black and a white entry; a table without them lends
        // indices that no pixel shows.
        bool needBlack = lastBlack < 0;
        bool needWhite = lastWhite < 0;
        for (int i = 0; i < 256 && (needBlack || needWhite); ++i) {
            if (used[i]) continue;
            if (needBlack) {
                pic.table[i] = kBlack;
                lastBlack = i;
                needBlack = false;
            } else {
                pic.table[i] = kWhite;
                lastWhite = i;
                needWhite = false;
            }
        }
        pic.blackIndex = lastBlack;
        pic.whiteIndex = lastWhite;
        const uint8_t screenIndex = static_cast<uint8_t>(lastBlack < 0 ? 0 : lastBlack);
        for (size_t p = 0; p < screenPixels; ++p)
            if (pic.masked[p]) pic.indices[p] = screenIndex;
        *out = std::move(pic);
        return GifReadError::None;
    }
}

}  // namespace vt
