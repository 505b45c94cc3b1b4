#include "common/byte_writer.h"

#include <cassert>

#include "common/byte_reader.h"

namespace vt {

void ByteWriter::U16(uint16_t v) {
    m_bytes.push_back(static_cast<uint8_t>(v));
    m_bytes.push_back(static_cast<uint8_t>(v >> 8));
}

void ByteWriter::U32(uint32_t v) {
    U16(static_cast<uint16_t>(v));
    U16(static_cast<uint16_t>(v >> 16));
}

void ByteWriter::AlignTo(size_t unit) {
    assert(unit > 0);
    size_t rest = m_bytes.size() % unit;
    if (rest) Zeros(unit - rest);
}

void ByteWriter::PatchU16(size_t at, uint16_t v) {
    assert(InRange(m_bytes.size(), at, 2));
    StoreLE16(m_bytes.data() + at, v);
}

void ByteWriter::PatchU32(size_t at, uint32_t v) {
    assert(InRange(m_bytes.size(), at, 4));
    StoreLE32(m_bytes.data() + at, v);
}

}  // namespace vt
