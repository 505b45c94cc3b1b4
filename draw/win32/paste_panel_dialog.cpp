#include "draw/win32/paste_panel_dialog.h"

#include "draw/win32/editor_ids.h"

namespace vt {

namespace {

struct Data {
    bool clipboard;
    bool selection;
    PastePanelChoice choice;
};

INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* d = reinterpret_cast<Data*>(GetWindowLongPtrA(dlg, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dlg, DWLP_USER, lp);
            d = reinterpret_cast<Data*>(lp);
            EnableWindow(GetDlgItem(dlg, IDC_PASTE_FROM_CLIPBOARD), d->clipboard);
            CheckRadioButton(dlg, IDC_PASTE_FROM_CLIPBOARD, IDC_PASTE_FROM_BITMAP,
                             d->clipboard ? IDC_PASTE_FROM_CLIPBOARD : IDC_PASTE_FROM_BITMAP);
            EnableWindow(GetDlgItem(dlg, IDC_PASTE_INTO_SELECTION), d->selection);
            CheckRadioButton(dlg, IDC_PASTE_INTO_SELECTION, IDC_PASTE_AS_NEW,
                             d->selection ? IDC_PASTE_INTO_SELECTION : IDC_PASTE_AS_NEW);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK) {
                d->choice.fromClipboard =
                    d->clipboard &&
                    IsDlgButtonChecked(dlg, IDC_PASTE_FROM_CLIPBOARD) == BST_CHECKED;
                d->choice.intoSelection =
                    d->selection &&
                    IsDlgButtonChecked(dlg, IDC_PASTE_INTO_SELECTION) == BST_CHECKED;
                EndDialog(dlg, IDOK);
                return TRUE;
            }
            if (LOWORD(wp) == IDCANCEL) {
                EndDialog(dlg, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

bool RunPastePanel(HINSTANCE instance, HWND owner, bool clipboardHasBitmap, bool selectionExists,
                   PastePanelChoice* choice) {
    Data d{clipboardHasBitmap, selectionExists, {}};
    if (DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PASTE_PANEL), owner, DialogProc,
                        reinterpret_cast<LPARAM>(&d)) != IDOK)
        return false;
    *choice = d.choice;
    return true;
}

}  // namespace vt
