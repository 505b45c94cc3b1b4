#pragma once
// One image format of an icon or cursor document. The pixels live in exactly the byte layout an
// image has inside an icon file (40-byte header with the one-image height, colour table, XOR bits
// bottom-up, AND bits bottom-up), so reading and writing files are block copies with two header
// fields adjusted, and clipboard and exchange blocks are the same bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace vt {

// Colour-count codes: the one way the suite names a colour depth. 1024 is true colour (24 bits
// per pixel, no colour table), not a count.
constexpr int32_t kMonochrome = 2;
constexpr int32_t kColors16 = 16;
constexpr int32_t kColors256 = 256;
constexpr int32_t kTrueColor = 1024;

constexpr size_t kBitmapHeaderSize = 40;
// Pixel positions are packed as x + 256 * y elsewhere, so no image may be larger than this.
constexpr int32_t kMaxImageSide = 256;

// Code to bits per pixel: 2 -> 1, 16 -> 4, 256 -> 8, anything else -> 24.
int BitsForCode(int32_t code);
// Planes x bit count of a bitmap header to code: 1 -> 2, 4 -> 16, 8 -> 256, anything else -> 1024.
int32_t CodeForBitCount(uint32_t planesTimesBits);
// Entries of a full colour table for a code: 2, 16, 256, or 0 for true colour.
uint32_t TableEntriesForCode(int32_t code);
constexpr bool IsPaletteBased(int32_t code) {
    return code <= 256;
}
// The depth's name in messages: "Monochrome", "16 color", "256 color", "high color".
const char* DepthName(int32_t code);
// Colour-table length of a header: biClrUsed when non-zero, else 2, 16 or 256 for 1, 4 and 8
// bits; any other bit count has no table and is rewritten to 24.
uint32_t HeaderTableLength(uint32_t clrUsed, uint16_t* bitCount);

// Sizes of one image; rows are padded to 32 bits. Callers validate dimensions first (at most
// kMaxImageSide, except the removal marker width, which is never used for sizes).
size_t XorStride(int32_t width, int bitsPerPixel);
size_t XorSize(int32_t width, int32_t height, int32_t code);
size_t AndStride(int32_t width);
size_t AndSize(int32_t width, int32_t height);
size_t BlockSize(int32_t width, int32_t height, int32_t code);

// Colour values are 0x00BBGGRR; table entries read as little-endian numbers are 0x00RRGGBB.
constexpr uint32_t SwapRedBlue(uint32_t c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// A BITMAPINFOHEADER as plain fields; Load/Store move it to and from its 40 little-endian bytes.
struct BitmapInfoHeader {
    uint32_t size = kBitmapHeaderSize;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t planes = 1;
    uint16_t bitCount = 0;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t clrUsed = 0;
    uint32_t clrImportant = 0;

    static BitmapInfoHeader Load(const uint8_t* p);
    void Store(uint8_t* p) const;
};

// The undo history of one image. The drawing engine defines the type and creates it; the image
// only owns it, so image/ needs no more than this declaration and a way to destroy it.
class UndoBuffer;
// The display-compatible copies of an image's bits, made and owned by the Win32 shell.
class DeviceBitmaps;

// Destroys a slot's object through the function its creator supplied, so that the complete type
// stays with the library that defines it.
template <class T>
struct SlotDeleter {
    void (*destroy)(T*) = nullptr;
    void operator()(T* p) const {
        if (p && destroy) destroy(p);
    }
};
using UndoBufferPtr = std::unique_ptr<UndoBuffer, SlotDeleter<UndoBuffer>>;
using DeviceBitmapsPtr = std::unique_ptr<DeviceBitmaps, SlotDeleter<DeviceBitmaps>>;

// A selected drawing colour: a palette index (or a colour value for true colour), and whether it
// is one of the two special inks (screen or inverse screen).
struct ImageColor {
    uint32_t value = 0;
    bool special = false;
    bool operator==(const ImageColor&) const = default;
};

// The editor's undo state of an image while another image is active.
struct SavedEditorState {
    bool undoEnabled = false;
    bool redoEnabled = false;
    int undoLabel = 0;
    int redoLabel = 0;
    bool operator==(const SavedEditorState&) const = default;
};

// 256 colour values (0x00BBGGRR) that the palette window shows for a true-colour image.
using ColorValues256 = std::array<uint32_t, 256>;

// The mask header: a 40-byte header for the AND bits followed by the two mask colours.
constexpr size_t kMaskHeaderSize = kBitmapHeaderSize + 8;
using MaskHeader = std::array<uint8_t, kMaskHeaderSize>;

struct IconImage {
    int32_t width = 0;
    int32_t height = 0;
    uint32_t hotSpotX = 0;
    uint32_t hotSpotY = 0;
    int32_t colorCode = 0;
    bool changed = false;
    bool untouched = false;

    // Header + colour table + XOR bits + AND bits; empty while the image has no bits (a record
    // appended before an allocation failed, or one freed for rebuilding).
    std::vector<uint8_t> block;
    MaskHeader maskHeader{};

    std::optional<ColorValues256> trueColorPalette;
    UndoBufferPtr undo;
    DeviceBitmapsPtr deviceBitmaps;
    SavedEditorState editorState;

    ImageColor colorA;
    ImageColor colorB;
    // Where the image came from in the file it was read from: its place in the directory (-1 for
    // an image made here), the first 8 bytes of its directory entry, its data exactly as the file
    // held them, and the block it was read into. While the block is unchanged the image is written
    // back as the file held it, so an image the user never touched loses nothing (a 32-bit image
    // keeps its alpha, a short colour table stays short). fileData is empty when the data could
    // not be kept whole.
    int fileIndex = -1;
    std::array<uint8_t, 8> fileEntry{};
    std::vector<uint8_t> fileData;
    std::vector<uint8_t> blockAsRead;
    // XOR value stored under a set AND bit for screen and for inverse screen; both 0 means
    // "not yet determined".
    uint32_t screenColor = 0;
    uint32_t inverseColor = 0;

    IconImage() = default;
    IconImage(IconImage&&) = default;
    IconImage& operator=(IconImage&&) = default;
    // Everything but the undo history and the device bitmaps, which belong to one live image.
    IconImage Clone() const;

    bool HasBits() const { return !block.empty(); }
    int BitsPerPixel() const { return BitsForCode(colorCode); }
    uint32_t TableEntries() const { return TableEntriesForCode(colorCode); }
    size_t TableBytes() const { return 4 * static_cast<size_t>(TableEntries()); }
    size_t XorBytes() const { return XorSize(width, height, colorCode); }
    size_t AndRowBytes() const { return AndStride(width); }
    size_t AndBytes() const { return AndSize(width, height); }
    size_t BlockBytes() const { return BlockSize(width, height, colorCode); }
    size_t XorRowBytes() const { return XorStride(width, BitsPerPixel()); }

    // Views into the block (empty when the image has no bits).
    std::span<uint8_t> HeaderBytes();
    std::span<const uint8_t> HeaderBytes() const;
    std::span<uint8_t> ColorTable();
    std::span<const uint8_t> ColorTable() const;
    std::span<uint8_t> XorBits();
    std::span<const uint8_t> XorBits() const;
    std::span<uint8_t> AndBits();
    std::span<const uint8_t> AndBits() const;

    // Table entry i as a colour value (0x00BBGGRR), and setting one from a colour value.
    uint32_t TableColor(uint32_t i) const;
    void SetTableColor(uint32_t i, uint32_t colorValue);

    // Raw pixel access, x and y from the top-left and inside the image: the XOR value (palette
    // index, or a colour value for true colour) and the AND bit. No undo is recorded here.
    uint32_t XorValue(int32_t x, int32_t y) const;
    bool AndBit(int32_t x, int32_t y) const;
    void SetXorValue(int32_t x, int32_t y, uint32_t value);
    void SetAndBit(int32_t x, int32_t y, bool set);

    // Allocates a zero-filled block for the image's format and writes its colour header
    // (biSizeImage = XOR size, biClrUsed = the code for palette-based images) and the mask header.
    // Returns false when the allocation fails.
    bool AllocateBlock();
    // Fills the mask header for the current size.
    void BuildMaskHeader();
    // Frees the bits and everything made from them, so that the image is rebuilt when next used.
    void FreeBits();
};

}  // namespace vt
