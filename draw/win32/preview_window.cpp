#include "common/win32/window_dispatch.h"
#include "draw/win32/preview_window.h"

#include <vector>

#include "image/image_compose.h"
#include "draw/win32/view_colors.h"

namespace vt {

void PaintComposedImage(HDC dc, const IconImage& image, COLORREF background, int x, int y, int w, int h) {
    const std::vector<uint32_t> px = ComposeImage(image, background);
    if (px.empty()) return;
    // A top-down 32-bit DIB wants blue in the low byte; colour values have red there.
    std::vector<uint32_t> dib(px.size());
    for (size_t i = 0; i < px.size(); ++i) dib[i] = SwapRedBlue(px[i]);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = image.width;
    bi.bmiHeader.biHeight = -image.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, x, y, w, h, 0, 0, image.width, image.height, dib.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
}

bool RegisterPreviewClass(HINSTANCE instance, const char* className, WNDPROC proc) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    return RegisterClassA(&wc) != 0;
}

HWND CreatePreviewToolWindow(HINSTANCE instance, const char* className, HWND owner, int x, int y, int clientWidth,
                             int clientHeight, void* self) {
    RECT r{0, 0, clientWidth, clientHeight};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    AdjustWindowRectEx(&r, style, FALSE, WS_EX_TOOLWINDOW);
    return CreateWindowExA(WS_EX_TOOLWINDOW, className, "Preview", style, x, y, r.right - r.left, r.bottom - r.top,
                           owner, nullptr, instance, self);
}

bool PreviewWindow::Register(HINSTANCE instance, const char* className) {
    return RegisterPreviewClass(instance, className, WndProc);
}

PreviewWindow* PreviewWindow::Create(HINSTANCE instance, const char* className, HWND owner, int x,
                                     int y, const ViewColors& colors) {
    auto* self = new PreviewWindow(colors);
    const int side = 64 + 2 * kOffset;
    if (!CreatePreviewToolWindow(instance, className, owner, x, y, side, side, self)) {
        delete self;
        return nullptr;
    }
    return self;
}

LRESULT CALLBACK PreviewWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DispatchToWindow<PreviewWindow>(hwnd, msg, wp, lp);
}

LRESULT PreviewWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT: OnPaint(); return 0;
        case WM_PRINTCLIENT: PaintImage(reinterpret_cast<HDC>(wp)); return 0;
        case WM_CLOSE:
            // Closing only hides: the View menu brings it back.
            ShowWindow(m_hwnd, SW_HIDE);
            if (m_hiddenHook) m_hiddenHook();
            return 0;
        default: return DefWindowProcA(m_hwnd, msg, wp, lp);
    }
}

void PreviewWindow::SetImage(const IconImage* image) {
    m_image = image;
    Redraw();
}

void PreviewWindow::Redraw() {
    if (m_hwnd) InvalidateRect(m_hwnd, nullptr, TRUE);
}

void PreviewWindow::PaintImage(HDC dc) {
    if (!m_image || !m_image->HasBits()) return;
    PaintComposedImage(dc, *m_image, m_colors.screenDisplay(), kOffset, kOffset, m_image->width,
                       m_image->height);
}

void PreviewWindow::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    PaintImage(dc);
    EndPaint(m_hwnd, &ps);
}

void PreviewWindow::SetPixel(int x, int y, Ink ink) {
    if (!m_hwnd || !m_image || !IsWindowVisible(m_hwnd)) return;
    HDC dc = GetDC(m_hwnd);
    SetPixelV(dc, kOffset + x, kOffset + y, m_colors.PreviewRgb(*m_image, ink));
    ReleaseDC(m_hwnd, dc);
}

}  // namespace vt
