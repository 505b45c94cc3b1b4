#pragma once
// Hand-built animated cursor files for the tests: chunks are assembled byte by byte here, not with
// the writer under test, so a reader test cannot pass on a shared mistake.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace vt::testing {

using Bytes = std::vector<uint8_t>;

// An image block of a 32 x 32 image in the layout the animation keeps (height 32, biSizeImage the
// XOR size), full colour table, XOR bits of a pattern chosen by `seed`, AND bits all clear.
Bytes MakeBlock(int bits, uint8_t seed);

// One image of a cursor file directory, with the image data already in file form.
struct CursorEntry {
    uint8_t width = 32;
    uint8_t height = 32;
    uint16_t hotX = 0;
    uint16_t hotY = 0;
    Bytes data;
};
// The file form of a block: biHeight doubled, biSizeImage = XOR + AND size.
Bytes FileImageOf(const Bytes& block);
// A cursor file with these images, data laid out after the directory in order.
Bytes CursorFile(const std::vector<CursorEntry>& entries, uint16_t type = 2);
// A one-image cursor file of a 32 x 32 image of `bits` bits per pixel.
Bytes SimpleCursor(int bits, uint8_t seed, uint16_t hotX = 0, uint16_t hotY = 0);

Bytes Le32(std::initializer_list<uint32_t> values);
// A chunk: id, size, data, and the pad byte after odd data.
Bytes Chunk(const char* id, const Bytes& data);
Bytes List(const char* type, std::initializer_list<Bytes> chunks);
Bytes AnihData(uint32_t images, uint32_t steps, uint32_t rate = 10, uint32_t flags = 1);
// "RIFF" <size> "ACON" and the chunks; the size field counts the whole file.
Bytes AniFile(std::initializer_list<Bytes> chunks);
Bytes Concat(std::initializer_list<Bytes> parts);

// The chunk ids of a file in order, lists named "LIST:type" and followed by their contents.
std::vector<std::string> ChunkIds(const Bytes& file);

}  // namespace vt::testing
