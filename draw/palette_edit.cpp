#include "draw/palette_edit.h"

#include "draw/palette_layout.h"

namespace vt {

namespace {

int CountEntries(const IconImage& image, uint32_t colour) {
    int n = 0;
    for (uint32_t i = 0; i < image.TableEntries(); ++i)
        if (image.TableColor(i) == colour) ++n;
    return n;
}

// Masked pixels that held `from` now hold `to`.
void MoveMaskedPixels(IconImage& image, uint32_t from, uint32_t to) {
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.AndBit(x, y) && image.XorValue(x, y) == from) image.SetXorValue(x, y, to);
}

}  // namespace

ChannelInput ParseChannelText(const std::string& text, int current) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    const size_t digits = i;
    long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = value > 1000 ? value : value * 10 + (text[i] - '0');
    while (i < text.size() && text[i] == ' ') ++i;
    if (i == digits || i != text.size()) return {current, true};
    if (negative && value > 0) return {0, true};
    if (value > 255) return {255, true};
    return {static_cast<int>(value), false};
}

int CountPixelsUsing(const IconImage& image, uint32_t index) {
    if (!image.HasBits() || !IsPaletteBased(image.colorCode)) return 0;
    int n = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (!image.AndBit(x, y) && image.XorValue(x, y) == index) ++n;
    return n;
}

std::string EditColourRefusal(const IconImage& image, Ink ink, const char* needsEntryText) {
    if (ink.special) return kWellsFixedText;
    if (!IsPaletteBased(image.colorCode) || ink.value >= image.TableEntries()) return {};
    const uint32_t colour = image.TableColor(ink.value);
    if (colour == 0x000000 && CountEntries(image, 0x000000) == 1)
        return std::string(kLastBlackText) + needsEntryText;
    if (colour == 0xFFFFFF && CountEntries(image, 0xFFFFFF) == 1)
        return std::string(kLastWhiteText) + needsEntryText;
    return {};
}

void ReplacePaletteEntry(IconImage& image, ColorValues256& table, uint32_t index, uint32_t colour) {
    if (index >= 256) return;
    const bool palette = IsPaletteBased(image.colorCode);
    const int oldScreen = palette ? ScreenIndex(image, table) : -1;
    const int oldInverse = palette ? InverseIndex(image, table) : -1;
    table[index] = colour;
    if (!palette) {
        if (image.trueColorPalette) (*image.trueColorPalette)[index] = colour;
        return;
    }
    if (index >= image.TableEntries()) return;
    image.SetTableColor(index, colour);
    const int newScreen = ScreenIndex(image, table);
    const int newInverse = InverseIndex(image, table);
    if (oldScreen >= 0 && newScreen >= 0 && oldScreen != newScreen)
        MoveMaskedPixels(image, static_cast<uint32_t>(oldScreen), static_cast<uint32_t>(newScreen));
    if (oldInverse >= 0 && newInverse >= 0 && oldInverse != newInverse)
        MoveMaskedPixels(image, static_cast<uint32_t>(oldInverse), static_cast<uint32_t>(newInverse));
    if (newScreen >= 0) image.screenColor = static_cast<uint32_t>(newScreen);
    if (newInverse >= 0) image.inverseColor = static_cast<uint32_t>(newInverse);
}

}  // namespace vt
