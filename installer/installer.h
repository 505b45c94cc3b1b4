#pragma once
// The installer library's rules without its windows: the checks before anything is shown, the
// five tabs and the rows each lists, the selection that enables "A&pply", and Apply itself, which
// installs the staged icon as the chosen row's icon. The library's dialog (installer/win32) only
// shows this state and calls these operations.

#include <functional>
#include <string>
#include <vector>

#include "common/prompt.h"
#include "sysicons/system_icons.h"

namespace vt {

extern const char* const kInstallerCaption;            // "Vantoro 98"
extern const char* const kInstallerRegistryErrorText;  // the failed registry write warning
// The three paragraphs of the faulty NT shell notice (template 51).
extern const char* const kFaultyShellTexts[3];

constexpr int kInstallerTabCount = 5;
// String-table identifiers of the library: tab names, item names, the recycle-bin words.
constexpr int kTabNameIdBase = 1300;
constexpr int kItemNameIdBase = 2048;
constexpr int kEmptyWordId = 1202;
constexpr int kFullWordId = 1203;
// Longest folder accepted: "<folder>\stage.ico" must fit a 260-character path buffer.
constexpr size_t kMaxStageFolder = 259 - 10;

// The category a tab shows.
constexpr int TabCategory(int tab) {
    return tab + 1;
}

// "<folder>\stage.ico". Without a multi-byte code page a trailing backslash of the folder is not
// doubled; with one the folder is taken as it stands, since a final backslash byte may be the
// second byte of a character.
std::string InstallerStagePath(const std::string& folder, bool multiByteCodePage);

enum class ApplyResult { Installed, StayOpen };

class Installer {
  public:
    // `userName` reads the logged-on user's name at the moment of an Apply (false when it
    // cannot); `stageIcons` are the staged icon's, owned by the caller.
    Installer(SystemIcons& icons, Prompt& prompt, std::string stagePath, IconPair stageIcons,
              std::function<bool(std::string*)> userName);

    // The table as at the Engineer's start, with the library's recycle-bin words. False (after
    // the "Program tables require rebuilding." box) when the table does not fit the system.
    bool PrepareTable(const std::string& emptyWord, const std::string& fullWord);
    // The dialog opens: first tab, "Shell Icon Size" remembered for a later cache rebuild.
    void Open();

    void SelectTab(int tab);
    int tab() const { return m_tab; }
    // Table rows listed on the current tab, in table order.
    const std::vector<int>& listedRows() const { return m_listed; }
    // A list row was selected (an index into listedRows(); out of range clears the choice).
    void SelectListRow(int index);
    int selectedRow() const { return m_selected; }
    bool applyEnabled() const { return m_selected >= 0; }

    ApplyResult Apply();

    const IconPair& stageIcons() const { return m_stageIcons; }
    const std::string& stagePath() const { return m_stagePath; }
    int iconSize() const { return m_iconSize; }
    SystemIcons& icons() { return m_icons; }

    // Repaints the list after the table's icons were read again (the dialog sets it).
    std::function<void()> redrawList;

  private:
    void TakeUserName();

    SystemIcons& m_icons;
    Prompt& m_prompt;
    std::string m_stagePath;
    IconPair m_stageIcons;
    std::function<bool(std::string*)> m_userName;
    int m_tab = 0;
    std::vector<int> m_listed;
    int m_selected = -1;
    int m_iconSize = 32;
    bool m_ignoreSettingChanges = false;
};

// What InstallIcon shows, in the library's windows.
class InstallerDialogs {
  public:
    virtual ~InstallerDialogs() = default;
    // The notice of template 51, with OK.
    virtual void ShowFaultyShellNotice() = 0;
    // The modal "Install Icon" dialog; true when it ended after a successful Apply.
    virtual bool RunInstallDialog(Installer& installer) = 0;
};

// Everything one InstallIcon call works with.
struct InstallerSystem {
    Registry& registry;
    Shell& shell;
    FileSystem& files;
    Prompt& prompt;
    EnvironmentFacts facts;
    bool multiByteCodePage = false;
    std::string emptyWord = "empty";
    std::string fullWord = "full";
    std::function<bool(std::string*)> userName;
};

// InstallIcon: 1 when the staged icon was installed, 0 otherwise. A missing or over-long folder
// and a stage file the shell cannot load give 0 before any table work or window. Every icon
// loaded here is released before it returns, however the dialog ended.
int RunInstallIcon(const char* folder, InstallerSystem& system, InstallerDialogs& dialogs);

}  // namespace vt
