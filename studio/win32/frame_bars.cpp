#include "studio/win32/frame_bars.h"

#include <commctrl.h>

#include <vector>

#include "common/win32/program_launch.h"
#include "studio/win32/resource.h"

namespace vt::studio {

namespace {

struct BarButton {
    int image;
    int command;
    bool enabled;
};

constexpr BarButton kSeparator{-1, 0, false};

}  // namespace

HWND CreateFrameToolBar(HWND frame, HINSTANCE instance, bool formatsLocked) {
    HWND bar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                               WS_CHILD | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT | CCS_TOP,
                               0, 0, 0, 0, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TOOLBAR)),
                               instance, nullptr);
    if (!bar) return nullptr;
    SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
    TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(LoadFaceMappedBitmap(instance, IDB_TOOLBAR, false))};
    SendMessageA(bar, TB_ADDBITMAP, 11, reinterpret_cast<LPARAM>(&add));
    std::vector<BarButton> buttons = {
        {0, IDM_FILE_NEW, true}, {1, IDM_FILE_OPEN, true}, {2, IDM_FILE_SAVE, false},
        kSeparator, kSeparator, kSeparator,
        {3, IDM_EDIT_UNDO, false}, {4, IDM_EDIT_REDO, false}, kSeparator,
        {5, IDM_EDIT_CUT, false}, {6, IDM_EDIT_COPY, false}, {7, IDM_EDIT_PASTE, false},
        kSeparator, kSeparator, kSeparator,
        {8, IDM_SCREEN_CAPTURE, true}, kSeparator, {9, IDM_SET_HOT_SPOT, true}};
    if (!formatsLocked) {
        buttons.push_back(kSeparator);
        buttons.push_back({10, IDM_NEW_FORMAT, true});
    }
    std::vector<TBBUTTON> tb;
    for (const BarButton& b : buttons) {
        TBBUTTON t{};
        if (b.image < 0) {
            t.fsStyle = BTNS_SEP;
        } else {
            t.iBitmap = b.image;
            t.idCommand = b.command;
            t.fsState = b.enabled ? TBSTATE_ENABLED : 0;
            t.fsStyle = b.command == IDM_SET_HOT_SPOT ? BTNS_CHECK : BTNS_BUTTON;
        }
        tb.push_back(t);
    }
    SendMessageA(bar, TB_ADDBUTTONSA, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
    SendMessageA(bar, TB_AUTOSIZE, 0, 0);
    return bar;
}

std::string ToolTipText(HINSTANCE instance, int command, bool serverMode) {
    char text[160] = {};
    LoadStringA(instance, static_cast<UINT>(command - IDS_TIP_OFFSET), text, sizeof text);
    std::string tip = text;
    if (serverMode && (command == IDM_FILE_NEW || command == IDM_FILE_OPEN || command == IDM_FILE_SAVE))
        tip += " (not available in server mode)";
    return tip;
}

HWND CreateFrameStatusBar(HWND frame, HINSTANCE instance, HFONT font) {
    HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | SBARS_SIZEGRIP, 0, 0, 0, 0, frame,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUSBAR)), instance, nullptr);
    if (bar && font) SendMessageA(bar, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return bar;
}

void LayoutStatusParts(HWND bar, HFONT font) {
    RECT r;
    GetClientRect(bar, &r);
    HDC dc = GetDC(bar);
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    SIZE pos{}, size{};
    GetTextExtentPoint32A(dc, "  99,99XX", 9, &pos);
    GetTextExtentPoint32A(dc, "  99 x 99XX", 11, &size);
    if (old) SelectObject(dc, old);
    ReleaseDC(bar, dc);
    const int grip = GetSystemMetrics(SM_CXVSCROLL);
    int parts[3];
    parts[2] = r.right - grip;
    parts[1] = parts[2] - (size.cx + 15);
    parts[0] = parts[1] - (pos.cx + 15);
    SendMessageA(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
}

}  // namespace vt::studio
