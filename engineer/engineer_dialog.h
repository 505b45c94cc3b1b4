#pragma once
// The rules of the Engineer's main dialog: which rows a page lists, which buttons and category
// boxes are enabled (one rule each, asked after every change), "Use Default", "Reset All", the
// System page's comparison, spacing edits, title-font sizes, the entry under a drop point, and the
// frame's size and place.
// The program calls: FillList, ChangeRow, EvaluateControls, UseDefaultAllowed, UseDefault,
// ResetAll, EvaluateSystemPage, ReadSpacingEdit / SpacingFromShown / ShownSpacing, PointsOfHeight /
// HeightOfPoints / FontSizes / SetTitleFontSize / SetTitleFontStyle, ItemIconSize /
// ListItemHeight, DropEntry, PlaceFrame.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engineer/engineer.h"
#include "engineer/icon_quality.h"

namespace vt {

// The rows of a category's page, in table order (rows the shell knows, newer-shell rows only
// under the newer shell).
std::vector<int> FillList(const Engineer& engineer, int category);

// "Use &Default" for a row, the same answer wherever it is asked. Motif Mode: the row has a
// chosen file. Local System Update: a cursor row unless the Windows default is already chosen;
// an icon row that has a default module, or to which "cool.dll" applies (older shell, file
// present, Alternate index above 0), or whose Default index names an icon of the system's
// "SHELL32.DLL" (0 or more and below Engineer::shell32IconCount); never when that default already
// is the row's pending choice.
bool UseDefaultAllowed(const Engineer& engineer, int row);

// A file chosen for a row by "C&hange..." or dropped on it: icon rows must pass the quality
// check first (cursor rows have none); then the row takes the file. False when the check was
// declined or the file cannot be loaded; the row is then unchanged.
bool ChangeRow(Engineer& engineer, QualityDialogs& dialogs, const QualitySettings& settings,
               int row, const std::string& path, int index);

// Enabled state of the dialog's controls; selectedRow -1 when no row is selected (System page).
struct DialogControls {
    bool useDefault = false;
    bool change = false;
    bool clearUpdate = false;  // the selected row is pending (Local System Update)
    bool apply = false;        // a pending row of a ticked category, or a ticked System box
    bool resetAll = false;     // anything pending or the System page differs
    std::array<bool, kCategoryCount> boxEnabled{};  // box 256 + category
    std::array<bool, kCategoryCount> boxTicked{};
    bool newMotif = false;
    bool saveMotif = false;
    bool saveMotifAs = false;
};
DialogControls EvaluateControls(const Engineer& engineer, int selectedRow);

// "Use &Default". Motif Mode: the row leaves the Motif (current icon read again, counters down)
// and the Motif counts as modified. Local System Update: the row's default becomes its pending
// choice. False when the rule does not allow it or the default cannot be loaded.
bool UseDefault(Engineer& engineer, int row);

// Every System value back to its current value, every row back to the system's icon without a
// choice, counters cleared; in Motif Mode the Motif counts as unmodified.
void ResetAll(Engineer& engineer);

// Box 256 is enabled and ticked (counter 0 is 1) while any System value differs, else disabled
// and cleared (counter 0). Returns whether it differs.
bool EvaluateSystemPage(Engineer& engineer);

// The spacing edits show the spacing minus the large icon size, 0 to 150.
constexpr int kMaxShownSpacing = 150;
struct SpacingEdit {
    int shown = 0;  // the value the edit and its up-down now hold
    bool beep = false;
    bool rewrite = false;  // the edit's text must be replaced by `shown`
};
// One change of the edit's text: not a number beeps and keeps `previous`; outside 0 to 150
// beeps and clamps.
SpacingEdit ReadSpacingEdit(const std::string& text, int previous);
int SpacingFromShown(int shown, int largeIconSize);
int ShownSpacing(int spacing, int largeIconSize);

// The title font's size in points. A negative height is a character height; a positive one is a
// cell height, whose internal leading is taken off first. Rounded to the nearest point.
int PointsOfHeight(int height, int internalLeading, int pixelsPerInch);
// The height a chosen size sets: a character height, negative.
int HeightOfPoints(int points, int pixelsPerInch);
struct FontVariant {
    int height = 0;  // as enumerated: positive a cell height, negative a character height
    int internalLeading = 0;
};
// The sizes offered for a face: 6 to 24 for a TrueType face, else each variant's size once,
// ascending.
std::vector<int> FontSizes(bool trueType, const std::vector<FontVariant>& variants,
                           int pixelsPerInch);
// The size combo, Bold and Italic change the new title font.
void SetTitleFontSize(Engineer& engineer, int points, int pixelsPerInch);
void SetTitleFontStyle(Engineer& engineer, bool bold, bool italic);

// The size of a list row's icon: the large icon height on icon pages, the standard icon width on
// the Cursor page; a row is one and a half times as high.
int ItemIconSize(int category, int largeIconHeight, int standardIconWidth);
int ListItemHeight(int itemIconSize);

// The list entry under a drop point in the list's client coordinates; nothing when the point is
// outside the list or past its last entry, or the item height is not positive.
std::optional<int> DropEntry(int topIndex, int y, int itemHeight, int itemCount, int clientHeight);

// The frame around the dialog: twice the dialog frame, caption, menu and status bar plus 2
// pixels; centred, the left edge rounded down to a multiple of 8 after adding 4.
struct FrameMeasures {
    int dialogWidth = 0, dialogHeight = 0;
    int dialogFrameX = 0, dialogFrameY = 0;
    int caption = 0, menu = 0, statusBar = 0;
    int screenWidth = 0, screenHeight = 0;
};
struct FramePlace {
    int x = 0, y = 0, width = 0, height = 0;
};
FramePlace PlaceFrame(const FrameMeasures& m);

}  // namespace vt
