#pragma once
// The Engineer's core state and the operations behind its buttons: chosen icons per row, the
// pending counters and category boxes, the System page values, and Apply. The windows of the
// Engineer (engineer/win32) only show this state and call these operations.

#include <array>
#include <functional>
#include <string>

#include "common/prompt.h"
#include "engineer/icon_extract.h"
#include "sysicons/system_icons.h"

namespace vt {

enum class EngineerMode { LocalUpdate = 0, Motif = 1 };

bool SameTitleFont(const TitleFont& a, const TitleFont& b);

// The values of the System page.
struct SystemSettings {
    int colourDepth = 4;  // "Shell Icon BPP": 4, 16 or 24
    bool largeIcons = false;
    bool shortcutOverlays = false;
    IconMetrics metrics;
};

// What one Apply did, for the caller's refresh and for tests.
struct ApplyOutcome {
    bool error = false;
    bool iconsWritten = false;
    bool cursorsWritten = false;
    bool colourDepthChanged = false;
    bool iconSizeChanged = false;
};

extern const char* const kRegistryErrorText;
extern const char* const kRestartQuestionText;
extern const std::array<const char*, 4> kShortcutClasses;

class Engineer {
  public:
    Engineer(SystemIcons& icons, Prompt& prompt, IconGroupSource& groups);

    SystemIcons& icons() { return m_icons; }
    const SystemIcons& icons() const { return m_icons; }
    bool faultyNtShell() const { return m_icons.facts().faultyNtShell; }
    Prompt& prompt() { return m_prompt; }
    IconGroupSource& groups() { return m_groups; }

    EngineerMode mode = EngineerMode::LocalUpdate;
    SystemSettings current;
    SystemSettings next;
    std::array<int, kCategoryCount> pendingCount{};
    int pendingTotal = 0;
    std::array<bool, kCategoryCount> categoryTicked{};
    // Set while the Engineer itself changes the icon metrics: its own setting-change messages are
    // not reactions to the user.
    bool ignoreSettingChanges = false;
    // The list of the current page is repainted through this (the dialog sets it).
    std::function<void()> redrawList;

    // Motif editor state (engineer/motif_file.cpp).
    std::string motifPath;
    bool untitled = true;
    bool modified = false;
    bool theme = false;

    // Icons in the system's "SHELL32.DLL", asked once at start-up (ReadStartupFacts): a row's
    // Default index names one of them only below this count.
    int shell32IconCount = 0;
    // Start-up: the SHELL32.DLL icon count, the System page's registry values and the icon
    // metrics (current and new).
    void ReadStartupFacts();
    // Reads the System page's registry values: colour depth, large icons, shortcut overlays.
    void ReadSystemSettings();
    // Reads the system's icon metrics as current and new values; false when it did not answer.
    bool ReadIconMetrics();
    bool SystemPageDiffers() const;

    // Gives the row a chosen file (an empty path: the built-in icon or, for cursors, the Windows
    // default cursor) and makes it pending. False, with the row unchanged, when it cannot load.
    bool AssignChosen(int row, const std::string& path, int index);
    // "Use Default" in Local System Update mode.
    bool AssignDefault(int row);
    // Drops the row's pending change and shows its current icon again.
    void ClearUpdate(int row);
    void ClearAllPending();
    // The row leaves the chosen rows: its slot is freed and it is taken off the counters, in
    // either mode (its icons are the caller's business).
    void DropChoice(int row);

    ApplyOutcome ApplyChanges();
    void RebuildIconCache();
    // Shows or hides the shortcut arrow: "IsShortcut" on the four shortcut classes.
    long SetShortcutOverlays(bool on);
    void ApplyIconSettingChange(int action, int value);

    // Makes the row take part in the next Apply; its category box is ticked.
    void MarkPending(int row);
    // Counts a row that got a chosen file (by "C&hange..." or a Motif) and ticks its category
    // box. In Local System Update mode the row becomes pending; in Motif Mode the counters follow
    // the rows with a chosen file. `hadChoice`: the row was counted already.
    void NoteChoice(int row, bool hadChoice);

  private:
    void Unpend(int row);
    void Uncount(int category);
    void ApplySystemPage(ApplyOutcome* out);
    bool ApplyIconRow(int row);
    bool ApplyCursorRow(int row);

    SystemIcons& m_icons;
    Prompt& m_prompt;
    IconGroupSource& m_groups;
};

}  // namespace vt
