#pragma once
// The preview window ("ICSPreview" in the Studio): the active image at its real size on the
// button-face colour, so screen pixels look transparent as they will on the desktop.

#include <windows.h>

#include <functional>

#include "common/win32/window_dispatch.h"
#include "draw/ink.h"
#include "draw/win32/edit_grid.h"
#include "image/icon_image.h"

namespace vt {

class ViewColors;

// The class of a preview tool window (the Studio's and the Animator's): the arrow cursor on the
// button face.
bool RegisterPreviewClass(HINSTANCE instance, const char* className, WNDPROC proc);
// A "Preview" tool window owned by `owner` with a client area of clientWidth x clientHeight,
// created hidden; `self` is handed to its window procedure at creation.
HWND CreatePreviewToolWindow(HINSTANCE instance, const char* className, HWND owner, int x, int y, int clientWidth,
                             int clientHeight, void* self);

class PreviewWindow : public GridPreview {
public:
    static constexpr int kOffset = 12;

    static bool Register(HINSTANCE instance, const char* className);
    // A tool window owned by `owner`, created hidden.
    static PreviewWindow* Create(HINSTANCE instance, const char* className, HWND owner, int x, int y,
                                 const ViewColors& colors);

    void SetImage(const IconImage* image);
    // Repaints the whole image (after an action, undo, redo or a format change).
    void Redraw() override;
    // One pixel as a tool paints it, without waiting for the action to end.
    void SetPixel(int x, int y, Ink ink) override;
    HWND hwnd() const { return m_hwnd; }
    // Called when the user hides the window with its close button.
    void SetHiddenHook(std::function<void()> hook) { m_hiddenHook = std::move(hook); }

private:
    explicit PreviewWindow(const ViewColors& colors) : m_colors(colors) {}
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    template <class Window>
    friend LRESULT DispatchToWindow(HWND, UINT, WPARAM, LPARAM, const char*);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnPaint();
    void PaintImage(HDC dc);

    HWND m_hwnd = nullptr;
    const ViewColors& m_colors;
    const IconImage* m_image = nullptr;
    std::function<void()> m_hiddenHook;
};

// Paints an image composed on `background` at (x, y), scaled to w x h.
void PaintComposedImage(HDC dc, const IconImage& image, COLORREF background, int x, int y, int w, int h);

}  // namespace vt
