#include "engineer/engineer.h"

#include <cstdlib>

#include "sysicons/icon_cache.h"
#include "sysicons/text.h"

namespace vt {

bool SameTitleFont(const TitleFont& a, const TitleFont& b) {
    return a.weight == b.weight && a.italic == b.italic && a.height == b.height &&
           a.faceName == b.faceName;
}

Engineer::Engineer(SystemIcons& icons, Prompt& prompt, IconGroupSource& groups)
    : m_icons(icons), m_prompt(prompt), m_groups(groups) {}

void Engineer::ReadStartupFacts() {
    shell32IconCount = m_icons.shell().IconCount(m_icons.facts().shell32Path);
    ReadSystemSettings();
    ReadIconMetrics();
}

bool Engineer::ReadIconMetrics() {
    IconMetrics m;
    if (!m_icons.shell().GetIconMetrics(&m)) return false;
    current.metrics = m;
    next.metrics = m;
    return true;
}

void Engineer::ReadSystemSettings() {
    Registry& reg = m_icons.registry();
    std::string text;
    current.colourDepth =
        reg.ReadString(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon BPP", &text) == kRegOk
            ? ParseDecimal(text.c_str())
            : 4;
    current.largeIcons = reg.ReadString(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size",
                                        &text) == kRegOk &&
                         ParseDecimal(text.c_str()) == 48;
    current.shortcutOverlays =
        reg.ReadString(RegRoot::ClassesRoot, "lnkfile", "IsShortcut", &text) == kRegOk;
    next.colourDepth = current.colourDepth;
    next.largeIcons = current.largeIcons;
    next.shortcutOverlays = current.shortcutOverlays;
}

bool Engineer::SystemPageDiffers() const {
    return current.colourDepth != next.colourDepth || current.largeIcons != next.largeIcons ||
           current.shortcutOverlays != next.shortcutOverlays ||
           current.metrics.horizontalSpacing != next.metrics.horizontalSpacing ||
           current.metrics.verticalSpacing != next.metrics.verticalSpacing ||
           !SameTitleFont(current.metrics.font, next.metrics.font);
}

void Engineer::MarkPending(int row) {
    SystemObject& o = m_icons.row(row);
    if (o.pending) return;
    o.pending = true;
    ++pendingCount[static_cast<size_t>(o.category)];
    ++pendingTotal;
    categoryTicked[static_cast<size_t>(o.category)] = true;
}

void Engineer::NoteChoice(int row, bool hadChoice) {
    if (mode == EngineerMode::LocalUpdate) {
        MarkPending(row);
        return;
    }
    SystemObject& o = m_icons.row(row);
    size_t c = static_cast<size_t>(o.category);
    categoryTicked[c] = true;
    if (hadChoice || o.pending) return;  // counted when it got its first choice
    ++pendingCount[c];
    ++pendingTotal;
}

void Engineer::Unpend(int row) {
    SystemObject& o = m_icons.row(row);
    if (!o.pending) return;
    o.pending = false;
    Uncount(o.category);
}

void Engineer::Uncount(int category) {
    size_t c = static_cast<size_t>(category);
    if (pendingCount[c] > 0 && --pendingCount[c] == 0) categoryTicked[c] = false;
    if (pendingTotal > 0) --pendingTotal;
}

bool Engineer::AssignChosen(int row, const std::string& path, int index) {
    SystemObject& o = m_icons.row(row);
    Shell& shell = m_icons.shell();
    IconPair icons;
    bool shared = false;
    std::string location;
    int chosenIndex = index;
    if (o.isCursor()) {
        if (path.empty()) {
            // The live system cursor may be the custom one being replaced: until Apply the row
            // shows the standard cursor's picture among the program's own icons.
            icons.large = shell.LoadOwnIcon(kStandardCursorIconBase + o.alternateIndex);
            shared = true;
            chosenIndex = 1;
            location = kWindowsDefaultCursorText;
        } else {
            icons.large = shell.LoadCursorFile(path);
            if (!icons.large) return false;
            chosenIndex = 0;
            location = path;
        }
    } else {
        std::string shown = path;
        int shownIndex = index;
        if (path.empty() && o.key == kKeyShellIcons) {
            shown = m_icons.facts().shell32Path;
            shownIndex = o.defaultIndex;
        } else if (path.empty() && row == kRowInternetExplorer) {
            shown = m_icons.ProgramOfCommand(kInternetObjectClass);
            shownIndex = kInternetProgramIconId;
        }
        if (!shell.LoadLocationIcons(shown, shownIndex, &icons)) return false;
        location = Format("%s,%d", shown.c_str(), shownIndex);
    }
    bool hadChoice = o.chosenSlot != 0;
    m_icons.SetChosenFile(row, path);
    m_icons.SetIcons(row, icons, shared);
    m_icons.SetLocation(row, location);
    o.chosenIndex = chosenIndex;
    o.useInPlace = false;
    modified = true;
    NoteChoice(row, hadChoice);
    return true;
}

bool Engineer::AssignDefault(int row) {
    DefaultChoice d = m_icons.DefaultLocation(row);
    if (!AssignChosen(row, d.restoreCursor ? std::string() : d.file, d.index)) return false;
    m_icons.row(row).useInPlace = !d.restoreCursor;
    return true;
}

void Engineer::ClearUpdate(int row) {
    m_icons.ReadCurrentLocation(row);
    m_icons.row(row).useInPlace = false;
    Unpend(row);
}

void Engineer::DropChoice(int row) {
    SystemObject& o = m_icons.row(row);
    if (o.pending)
        Unpend(row);
    else if (mode == EngineerMode::Motif && o.chosenSlot != 0)
        Uncount(o.category);
    o.chosenSlot = 0;
    o.useInPlace = false;
}

void Engineer::ClearAllPending() {
    for (int r = 0; r < m_icons.rowCount(); ++r) m_icons.row(r).pending = false;
    pendingCount.fill(0);
    pendingTotal = 0;
    // A box is ticked only while its category has something to apply or save.
    for (int c = kCategoryDesktop; c < kCategoryCount; ++c)
        categoryTicked[static_cast<size_t>(c)] = false;
}

}  // namespace vt
