#include "engineer/engineer_dialog.h"

#include <algorithm>
#include <cstdint>

#include "engineer/engineer_frame.h"

namespace vt {

std::vector<int> FillList(const Engineer& e, int category) {
    std::vector<int> rows;
    const SystemIcons& icons = e.icons();
    for (int r = 0; r < icons.rowCount(); ++r)
        if (icons.row(r).category == category && icons.IsListed(r)) rows.push_back(r);
    return rows;
}

bool UseDefaultAllowed(const Engineer& e, int row) {
    const SystemIcons& icons = e.icons();
    const SystemObject& o = icons.row(row);
    if (e.mode == EngineerMode::Motif) return o.chosenSlot != 0;
    if (o.isCursor()) return o.chosenIndex != 1;
    // The default is already what Apply will write.
    if (o.pending && o.useInPlace) return false;
    const EnvironmentFacts& f = icons.facts();
    bool coolDll = !f.newerShell && f.coolDllPresent && o.alternateIndex > 0;
    bool shell32Icon = o.defaultIndex >= 0 && o.defaultIndex < e.shell32IconCount;
    return o.module != -1 || coolDll || shell32Icon;
}

bool ChangeRow(Engineer& e, QualityDialogs& dialogs, const QualitySettings& settings, int row,
               const std::string& path, int index) {
    SystemIcons& icons = e.icons();
    const SystemObject& o = icons.row(row);
    if (!o.isCursor() && !CheckIconQuality(icons.files(), e.prompt(), e.groups(), dialogs, settings,
                                           true, o.shellIndex, path, index))
        return false;
    return e.AssignChosen(row, path, index);
}

DialogControls EvaluateControls(const Engineer& e, int selectedRow) {
    DialogControls c;
    const SystemIcons& icons = e.icons();
    bool local = e.mode == EngineerMode::LocalUpdate;
    if (selectedRow >= 0 && selectedRow < icons.rowCount()) {
        c.change = true;
        c.useDefault = UseDefaultAllowed(e, selectedRow);
        c.clearUpdate = local && icons.row(selectedRow).pending;
    }
    for (size_t k = 0; k < kCategoryCount; ++k) {
        c.boxEnabled[k] = e.pendingCount[k] > 0;
        c.boxTicked[k] = c.boxEnabled[k] && e.categoryTicked[k];
    }
    if (local) {
        c.apply = c.boxTicked[kCategorySystem];
        for (int r = 0; r < icons.rowCount() && !c.apply; ++r) {
            const SystemObject& o = icons.row(r);
            c.apply = o.pending && e.categoryTicked[static_cast<size_t>(o.category)];
        }
        c.resetAll = e.pendingTotal > 0 || e.SystemPageDiffers();
    } else {
        FileMenuState m = FileMenuOf(e);
        c.newMotif = m.newEnabled;
        c.saveMotif = m.saveEnabled;
        c.saveMotifAs = m.saveAsEnabled;
    }
    return c;
}

bool UseDefault(Engineer& e, int row) {
    if (!UseDefaultAllowed(e, row)) return false;
    if (e.mode == EngineerMode::Motif) {
        e.DropChoice(row);
        e.icons().ReadCurrentLocation(row);
        // The row left the Motif: that is a change to save and to ask about.
        e.modified = true;
        return true;
    }
    return e.AssignDefault(row);
}

void ResetAll(Engineer& e) {
    SystemIcons& icons = e.icons();
    e.next = e.current;
    for (int r = 0; r < icons.rowCount(); ++r) {
        SystemObject& o = icons.row(r);
        if (o.pending || o.chosenSlot != 0) icons.ReadCurrentLocation(r);
        o.useInPlace = false;
    }
    icons.ReleaseChosenFiles();
    e.ClearAllPending();
    e.pendingCount[kCategorySystem] = 0;
    e.categoryTicked[kCategorySystem] = false;
    if (e.mode == EngineerMode::Motif) e.modified = false;
}

bool EvaluateSystemPage(Engineer& e) {
    bool differs = e.SystemPageDiffers();
    e.pendingCount[kCategorySystem] = differs ? 1 : 0;
    e.categoryTicked[kCategorySystem] = differs;
    return differs;
}

SpacingEdit ReadSpacingEdit(const std::string& text, int previous) {
    SpacingEdit s;
    size_t i = 0;
    bool negative = !text.empty() && text[0] == '-';
    if (negative) i = 1;
    if (i == text.size()) {
        s.shown = previous;
        s.beep = s.rewrite = true;
        return s;
    }
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9') {
            s.shown = previous;
            s.beep = s.rewrite = true;
            return s;
        }
        value = std::min<int64_t>(value * 10 + (c - '0'), 1000000);
    }
    if (negative) value = -value;
    s.shown = static_cast<int>(std::clamp<int64_t>(value, 0, kMaxShownSpacing));
    s.beep = s.rewrite = s.shown != value;
    return s;
}

int SpacingFromShown(int shown, int largeIconSize) {
    return shown + largeIconSize;
}

int ShownSpacing(int spacing, int largeIconSize) {
    return std::clamp(spacing - largeIconSize, 0, kMaxShownSpacing);
}

namespace {

int Ppi(int pixelsPerInch) {
    return pixelsPerInch > 0 ? pixelsPerInch : 96;
}

}  // namespace

int PointsOfHeight(int height, int internalLeading, int pixelsPerInch) {
    int ppi = Ppi(pixelsPerInch);
    int64_t character = height < 0 ? -static_cast<int64_t>(height)
                                   : std::max<int64_t>(0, int64_t{height} - internalLeading);
    return static_cast<int>((character * 72 + ppi / 2) / ppi);
}

int HeightOfPoints(int points, int pixelsPerInch) {
    int ppi = Ppi(pixelsPerInch);
    return -static_cast<int>((int64_t{points} * ppi + 36) / 72);
}

std::vector<int> FontSizes(bool trueType, const std::vector<FontVariant>& variants,
                           int pixelsPerInch) {
    std::vector<int> sizes;
    if (trueType) {
        for (int p = 6; p <= 24; ++p) sizes.push_back(p);
        return sizes;
    }
    int ppi = Ppi(pixelsPerInch);
    for (const FontVariant& v : variants) {
        int64_t character =
            v.height < 0 ? -int64_t{v.height} : int64_t{v.height} - v.internalLeading;
        if (character <= 0) continue;
        sizes.push_back(static_cast<int>(std::min<int64_t>((character * 72 + 71) / ppi, 999)));
    }
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return sizes;
}

void SetTitleFontSize(Engineer& e, int points, int pixelsPerInch) {
    e.next.metrics.font.height = HeightOfPoints(points, pixelsPerInch);
    EvaluateSystemPage(e);
}

void SetTitleFontStyle(Engineer& e, bool bold, bool italic) {
    e.next.metrics.font.weight = bold ? 700 : 400;
    e.next.metrics.font.italic = italic ? 1 : 0;
    EvaluateSystemPage(e);
}

int ItemIconSize(int category, int largeIconHeight, int standardIconWidth) {
    return category == kCategoryCursor ? standardIconWidth : largeIconHeight;
}

int ListItemHeight(int itemIconSize) {
    return itemIconSize * 3 / 2;
}

std::optional<int> DropEntry(int topIndex, int y, int itemHeight, int itemCount, int clientHeight) {
    if (itemHeight <= 0 || topIndex < 0 || y < 0 || y >= clientHeight) return std::nullopt;
    int64_t entry = int64_t{topIndex} + y / itemHeight;
    if (entry >= itemCount) return std::nullopt;
    return static_cast<int>(entry);
}

FramePlace PlaceFrame(const FrameMeasures& m) {
    FramePlace p;
    p.width = m.dialogWidth + 2 * m.dialogFrameX;
    p.height = m.dialogHeight + 2 * m.dialogFrameY + m.caption + m.menu + m.statusBar + 2;
    int centredX = (m.screenWidth - p.width) / 2;
    p.x = std::max(0, (centredX + 4) / 8 * 8);
    p.y = std::max(0, (m.screenHeight - p.height) / 2);
    return p;
}

}  // namespace vt
