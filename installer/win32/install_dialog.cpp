#include "installer/win32/install_dialog.h"

#include <commctrl.h>

#include "installer/win32/resource.h"

namespace vt {

namespace {

HICON AsIcon(IconHandle h) {
    return reinterpret_cast<HICON>(h);
}

std::string LoadText(HINSTANCE instance, int id) {
    char buf[256] = "";
    LoadStringA(instance, static_cast<UINT>(id), buf, sizeof buf);
    return buf;
}

}  // namespace

bool InstallDialog::Run(HINSTANCE instance, HWND owner, Installer& installer) {
    InstallDialog dialog(instance, installer);
    INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_INSTALL_ICON), owner, Procedure,
                                     reinterpret_cast<LPARAM>(&dialog));
    return result == TRUE;
}

INT_PTR CALLBACK InstallDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return Dispatch(dialog, message, wParam, lParam);
    } catch (...) {
        // Nothing may cross into the caller's message loop; the install counts as not done.
        EndDialog(dialog, FALSE);
        return TRUE;
    }
}

INT_PTR InstallDialog::Dispatch(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<InstallDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            self = reinterpret_cast<InstallDialog*>(lParam);
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            return self->OnInitDialog(dialog);
        case WM_MEASUREITEM:
            // Arrives before WM_INITDIALOG: the height depends on the system metrics only.
            OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
            return TRUE;
    }
    if (!self) return FALSE;
    switch (message) {
        case WM_COMMAND:
            self->OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_NOTIFY:
            self->OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
            return TRUE;
        case WM_DRAWITEM:
            self->OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
    }
    return FALSE;
}

void InstallDialog::OnMeasureItem(MEASUREITEMSTRUCT& item) {
    item.itemHeight = static_cast<UINT>(GetSystemMetrics(SM_CYICON) * 3 / 2);
}

BOOL InstallDialog::OnInitDialog(HWND dialog) {
    m_dialog = dialog;
    m_installer.redrawList = [this] {
        InvalidateRect(GetDlgItem(m_dialog, IDC_ROWS), nullptr, TRUE);
    };
    CentreOnScreen();
    HWND tabs = GetDlgItem(dialog, IDC_TABS);
    for (int t = 0; t < kInstallerTabCount; ++t) {
        std::string name = LoadText(m_instance, kTabNameIdBase + t);
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = name.data();
        SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(t),
                     reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(m_installer.tab()), 0);
    FillList();
    SetFocus(tabs);
    return FALSE;  // the focus is set
}

void InstallDialog::CentreOnScreen() {
    RECT r;
    GetWindowRect(m_dialog, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    SetWindowPos(m_dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void InstallDialog::FillList() {
    HWND list = GetDlgItem(m_dialog, IDC_ROWS);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (int row : m_installer.listedRows())
        SendMessageA(list, LB_ADDSTRING, 0, static_cast<LPARAM>(row));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    EnableWindow(GetDlgItem(m_dialog, IDC_APPLY), m_installer.applyEnabled());
}

void InstallDialog::OnCommand(int id, int code) {
    switch (id) {
        case IDC_ROWS:
            if (code == LBN_SELCHANGE) {
                int index =
                    static_cast<int>(SendDlgItemMessageA(m_dialog, IDC_ROWS, LB_GETCURSEL, 0, 0));
                m_installer.SelectListRow(index);
                EnableWindow(GetDlgItem(m_dialog, IDC_APPLY), m_installer.applyEnabled());
            }
            break;
        case IDC_APPLY:
            if (m_installer.Apply() == ApplyResult::Installed) EndDialog(m_dialog, TRUE);
            break;
        case IDCANCEL:
            EndDialog(m_dialog, FALSE);
            break;
    }
}

void InstallDialog::OnNotify(const NMHDR& header) {
    if (header.idFrom != IDC_TABS || header.code != TCN_SELCHANGE) return;
    m_installer.SelectTab(static_cast<int>(SendMessageA(header.hwndFrom, TCM_GETCURSEL, 0, 0)));
    FillList();
}

void InstallDialog::OnDrawItem(const DRAWITEMSTRUCT& item) const {
    if (item.CtlID == IDC_STAGE_ICON)
        DrawStageIcon(item);
    else if (item.CtlID == IDC_ROWS && item.itemID != static_cast<UINT>(-1))
        DrawRow(item);
}

void InstallDialog::DrawStageIcon(const DRAWITEMSTRUCT& item) const {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
    int x = (item.rcItem.left + item.rcItem.right - cx) / 2;
    int y = (item.rcItem.top + item.rcItem.bottom - cy) / 2;
    DrawIconEx(item.hDC, x, y, AsIcon(m_installer.stageIcons().large), cx, cy, 0, nullptr,
               DI_NORMAL);
}

void InstallDialog::DrawRow(const DRAWITEMSTRUCT& item) const {
    int row = static_cast<int>(item.itemData);
    if (row < 0 || row >= m_installer.icons().rowCount()) return;
    const SystemObject& o = m_installer.icons().row(row);
    // Rows scrolled out of view must not spill over the dialog, whatever DC they are drawn into.
    int saved = SaveDC(item.hDC);
    RECT client;
    GetClientRect(item.hwndItem, &client);
    IntersectClipRect(item.hDC, client.left, client.top, client.right, client.bottom);
    if (HFONT font = reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0)))
        SelectObject(item.hDC, font);
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    // The icon sits at the right; the name is centred in the room left of it.
    int cyLarge = GetSystemMetrics(SM_CYICON), cySmall = GetSystemMetrics(SM_CYSMICON);
    bool small = cyLarge == cySmall;
    int size = small ? cySmall : cyLarge;
    HICON icon = AsIcon(small && o.smallIcon ? o.smallIcon : o.largeIcon);
    int height = item.rcItem.bottom - item.rcItem.top;
    int iconX = item.rcItem.right - size - 4;
    if (icon)
        DrawIconEx(item.hDC, iconX, item.rcItem.top + (height - size) / 2, icon, size, size, 0,
                   nullptr, DI_NORMAL);
    RECT text = item.rcItem;
    text.left += 2;
    text.right = iconX - 4;
    const std::string& name = o.displayName.empty() ? o.itemName : o.displayName;
    RECT measure = text;
    DrawTextA(item.hDC, name.c_str(), -1, &measure, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
    int used = measure.bottom - measure.top;
    text.top += (height - used) / 2;
    DrawTextA(item.hDC, name.c_str(), -1, &text, DT_CENTER | DT_WORDBREAK);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    RestoreDC(item.hDC, saved);
}

}  // namespace vt
