#include "image/format_list.h"

#include "common/prompt.h"

namespace vt {

int32_t DisplayColorCode(uint32_t bitsTimesPlanes) {
    return CodeForBitCount(bitsTimesPlanes);
}

bool FormatSuitsDisplay(int32_t code, int32_t display) {
    if (code < display) return true;
    if (code == kColors256) return false;
    return code == display || display > kColors256;
}

std::string FormatListText(const IconImage& img) {
    if (img.colorCode == kTrueColor) return Format("%dx%d, True Color", img.width, img.height);
    return Format("%dx%d, %d colors", img.width, img.height, img.colorCode);
}

FormatList BuildFormatList(IconResource& doc, int32_t display) {
    SortImages(doc);
    FormatList list;
    for (size_t i = 0; i < doc.images.size(); ++i) {
        const IconImage& img = doc.images[i];
        if (!img.HasBits()) continue;
        if (!FormatSuitsDisplay(img.colorCode, display)) {
            list.anyHidden = true;
            continue;
        }
        list.items.push_back({FormatListText(img), static_cast<int>(i) + 1});
    }
    return list;
}

int ChooseListItem(const IconResource& doc, const FormatList& list, bool keepCurrent) {
    if (list.items.empty()) return -1;
    auto imageOf = [&](int item) -> const IconImage& {
        return doc.images[static_cast<size_t>(list.items[static_cast<size_t>(item)].position - 1)];
    };
    const int n = static_cast<int>(list.items.size());
    if (keepCurrent) {
        const ImageFormat& f = doc.activeFormat;
        int sameColors = -1;
        int same = -1;
        for (int i = 0; i < n; ++i) {
            const IconImage& img = imageOf(i);
            if (img.colorCode != f.colorCode) continue;
            sameColors = i;
            if (img.width == f.width && img.height == f.height) same = i;
        }
        if (same >= 0) return same;
        if (sameColors >= 0) return sameColors;
        return n - 1;
    }
    int chosen = 0;
    int32_t maxColors = 0, maxWidth = 0, maxHeight = 0;
    for (int i = 0; i < n; ++i) {
        const IconImage& img = imageOf(i);
        if (img.colorCode > maxColors) {
            maxColors = img.colorCode;
            chosen = i;
        } else if (img.width > maxWidth) {
            maxWidth = img.width;
            chosen = i;
        } else if (img.height > maxHeight) {
            maxHeight = img.height;
            chosen = i;
        }
    }
    return chosen;
}

bool ShowFormatList(IconResource& doc, int32_t display, bool keepCurrent, ImageHost& host,
                    FormatList* listOut) {
    FormatList list = BuildFormatList(doc, display);
    int item = ChooseListItem(doc, list, keepCurrent);
    if (list.anyHidden) host.Tell(kSomeFormatsHiddenText, PromptIcon::Exclamation);
    if (listOut) *listOut = list;
    if (item < 0) {
        doc.activeIndex = -1;
        if (listOut && (!doc.images.empty() || !doc.keptImages.empty()))
            listOut->emptyReason = kNoFormatShownNote;
        host.Tell(kNoFormatShownText, PromptIcon::Stop);
        return false;
    }
    const int index = list.items[static_cast<size_t>(item)].position - 1;
    const IconImage& chosen = doc.images[static_cast<size_t>(index)];
    doc.activeFormat = {chosen.width, chosen.height, chosen.colorCode};
    if (index == doc.activeIndex) {
        ActivateImage(doc, host);
        return true;
    }
    return SwitchToFormat(doc, host, false);
}

}  // namespace vt
