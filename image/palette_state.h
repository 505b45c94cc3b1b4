#pragma once
// The editors' palettes: the current palette the palette window shows, the palette new images
// take their colours from, and which palette file each of them came from.

#include <cstdint>
#include <string>

#include "image/icon_image.h"

namespace vt {

struct PaletteState {
    ColorValues256 current{};
    ColorValues256 newImage{};
    // The new-image palette holds data. Cleared when a new document starts.
    bool newImageLoaded = false;
    // The screen (black) index that new 256-colour images start from.
    uint32_t newImageScreenIndex = 0;
    // The file loading without asking reads: the default path at start-up and after each new
    // document, afterwards the palette file last opened or saved.
    std::string palettePath;
    std::string defaultPath;
    // How many palette files have been read into the palettes, by the user or for new images;
    // views that keep colours of their own (the blend strip) start over when it changes.
    unsigned fileReads = 0;

    // Fixes the default path from the program's folder.
    void Start(const std::string& programFolder);
    void NewDocument();

    // Reads a palette file into the new-image palette and copies it into the current palette.
    // On failure nothing changes.
    bool Load(const std::string& path);
    // Writes the current palette; on success the file becomes the palette path.
    bool Save(const std::string& path, const std::string& prefix);

    // The new-image palette for a new image of `code`, as ImageHost::newImagePalette wants it: a
    // 256-colour image reads the palette file only while nothing is loaded, a true-colour image
    // always reads it. Returns false when the file could not be read (out keeps the palette as it
    // was).
    bool PaletteForNewImage(int32_t code, ColorValues256& out);
};

struct IconResource;
struct ImageHost;

// "Open Color Palette...": loads the chosen file into both palettes and, for a 256-colour active
// image, re-maps the image onto it; the re-mapped screen index becomes the one for new images. A
// true-colour active image takes the palette as its own.
// Returns false, changing nothing, when the file cannot be read as a palette.
bool OpenPaletteFile(IconResource& doc, ImageHost& host, PaletteState& palettes,
                     const std::string& path);

}  // namespace vt
