// Painting of the subclassed tab control: the taskbar's own painting goes into an off-screen
// bitmap, flat button frames are drawn over it, and the result is copied to the screen at once,
// so the buttons never flicker through their raised look.

#include <windows.h>
#include <commctrl.h>

#include "taskbar/win32/shared_block.h"
#include "taskbar/win32/skyhook.h"
#include "taskbar/win32/tab_subclass.h"

namespace vt {

namespace {

enum ButtonStyle { kStyleUnchanged = 0, kStyleLightFrame = 1, kStyleNoFrame = 2 };

void FrameRect(HDC dc, HPEN pen, int left, int top, int right, int bottom) {
    SelectObject(dc, pen);
    Rectangle(dc, left, top, right, bottom);
}

// Draws over every button but the selected one: the inner bevel is covered with the face colour,
// then the outer edge becomes raised (hot button), light (style 1) or invisible (style 2).
void DrawFlatButtons(HWND tab, HDC dc) {
    const int style = g_shared.buttonStyle;
    const bool hot = g_shared.hotTracking != 0;
    const int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    const int selected = static_cast<int>(SendMessageW(tab, TCM_GETCURSEL, 0, 0));
    HPEN face = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
    HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ oldPen = SelectObject(dc, face);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    for (int i = 0; i < count; ++i) {
        if (i == selected) continue;
        RECT r;
        if (!SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&r)))
            continue;
        FrameRect(dc, face, r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
        if (hot && i == g_process.hotItem) {
            FrameRect(dc, light, r.left, r.top, r.right, r.bottom);
            SelectObject(dc, shadow);
            const POINT edge[3] = {
                {r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}, {r.right - 1, r.top - 1}};
            Polyline(dc, edge, 3);
        } else {
            FrameRect(dc, style == kStyleNoFrame ? face : light, r.left, r.top, r.right, r.bottom);
        }
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(face);
    DeleteObject(light);
    DeleteObject(shadow);
}

LRESULT PaintInto(HWND tab, HDC dc) {
    WNDPROC previous = g_process.oldTabProc;
    return CallWindowProcW(previous, tab, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

}  // namespace

void PaintTabControl(HWND tab) {
    if (g_process.resortNeeded) SendMessageW(tab, g_process.message, kSkyhookResort, 0);
    PAINTSTRUCT ps;
    HDC screen = BeginPaint(tab, &ps);
    if (screen == nullptr) return;
    RECT clip;
    GetClipBox(screen, &clip);
    const int width = clip.right - clip.left;
    const int height = clip.bottom - clip.top;
    HDC memory = width > 0 && height > 0 ? CreateCompatibleDC(screen) : nullptr;
    HBITMAP bitmap = memory ? CreateCompatibleBitmap(screen, width, height) : nullptr;
    if (bitmap == nullptr) {
        // Without memory for the bitmap the taskbar still paints itself, only without flicker
        // protection and flat buttons.
        if (memory) DeleteDC(memory);
        if (width > 0 && height > 0) PaintInto(tab, screen);
        EndPaint(tab, &ps);
        return;
    }
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    SetWindowOrgEx(memory, clip.left, clip.top, nullptr);
    FillRect(memory, &clip, GetSysColorBrush(COLOR_BTNFACE));
    PaintInto(tab, memory);
    if (g_shared.buttonStyle != kStyleUnchanged) DrawFlatButtons(tab, memory);
    if (g_process.copyToScreen)
        BitBlt(screen, clip.left, clip.top, width, height, memory, clip.left, clip.top, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(tab, &ps);
}

void CALLBACK HotTrackTimer(HWND, UINT, UINT_PTR, DWORD) {
    HWND tab = g_process.tab;
    if (tab == nullptr || !g_process.active) return;
    POINT pt;
    if (!GetCursorPos(&pt)) return;
    ScreenToClient(tab, &pt);
    TCHITTESTINFO hit = {pt, 0};
    const int item =
        static_cast<int>(SendMessageW(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (item == g_process.hotItem) return;
    if (g_shared.buttonStyle != 0 && g_shared.hotTracking != 0) {
        for (int index : {item, g_process.hotItem}) {
            RECT r;
            if (index != -1 && SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                                            reinterpret_cast<LPARAM>(&r)))
                InvalidateRect(tab, &r, FALSE);
        }
    }
    g_process.hotItem = item;
}

}  // namespace vt
