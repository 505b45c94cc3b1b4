#include "animator/riff.h"

#include <cassert>

namespace vt {

bool ReadChunkHeader(ByteReader& reader, ChunkHeader* out) {
    if (reader.remaining() < kChunkHeaderSize) return false;
    out->id = reader.U32();
    out->size = reader.U32();
    return reader.ok();
}

bool SkipOrEnd(ByteReader& reader, uint64_t n) {
    if (n > reader.remaining()) {
        reader.Seek(reader.size());
        return false;
    }
    return reader.Skip(static_cast<size_t>(n));
}

size_t ChunkWriter::Begin(uint32_t id, uint32_t listType) {
    m_out.U32(id);
    size_t sizeAt = m_out.size();
    m_out.U32(0);
    if (listType != 0) m_out.U32(listType);
    return sizeAt;
}

void ChunkWriter::End(size_t sizeAt) {
    size_t dataStart = sizeAt + 4;
    assert(m_out.size() >= dataStart);
    size_t size = m_out.size() - dataStart;
    m_out.PatchU32(sizeAt, static_cast<uint32_t>(size));
    if (size & 1) m_out.U8(0);
}

void ChunkWriter::Chunk(uint32_t id, std::span<const uint8_t> data) {
    size_t at = Begin(id);
    m_out.Bytes(data);
    End(at);
}

}  // namespace vt
