#include "sysicons/icon_cache.h"

#include "common/prompt.h"

namespace vt {

const char* const kWindowMetricsKey = "Control Panel\\desktop\\WindowMetrics";

void DeleteShellIconCache(SystemIcons& icons) {
    icons.files().Delete(icons.facts().windowsDirectory + "ShellIconCache");
}

void RebuildIconCache(SystemIcons& icons, int currentSize, bool* ignoreSettingChanges,
                      const std::function<void()>& redrawList) {
    *ignoreSettingChanges = true;
    for (int size : {currentSize - 1, currentSize}) {
        icons.registry().WriteString(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size",
                                     Format("%d", size), icons.classText());
        icons.shell().BroadcastSettingChange(kSpiSetIconMetrics, "WindowMetrics");
    }
    icons.ReadAllCurrentLocations();
    if (redrawList) redrawList();
    DeleteShellIconCache(icons);
    *ignoreSettingChanges = false;
    icons.iconCacheNeedsRebuild = false;
}

}  // namespace vt
