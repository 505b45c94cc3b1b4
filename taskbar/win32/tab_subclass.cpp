#include "taskbar/win32/tab_subclass.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <new>
#include <string_view>
#include <vector>

#include "taskbar/pattern_table.h"
#include "taskbar/resort_plan.h"
#include "taskbar/win32/shared_block.h"
#include "taskbar/win32/skyhook.h"
#include "taskbar/win32/trace.h"

namespace vt {

namespace {

constexpr DWORD kUnloadDelayMs = 5000;

LRESULT CALLBACK TabProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

bool IsWindowsNT() {
    if (g_process.isNT < 0) {
        OSVERSIONINFOA info = {};
        info.dwOSVersionInfoSize = sizeof info;
        g_process.isNT = GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    }
    return g_process.isNT != 0;
}

LRESULT CallOldTabProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(g_process.oldTabProc, hwnd, msg, wParam, lParam);
}

// The taskbar window's replacement only forwards; it keeps the library in the chain of both
// windows for as long as the subclassing lasts.
LRESULT CALLBACK TaskbarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(g_process.oldTaskbarProc, hwnd, msg, wParam, lParam);
}

void NotifyController(WPARAM code) {
    HWND controller = g_shared.controller;
    if (controller != nullptr && IsWindow(controller))
        PostMessageW(controller, g_process.message, code, 0);
}

// A size request of the library's own, which must not replace the taskbar's remembered size.
// It goes through the replacement procedure, so square sizing applies to it.
LRESULT OwnSizeRequest(HWND tab, LPARAM size) {
    g_process.rememberSize = false;
    const LRESULT previous = SendMessageW(tab, TCM_SETITEMSIZE, 0, size);
    g_process.rememberSize = true;
    return previous;
}

// Remembers the taskbar's item size if it never asked for one since the subclassing, using the
// size the 1-by-1 request replaces; either way the items are shrunk while being rebuilt.
void ShrinkItems(HWND tab) {
    const LRESULT previous = OwnSizeRequest(tab, MAKELPARAM(1, 1));
    if (!g_process.haveItemSize) {
        g_process.itemSize = previous;
        g_process.haveItemSize = true;
    }
}

void RestoreItemSize(HWND tab) {
    if (g_process.haveItemSize) OwnSizeRequest(tab, g_process.itemSize);
}

// Copies at most kMaxTitleChars bytes of a zero-terminated ANSI text.
void CopyTitle(char* out, const char* text) {
    const size_t n = text ? strnlen(text, kMaxTitleChars) : 0;
    memcpy(out, text, n);
    out[n] = '\0';
}

void CopyWideTitle(char* out, const wchar_t* text) {
    out[0] = '\0';
    if (text == nullptr) return;
    const int chars = static_cast<int>(wcsnlen(text, kMaxTitleChars));
    // A double-byte code page may need two bytes a character; the result is cut to the record.
    char buffer[2 * kMaxTitleChars + 2];
    const int n =
        WideCharToMultiByte(CP_ACP, 0, text, chars, buffer, sizeof buffer, nullptr, nullptr);
    const int kept = std::clamp(n, 0, kMaxTitleChars);
    memcpy(out, buffer, static_cast<size_t>(kept));
    out[kept] = '\0';
}

// The title of button `index`, asked from the taskbar window as its tooltip text.
void ReadTitle(HWND tab, int index, char* out) {
    HWND tooltip = reinterpret_cast<HWND>(SendMessageW(tab, TCM_GETTOOLTIPS, 0, 0));
    if (IsWindowsNT()) {
        NMTTDISPINFOW info = {};
        info.hdr.hwndFrom = tooltip;
        info.hdr.idFrom = static_cast<UINT_PTR>(index);
        info.hdr.code = TTN_NEEDTEXTW;
        info.szText[0] = L'\0';
        SendMessageW(g_process.taskbar, WM_NOTIFY, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&info));
        if (info.lpszText == nullptr || info.lpszText == LPSTR_TEXTCALLBACKW) {
            CopyWideTitle(out, info.szText);
        } else if (IS_INTRESOURCE(info.lpszText)) {
            wchar_t text[kMaxTitleChars + 1] = {};
            if (info.hinst)
                LoadStringW(info.hinst, LOWORD(reinterpret_cast<UINT_PTR>(info.lpszText)), text,
                            kMaxTitleChars + 1);
            CopyWideTitle(out, text);
        } else {
            CopyWideTitle(out, info.lpszText);
        }
    } else {
        NMTTDISPINFOA info = {};
        info.hdr.hwndFrom = tooltip;
        info.hdr.idFrom = static_cast<UINT_PTR>(index);
        info.hdr.code = TTN_NEEDTEXTA;
        SendMessageA(g_process.taskbar, WM_NOTIFY, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&info));
        if (info.lpszText == nullptr || info.lpszText == LPSTR_TEXTCALLBACKA) {
            info.szText[sizeof info.szText - 1] = '\0';
            CopyTitle(out, info.szText);
        } else if (IS_INTRESOURCE(info.lpszText)) {
            char text[kMaxTitleChars + 1] = {};
            if (info.hinst)
                LoadStringA(info.hinst, LOWORD(reinterpret_cast<UINT_PTR>(info.lpszText)), text,
                            kMaxTitleChars + 1);
            CopyTitle(out, text);
        } else {
            CopyTitle(out, info.lpszText);
        }
    }
    Trace("ItemText: '%s'\n", out);
}

// Reads every button into the work array. False when one cannot be read: the caller must then
// leave the items alone, since rebuilding them would lose that button.
bool ReadButtons(HWND tab, int count) {
    const int selected = static_cast<int>(SendMessageW(tab, TCM_GETCURSEL, 0, 0));
    for (int i = 0; i < count; ++i) {
        ButtonRecord& button = g_process.buttons[i];
        TCITEMW item = {};
        item.mask = TCIF_PARAM;
        if (!SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&item))) {
            Trace("Cannot get item: %d\n", i);
            return false;
        }
        button.value = item.lParam;
        ReadTitle(tab, i, button.title);
        button.placed = false;
        button.wasSelected = (i == selected);
    }
    return true;
}

void InsertButton(HWND tab, int index, LPARAM value) {
    if (IsWindowsNT()) {
        TCITEMW item = {};
        item.mask = TCIF_PARAM;
        item.lParam = value;
        SendMessageW(tab, TCM_INSERTITEMW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
    } else {
        TCITEMA item = {};
        item.mask = TCIF_PARAM;
        item.lParam = value;
        SendMessageA(tab, TCM_INSERTITEMA, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
    }
}

void Resort(HWND tab) {
    g_process.resortNeeded = false;
    const int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    // The work array holds kMaxButtons; beyond that the taskbar keeps its own order rather than
    // lose the buttons that would not fit.
    if (count < 0 || count > kMaxButtons) {
        Trace("Too many buttons: %d\n", count);
        return;
    }
    g_process.copyToScreen = false;
    ShrinkItems(tab);
    g_process.resorting = true;
    if (ReadButtons(tab, count)) {
        std::vector<std::string_view> titles;
        titles.reserve(static_cast<size_t>(count));
        int selected = -1;
        for (int i = 0; i < count; ++i) {
            titles.emplace_back(g_process.buttons[i].title);
            if (g_process.buttons[i].wasSelected) selected = i;
        }
        const ResortPlan plan =
            PlanResort(titles, selected, LoadPatterns(g_shared.patterns, g_shared.patternCount),
                       g_shared.caseSensitive != 0);
        SendMessageW(tab, WM_SETREDRAW, FALSE, 0);
        SendMessageW(tab, TCM_DELETEALLITEMS, 0, 0);
        for (size_t pos = 0; pos < plan.order.size(); ++pos) {
            ButtonRecord& button = g_process.buttons[plan.order[pos]];
            InsertButton(tab, static_cast<int>(pos), button.value);
            button.placed = true;
        }
        if (plan.selection >= 0)
            SendMessageW(tab, TCM_SETCURSEL, static_cast<WPARAM>(plan.selection), 0);
        SendMessageW(tab, WM_SETREDRAW, TRUE, 0);
    }
    g_process.resorting = false;
    g_process.copyToScreen = true;
    RestoreItemSize(tab);
    // The rebuilding invalidated the control piece by piece; one full repaint without erase
    // shows the new order at once.
    ValidateRect(tab, nullptr);
    InvalidateRect(tab, nullptr, FALSE);
}

void Refresh(HWND tab) {
    g_process.copyToScreen = false;
    ShrinkItems(tab);
    const int count =
        std::min(static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0)), kMaxButtons);
    for (int i = 0; i < count; ++i) {
        char* title = g_process.buttons[i].title;
        ReadTitle(tab, i, title);
        Trace("Displ: %d '%s'\n", i, title);
    }
    RestoreItemSize(tab);
    g_process.copyToScreen = true;
    ValidateRect(tab, nullptr);
    Trace("Erase set to FALSE\n");
}

void Repaint(HWND tab) {
    g_process.resortNeeded = true;
    InvalidateRect(tab, nullptr, TRUE);
}

void SetTooltipDelays(HWND tab, bool fast) {
    HWND tooltip = reinterpret_cast<HWND>(SendMessageW(tab, TCM_GETTOOLTIPS, 0, 0));
    if (tooltip == nullptr) return;
    if (fast) {
        SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 20000);
        SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, 0);
        SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_RESHOW, 0);
    } else {
        // The initial time the defaults are made from. A negative time would ask for the defaults
        // as well, but some tooltip implementations read it as 65535 ms.
        SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_AUTOMATIC,
                     static_cast<LPARAM>(GetDoubleClickTime()));
    }
}

void ApplySettings(HWND tab) {
    SetTooltipDelays(tab, g_shared.tooltips != 0);
    g_process.copyToScreen = false;
    if (!g_process.haveItemSize) ShrinkItems(tab);
    RestoreItemSize(tab);
    ValidateRect(tab, nullptr);
    g_process.copyToScreen = true;
    Repaint(tab);
}

DWORD WINAPI UnloadLater(LPVOID) {
    Sleep(kUnloadDelayMs);
    FreeLibraryAndExitThread(g_process.module, 0);
}

// Puts `previous` back as the window's procedure if `ours` is still the one installed. When
// someone subclassed the window after us, their procedure calls ours, so it must stay.
bool RestoreProc(HWND hwnd, WNDPROC ours, WNDPROC previous) {
    if (hwnd == nullptr || previous == nullptr || !IsWindow(hwnd)) return true;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) != ours) return false;
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    return true;
}

void EndSubclassing(bool restoreTaskbar) {
    if (!g_process.active) return;
    HWND tab = g_process.tab;
    const bool restored = RestoreProc(tab, TabProc, g_process.oldTabProc) &
                          RestoreProc(g_process.taskbar, TaskbarProc, g_process.oldTaskbarProc);
    if (g_process.timer) KillTimer(nullptr, g_process.timer);
    g_process.timer = 0;
    g_process.active = false;
    if (restoreTaskbar && IsWindow(tab)) {
        SetTooltipDelays(tab, false);
        // The procedure is already the taskbar's own, so the size goes back unchanged.
        if (g_process.haveItemSize) SendMessageW(tab, TCM_SETITEMSIZE, 0, g_process.itemSize);
        InvalidateRect(tab, nullptr, TRUE);
    }
    g_process.tab = nullptr;
    g_process.taskbar = nullptr;
    g_process.hotItem = -1;
    g_process.haveItemSize = false;
    g_process.resortNeeded = false;
    g_shared.tabControl = nullptr;
    g_shared.subclassed = 0;
    Trace("EndSubcl %d\n", static_cast<int>(GetCurrentProcessId()));
    if (!restored) return;  // still called by a later subclasser: the library must stay loaded
    if (HANDLE thread = CreateThread(nullptr, 0, UnloadLater, nullptr, 0, nullptr))
        CloseHandle(thread);
}

void RunCommand(HWND tab, WPARAM command) {
    try {
        switch (command) {
            case kSkyhookEnd:
                EndSubclassing(true);
                break;
            case kSkyhookRefresh:
                Refresh(tab);
                break;
            case kSkyhookResort:
                Resort(tab);
                break;
            case kSkyhookApplySettings:
                ApplySettings(tab);
                break;
            case kSkyhookRepaint:
                Repaint(tab);
                break;
            default:
                break;
        }
    } catch (const std::bad_alloc&) {
        // Nothing was deleted before the plan existed; the taskbar keeps its order.
        g_process.resorting = false;
        g_process.copyToScreen = true;
    }
}

LRESULT CALLBACK TabProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!g_process.active) return CallOldTabProc(hwnd, msg, wParam, lParam);
    if (msg == g_process.message && g_process.message != 0) {
        RunCommand(hwnd, wParam);
        return 0;
    }
    switch (msg) {
        case WM_PAINT:
            PaintTabControl(hwnd);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
            if (g_shared.clickMode == 0) NotifyController(kSkyhookLeftClick);
            break;
        case WM_RBUTTONDOWN:
            if (wParam & MK_CONTROL) {
                NotifyController(kSkyhookCtrlRightClick);
                return 0;
            }
            break;
        case TCM_INSERTITEMA:
        case TCM_INSERTITEMW: {
            const TCITEMW* item = reinterpret_cast<const TCITEMW*>(lParam);
            Trace("InsertItem: %d %x %x\n", static_cast<int>(wParam), item ? item->mask : 0u,
                  item ? static_cast<unsigned>(item->lParam) : 0u);
            const LRESULT result = CallOldTabProc(hwnd, msg, wParam, lParam);
            if (!g_process.resorting && g_shared.patternCount > 1) g_process.resortNeeded = true;
            return result;
        }
        case TCM_SETITEMSIZE:
            if (g_process.rememberSize) {
                g_process.itemSize = lParam;
                g_process.haveItemSize = true;
            }
            if (g_shared.squareButtons == 1)
                lParam = MAKELPARAM(HIWORD(lParam) + 2, HIWORD(lParam));
            break;
        case WM_DESTROY: {
            const LRESULT result = CallOldTabProc(hwnd, msg, wParam, lParam);
            EndSubclassing(false);
            return result;
        }
        default:
            break;
    }
    return CallOldTabProc(hwnd, msg, wParam, lParam);
}

}  // namespace

void SubclassTabControl(HWND tab) {
    // A tab control recorded by a process that has since gone does not block a new one.
    if (g_shared.subclassed && IsWindow(g_shared.tabControl)) return;
    if (g_process.active) return;
    HWND taskbar = GetParent(tab);
    auto oldTab = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(tab, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TabProc)));
    if (oldTab == nullptr) return;
    g_process.oldTabProc = oldTab;
    g_process.tab = tab;
    g_process.taskbar = taskbar;
    g_process.oldTaskbarProc = nullptr;
    if (taskbar) {
        g_process.oldTaskbarProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(taskbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TaskbarProc)));
    }
    g_process.hotItem = -1;
    g_process.haveItemSize = false;
    g_process.rememberSize = true;
    g_process.resortNeeded = false;
    g_process.resorting = false;
    g_process.copyToScreen = true;
    g_process.timer = SetTimer(nullptr, 0, 100, HotTrackTimer);
    // Keeps the code here after the hook that brought it in is removed.
    LoadLibraryA("skyhook");
    g_process.active = true;
    g_shared.tabControl = tab;
    g_shared.subclassed = 1;
    Trace("BegSubcl %d\n", static_cast<int>(GetCurrentProcessId()));
}

void ForgetTabControlOnExit() {
    if (!g_process.active) return;
    g_process.active = false;
    g_shared.tabControl = nullptr;
    g_shared.subclassed = 0;
}

}  // namespace vt
