#include "image/palette_file.h"

#include <cstring>

#include "common/file_io.h"
#include "common/prompt.h"

namespace vt {
namespace {

constexpr char kHeader[] = "JASC-PAL\r\n0100\r\n256\r\n";
constexpr size_t kHeaderLength = sizeof(kHeader) - 1;

bool IsDigit(uint8_t c) {
    return c >= '0' && c <= '9';
}

// The next decimal number from `at`, reduced to its low 8 bits as it is read so that no length
// of digits overflows. False when the data end before a digit.
bool NextNumber(std::span<const uint8_t> bytes, size_t* at, uint32_t* value) {
    while (*at < bytes.size() && !IsDigit(bytes[*at])) ++*at;
    if (*at >= bytes.size()) return false;
    uint32_t v = 0;
    while (*at < bytes.size() && IsDigit(bytes[*at])) {
        v = (v * 10 + (bytes[*at] - '0')) & 0xFF;
        ++*at;
    }
    *value = v;
    return true;
}

}  // namespace

bool ParseJascPalette(std::span<const uint8_t> bytes, ColorValues256* out) {
    if (bytes.size() < kHeaderLength || std::memcmp(bytes.data(), kHeader, kHeaderLength) != 0)
        return false;
    out->fill(0);
    size_t at = kHeaderLength;
    for (size_t entry = 0; entry < out->size(); ++entry) {
        uint32_t red, green, blue;
        if (!NextNumber(bytes, &at, &red) || !NextNumber(bytes, &at, &green) ||
            !NextNumber(bytes, &at, &blue))
            break;
        (*out)[entry] = red | (green << 8) | (blue << 16);
    }
    return true;
}

std::vector<uint8_t> FormatJascPalette(const ColorValues256& palette) {
    std::string text = kHeader;
    for (uint32_t c : palette)
        text += Format("%u %u %u\r\n", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

bool ReadPaletteFile(const std::string& path, ColorValues256* out) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, &bytes, kPaletteFileLimit - 1)) return false;
    return ParseJascPalette(bytes, out);
}

bool WritePaletteFile(const std::string& path, const ColorValues256& palette,
                      const std::string& prefix) {
    const std::vector<uint8_t> bytes = FormatJascPalette(palette);
    // 256 lines of at most 13 characters always fit the one buffer the file is written from.
    static_assert(kHeaderLength + 256 * 13 + 1 <= kPaletteSaveBuffer);
    return WriteFileReplacing(path, prefix, bytes);
}

ColorValues256 DefaultPalette() {
    static constexpr uint32_t kStandard[16] = {
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
        0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    ColorValues256 p{};
    size_t i = 0;
    for (uint32_t c : kStandard) p[i++] = c;
    for (uint32_t b = 0; b < 6; ++b)
        for (uint32_t g = 0; g < 6; ++g)
            for (uint32_t r = 0; r < 6; ++r) p[i++] = (r * 51) | ((g * 51) << 8) | ((b * 51) << 16);
    for (uint32_t k = 1; i < 254; ++k) p[i++] = (k * 11) * 0x010101;
    p[254] = 0x000000;
    p[255] = 0xFFFFFF;
    return p;
}

}  // namespace vt
