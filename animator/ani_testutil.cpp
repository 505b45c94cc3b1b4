#include "animator/ani_testutil.h"

#include <algorithm>
#include <cstring>

#include "common/byte_reader.h"

namespace vt::testing {

namespace {

void Put32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(Bytes& b, uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void PutId(Bytes& b, const char* id) {
    b.insert(b.end(), id, id + 4);
}

}  // namespace

Bytes MakeBlock(int bits, uint8_t seed) {
    size_t table = bits == 24 ? 0 : (size_t{1} << bits);
    size_t xorSize = 32 * ((32 * static_cast<size_t>(bits) + 31) / 32) * 4;
    Bytes b;
    Put32(b, 40);
    Put32(b, 32);
    Put32(b, 32);
    Put16(b, 1);
    Put16(b, static_cast<uint16_t>(bits));
    Put32(b, 0);
    Put32(b, static_cast<uint32_t>(xorSize));
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, static_cast<uint32_t>(table));
    Put32(b, 0);
    for (size_t i = 0; i < table; ++i) Put32(b, static_cast<uint32_t>(i * 0x010203u) & 0xFFFFFF);
    for (size_t i = 0; i < xorSize; ++i) b.push_back(static_cast<uint8_t>(seed + i * 7));
    b.insert(b.end(), 128, 0);
    return b;
}

Bytes FileImageOf(const Bytes& block) {
    Bytes f = block;
    StoreLE32(f.data() + 8, 2 * LoadLE32(f.data() + 8));
    StoreLE32(f.data() + 20, LoadLE32(f.data() + 20) + 128);
    return f;
}

Bytes CursorFile(const std::vector<CursorEntry>& entries, uint16_t type) {
    Bytes b;
    Put16(b, 0);
    Put16(b, type);
    Put16(b, static_cast<uint16_t>(entries.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(entries.size());
    for (const CursorEntry& e : entries) {
        b.push_back(e.width);
        b.push_back(e.height);
        b.push_back(0);
        b.push_back(0);
        Put16(b, e.hotX);
        Put16(b, e.hotY);
        Put32(b, static_cast<uint32_t>(e.data.size()));
        Put32(b, offset);
        offset += static_cast<uint32_t>(e.data.size());
    }
    for (const CursorEntry& e : entries) b.insert(b.end(), e.data.begin(), e.data.end());
    return b;
}

Bytes SimpleCursor(int bits, uint8_t seed, uint16_t hotX, uint16_t hotY) {
    return CursorFile({{32, 32, hotX, hotY, FileImageOf(MakeBlock(bits, seed))}});
}

Bytes Le32(std::initializer_list<uint32_t> values) {
    Bytes b;
    for (uint32_t v : values) Put32(b, v);
    return b;
}

Bytes Chunk(const char* id, const Bytes& data) {
    Bytes b;
    PutId(b, id);
    Put32(b, static_cast<uint32_t>(data.size()));
    b.insert(b.end(), data.begin(), data.end());
    if (data.size() & 1) b.push_back(0);
    return b;
}

Bytes List(const char* type, std::initializer_list<Bytes> chunks) {
    Bytes inner;
    PutId(inner, type);
    for (const Bytes& c : chunks) inner.insert(inner.end(), c.begin(), c.end());
    return Chunk("LIST", inner);
}

Bytes AnihData(uint32_t images, uint32_t steps, uint32_t rate, uint32_t flags) {
    return Le32({36, images, steps, 0, 0, 4, 1, rate, flags});
}

Bytes AniFile(std::initializer_list<Bytes> chunks) {
    Bytes b;
    PutId(b, "RIFF");
    Put32(b, 0);
    PutId(b, "ACON");
    for (const Bytes& c : chunks) b.insert(b.end(), c.begin(), c.end());
    StoreLE32(b.data() + 4, static_cast<uint32_t>(b.size()));
    return b;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes b;
    for (const Bytes& p : parts) b.insert(b.end(), p.begin(), p.end());
    return b;
}

std::vector<std::string> ChunkIds(const Bytes& file) {
    // Walks the top level and the two known lists, naming lists "LIST:type".
    std::vector<std::string> ids;
    size_t pos = 12;
    auto walk = [&](size_t from, size_t end, auto& self) -> void {
        size_t p = from;
        while (p + 8 <= end) {
            std::string id(reinterpret_cast<const char*>(&file[p]), 4);
            uint32_t size = LoadLE32(&file[p + 4]);
            if (id == "LIST" && p + 12 <= end) {
                std::string type(reinterpret_cast<const char*>(&file[p + 8]), 4);
                ids.push_back("LIST:" + type);
                self(p + 12, std::min(end, p + 8 + size), self);
            } else {
                ids.push_back(id);
            }
            p += 8 + size + (size & 1);
        }
    };
    walk(pos, file.size(), walk);
    return ids;
}

}  // namespace vt::testing
