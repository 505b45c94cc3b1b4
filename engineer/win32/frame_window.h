#pragma once
// The Engineer's frame window (class "EGRFrame"): menu, status bar, the commands, the recent
// Motifs, the reaction to system setting changes, the icon drop from a sending program, and the
// end of the run. The main dialog sits inside it.

#include <windows.h>

#include <optional>
#include <string>

#include "engineer/drop_receiver.h"

namespace vt::engineer {

class MainDialog;

// "Shell Icon Size" of the current user's window metrics; 32 when absent.
int ShellIconSize();

// The frame also receives icon files dropped by a sending program: it is the drop conversation's
// outlet (DropSink) and where the drop lands (DropTarget).
class FrameWindow : public DropSink, public DropTarget {
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

    void AcknowledgeInitiate(WindowId to) override;
    void PostAck(WindowId to, uint16_t status, uint32_t itemAtom) override;
    void PostTerminate(WindowId to) override;
    bool AcceptsDrops() override;
    std::optional<int> RowAt(int32_t screenX, int32_t screenY) override;
    void Take(int row, const std::string& path) override;

  private:
    void OnCreate();
    void OnCommand(int id);
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    void OnSettingChange();
    void OnDdeInitiate(HWND from, LPARAM atoms);
    void OnDdePoke(HWND from, LPARAM packed);
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
    DropReceiver m_drop{*this, *this};
    std::string m_initiateNames[2];  // application and topic of the initiate being answered
};

}  // namespace vt::engineer
