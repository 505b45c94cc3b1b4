#pragma once
// The Animator's frame and depth dialogs: "Insert New Frames", "Cursor Properties", "New Cursor
// Color Depth" and "Create New Color Depth".

#include <windows.h>

#include <cstdint>

#include "animator/animation.h"

namespace vt {
class Prompt;
class ViewColors;
}  // namespace vt

namespace vt::animator {

struct InsertChoice {
    int count = 1;
    bool after = true;
    bool fill = true;
};

// False when cancelled. A count below 1 beeps and keeps the dialog open.
bool RunInsertFramesDialog(HINSTANCE instance, HWND owner, InsertChoice* choice);

// Shows the animation's figures and plays its frames; OK after "Edit" stores the title and the
// credits. True when the texts were stored.
bool RunCursorPropertiesDialog(HINSTANCE instance, HWND owner, Animation& animation, const ViewColors& colors);

// "New Cursor Color Depth": the depth chosen for a new animation, 0 when cancelled.
int32_t RunNewDepthDialog(HINSTANCE instance, HWND owner, int32_t currentDepth);

// "Create New Color Depth": the depth to convert to, 0 when cancelled. The current depth cannot be
// chosen; OK without a choice asks for one and keeps the dialog open.
int32_t RunConvertDepthDialog(HINSTANCE instance, HWND owner, int32_t currentDepth, Prompt& prompt);

}  // namespace vt::animator
