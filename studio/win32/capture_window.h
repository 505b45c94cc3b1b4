#pragma once
// Screen capture: the "Screen Capture" dialog that picks the capture size, and the transparent
// full-screen "ICSCapture" window that takes the mouse while the user points at the area to copy
// to the clipboard. The frame is minimised meanwhile and restored afterwards.

#include <windows.h>

#include "common/win32/window_dispatch.h"

namespace vt::studio {

inline constexpr char kCaptureClass[] = "ICSCapture";

class CaptureWindow {
  public:
    static bool Register(HINSTANCE instance, HCURSOR cursor);
    // The dialog, then (on OK) the capture window; returns at once, the capture runs modelessly.
    static void Run(HINSTANCE instance, HWND frame);

  private:
    CaptureWindow() = default;
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    template <class Window>
    friend LRESULT vt::DispatchToWindow(HWND, UINT, WPARAM, LPARAM, const char*);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnCreate();
    void OnMouseMove(POINT p, bool leftDown);
    void OnLeftUp(POINT p);
    void OnDestroy();
    // Draws (or, drawn a second time, erases) the rubber band on the display.
    void DrawBand(const RECT& r) const;
    RECT BandFor(POINT p) const;

    HWND m_hwnd = nullptr;
    HWND m_frame = nullptr;
    int m_size = 32;
    bool m_custom = false;
    bool m_cursorHidden = false;
    bool m_firstMoveSeen = false;
    bool m_dragging = false;
    bool m_bandShown = false;
    POINT m_pressed{};
    POINT m_last{};
    RECT m_band{};
    RECT m_result{0, 0, -1, 0};  // left, top, width, height; width -1: nothing captured
};

}  // namespace vt::studio
