#pragma once
// The palette window's cells for each colour depth of the active image, what a click on a cell
// chooses, and the colour blend strip. The window paints and hit-tests through these, so the
// cell order the user sees is decided here once.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "draw/grid_geometry.h"
#include "draw/ink.h"
#include "image/icon_image.h"

namespace vt {

enum class PaletteCellKind { Entry, ScreenWell, InverseWell, LeftBlendWell, RightBlendWell, BlendStrip };

struct PaletteCell {
    PaletteCellKind kind = PaletteCellKind::Entry;
    int value = 0;  // palette index for Entry, strip position 0..11 for BlendStrip
    GridRect rect;
    friend bool operator==(const PaletteCell&, const PaletteCell&) = default;
};

inline constexpr int kBlendStripCells = 12;

// Every cell of the window for an image of `code`, in the order the user reads them. The blend
// wells and strip exist for 256-colour and true-colour images only.
std::vector<PaletteCell> PaletteCells(int32_t code);
// The window's client size for the depth.
GridRect PaletteArea(int32_t code);
// The caption "Color Blend" sits here, above the wells (256-colour and true colour).
GridRect BlendCaptionRect();
int BlendSeparatorY();
std::optional<PaletteCell> PaletteCellAt(int32_t code, int x, int y);

// The strip between two well colours (0x00BBGGRR): entry 0 and 11 are the wells, entry k in
// between takes c0 - trunc(k * (c0 - c11) / 12) per channel, so it stops short of the right well.
std::array<uint32_t, kBlendStripCells> BlendStrip(uint32_t left, uint32_t right);

// The display table the window shows: the image's colour table as colour values, or its
// true-colour palette.
ColorValues256 PaletteDisplayTable(const IconImage& image);
// First black and first white entry of the display table for 256-colour and true-colour images;
// -1 when missing. For 2 and 16 colours the fixed special values.
int ScreenIndex(const IconImage& image, const ColorValues256& table);
int InverseIndex(const IconImage& image, const ColorValues256& table);

// The cell that shows `ink` in the window of a palette-based image (an entry, or the screen or
// inverse well for a special ink); none for true colour, whose colours have no cell of their own.
std::optional<PaletteCell> PaletteCellOfInk(const IconImage& image, Ink ink);

// What a click on a grid cell or special well gives as an ink, or the warning shown instead.
struct InkChoice {
    std::optional<Ink> ink;
    std::string warning;  // non-empty: shown with an information icon, the ink is unchanged
};
InkChoice InkForCell(const IconImage& image, const ColorValues256& table, const PaletteCell& cell);

inline constexpr const char* kNoBlackWarning =
    "WARNING!\nThe color palette does not include the color black.\n\nUse of the 'screen' color will "
    "be unpredictable until a true black entry (0,0,0) has been defined in the color palette.";
inline constexpr const char* kNoWhiteWarning =
    "WARNING!\nThe color palette does not include the color white.\n\nUse of the 'inverse' color "
    "will be unpredictable until a true white entry (255,255,255) has been defined in the color "
    "palette.";
inline constexpr const char* kNoBlendSpecialText =
    "Transparent and inverse inks cannot be blended with colors.";
inline constexpr const char* kWellsFixedText =
    "The Screen and Inverse Screen ink wells cannot be changed to another ink color.";

}  // namespace vt
