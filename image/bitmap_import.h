#pragma once
// "Open Bitmap As Image..." / "As Frame...": the picture of a .bmp file replaces an image, shrunk to fit,
// reduced to the image's colours, centred, with everything around it transparent.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "image/icon_resource.h"
#include "image/palette_state.h"

namespace vt {

extern const char* const kReduceColoursFailedText;

enum class ImportResult {
    Imported,
    Unreadable,    // not a bitmap we can read: nothing changed, nothing said
    ReduceFailed,  // the quantizer failed: warned, nothing changed
};

// Fills `target` with the bitmap in `file` (the Animator's "Open Bitmap As Frame...": the selected
// frame). For a 256-colour image the picture's table (the file's own, or the quantizer's when the
// file has none or was shrunk) becomes the image's table and the current palette, and the
// new-image palette counts as loaded with its screen index at the table's black entry. The image
// gets a fresh undo history (host.createUndoBuffer), so the import cannot be undone; marking it
// changed and refreshing views is the caller's.
ImportResult ImportBitmapInto(IconImage& target, ImageHost& host, PaletteState& palettes,
                              std::span<const uint8_t> file);

// Replaces the active image of `doc` the same way ("Open Bitmap As Image..."), then activates and
// commits it.
ImportResult ImportBitmap(IconResource& doc, ImageHost& host, PaletteState& palettes,
                          std::span<const uint8_t> file);

// Reads a bitmap file for the import, up to the largest picture the reader accepts.
bool ReadBitmapFile(const std::string& path, std::vector<uint8_t>* bytes);

// ImportBitmap for a file: one that cannot be opened or read is Unreadable.
ImportResult ImportBitmapFile(IconResource& doc, ImageHost& host, PaletteState& palettes,
                              const std::string& path);

}  // namespace vt
