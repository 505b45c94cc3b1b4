#include "draw/win32/text_window.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "draw/canvas.h"

namespace vt {

namespace {

constexpr UINT kTextFormat = DT_WORDBREAK | DT_NOPREFIX;
constexpr int kWindowWidth = 210, kWindowHeight = 112;

// One program registers one text window class; its name and the program's title are kept here.
std::string g_className;
std::string g_programTitle;

}  // namespace

bool TextWindow::Register(HINSTANCE instance, const char* className, const char* programTitle) {
    g_className = className;
    g_programTitle = programTitle;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = g_className.c_str();
    return RegisterClassExA(&wc) != 0;
}

TextWindow* TextWindow::Create(HINSTANCE instance, HWND owner, int x, int y,
                               std::array<uint8_t, 60>& font, DrawEngine& engine, Hooks hooks,
                               const char* labelText, const char* buttonText) {
    auto* self = new TextWindow;
    self->m_owner = owner;
    self->m_instance = instance;
    self->m_fontRecord = &font;
    self->m_engine = &engine;
    self->m_hooks = std::move(hooks);
    self->m_label = labelText;
    self->m_button = buttonText;
    if (!CreateWindowExA(WS_EX_TOOLWINDOW, g_className.c_str(), "Add Text",
                         WS_POPUP | WS_CAPTION | WS_SYSMENU, x, y, kWindowWidth, kWindowHeight,
                         owner, nullptr, instance, self)) {
        delete self;
        return nullptr;
    }
    return self;
}

LRESULT CALLBACK TextWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DispatchToWindow<TextWindow>(hwnd, msg, wp, lp, g_programTitle.c_str());
}

TextWindow::~TextWindow() {
    FreeSurface();
    if (m_font) DeleteObject(m_font);
}

LRESULT TextWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wp) == kTextEditId && HIWORD(wp) == EN_CHANGE && m_active) Render(false);
            if (LOWORD(wp) == kTextFontId && HIWORD(wp) == BN_CLICKED) PickFont();
            return 0;
        case WM_MOVE: {
            RECT r;
            GetWindowRect(m_hwnd, &r);
            if (m_hooks.moved) m_hooks.moved(r.left, r.top);
            return 0;
        }
        case WM_SETFOCUS:
            // Typing goes to the text whenever the window is activated.
            SetFocus(m_edit);
            return 0;
        case WM_CLOSE:
            // The text window stands for the program: closing it closes the editor.
            PostMessageA(m_owner, WM_CLOSE, 0, 0);
            return 0;
        default:
            return DefWindowProcA(m_hwnd, msg, wp, lp);
    }
}

void TextWindow::OnCreate() {
    HFONT ui = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
    RECT c;
    GetClientRect(m_hwnd, &c);
    HWND label = CreateWindowExA(0, "STATIC", m_label, WS_CHILD | WS_VISIBLE, 6, 6, 60, 14, m_hwnd,
                                 nullptr, m_instance, nullptr);
    m_edit = CreateWindowExA(
        WS_EX_CLIENTEDGE, "EDIT", "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL, 6, 22,
        c.right - 12, 34, m_hwnd, reinterpret_cast<HMENU>(kTextEditId), m_instance, nullptr);
    SendMessageA(m_edit, EM_LIMITTEXT, 255, 0);
    HWND button = CreateWindowExA(
        0, "BUTTON", m_button, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, c.right - 76, 60,
        70, 22, m_hwnd, reinterpret_cast<HMENU>(kTextFontId), m_instance, nullptr);
    for (HWND w : {label, m_edit, button})
        SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(ui), FALSE);
    LOGFONTA lf{};
    std::memcpy(&lf, m_fontRecord->data(), sizeof lf);
    if (lf.lfHeight == 0) {
        SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0);
        std::memcpy(m_fontRecord->data(), &lf, sizeof lf);
    }
    m_font = CreateFontIndirectA(&lf);
}

void TextWindow::FreeSurface() {
    if (m_surfaceDc) {
        SelectObject(m_surfaceDc, m_oldSurface);
        DeleteDC(m_surfaceDc);
    }
    if (m_surface) DeleteObject(m_surface);
    m_surfaceDc = nullptr;
    m_surface = nullptr;
    m_bits = nullptr;
}

void TextWindow::Begin() {
    FreeSurface();
    const IconImage* img = m_engine->image();
    if (!img) return;
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colours[2];
    } bi{};
    bi.h.biSize = sizeof bi.h;
    bi.h.biWidth = img->width;
    bi.h.biHeight = -img->height;
    bi.h.biPlanes = 1;
    bi.h.biBitCount = 1;
    bi.colours[1] = {255, 255, 255, 0};
    HDC screen = GetDC(nullptr);
    m_surface = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS,
                                 &m_bits, nullptr, 0);
    m_surfaceDc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (!m_surface || !m_surfaceDc) {
        FreeSurface();
        return;
    }
    m_oldSurface = SelectObject(m_surfaceDc, m_surface);
    m_surfaceWidth = img->width;
    m_surfaceHeight = img->height;
    m_previous = {};
    // A text placed on a larger image starts again inside this one.
    Point& position = m_engine->state().textPosition;
    position.x = std::clamp(position.x, 0, img->width - 1);
    position.y = std::clamp(position.y, 0, img->height - 1);
    m_active = true;
    SetWindowTextA(m_edit, "");
    ShowWindow(m_hwnd, SW_SHOWNA);
    SetFocus(m_edit);
}

void TextWindow::Restart() {
    if (!m_active) return;
    m_previous = {};
    SetWindowTextA(m_edit, "");
    SetFocus(m_edit);
}

void TextWindow::ColorsChanged() {
    if (m_active && GetWindowTextLengthA(m_edit) > 0) Render(true);
}

void TextWindow::End() {
    m_active = false;
    ShowWindow(m_hwnd, SW_HIDE);
    FreeSurface();
}

bool TextWindow::ApplyFont(const LOGFONTA& font) {
    if (std::memcmp(&font, m_fontRecord->data(), sizeof font) == 0) return false;
    HFONT made = CreateFontIndirectA(&font);
    if (!made) return false;
    if (m_font) DeleteObject(m_font);
    m_font = made;
    std::memcpy(m_fontRecord->data(), &font, sizeof font);
    if (GetWindowTextLengthA(m_edit) > 0) Render(true);
    return true;
}

// The font dialog's hook: Apply takes the font shown in the dialog at once; the colour and script
// boxes are hidden.
UINT_PTR CALLBACK TextWindow::FontHook(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(dlg, GWLP_USERDATA, reinterpret_cast<const CHOOSEFONTA*>(lp)->lCustData);
        // The effects group reaches down over the place the hidden boxes leave empty.
        HWND group = GetDlgItem(dlg, 1072);
        RECT g{}, lowest{};
        if (group && GetWindowRect(group, &g)) {
            for (int id : {1139, 1140}) {
                RECT r;
                if (HWND box = GetDlgItem(dlg, id); box && GetWindowRect(box, &r))
                    lowest.bottom = std::max(lowest.bottom, r.bottom);
            }
            MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&g), 2);
            POINT bottom{0, lowest.bottom};
            ScreenToClient(dlg, &bottom);
            if (lowest.bottom && bottom.y > g.bottom)
                SetWindowPos(group, nullptr, 0, 0, g.right - g.left, bottom.y + 4 - g.top,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        for (int id : {1091, 1139, 1094, 1140}) ShowWindow(GetDlgItem(dlg, id), SW_HIDE);
        return TRUE;
    }
    if (msg == WM_COMMAND && LOWORD(wp) == 1026) {  // Apply
        auto* self = reinterpret_cast<TextWindow*>(GetWindowLongPtrA(dlg, GWLP_USERDATA));
        LOGFONTA lf{};
        SendMessageA(dlg, WM_CHOOSEFONT_GETLOGFONT, 0, reinterpret_cast<LPARAM>(&lf));
        if (self && lf.lfHeight != 0) self->ApplyFont(lf);
        return TRUE;
    }
    return FALSE;
}

void TextWindow::PickFont() {
    LOGFONTA lf{};
    std::memcpy(&lf, m_fontRecord->data(), sizeof lf);
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = m_hwnd;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_FORCEFONTEXIST | CF_APPLY |
               CF_ENABLEHOOK;
    cf.lpfnHook = FontHook;
    cf.lCustData = reinterpret_cast<LPARAM>(this);
    if (ChooseFontA(&cf) && cf.iPointSize != 0) ApplyFont(lf);
}

void TextWindow::Render(bool fontChanged) {
    Canvas* canvas = m_engine->canvas();
    if (!m_active || !m_surfaceDc || !canvas) return;
    char text[256] = {};
    GetWindowTextA(m_edit, text, sizeof text);
    if (!text[0]) {
        // An emptied box takes its text away; nothing is left floating to be put down later.
        const Selection& floating = m_engine->selection();
        if (floating.Exists() && floating.pasted() && floating.pendingOperation() == kTextOperation)
            m_engine->DiscardPaste();
        m_previous = {};
        return;
    }
    const int imageW = m_surfaceWidth, imageH = m_surfaceHeight;
    HGDIOBJ oldFont = SelectObject(m_surfaceDc, m_font);
    RECT all{0, 0, imageW, imageH};
    FillRect(m_surfaceDc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetTextColor(m_surfaceDc, RGB(255, 255, 255));
    SetBkMode(m_surfaceDc, TRANSPARENT);
    RECT measure{0, 0, imageW, 0};
    DrawTextA(m_surfaceDc, text, -1, &measure, kTextFormat | DT_CALCRECT);
    LOGFONTA lf{};
    std::memcpy(&lf, m_fontRecord->data(), sizeof lf);
    const TextBoxSize box{measure.right - measure.left, measure.bottom - measure.top};
    if (!fontChanged &&
        TextChangeRefused(m_previous.width, box.width, box.height, lf.lfHeight, imageW, imageH)) {
        SelectObject(m_surfaceDc, oldFont);
        return;
    }
    const Point position = m_engine->state().textPosition;
    const TextBoxSize clipped = ClipTextBox(box, position, imageW, imageH);
    RECT draw{0, 0, clipped.width, clipped.height};
    DrawTextA(m_surfaceDc, text, -1, &draw, kTextFormat);
    SelectObject(m_surfaceDc, oldFont);
    GdiFlush();
    const size_t stride = ((static_cast<size_t>(imageW) + 31) / 32) * 4;
    std::vector<uint8_t> lit(static_cast<size_t>(clipped.width) *
                             static_cast<size_t>(clipped.height));
    const auto* bits = static_cast<const uint8_t*>(m_bits);
    for (int y = 0; y < clipped.height; ++y)
        for (int x = 0; x < clipped.width; ++x)
            lit[static_cast<size_t>(y) * clipped.width + x] =
                (bits[y * stride + x / 8] >> (7 - x % 8)) & 1;
    const DrawState& s = m_engine->state();
    std::vector<FloatingPixel> pixels =
        TextFloatingPixels(lit, clipped, position, s.colorA, s.colorB);
    // What the previous rendering covered: the floating text where it is now (it may have been
    // dragged), or nothing once it was put down.
    const Selection& floating = m_engine->selection();
    const SelectionRect previous =
        floating.Exists() && floating.pasted() ? floating.rect() : SelectionRect{};
    const SelectionRect rect{position.x, position.y, position.x + clipped.width,
                             position.y + clipped.height};
    m_engine->selection().Paste(*canvas, rect, std::move(pixels), kTextOperation, s.colorB,
                                s.transparentColorB);
    for (Point p : CellsLeftBehind(previous, rect, imageW, imageH))
        m_engine->view().RestoreCell(p.x, p.y);
    m_engine->view().SelectionChanged();
    m_previous = clipped;
    if (m_hooks.changed) m_hooks.changed();
    // Undo is offered for the floating text, and Save for the modified document.
    m_engine->view().UndoStateChanged();
}

}  // namespace vt
