#include "common/win32/frame_bars.h"

#include <commctrl.h>

#include <vector>

#include "common/win32/program_launch.h"

namespace vt {

HWND CreateFrameToolBar(HWND frame, HINSTANCE instance, int barId, int bitmapId, int imageCount,
                        std::span<const BarButton> buttons) {
    HWND bar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                               WS_CHILD | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT | CCS_TOP,
                               0, 0, 0, 0, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(barId)),
                               instance, nullptr);
    if (!bar) return nullptr;
    SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
    TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(LoadFaceMappedBitmap(instance, bitmapId, false))};
    SendMessageA(bar, TB_ADDBITMAP, static_cast<WPARAM>(imageCount), reinterpret_cast<LPARAM>(&add));
    std::vector<TBBUTTON> tb;
    for (const BarButton& b : buttons) {
        TBBUTTON t{};
        if (b.image < 0) {
            t.fsStyle = BTNS_SEP;
        } else {
            t.iBitmap = b.image;
            t.idCommand = b.command;
            t.fsState = b.enabled ? TBSTATE_ENABLED : 0;
            t.fsStyle = b.check ? BTNS_CHECK : BTNS_BUTTON;
        }
        tb.push_back(t);
    }
    SendMessageA(bar, TB_ADDBUTTONSA, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
    SendMessageA(bar, TB_AUTOSIZE, 0, 0);
    return bar;
}

std::string ToolTipText(HINSTANCE instance, int command) {
    char text[160] = {};
    LoadStringA(instance, static_cast<UINT>(command - kToolTipStringOffset), text, sizeof text);
    return text;
}

HWND CreateFrameStatusBar(HWND frame, HINSTANCE instance, int barId, HFONT font) {
    HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | SBARS_SIZEGRIP, 0, 0, 0, 0, frame,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(barId)), instance, nullptr);
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

void SetStatusText(HWND bar, int part, const std::string& text) {
    if (bar) SendMessageA(bar, SB_SETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string MenuHelpText(HINSTANCE instance, UINT item, UINT flags, HMENU menu, int systemMenuString,
                         int recentFirst, int recentLast) {
    if (flags == 0xFFFF && !menu) return {};
    UINT id = item;
    if (flags & MF_POPUP) {
        if (!(flags & MF_SYSMENU)) return {};
        id = static_cast<UINT>(systemMenuString);
    }
    if (id >= static_cast<UINT>(recentFirst) && id <= static_cast<UINT>(recentLast)) id = static_cast<UINT>(recentFirst);
    char text[256] = {};
    LoadStringA(instance, id, text, sizeof text);
    return text;
}

}  // namespace vt
