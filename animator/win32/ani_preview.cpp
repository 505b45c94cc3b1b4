#include "animator/win32/ani_preview.h"

#include <commctrl.h>

#include <string>

#include "animator/win32/resource.h"
#include "common/win32/program_launch.h"
#include "draw/win32/preview_window.h"
#include "draw/win32/view_colors.h"

namespace vt::animator {

namespace {

constexpr int kClientWidth = 118;
constexpr int kClientHeight = 112;
constexpr int kButtonSize = 26;
constexpr int kButtonsLeft = 54;

std::string LoadText(HINSTANCE instance, int id) {
    char text[256] = {};
    LoadStringA(instance, static_cast<UINT>(id), text, sizeof text);
    return text;
}

void AddTip(HWND tips, HWND owner, HWND control, const std::string& text) {
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = owner;
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

}  // namespace

bool AnimatorPreview::Register(HINSTANCE instance, const char* className) {
    return RegisterPreviewClass(instance, className, WndProc);
}

AnimatorPreview* AnimatorPreview::Create(HINSTANCE instance, const char* className, HWND owner, int x, int y,
                                         const ViewColors& colors, Animation& animation) {
    auto* self = new AnimatorPreview(colors, animation);
    if (!CreatePreviewToolWindow(instance, className, owner, x, y, kClientWidth, kClientHeight, self)) {
        delete self;
        return nullptr;
    }
    return self;
}

LRESULT CALLBACK AnimatorPreview::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DispatchToWindow<AnimatorPreview>(hwnd, msg, wp, lp);
}

LRESULT AnimatorPreview::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    static const UINT frameQuery = RegisterWindowMessageA(kPreviewFrameMessage);
    if (msg == frameQuery) return m_player.playing() ? static_cast<LRESULT>(m_player.frame() + 1) : 0;
    switch (msg) {
        case WM_CREATE: OnCreate(); return 0;
        case WM_PAINT: OnPaint(nullptr); return 0;
        case WM_PRINTCLIENT: OnPaint(reinterpret_cast<HDC>(wp)); return 0;
        case WM_TIMER:
            if (wp == kPlayTimer) OnTimer();
            return 0;
        case WM_COMMAND:
            if (HIWORD(wp) == BN_CLICKED) {
                // The buttons work as the frame's commands do, so the frame stops what it must.
                if (LOWORD(wp) == IDC_PREVIEW_PLAY) Play();
                if (LOWORD(wp) == IDC_PREVIEW_STOP) Stop();
            }
            return 0;
        case WM_DRAWITEM: DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp)); return TRUE;
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lp) == m_slider) OnSlider(LOWORD(wp));
            return 0;
        case WM_CLOSE:
            ShowWindow(m_hwnd, SW_HIDE);
            if (m_hiddenHook) m_hiddenHook();
            return 0;
        case WM_DESTROY:
            KillTimer(m_hwnd, kPlayTimer);
            if (m_playGlyph) DeleteObject(m_playGlyph);
            if (m_stopGlyph) DeleteObject(m_stopGlyph);
            return 0;
        default: return DefWindowProcA(m_hwnd, msg, wp, lp);
    }
}

void AnimatorPreview::OnCreate() {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(m_hwnd, GWLP_HINSTANCE));
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    auto button = [&](const char* text, int id, int x) {
        HWND b = CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, x, 10,
                                 kButtonSize, kButtonSize, m_hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 instance, nullptr);
        return b;
    };
    m_play = button("Display Animation", IDC_PREVIEW_PLAY, kButtonsLeft);
    m_stop = button("Stop Animation", IDC_PREVIEW_STOP, kButtonsLeft + kButtonSize + 4);
    m_playGlyph = LoadFaceMappedBitmap(instance, IDB_PLAY, false);
    m_stopGlyph = LoadFaceMappedBitmap(instance, IDB_STOP, false);
    HWND label = CreateWindowExA(0, "STATIC", "Speed", WS_CHILD | WS_VISIBLE | SS_LEFT, 8, 62, 60, 14, m_hwnd,
                                 nullptr, instance, nullptr);
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    m_slider = CreateWindowExA(0, TRACKBAR_CLASSA, "Speed", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_HORZ | TBS_NOTICKS,
                               4, 78, kClientWidth - 8, 26, m_hwnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PREVIEW_SPEED)), instance, nullptr);
    m_tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, m_hwnd,
                             nullptr, instance, nullptr);
    AddTip(m_tips, m_hwnd, m_play, LoadText(instance, IDS_TIP_PLAY));
    AddTip(m_tips, m_hwnd, m_stop, LoadText(instance, IDS_TIP_STOP));
    // The slider's tip names it as menus do, above what it does.
    m_sliderTip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                  m_hwnd, nullptr, instance, nullptr);
    AddTip(m_sliderTip, m_hwnd, m_slider, LoadText(instance, IDS_TIP_SPEED));
    const std::string title = LoadText(instance, IDS_TIP_SPEED_TITLE);
    SendMessageA(m_sliderTip, TTM_SETTITLEA, TTI_NONE, reinterpret_cast<LPARAM>(title.c_str()));
    ResetSlider();
    UpdateButtons();
}

void AnimatorPreview::ResetSlider() {
    const SpeedSlider& s = m_animation.slider();
    SendMessageA(m_slider, TBM_SETRANGE, FALSE, MAKELPARAM(s.minimum(), 0));
    // Ranges above 65535 (frames of 32768 jiffies and more) do not fit MAKELPARAM.
    SendMessageA(m_slider, TBM_SETRANGEMAX, FALSE, s.maximum());
    SendMessageA(m_slider, TBM_SETPOS, TRUE, s.neutral());
}

void AnimatorPreview::OnSlider(int code) {
    const int position = static_cast<int>(SendMessageA(m_slider, TBM_GETPOS, 0, 0));
    if (code == TB_ENDTRACK) {
        m_animation.ApplySpeed();
        ResetSlider();
        if (m_speedHook) m_speedHook();
        return;
    }
    if (code == TB_THUMBPOSITION) return;
    m_animation.slider().Track(position);
}

RECT AnimatorPreview::ImageRect() const {
    return {kOffset, kOffset, kOffset + kAnimatorImageSize, kOffset + kAnimatorImageSize};
}

const IconImage* AnimatorPreview::ShownImage() const {
    if (m_player.playing() && m_player.frame() < m_animation.frameCount())
        return &m_animation.frame(m_player.frame()).image();
    return m_image;
}

void AnimatorPreview::OnPaint(HDC given) {
    PAINTSTRUCT ps{};
    HDC dc = given ? given : BeginPaint(m_hwnd, &ps);
    if (const IconImage* img = ShownImage())
        PaintComposedImage(dc, *img, m_colors.screenDisplay(), kOffset, kOffset, img->width, img->height);
    if (!given) EndPaint(m_hwnd, &ps);
}

void AnimatorPreview::SetImage(const IconImage* image) {
    m_image = image;
    Redraw();
}

void AnimatorPreview::Redraw() {
    if (!m_hwnd) return;
    const RECT r = ImageRect();
    InvalidateRect(m_hwnd, &r, TRUE);
}

void AnimatorPreview::SetPixel(int x, int y, Ink ink) {
    if (!m_hwnd || !m_image || m_player.playing() || !IsWindowVisible(m_hwnd)) return;
    HDC dc = GetDC(m_hwnd);
    SetPixelV(dc, kOffset + x, kOffset + y, m_colors.PreviewRgb(*m_image, ink));
    ReleaseDC(m_hwnd, dc);
}

void AnimatorPreview::Play() {
    if (m_player.playing()) return;
    const std::vector<int32_t> times = m_animation.Times();
    const int interval = m_player.Start(times, m_animation.selected(), m_animation.slider().ratio());
    if (interval < 0) return;
    SetTimer(m_hwnd, kPlayTimer, static_cast<UINT>(interval), nullptr);
    UpdateButtons();
    Redraw();
    if (m_playingHook) m_playingHook();
}

void AnimatorPreview::Stop() {
    if (!m_player.playing()) return;
    KillTimer(m_hwnd, kPlayTimer);
    m_player.Stop();
    UpdateButtons();
    Redraw();
    if (m_playingHook) m_playingHook();
}

void AnimatorPreview::OnTimer() {
    KillTimer(m_hwnd, kPlayTimer);
    const std::vector<int32_t> times = m_animation.Times();
    const int interval = m_player.Tick(times, m_animation.slider().ratio());
    if (interval < 0) {
        Stop();
        return;
    }
    SetTimer(m_hwnd, kPlayTimer, static_cast<UINT>(interval), nullptr);
    Redraw();
}

void AnimatorPreview::DrawButton(const DRAWITEMSTRUCT& item) {
    RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    HBITMAP glyph = item.hwndItem == m_play ? m_playGlyph : m_stopGlyph;
    if (!glyph) return;
    const int x = (r.left + r.right - 16) / 2 + (pressed ? 1 : 0);
    const int y = (r.top + r.bottom - 16) / 2 + (pressed ? 1 : 0);
    // A button that cannot be used shows its glyph embossed, as the system draws disabled images.
    const UINT state = IsWindowEnabled(item.hwndItem) ? DSS_NORMAL : DSS_DISABLED;
    ::DrawStateA(item.hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(glyph), 0, x, y, 16, 16, DST_BITMAP | state);
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&r, -4, -4);
        DrawFocusRect(item.hDC, &r);
    }
}

void AnimatorPreview::UpdateButtons() {
    EnableWindow(m_play, !m_player.playing());
    EnableWindow(m_stop, m_player.playing());
}

}  // namespace vt::animator
