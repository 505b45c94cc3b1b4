#pragma once
// One icon or cursor document: an ordered set of image formats with the active one, the format
// being edited, and the file it came from.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "image/icon_image.h"
#include "image/image_host.h"

namespace vt {

enum ResourceType : int { kIconResource = 1, kCursorResource = 2, kGifResource = 3 };
// The 1-based index of the file dialog's type list.
enum FileType : int { kIconFile = 1, kCursorFile = 2, kGifFile = 3, kInterlacedGifFile = 4 };

struct ImageFormat {
    int32_t width = 32;
    int32_t height = 32;
    int32_t colorCode = kColors16;
    bool operator==(const ImageFormat&) const = default;
};

// Which of the commands that the document decides are available; the shell mirrors them into
// menus and toolbars.
struct DocumentCommands {
    bool newImageFormat = true;
    bool setHotSpot = false;
    bool save = false;
};

// An image of an opened file that the Studio cannot edit: PNG-compressed, larger than it edits,
// a second image of a format it already has, or a bitmap it cannot read. Nothing the user did not
// change may be lost on save, so it is kept as the file held it and written back in its place.
struct KeptImage {
    int fileIndex = 0;                   // its place in the file's directory
    std::array<uint8_t, 8> fileEntry{};  // the first 8 bytes of its directory entry
    std::vector<uint8_t> data;
    int32_t width = 0;  // as far as can be told: from the bitmap or PNG header, else the entry
    int32_t height = 0;
    int32_t colorCode = kTrueColor;
    std::string description;  // e.g. "256x256, PNG compressed"
};

struct IconResource {
    int resourceType = kIconResource;
    // Kept sorted by width, height and colour code (SortImages).
    std::vector<IconImage> images;
    // Position of the active image in `images`, or -1 for none.
    int activeIndex = -1;
    // The images of the opened file that cannot be edited, in directory order.
    std::vector<KeptImage> keptImages;
    ImageFormat activeFormat;
    bool modified = false;
    bool untitled = true;
    std::string path;
    int fileType = kIconFile;
    DocumentCommands commands;

    IconImage* ActiveImage() {
        return activeIndex >= 0 && activeIndex < static_cast<int>(images.size())
                   ? &images[static_cast<size_t>(activeIndex)]
                   : nullptr;
    }
    const IconImage* ActiveImage() const { return const_cast<IconResource*>(this)->ActiveImage(); }
    bool IsCursor() const { return resourceType == kCursorResource; }
};

// Makes the image of a format active, creating it when the document lacks it. With a file image
// (header with the one-image height, full colour table, XOR and AND bits: at least the block size
// of its format) the format and bits come from it, and a format already present keeps its first
// image. Without one, the active format is used and a new image starts blank and fully
// transparent; with beginFromCurrent it is then filled from the previously active image.
bool FindOrCreateImage(IconResource& doc, const uint8_t* fileImage, size_t fileImageSize,
                       ImageHost& host, bool beginFromCurrent = false);
// 1-based position of the image of exactly this format, or 0.
int FindImage(const IconResource& doc, int32_t width, int32_t height, int32_t code);
// Stable, by width, then height, then colour code; the active image stays the active image.
void SortImages(IconResource& doc);
// Makes the active image's colours current: screen and inverse colours, colours A and B.
void ActivateImage(IconResource& doc, ImageHost& host);
// Leaves the active image (keeping its editor state), finds or creates the image of the active
// format, makes it active and activates it.
bool SwitchToFormat(IconResource& doc, ImageHost& host, bool beginFromCurrent);
// Frees all images; a fresh document of `type` with one blank image of the active format.
bool NewResource(IconResource& doc, int type, ImageHost& host);
void FreeAllImages(IconResource& doc);
// After every committed edit of the active image.
void CommitImageBits(IconResource& doc, ImageHost& host);

// Asks whether to save unsaved changes before they would be lost. Returns false when the user
// cancels (or the save he asked for fails); `save` performs the save.
bool ConfirmDiscardChanges(IconResource& doc, ImageHost& host, const std::function<bool()>& save);

inline constexpr const char* kSaveChangesText =
    "Current image has been changed.\n\nSave changes before continuing?";

}  // namespace vt
