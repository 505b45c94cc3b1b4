#include "engineer/icon_quality.h"

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include <set>
#include <utility>

#include "common/file_io.h"

namespace vt {

namespace {

// Icon images are at most 256 pixels a side (the editors' pixel positions and the icon
// directory's size bytes say so); a larger header is damaged, and the cap keeps the mask walk
// small.
constexpr int32_t kMaxImageSide = 256;
constexpr uint16_t kMaxDirectoryEntries = 1024;

int FormatSlot(int width) {
    return width == 16 ? 0 : width == 32 ? 1 : width == 48 ? 2 : -1;
}

// Every stored mask bit of the image's visible width is 1: nothing of the image would show.
bool MaskIsBlank(ByteReader image, int32_t width, int32_t height, uint32_t bits, uint32_t used) {
    uint32_t palette = used != 0 ? used : bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
    // The colour bits take as much room as the image's own bit count says: a 32-bit image read
    // at the 24-bit offset would take its colour bits for the mask.
    const bool direct = bits == 16 || bits == 24 || bits == 32;
    uint32_t pixelBits = palette == 0 && !direct ? 24 : bits;
    size_t colourRow =
        ((static_cast<size_t>(pixelBits) * static_cast<size_t>(width) + 31) / 32) * 4;
    size_t maskRow = ((static_cast<size_t>(width) + 31) / 32) * 4;
    size_t maskAt = 0, colourBytes = 0, paletteBytes = 0;
    if (!CheckedMul(palette, 4, &paletteBytes) ||
        !CheckedMul(colourRow, static_cast<size_t>(height), &colourBytes) ||
        !CheckedAdd(40 + paletteBytes, colourBytes, &maskAt))
        return false;
    ByteReader mask = image.Sub(maskAt, maskRow * static_cast<size_t>(height));
    if (!mask.ok()) return false;
    auto data = mask.data();
    for (int32_t y = height - 1; y >= 0; --y) {
        const uint8_t* row = data.data() + static_cast<size_t>(y) * maskRow;
        for (int32_t x = 0; x < width; ++x)
            if (!(row[x / 8] & (0x80 >> (x % 8)))) return false;
    }
    return true;
}

}  // namespace

std::vector<uint8_t> SaveQualitySettings(const QualitySettings& settings) {
    ByteWriter w;
    w.U32(settings.checking ? 1 : 0);
    for (bool d : settings.desired) w.U32(d ? 1 : 0);
    return w.Take();
}

QualitySettings LoadQualitySettings(const std::vector<uint8_t>& bytes) {
    QualitySettings s;
    if (bytes.size() != kQualitySettingsSize) return s;
    ByteReader r(bytes.data(), bytes.size());
    s.checking = r.U32() != 0;
    for (bool& d : s.desired) d = r.U32() != 0;
    return s;
}

bool InspectIconFile(const std::vector<uint8_t>& icon, QualityReport* report) {
    *report = {};
    ByteReader r(icon.data(), icon.size());
    r.U16();
    r.U16();
    uint16_t count = r.U16();
    if (!r.ok() || count > kMaxDirectoryEntries) return false;
    // Entries that share one image block say the same about it: it is examined once, so a
    // directory of many entries over one large image cannot multiply the work.
    std::set<std::pair<uint32_t, uint32_t>> examined;
    for (uint16_t i = 0; i < count; ++i) {
        ByteReader entry = r.Sub(6 + static_cast<size_t>(i) * 16, 16);
        entry.Skip(8);
        uint32_t size = entry.U32();
        uint32_t offset = entry.U32();
        if (!entry.ok()) return false;
        if (!examined.insert({offset, size}).second) continue;
        ByteReader image = r.Sub(offset, size);
        int32_t width = image.I32() == 40 ? image.I32() : 0;
        int32_t height = image.I32() / 2;
        image.U16();
        uint16_t bits = image.U16();
        image.Skip(16);
        uint32_t used = image.U32();
        // A damaged image counts for nothing: neither a present format nor a blank one.
        if (!image.ok() || width <= 0 || height <= 0 || width > kMaxImageSide ||
            height > kMaxImageSide || used > 256)
            continue;
        int slot = FormatSlot(width);
        if (slot >= 0 && bits == 4) report->found[static_cast<size_t>(slot)] = true;
        if (slot >= 0 && bits == 8) report->found[static_cast<size_t>(slot) + 3] = true;
        if (MaskIsBlank(r.Sub(offset, size), width, height, bits, used)) {
            report->blankFound = true;
            report->blank.colours = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 16777216;
            report->blank.width = width;
            report->blank.height = height;
        }
    }
    return true;
}

std::string BlankImageWarningText(const std::string& fileName, const BlankImage& blank,
                                  bool shortcutOverlay) {
    std::string text = Format(
        "At least one blank image has been detected in the file '%s'.  The image is in the %d "
        "color format and is "
        "%dx%d pixels in size.\n\n",
        fileName.c_str(), blank.colours, blank.width, blank.height);
    if (shortcutOverlay)
        return text +
               "WARNING!:  THE DESKTOP DISPLAY WILL BE ADVERSELY AFFECTED if Windows 95 attempts "
               "to use this blank "
               "image as a shortcut overlay.  If you want to remove shortcut arrows from your "
               "desktop, you should "
               "uncheck the 'Display Shortcut Overlay' option on the General tab.";
    return text +
           "Windows 95 may attempt to use the blank image if it requires an icon in this size and "
           "color format.";
}

std::string MissingFormatsWarningText(const std::string& fileName) {
    return Format(
               "The file '%s' does not include the desired image formats currently specified in "
               "the Config.Icon "
               "Quality Check dialog.\n\n",
               fileName.c_str()) +
           "The check boxes to the right indicate which of these images are present and which are "
           "missing.\n\nMissing "
           "image formats could cause lower quality results if an existing size must be scaled "
           "larger or smaller.";
}

bool CheckIconQuality(FileSystem& files, Prompt& prompt, IconGroupSource& groups,
                      QualityDialogs& dialogs, const QualitySettings& settings, bool hasRow,
                      int shellIndex, const std::string& path, int index) {
    if (!hasRow) return false;
    std::vector<uint8_t> icon;
    if (LoadIconFileBytes(files, prompt, groups, path, index, &icon) != IconLoad::Ok) return false;
    QualityReport report;
    if (!InspectIconFile(icon, &report)) return false;
    bool overlay = shellIndex == 29;
    std::string name = FileNameOf(path);
    if (report.blankFound &&
        !dialogs.ConfirmBlankImage(BlankImageWarningText(name, report.blank, overlay)))
        return false;
    if (!settings.checking || overlay) return true;
    bool complete = true;
    for (int i = 0; i < kQualityFormatCount; ++i)
        if (settings.desired[static_cast<size_t>(i)] && !report.found[static_cast<size_t>(i)])
            complete = false;
    if (complete) return true;
    return dialogs.ConfirmMissingFormats(MissingFormatsWarningText(name), report.found,
                                         settings.desired);
}

ColourDepthDialogState OpenColourDepthDialog(int displayBitsPerPixel, int newDepth) {
    ColourDepthDialogState s;
    const char* prefix = "The current Color Palette setting for this system ";
    s.limitText = displayBitsPerPixel < 16
                      ? std::string(prefix) + "limits the icon color format to 4 bits."
                  : displayBitsPerPixel < 24
                      ? std::string(prefix) + "limits the icon color format to 16 bits."
                      : std::string(prefix) + "supports all icon color formats.";
    s.checkedButton = newDepth == 4    ? kColourDepthButton4
                      : newDepth == 16 ? kColourDepthButton16
                      : newDepth == 24 ? kColourDepthButton24
                                       : 0;
    s.enabled = {true, displayBitsPerPixel >= 16, displayBitsPerPixel >= 24};
    return s;
}

int ColourDepthFromButtons(bool fourTicked, bool sixteenTicked) {
    return fourTicked ? 4 : sixteenTicked ? 16 : 24;
}

std::string ColourDepthLabel(int depth) {
    const char* count = depth == 4    ? "16"
                        : depth == 16 ? "65 thousand"
                        : depth == 24 ? "16 million"
                                      : nullptr;
    // A depth set outside the Engineer is shown as what it is rather than as a wrong count.
    return std::string("Maximum Icon Colors: ") +
           (count ? count : Format("%d bits", depth).c_str());
}

}  // namespace vt
