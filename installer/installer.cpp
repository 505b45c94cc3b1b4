#include "installer/installer.h"

#include <cstring>

#include "sysicons/icon_cache.h"
#include "sysicons/install_icon_file.h"
#include "sysicons/text.h"

namespace vt {

const char* const kInstallerCaption = "Vantoro 98";
const char* const kInstallerRegistryErrorText =
    "An error indication was returned while attempting to update the system registry with the new "
    "information.";
const char* const kFaultyShellTexts[3] = {
    "Vantoro has detected that the original Windows shell for your NT 4.0 installation has been "
    "replaced with a buggy version installed by Internet Explorer 4.0.",
    "The shell that was installed by IE 4.0 is unable to process changes to desktop icons without "
    "corrupting its own image list.  Unfortunately there is no way to workaround this problem.",
    "Microsoft is aware of this situation and has suggested that the problems will not be "
    "corrected in any Internet Explorer 4.x updates.  The first corrected shell may be available "
    "in Internet Explorer 5.0."};

std::string InstallerStagePath(const std::string& folder, bool multiByteCodePage) {
    if (multiByteCodePage) return folder + "\\stage.ico";
    return StagePath(folder);
}

Installer::Installer(SystemIcons& icons, Prompt& prompt, std::string stagePath, IconPair stageIcons,
                     std::function<bool(std::string*)> userName)
    : m_icons(icons),
      m_prompt(prompt),
      m_stagePath(std::move(stagePath)),
      m_stageIcons(stageIcons),
      m_userName(std::move(userName)) {}

bool Installer::PrepareTable(const std::string& emptyWord, const std::string& fullWord) {
    m_icons.SetRecycleWords(emptyWord, fullWord);
    if (m_icons.Prepare()) return true;
    m_prompt.Show(
        {kTablesNeedRebuildText, kInstallerCaption, PromptIcon::Stop, PromptButtons::Ok, true, 0});
    return false;
}

void Installer::Open() {
    m_iconSize = ReadShellIconSize(m_icons.registry());
    SelectTab(0);
}

void Installer::SelectTab(int tab) {
    m_tab = tab < 0 || tab >= kInstallerTabCount ? 0 : tab;
    m_listed.clear();
    for (int r = 0; r < m_icons.rowCount(); ++r)
        if (m_icons.row(r).category == TabCategory(m_tab) && m_icons.IsListed(r))
            m_listed.push_back(r);
    // A refilled list has no selection, so Apply waits for a new one.
    m_selected = -1;
}

void Installer::SelectListRow(int index) {
    m_selected = index >= 0 && static_cast<size_t>(index) < m_listed.size()
                     ? m_listed[static_cast<size_t>(index)]
                     : -1;
}

void Installer::TakeUserName() {
    // The user may have changed since the library was loaded; the installed file's name follows
    // the user of this moment.
    std::string name;
    if (!m_userName || !m_userName(&name) || name.empty()) name = "User";
    m_icons.SetUserName(name.substr(0, kMaxUserName));
}

ApplyResult Installer::Apply() {
    int r = m_selected;
    if (r < 0) return ApplyResult::StayOpen;
    TakeUserName();
    FileSystem& fs = m_icons.files();
    Shell& shell = m_icons.shell();
    std::string folder = InstalledIconsFolder(m_icons.facts());
    fs.MakeDirectory(folder);
    InstalledFile installed;
    if (!InstallIconFile(m_icons, m_prompt, folder, r, m_stagePath, &installed))
        return ApplyResult::StayOpen;
    // The shell's image lists take the row's icons when the write is announced.
    IconPair fresh;
    if (shell.LoadLocationIcons(installed.path, 0, &fresh)) m_icons.SetIcons(r, fresh, false);
    if (!m_icons.WriteLocation(r, installed.path, 0)) {
        // Everything as it was: the stage file back for another try, the old file and value kept,
        // the row showing what is in effect.
        TakeBackInstall(m_icons, installed, m_stagePath);
        m_icons.ReadCurrentLocation(r);
        m_prompt.Show({kInstallerRegistryErrorText, kInstallerCaption, PromptIcon::Exclamation,
                       PromptButtons::Ok, true, 0});
        if (redrawList) redrawList();
        return ApplyResult::StayOpen;
    }
    RemovePreviousInstall(m_icons, installed);
    m_icons.SetLocation(r, Format("%s,0", installed.path.c_str()));
    if (redrawList) redrawList();
    if (m_icons.facts().isNt()) shell.NotifyUpdateImage(-1);
    if (m_icons.iconCacheNeedsRebuild)
        RebuildIconCache(m_icons, m_iconSize, &m_ignoreSettingChanges, redrawList);
    if (m_icons.briefcaseChanged) {
        shell.ReinitializeIcons(false);
        m_icons.briefcaseChanged = false;
    }
    return ApplyResult::Installed;
}

int RunInstallIcon(const char* folder, InstallerSystem& system, InstallerDialogs& dialogs) {
    if (!folder || !*folder || std::strlen(folder) > kMaxStageFolder) return 0;
    std::string stage = InstallerStagePath(folder, system.multiByteCodePage);
    IconPair stageIcons;
    if (!system.files.Exists(stage) || !system.shell.LoadLocationIcons(stage, 0, &stageIcons))
        return 0;
    struct Release {
        Shell& shell;
        IconPair icons;
        ~Release() {
            shell.ReleaseIcon(icons.large);
            shell.ReleaseIcon(icons.small);
        }
    } release{system.shell, stageIcons};
    if (system.facts.faultyNtShell) {
        dialogs.ShowFaultyShellNotice();
        return 0;
    }
    // The table lives for this call only: its icons go with it.
    SystemIcons icons(system.registry, system.shell, system.files, system.facts,
                      Program::Installer);
    Installer installer(icons, system.prompt, stage, stageIcons, system.userName);
    if (!installer.PrepareTable(system.emptyWord, system.fullWord)) return 0;
    installer.Open();
    return dialogs.RunInstallDialog(installer) ? 1 : 0;
}

}  // namespace vt
