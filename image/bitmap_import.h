#pragma once
// "Open Bitmap As Image...": the picture of a .bmp file replaces the active image, shrunk to fit,
// reduced to the image's colours, centred, with everything around it transparent.

#include <cstdint>
#include <span>
#include <string>

#include "image/icon_resource.h"
#include "image/palette_state.h"

namespace vt {

extern const char* const kReduceColoursFailedText;

enum class ImportResult {
    Imported,
    Unreadable,    // not a bitmap we can read: nothing changed, nothing said
    ReduceFailed,  // the quantizer failed: warned, nothing changed
};

// Replaces the active image with the bitmap in `file`. For a 256-colour image the picture's table
// (the file's own, or the quantizer's when the file has none or was shrunk) becomes the image's
// table and the current palette, and the new-image palette counts as loaded with its screen index
// at the table's black entry. The image gets a fresh undo history, so the import cannot be undone.
ImportResult ImportBitmap(IconResource& doc, ImageHost& host, PaletteState& palettes,
                          std::span<const uint8_t> file);

// The same for a file: one that cannot be opened or read is Unreadable.
ImportResult ImportBitmapFile(IconResource& doc, ImageHost& host, PaletteState& palettes,
                              const std::string& path);

}  // namespace vt
