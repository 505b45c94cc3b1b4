#pragma once
// The animated cursor file (RIFF form "ACON") at the level of bytes: its "anih" header, texts,
// per-step times and image references, and the 32 x 32 cursor images of its "icon" chunks. The
// animation model turns this into frames with their own IconImage; the reader and writer here never
// see an IconImage, so they can be checked and fuzzed on bytes alone.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/prompt.h"

namespace vt {

// The nine 32-bit fields of "anih", in file order.
struct AniHeader {
    uint32_t headerSize = 36;
    uint32_t imageCount = 1;
    uint32_t stepCount = 1;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitCount = 4;
    uint32_t planes = 1;
    uint32_t displayRate = 10;  // jiffies (1/60 s) for steps without their own "rate" entry
    uint32_t flags = kAniFlagIcon;

    static constexpr uint32_t kAniFlagIcon = 1;      // frames are cursor-file chunks
    static constexpr uint32_t kAniFlagSequence = 2;  // a "seq " chunk is present
};

inline constexpr size_t kAniHeaderSize = 36;
// The texts live in 80-byte fields.
inline constexpr size_t kAniTextMax = 80;
// An "icon" chunk is read through a buffer of this size; larger chunks are refused.
inline constexpr size_t kAniIconBuffer = 4096;
// More steps than this are refused: every step gets its own copy of its image, so the step count
// of a file decides how much memory the animation takes.
inline constexpr uint32_t kAniMaxSteps = 1024;
// Files larger than this cannot be an animation the reader accepts (steps, times and at most one
// 4096-byte image per step, with room for other chunks).
inline constexpr size_t kAniMaxFileSize = 16u << 20;
// Size of the directory in front of the image data of a one-image cursor file.
inline constexpr size_t kCursorDirectorySize = 22;

// One 32 x 32 cursor image as the animation holds it: the image block in the layout an IconImage
// keeps (header with the single-image height and the XOR size, full colour table, XOR bits, AND
// bits) and the hot spot.
struct AniImage {
    uint16_t hotX = 0;
    uint16_t hotY = 0;
    int colorCode = 16;  // 2, 16, 256 or 1024 (true colour)
    std::vector<uint8_t> block;
};

struct AniStep {
    int32_t time = 10;  // jiffies
    size_t image = 0;   // index into AniContents::images
};

struct AniContents {
    AniHeader header;
    std::string title;
    std::string author;
    std::vector<AniImage> images;  // only images some step uses, in order of reading
    std::vector<AniStep> steps;
    int colorCode = 16;         // depth of the last image read
    bool unusedImages = false;  // an "icon" chunk held more images than the one taken
};

enum class AniReadError {
    None,
    NotAni,     // no "RIFF" "ACON" at the start
    TooLarge,   // file above kAniMaxFileSize
    Truncated,  // a known chunk or a list's contents run past the end of their parent
    BadHeader,  // "anih" short, repeated, without flag bit 0, or with no images
    TooManySteps,
    EarlyArray,        // "rate", "seq " or "icon" before "anih"
    IconTooLarge,      // "icon" chunk above the 4096-byte buffer
    BadIcon,           // malformed cursor file in an "icon" chunk (refused without a message)
    NotThirtyTwo,      // the one image of an "icon" chunk is not 32 x 32 (message)
    ImageCountRange,   // more than 4 images in an "icon" chunk (message)
    UnsupportedColor,  // message
    DisplayColor,      // message
    ImageTooLarge,     // message
    NoSteps,
    StepWithoutImage,  // a step's sequence entry names no image of the file
};

struct AniReadResult {
    AniReadError error = AniReadError::None;
    // What the user is told about the refusal itself, before "Could not open the requested file."
    std::optional<PromptMessage> message;
    bool ok() const { return error == AniReadError::None; }
};

// Parses a whole file. `displayColors` is the display's colour capability (2, 16, 256 or 1024):
// 256-colour and true-colour frames are refused on a display of 256 colours or fewer.
AniReadResult ParseAni(std::span<const uint8_t> file, int displayColors, AniContents* out);

// The texts of the open path, shown by the caller.
extern const char kAniOpenFailedText[];    // "Could not open the requested file."
extern const char kAniUnusedImagesText[];  // the note about ignored images in an "icon" chunk

// What the writer needs of one step.
struct AniFrameImage {
    int32_t time = 10;
    uint16_t hotX = 0;
    uint16_t hotY = 0;
    std::span<const uint8_t> block;  // image block as AniImage::block
};

// The one-image cursor file of an image block: directory, then the block with the height doubled
// and the AND size added to the image size. Empty when the block's header is unusable.
std::vector<uint8_t> BuildCursorFileImage(std::span<const uint8_t> block, uint16_t hotX,
                                          uint16_t hotY);

// Sum of all bytes, as the writer uses it to find identical images quickly.
uint32_t ByteChecksum(std::span<const uint8_t> bytes);

// The images a file of these steps would hold: for each step the index of its image in the file,
// given in order of first use, identical pictures (same hot spot and bytes) sharing one index.
struct AniImagePlan {
    std::vector<uint32_t> stepImage;                // per step
    std::vector<size_t> firstStep;                  // per file image: the step whose picture it is
    std::vector<std::vector<uint8_t>> cursorFiles;  // per file image: the "icon" chunk data
};
AniImagePlan PlanAniImages(std::span<const AniFrameImage> steps);

// The bytes of the whole file. Width, height, bit count, planes and default rate come from
// `header`; image count, step count and flags are computed. Empty when there are no steps or a
// step's image block is unusable.
std::vector<uint8_t> BuildAni(const AniHeader& header, std::string_view title,
                              std::string_view author, std::span<const AniFrameImage> steps);

}  // namespace vt
