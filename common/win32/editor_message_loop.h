#pragma once
// The editors' message loop: the frame's accelerators translate every key, except the keys an
// edit field with the focus uses itself (the text tool's "Add Text", the Animator's time field):
// there Delete, Backspace, Insert and Ctrl+Z/X/C/V/A/Y edit the text, never the image.

#include <windows.h>

namespace vt {

// Whether `msg` is a key press (WM_KEYDOWN, WM_SYSKEYDOWN) that an edit control at msg.hwnd uses.
// ctrlDown: the Control key is held (GetKeyState in the loop).
bool EditFieldOwnsKey(const MSG& msg, bool ctrlDown);

// TranslateAcceleratorA for the frame, skipping what EditFieldOwnsKey gives to the edit field.
bool TranslateFrameAccelerator(HWND frame, HACCEL accelerators, MSG* msg);

// Runs the loop until WM_QUIT and returns its exit code.
int RunEditorMessageLoop(HWND frame, HACCEL accelerators);

}  // namespace vt
