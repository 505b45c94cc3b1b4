#pragma once
// Every untrusted byte goes through this reader: a span with a sticky ok flag. Once a read falls
// outside the data, the reader stays failed, every later read yields zero, and the caller checks
// ok() once at the end of a record instead of after every field.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace vt {

// True when [off, off + n) lies inside a buffer of `size` bytes, without ever overflowing.
constexpr bool InRange(size_t size, size_t off, size_t n) { return off <= size && n <= size - off; }

// Overflow-checked arithmetic for sizes computed from file fields.
constexpr bool CheckedAdd(size_t a, size_t b, size_t* out) {
    if (b > SIZE_MAX - a) return false;
    *out = a + b;
    return true;
}
constexpr bool CheckedMul(size_t a, size_t b, size_t* out) {
    if (a != 0 && b > SIZE_MAX / a) return false;
    *out = a * b;
    return true;
}

inline uint16_t LoadLE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t LoadLE32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline void StoreLE16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void StoreLE32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

class ByteReader {
public:
    ByteReader() = default;
    explicit ByteReader(std::span<const uint8_t> data) : m_data(data) {}
    ByteReader(const uint8_t* data, size_t size) : m_data(data, size) {}

    bool ok() const { return m_ok; }
    size_t offset() const { return m_offset; }
    size_t size() const { return m_data.size(); }
    size_t remaining() const { return m_ok ? m_data.size() - m_offset : 0; }
    std::span<const uint8_t> data() const { return m_data; }
    // Marks the reader failed, for checks of content that the caller makes itself.
    void Fail() { m_ok = false; }

    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    int16_t I16() { return static_cast<int16_t>(U16()); }
    int32_t I32() { return static_cast<int32_t>(U32()); }

    // Returns the next n bytes and moves past them; an empty span (and a failed reader) when they
    // are not all there.
    std::span<const uint8_t> Bytes(size_t n);
    // Copies n bytes to out; on failure out is zero-filled.
    bool CopyTo(void* out, size_t n);
    // A zero-terminated or field-limited text of at most n bytes; the reader moves n bytes.
    std::string FixedText(size_t n);
    bool Skip(size_t n);
    bool Seek(size_t offset);
    // A reader over [offset, offset + n) of the same data; failed when that range is not inside.
    ByteReader Sub(size_t offset, size_t n) const;

private:
    bool Take(size_t n, const uint8_t** p);

    std::span<const uint8_t> m_data;
    size_t m_offset = 0;
    bool m_ok = true;
};

}  // namespace vt
