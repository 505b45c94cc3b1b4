#pragma once
// The Engineer's main dialog (template 50): a modeless child of the frame with the category tabs,
// the owner-drawn list of the page's rows, the System page, the category boxes and the buttons.

#include <windows.h>

#include <optional>
#include <string>

namespace vt::engineer {

class MainDialog {
  public:
    static MainDialog* Create(HWND frame);
    HWND hwnd() const { return m_hwnd; }

    // Current page: a category (0 System .. 6 Cursor).
    int page() const { return m_page; }
    // The table row selected in the list, or -1.
    int SelectedRow() const;
    // The dialog's size in pixels, for the frame.
    SIZE Size() const;

    // After a mode switch, an open or New: tabs, buttons and group caption follow the mode.
    void ShowMode();
    // After New, an open or a cache rebuild: the page shows the table's rows and values again.
    void Reload();
    // Runs every enable rule and redraws the list.
    void Refresh();
    // The selected row's status text for the frame's message part (empty on the System page).
    std::string StatusText() const;
    // After a change of the shell's icon size: item height and list follow.
    void FollowIconSize();
    // The row of the list entry under a point of the screen; nothing on the System page, outside
    // the list or past its last entry.
    std::optional<int> RowAt(POINT screen) const;
    void SelectRow(int row);
    // The row takes the file as by "C&hange..." once the quality check passed (icon rows).
    void TakeFile(int row, const std::string& path, int index);

  private:
    static INT_PTR CALLBACK Proc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnInit();
    void OnCommand(int id, int code);
    void BuildTabs();
    void SelectPage(int page);
    void FillList();
    void DrawRow(const DRAWITEMSTRUCT& di);
    void ShowSystemValues();
    void FillSizes();
    void OnSpacing(int id);
    void OnFontChoice(int id);
    void OnChange();
    void OnUseDefault();
    void OnClearUpdate();
    void OnApply();
    void OnResetAll();
    void OnColourDepth();
    void EvaluateSystemPage();
    void SetItemHeight();
    int IconSize() const;
    void ShowStatus();

    HWND m_hwnd = nullptr;
    HWND m_frame = nullptr;
    int m_page = 0;
    int m_itemHeight = 48;
    bool m_filling = false;  // controls are being set by the program, not the user
    int m_lastSpacing[2] = {0, 0};
};

}  // namespace vt::engineer
