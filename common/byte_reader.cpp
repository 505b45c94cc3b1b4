#include "common/byte_reader.h"

#include <cstring>

namespace vt {

bool ByteReader::Take(size_t n, const uint8_t** p) {
    if (!m_ok || !InRange(m_data.size(), m_offset, n)) {
        m_ok = false;
        return false;
    }
    *p = m_data.data() + m_offset;
    m_offset += n;
    return true;
}

uint8_t ByteReader::U8() {
    const uint8_t* p;
    return Take(1, &p) ? p[0] : 0;
}

uint16_t ByteReader::U16() {
    const uint8_t* p;
    return Take(2, &p) ? LoadLE16(p) : 0;
}

uint32_t ByteReader::U32() {
    const uint8_t* p;
    return Take(4, &p) ? LoadLE32(p) : 0;
}

std::span<const uint8_t> ByteReader::Bytes(size_t n) {
    const uint8_t* p;
    if (!Take(n, &p)) return {};
    return {p, n};
}

bool ByteReader::CopyTo(void* out, size_t n) {
    const uint8_t* p;
    if (!Take(n, &p)) {
        if (n) std::memset(out, 0, n);
        return false;
    }
    if (n) std::memcpy(out, p, n);
    return true;
}

std::string ByteReader::FixedText(size_t n) {
    auto bytes = Bytes(n);
    size_t len = 0;
    while (len < bytes.size() && bytes[len] != 0) ++len;
    return std::string(reinterpret_cast<const char*>(bytes.data()), len);
}

bool ByteReader::Skip(size_t n) {
    const uint8_t* p;
    return Take(n, &p);
}

bool ByteReader::Seek(size_t offset) {
    if (!m_ok || offset > m_data.size()) {
        m_ok = false;
        return false;
    }
    m_offset = offset;
    return true;
}

ByteReader ByteReader::Sub(size_t offset, size_t n) const {
    if (!m_ok || !InRange(m_data.size(), offset, n)) {
        ByteReader failed;
        failed.m_ok = false;
        return failed;
    }
    return ByteReader(m_data.subspan(offset, n));
}

}  // namespace vt
