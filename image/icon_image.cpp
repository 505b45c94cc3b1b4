#include "image/icon_image.h"

#include <cassert>
#include <new>

#include "common/byte_reader.h"

namespace vt {

int BitsForCode(int32_t code) {
    switch (code) {
        case kMonochrome:
            return 1;
        case kColors16:
            return 4;
        case kColors256:
            return 8;
        default:
            return 24;
    }
}

int32_t CodeForBitCount(uint32_t planesTimesBits) {
    switch (planesTimesBits) {
        case 1:
            return kMonochrome;
        case 4:
            return kColors16;
        case 8:
            return kColors256;
        default:
            return kTrueColor;
    }
}

uint32_t TableEntriesForCode(int32_t code) {
    switch (code) {
        case kMonochrome:
            return 2;
        case kColors16:
            return 16;
        case kColors256:
            return 256;
        default:
            return 0;
    }
}

const char* DepthName(int32_t code) {
    switch (code) {
        case kMonochrome:
            return "Monochrome";
        case kColors16:
            return "16 color";
        case kColors256:
            return "256 color";
        default:
            return "high color";
    }
}

uint32_t HeaderTableLength(uint32_t clrUsed, uint16_t* bitCount) {
    if (clrUsed != 0) return clrUsed;
    switch (*bitCount) {
        case 1:
            return 2;
        case 4:
            return 16;
        case 8:
            return 256;
        default:
            *bitCount = 24;
            return 0;
    }
}

size_t XorStride(int32_t width, int bitsPerPixel) {
    assert(width >= 0);
    return ((static_cast<size_t>(width) * static_cast<size_t>(bitsPerPixel) + 31) / 32) * 4;
}

size_t XorSize(int32_t width, int32_t height, int32_t code) {
    assert(height >= 0);
    return static_cast<size_t>(height) * XorStride(width, BitsForCode(code));
}

size_t AndStride(int32_t width) {
    assert(width >= 0);
    return ((static_cast<size_t>(width) + 31) / 32) * 4;
}

size_t AndSize(int32_t width, int32_t height) {
    assert(height >= 0);
    return static_cast<size_t>(height) * AndStride(width);
}

size_t BlockSize(int32_t width, int32_t height, int32_t code) {
    return kBitmapHeaderSize + 4 * static_cast<size_t>(TableEntriesForCode(code)) +
           XorSize(width, height, code) + AndSize(width, height);
}

BitmapInfoHeader BitmapInfoHeader::Load(const uint8_t* p) {
    BitmapInfoHeader h;
    h.size = LoadLE32(p);
    h.width = static_cast<int32_t>(LoadLE32(p + 4));
    h.height = static_cast<int32_t>(LoadLE32(p + 8));
    h.planes = LoadLE16(p + 12);
    h.bitCount = LoadLE16(p + 14);
    h.compression = LoadLE32(p + 16);
    h.sizeImage = LoadLE32(p + 20);
    h.xPelsPerMeter = static_cast<int32_t>(LoadLE32(p + 24));
    h.yPelsPerMeter = static_cast<int32_t>(LoadLE32(p + 28));
    h.clrUsed = LoadLE32(p + 32);
    h.clrImportant = LoadLE32(p + 36);
    return h;
}

void BitmapInfoHeader::Store(uint8_t* p) const {
    StoreLE32(p, size);
    StoreLE32(p + 4, static_cast<uint32_t>(width));
    StoreLE32(p + 8, static_cast<uint32_t>(height));
    StoreLE16(p + 12, planes);
    StoreLE16(p + 14, bitCount);
    StoreLE32(p + 16, compression);
    StoreLE32(p + 20, sizeImage);
    StoreLE32(p + 24, static_cast<uint32_t>(xPelsPerMeter));
    StoreLE32(p + 28, static_cast<uint32_t>(yPelsPerMeter));
    StoreLE32(p + 32, clrUsed);
    StoreLE32(p + 36, clrImportant);
}

IconImage IconImage::Clone() const {
    IconImage c;
    c.width = width;
    c.height = height;
    c.hotSpotX = hotSpotX;
    c.hotSpotY = hotSpotY;
    c.colorCode = colorCode;
    c.changed = changed;
    c.untouched = untouched;
    c.block = block;
    c.maskHeader = maskHeader;
    c.trueColorPalette = trueColorPalette;
    c.editorState = editorState;
    c.colorA = colorA;
    c.colorB = colorB;
    c.fileIndex = fileIndex;
    c.fileEntry = fileEntry;
    c.fileData = fileData;
    c.blockAsRead = blockAsRead;
    c.screenColor = screenColor;
    c.inverseColor = inverseColor;
    return c;
}

std::span<uint8_t> IconImage::HeaderBytes() {
    if (!HasBits()) return {};
    return std::span<uint8_t>(block).subspan(0, kBitmapHeaderSize);
}
std::span<const uint8_t> IconImage::HeaderBytes() const {
    if (!HasBits()) return {};
    return std::span<const uint8_t>(block).subspan(0, kBitmapHeaderSize);
}
std::span<uint8_t> IconImage::ColorTable() {
    if (!HasBits()) return {};
    return std::span<uint8_t>(block).subspan(kBitmapHeaderSize, TableBytes());
}
std::span<const uint8_t> IconImage::ColorTable() const {
    if (!HasBits()) return {};
    return std::span<const uint8_t>(block).subspan(kBitmapHeaderSize, TableBytes());
}
std::span<uint8_t> IconImage::XorBits() {
    if (!HasBits()) return {};
    return std::span<uint8_t>(block).subspan(kBitmapHeaderSize + TableBytes(), XorBytes());
}
std::span<const uint8_t> IconImage::XorBits() const {
    if (!HasBits()) return {};
    return std::span<const uint8_t>(block).subspan(kBitmapHeaderSize + TableBytes(), XorBytes());
}
std::span<uint8_t> IconImage::AndBits() {
    if (!HasBits()) return {};
    return std::span<uint8_t>(block).subspan(kBitmapHeaderSize + TableBytes() + XorBytes(),
                                             AndBytes());
}
std::span<const uint8_t> IconImage::AndBits() const {
    if (!HasBits()) return {};
    return std::span<const uint8_t>(block).subspan(kBitmapHeaderSize + TableBytes() + XorBytes(),
                                                   AndBytes());
}

uint32_t IconImage::TableColor(uint32_t i) const {
    std::span<const uint8_t> t = ColorTable();
    assert(4 * static_cast<size_t>(i) + 4 <= t.size());
    return SwapRedBlue(LoadLE32(t.data() + 4 * static_cast<size_t>(i)) & 0xFFFFFF);
}

void IconImage::SetTableColor(uint32_t i, uint32_t colorValue) {
    std::span<uint8_t> t = ColorTable();
    assert(4 * static_cast<size_t>(i) + 4 <= t.size());
    StoreLE32(t.data() + 4 * static_cast<size_t>(i), SwapRedBlue(colorValue & 0xFFFFFF));
}

uint32_t IconImage::XorValue(int32_t x, int32_t y) const {
    assert(x >= 0 && x < width && y >= 0 && y < height);
    const uint8_t* row = XorBits().data() + static_cast<size_t>(height - 1 - y) * XorRowBytes();
    switch (BitsPerPixel()) {
        case 1:
            return (row[x / 8] >> (7 - x % 8)) & 1;
        case 4:
            return (x % 2 == 0) ? (row[x / 2] >> 4) : (row[x / 2] & 0x0F);
        case 8:
            return row[x];
        default: {
            const uint8_t* p = row + 3 * static_cast<size_t>(x);
            // Stored blue, green, red; the value is 0x00BBGGRR.
            return (static_cast<uint32_t>(p[0]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[2];
        }
    }
}

bool IconImage::AndBit(int32_t x, int32_t y) const {
    assert(x >= 0 && x < width && y >= 0 && y < height);
    const uint8_t* row = AndBits().data() + static_cast<size_t>(height - 1 - y) * AndRowBytes();
    return ((row[x / 8] >> (7 - x % 8)) & 1) != 0;
}

void IconImage::SetXorValue(int32_t x, int32_t y, uint32_t value) {
    assert(x >= 0 && x < width && y >= 0 && y < height);
    uint8_t* row = XorBits().data() + static_cast<size_t>(height - 1 - y) * XorRowBytes();
    switch (BitsPerPixel()) {
        case 1: {
            uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
            row[x / 8] =
                static_cast<uint8_t>((value & 1) ? (row[x / 8] | bit) : (row[x / 8] & ~bit));
            break;
        }
        case 4: {
            uint8_t& b = row[x / 2];
            b = (x % 2 == 0) ? static_cast<uint8_t>((b & 0x0F) | ((value & 0x0F) << 4))
                             : static_cast<uint8_t>((b & 0xF0) | (value & 0x0F));
            break;
        }
        case 8:
            row[x] = static_cast<uint8_t>(value);
            break;
        default: {
            uint8_t* p = row + 3 * static_cast<size_t>(x);
            p[0] = static_cast<uint8_t>(value >> 16);
            p[1] = static_cast<uint8_t>(value >> 8);
            p[2] = static_cast<uint8_t>(value);
            break;
        }
    }
}

void IconImage::SetAndBit(int32_t x, int32_t y, bool set) {
    assert(x >= 0 && x < width && y >= 0 && y < height);
    uint8_t* row = AndBits().data() + static_cast<size_t>(height - 1 - y) * AndRowBytes();
    uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
    row[x / 8] = static_cast<uint8_t>(set ? (row[x / 8] | bit) : (row[x / 8] & ~bit));
}

bool IconImage::AllocateBlock() {
    assert(width > 0 && width <= kMaxImageSide && height > 0 && height <= kMaxImageSide);
    try {
        block.assign(BlockBytes(), 0);
    } catch (const std::bad_alloc&) {
        block.clear();
        return false;
    }
    BitmapInfoHeader h;
    h.width = width;
    h.height = height;
    h.bitCount = static_cast<uint16_t>(BitsPerPixel());
    h.sizeImage = static_cast<uint32_t>(XorBytes());
    h.clrUsed = IsPaletteBased(colorCode) ? static_cast<uint32_t>(colorCode) : 0;
    h.Store(block.data());
    BuildMaskHeader();
    return true;
}

void IconImage::BuildMaskHeader() {
    BitmapInfoHeader h;
    h.width = width;
    h.height = height;
    h.bitCount = 1;
    h.sizeImage = static_cast<uint32_t>(AndBytes());
    h.clrUsed = 2;
    maskHeader.fill(0);
    h.Store(maskHeader.data());
    // Black then white: a clear AND bit shows the colour, a set one the screen.
    StoreLE32(maskHeader.data() + kBitmapHeaderSize, 0x000000);
    StoreLE32(maskHeader.data() + kBitmapHeaderSize + 4, 0xFFFFFF);
}

void IconImage::FreeBits() {
    block.clear();
    block.shrink_to_fit();
    // Rebuilt, it is a new image: nothing of the file's is written for it any more.
    fileIndex = -1;
    fileData.clear();
    blockAsRead.clear();
    undo.reset();
    deviceBitmaps.reset();
    trueColorPalette.reset();
}

}  // namespace vt
