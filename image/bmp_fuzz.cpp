// Any bytes as a bitmap file; what is accepted must be a whole picture.
#include <cstdint>
#include <cstdlib>

#include "image/bmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vt::BmpPicture pic;
    if (vt::ReadBmp({data, size}, &pic) != vt::BmpError::None) return 0;
    const size_t pixels = static_cast<size_t>(pic.width) * pic.height;
    if (pic.colours.size() != pixels) std::abort();
    if (!pic.table.empty() && pic.indices.size() != pixels) std::abort();
    return 0;
}
