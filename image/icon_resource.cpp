#include "image/icon_resource.h"

#include <cassert>
#include <cstring>
#include <new>

#include "common/byte_reader.h"
#include "common/save_question.h"

namespace vt {

namespace {

// The 16-colour table of a new image, as little-endian table entries (0x00RRGGBB).
constexpr uint32_t kDefault16[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                     0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                     0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

constexpr const char* kPaletteFileWarning =
    "An error occurred while attempting to access the color palette file,\n\"default.pal\".";
constexpr const char* kNoBlackWarning =
    "WARNING!\nThe color palette does not include the color black.\n\nUse of the 'screen' color "
    "will be unpredictable until a true black entry (0,0,0) has been defined in the color "
    "palette.";
constexpr const char* kNoWhiteWarning =
    "WARNING!\nThe color palette does not include the color white.\n\nUse of the 'inverse' color "
    "will be unpredictable until a true white entry (255,255,255) has been defined in the color "
    "palette.";

bool ValidSize(const ImageFormat& f) {
    return f.width > 0 && f.width <= kMaxImageSide && f.height > 0 && f.height <= kMaxImageSide;
}

// The palette a new 256-colour or true-colour image takes; warns when it could not be read.
ColorValues256 NewImagePalette(int32_t code, ImageHost& host) {
    ColorValues256 palette{};
    bool loaded = host.newImagePalette && host.newImagePalette(code, palette);
    if (!loaded) host.Tell(kPaletteFileWarning, PromptIcon::Exclamation);
    return palette;
}

// A blank image: default colours, every pixel the black fill value, every AND bit set.
void FillBlank(IconImage& img, ImageHost& host) {
    img.untouched = true;
    uint32_t fill = 0;
    switch (img.colorCode) {
        case kMonochrome:
            img.SetTableColor(0, 0x000000);
            img.SetTableColor(1, 0xFFFFFF);
            break;
        case kColors16:
            for (uint32_t i = 0; i < 16; ++i)
                StoreLE32(img.ColorTable().data() + 4 * i, kDefault16[i]);
            break;
        case kColors256: {
            ColorValues256 palette = NewImagePalette(img.colorCode, host);
            for (uint32_t i = 0; i < 256; ++i) {
                img.SetTableColor(i, palette[i]);
                if ((palette[i] & 0xFFFFFF) == 0) fill = i;
            }
            break;
        }
        default:
            img.trueColorPalette = NewImagePalette(img.colorCode, host);
            break;
    }
    for (int32_t y = 0; y < img.height; ++y)
        for (int32_t x = 0; x < img.width; ++x) img.SetXorValue(x, y, fill);
    std::span<uint8_t> mask = img.AndBits();
    std::memset(mask.data(), 0xFF, mask.size());
}

// A true-colour image filled from another takes that image's colours as its palette when it had
// a table, and a fresh copy of the palette otherwise.
void PaletteAfterConversion(const IconImage& from, IconImage& to, ImageHost& host) {
    if (IsPaletteBased(to.colorCode)) return;
    if (from.colorCode == kColors256) {
        ColorValues256 p{};
        for (uint32_t i = 0; i < 256; ++i) p[i] = from.TableColor(i);
        to.trueColorPalette = p;
    } else if (!IsPaletteBased(from.colorCode)) {
        to.trueColorPalette = NewImagePalette(to.colorCode, host);
    }
}

}  // namespace

bool FindOrCreateImage(IconResource& doc, const uint8_t* fileImage, size_t fileImageSize,
                       ImageHost& host, bool beginFromCurrent) {
    ImageFormat f = doc.activeFormat;
    if (fileImage) {
        if (fileImageSize < kBitmapHeaderSize) return false;
        BitmapInfoHeader h = BitmapInfoHeader::Load(fileImage);
        f = {h.width, h.height, CodeForBitCount(static_cast<uint32_t>(h.planes) * h.bitCount)};
    }
    if (!ValidSize(f)) return false;

    const int previous = doc.activeIndex;
    if (int pos = FindImage(doc, f.width, f.height, f.colorCode); pos != 0) {
        doc.activeIndex = pos - 1;
        if (doc.ActiveImage()->HasBits()) return true;
    } else {
        try {
            doc.images.emplace_back();
        } catch (const std::bad_alloc&) {
            host.Tell(kOutOfMemoryText, PromptIcon::Stop);
            return false;
        }
        IconImage& added = doc.images.back();
        added.width = f.width;
        added.height = f.height;
        added.colorCode = f.colorCode;
        doc.activeIndex = static_cast<int>(doc.images.size()) - 1;
    }

    IconImage& img = *doc.ActiveImage();
    if (!img.AllocateBlock()) {
        host.Tell(kOutOfMemoryText, PromptIcon::Stop);
        return false;
    }
    if (fileImage) {
        if (fileImageSize < img.BlockBytes()) {
            img.FreeBits();
            return false;
        }
        std::memcpy(img.block.data(), fileImage, img.BlockBytes());
    } else {
        FillBlank(img, host);
        if (beginFromCurrent && host.fillFromImage && previous >= 0 &&
            previous != doc.activeIndex && doc.images[static_cast<size_t>(previous)].HasBits()) {
            const IconImage& from = doc.images[static_cast<size_t>(previous)];
            // A failed fill leaves the blank image untouched, so that it is never saved as if
            // it held the converted picture.
            if (host.fillFromImage(from, img)) {
                img.untouched = false;
                PaletteAfterConversion(from, img, host);
            }
        }
    }
    img.editorState = {};
    if (host.createUndoBuffer) host.createUndoBuffer(img);
    if (host.bitsChanged) host.bitsChanged(img);
    return true;
}

int FindImage(const IconResource& doc, int32_t width, int32_t height, int32_t code) {
    for (size_t i = 0; i < doc.images.size(); ++i) {
        const IconImage& img = doc.images[i];
        if (img.width == width && img.height == height && img.colorCode == code)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

void SortImages(IconResource& doc) {
    auto before = [](const IconImage& a, const IconImage& b) {
        if (a.width != b.width) return a.width < b.width;
        if (a.height != b.height) return a.height < b.height;
        return a.colorCode < b.colorCode;
    };
    std::vector<IconImage>& v = doc.images;
    for (size_t i = 1; i < v.size(); ++i) {
        size_t j = i;
        while (j > 0 && before(v[i], v[j - 1])) --j;
        if (j == i) continue;
        IconImage moving = std::move(v[i]);
        for (size_t k = i; k > j; --k) v[k] = std::move(v[k - 1]);
        v[j] = std::move(moving);
        const int a = doc.activeIndex;
        if (a == static_cast<int>(i))
            doc.activeIndex = static_cast<int>(j);
        else if (a >= static_cast<int>(j) && a < static_cast<int>(i))
            doc.activeIndex = a + 1;
    }
}

void ActivateImage(IconResource& doc, ImageHost& host) {
    IconImage* img = doc.ActiveImage();
    if (!img || !img->HasBits()) return;
    if (!IsPaletteBased(img->colorCode)) {
        img->screenColor = 0x000000;
        img->inverseColor = 0xFFFFFF;
        if (img->colorA.value == 0 && img->colorB.value == 0) img->colorB.value = 0xFFFFFF;
        return;
    }

    bool haveBlack = false, haveWhite = false;
    uint32_t black = 0, white = 0;
    for (uint32_t i = 0; i < img->TableEntries() && !(haveBlack && haveWhite); ++i) {
        uint32_t c = img->TableColor(i);
        if (!haveBlack && c == 0x000000) black = i, haveBlack = true;
        if (!haveWhite && c == 0xFFFFFF) white = i, haveWhite = true;
    }
    if (!haveBlack) host.Tell(kNoBlackWarning, PromptIcon::Information);
    if (!haveWhite) host.Tell(kNoWhiteWarning, PromptIcon::Information);
    if (!haveBlack || !haveWhite) {
        // The entry the palette has still marks its pixels: re-mapping falls back to an opaque
        // colour only for the one that is missing, and must not lose the other's transparency.
        img->screenColor = black;
        img->inverseColor = white;
        return;
    }

    if (img->screenColor != 0 || img->inverseColor != 0) return;  // remembered with A and B

    bool foundScreen = false, foundInverse = false;
    for (int32_t y = 0; y < img->height && !(foundScreen && foundInverse); ++y) {
        for (int32_t x = 0; x < img->width && !(foundScreen && foundInverse); ++x) {
            if (!img->AndBit(x, y)) continue;
            uint32_t index = img->XorValue(x, y);
            uint32_t c = img->TableColor(index);
            if (c == 0x000000 && !foundScreen) black = index, foundScreen = true;
            if (c == 0xFFFFFF && !foundInverse) white = index, foundInverse = true;
        }
    }
    img->screenColor = black;
    img->inverseColor = white;
    img->colorA = {black, false};
    img->colorB = {white, false};
}

bool SwitchToFormat(IconResource& doc, ImageHost& host, bool beginFromCurrent) {
    if (IconImage* left = doc.ActiveImage(); left && host.saveEditorState)
        host.saveEditorState(*left);
    if (!FindOrCreateImage(doc, nullptr, 0, host, beginFromCurrent)) return false;
    if (host.restoreEditorState) host.restoreEditorState(*doc.ActiveImage());
    ActivateImage(doc, host);
    return true;
}

void FreeAllImages(IconResource& doc) {
    doc.images.clear();
    doc.keptImages.clear();
    doc.activeIndex = -1;
}

bool NewResource(IconResource& doc, int type, ImageHost& host) {
    FreeAllImages(doc);
    doc.resourceType = type;
    // Cursors are always 32 x 32; only their colour depth is chosen.
    if (type == kCursorResource) doc.activeFormat.width = doc.activeFormat.height = 32;
    doc.modified = false;
    doc.untitled = true;
    doc.path.clear();
    doc.commands.newImageFormat = type == kIconResource;
    doc.commands.setHotSpot = type == kCursorResource;
    doc.commands.save = false;
    if (!FindOrCreateImage(doc, nullptr, 0, host)) return false;
    ActivateImage(doc, host);
    return true;
}

void CommitImageBits(IconResource& doc, ImageHost& host) {
    IconImage* img = doc.ActiveImage();
    if (!img || !img->HasBits()) return;
    if (host.bitsChanged) host.bitsChanged(*img);
    img->changed = true;
    img->untouched = false;
    doc.modified = true;
    doc.commands.save = true;
}

bool ConfirmDiscardChanges(IconResource& doc, ImageHost& host, const std::function<bool()>& save) {
    if (!doc.modified) return true;
    return ProceedAfterSaveQuestion(
        host.Ask(kSaveChangesText, PromptButtons::YesNoCancel, PromptIcon::Question), save);
}

}  // namespace vt
