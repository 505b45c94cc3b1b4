#include "common/win32/window_picture.h"

#include <algorithm>
#include <cstring>

#include "common/byte_writer.h"
#include "common/file_io.h"
#include "common/win32/window_picture_controls.h"

namespace vt {

namespace {

void PrintClientAt(HWND w, HDC dc, const RECT& all);

// A control may leave its clipping or colours in the DC it printed into (the edit control clips
// to its text area), so each window prints between a save and a restore of the DC.
void PrintClient(HWND w, HDC dc, const RECT& all) {
    const int saved = SaveDC(dc);
    PrintClientAt(w, dc, all);
    RestoreDC(dc, saved);
}

void PrintClientAt(HWND w, HDC dc, const RECT& all) {
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    SetViewportOrgEx(dc, origin.x - all.left, origin.y - all.top, nullptr);
    RECT client;
    GetClientRect(w, &client);
    if (PrintDialogControl(w, dc, client)) return;
    HBRUSH background = reinterpret_cast<HBRUSH>(GetClassLongPtrA(w, GCLP_HBRBACKGROUND));
    if (reinterpret_cast<INT_PTR>(background) > 0 &&
        reinterpret_cast<INT_PTR>(background) <= COLOR_MENUBAR + 1)
        background = GetSysColorBrush(static_cast<int>(reinterpret_cast<INT_PTR>(background)) - 1);
    FillRect(dc, &client, background ? background : GetSysColorBrush(COLOR_WINDOW));
    // Owner-drawn controls are drawn by their parent; it is asked item by item, as for painting.
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    const LONG_PTR style = GetWindowLongPtrA(w, GWL_STYLE);
    DRAWITEMSTRUCT item{};
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(w));
    item.hwndItem = w;
    item.hDC = dc;
    item.itemAction = ODA_DRAWENTIRE;
    if (lstrcmpiA(cls, "Button") == 0 && (style & BS_TYPEMASK) == BS_OWNERDRAW) {
        item.CtlType = ODT_BUTTON;
        item.rcItem = client;
        SendMessageA(GetParent(w), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
        return;
    }
    if (lstrcmpiA(cls, "Static") == 0 && (style & SS_TYPEMASK) == SS_OWNERDRAW) {
        item.CtlType = ODT_STATIC;
        item.rcItem = client;
        SendMessageA(GetParent(w), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
        return;
    }
    if (lstrcmpiA(cls, "ListBox") == 0 && (style & LBS_OWNERDRAWFIXED)) {
        // Only the rows in view, as painting shows them.
        IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
        const LRESULT count = SendMessageA(w, LB_GETCOUNT, 0, 0);
        const LRESULT selected = SendMessageA(w, LB_GETCURSEL, 0, 0);
        item.CtlType = ODT_LISTBOX;
        for (LRESULT i = 0; i < count; ++i) {
            item.itemID = static_cast<UINT>(i);
            item.itemData =
                static_cast<ULONG_PTR>(SendMessageA(w, LB_GETITEMDATA, static_cast<WPARAM>(i), 0));
            item.itemState = i == selected ? ODS_SELECTED : 0;
            SendMessageA(w, LB_GETITEMRECT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&item.rcItem));
            SendMessageA(GetParent(w), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
        }
        return;
    }
    SendMessageA(w, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
}

void PrintChildren(HWND parent, HDC dc, const RECT& all) {
    // The bottom of the Z order first, so that what lies on top (a dialog's controls over its
    // tab control) shows on top.
    HWND first = GetWindow(parent, GW_CHILD);
    for (HWND c = first ? GetWindow(first, GW_HWNDLAST) : nullptr; c; c = GetWindow(c, GW_HWNDPREV))
        if (IsWindowVisible(c)) {
            PrintClient(c, dc, all);
            PrintChildren(c, dc, all);
        }
}

// The frame of a top-level window as the classic look draws it: a raised border, the caption
// with the title, and the menu bar's titles.
void PrintFrame(HWND w, HDC dc, const RECT& all) {
    RECT r;
    GetWindowRect(w, &r);
    OffsetRect(&r, -all.left, -all.top);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    const int clientTop = origin.y - all.top;
    const bool tool = (GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
    const int captionHeight = GetSystemMetrics(tool ? SM_CYSMCAPTION : SM_CYCAPTION) - 1;
    RECT caption{r.left + 3, r.top + 3, r.right - 3, r.top + 3 + captionHeight};
    FillRect(dc, &caption, GetSysColorBrush(COLOR_ACTIVECAPTION));
    char title[256] = {};
    GetWindowTextA(w, title, sizeof title);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT text = caption;
    text.left += 4;
    DrawTextA(dc, title, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (HMENU menu = GetMenu(w)) {
        SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
        RECT bar{caption.left, caption.bottom + 1, caption.right, clientTop};
        FillRect(dc, &bar, GetSysColorBrush(COLOR_MENU));
        int x = bar.left + 6;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char name[64] = {};
            GetMenuStringA(menu, static_cast<UINT>(i), name, sizeof name, MF_BYPOSITION);
            RECT item{x, bar.top, x + 200, bar.bottom};
            DrawTextA(dc, name, -1, &item, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
            RECT measure = item;
            DrawTextA(dc, name, -1, &measure, DT_SINGLELINE | DT_CALCRECT);
            x += measure.right - measure.left + 14;
        }
    }
    SelectObject(dc, oldFont);
}

// A popup menu being tracked: it has no frame of its own and paints only while it shows.
bool IsMenuWindow(HWND w) {
    char cls[16] = {};
    return GetClassNameA(w, cls, sizeof cls) && lstrcmpA(cls, "#32768") == 0;
}

}  // namespace

bool WriteWindowPicture(const std::vector<HWND>& windows, const std::string& path, bool asShown) {
    RECT all{};
    bool any = false;
    for (HWND w : windows) {
        if (!w || !IsWindowVisible(w)) continue;
        RECT r;
        GetWindowRect(w, &r);
        if (!any)
            all = r;
        else
            UnionRect(&all, &all, &r);
        any = true;
    }
    if (!any) return false;
    const int width = all.right - all.left, height = all.bottom - all.top;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!dib) {
        DeleteDC(mem);
        return false;
    }
    HGDIOBJ old = SelectObject(mem, dib);
    RECT fill{0, 0, width, height};
    FillRect(mem, &fill, GetSysColorBrush(COLOR_APPWORKSPACE));
    for (HWND w : windows) {
        if (!w || !IsWindowVisible(w)) continue;
        if (asShown || IsMenuWindow(w)) {
            UpdateWindow(w);
            RECT r;
            GetWindowRect(w, &r);
            HDC shown = GetWindowDC(w);
            BitBlt(mem, r.left - all.left, r.top - all.top, r.right - r.left, r.bottom - r.top,
                   shown, 0, 0, SRCCOPY);
            ReleaseDC(w, shown);
            continue;
        }
        PrintFrame(w, mem, all);
        PrintClient(w, mem, all);
        // The children (tool bar, status bar, buttons, list) paint themselves into the picture,
        // and theirs on top of them (a box on a tool bar).
        PrintChildren(w, mem, all);
    }
    SetViewportOrgEx(mem, 0, 0, nullptr);
    GdiFlush();
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    const size_t imageSize = stride * static_cast<size_t>(height);
    ByteWriter out;
    out.U16(0x4D42);
    out.U32(static_cast<uint32_t>(14 + 40 + imageSize));
    out.U32(0);
    out.U32(14 + 40);
    out.Bytes({reinterpret_cast<const uint8_t*>(&bi.bmiHeader), 40});
    out.Bytes({static_cast<const uint8_t*>(bits), imageSize});
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    return WriteFileReplacing(path, "VTP", out.bytes());
}

WindowPictureHook WindowPictureHook::FromEnvironment() {
    char folder[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableA(kWindowPictureFolderVariable, folder, sizeof folder);
    if (n == 0 || n >= sizeof folder) return {};
    return WindowPictureHook(folder);
}

bool WindowPictureHook::Answer(const COPYDATASTRUCT& data, std::vector<HWND> windows) const {
    const bool shown = data.dwData == kWindowShownRequest;
    if (!enabled() || (data.dwData != kWindowPictureRequest && !shown) || !data.lpData ||
        data.cbData == 0 || data.cbData > MAX_PATH || windows.empty())
        return false;
    const auto* text = static_cast<const char*>(data.lpData);
    // The name must end within the block with its zero; a block without one is not a request.
    const size_t length = strnlen(text, data.cbData);
    if (length == data.cbData) return false;
    const std::string name(text, length);
    if (!IsPlainFileName(name) || name.size() < 5 ||
        lstrcmpiA(name.c_str() + name.size() - 4, ".bmp") != 0)
        return false;
    const std::string path =
        m_folder + (m_folder.back() == '\\' || m_folder.back() == '/' ? "" : "\\") + name;
    if (path.size() >= MAX_PATH) return false;
    struct Owned {
        HWND owner;
        std::vector<HWND>* list;
    } owned{windows.front(), &windows};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM lp) -> BOOL {
            auto* o = reinterpret_cast<Owned*>(lp);
            if (IsWindowVisible(w) && (GetWindow(w, GW_OWNER) == o->owner || IsMenuWindow(w)) &&
                std::find(o->list->begin(), o->list->end(), w) == o->list->end())
                o->list->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&owned));
    return WriteWindowPicture(windows, path, shown);
}

}  // namespace vt
