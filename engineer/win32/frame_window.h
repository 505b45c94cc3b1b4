#pragma once
// The Engineer's frame window (class "EGRFrame"): menu, status bar, the commands, the recent
// Motifs, the reaction to system setting changes, the icon drop from a sending program, and the
// end of the run. The main dialog sits inside it.

#include <windows.h>

#include <string>

namespace vt::engineer {

class MainDialog;

// "Shell Icon Size" of the current user's window metrics; 32 when absent.
int ShellIconSize();

class FrameWindow {
  public:
    static bool Register(HINSTANCE instance);
    static FrameWindow* Create(HINSTANCE instance);
    HWND hwnd() const { return m_hwnd; }
    MainDialog* dialog() const { return m_dialog; }

    // Creates the main dialog, sizes the frame to it and shows both.
    bool Start(int show);
    // A Motif named on the command line.
    void OpenFromCommandLine(const std::string& path);

    // The message part of the status bar: the selected row's status text, or empty.
    void ShowRowStatus();
    void ClearStatus();
    // Title and the File menu after anything changed.
    void RefreshFrame();

    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    HWND m_hwnd = nullptr;

  private:
    void OnCreate();
    void OnCommand(int id);
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    void OnSettingChange();
    void OnClose();
    void OnDestroy();
    void LayoutStatus();
    void SwitchMode(int mode);
    void AfterOpen();
    void OpenRecent(int position);
    void RebuildRecentItems();
    void RefreshFileMenu();

    MainDialog* m_dialog = nullptr;
    std::string m_message;
    bool m_menuOpen = false;
    int m_recentShown = 0;  // recent items in the File menu now
};

}  // namespace vt::engineer
