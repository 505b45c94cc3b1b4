#include "sysicons/icon_cache.h"

#include "common/prompt.h"

namespace vt {

const char* const kWindowMetricsKey = "Control Panel\\desktop\\WindowMetrics";

int ReadShellIconSize(Registry& registry) {
    constexpr int kDefaultSize = 32, kMinSize = 16, kMaxSize = 256;
    std::string text;
    if (registry.ReadString(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size", &text) !=
        kRegOk)
        return kDefaultSize;
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    int size = 0;
    size_t digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 4; ++i, ++digits)
        size = size * 10 + (text[i] - '0');
    if (digits == 0 || i != text.size() || size < kMinSize || size > kMaxSize) return kDefaultSize;
    return size;
}

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
    icons.RefreshCurrentIcons();
    if (redrawList) redrawList();
    DeleteShellIconCache(icons);
    *ignoreSettingChanges = false;
    icons.iconCacheNeedsRebuild = false;
}

}  // namespace vt
