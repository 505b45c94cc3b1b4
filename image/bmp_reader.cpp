#include "image/bmp_reader.h"

#include <bit>
#include <cstdlib>

#include "common/byte_reader.h"

namespace vt {
namespace {

constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;
constexpr size_t kFileHeaderSize = 14;
// RLE output is not bounded by the file's size, so it gets a smaller cap of its own.
constexpr size_t kRleMaxPixels = size_t{1} << 20;

// One channel of a bit-field pixel scaled to 8 bits.
uint32_t Channel(uint32_t pixel, uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const uint32_t bits = mask >> shift;
    const int width = std::countr_one(bits);
    const uint32_t v = (pixel & mask) >> shift;
    const bool contiguous = width == 32 || bits == (1u << width) - 1;
    if (contiguous && width >= 8) return v >> (width - 8);
    if (!contiguous) return static_cast<uint32_t>((uint64_t{v} * 255 + bits / 2) / bits);
    // Repeat the bits down to the low end, so that 0 stays 0 and a full channel becomes 255.
    uint32_t out = 0;
    for (int shift = 8 - width; shift > -width; shift -= width)
        out |= shift >= 0 ? v << shift : v >> -shift;
    return out;
}

// Decodes RLE8 (4 = false) or RLE4 data into indices, rows bottom-up in file order. Pixels the
// data never reach stay index 0.
void DecodeRle(std::span<const uint8_t> data, bool four, int width, int height,
               std::vector<uint8_t>* indices) {
    int x = 0, y = 0;  // y counts rows from the bottom
    size_t at = 0;
    auto put = [&](uint8_t v) {
        if (x < width && y < height)
            (*indices)[static_cast<size_t>(height - 1 - y) * width + x] = v;
        ++x;
    };
    while (at + 1 < data.size() && y < height) {
        const uint8_t count = data[at];
        const uint8_t value = data[at + 1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(four ? static_cast<uint8_t>((i & 1) ? value & 0x0F : value >> 4) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            return;
        } else if (value == 2) {  // delta
            if (at + 1 >= data.size()) return;
            x += data[at];
            y += data[at + 1];
            at += 2;
        } else {  // a literal run of `value` pixels, padded to 16 bits
            const size_t bytes = four ? (value + 1u) / 2 : value;
            if (bytes > data.size() - at) return;
            for (int i = 0; i < value; ++i) {
                const uint8_t b = data[at + (four ? i / 2 : i)];
                put(four ? static_cast<uint8_t>((i & 1) ? b & 0x0F : b >> 4) : b);
            }
            at += (bytes + 1) & ~size_t{1};
        }
        if (x > width + 255) x = width + 255;  // a run far past the row cannot wrap anything
    }
}

}  // namespace

BmpError ReadBmp(std::span<const uint8_t> file, BmpPicture* out) {
    *out = BmpPicture{};
    ByteReader r(file);
    r.Skip(10);
    const uint32_t offBits = r.U32();
    const uint32_t headerSize = r.U32();
    const int32_t width = r.I32();
    const int32_t rawHeight = r.I32();
    r.U16();  // planes
    const uint16_t bitCount = r.U16();
    const uint32_t compression = r.U32();
    r.Skip(12);
    const uint32_t clrUsed = r.U32();
    r.U32();
    if (!r.ok()) return BmpError::Truncated;
    // Later header versions only add fields; the colour table and masks follow the header.
    if (headerSize < 40 || headerSize > 1024) return BmpError::Unsupported;
    const bool topDown = rawHeight < 0;
    if (rawHeight == INT32_MIN || width <= 0 || rawHeight == 0) return BmpError::Unsupported;
    const int32_t height = topDown ? -rawHeight : rawHeight;
    size_t pixels;
    if (!CheckedMul(static_cast<size_t>(width), static_cast<size_t>(height), &pixels) ||
        pixels > kBmpMaxPixels)
        return BmpError::TooLarge;

    const bool rle = compression == kRle8 || compression == kRle4;
    if (compression == kRle8 && bitCount != 8) return BmpError::Unsupported;
    if (compression == kRle4 && bitCount != 4) return BmpError::Unsupported;
    if (compression == kBitFields && bitCount != 16 && bitCount != 32) return BmpError::Unsupported;
    if (compression != kRgb && !rle && compression != kBitFields) return BmpError::Unsupported;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32)
        return BmpError::Unsupported;
    if (rle && (topDown || pixels > kRleMaxPixels)) return BmpError::Unsupported;

    // Bit fields: inside a longer header, or three masks after a 40-byte one.
    uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (bitCount == 32) {
        masks[0] = 0xFF0000;
        masks[1] = 0x00FF00;
        masks[2] = 0x0000FF;
    }
    size_t tableAt = kFileHeaderSize + headerSize;
    if (compression == kBitFields) {
        ByteReader m = r.Sub(kFileHeaderSize + 40, 12);
        masks[0] = m.U32();
        masks[1] = m.U32();
        masks[2] = m.U32();
        if (!m.ok()) return BmpError::Truncated;
        if (headerSize == 40) tableAt += 12;
    }

    if (offBits > file.size()) return BmpError::Truncated;
    const std::span<const uint8_t> data = file.subspan(offBits);
    const size_t stride = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
    if (!rle) {
        // Checked before any pixel memory is taken, so a header cannot ask for more than the
        // file holds. The last row need not carry its padding.
        size_t need;
        if (!CheckedMul(stride, static_cast<size_t>(height - 1), &need) ||
            !CheckedAdd(need, (static_cast<size_t>(width) * bitCount + 7) / 8, &need) ||
            need > data.size())
            return BmpError::Truncated;
    }

    BmpPicture pic;
    pic.width = width;
    pic.height = height;
    if (bitCount <= 8) {
        // A table shorter than the depth allows is taken as it is; the rest is black.
        const uint32_t full = 1u << bitCount;
        const uint32_t entries = clrUsed != 0 && clrUsed < full ? clrUsed : full;
        ByteReader t = r.Sub(tableAt, 4 * static_cast<size_t>(entries));
        if (!t.ok()) return BmpError::Truncated;
        pic.table.assign(full, 0);
        for (uint32_t i = 0; i < entries; ++i) {
            const uint32_t blue = t.U8(), green = t.U8(), red = t.U8();
            t.U8();
            pic.table[i] = red | (green << 8) | (blue << 16);
        }
        pic.indices.assign(pixels, 0);
    }
    pic.colours.assign(pixels, 0);
    if (rle) {
        DecodeRle(data, compression == kRle4, width, height, &pic.indices);
    } else {
        for (int32_t row = 0; row < height; ++row) {
            const uint8_t* src = data.data() + stride * static_cast<size_t>(row);
            const int32_t y = topDown ? row : height - 1 - row;
            const size_t base = static_cast<size_t>(y) * width;
            for (int32_t x = 0; x < width; ++x) {
                switch (bitCount) {
                    case 1:
                        pic.indices[base + x] = (src[x / 8] >> (7 - x % 8)) & 1;
                        break;
                    case 4:
                        pic.indices[base + x] = (x & 1) ? src[x / 2] & 0x0F : src[x / 2] >> 4;
                        break;
                    case 8:
                        pic.indices[base + x] = src[x];
                        break;
                    case 24: {
                        const uint8_t* p = src + 3 * static_cast<size_t>(x);
                        pic.colours[base + x] = p[2] | (p[1] << 8) | (p[0] << 16);
                        break;
                    }
                    case 16:
                    case 32: {
                        const uint32_t v = bitCount == 16
                                               ? LoadLE16(src + 2 * static_cast<size_t>(x))
                                               : LoadLE32(src + 4 * static_cast<size_t>(x));
                        pic.colours[base + x] = Channel(v, masks[0]) | (Channel(v, masks[1]) << 8) |
                                                (Channel(v, masks[2]) << 16);
                        break;
                    }
                }
            }
        }
    }
    if (!pic.table.empty())
        for (size_t p = 0; p < pixels; ++p) pic.colours[p] = pic.table[pic.indices[p]];
    *out = std::move(pic);
    return BmpError::None;
}

}  // namespace vt
