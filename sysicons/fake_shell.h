#pragma once
// A scripted shell for tests: icons come from a set of loadable locations, the desktop and the
// special folders are what the test says, and every call that changes the system is logged.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "sysicons/shell.h"
#include "sysicons/text.h"

namespace vt {

class FakeShell : public Shell {
  public:
    int SpecialFolderIconIndex(int csidl) override;
    std::vector<DesktopObject> DesktopObjects() override { return m_desktop; }
    bool LoadLocationIcons(const std::string& path, int index, IconPair* out) override;
    IconHandle LoadCursorFile(const std::string& path) override;
    IconHandle LoadSystemCursor(int id) override;
    IconHandle LoadOwnIcon(int resourceId) override;
    void ReleaseIcon(IconHandle icon) override;
    std::string FindOnSearchPath(const std::string& file) override;
    int IconCount(const std::string& path) override;
    bool GetIconMetrics(IconMetrics* out) override;
    void ReplaceSystemImage(int shellIndex, const IconPair& icons) override;
    void NotifyUpdateImage(int image) override;
    bool SetSystemParameter(int action, int value, bool updateIniFile) override;
    bool SetIconTitleFont(const TitleFont& font) override;
    void BroadcastSettingChange(int action, const std::string& section) override;
    bool ReinitializeIcons(bool full) override;
    void RedrawScreen() override;
    void RestartWindows() override;

    // Set-up.
    void AddIcon(const std::string& path, int index) { m_icons.insert(Key(path, index)); }
    void AddCursor(const std::string& path) { m_cursors.insert(path); }
    void AddSpecialFolder(int csidl, int iconIndex) { m_folders[csidl] = iconIndex; }
    void AddDesktopObject(const std::string& name, const std::string& type, int index) {
        m_desktop.push_back({name, type, index});
    }
    // A file found along the search path (the name without folder) and its full path.
    void AddSearchable(const std::string& file, const std::string& full) {
        m_searchable[file] = full;
    }
    void SetHasReinitialize(bool has) { m_hasReinit = has; }
    void SetIconCount(const std::string& path, int count) { m_counts[path] = count; }
    // Nothing makes GetIconMetrics fail.
    void SetIconMetrics(const IconMetrics* metrics) {
        m_hasMetrics = metrics != nullptr;
        if (metrics) m_metrics = *metrics;
    }

    // Inspection.
    const std::vector<std::string>& log() const { return m_log; }
    void ClearLog() { m_log.clear(); }
    // Icons loaded from files and not yet released.
    size_t liveIcons() const { return m_live.size(); }
    // The location a handle was loaded from ("path,index", a cursor path, "cursor:N", "own:N").
    std::string SourceOf(IconHandle icon) const;

  private:
    static std::string Key(const std::string& path, int index);
    IconHandle Make(const std::string& source, bool owned);

    std::set<std::string, LessNoCase> m_icons;
    std::set<std::string, LessNoCase> m_cursors;
    std::map<int, int> m_folders;
    std::vector<DesktopObject> m_desktop;
    std::map<std::string, std::string, LessNoCase> m_searchable;
    bool m_hasReinit = true;
    std::map<std::string, int, LessNoCase> m_counts;
    bool m_hasMetrics = true;
    IconMetrics m_metrics;
    std::vector<std::string> m_log;
    std::map<IconHandle, std::string> m_sources;
    std::set<IconHandle> m_live;
    IconHandle m_next = 0x100;
};

}  // namespace vt
