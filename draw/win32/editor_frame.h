#pragma once
// What the Studio's and the Animator's frame windows do alike: their window class, their painting,
// the height of a bar that may be hidden, and the places and views kept when the frame closes.

#include <windows.h>

#include "common/editor_state.h"
#include "common/win32/window_picture.h"
#include "draw/win32/edit_grid.h"
#include "draw/win32/selection_frame.h"
#include "draw/win32/tool_box.h"
#include "draw/win32/view_colors.h"

namespace vt {

// A frame class with the program's icons, the arrow cursor, a button-face background and the
// menu resource `menuName`.
bool RegisterEditorFrameClass(HINSTANCE instance, WNDPROC proc, HICON icon, HICON smallIcon, const char* menuName,
                              const char* className);

// The frame window (overlapped, 640 x 480 until placed), created hidden; `self` is handed to its
// window procedure at creation.
HWND CreateEditorFrame(HINSTANCE instance, const char* className, const char* title, void* self);
// True for a WM_KEYDOWN or WM_KEYUP that is Shift's first press or its release (a held key
// repeats WM_KEYDOWN).
bool IsShiftEdge(UINT msg, WPARAM wp, LPARAM lp);
// Fits the tool bar (either may be null) and the status bar to the frame's width.
void SizeFrameBars(HWND toolBar, HWND statusBar, HFONT statusFont);
// Shows the palette and preview (when shown and made) without activating them, then the frame,
// which takes the focus.
void ShowEditorWindows(HWND frame, HWND palette, bool paletteShown, HWND preview, bool previewShown);
// A window-picture request to the frame, answered with the frame, palette and preview (either may
// be null).
bool AnswerEditorPictures(const WindowPictureHook& pictures, const COPYDATASTRUCT& data, HWND frame, HWND palette,
                          HWND preview);

// Paints the grid, the selection over it and the colour wells, on `given` (WM_PRINTCLIENT, the
// whole client area) or between BeginPaint and EndPaint.
void PaintEditorFrame(HWND frame, HDC given, EditGrid& grid, SelectionFrame& selection, ToolBox& toolBox,
                      const ViewColors& colors);

// The height of a tool or status bar; 0 when it is hidden or missing.
int ShownBarHeight(HWND bar, bool shown);

struct EditorViewsShown {
    bool toolBar, statusBar, palette, preview, gridLines;
};
// The frame's, palette's and preview's places and which views are shown, into `state`.
void TakeEditorFrameState(EditorState& state, HWND frame, HWND palette, HWND preview, const EditorViewsShown& shown);

}  // namespace vt
