#include "studio/win32/frame_window.h"

#include "appservices/win32/vtapp.h"
#include "common/win32/menu_state_query.h"
#include "studio/win32/resource.h"
#include "studio/win32/studio_app.h"

namespace vt::studio {

namespace {
const char kFrameClass[] = "ICSFrame";
}

bool FrameWindow::Register(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszMenuName = MAKEINTRESOURCEA(IDM_FRAME_MENU);
    wc.lpszClassName = kFrameClass;
    return RegisterClassA(&wc) != 0;
}

HWND FrameWindow::Create(HINSTANCE instance, int show) {
    auto* self = new FrameWindow;
    HWND hwnd = CreateWindowExA(WS_EX_ACCEPTFILES, kFrameClass, FrameTitle(g_app.documentTitle).c_str(),
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, 640,
                                480, nullptr, nullptr, instance, self);
    if (!hwnd) {
        delete self;
        return nullptr;
    }
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    return hwnd;
}

LRESULT CALLBACK FrameWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    FrameWindow* self;
    if (msg == WM_NCCREATE) {
        self = static_cast<FrameWindow*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<FrameWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    LRESULT result = self->OnMessage(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        delete self;
    }
    return result;
}

LRESULT FrameWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == MenuStateQueryMessage()) return AnswerMenuStateQuery(m_hwnd, wp);
    switch (msg) {
        case WM_COMMAND: OnCommand(LOWORD(wp)); return 0;
        case WM_DESTROY: OnDestroy(); return 0;
        default: return DefWindowProcA(m_hwnd, msg, wp, lp);
    }
}

void FrameWindow::OnCommand(int id) {
    switch (id) {
        case IDM_FILE_EXIT: PostMessageA(m_hwnd, WM_CLOSE, 0, 0); break;
        case IDM_HELP_SUPPORT: VtSupportDialog(m_hwnd); break;
        case IDM_HELP_ABOUT: VtAboutBox(m_hwnd, m_hwnd, "Studio", g_app.instance); break;
        default: break;
    }
}

void FrameWindow::OnDestroy() { PostQuitMessage(0); }

}  // namespace vt::studio
