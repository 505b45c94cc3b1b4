#pragma once
// Where an editor's frame, palette and preview windows stand, to and from the persistent
// EditorState (the view flags are the caller's to set).

#include <windows.h>

#include "common/editor_state.h"

namespace vt {

// The frame's normal place (also when maximised or minimised) and the palette's and preview's
// top-left corners; a null tool window keeps its saved place.
void TakeWindowPlaces(EditorState& state, HWND frame, HWND palette, HWND preview);

// The screen size given and the system's frame border, caption and menu heights.
FrameMetrics SystemFrameMetrics(int screenWidth, int screenHeight);

struct ToolWindowPlaces {
    POINT palette, preview;
};
// The saved places moved onto the screen, or without saved places the two side by side left of
// the frame: the tall 256-colour palette next to it, the small preview beyond.
ToolWindowPlaces StartingToolWindowPlaces(const EditorState& state, const RECT& frame, int screenWidth,
                                          int screenHeight);

}  // namespace vt
