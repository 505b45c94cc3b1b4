#include "common/win32/window_picture_controls.h"

#include <string>

namespace vt {

bool PrintDialogControl(HWND w, HDC dc, const RECT& client) {
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        return true;
    }
    if (lstrcmpiA(cls, "Static") == 0) {
        const LONG_PTR type = GetWindowLongPtrA(w, GWL_STYLE) & SS_TYPEMASK;
        if (type == SS_ICON) {
            FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
            if (HICON icon = reinterpret_cast<HICON>(SendMessageA(w, STM_GETICON, 0, 0)))
                DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
            return true;
        }
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT) return false;
        // The whole label, however long (warnings run to several sentences).
        std::string label(static_cast<size_t>(GetWindowTextLengthA(w)) + 1, '\0');
        GetWindowTextA(w, label.data(), static_cast<int>(label.size()));
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        HGDIOBJ oldFont =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(IsWindowEnabled(w) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        RECT r = client;
        const UINT align = type == SS_CENTER ? DT_CENTER : type == SS_RIGHT ? DT_RIGHT : DT_LEFT;
        DrawTextA(dc, label.c_str(), -1, &r, align | DT_WORDBREAK);
        SelectObject(dc, oldFont);
        return true;
    }
    if (lstrcmpiA(cls, "Button") != 0) return false;
    const LONG_PTR type = GetWindowLongPtrA(w, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_OWNERDRAW) return false;
    char text[128] = {};
    GetWindowTextA(w, text, sizeof text);
    const bool enabled = IsWindowEnabled(w) != FALSE;
    const bool checked = SendMessageA(w, BM_GETCHECK, 0, 0) == BST_CHECKED;
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    RECT r = client;
    if (type == BS_GROUPBOX) {
        RECT edge{r.left, r.top + 6, r.right, r.bottom};
        DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
        RECT label{r.left + 8, r.top, r.right, r.top + 14};
        DrawTextA(dc, text, -1, &label, DT_SINGLELINE | DT_CALCRECT);
        FillRect(dc, &label, GetSysColorBrush(COLOR_BTNFACE));
        DrawTextA(dc, text, -1, &label, DT_SINGLELINE);
    } else if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON || type == BS_CHECKBOX ||
               type == BS_AUTOCHECKBOX) {
        const bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
        const int box = 13, top = (r.top + r.bottom - box) / 2;
        RECT mark{r.left, top, r.left + box, top + box};
        DrawFrameControl(dc, &mark, DFC_BUTTON,
                         (radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) |
                             (checked ? DFCS_CHECKED : 0) | (enabled ? 0 : DFCS_INACTIVE));
        RECT label{r.left + box + 4, r.top, r.right, r.bottom};
        DrawTextA(dc, text, -1, &label, DT_SINGLELINE | DT_VCENTER);
    } else {
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH);
        DrawTextA(dc, text, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
    SelectObject(dc, oldFont);
    return true;
}

}  // namespace vt
