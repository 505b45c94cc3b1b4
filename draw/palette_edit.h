#pragma once
// Changing one entry of the palette the palette window shows: the question before recolouring
// pixels, the refusals for the special wells and the last black or white entry, and keeping the
// screen and inverse entries meaningful afterwards.

#include <cstdint>
#include <string>

#include "draw/ink.h"
#include "image/icon_image.h"

namespace vt {

// Opaque pixels (AND bit 0) of a palette-based image that hold entry `index`.
int CountPixelsUsing(const IconImage& image, uint32_t index);

// The second part of the refusals for the last black or white entry: what needs the entry. The
// Studio speaks of an icon, the Animator of a cursor image.
inline constexpr const char* kIconNeedsEntryText =
    "  An icon requires at least one entry of this value.\n\nPlease select another entry to edit.";
inline constexpr const char* kCursorImageNeedsEntryText =
    "  A cursor image requires at least one entry of this value.\n\nPlease select another entry "
    "to edit.";

// Why the entry behind `ink` may not be edited, or empty when it may: special inks are refused,
// and so is the only black (screen) or only white (inverse) entry of a palette-based image, with
// kLastBlackText or kLastWhiteText followed by needsEntryText.
std::string EditColourRefusal(const IconImage& image, Ink ink,
                              const char* needsEntryText = kIconNeedsEntryText);

// Stores `colour` (0x00BBGGRR) at `index` of the display table and, for palette-based images, of
// the image's colour table. When the screen or inverse entry stops being black or white, the
// first remaining black or white entry takes over and the masked pixels move to it, so
// transparent and inverse pixels keep their meaning; a new black or white entry becomes the
// screen or inverse entry when there was none.
void ReplacePaletteEntry(IconImage& image, ColorValues256& table, uint32_t index, uint32_t colour);

// A colour channel typed into the "Blend Color" dialog: a number is kept to 0..255, anything else
// restores the current value; `beep` says the text was refused or clamped.
struct ChannelInput {
    int value = 0;
    bool beep = false;
};
ChannelInput ParseChannelText(const std::string& text, int current);

inline constexpr const char* kReplaceUsedColourText =
    "The color you have selected to replace is used by %d pixels in the image.  Replacing this "
    "color in the palette will change the pixels to the new color.\n\nDo you want to continue?";
inline constexpr const char* kLastBlackText = "This is the last black entry in the color palette.";
inline constexpr const char* kLastWhiteText = "This is the last white entry in the color palette.";

}  // namespace vt
