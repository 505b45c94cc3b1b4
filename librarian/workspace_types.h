#pragma once
// The records of a Librarian workspace. Field order follows the design; the widths are binding,
// because the format entry doubles as an icon group directory entry and the counts and sizes travel
// in files and exchange blocks with exactly these widths.

#include <cstddef>
#include <cstdint>

namespace vt {

// File kinds: what a file is decides both how it is read and how it is saved. The numbers are shown
// to the user in "Unknown file type (%d).".
constexpr int kKindUnknown = 0;
constexpr int kKindIconFile = 506;
constexpr int kKindLibrary = 507;
constexpr int kKindProgram = 508;

// Window modes of a workspace.
constexpr int kModeSingleIconFile = 0;
constexpr int kModeLibrary = 1;
constexpr int kModeProgram = 2;

// Views of the icon window.
constexpr int kViewSpecific = 1;
constexpr int kViewRaw = 2;
constexpr int kViewDesktop = 3;
constexpr int kViewWindows = 4;

// Every image that is read, checked and copied passes through one buffer of this size; larger
// blocks are left out rather than overrunning it.
constexpr size_t kImageBufferSize = 17408;

constexpr size_t kResourceNameChars = 16;  // 15 characters and a terminator
constexpr size_t kDisplayNameChars = 52;   // 50 characters, a terminator and a spare byte
constexpr size_t kMaxDisplayName = 50;
constexpr const char* kUntitledName = "(untitled)";

struct IconEntry {
    int32_t x = 0;
    int32_t y = 0;
    int32_t cellWidth = 0;
    int32_t cellHeight = 0;
    uint32_t previous =
        0;              // 1-based index of the icon before this one in display order, 0 at the head
    uint32_t next = 0;  // 1-based index of the icon after this one, 0 at the tail
    uint8_t labelExtent = 0;
    uint8_t imageCount = 0;
    uint32_t serial = 0;
    uint32_t resourceId = 0;  // 0 when the icon had a name in its source
    char resourceName[kResourceNameChars] = {};
    char displayName[kDisplayNameChars] = {};
};

// The first 14 bytes are an icon group directory entry (the image number stands where an icon
// file keeps its 32-bit offset).
struct FormatEntry {
    uint8_t width = 0;
    uint8_t height = 0;
    uint8_t colorCount = 0;
    uint8_t reserved = 0;
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    uint32_t bytesInResource = 0;
    uint16_t imageNumber = 0;  // 1-based index into the image table
    uint16_t owner = 0;        // serial of the owning icon; top bit set while not yet linked
};
static_assert(offsetof(FormatEntry, imageNumber) == 12 && sizeof(FormatEntry) == 16);

constexpr uint16_t kUnlinkedOwner = 0x8000;
constexpr size_t kGroupEntrySize = 14;
constexpr size_t kIconDirEntrySize = 16;

struct ImageEntry {
    uint32_t workspaceOffset = 0;
    uint32_t sourceOffset =
        0;  // 0 for images made in the workspace: they have no place in a source
    uint16_t size = 0;
    uint16_t resourceId = 0;  // the source's ID while reading, the image number once linked
    uint16_t width = 0;
    uint16_t height = 0;  // half of biHeight
    uint16_t colorCode = 0;
    uint16_t pending =
        0;  // while reading: waits for linking; in program-file mode: changed since the save
};

struct FormatTally {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t colorCode = 0;
    uint32_t count = 0;
};

// A colour code from a bitmap header's planes × bit count: 1 → 2, 4 → 16, 8 → 256, else true
// colour.
constexpr uint16_t ColorCodeFromBits(uint32_t bits) {
    return bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 1024;
}

}  // namespace vt
