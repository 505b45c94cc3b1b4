#include "image/win32/new_format_dialog.h"

#include <commctrl.h>

#include "image/win32/new_format_dialog_ids.h"

namespace vt {

namespace {

struct DialogData {
    NewFormatDialogState initial;
    const std::function<NewFormatOutcome(ImageFormat, bool)>* apply;
    bool made = false;
};

void EnableCustom(HWND dlg, bool on) {
    for (int id : {IDC_NF_WIDTH, IDC_NF_HEIGHT, IDC_NF_WIDTH_SPIN, IDC_NF_HEIGHT_SPIN})
        EnableWindow(GetDlgItem(dlg, id), on);
}

void OnInit(HWND dlg, const NewFormatDialogState& s) {
    const int depthId = s.colorCode == kTrueColor ? IDC_NF_TRUE
                        : s.colorCode == kColors256 ? IDC_NF_256
                        : s.colorCode == kMonochrome ? IDC_NF_MONO : IDC_NF_16;
    CheckRadioButton(dlg, IDC_NF_TRUE, IDC_NF_MONO, depthId);
    EnableWindow(GetDlgItem(dlg, IDC_NF_TRUE), s.deepDepthsEnabled);
    EnableWindow(GetDlgItem(dlg, IDC_NF_256), s.deepDepthsEnabled);
    CheckRadioButton(dlg, IDC_NF_48, IDC_NF_CUSTOM, IDC_NF_32);
    for (int id : {IDC_NF_WIDTH_SPIN, IDC_NF_HEIGHT_SPIN}) {
        SendDlgItemMessageA(dlg, id, UDM_SETRANGE32, 8, 64);
        SendDlgItemMessageA(dlg, id, UDM_SETPOS32, 0, 32);
    }
    SetDlgItemInt(dlg, IDC_NF_WIDTH, 32, FALSE);
    SetDlgItemInt(dlg, IDC_NF_HEIGHT, 32, FALSE);
    EnableCustom(dlg, false);
    CheckDlgButton(dlg, IDC_NF_BEGIN_CURRENT, s.beginFromCurrent ? BST_CHECKED : BST_UNCHECKED);
    if (!s.sizeControlsEnabled) {
        for (int id : {IDC_NF_SIZE_GROUP, IDC_NF_48, IDC_NF_32, IDC_NF_16PX, IDC_NF_CUSTOM,
                       IDC_NF_WIDTH_LABEL, IDC_NF_HEIGHT_LABEL})
            EnableWindow(GetDlgItem(dlg, id), FALSE);
    }
}

ImageFormat Chosen(HWND dlg) {
    ImageFormat f;
    f.colorCode = IsDlgButtonChecked(dlg, IDC_NF_TRUE)  ? kTrueColor
                  : IsDlgButtonChecked(dlg, IDC_NF_256) ? kColors256
                  : IsDlgButtonChecked(dlg, IDC_NF_MONO) ? kMonochrome : kColors16;
    if (IsDlgButtonChecked(dlg, IDC_NF_CUSTOM)) {
        f.width = ClampCustomSide(GetDlgItemInt(dlg, IDC_NF_WIDTH, nullptr, FALSE));
        f.height = ClampCustomSide(GetDlgItemInt(dlg, IDC_NF_HEIGHT, nullptr, FALSE));
    } else {
        const int side = IsDlgButtonChecked(dlg, IDC_NF_48) ? 48 : IsDlgButtonChecked(dlg, IDC_NF_16PX) ? 16 : 32;
        f.width = f.height = side;
    }
    return f;
}

INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* data = reinterpret_cast<DialogData*>(GetWindowLongPtrA(dlg, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dlg, DWLP_USER, lp);
            OnInit(dlg, reinterpret_cast<DialogData*>(lp)->initial);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wp)) {
                case IDC_NF_CUSTOM: EnableCustom(dlg, true); return TRUE;
                case IDC_NF_48: case IDC_NF_32: case IDC_NF_16PX: EnableCustom(dlg, false); return TRUE;
                case IDOK: {
                    const bool begin = IsDlgButtonChecked(dlg, IDC_NF_BEGIN_CURRENT) == BST_CHECKED;
                    const NewFormatOutcome o = (*data->apply)(Chosen(dlg), begin);
                    if (o == NewFormatOutcome::StayOpen) return TRUE;
                    data->made = o == NewFormatOutcome::Done;
                    EndDialog(dlg, IDOK);
                    return TRUE;
                }
                case IDCANCEL: EndDialog(dlg, IDCANCEL); return TRUE;
                default: return FALSE;
            }
        default: return FALSE;
    }
}

}  // namespace

bool RunNewFormatDialog(HINSTANCE instance, HWND owner, const NewFormatDialogState& initial,
                        const std::function<NewFormatOutcome(ImageFormat, bool)>& apply) {
    DialogData data{initial, &apply};
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_NEW_FORMAT), owner, DialogProc,
                    reinterpret_cast<LPARAM>(&data));
    return data.made;
}

}  // namespace vt
