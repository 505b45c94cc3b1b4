#pragma once
// The decisions behind the New Image Format dialog, Remove Image Format and choosing a format from
// the list. The dialogs are the shell's; these say what happens when the user confirms.

#include <cstdint>

#include "image/format_list.h"
#include "image/icon_resource.h"

namespace vt {

// The dialog's initial state for the document and the display.
struct NewFormatDialogState {
    int32_t colorCode = kColors16;    // the checked depth
    bool deepDepthsEnabled = false;   // "&256 Color" and "&True Color"
    bool sizeControlsEnabled = true;  // false for cursors: their images stay 32 x 32
    bool beginFromCurrent = false;
};
NewFormatDialogState InitialNewFormatState(const IconResource& doc, int32_t display);

enum class NewFormatOutcome {
    StayOpen,  // refused or declined: the dialog stays open for another choice
    Done,      // the new format is active
    Failed,    // creating the image failed (reported); the dialog closes
};

// The size chosen in the dialog's Custom fields, kept to the up-down range.
int32_t ClampCustomSide(uint32_t typed);

// OK in New Image Format. Refuses the active format when the new image would begin from it, asks
// before replacing a format the document has, keeps a 256-colour or true-colour palette for new
// 256-colour images, and switches to the new format.
NewFormatOutcome ApplyNewImageFormat(IconResource& doc, ImageFormat format, bool beginFromCurrent,
                                     ImageHost& host);

inline constexpr const char* kSameImageText =
    "Cannot replace an icon image with the same image.\n\nPlease un-check the 'Begin New Image "
    "using Current Image' box or select another Size and Color Depth for the new image.";
inline constexpr const char* kReplaceImageText =
    "This icon already contains a %d x %d, %s image.\n\nDo you want to replace the existing image "
    "with a new one?";
inline constexpr const char* kOnlyImageText =
    "Cannot remove the only image in an icon.\n\nYou must add another image format before "
    "removing the current one.";
inline constexpr const char* kRemoveImageText =
    "Do you want to remove the %s image format from the current icon?";

// Remove Image Format for the active image. Returns true when an image was removed; the caller
// then shows the list again keeping the current format.
bool RemoveActiveImage(IconResource& doc, ImageHost& host);

// Choosing an entry of the Image Format list (its 1-based image position).
bool SelectListedImage(IconResource& doc, int position, ImageHost& host);

}  // namespace vt
