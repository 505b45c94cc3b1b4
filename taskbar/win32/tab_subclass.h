#pragma once
// The taskbar's tab control as the library runs it inside the taskbar's process: subclassing,
// the replacement procedures, the controller's commands and the unloading afterwards.

#include <windows.h>

namespace vt {

// Replaces the tab control's procedure (and its parent's) and pins the library in this process.
void SubclassTabControl(HWND tab);

// The process is going away with the library: a subclassing held here no longer exists.
void ForgetTabControlOnExit();

// Painting and hot tracking (tab_paint.cpp).
void PaintTabControl(HWND tab);
void CALLBACK HotTrackTimer(HWND, UINT, UINT_PTR, DWORD);

}  // namespace vt
