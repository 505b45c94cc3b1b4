#include "draw/win32/editor_frame.h"

#include <vector>

#include <commctrl.h>

#include "common/win32/frame_bars.h"
#include "common/win32/window_places.h"

namespace vt {

bool RegisterEditorFrameClass(HINSTANCE instance, WNDPROC proc, HICON icon, HICON smallIcon, const char* menuName,
                              const char* className) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_BYTEALIGNWINDOW;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszMenuName = menuName;
    wc.lpszClassName = className;
    return RegisterClassExA(&wc) != 0;
}

HWND CreateEditorFrame(HINSTANCE instance, const char* className, const char* title, void* self) {
    return CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                           640, 480, nullptr, nullptr, instance, self);
}

bool IsShiftEdge(UINT msg, WPARAM wp, LPARAM lp) {
    return wp == VK_SHIFT && (msg == WM_KEYUP || !(lp & (1 << 30)));
}

void SizeFrameBars(HWND toolBar, HWND statusBar, HFONT statusFont) {
    if (toolBar) SendMessageA(toolBar, TB_AUTOSIZE, 0, 0);
    if (statusBar) {
        SendMessageA(statusBar, WM_SIZE, 0, 0);
        LayoutStatusParts(statusBar, statusFont);
    }
}

void ShowEditorWindows(HWND frame, HWND palette, bool paletteShown, HWND preview, bool previewShown) {
    if (palette && paletteShown) ShowWindow(palette, SW_SHOWNOACTIVATE);
    if (preview && previewShown) ShowWindow(preview, SW_SHOWNOACTIVATE);
    ShowWindow(frame, SW_SHOW);
    UpdateWindow(frame);
    SetFocus(frame);
}

bool AnswerEditorPictures(const WindowPictureHook& pictures, const COPYDATASTRUCT& data, HWND frame, HWND palette,
                          HWND preview) {
    std::vector<HWND> windows{frame};
    if (palette) windows.push_back(palette);
    if (preview) windows.push_back(preview);
    return pictures.Answer(data, std::move(windows));
}

void PaintEditorFrame(HWND frame, HDC given, EditGrid& grid, SelectionFrame& selection, ToolBox& toolBox,
                      const ViewColors& colors) {
    PAINTSTRUCT ps{};
    HDC dc = given ? given : BeginPaint(frame, &ps);
    RECT dirty = ps.rcPaint;
    if (given) GetClientRect(frame, &dirty);
    grid.Paint(dc, dirty);
    selection.PaintOver(dc, colors);
    toolBox.PaintColorWells(dc, colors, grid.geometry().Frame().top);
    if (!given) EndPaint(frame, &ps);
}

int ShownBarHeight(HWND bar, bool shown) {
    if (!shown || !bar) return 0;
    RECT r;
    GetWindowRect(bar, &r);
    return r.bottom - r.top;
}

void TakeEditorFrameState(EditorState& s, HWND frame, HWND palette, HWND preview, const EditorViewsShown& shown) {
    TakeWindowPlaces(s, frame, palette, preview);
    s.toolBarHidden = !shown.toolBar;
    s.statusBarHidden = !shown.statusBar;
    s.paletteHidden = !shown.palette;
    s.previewHidden = !shown.preview;
    s.gridShown = shown.gridLines;
}

}  // namespace vt
