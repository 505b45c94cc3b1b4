#pragma once
// The frame's tool bar (with its tool tips) and its three-part status bar.

#include <windows.h>

#include <string>

namespace vt::studio {

// The buttons of the tool bar; New Image Format is added unless formats are locked.
HWND CreateFrameToolBar(HWND frame, HINSTANCE instance, bool formatsLocked);
// The tip of a tool bar or tool box command: the string numbered command - 224, with a note in
// server mode for the commands that are not available there.
std::string ToolTipText(HINSTANCE instance, int command, bool serverMode);

HWND CreateFrameStatusBar(HWND frame, HINSTANCE instance, HFONT font);
// Sets the part widths: the two right parts fit "  99,99XX" and "  99 x 99XX" plus 15 pixels in
// the status font, leaving room for the size grip.
void LayoutStatusParts(HWND statusBar, HFONT font);

}  // namespace vt::studio
