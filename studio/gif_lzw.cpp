#include "studio/gif_lzw.h"

#include <array>
#include <cassert>
#include <memory>

namespace vt {
namespace {

class BitPacker {
  public:
    void Put(uint32_t code, int width) {
        m_acc |= code << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            m_out.push_back(static_cast<uint8_t>(m_acc));
            m_acc >>= 8;
            m_bits -= 8;
        }
    }
    std::vector<uint8_t> Finish() {
        if (m_bits > 0) m_out.push_back(static_cast<uint8_t>(m_acc));
        m_acc = 0;
        m_bits = 0;
        return std::move(m_out);
    }

  private:
    std::vector<uint8_t> m_out;
    uint32_t m_acc = 0;
    int m_bits = 0;
};

// Open addressing over (prefix code, pixel) keys. Every pair is added at most once between two
// clears, so an exact look-up answers what the linear search answers.
class HashedTable {
  public:
    void Reset() { m_keys.fill(kEmpty); }
    int Find(uint32_t prefix, uint8_t pixel) const {
        uint32_t key = (prefix << 8) | pixel;
        for (uint32_t slot = Hash(key);; slot = (slot + 1) & kMask) {
            if (m_keys[slot] == kEmpty) return -1;
            if (m_keys[slot] == key) return m_codes[slot];
        }
    }
    void Add(uint32_t prefix, uint8_t pixel, uint32_t code) {
        uint32_t key = (prefix << 8) | pixel;
        uint32_t slot = Hash(key);
        while (m_keys[slot] != kEmpty) slot = (slot + 1) & kMask;
        m_keys[slot] = key;
        m_codes[slot] = static_cast<uint16_t>(code);
    }

  private:
    // Twice the table's capacity keeps probe chains short.
    static constexpr uint32_t kSize = 8192;
    static constexpr uint32_t kMask = kSize - 1;
    static constexpr uint32_t kEmpty = 0xFFFFFFFFu;
    static uint32_t Hash(uint32_t key) { return (key * 2654435761u) >> 19; }
    std::array<uint32_t, kSize> m_keys{};
    std::array<uint16_t, kSize> m_codes{};
};

class LinearTable {
  public:
    void Reset(uint32_t firstCode) {
        m_first = firstCode;
        m_count = 0;
    }
    void Reset() { m_count = 0; }
    int Find(uint32_t prefix, uint8_t pixel) const {
        for (uint32_t i = 0; i < m_count; ++i)
            if (m_prefix[i] == prefix && m_pixel[i] == pixel) return static_cast<int>(m_first + i);
        return -1;
    }
    void Add(uint32_t prefix, uint8_t pixel, uint32_t code) {
        assert(code == m_first + m_count);
        (void)code;
        m_prefix[m_count] = static_cast<uint16_t>(prefix);
        m_pixel[m_count] = pixel;
        ++m_count;
    }

  private:
    uint32_t m_first = 0;
    uint32_t m_count = 0;
    std::array<uint16_t, kLzwMaxCodes> m_prefix{};
    std::array<uint8_t, kLzwMaxCodes> m_pixel{};
};

template <class Table>
std::vector<uint8_t> EncodeWith(Table& table, std::span<const uint8_t> pixels, int minCodeSize) {
    assert(minCodeSize >= 1 && minCodeSize <= 8);
    const uint32_t clear = 1u << minCodeSize;
    const uint32_t end = clear + 1;
    int width = minCodeSize + 1;
    uint32_t next = clear + 2;
    BitPacker out;
    out.Put(clear, width);
    table.Reset();
    if (pixels.empty()) {
        out.Put(end, width);
        return out.Finish();
    }
    uint32_t current = pixels[0];
    for (size_t i = 1; i < pixels.size(); ++i) {
        const uint8_t pixel = pixels[i];
        const int found = table.Find(current, pixel);
        if (found >= 0) {
            current = static_cast<uint32_t>(found);
            continue;
        }
        out.Put(current, width);
        table.Add(current, pixel, next);
        // The decoder adds each string one code later than we do, so it widens after reading
        // the code that follows; widening here when the new code no longer fits keeps both in
        // step.
        if (next > (1u << width) - 1) ++width;
        ++next;
        if (next == kLzwMaxCodes) {
            out.Put(clear, width);
            table.Reset();
            width = minCodeSize + 1;
            next = clear + 2;
        }
        current = pixel;
    }
    out.Put(current, width);
    out.Put(end, width);
    return out.Finish();
}

}  // namespace

std::vector<uint8_t> LzwEncode(std::span<const uint8_t> pixels, int minCodeSize) {
    // The table is 48 KB; keep it off the stack.
    auto table = std::make_unique<HashedTable>();
    return EncodeWith(*table, pixels, minCodeSize);
}

std::vector<uint8_t> LzwEncodeLinear(std::span<const uint8_t> pixels, int minCodeSize) {
    auto table = std::make_unique<LinearTable>();
    table->Reset((1u << minCodeSize) + 2);
    return EncodeWith(*table, pixels, minCodeSize);
}

LzwDecodeResult LzwDecode(std::span<const uint8_t> data, int minCodeSize, uint32_t colourCount,
                          std::span<uint8_t> out) {
    LzwDecodeResult result;
    if (minCodeSize < 1 || minCodeSize > 11) {
        result.stop = LzwStop::BadCode;
        return result;
    }
    const uint32_t clear = 1u << minCodeSize;
    const uint32_t end = clear + 1;
    // Each code's string is its prefix's string plus one pixel; its length and first pixel are
    // kept so a string can be written backwards straight into the output.
    std::vector<uint16_t> prefix(kLzwMaxCodes);
    std::vector<uint8_t> suffix(kLzwMaxCodes);
    std::vector<uint8_t> first(kLzwMaxCodes);
    std::vector<uint16_t> length(kLzwMaxCodes);
    for (uint32_t c = 0; c < clear && c < kLzwMaxCodes; ++c) {
        suffix[c] = static_cast<uint8_t>(c);
        first[c] = static_cast<uint8_t>(c);
        length[c] = 1;
    }

    int width = minCodeSize + 1;
    uint32_t next = clear + 2;
    int64_t prev = -1;
    size_t pos = 0;
    uint32_t acc = 0;
    int bits = 0;
    size_t in = 0;

    // Writes code's string at out[pos...], cut at the end of the output.
    auto emit = [&](uint32_t code) {
        const size_t len = length[code];
        size_t room = out.size() - pos;
        uint32_t c = code;
        for (size_t k = len; k-- > 0;) {
            if (k < room) out[pos + k] = suffix[c];
            c = prefix[c];
        }
        pos += len < room ? len : room;
    };

    while (pos < out.size()) {
        while (bits < width && in < data.size()) {
            acc |= static_cast<uint32_t>(data[in++]) << bits;
            bits += 8;
        }
        if (bits < width) {
            result.stop = LzwStop::OutOfData;
            break;
        }
        const uint32_t code = acc & ((1u << width) - 1);
        acc >>= width;
        bits -= width;

        if (code == clear) {
            width = minCodeSize + 1;
            next = clear + 2;
            prev = -1;
            continue;
        }
        if (code == end) {
            result.stop = LzwStop::EndCode;
            break;
        }
        if (code < clear && code >= colourCount) {
            result.stop = LzwStop::BadLiteral;
            break;
        }
        if (prev < 0) {
            if (code > clear) {
                result.stop = LzwStop::BadCode;
                break;
            }
            emit(code);
            prev = code;
            continue;
        }
        if (code < next) {
            emit(code);
            if (next < kLzwMaxCodes) {
                prefix[next] = static_cast<uint16_t>(prev);
                suffix[next] = first[code];
                first[next] = first[prev];
                length[next] = static_cast<uint16_t>(length[prev] + 1);
                ++next;
            }
        } else if (code == next && next < kLzwMaxCodes) {
            // The string being defined by this very code: the previous string and its own first
            // pixel.
            prefix[next] = static_cast<uint16_t>(prev);
            suffix[next] = first[prev];
            first[next] = first[prev];
            length[next] = static_cast<uint16_t>(length[prev] + 1);
            ++next;
            emit(code);
        } else {
            result.stop = LzwStop::BadCode;
            break;
        }
        prev = code;
        if (next >= (1u << width) && width < 12) ++width;
    }
    result.produced = pos;
    return result;
}

}  // namespace vt

namespace vt {

std::vector<int> GifRowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    rows.reserve(height > 0 ? static_cast<size_t>(height) : 0);
    if (!interlaced) {
        for (int y = 0; y < height; ++y) rows.push_back(y);
        return rows;
    }
    static constexpr int kStart[4] = {0, 4, 2, 1};
    static constexpr int kStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < height; y += kStep[pass]) rows.push_back(y);
    return rows;
}

}  // namespace vt
