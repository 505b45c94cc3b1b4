#pragma once
// The Studio's tool bar buttons and tips (the bars themselves: common/win32/frame_bars.h).

#include <windows.h>

#include <string>

namespace vt::studio {

// The buttons of the tool bar; New Image Format is added unless formats are locked.
HWND CreateStudioToolBar(HWND frame, HINSTANCE instance, bool formatsLocked);
// The tip of a tool bar or tool box command, with a note in server mode for the commands that are
// not available there.
std::string StudioToolTip(HINSTANCE instance, int command, bool serverMode);

}  // namespace vt::studio
