#include "librarian/format_entry_io.h"

#include "common/byte_reader.h"

namespace vt {

void WriteFormatHead(ByteWriter& w, const FormatEntry& f) {
    w.U8(f.width);
    w.U8(f.height);
    w.U8(f.colorCount);
    w.U8(f.reserved);
    w.U16(f.planes);
    w.U16(f.bitCount);
    w.U32(f.bytesInResource);
}

FormatEntry ReadFormatHead(const uint8_t* e) {
    FormatEntry f;
    f.width = e[0];
    f.height = e[1];
    f.colorCount = e[2];
    f.reserved = e[3];
    f.planes = LoadLE16(e + 4);
    f.bitCount = LoadLE16(e + 6);
    f.bytesInResource = LoadLE32(e + 8);
    return f;
}

}  // namespace vt
