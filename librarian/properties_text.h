#pragma once
// The texts of the Librarian's two properties dialogs, made from the workspace so that the dialogs
// only put them in their controls.

#include <string>
#include <vector>

#include "librarian/workspace.h"

namespace vt {

// Icon Properties: name, "Internal ID" (the resource name or number), up to ten formats ordered by
// width, height and colour code ("(none)" for an icon without images), and the total size of the
// images in bytes.
struct IconPropertiesText {
    std::string name;
    std::string internalId;
    std::vector<std::string> formats;
    std::string totalSize;  // "1,234 bytes"
};
IconPropertiesText MakeIconProperties(const Workspace& ws, size_t iconIndex,
                                      const std::string& thousands = ",");

// The bytes an image of this format takes: the header, its colour table, and its colour and mask
// rows, each row a whole number of 32-bit words.
uint64_t ImageBytes(uint32_t width, uint32_t height, uint32_t bitsPerPixel);

// File Properties: the file's title, its type, the counts, and up to ten distinct formats of the
// format entries in table order ("(none)" first when there is none).
struct FilePropertiesText {
    std::string name;
    std::string type;  // "New workspace", "Library" or "Program Library"
    std::string icons;
    std::string images;
    std::vector<std::string> formats;
};
FilePropertiesText MakeFileProperties(const Workspace& ws, const std::string& fileTitle,
                                      const std::string& thousands = ",");

}  // namespace vt
