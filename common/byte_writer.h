#pragma once
// Little-endian output into a growing buffer. Patch* fill in fields (sizes, offsets) that are only
// known once later data has been written.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace vt {

class ByteWriter {
public:
    void U8(uint8_t v) { m_bytes.push_back(v); }
    void U16(uint16_t v);
    void U32(uint32_t v);
    void I16(int16_t v) { U16(static_cast<uint16_t>(v)); }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void Bytes(std::span<const uint8_t> b) { m_bytes.insert(m_bytes.end(), b.begin(), b.end()); }
    void Text(std::string_view s) { m_bytes.insert(m_bytes.end(), s.begin(), s.end()); }
    void Zeros(size_t n) { m_bytes.resize(m_bytes.size() + n, 0); }
    // Pads with zeros up to a multiple of `unit` (a power of two or any positive number).
    void AlignTo(size_t unit);
    // Overwrite an already written field; asserts that it lies inside what was written.
    void PatchU16(size_t at, uint16_t v);
    void PatchU32(size_t at, uint32_t v);

    size_t size() const { return m_bytes.size(); }
    const std::vector<uint8_t>& bytes() const { return m_bytes; }
    std::vector<uint8_t> Take() { return std::move(m_bytes); }

private:
    std::vector<uint8_t> m_bytes;
};

}  // namespace vt
