#pragma once
// Icon groups exactly as a file stores them, for the command line: every image of every group,
// PNG-compressed and large ones included, with the directory fields the group gives. The
// Librarian's workspace keeps its own limits; this reader keeps none but sanity caps, and names
// every image it could not take and why, so that nothing is left out silently.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "librarian/librarian_status.h"

namespace vt {

// No image block of a real icon comes near this; larger ones are refused unread.
constexpr uint64_t kMaxStoredBlock = 16u << 20;

enum class BlockKind { Dib, Png, Unknown };

// What an image block's own header says: enough to show it, or `readable` false.
struct BlockDescription {
    BlockKind kind = BlockKind::Unknown;
    bool readable = false;
    uint32_t width = 0;
    uint32_t height = 0;  // one image's height (half of a DIB's biHeight)
    uint32_t bitCount = 0;
};
BlockDescription DescribeBlock(std::span<const uint8_t> block);
// "32×32, 16 colors", "PNG 256×256", "unreadable header".
std::string BlockText(const BlockDescription& d);

struct StoredImage {
    // The first 8 bytes of the group's directory entry: width, height, colours, reserved, planes
    // and bit count (hot spot for cursors).
    uint8_t entry[8] = {};
    uint32_t declaredSize = 0;  // the entry's byte count
    uint16_t resourceId = 0;    // the image resource a group names; 0 in icon files
    uint64_t size = 0;          // bytes of the block as stored
    // Only with ReadDepth::Whole; with Headers the first bytes, enough for DescribeBlock.
    std::vector<uint8_t> bytes;
    BlockDescription description;
    std::string problem;  // why the image could not be taken; empty when it was
};

struct StoredGroup {
    bool named = false;
    uint32_t id = 0;    // integer ID in a program file or library; 0 in icon files
    std::string name;   // the whole name of a named group (untrusted bytes)
    uint16_t type = 1;  // 1 icon, 2 cursor (icon files only)
    std::vector<StoredImage> images;
    std::string problem;  // the directory itself was damaged (images that fit are still listed)
};

enum class ReadDepth { Headers, Whole };

// Reads every icon group of an icon or cursor file (one group), icon library or program file.
// NoIcons when it holds none; CannotOpen, NotRecognised, ReadError or Cascade when the file cannot
// be read at all. *kind receives the file's kind (kKindIconFile, kKindLibrary, kKindProgram or
// kKindUnknown).
LibStatus ReadStoredIcons(const std::string& path, ReadDepth depth, int* kind,
                          std::vector<StoredGroup>* out);

// The icon (or cursor) file of a group read whole: its images that were taken, in the group's
// order, each with the group's entry and its own size.
std::vector<uint8_t> BuildStoredIconFile(const StoredGroup& group);

}  // namespace vt
