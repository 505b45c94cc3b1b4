#include "librarian/win32/item_dialogs.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "librarian/properties_text.h"
#include "librarian/view_layout.h"
#include "librarian/win32/librarian_app.h"
#include "librarian/win32/resource.h"

namespace vt::librarian {

namespace {

constexpr char kNewCopyTitle[] = "Name New Copy";

std::string LoadText(int id) {
    char text[512] = {};
    LoadStringA(g_app.instance, static_cast<UINT>(id), text, sizeof text);
    return text;
}

// What the dialogs keep while they are open.
struct DialogState {
    size_t icon = 0;
    bool newCopy = false;
    HICON image = nullptr;
};

// Draws the dialog's image centred in its owner-drawn control, scaled down when it is larger.
void DrawDialogImage(const DRAWITEMSTRUCT& item, HICON image) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    if (!image) return;
    ICONINFO info{};
    int w = 32, h = 32;
    if (GetIconInfo(image, &info)) {
        BITMAP bm{};
        if (GetObjectA(info.hbmMask, sizeof bm, &bm)) {
            w = bm.bmWidth;
            h = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
        }
        if (info.hbmMask) DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }
    const int boxW = item.rcItem.right - item.rcItem.left,
              boxH = item.rcItem.bottom - item.rcItem.top;
    if (w > boxW || h > boxH) {
        // Keep the proportions within the control.
        if (w * boxH > h * boxW) {
            h = h * boxW / w, w = boxW;
        } else {
            w = w * boxH / h, h = boxH;
        }
    }
    DrawIconEx(item.hDC, item.rcItem.left + (boxW - w) / 2, item.rcItem.top + (boxH - h) / 2, image,
               w, h, 0, nullptr, DI_NORMAL);
}

// The one tab, "General", of the properties dialogs.
void AddGeneralTab(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[32] = {};
        GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, WC_TABCONTROLA) != 0) continue;
        TCITEMA tab{};
        tab.mask = TCIF_TEXT;
        char text[] = "General";
        tab.pszText = text;
        SendMessageA(child, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tab));
    }
}

INT_PTR CALLBACK RenameProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG: {
            SetWindowLongPtrA(dialog, DWLP_USER, lp);
            state = reinterpret_cast<DialogState*>(lp);
            if (state->newCopy) SetWindowTextA(dialog, kNewCopyTitle);
            const Workspace& ws = g_app.workspace;
            HWND field = GetDlgItem(dialog, IDC_RENAME_NAME);
            SendMessageA(field, EM_LIMITTEXT, kMaxDisplayName, 0);
            SetWindowTextA(field, Workspace::ShownName(ws.icons()[state->icon]).c_str());
            SendMessageA(field, EM_SETSEL, 0, -1);
            SetFocus(field);
            return FALSE;
        }
        case WM_DRAWITEM:
            if (wp == IDC_RENAME_IMAGE) {
                DrawDialogImage(*reinterpret_cast<DRAWITEMSTRUCT*>(lp),
                                state ? state->image : nullptr);
                return TRUE;
            }
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK) {
                char name[kMaxDisplayName + 2] = {};
                GetDlgItemTextA(dialog, IDC_RENAME_NAME, name, sizeof name);
                g_app.workspace.Rename(state->icon, name);
                EndDialog(dialog, 1);
                return TRUE;
            }
            if (LOWORD(wp) == IDCANCEL) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK IconPropertiesProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG: {
            SetWindowLongPtrA(dialog, DWLP_USER, lp);
            state = reinterpret_cast<DialogState*>(lp);
            AddGeneralTab(dialog);
            const IconPropertiesText t =
                MakeIconProperties(g_app.workspace, state->icon, g_app.thousands);
            SetDlgItemTextA(dialog, IDC_ICONPROP_NAME, t.name.c_str());
            SetDlgItemTextA(dialog, IDC_ICONPROP_ID, t.internalId.c_str());
            for (int i = 0; i <= IDC_ICONPROP_FORMAT_LAST - IDC_ICONPROP_FORMAT_FIRST; ++i) {
                const char* text =
                    static_cast<size_t>(i) < t.formats.size() ? t.formats[i].c_str() : "";
                SetDlgItemTextA(dialog, IDC_ICONPROP_FORMAT_FIRST + i, text);
            }
            SetDlgItemTextA(dialog, IDC_ICONPROP_TOTAL, t.totalSize.c_str());
            return TRUE;
        }
        case WM_DRAWITEM:
            if (wp == IDC_ICONPROP_IMAGE) {
                DrawDialogImage(*reinterpret_cast<DRAWITEMSTRUCT*>(lp),
                                state ? state->image : nullptr);
                return TRUE;
            }
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK FilePropertiesProc(HWND dialog, UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG: {
            AddGeneralTab(dialog);
            // A workspace without file is named as the title bar names it.
            const std::string title =
                g_app.fileTitle.empty() ? LoadText(IDS_UNTITLED) : g_app.fileTitle;
            const FilePropertiesText t =
                MakeFileProperties(g_app.workspace, title, g_app.thousands);
            SetDlgItemTextA(dialog, IDC_FILEPROP_NAME, t.name.c_str());
            SetDlgItemTextA(dialog, IDC_FILEPROP_TYPE, t.type.c_str());
            SetDlgItemTextA(dialog, IDC_FILEPROP_ICONS, t.icons.c_str());
            SetDlgItemTextA(dialog, IDC_FILEPROP_IMAGES, t.images.c_str());
            for (int i = 0; i <= IDC_FILEPROP_FORMAT_LAST - IDC_FILEPROP_FORMAT_FIRST; ++i) {
                const char* text =
                    static_cast<size_t>(i) < t.formats.size() ? t.formats[i].c_str() : "";
                SetDlgItemTextA(dialog, IDC_FILEPROP_FORMAT_FIRST + i, text);
            }
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

HICON MakeDialogImage(size_t iconIndex, bool preferCurrentFormat) {
    const Workspace& ws = g_app.workspace;
    if (iconIndex >= ws.iconCount()) return nullptr;
    long image = preferCurrentFormat ? ImageOfFormat(ws, iconIndex, ws.currentFormat()) : -1;
    if (image < 0)
        image = ChooseImageForSize(ws, iconIndex, g_app.desktop.largeIcon, g_app.shellColorCode);
    if (image < 0) return nullptr;
    const ImageEntry& e = ws.images()[static_cast<size_t>(image)];
    std::vector<uint8_t> block(e.size);
    if (block.empty() || !ws.ReadBlock(e.workspaceOffset, block.data(), block.size()))
        return nullptr;
    return CreateIconFromResourceEx(block.data(), static_cast<DWORD>(block.size()), TRUE,
                                    0x00030000, e.width, e.height, LR_DEFAULTCOLOR);
}

bool RunRenameDialog(HWND owner, size_t iconIndex, bool newCopy) {
    if (iconIndex >= g_app.workspace.iconCount()) return false;
    DialogState state{iconIndex, newCopy, MakeDialogImage(iconIndex, true)};
    const INT_PTR result = DialogBoxParamA(g_app.instance, MAKEINTRESOURCEA(IDD_RENAME), owner,
                                           RenameProc, reinterpret_cast<LPARAM>(&state));
    if (state.image) DestroyIcon(state.image);
    return result == 1;
}

void RunIconPropertiesDialog(HWND owner, size_t iconIndex) {
    if (iconIndex >= g_app.workspace.iconCount()) return;
    // The image chosen for the large size, as Desktop View shows it.
    DialogState state{iconIndex, false, MakeDialogImage(iconIndex, false)};
    DialogBoxParamA(g_app.instance, MAKEINTRESOURCEA(IDD_ICON_PROPERTIES), owner,
                    IconPropertiesProc, reinterpret_cast<LPARAM>(&state));
    if (state.image) DestroyIcon(state.image);
}

void RunFilePropertiesDialog(HWND owner) {
    DialogBoxParamA(g_app.instance, MAKEINTRESOURCEA(IDD_FILE_PROPERTIES), owner,
                    FilePropertiesProc, 0);
}

}  // namespace vt::librarian
