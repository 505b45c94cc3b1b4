#include "librarian/win32/icon_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "librarian/file_kind.h"
#include "librarian/reader.h"
#include "librarian/win32/resource.h"

namespace vt::librarian {

IconWindow* IconWindow::s_instance = nullptr;

namespace {

constexpr int kDragThreshold = 3;  // pixels, horizontal plus vertical

std::string LoadText(int id) {
    char text[512] = {};
    LoadStringA(g_app.instance, static_cast<UINT>(id), text, sizeof text);
    return text;
}

bool CtrlHeld() {
    return (GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

}  // namespace

// --- image cache ---

HICON IconImageCache::Get(const Workspace& ws, size_t imageIndex, int width, int height,
                          bool* readFailed) {
    *readFailed = false;
    if (imageIndex >= ws.images().size()) return nullptr;
    const ImageEntry& image = ws.images()[imageIndex];
    // A block never moves in the workspace file, so its offset names it.
    const uint64_t key = (uint64_t{image.workspaceOffset} << 24) | (uint64_t(width & 0xFFF) << 12) |
                         uint64_t(height & 0xFFF);
    auto found = m_index.find(key);
    if (found != m_index.end()) {
        m_entries.splice(m_entries.begin(), m_entries, found->second);
        return found->second->icon;
    }
    std::vector<uint8_t> block(image.size);
    if (block.empty() || !ws.ReadBlock(image.workspaceOffset, block.data(), block.size())) {
        *readFailed = true;
        return nullptr;
    }
    HICON icon = CreateIconFromResourceEx(block.data(), static_cast<DWORD>(block.size()), TRUE,
                                          0x00030000, width, height, LR_DEFAULTCOLOR);
    if (!icon) return nullptr;
    if (m_entries.size() >= m_capacity) {
        DestroyIcon(m_entries.back().icon);
        m_index.erase(m_entries.back().key);
        m_entries.pop_back();
    }
    m_entries.push_front({key, icon});
    m_index[key] = m_entries.begin();
    return icon;
}

void IconImageCache::Clear() {
    for (const Entry& e : m_entries) DestroyIcon(e.icon);
    m_entries.clear();
    m_index.clear();
}

// --- window ---

bool IconWindow::Register(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.cbWndExtra = sizeof(LONG_PTR);  // the workspace mode
    wc.lpszClassName = kChildClass;
    return RegisterClassExA(&wc) != 0;
}

IconWindow* IconWindow::Create(HWND frame, FrameServices& services) {
    auto* self = new IconWindow(services);
    HWND hwnd = CreateWindowExA(
        WS_EX_CLIENTEDGE | WS_EX_ACCEPTFILES, kChildClass, nullptr,
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPSIBLINGS, 0, 0, 0, 0, frame,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_ICON_WINDOW)), g_app.instance, self);
    if (!hwnd) return nullptr;  // deleted with its window at WM_NCDESTROY, if it got that far
    s_instance = self;
    self->SyncMode();
    return self;
}

LRESULT CALLBACK IconWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DispatchToWindow<IconWindow>(hwnd, msg, wp, lp, kProgramTitle);
}

LRESULT IconWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    switch (msg) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_PRINTCLIENT: {
            // Pictures of the window for the tests: everything, as a paint would draw it.
            HDC dc = reinterpret_cast<HDC>(wp);
            RECT client;
            GetClientRect(m_hwnd, &client);
            const int saved = SaveDC(dc);
            IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
            FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
            PaintArea(dc, client);
            RestoreDC(dc, saved);
            return 0;
        }
        case WM_SIZE:
            OnSize(LOWORD(lp), HIWORD(lp));
            return 0;
        case WM_VSCROLL:
            OnVScroll(LOWORD(wp));
            return 0;
        case WM_MOUSEWHEEL: {
            const int lines = -static_cast<short>(HIWORD(wp)) / WHEEL_DELTA * 3;
            ScrollTo(m_position + lines);
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            OnButtonDown(at, msg == WM_RBUTTONDOWN, (wp & MK_CONTROL) != 0);
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(at, wp);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            OnButtonUp(at, msg == WM_RBUTTONUP);
            return 0;
        case WM_LBUTTONDBLCLK: {
            POINT w = ToWorkspace(at);
            if (ViewLayout::HitTest(g_app.workspace, Order(), w.x, w.y) >= 0)
                m_services.Command(IDM_EDIT_EDIT_ICON);
            return 0;
        }
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lp) != m_hwnd && m_track != Track::None) {
                POINT screen{};
                GetCursorPos(&screen);
                if (m_track == Track::Dragging) EndDrag(screen, true);
                if (m_track == Track::Band && m_bandDrawn) DrawBand();
                m_track = Track::None;
            }
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(wp);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_CONTEXTMENU:
            // Keyboard requests (Shift+F10) come here; mouse ones come with the button's release.
            if (lp == -1) {
                POINT p{m_clientWidth / 2, m_clientHeight / 2};
                ShowContextMenu(p);
            }
            return 0;
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wp));
            return 0;
        case WM_DESTROY:
            m_cache.Clear();
            if (m_dragImage) ImageList_Destroy(m_dragImage), m_dragImage = nullptr;
            if (s_instance == this) s_instance = nullptr;
            return 0;
        default:
            return DefWindowProcA(m_hwnd, msg, wp, lp);
    }
}

// --- IconView ---

void IconWindow::SyncMode() {
    SetWindowLongPtrA(m_hwnd, 0, g_app.workspace.mode());
}

vt::DesktopMetrics IconWindow::Metrics() const {
    vt::DesktopMetrics m;
    const auto& d = g_app.desktop;
    m.largeIconSize = d.largeIcon;
    m.smallIconSize = d.smallIcon;
    m.iconSpacing = d.iconSpacing;
    m.iconVerticalSpacing = d.iconVerticalSpacing;
    m.labelLineHeight = (d.labelHeight + 2) / 3;
    m.shellColorCode = g_app.shellColorCode;
    m.displayColorCode = g_app.displayColorCode;
    return m;
}

void IconWindow::Arrange() {
    m_layout.Arrange(g_app.workspace, m_clientWidth);
    m_order = g_app.workspace.DisplayOrder();
    m_marks.Rebuild(g_app.workspace);
    UpdateScrollBar();
    m_paintFailed = false;
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

const std::vector<size_t>& IconWindow::Order() {
    // Icons the frame added or removed since the last arrangement are taken in, never indexed
    // past the table.
    if (m_order.size() != g_app.workspace.iconCount()) {
        m_order = g_app.workspace.DisplayOrder();
        m_marks.Rebuild(g_app.workspace);
    }
    return m_order;
}

void IconWindow::WorkspaceReplaced() {
    SyncMode();
    m_cache.Clear();
    m_position = 0;
    Relayout();
}

void IconWindow::Relayout() {
    SyncMode();
    m_cache.Clear();
    m_layout.SetMetrics(g_app.workspace, Metrics());
    m_layout.SetView(g_app.workspace, g_app.state.view);
    Arrange();
}

void IconWindow::ArrangeByPosition() {
    SyncMode();
    m_layout.ArrangeByPosition(g_app.workspace, m_clientWidth);
    Arrange();
    SelectionChanged();
}

void IconWindow::Redraw() {
    SyncMode();
    m_order = g_app.workspace.DisplayOrder();
    m_marks.Rebuild(g_app.workspace);
    UpdateScrollBar();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void IconWindow::InvalidateIcons(const std::vector<size_t>& iconIndices) {
    for (size_t i : iconIndices) InvalidateIcon(i);
    // The images of removed icons are not drawn again.
    m_cache.Clear();
}

void IconWindow::InvalidateIcon(size_t index) {
    if (index >= g_app.workspace.iconCount()) return;
    LayoutRect r = m_layout.ItemRect(g_app.workspace, index);
    const int64_t offset = OffsetY();
    RECT rc{r.left, static_cast<int>(r.top - offset), r.right, static_cast<int>(r.bottom - offset)};
    InvalidateRect(m_hwnd, &rc, TRUE);
}

// --- painting ---

void IconWindow::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    PaintArea(dc, ps.rcPaint);
    if (m_track == Track::Band && m_bandDrawn) {
        // The band is drawn by inverting; a repaint under it must not leave half of it.
        m_bandDrawn = false;
        DrawBand();
    }
    EndPaint(m_hwnd, &ps);
}

void IconWindow::PaintArea(HDC dc, const RECT& rcPaint) {
    const Workspace& ws = g_app.workspace;
    m_paintFailed = false;
    if (ws.iconCount() > 0) {
        HPALETTE oldPalette = nullptr;
        if (g_app.palette) {
            oldPalette = SelectPalette(dc, g_app.palette, FALSE);
            RealizePalette(dc);
        }
        HGDIOBJ oldFont =
            SelectObject(dc, g_app.labelFont ? g_app.labelFont : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        // One pixel of the selection colour, stretched and blended over selected cells.
        HDC selectionDc = CreateCompatibleDC(dc);
        HBITMAP pixel = CreateCompatibleBitmap(dc, 1, 1);
        HGDIOBJ oldPixel = SelectObject(selectionDc, pixel);
        SetPixel(selectionDc, 0, 0, GetSysColor(COLOR_HIGHLIGHT));

        const int offset = static_cast<int>(OffsetY());
        LayoutRect area{rcPaint.left, rcPaint.top + offset, rcPaint.right, rcPaint.bottom + offset};
        for (size_t i : m_layout.IconsMeeting(ws, Order(), area)) {
            PaintIcon(dc, i, offset, selectionDc);
            if (m_paintFailed) break;
        }
        SelectObject(selectionDc, oldPixel);
        DeleteObject(pixel);
        DeleteDC(selectionDc);
        SelectObject(dc, oldFont);
        if (oldPalette) SelectPalette(dc, oldPalette, FALSE);
        if (m_paintFailed) {
            // The workspace file could not be read: the window stays blank until the next paint.
            FillRect(dc, &rcPaint, GetSysColorBrush(COLOR_WINDOW));
        }
    }
}

bool IconWindow::DrawImage(HDC dc, size_t imageIndex, int x, int y, int width, int height) {
    bool readFailed = false;
    HICON icon = m_cache.Get(g_app.workspace, imageIndex, width, height, &readFailed);
    if (readFailed) {
        m_paintFailed = true;
        return false;
    }
    if (icon) DrawIconEx(dc, x, y, icon, width, height, 0, nullptr, DI_NORMAL);
    return true;
}

void IconWindow::PaintIcon(HDC dc, size_t index, int offsetY, HDC selectionDc) {
    const Workspace& ws = g_app.workspace;
    const IconEntry& icon = ws.icons()[index];
    const int x = icon.x, y = icon.y - offsetY;
    const int large = g_app.desktop.largeIcon, small = g_app.desktop.smallIcon;
    bool line = false;
    switch (g_app.state.view) {
        case kViewSpecific: {
            long image = ImageOfFormat(ws, index, ws.currentFormat());
            if (image >= 0 &&
                !DrawImage(dc, static_cast<size_t>(image), x, y, icon.cellWidth, icon.cellHeight))
                return;
            break;
        }
        case kViewRaw: {
            const std::vector<size_t> shown = ws.RawImagesOf(index);
            int at = x;
            for (size_t image : shown) {
                const ImageEntry& e = ws.images()[image];
                if (!DrawImage(dc, image, at, y + icon.cellHeight - e.height, e.width, e.height))
                    return;
                at += e.width + 16;
            }
            line = shown.size() >= 2;
            break;
        }
        case kViewDesktop: {
            long image = ChooseImageForSize(ws, index, large, g_app.shellColorCode);
            if (image >= 0 && !DrawImage(dc, static_cast<size_t>(image), x, y, large, large))
                return;
            break;
        }
        default: {
            long smallImage = ChooseImageForSize(ws, index, small, g_app.shellColorCode);
            long largeImage = ChooseImageForSize(ws, index, large, g_app.shellColorCode);
            if (smallImage >= 0 &&
                !DrawImage(dc, static_cast<size_t>(smallImage), x, y + large - small, small, small))
                return;
            if (largeImage >= 0 &&
                !DrawImage(dc, static_cast<size_t>(largeImage), x + small + 16, y, large, large))
                return;
            line = true;
            break;
        }
    }
    if (line) {
        HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_PEN));
        MoveToEx(dc, x, y + icon.cellHeight + 1, nullptr);
        LineTo(dc, x + icon.cellWidth, y + icon.cellHeight + 1);
        SelectObject(dc, old);
    }
    const bool selected = m_marks.IsSelected(index);
    if (selected) {
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 64, 0};  // a quarter of the selection colour
        AlphaBlend(dc, x, y, icon.cellWidth, icon.cellHeight, selectionDc, 0, 0, 1, 1, blend);
    }
    DrawLabel(dc, index, offsetY, selected);
}

void IconWindow::DrawLabel(HDC dc, size_t index, int offsetY, bool selected) {
    const Workspace& ws = g_app.workspace;
    const std::string name = Workspace::ShownName(ws.icons()[index]);
    const LayoutRect l = m_layout.LabelRect(ws, index);
    RECT box{l.left, l.top - offsetY, l.right, l.bottom - offsetY};
    const UINT align = m_layout.LabelCentred() ? DT_CENTER : DT_LEFT;
    const UINT flags = DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL | align;
    if (selected) {
        // The highlight covers the text itself, at most the label's height.
        RECT text = box;
        DrawTextA(dc, name.c_str(), static_cast<int>(name.size()), &text, flags | DT_CALCRECT);
        text.bottom = std::min(text.bottom, box.bottom);
        if (align == DT_CENTER)
            OffsetRect(&text, ((box.right - box.left) - (text.right - text.left)) / 2, 0);
        InflateRect(&text, 1, 0);
        FillRect(dc, &text, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    }
    DrawTextA(dc, name.c_str(), static_cast<int>(name.size()), &box, flags);
}

// --- scrolling ---

int64_t IconWindow::OffsetY() const {
    return int64_t{m_position} * m_layout.ScrollUnit(g_app.workspace);
}

POINT IconWindow::ToWorkspace(POINT client) const {
    return POINT{client.x, static_cast<LONG>(client.y + OffsetY())};
}

void IconWindow::UpdateScrollBar() {
    const Workspace& ws = g_app.workspace;
    const int32_t range = m_layout.ScrollRange(ws, m_clientHeight);
    m_position = std::clamp(m_position, 0, range);
    SCROLLINFO si{sizeof si};
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (range > 0) {
        const int page = std::max(1, m_clientHeight / m_layout.ScrollUnit(ws));
        si.nMin = 0;
        si.nMax = range + page - 1;
        si.nPage = static_cast<UINT>(page);
        si.nPos = m_position;
    }
    SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
    // The horizontal range stays 0: the rows wrap at the client width.
}

void IconWindow::ScrollTo(int32_t position) {
    const Workspace& ws = g_app.workspace;
    position = std::clamp(position, 0, m_layout.ScrollRange(ws, m_clientHeight));
    if (position == m_position) return;
    const int64_t pixels = (int64_t{m_position} - position) * m_layout.ScrollUnit(ws);
    m_position = position;
    SetScrollPos(m_hwnd, SB_VERT, position, TRUE);
    if (pixels > -m_clientHeight && pixels < m_clientHeight && !m_bandDrawn)
        ScrollWindowEx(m_hwnd, 0, static_cast<int>(pixels), nullptr, nullptr, nullptr, nullptr,
                       SW_INVALIDATE | SW_ERASE);
    else
        InvalidateRect(m_hwnd, nullptr, TRUE);
}

void IconWindow::OnVScroll(int code) {
    const int page = std::max(1, m_clientHeight / m_layout.ScrollUnit(g_app.workspace));
    switch (code) {
        case SB_LINEUP:
            ScrollTo(m_position - 1);
            break;
        case SB_LINEDOWN:
            ScrollTo(m_position + 1);
            break;
        case SB_PAGEUP:
            ScrollTo(m_position - page);
            break;
        case SB_PAGEDOWN:
            ScrollTo(m_position + page);
            break;
        case SB_TOP:
            ScrollTo(0);
            break;
        case SB_BOTTOM:
            ScrollTo(INT32_MAX);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            // The message's own position has 16 bits; a long Raw View passes 65,535 units.
            SCROLLINFO si{sizeof si};
            si.fMask = SIF_TRACKPOS;
            if (GetScrollInfo(m_hwnd, SB_VERT, &si)) ScrollTo(si.nTrackPos);
            break;
        }
        default:
            break;
    }
}

void IconWindow::OnSize(int width, int height) {
    const bool widthChanged = width != m_clientWidth;
    m_clientWidth = width;
    m_clientHeight = height;
    // Rows that no longer fit, or that leave room for the next row's first icon, re-arrange.
    if (widthChanged && g_app.workspace.iconCount() > 0 && m_layout.NeedsRearrange(width)) {
        ArrangeByPosition();
        return;
    }
    UpdateScrollBar();
}

// --- selection, mouse, keys ---

void IconWindow::SelectionChanged() {
    m_marks.Rebuild(g_app.workspace);
    m_services.SelectionChanged();
}

void IconWindow::OnButtonDown(POINT client, bool right, bool ctrl) {
    SetFocus(m_hwnd);
    if (m_track != Track::None) return;
    Workspace& ws = g_app.workspace;
    const POINT w = ToWorkspace(client);
    const long hit = ViewLayout::HitTest(ws, Order(), w.x, w.y);
    m_rightButton = right;
    m_downClient = client;
    if (hit >= 0) {
        const size_t index = static_cast<size_t>(hit);
        g_app.nameLastTaken = Workspace::ShownName(ws.icons()[index]);
        std::vector<size_t> old = ws.Selection();
        if (ctrl && !right) {
            // Ctrl+click toggles the icon in a selection of several.
            std::vector<size_t> next;
            if (m_marks.IsSelected(index)) {
                for (size_t i : old)
                    if (i != index) next.push_back(i);
            } else {
                next = old;
                next.push_back(index);
            }
            if (next.empty())
                ws.SelectNone();
            else
                ws.SelectList(std::move(next));
        } else if (!m_marks.IsSelected(index)) {
            ws.SelectOne(index);
        }
        for (size_t i : old) InvalidateIcon(i);
        InvalidateIcon(index);
        SelectionChanged();
        if (m_marks.IsSelected(index)) {
            m_pendingIcon = index;
            m_pendingCtrl = ctrl;
            m_track = Track::Pending;
            SetCapture(m_hwnd);
        }
        return;
    }
    if (right) return;  // the menu for empty space comes with the release
    // A press on empty space starts the rubber band.
    m_bandAdds = ctrl;
    if (!ctrl && ws.selectionValue() != 0) {
        for (size_t i : ws.Selection()) InvalidateIcon(i);
        ws.SelectNone();
        SelectionChanged();
    }
    m_track = Track::Band;
    m_bandStart = m_bandEnd = w;
    m_bandDrawn = false;
    SetCapture(m_hwnd);
}

void IconWindow::DrawBand() {
    const int offset = static_cast<int>(OffsetY());
    RECT r{std::min(m_bandStart.x, m_bandEnd.x), std::min(m_bandStart.y, m_bandEnd.y) - offset,
           std::max(m_bandStart.x, m_bandEnd.x), std::max(m_bandStart.y, m_bandEnd.y) - offset};
    HDC dc = GetDC(m_hwnd);
    DrawFocusRect(dc, &r);
    ReleaseDC(m_hwnd, dc);
    m_bandDrawn = !m_bandDrawn;
}

void IconWindow::OnMouseMove(POINT client, WPARAM keys) {
    POINT screen = client;
    ClientToScreen(m_hwnd, &screen);
    switch (m_track) {
        case Track::Pending:
            // Only a move with the button held starts a drag. A move without one is one the system
            // sends on its own (a window moved under the pointer): the press stays pending, since
            // the captured release, or the loss of the capture, is what ends it.
            if ((keys & (MK_LBUTTON | MK_RBUTTON)) &&
                std::abs(client.x - m_downClient.x) + std::abs(client.y - m_downClient.y) >=
                    kDragThreshold) {
                StartDrag(screen);
            }
            break;
        case Track::Dragging:
            TrackDrag(screen);
            break;
        case Track::Band:
            if (m_bandDrawn) DrawBand();
            m_bandEnd = ToWorkspace(client);
            DrawBand();
            break;
        default:
            break;
    }
}

void IconWindow::OnButtonUp(POINT client, bool right) {
    Workspace& ws = g_app.workspace;
    const Track track = m_track;
    m_track = Track::None;
    if (track == Track::Dragging) {
        POINT screen = client;
        ClientToScreen(m_hwnd, &screen);
        EndDrag(screen, false);
        ReleaseCapture();
        return;
    }
    if (track == Track::Band) {
        if (m_bandDrawn) DrawBand();
        ReleaseCapture();
        m_bandEnd = ToWorkspace(client);
        LayoutRect band{std::min(m_bandStart.x, m_bandEnd.x), std::min(m_bandStart.y, m_bandEnd.y),
                        std::max(m_bandStart.x, m_bandEnd.x), std::max(m_bandStart.y, m_bandEnd.y)};
        std::vector<size_t> inside = ViewLayout::IconsInside(ws, band);
        if (m_bandAdds)
            for (size_t i : ws.Selection())
                if (std::find(inside.begin(), inside.end(), i) == inside.end()) inside.push_back(i);
        if (inside.empty())
            ws.SelectNone();
        else
            ws.SelectList(std::move(inside));
        SelectionChanged();
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return;
    }
    if (track == Track::Pending) {
        ReleaseCapture();
        // A plain click on an icon of a selection of several, without a drag, selects just it.
        if (!right && !m_pendingCtrl && ws.selectionValue() < 0 && m_pendingIcon < ws.iconCount()) {
            for (size_t i : ws.Selection()) InvalidateIcon(i);
            ws.SelectOne(m_pendingIcon);
            InvalidateIcon(m_pendingIcon);
            SelectionChanged();
        }
    }
    if (right) ShowContextMenu(client);
}

void IconWindow::OnKeyDown(WPARAM key) {
    Workspace& ws = g_app.workspace;
    const int page = std::max(1, m_clientHeight / m_layout.ScrollUnit(ws));
    LayoutDirection direction;
    switch (key) {
        case VK_LEFT:
            direction = LayoutDirection::Left;
            break;
        case VK_RIGHT:
            direction = LayoutDirection::Right;
            break;
        case VK_UP:
            direction = LayoutDirection::Up;
            break;
        case VK_DOWN:
            direction = LayoutDirection::Down;
            break;
        case VK_PRIOR:
            ScrollTo(m_position - page);
            return;
        case VK_NEXT:
            ScrollTo(m_position + page);
            return;
        case VK_HOME:
            ScrollTo(0);
            return;
        case VK_END:
            ScrollTo(INT32_MAX);
            return;
        case VK_APPS: {
            POINT p{m_clientWidth / 2, m_clientHeight / 2};
            ShowContextMenu(p);
            return;
        }
        default:
            return;
    }
    if (Order().empty()) return;
    const std::vector<size_t> selection = ws.Selection();
    long next;
    if (selection.empty()) {
        next = static_cast<long>(m_order.front());
    } else {
        next = ViewLayout::Nearest(ws, selection.front(), direction);
        if (next < 0) return;
    }
    for (size_t i : selection) InvalidateIcon(i);
    ws.SelectOne(static_cast<size_t>(next));
    g_app.nameLastTaken = Workspace::ShownName(ws.icons()[static_cast<size_t>(next)]);
    InvalidateIcon(static_cast<size_t>(next));
    ScrollTo(m_layout.ScrollToShow(ws, static_cast<size_t>(next), m_position, m_clientHeight));
    SelectionChanged();
}

// --- dragging icons ---

void IconWindow::StartDrag(POINT screen) {
    const Workspace& ws = g_app.workspace;
    const std::vector<size_t> selection = ws.Selection();
    if (selection.empty()) return;
    const int large = g_app.desktop.largeIcon;
    m_track = Track::Dragging;
    HICON image = nullptr;
    bool ownIcon = false;
    if (selection.size() > 1) {
        image = g_app.stackIcon;
    } else {
        long chosen = ChooseImageForSize(ws, selection[0], large, g_app.shellColorCode);
        bool failed = false;
        if (chosen >= 0) {
            // Made outside the cache: the cache may give it up while the drag goes on.
            IconImageCache one(1);
            HICON cached = one.Get(ws, static_cast<size_t>(chosen), large, large, &failed);
            if (cached) image = CopyIcon(cached), ownIcon = true;
        }
    }
    m_dragImage = ImageList_Create(large, large, ILC_COLOR32 | ILC_MASK, 1, 1);
    if (m_dragImage && image) ImageList_AddIcon(m_dragImage, image);
    if (ownIcon) DestroyIcon(image);
    if (m_dragImage && ImageList_GetImageCount(m_dragImage) > 0 &&
        ImageList_BeginDrag(m_dragImage, 0, large / 2, large / 2)) {
        ImageList_DragEnter(nullptr, screen.x, screen.y);
    }
    TrackDrag(screen);
}

HWND IconWindow::OtherIconWindowAt(POINT screen) const {
    HWND target = WindowFromPoint(screen);
    char cls[32] = {};
    for (HWND w = target; w; w = GetParent(w)) {
        if (GetClassNameA(w, cls, sizeof cls) && lstrcmpiA(cls, kChildClass) == 0) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            return pid == GetCurrentProcessId() ? nullptr : w;
        }
    }
    return nullptr;
}

HWND IconWindow::OtherProgramAt(POINT screen) const {
    HWND top = GetAncestor(WindowFromPoint(screen), GA_ROOT);
    DWORD pid = 0;
    GetWindowThreadProcessId(top, &pid);
    char cls[32] = {};
    if (!top || pid == GetCurrentProcessId() || (GetClassNameA(top, cls, sizeof cls) && lstrcmpiA(cls, kFrameClass) == 0))
        return nullptr;
    return top;
}

void IconWindow::TrackDrag(POINT screen) {
    if (m_dragImage) ImageList_DragMove(screen.x, screen.y);
    LPCSTR cursor = IDC_NO;
    if (WindowFromPoint(screen) == m_hwnd) {
        cursor = IDC_ARROW;
    } else if (HWND other = OtherIconWindowAt(screen)) {
        // A program file takes no icons; the exchange decides for every other window.
        if (GetWindowLongPtrA(other, 0) != kModeProgram &&
            m_services.exchange().AcceptsDropOn(other))
            cursor = IDC_ARROW;
    } else if (HWND program = OtherProgramAt(screen); program && m_services.exchange().AcceptsDropOn(program)) {
        cursor = IDC_ARROW;
    }
    SetCursor(LoadCursorA(nullptr, cursor));
}

void IconWindow::EndDrag(POINT screen, bool cancelled) {
    if (m_dragImage) {
        ImageList_DragLeave(nullptr);
        ImageList_EndDrag();
        ImageList_Destroy(m_dragImage);
        m_dragImage = nullptr;
    }
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    if (cancelled) return;
    if (WindowFromPoint(screen) == m_hwnd) {
        POINT client = screen;
        ScreenToClient(m_hwnd, &client);
        DropOnSelf(client);
        return;
    }
    HWND other = OtherIconWindowAt(screen);
    if (!other) {
        // Another program takes a copy of the icon.
        if (HWND program = OtherProgramAt(screen); program && m_services.exchange().AcceptsDropOn(program))
            m_services.exchange().DragIconsTo(program, screen, false);
        return;
    }
    if (GetWindowLongPtrA(other, 0) == kModeProgram ||
        !m_services.exchange().AcceptsDropOn(other))
        return;
    const bool programSource = g_app.workspace.mode() == kModeProgram;
    bool move = !CtrlHeld() && !programSource;
    if (m_rightButton) {
        HMENU menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING | (programSource ? MF_GRAYED : 0), IDM_DROP_MOVE, "Move Here");
        AppendMenuA(menu, MF_STRING, IDM_DROP_COPY, "Copy Here");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, IDCANCEL, "Cancel");
        const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y,
                                          0, m_hwnd, nullptr);
        DestroyMenu(menu);
        if (chosen != IDM_DROP_MOVE && chosen != IDM_DROP_COPY) return;
        move = chosen == IDM_DROP_MOVE;
    }
    const std::vector<FormatTally> before = g_app.workspace.tallies();
    if (m_services.exchange().DragIconsTo(other, screen, move)) {
        Redraw();
        m_services.ImagesChanged(FormatBoxCause::Removed, before);
    } else {
        // A drag that failed leaves the workspace as it was; the status line shows it again.
        m_services.SelectionChanged();
    }
}

void IconWindow::DropOnSelf(POINT client) {
    Workspace& ws = g_app.workspace;
    if (g_app.state.view == kViewRaw) {
        // Raw View keeps its order: the icons go back to their places.
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return;
    }
    const std::vector<size_t> selection = ws.Selection();
    if (selection.empty()) return;
    // The dragged icons keep their places among each other, centred as a group on the drop point.
    int left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
    for (size_t i : selection) {
        const IconEntry& e = ws.icons()[i];
        left = std::min(left, e.x), top = std::min(top, e.y);
        right = std::max(right, e.x + e.cellWidth), bottom = std::max(bottom, e.y + e.cellHeight);
    }
    const POINT drop = ToWorkspace(client);
    const int dx = drop.x - (left + right) / 2, dy = drop.y - (top + bottom) / 2;
    for (size_t i : selection) {
        ws.icons()[i].x += dx;
        ws.icons()[i].y += dy;
    }
    ArrangeByPosition();
}

// --- context menus ---

void IconWindow::ShowContextMenu(POINT client) {
    Workspace& ws = g_app.workspace;
    const POINT w = ToWorkspace(client);
    const long hit = ViewLayout::HitTest(ws, Order(), w.x, w.y);
    HMENU menu = CreatePopupMenu();
    if (hit >= 0) {
        // A right-click on an icon that is not selected selects it first.
        if (!m_marks.IsSelected(static_cast<size_t>(hit))) {
            for (size_t i : ws.Selection()) InvalidateIcon(i);
            ws.SelectOne(static_cast<size_t>(hit));
            InvalidateIcon(static_cast<size_t>(hit));
            SelectionChanged();
        }
        const UINT one = ws.selectionValue() > 0 ? 0 : MF_GRAYED;
        AppendMenuA(menu, MF_STRING | one, IDM_CTX_SAVE_ICO, "Save As ICO...");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING | one, IDM_CTX_COPY, "Create Copy");
        AppendMenuA(menu, MF_STRING | one, IDM_CTX_EDIT, "Edit Icon");
        AppendMenuA(menu, MF_STRING, IDM_CTX_DELETE, "Delete");
        AppendMenuA(menu, MF_STRING | one, IDM_CTX_RENAME, "Rename...");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING | one, IDM_EDIT_INSTALL, "Install to System...");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, IDM_PROPERTIES, "Properties");
    } else {
        AppendMenuA(menu, MF_STRING, IDM_CTX_NEW_ICON, "New Icon");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, IDM_PROPERTIES, "Properties");
    }
    POINT screen = client;
    ClientToScreen(m_hwnd, &screen);
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                                      m_hwnd, nullptr);
    DestroyMenu(menu);
    if (chosen > 0) m_services.Command(chosen);
}

// --- shell drops ---

void IconWindow::OnDropFiles(HDROP drop) {
    std::vector<std::string> names;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char path[MAX_PATH + 1] = {};
        if (DragQueryFileA(drop, i, path, sizeof path)) names.emplace_back(path);
    }
    POINT at{};
    DragQueryPoint(drop, &at);
    DragFinish(drop);
    // A program file is replaced by what is dropped on it: it takes no additions.
    DropFiles(names, at, g_app.workspace.mode() != kModeProgram, false);
}

void IconWindow::DropFiles(const std::vector<std::string>& names, POINT clientPoint,
                           bool askWhenNotEmpty, bool foldersToSearch) {
    if (names.empty()) return;
    Workspace& ws = g_app.workspace;
    if (foldersToSearch) {
        if (m_services.ConfirmReplace()) m_services.SearchFolders(names);
        return;
    }
    int chosen = IDM_DROP_OPEN_NEW;
    if (askWhenNotEmpty && ws.iconCount() > 0) {
        HMENU menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, IDM_DROP_OPEN_NEW, "Open As New File");
        AppendMenuA(menu, MF_STRING | (ws.mode() == kModeProgram ? MF_GRAYED : 0), IDM_DROP_ADD,
                    "Add Icons To Workspace");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, IDCANCEL, "Cancel");
        POINT screen = clientPoint;
        ClientToScreen(m_hwnd, &screen);
        SetForegroundWindow(g_app.frame);
        chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                                m_hwnd, nullptr);
        DestroyMenu(menu);
    }
    if (chosen == IDM_DROP_ADD) {
        AddDroppedFiles(names, clientPoint);
    } else if (chosen == IDM_DROP_OPEN_NEW) {
        // Replacing the workspace takes Open's guard, a program file's too.
        if (m_services.ConfirmReplace()) m_services.OpenDroppedFiles(names);
    }
}

void IconWindow::AddDroppedFiles(const std::vector<std::string>& paths, POINT clientPoint) {
    Workspace& ws = g_app.workspace;
    Prompt& prompt = m_services.prompt();
    if (ws.mode() == kModeProgram) {
        prompt.Tell(LoadText(IDS_PROGRAM_FILE_FIXED), PromptIcon::Stop);
        return;
    }
    const std::vector<FormatTally> before = ws.tallies();
    // The new icons are centred on the drop point in the workspace, below what is scrolled away.
    const POINT at = ToWorkspace(clientPoint);
    HCURSOR old = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    for (const std::string& path : paths) {
        const int kind = DetectDroppedFileKind(path);
        LibStatus st;
        if (kind == kKindUnknown) {
            prompt.Tell(Format(LoadText(IDS_NOT_RECOGNISED).c_str(), path.c_str()),
                        PromptIcon::Exclamation);
            st = LibStatus::NotRecognised;
        } else if (kind == kKindIconFile) {
            st = AddIconFileToWorkspace(ws, path, at.x, at.y, &prompt);
        } else {
            st = AddModuleIcons(ws, path, at.x, at.y, &prompt);
        }
        if (st != LibStatus::Ok) m_services.ForgetRecentFile(path);
    }
    SetCursor(old);
    ws.UpdateAllCellSizes();
    ArrangeByPosition();
    m_services.ImagesChanged(FormatBoxCause::Added, before);
}

// --- the frame's side ---

bool RegisterIconWindow(HINSTANCE instance) {
    return IconWindow::Register(instance);
}

IconView* CreateIconView(HWND frame, FrameServices& services) {
    return IconWindow::Create(frame, services);
}

void HandleShellDrop(const std::vector<std::string>& names, POINT clientPoint, bool askWhenNotEmpty,
                     bool foldersToSearch) {
    if (IconWindow* view = IconWindow::Instance())
        view->DropFiles(names, clientPoint, askWhenNotEmpty, foldersToSearch);
}

}  // namespace vt::librarian
