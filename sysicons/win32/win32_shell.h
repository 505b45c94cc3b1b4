#pragma once
// The shell seam over shell32, user32 and comctl32. Where the running shell lacks a call (Wine
// has no Windows 95 shell), the adapter reports failure and the rules hide the row instead.

#include "sysicons/shell.h"

namespace vt {

class Win32Shell : public Shell {
  public:
    Win32Shell();
    ~Win32Shell() override;
    Win32Shell(const Win32Shell&) = delete;
    Win32Shell& operator=(const Win32Shell&) = delete;

    int SpecialFolderIconIndex(int csidl) override;
    std::vector<DesktopObject> DesktopObjects() override;
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

  private:
    bool m_comStarted = false;
};

}  // namespace vt
