#include "studio/win32/new_resource_dialog.h"

#include "studio/win32/resource.h"

namespace vt::studio {

namespace {

struct Data {
    int type;
    bool cursorOnly;
};

INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* data = reinterpret_cast<Data*>(GetWindowLongPtrA(dlg, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG: {
            SetWindowLongPtrA(dlg, DWLP_USER, lp);
            data = reinterpret_cast<Data*>(lp);
            const bool cursor = data->cursorOnly || data->type == 2;
            CheckRadioButton(dlg, IDC_NEWRES_ICON, IDC_NEWRES_CURSOR, cursor ? IDC_NEWRES_CURSOR : IDC_NEWRES_ICON);
            if (data->cursorOnly) {
                EnableWindow(GetDlgItem(dlg, IDC_NEWRES_ICON), FALSE);
                ShowWindow(GetDlgItem(dlg, IDCANCEL), SW_HIDE);
            }
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK) {
                data->type = IsDlgButtonChecked(dlg, IDC_NEWRES_CURSOR) == BST_CHECKED ? 2 : 1;
                EndDialog(dlg, IDOK);
                return TRUE;
            }
            if (LOWORD(wp) == IDCANCEL) {
                // Without a Cancel button (the "#" start) Escape still means OK with a cursor.
                if (data->cursorOnly) {
                    data->type = 2;
                    EndDialog(dlg, IDOK);
                } else {
                    EndDialog(dlg, IDCANCEL);
                }
                return TRUE;
            }
            return FALSE;
        default: return FALSE;
    }
}

}  // namespace

int RunNewResourceDialog(HINSTANCE instance, HWND owner, int currentType, bool cursorOnly) {
    Data data{currentType, cursorOnly};
    const INT_PTR r = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_NEW_RESOURCE), owner, DialogProc,
                                      reinterpret_cast<LPARAM>(&data));
    return r == IDOK ? data.type : 0;
}

}  // namespace vt::studio
