// Stand-in for the Windows taskbar in the skyhook Wine test: a top-level window owning a
// button-style tab control whose parent answers the tooltip-text notifications with the titles.
// Command line: the number of buttons to show at start, then "|title" for every known title.

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "taskbar/win32/skyhook_test_wire.h"

namespace {

using namespace vt::test;

std::vector<std::string> g_titles;
std::vector<std::wstring> g_wideTitles;
HWND g_frame = nullptr;
HWND g_tab = nullptr;
size_t g_shown = 0;
WNDPROC g_tabProc = nullptr;
int g_rightClicks = 0;
int g_leftClicks = 0;
int g_titleRequests = 0;

LPARAM ItemValue(int index) {
    TCITEMA item = {};
    item.mask = TCIF_PARAM;
    if (!SendMessageA(g_tab, TCM_GETITEMA, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&item)))
        return -1;
    return item.lParam;
}

void AddButton(size_t title) {
    if (title >= g_titles.size()) return;
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = g_titles[title].data();
    item.lParam = static_cast<LPARAM>(title);
    const int count = static_cast<int>(SendMessageA(g_tab, TCM_GETITEMCOUNT, 0, 0));
    SendMessageA(g_tab, TCM_INSERTITEMA, static_cast<WPARAM>(count),
                 reinterpret_cast<LPARAM>(&item));
}

LRESULT CALLBACK CountingTabProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The tab control with the buttons shown at start, as the taskbar makes it.
void CreateTab() {
    g_tab = CreateWindowA(WC_TABCONTROLA, "",
                          WS_CHILD | WS_VISIBLE | TCS_BUTTONS | TCS_FIXEDWIDTH | TCS_TOOLTIPS, 0, 0,
                          980, 40, g_frame, nullptr, GetModuleHandleA(nullptr), nullptr);
    g_tabProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(g_tab, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingTabProc)));
    SendMessageA(g_tab, TCM_SETITEMSIZE, 0, MAKELPARAM(160, 24));
    for (size_t i = 0; i < g_shown && i < g_titles.size(); ++i) AddButton(i);
}

// Counts the clicks that reach the tab control's own code, under whatever skyhook puts on top.
LRESULT CALLBACK CountingTabProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_RBUTTONDOWN) ++g_rightClicks;
    if (msg == WM_LBUTTONDOWN) ++g_leftClicks;
    return CallWindowProcA(g_tabProc, hwnd, msg, wParam, lParam);
}

LRESULT OnNotify(NMHDR* header) {
    if (header->code != TTN_NEEDTEXTA && header->code != TTN_NEEDTEXTW) return 0;
    ++g_titleRequests;
    const LPARAM value = ItemValue(static_cast<int>(header->idFrom));
    if (value < 0 || static_cast<size_t>(value) >= g_titles.size()) return 0;
    if (header->code == TTN_NEEDTEXTW)
        reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = g_wideTitles[value].data();
    else
        reinterpret_cast<NMTTDISPINFOA*>(header)->lpszText = g_titles[value].data();
    return 0;
}

LRESULT Query(UINT msg, WPARAM wParam, LPARAM lParam) {
    RECT r = {};
    switch (msg) {
        case kTbTabControl:
            return reinterpret_cast<LRESULT>(g_tab);
        case kTbCount:
            return SendMessageA(g_tab, TCM_GETITEMCOUNT, 0, 0);
        case kTbItemValue:
            return ItemValue(static_cast<int>(wParam));
        case kTbSelection:
            return SendMessageA(g_tab, TCM_GETCURSEL, 0, 0);
        case kTbSelect:
            return SendMessageA(g_tab, TCM_SETCURSEL, wParam, 0);
        case kTbLibraryLoaded:
            return GetModuleHandleA("skyhook.dll") != nullptr;
        case kTbRightClicks:
            return g_rightClicks;
        case kTbLeftClicks:
            return g_leftClicks;
        case kTbSetItemSize:
            return SendMessageA(g_tab, TCM_SETITEMSIZE, 0,
                                MAKELPARAM(static_cast<WORD>(wParam), static_cast<WORD>(lParam)));
        case kTbItemWidth:
        case kTbItemHeight:
            if (!SendMessageA(g_tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r))) return -1;
            return msg == kTbItemWidth ? r.right - r.left : r.bottom - r.top;
        case kTbAddButton:
            for (LPARAM i = 0; i < std::max<LPARAM>(lParam, 1); ++i) AddButton(wParam);
            return 0;
        case kTbUpdate:
            return UpdateWindow(g_tab);
        case kTbTooltipDelay: {
            HWND tip = reinterpret_cast<HWND>(SendMessageA(g_tab, TCM_GETTOOLTIPS, 0, 0));
            return tip ? SendMessageA(tip, TTM_GETDELAYTIME, wParam, 0) : -1;
        }
        case kTbTitleRequests:
            return g_titleRequests;
        case kTbPixel: {
            HDC dc = GetDC(g_tab);
            const COLORREF colour =
                GetPixel(dc, static_cast<int>(wParam), static_cast<int>(lParam));
            ReleaseDC(g_tab, dc);
            return colour;
        }
        case kTbItemEdge: {
            if (!SendMessageA(g_tab, TCM_GETITEMRECT, wParam, reinterpret_cast<LPARAM>(&r)))
                return -1;
            const LONG edges[4] = {r.left, r.top, r.right, r.bottom};
            return lParam >= 0 && lParam < 4 ? edges[lParam] : -1;
        }
        case kTbRecreateTab:
            DestroyWindow(g_tab);
            CreateTab();
            return reinterpret_cast<LRESULT>(g_tab);
        case kTbDropHookReference: {
            HMODULE library = GetModuleHandleA("skyhook.dll");
            return library && FreeLibrary(library);
        }
        default:
            return 0;
    }
}

LRESULT CALLBACK TaskbarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg >= kTbTabControl && msg <= kTbRecreateTab) return Query(msg, wParam, lParam);
    switch (msg) {
        case WM_NOTIFY:
            return OnNotify(reinterpret_cast<NMHDR*>(lParam));
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    std::string line = commandLine ? commandLine : "";
    g_shown = static_cast<size_t>(atoi(line.c_str()));
    for (size_t bar = line.find('|'); bar != std::string::npos;) {
        const size_t next = line.find('|', bar + 1);
        g_titles.push_back(
            line.substr(bar + 1, next == std::string::npos ? std::string::npos : next - bar - 1));
        bar = next;
    }
    for (const std::string& t : g_titles) g_wideTitles.emplace_back(t.begin(), t.end());

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = TaskbarProc;
    wc.hInstance = instance;
    wc.lpszClassName = kTaskbarClass;
    RegisterClassA(&wc);
    // Topmost like the real taskbar, so other programs' windows in a shared test run never cover
    // the pixels the test reads back.
    g_frame = CreateWindowExA(WS_EX_TOPMOST, kTaskbarClass, "Test Taskbar", WS_POPUP | WS_VISIBLE,
                              0, 0, 1000, 80, nullptr, nullptr, instance, nullptr);
    CreateTab();

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
