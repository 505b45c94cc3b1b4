#pragma once
// Making the shell drop its cached icons: the icon size is changed and changed back, which makes
// the shell rebuild its image lists, and the cache file is deleted.

#include <functional>

#include "sysicons/system_icons.h"

namespace vt {

extern const char* const kWindowMetricsKey;  // current user "Control Panel\desktop\WindowMetrics"

// "Shell Icon Size" of the current user: 32 when absent or not a plausible icon size, so a
// rebuild never turns a custom size into another.
int ReadShellIconSize(Registry& registry);

// `currentSize` is the present "Shell Icon Size"; `redrawList` repaints the caller's list after
// the table's icons were refreshed (rows with a choice keep it). The caller ignores
// setting-change messages while `*ignoreSettingChanges` is set.
void RebuildIconCache(SystemIcons& icons, int currentSize, bool* ignoreSettingChanges,
                      const std::function<void()>& redrawList);

// Deletes the shell's icon cache file in the Windows directory.
void DeleteShellIconCache(SystemIcons& icons);

}  // namespace vt
