#include "studio/icon_properties.h"

#include <algorithm>
#include <cctype>

#include "common/prompt.h"
#include "image/image_compose.h"

namespace vt {

namespace {

constexpr uint32_t kWhite = 0x00FFFFFF;

bool SameFormat(const IconImage& a, const IconImage& b) {
    return a.width == b.width && a.height == b.height && a.colorCode == b.colorCode;
}

std::string Bytes(size_t n, const std::string& separator) {
    return WithThousands(n, separator) + " bytes";
}

}  // namespace

int CountColorsUsed(const IconImage& image) {
    if (!image.HasBits()) return 0;
    if (IsPaletteBased(image.colorCode)) {
        // One flag per table entry and two more for the screen and inverse pixels.
        const uint32_t entries = image.TableEntries();
        std::vector<bool> seen(entries + 2, false);
        for (int32_t y = 0; y < image.height; ++y)
            for (int32_t x = 0; x < image.width; ++x) {
                const uint32_t v = image.XorValue(x, y);
                uint32_t slot = v < entries ? v : entries;  // a value past the table counts once
                if (image.AndBit(x, y))
                    slot = InkColour(image, v) == kWhite ? entries + 1 : entries;
                seen[slot] = true;
            }
        return static_cast<int>(std::count(seen.begin(), seen.end(), true));
    }
    // True colour: the values seen, plus the two masked kinds kept apart from every colour.
    std::vector<uint32_t> values;
    bool screen = false, inverse = false;
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x) {
            const uint32_t v = image.XorValue(x, y);
            if (image.AndBit(x, y)) {
                (v == kWhite ? inverse : screen) = true;
            } else if (std::find(values.begin(), values.end(), v) == values.end()) {
                values.push_back(v);
            }
        }
    return static_cast<int>(values.size()) + (screen ? 1 : 0) + (inverse ? 1 : 0);
}

std::string WithThousands(unsigned long long number, const std::string& separator) {
    const std::string digits = std::to_string(number);
    if (separator.empty()) return digits;
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += separator[0];
        out += digits[i];
    }
    return out;
}

std::string FormatSlotText(const IconImage& image) {
    if (IsPaletteBased(image.colorCode))
        return Format("%dx%d, %d colors", image.width, image.height, image.colorCode);
    return Format("%dx%d, True Color", image.width, image.height);
}

std::string PropertiesName(const IconResource& doc) {
    if (doc.untitled || doc.path.empty()) return "untitled";
    const size_t cut = doc.path.find_last_of("\\/");
    std::string name = cut == std::string::npos ? doc.path : doc.path.substr(cut + 1);
    if (name.size() >= 4) {
        std::string tail = name.substr(name.size() - 4);
        std::transform(tail.begin(), tail.end(), tail.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (tail == ".ico") name.resize(name.size() - 4);
    }
    return name;
}

IconPropertiesText DescribeIcon(const IconResource& doc, const std::string& documentName,
                                const std::string& separator) {
    IconPropertiesText t;
    const IconImage* active = doc.ActiveImage();
    if (!active) return t;
    t.name = documentName;
    t.width = Format("%d", active->width);
    t.height = Format("%d", active->height);
    t.colorFormat = IsPaletteBased(active->colorCode)
                        ? Format("%d bit, %d colors", active->BitsPerPixel(), active->colorCode)
                        : Format("%d bit, True Color", active->BitsPerPixel());
    t.colorsUsed = Format("%d", CountColorsUsed(*active));
    const size_t own = active->BlockBytes();
    t.imageSize = Bytes(own, separator);
    size_t total = own;
    // Images kept as the file held them come first: they cannot be made active, so this is
    // where the user sees them, marked as not editable.
    for (const KeptImage& k : doc.keptImages) {
        total += k.data.size();
        if (t.others.size() < kPropertiesOtherSlots)
            t.others.push_back(Format(kKeptSlotText, k.width, k.height));
    }
    for (const IconImage& img : doc.images) {
        if (SameFormat(img, *active)) continue;
        total += img.BlockBytes();
        if (t.others.size() < kPropertiesOtherSlots) t.others.push_back(FormatSlotText(img));
    }
    t.totalSize = Bytes(total, separator);
    return t;
}

}  // namespace vt
