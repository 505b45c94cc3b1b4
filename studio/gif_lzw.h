#pragma once
// The GIF flavour of LZW: variable-width codes packed least-significant bit first, a clear code
// at 2^minimum code size, an end code after it, and a string table capped at 4096 codes.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vt {

constexpr uint32_t kLzwMaxCodes = 4096;

// Encodes pixel indices (each below 2^minCodeSize) into packed code bytes, without the
// minimum-code-size byte and without sub-block framing. The first code is a clear code; when the
// table reaches 4096 codes a clear code is emitted and the table starts again.
std::vector<uint8_t> LzwEncode(std::span<const uint8_t> pixels, int minCodeSize);

// The same encoding with the string table searched linearly among the codes added since the last
// clear. It writes exactly the bytes LzwEncode writes; it is the reference for the tests and the
// baseline of the benchmark, and far too slow for ordinary use.
std::vector<uint8_t> LzwEncodeLinear(std::span<const uint8_t> pixels, int minCodeSize);

enum class LzwStop {
    Filled,      // the output holds every pixel asked for
    EndCode,     // the stream's end code came first
    OutOfData,   // the bytes ran out before an end code
    BadCode,     // a code that names no string: beyond the next free code, or a first code
                 // after a clear that is not a literal
    BadLiteral,  // a literal at or above the number of colours
};

struct LzwDecodeResult {
    size_t produced = 0;
    LzwStop stop = LzwStop::Filled;
};

// Decodes packed code bytes into `out`, stopping when `out` is full, at the end code, or at the
// first code that cannot be decoded; what was decoded up to then stays in `out`. Literals must lie
// below `colourCount`. minCodeSize must lie from 1 to 11. A table that fills without a clear code
// stops growing (the codes already in it stay usable), as readers commonly allow.
LzwDecodeResult LzwDecode(std::span<const uint8_t> data, int minCodeSize, uint32_t colourCount,
                          std::span<uint8_t> out);

}  // namespace vt

namespace vt {

// The order in which rows are stored: top to bottom, or the four interlace passes (every 8th row
// from 0, every 8th from 4, every 4th from 2, every 2nd from 1).
std::vector<int> GifRowOrder(int height, bool interlaced);

}  // namespace vt
