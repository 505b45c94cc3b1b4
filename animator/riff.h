#pragma once
// RIFF chunk plumbing shared by the animated-cursor reader and writer: four-character codes, the
// 8-byte chunk header, and the pad byte that keeps every chunk at an even offset.

#include <cstddef>
#include <cstdint>

#include "common/byte_reader.h"
#include "common/byte_writer.h"

namespace vt {

// A four-character code as it reads when its bytes are loaded little-endian.
constexpr uint32_t FourCC(const char (&s)[5]) {
    return static_cast<uint32_t>(static_cast<uint8_t>(s[0])) |
           (static_cast<uint32_t>(static_cast<uint8_t>(s[1])) << 8) |
           (static_cast<uint32_t>(static_cast<uint8_t>(s[2])) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(s[3])) << 24);
}

inline constexpr uint32_t kRiffId = FourCC("RIFF");
inline constexpr uint32_t kListId = FourCC("LIST");
inline constexpr size_t kChunkHeaderSize = 8;

// Data size rounded up to the even length a chunk occupies in the file.
constexpr uint64_t PaddedSize(uint32_t size) {
    return static_cast<uint64_t>(size) + (size & 1u);
}

struct ChunkHeader {
    uint32_t id = 0;
    uint32_t size = 0;
};

// Reads a chunk header when at least 8 bytes remain; false (reader untouched) otherwise, which is
// how the end of a chunk sequence shows itself.
bool ReadChunkHeader(ByteReader& reader, ChunkHeader* out);

// Moves past `n` bytes when they are all there. A chunk that claims more than the data holds ends
// the sequence instead of failing it: the reader is moved to the end and false is returned.
bool SkipOrEnd(ByteReader& reader, uint64_t n);

// Writes chunk headers whose size is only known once the data is written.
class ChunkWriter {
  public:
    explicit ChunkWriter(ByteWriter& out) : m_out(out) {}
    // Starts a chunk (or a list when `listType` is non-zero) and returns the position of its size
    // field for End().
    size_t Begin(uint32_t id, uint32_t listType = 0);
    // Fills in the size of the chunk begun at `sizeAt` and adds the pad byte after odd data.
    void End(size_t sizeAt);
    // A whole chunk from bytes already at hand.
    void Chunk(uint32_t id, std::span<const uint8_t> data);

  private:
    ByteWriter& m_out;
};

}  // namespace vt
