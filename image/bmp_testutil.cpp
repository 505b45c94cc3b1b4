#include "image/bmp_testutil.h"

#include "common/byte_writer.h"

namespace vt::test {
namespace {

void Headers(ByteWriter& w, int width, int height, int bits, uint32_t compression,
             uint32_t tableEntries, size_t extra, size_t imageBytes) {
    const uint32_t offBits = static_cast<uint32_t>(14 + 40 + extra + 4 * tableEntries);
    w.U8('B');
    w.U8('M');
    w.U32(static_cast<uint32_t>(offBits + imageBytes));
    w.U32(0);
    w.U32(offBits);
    w.U32(40);
    w.I32(width);
    w.I32(height);
    w.U16(1);
    w.U16(static_cast<uint16_t>(bits));
    w.U32(compression);
    w.U32(static_cast<uint32_t>(imageBytes));
    w.U32(2835);
    w.U32(2835);
    w.U32(tableEntries);
    w.U32(0);
}

void Table(ByteWriter& w, const std::vector<uint32_t>& table) {
    for (uint32_t c : table) {
        w.U8(static_cast<uint8_t>(c >> 16));
        w.U8(static_cast<uint8_t>(c >> 8));
        w.U8(static_cast<uint8_t>(c));
        w.U8(0);
    }
}

}  // namespace

std::vector<uint8_t> MakeBmp(const BmpFixture& s) {
    const size_t stride = ((static_cast<size_t>(s.width) * s.bits + 31) / 32) * 4;
    ByteWriter w;
    Headers(w, s.width, s.topDown ? -s.height : s.height, s.bits, s.bitFields ? 3 : 0,
            static_cast<uint32_t>(s.table.size()), s.bitFields ? 12 : 0, stride * s.height);
    if (s.bitFields) {
        w.U32(s.masks[0]);
        w.U32(s.masks[1]);
        w.U32(s.masks[2]);
    }
    Table(w, s.table);
    for (int row = 0; row < s.height; ++row) {
        const int y = s.topDown ? row : s.height - 1 - row;
        std::vector<uint8_t> line(stride, 0);
        for (int x = 0; x < s.width; ++x) {
            const uint32_t v = s.pixels[static_cast<size_t>(y) * s.width + x];
            switch (s.bits) {
                case 1:
                    line[x / 8] |= static_cast<uint8_t>((v & 1) << (7 - x % 8));
                    break;
                case 4:
                    line[x / 2] |= static_cast<uint8_t>((v & 15) << ((x & 1) ? 0 : 4));
                    break;
                case 8:
                    line[x] = static_cast<uint8_t>(v);
                    break;
                case 16:
                    line[2 * x] = static_cast<uint8_t>(v);
                    line[2 * x + 1] = static_cast<uint8_t>(v >> 8);
                    break;
                case 24:
                    line[3 * x] = static_cast<uint8_t>(v >> 16);
                    line[3 * x + 1] = static_cast<uint8_t>(v >> 8);
                    line[3 * x + 2] = static_cast<uint8_t>(v);
                    break;
                case 32:
                    for (int k = 0; k < 4; ++k)
                        line[4 * x + k] = static_cast<uint8_t>(v >> (8 * k));
                    break;
            }
        }
        w.Bytes(line);
    }
    return w.Take();
}

std::vector<uint8_t> MakeRleBmp(int width, int height, bool four,
                                const std::vector<uint32_t>& table,
                                const std::vector<uint8_t>& data) {
    ByteWriter w;
    Headers(w, width, height, four ? 4 : 8, four ? 2 : 1, static_cast<uint32_t>(table.size()), 0,
            data.size());
    Table(w, table);
    w.Bytes(data);
    return w.Take();
}

}  // namespace vt::test
