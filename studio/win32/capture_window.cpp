#include "common/win32/window_dispatch.h"
#include "studio/win32/capture_window.h"

#include <windowsx.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/prompt.h"
#include "studio/win32/resource.h"
#include "studio/win32/resource_edit.h"
#include "studio/win32/studio_app.h"

namespace vt::studio {

namespace {

constexpr int kMinimumSide = 10;

// Kept for the life of the process, as the user left them.
int g_captureSize = 32;
bool g_captureCustom = false;

INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG: {
            const int id = g_captureCustom       ? IDC_CAPTURE_CUSTOM
                           : g_captureSize == 16 ? IDC_CAPTURE_16
                           : g_captureSize == 48 ? IDC_CAPTURE_48
                                                 : IDC_CAPTURE_32;
            CheckRadioButton(dlg, IDC_CAPTURE_16, IDC_CAPTURE_CUSTOM, id);
            return TRUE;
        }
        case WM_COMMAND:
            // Each choice takes effect at once, even when the dialog is then cancelled.
            switch (LOWORD(wp)) {
                case IDC_CAPTURE_16:
                    g_captureSize = 16;
                    g_captureCustom = false;
                    return TRUE;
                case IDC_CAPTURE_32:
                    g_captureSize = 32;
                    g_captureCustom = false;
                    return TRUE;
                case IDC_CAPTURE_48:
                    g_captureSize = 48;
                    g_captureCustom = false;
                    return TRUE;
                case IDC_CAPTURE_CUSTOM:
                    g_captureCustom = true;
                    return TRUE;
                case IDOK:
                case IDCANCEL:
                    EndDialog(dlg, LOWORD(wp));
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}

void Report(HWND owner, const std::string& text, UINT icon) {
    MessageBeep(icon);
    MessageBoxA(owner, text.c_str(), kProgramTitle, MB_OK | icon);
}

bool PaintWindowsInto(HDC mem, const RECT& area, HWND skip) {
    RECT all{0, 0, area.right, area.bottom};
    FillRect(mem, &all, GetSysColorBrush(COLOR_DESKTOP));
    std::vector<HWND> windows;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w != skip && IsWindowVisible(w) && !IsIconic(w)) windows.push_back(w);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        RECT r;
        GetWindowRect(*it, &r);
        SetViewportOrgEx(mem, r.left - area.left, r.top - area.top, nullptr);
        PrintWindow(*it, mem, 0);
        SetViewportOrgEx(mem, 0, 0, nullptr);
    }
    return true;
}

// The screen area as a screen-compatible bitmap on the clipboard (replacing what was there).
bool CopyScreenToClipboard(HWND owner, const RECT& area) {
    const HWND capture = owner;
    const int w = area.right, h = area.bottom;  // width and height
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    bool ok = false;
    if (mem && bitmap) {
        HGDIOBJ old = SelectObject(mem, bitmap);
        ok = BitBlt(mem, 0, 0, w, h, screen, area.left, area.top, SRCCOPY) != FALSE;
        // Display drivers without a readable screen surface (a headless one) refuse the copy; the
        // visible windows then paint themselves into the bitmap, bottom of the Z order first.
        if (!ok) ok = PaintWindowsInto(mem, area, capture);
        SelectObject(mem, old);
    }
    if (mem) DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    if (!ok) {
        if (bitmap) DeleteObject(bitmap);
        return false;
    }
    if (!OpenClipboard(owner)) {
        DeleteObject(bitmap);
        return false;
    }
    EmptyClipboard();
    ok = SetClipboardData(CF_BITMAP, bitmap) != nullptr;
    if (!ok) DeleteObject(bitmap);
    CloseClipboard();
    return ok;
}

}  // namespace

bool CaptureWindow::Register(HINSTANCE instance, HCURSOR cursor) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = cursor ? cursor : LoadCursorA(nullptr, IDC_CROSS);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    wc.lpszClassName = kCaptureClass;
    return RegisterClassExA(&wc) != 0;
}

void CaptureWindow::Run(HINSTANCE instance, HWND frame) {
    if (DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SCREEN_CAPTURE), frame, DialogProc, 0) !=
        IDOK)
        return;
    auto* self = new CaptureWindow;
    self->m_frame = frame;
    self->m_size = g_captureSize;
    self->m_custom = g_captureCustom;
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    if (!CreateWindowExA(WS_EX_TRANSPARENT | WS_EX_TOPMOST, kCaptureClass, "Capture",
                         WS_POPUP | WS_MAXIMIZE, 0, 0, w, h, nullptr, nullptr, instance, self))
        delete self;  // creation failed before WM_NCCREATE took ownership
}

LRESULT CALLBACK CaptureWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DispatchToWindow<CaptureWindow>(hwnd, msg, wp, lp);
}

LRESULT CaptureWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    switch (msg) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(p, (wp & MK_LBUTTON) != 0);
            return 0;
        case WM_LBUTTONDOWN:
            m_pressed = m_last = p;
            m_dragging = m_custom;
            return 0;
        case WM_LBUTTONUP:
            OnLeftUp(p);
            return 0;
        case WM_RBUTTONDOWN:
            if (m_bandShown) DrawBand(m_band);
            m_bandShown = false;
            DestroyWindow(m_hwnd);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            ValidateRect(m_hwnd, nullptr);
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        default:
            return DefWindowProcA(m_hwnd, msg, wp, lp);
    }
}

void CaptureWindow::OnCreate() {
    ShowWindow(m_frame, SW_MINIMIZE);
    ShowWindow(m_hwnd, SW_SHOWNA);
    BringWindowToTop(m_hwnd);
    SetCapture(m_hwnd);
    SetFocus(m_hwnd);
    if (m_custom) {
        SetCursor(g_app.cursors[IDC_CAPTURE_CURSOR - IDC_CURSOR_FIRST]);
    } else {
        ShowCursor(FALSE);
        m_cursorHidden = true;
    }
}

RECT CaptureWindow::BandFor(POINT p) const {
    if (!m_custom) return {p.x, p.y, p.x + m_size, p.y + m_size};
    return {std::min(m_pressed.x, p.x), std::min(m_pressed.y, p.y), std::max(m_pressed.x, p.x) + 1,
            std::max(m_pressed.y, p.y) + 1};
}

void CaptureWindow::DrawBand(const RECT& r) const {
    HDC dc = GetDC(nullptr);
    const int old = SetROP2(dc, R2_NOTXORPEN);
    // The default white brush leaves the inside unchanged under this mix; the black pen inverts.
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    SetROP2(dc, old);
    ReleaseDC(nullptr, dc);
}

void CaptureWindow::OnMouseMove(POINT p, bool leftDown) {
    if (!m_firstMoveSeen) {
        m_firstMoveSeen = true;
        return;
    }
    if (m_custom && !(leftDown && m_dragging)) return;
    if (m_bandShown) DrawBand(m_band);
    m_band = BandFor(p);
    DrawBand(m_band);
    m_bandShown = true;
    m_last = p;
}

void CaptureWindow::OnLeftUp(POINT p) {
    m_dragging = false;
    if (!m_bandShown) return;
    DrawBand(m_band);
    m_bandShown = false;
    const RECT area = m_custom ? BandFor(p) : BandFor(m_last);
    const int w = area.right - area.left, h = area.bottom - area.top;
    if (w < kMinimumSide || h < kMinimumSide) {
        const HWND frame = m_frame;
        ReleaseCapture();
        DestroyWindow(m_hwnd);  // deletes this
        Report(frame,
               Format("Captured area is too small: %d pixels tall, and %d wide.\r\n\r\nArea must "
                      "be at least 10 x 10 pixels.",
                      h, w),
               MB_ICONHAND);
        return;
    }
    if (CopyScreenToClipboard(m_hwnd, {area.left, area.top, w, h}))
        m_result = {area.left, area.top, w, h};
    else
        Report(m_frame, "Out of global memory.  Cannot complete this function.", MB_ICONHAND);
    DestroyWindow(m_hwnd);
}

void CaptureWindow::OnDestroy() {
    if (GetCapture() == m_hwnd) ReleaseCapture();
    if (m_cursorHidden) ShowCursor(TRUE);
    ShowWindow(m_frame, SW_RESTORE);
    if (m_result.right >= 0)
        Report(
            m_frame,
            Format(
                "Bitmap information (%d x %d pixels) successfully captured to Windows clipboard.",
                static_cast<int>(m_result.bottom), static_cast<int>(m_result.right)),
            MB_ICONINFORMATION);
}

}  // namespace vt::studio
