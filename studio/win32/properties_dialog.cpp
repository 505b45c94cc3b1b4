#include "studio/win32/properties_dialog.h"

#include <commctrl.h>

#include <string>

#include "studio/icon_properties.h"
#include "studio/win32/resource_edit.h"

namespace vt::studio {

namespace {

struct Data {
    const IconResource* doc;
    IconPropertiesText text;
    HFONT nameFont;
};

// The active image at its size, centred: the mask with SRCAND, then the colours with SRCINVERT,
// so transparent pixels show the dialog and inverse pixels invert it.
void DrawIcon(const DRAWITEMSTRUCT& item, const IconImage& img) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    if (!img.HasBits()) return;
    const int w = img.width, h = img.height;
    const int x = (item.rcItem.left + item.rcItem.right - w) / 2;
    const int y = (item.rcItem.top + item.rcItem.bottom - h) / 2;
    const auto* mask = reinterpret_cast<const BITMAPINFO*>(img.maskHeader.data());
    const auto* colour = reinterpret_cast<const BITMAPINFO*>(img.HeaderBytes().data());
    StretchDIBits(item.hDC, x, y, w, h, 0, 0, w, h, img.AndBits().data(), mask, DIB_RGB_COLORS,
                  SRCAND);
    StretchDIBits(item.hDC, x, y, w, h, 0, 0, w, h, img.XorBits().data(), colour, DIB_RGB_COLORS,
                  SRCINVERT);
}

void Fill(HWND dlg, const Data& d) {
    const IconPropertiesText& t = d.text;
    SetDlgItemTextA(dlg, IDC_PROP_NAME, t.name.c_str());
    if (d.nameFont)
        SendDlgItemMessageA(dlg, IDC_PROP_NAME, WM_SETFONT, reinterpret_cast<WPARAM>(d.nameFont),
                            FALSE);
    SetDlgItemTextA(dlg, IDC_PROP_WIDTH, t.width.c_str());
    SetDlgItemTextA(dlg, IDC_PROP_HEIGHT, t.height.c_str());
    SetDlgItemTextA(dlg, IDC_PROP_FORMAT, t.colorFormat.c_str());
    SetDlgItemTextA(dlg, IDC_PROP_COLORS, t.colorsUsed.c_str());
    SetDlgItemTextA(dlg, IDC_PROP_SIZE, t.imageSize.c_str());
    SetDlgItemTextA(dlg, IDC_PROP_TOTAL, t.totalSize.c_str());
    for (int id = IDC_PROP_OTHER_FIRST; id <= IDC_PROP_OTHER_LAST; ++id) {
        const size_t i = static_cast<size_t>(id - IDC_PROP_OTHER_FIRST);
        SetDlgItemTextA(dlg, id, i < t.others.size() ? t.others[i].c_str() : "");
    }
    HWND tab = GetDlgItem(dlg, IDC_PROP_TAB);
    TCITEMA tc{};
    tc.mask = TCIF_TEXT;
    char general[] = "General";
    tc.pszText = general;
    SendMessageA(tab, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tc));
    // The tab lies under the fields it holds.
    SetWindowPos(tab, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* d = reinterpret_cast<Data*>(GetWindowLongPtrA(dlg, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dlg, DWLP_USER, lp);
            Fill(dlg, *reinterpret_cast<Data*>(lp));
            return TRUE;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            if (d && item.CtlID == IDC_PROP_ICON && d->doc->ActiveImage())
                DrawIcon(item, *d->doc->ActiveImage());
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
                EndDialog(dlg, LOWORD(wp));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void RunPropertiesDialog(HINSTANCE instance, HWND owner, const IconResource& doc,
                         const std::string& thousands, HFONT nameFont) {
    if (!doc.ActiveImage()) return;
    Data d{&doc, DescribeIcon(doc, PropertiesName(doc), thousands), nameFont};
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ICON_PROPERTIES), owner, DialogProc,
                    reinterpret_cast<LPARAM>(&d));
}

}  // namespace vt::studio
