// Any bytes as a palette file; what is accepted must write and read back to the same palette.
#include <cstdint>
#include <cstdlib>

#include "image/palette_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vt::ColorValues256 palette{};
    if (size >= vt::kPaletteFileLimit || !vt::ParseJascPalette({data, size}, &palette)) return 0;
    vt::ColorValues256 back{};
    if (!vt::ParseJascPalette(vt::FormatJascPalette(palette), &back) || back != palette)
        std::abort();
    return 0;
}
