#pragma once
// The "Install Icon" dialog (template 50): tabs of categories, an owner-drawn list of the rows of
// the chosen tab with their current icons, the staged icon, and Apply. It shows the installer core
// and calls it; its procedure is the library's export MainDialog.

#include <windows.h>

#include "installer/installer.h"

namespace vt {

class InstallDialog {
  public:
    // Runs the modal dialog owned by `owner`; true when it ended after a successful Apply.
    static bool Run(HINSTANCE instance, HWND owner, Installer& installer);
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static INT_PTR Dispatch(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    InstallDialog(HINSTANCE instance, Installer& installer)
        : m_instance(instance), m_installer(installer) {}
    BOOL OnInitDialog(HWND dialog);
    void OnCommand(int id, int code);
    void OnNotify(const NMHDR& header);
    static void OnMeasureItem(MEASUREITEMSTRUCT& item);
    void OnDrawItem(const DRAWITEMSTRUCT& item) const;
    void DrawRow(const DRAWITEMSTRUCT& item) const;
    void DrawStageIcon(const DRAWITEMSTRUCT& item) const;
    void FillList();
    void CentreOnScreen();

    HINSTANCE m_instance;
    Installer& m_installer;
    HWND m_dialog = nullptr;
};

}  // namespace vt
