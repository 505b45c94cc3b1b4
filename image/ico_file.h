#pragma once
// Icon (.ico) and cursor (.cur) files: a 6-byte header, 16-byte directory entries, then each
// image's block (the in-memory image block with biHeight doubled and biSizeImage = XOR + AND).

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "image/icon_resource.h"

namespace vt {

// Where an icon file's bytes come from: a file on disk, or bytes in memory (animation frames,
// exchange blocks, the fuzzer).
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Reads up to n bytes at offset into out; returns how many were read.
    virtual size_t ReadAt(uint64_t offset, uint8_t* out, size_t n) = 0;
};

class MemorySource : public ByteSource {
  public:
    explicit MemorySource(std::span<const uint8_t> data) : m_data(data) {}
    size_t ReadAt(uint64_t offset, uint8_t* out, size_t n) override;

  private:
    std::span<const uint8_t> m_data;
};

enum class IcoStatus {
    Ok,
    TooShort,       // fewer than 22 bytes: not even one directory entry
    InvalidHeader,  // reserved field not 0, or a type other than icon and cursor
    NoEntries,      // count 0
    ReadFailed,     // an image's data lies beyond the end of the file
    NoUsableImage,  // no entry held an image this model can take
    OutOfMemory,
};

// At most this many directory entries are used; the rest of a larger directory is ignored.
constexpr size_t kMaxIcoEntries = 256;
// The Studio edits images up to this size; larger ones are kept as the file holds them.
constexpr int32_t kMaxEditSide = 64;
// Caps on what is kept of images that are written back unchanged, so that a hostile directory
// cannot make the reader hold more than this however often its entries point at the same bytes.
constexpr size_t kMaxKeptImageBytes = size_t{4} << 20;
constexpr size_t kMaxKeptTotalBytes = size_t{64} << 20;

// Reads an icon or cursor file into `out` (which should be empty): its resource type, its images
// (first wins for a repeated format) and, for cursors, their hot spots. Entries that cannot be
// edited (PNG-compressed, larger than kMaxEditSide, a repeated format, a bitmap this model cannot
// hold) become out.keptImages, and every editable image remembers the bytes it was read from. No
// messages are shown; the host only sees image creation (undo buffers, device bitmaps).
IcoStatus DecodeIcoFile(ByteSource& source, IconResource& out, ImageHost& host);

// Takes one image's file data (as found at an entry's offset) into the in-memory block layout:
// one-image height, full colour table, 16- and 32-bit pixels converted to 24 bits. Empty when
// the data is not an image this model can hold.
std::vector<uint8_t> NormaliseFileImage(std::span<const uint8_t> data);

inline constexpr const char* kInvalidIcoText = "The file \"%s\" is not a valid ICO file!";
inline constexpr const char* kKeptImagesText =
    "This file includes images that the Studio cannot edit.  They are kept as they are and are "
    "saved with the file unchanged:\n";
// kKeptImagesText followed by one line per kept image.
std::string KeptImagesText(const IconResource& doc);

// The Studio's Open of an icon or cursor file. On success the document holds the file's images,
// its type and path, unmodified; the caller then shows the format list. When some images are kept
// but cannot be edited, the user is told which, once. On failure the document is left exactly as
// it was and the reason was reported where the user needs to know.
bool ReadIconFile(IconResource& doc, const std::string& path, ImageHost& host);

// The file form of a document: its images that have bits and were drawn on, and its kept images.
// Images read from a file keep their place in its directory; an image made here goes after the
// last one that sorts before it (width, height, colour code), so a document that never came from
// a file is written in array order. A kept image, and an image whose bits are as they were read,
// is written back byte for byte with the first 8 bytes of its old entry (a cursor's hot spot is
// the image's). False when the file format cannot hold them (more than 65535 images or 4 GiB).
bool EncodeIcoFile(const IconResource& doc, std::vector<uint8_t>* out);

// Save and Save As to `target` (the caller's dialog chose it). The file is written under a
// temporary name with the Studio's prefix and put in place only when complete; on failure the
// target and the document are as they were.
bool WriteIconFile(IconResource& doc, const std::string& target);

}  // namespace vt
