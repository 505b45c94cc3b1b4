#include "image/format_commands.h"

#include <algorithm>

#include "common/prompt.h"

namespace vt {

namespace {

// The up-down range of the Custom size fields.
constexpr int32_t kMinCustomSide = 8;
constexpr int32_t kMaxCustomSide = 64;
// A width no real image has, so that sorting moves the removed image to the end.
constexpr int32_t kRemovedWidth = 99999;

// The palette of the active image, when it has 256 colours or more, for new 256-colour images.
void KeepPaletteForNewImages(const IconResource& doc, ImageHost& host, bool trueColorToo) {
    const IconImage* img = doc.ActiveImage();
    if (!img || !img->HasBits() || !host.setNewImagePalette) return;
    if (img->colorCode == kColors256) {
        ColorValues256 p{};
        for (uint32_t i = 0; i < 256; ++i) p[i] = img->TableColor(i);
        host.setNewImagePalette(p);
    } else if (trueColorToo && !IsPaletteBased(img->colorCode) && img->trueColorPalette) {
        host.setNewImagePalette(*img->trueColorPalette);
    }
}

std::string RemoveName(const IconImage& img) {
    if (img.colorCode == kTrueColor) return Format("%dx%d, True Color", img.width, img.height);
    return Format("%dx%d, %d color", img.width, img.height, img.colorCode);
}

}  // namespace

NewFormatDialogState InitialNewFormatState(const IconResource& doc, int32_t display) {
    NewFormatDialogState s;
    s.deepDepthsEnabled = display > kColors256;
    s.colorCode = s.deepDepthsEnabled ? kTrueColor : kColors16;
    s.sizeControlsEnabled = !doc.IsCursor();
    const IconImage* img = doc.ActiveImage();
    s.beginFromCurrent = img && img->colorCode >= kColors256;
    return s;
}

int32_t ClampCustomSide(uint32_t typed) {
    return static_cast<int32_t>(std::clamp<uint32_t>(typed, kMinCustomSide, kMaxCustomSide));
}

NewFormatOutcome ApplyNewImageFormat(IconResource& doc, ImageFormat format, bool beginFromCurrent,
                                     ImageHost& host) {
    if (doc.IsCursor()) format.width = format.height = 32;
    const IconImage* active = doc.ActiveImage();
    if (beginFromCurrent && active &&
        format == ImageFormat{active->width, active->height, active->colorCode}) {
        host.Tell(kSameImageText, PromptIcon::Exclamation);
        return NewFormatOutcome::StayOpen;
    }
    bool replaced = false;
    if (int pos = FindImage(doc, format.width, format.height, format.colorCode); pos != 0) {
        std::string q =
            Format(kReplaceImageText, format.width, format.height, DepthName(format.colorCode));
        if (host.Ask(q, PromptButtons::YesNo, PromptIcon::Question) != PromptAnswer::Yes)
            return NewFormatOutcome::StayOpen;
        IconImage& old = doc.images[static_cast<size_t>(pos - 1)];
        old.FreeBits();
        old.untouched = false;
        old.changed = false;
        old.screenColor = old.inverseColor = 0;
        old.colorA = old.colorB = {};
        // Replacing the active image itself: there is nothing left to begin from.
        if (pos - 1 == doc.activeIndex) beginFromCurrent = false;
        replaced = true;
    }
    KeepPaletteForNewImages(doc, host, true);
    doc.activeFormat = format;
    if (!SwitchToFormat(doc, host, beginFromCurrent)) return NewFormatOutcome::Failed;
    // A blank new format is not written until drawn on, so only a replacement or a filled image
    // changes what a save would write.
    if (replaced || !doc.ActiveImage()->untouched) {
        doc.modified = true;
        doc.commands.save = true;
    }
    return NewFormatOutcome::Done;
}

bool RemoveActiveImage(IconResource& doc, ImageHost& host) {
    IconImage* img = doc.ActiveImage();
    if (!img) return false;
    if (doc.images.size() <= 1) {
        host.Tell(kOnlyImageText, PromptIcon::Information);
        return false;
    }
    std::string q = Format(kRemoveImageText, RemoveName(*img).c_str());
    if (host.Ask(q, PromptButtons::YesNo, PromptIcon::Question) != PromptAnswer::Yes) return false;
    img->width = kRemovedWidth;
    SortImages(doc);
    doc.images.pop_back();
    doc.activeIndex = -1;
    doc.modified = true;
    doc.commands.save = true;
    return true;
}

bool SelectListedImage(IconResource& doc, int position, ImageHost& host) {
    if (position < 1 || position > static_cast<int>(doc.images.size())) return false;
    KeepPaletteForNewImages(doc, host, false);
    const IconImage& chosen = doc.images[static_cast<size_t>(position - 1)];
    doc.activeFormat = {chosen.width, chosen.height, chosen.colorCode};
    return SwitchToFormat(doc, host, false);
}

}  // namespace vt
