#pragma once
// One icon or cursor document: an ordered set of image formats with the active one, the format
// being edited, and the file it came from.

#include <cstdint>
#include <string>
#include <vector>

#include "image/icon_image.h"

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

struct IconResource {
    int resourceType = kIconResource;
    // Kept sorted by width, height and colour code (SortImages).
    std::vector<IconImage> images;
    // Position of the active image in `images`, or -1 for none.
    int activeIndex = -1;
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
    const IconImage* ActiveImage() const {
        return const_cast<IconResource*>(this)->ActiveImage();
    }
    bool IsCursor() const { return resourceType == kCursorResource; }
};

}  // namespace vt
