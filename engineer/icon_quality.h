#pragma once
// The quality check of a newly chosen icon (blank images, missing desired formats) and the
// decisions of the "Icon Color Depth" dialog, as logic the dialogs only display.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/prompt.h"
#include "engineer/icon_extract.h"
#include "sysicons/file_system.h"

namespace vt {

// Order of the format flags: 16, 32, 48 pixels in 16 colours, then the same in 256 colours.
constexpr int kQualityFormatCount = 6;

struct QualitySettings {
    bool checking = true;
    std::array<bool, kQualityFormatCount> desired = {true, true, true, false, false, false};
};

// The 28-byte registry value "Quality Checking": seven 32-bit integers.
constexpr size_t kQualitySettingsSize = 28;
std::vector<uint8_t> SaveQualitySettings(const QualitySettings& settings);
// Anything but 28 bytes gives the defaults; nonzero integers count as set.
QualitySettings LoadQualitySettings(const std::vector<uint8_t>& bytes);

struct BlankImage {
    int colours = 0;
    int width = 0;
    int height = 0;
};

struct QualityReport {
    std::array<bool, kQualityFormatCount> found{};
    bool blankFound = false;
    BlankImage blank;  // the last blank image found
};

// Inspects every image of an icon file. False when the bytes are not a readable icon directory.
bool InspectIconFile(const std::vector<uint8_t>& icon, QualityReport* report);

// The warnings' texts, composed for the file name (without folder) and the row.
std::string BlankImageWarningText(const std::string& fileName, const BlankImage& blank,
                                  bool shortcutOverlay);
std::string MissingFormatsWarningText(const std::string& fileName);

// The two warning dialogs; each returns true for OK and false for Cancel.
class QualityDialogs {
  public:
    virtual ~QualityDialogs() = default;
    virtual bool ConfirmBlankImage(const std::string& text) = 0;
    virtual bool ConfirmMissingFormats(const std::string& text,
                                       const std::array<bool, kQualityFormatCount>& found,
                                       const std::array<bool, kQualityFormatCount>& desired) = 0;
};

// Whether the icon `index` of `path` may be used for a row whose Shell index is `shellIndex`
// (pass hasRow false when no row is selected).
bool CheckIconQuality(FileSystem& files, Prompt& prompt, IconGroupSource& groups,
                      QualityDialogs& dialogs, const QualitySettings& settings, bool hasRow,
                      int shellIndex, const std::string& path, int index);

// The "Icon Color Depth" dialog on opening: the limit text, the radio button of the new depth
// (0 for none) and which of the 4/16/24-bit buttons are enabled.
struct ColourDepthDialogState {
    std::string limitText;
    int checkedButton = 0;
    std::array<bool, 3> enabled = {true, true, true};
};
constexpr int kColourDepthButton4 = 800;
constexpr int kColourDepthButton16 = 801;
constexpr int kColourDepthButton24 = 802;

ColourDepthDialogState OpenColourDepthDialog(int displayBitsPerPixel, int newDepth);
// OK: the depth of the ticked button, 24 when neither of the first two is ticked.
int ColourDepthFromButtons(bool fourTicked, bool sixteenTicked);
// The System page label: "Maximum Icon Colors: " and the colour count of the depth.
std::string ColourDepthLabel(int depth);

}  // namespace vt
