#include "image/palette_state.h"

#include "common/prompt.h"
#include "image/colour_convert.h"
#include "image/palette_file.h"

namespace vt {

void PaletteState::Start(const std::string& programFolder) {
    defaultPath = Format("%s\\default.pal", programFolder.c_str());
    palettePath = defaultPath;
}

void PaletteState::NewDocument() {
    newImageLoaded = false;
    palettePath = defaultPath;
}

bool PaletteState::Load(const std::string& path) {
    ColorValues256 read{};
    if (!ReadPaletteFile(path, &read)) return false;
    newImage = read;
    current = read;
    palettePath = path;
    ++fileReads;
    return true;
}

bool PaletteState::Save(const std::string& path, const std::string& prefix) {
    if (!WritePaletteFile(path, current, prefix)) return false;
    palettePath = path;
    return true;
}

bool PaletteState::PaletteForNewImage(int32_t code, ColorValues256& out) {
    bool ok = true;
    if (code != kColors256 || !newImageLoaded) {
        ColorValues256 read{};
        ok = ReadPaletteFile(palettePath, &read);
        if (ok) {
            newImage = read;
            ++fileReads;
        }
        newImageLoaded = ok;
    }
    out = newImage;
    return ok;
}

bool OpenPaletteFile(IconResource& doc, ImageHost& host, PaletteState& palettes,
                     const std::string& path) {
    if (!palettes.Load(path)) return false;
    IconImage* img = doc.ActiveImage();
    if (img && img->HasBits() && img->colorCode == kColors256)
        palettes.newImageScreenIndex = RemapToPalette(doc, host, palettes.current);
    else if (img && img->colorCode == kTrueColor)
        img->trueColorPalette = palettes.current;  // what the palette window shows for it
    return true;
}

}  // namespace vt
