// The Apply button: System page values first, then every pending row of a ticked category, then
// whatever the shell needs to show the result.

#include "common/prompt.h"
#include "engineer/engineer.h"
#include "sysicons/icon_cache.h"
#include "sysicons/install_icon_file.h"

namespace vt {

const char* const kRegistryErrorText =
    "An error indication was returned while attempting to update the system registry with the new "
    "information.";
const char* const kRestartQuestionText =
    "The icon color depth change will not take effect until Windows is restarted.\n\nDo you want "
    "to to restart "
    "Windows now?";
const std::array<const char*, 4> kShortcutClasses = {"lnkfile", "piffile", "Dialer10CallingCard",
                                                     "InternetShortcut"};

long Engineer::SetShortcutOverlays(bool on) {
    Registry& reg = m_icons.registry();
    for (const char* key : kShortcutClasses) {
        long err =
            on ? reg.WriteString(RegRoot::ClassesRoot, key, "IsShortcut", "", m_icons.classText())
               : reg.DeleteValue(RegRoot::ClassesRoot, key, "IsShortcut");
        if (err == kRegNotFound && !on) err = kRegOk;
        if (err != kRegOk) return err;
    }
    return kRegOk;
}

void Engineer::RebuildIconCache() {
    vt::RebuildIconCache(m_icons, ReadShellIconSize(m_icons.registry()), &ignoreSettingChanges,
                         redrawList);
}

void Engineer::ApplyIconSettingChange(int action, int value) {
    m_icons.shell().SetSystemParameter(action, value, true);
    m_icons.shell().BroadcastSettingChange(action, {});
}

void Engineer::ApplySystemPage(ApplyOutcome* out) {
    Registry& reg = m_icons.registry();
    const char* cls = m_icons.classText();
    if (next.colourDepth != current.colourDepth) {
        reg.WriteString(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon BPP",
                        Format("%d", next.colourDepth), cls);
        out->colourDepthChanged = true;
    }
    if (next.largeIcons != current.largeIcons) {
        // Large icons need room: the spacings grow and shrink with the icon size.
        int delta = next.largeIcons ? 16 : -16;
        next.metrics.horizontalSpacing += delta;
        next.metrics.verticalSpacing += delta;
        reg.WriteString(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size",
                        next.largeIcons ? "48" : "32", cls);
        current.largeIcons = next.largeIcons;
        out->iconSizeChanged = true;
    }
    if (next.shortcutOverlays != current.shortcutOverlays) {
        if (SetShortcutOverlays(next.shortcutOverlays) != kRegOk) out->error = true;
        current.shortcutOverlays = next.shortcutOverlays;
        RebuildIconCache();
    }
    if (next.metrics.horizontalSpacing != current.metrics.horizontalSpacing)
        ApplyIconSettingChange(kSpiIconHorizontalSpacing, next.metrics.horizontalSpacing);
    if (next.metrics.verticalSpacing != current.metrics.verticalSpacing)
        ApplyIconSettingChange(kSpiIconVerticalSpacing, next.metrics.verticalSpacing);
    if (!SameTitleFont(next.metrics.font, current.metrics.font)) {
        m_icons.shell().SetIconTitleFont(next.metrics.font);
        m_icons.shell().BroadcastSettingChange(kSpiSetIconTitleLogFont, {});
    }
    current = next;
}

bool Engineer::ApplyIconRow(int row) {
    SystemObject& o = m_icons.row(row);
    std::string source = m_icons.ChosenFile(row);
    // Nothing of the row's choice changes until the registry names the new file: a failed row
    // stays pending and a retry installs the same icon.
    if (o.useInPlace) {
        if (!m_icons.WriteLocation(row, source, o.chosenIndex)) return false;
        o.useInPlace = false;
        if (source.empty())
            m_icons.ReadCurrentLocation(row);  // the built-in icon is in effect again
        else
            m_icons.SetLocation(row, Format("%s,%d", source.c_str(), o.chosenIndex));
        return true;
    }
    std::string folder = InstalledIconsFolder(m_icons.facts());
    std::string stage = StagePath(folder);
    m_icons.files().MakeDirectory(folder);
    if (!ExtractIconToFile(m_icons.files(), m_prompt, m_groups, source, stage, o.chosenIndex))
        return false;
    InstalledFile installed;
    if (!InstallIconFile(m_icons, m_prompt, folder, row, stage, &installed)) return false;
    if (!m_icons.WriteLocation(row, installed.path, 0)) {
        // The next Apply extracts afresh; the registry keeps naming the previous file.
        TakeBackInstall(m_icons, installed, {});
        return false;
    }
    RemovePreviousInstall(m_icons, installed);
    o.chosenIndex = 0;
    m_icons.SetLocation(row, Format("%s,0", installed.path.c_str()));
    return true;
}

bool Engineer::ApplyCursorRow(int row) {
    SystemObject& o = m_icons.row(row);
    std::string source = m_icons.ChosenFile(row);
    if (m_icons.WriteClassValue(kKeyCursors, RegRoot::CurrentUser, m_icons.keyPath(kKeyCursors), {},
                                o.itemName, source) != kRegOk)
        return false;
    if (o.chosenIndex == 1)
        m_icons.SetIcons(row, {m_icons.shell().LoadSystemCursor(o.shellIndex), 0}, true);
    else
        o.chosenIndex = 0;
    return true;
}

ApplyOutcome Engineer::ApplyChanges() {
    ApplyOutcome out;
    Shell& shell = m_icons.shell();
    if (categoryTicked[kCategorySystem]) ApplySystemPage(&out);
    for (int r = 0; r < m_icons.rowCount(); ++r) {
        SystemObject& o = m_icons.row(r);
        if (!o.pending || !categoryTicked[static_cast<size_t>(o.category)]) continue;
        bool ok = o.isCursor() ? ApplyCursorRow(r) : ApplyIconRow(r);
        if (!ok) {
            // The user's choice is kept for another Apply or a "Clear Update".
            out.error = true;
            continue;
        }
        (o.isCursor() ? out.cursorsWritten : out.iconsWritten) = true;
        o.chosenSlot = 0;
        Unpend(r);
    }
    if (out.error)
        m_prompt.Show({kRegistryErrorText, "Vantoro Engineer", PromptIcon::Exclamation,
                       PromptButtons::Ok, true, 0});
    if (out.iconsWritten) {
        if (m_icons.facts().isNt()) shell.NotifyUpdateImage(-1);
        if (m_icons.iconCacheNeedsRebuild) RebuildIconCache();
        if (m_icons.briefcaseChanged) {
            shell.ReinitializeIcons(false);
            m_icons.briefcaseChanged = false;
        }
        DeleteShellIconCache(m_icons);
    }
    if (out.cursorsWritten) shell.SetSystemParameter(kSpiSetCursors, 0, false);
    if (out.iconSizeChanged) shell.BroadcastSettingChange(kSpiSetIconMetrics, "WindowMetrics");
    if (out.colourDepthChanged &&
        m_prompt.Show({kRestartQuestionText, "Vantoro Engineer", PromptIcon::Question,
                       PromptButtons::YesNo, true, 0}) == PromptAnswer::Yes)
        shell.RestartWindows();
    return out;
}

}  // namespace vt
