#pragma once
// The facts the "Icon Properties" dialog shows about the active image and the other image
// formats of the document: every text is built here, so the dialog only places them.

#include <string>
#include <vector>

#include "image/icon_resource.h"

namespace vt {

// At most this many other formats are listed; all of them count in the total.
constexpr size_t kPropertiesOtherSlots = 6;

struct IconPropertiesText {
    std::string name;                 // the title's file name without ".ico", or "untitled"
    std::string width;                // "%d"
    std::string height;               // "%d"
    std::string colorFormat;          // "%d bit, %d colors" or "%d bit, True Color"
    std::string colorsUsed;           // "%d"
    std::string imageSize;            // "1,234 bytes"
    std::string totalSize;            // the active and every other image
    std::vector<std::string> others;  // up to kPropertiesOtherSlots entries
};

// Distinct pixel values of the image; masked pixels count as one of two extra values (inverse
// when the pixel's colour is white, screen otherwise).
int CountColorsUsed(const IconImage& image);

// The number in decimal with the first character of `separator` between every group of three
// digits from the right (no separator when it is empty).
std::string WithThousands(unsigned long long number, const std::string& separator);

// An image kept unedited from the file (width, height) in an "Other Image Formats" slot.
inline constexpr const char* kKeptSlotText = "%dx%d, kept (not editable)";

// "%dx%d, %d colors" or "%dx%d, True Color".
std::string FormatSlotText(const IconImage& image);

// The document's name as the title shows it: the file name without a trailing ".ico" (any case),
// or "untitled".
std::string PropertiesName(const IconResource& doc);

// The texts for the document's active image; an empty result's fields stay empty when there is
// no active image.
IconPropertiesText DescribeIcon(const IconResource& doc, const std::string& documentName,
                                const std::string& separator);

}  // namespace vt
