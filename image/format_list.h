#pragma once
// The "Image Format" list of the frame window: which images the display can show, their texts,
// and which one is shown after a file is opened or the format set changed.

#include <cstdint>
#include <string>
#include <vector>

#include "image/display_colors.h"
#include "image/icon_resource.h"

namespace vt {

// The screen's colour capability as a colour-count code, from its bits per pixel x planes.
int32_t DisplayColorCode(uint32_t bitsTimesPlanes);
// "%dx%d, True Color" or "%dx%d, %d colors".
std::string FormatListText(const IconImage& img);

struct FormatListItem {
    std::string text;
    int position = 0;  // 1-based position of the image in the document
};

struct FormatList {
    std::vector<FormatListItem> items;
    bool anyHidden = false;
    // Why the list is empty although the document holds images; the list box shows it in place
    // of the formats, so that the user sees why nothing is being edited.
    std::string emptyReason;
};

// Sorts the images and lists those the display can show. Images without bits are not listed.
FormatList BuildFormatList(IconResource& doc, int32_t display);
// The list entry to show: with keepCurrent, the last one like the active format (same size and
// colours, else same colours, else the last); otherwise the one with the most colours, then the
// widest, then the tallest, scanning in list order. -1 for an empty list.
int ChooseListItem(const IconResource& doc, const FormatList& list, bool keepCurrent);

inline constexpr const char* kSomeFormatsHiddenText =
    "This file includes images in color formats not supported by the current color settings of "
    "your video display.";
inline constexpr const char* kNoFormatShownNote = "No image suits the colors of this display.";
inline constexpr const char* kNoFormatShownText =
    "This file does not include any images with color formats supported by the current color "
    "settings of your video display.";

// The whole step after loading or changing the format set: builds the list, warns about hidden
// formats, makes the chosen image the active format and switches to it. Fails (no active image)
// when nothing can be shown; the document keeps every image, so that it can still be saved as
// it was, and the list says why it is empty. `list` receives what the list box shows.
bool ShowFormatList(IconResource& doc, int32_t display, bool keepCurrent, ImageHost& host,
                    FormatList* list);

}  // namespace vt
