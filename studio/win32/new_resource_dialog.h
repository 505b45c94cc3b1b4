#pragma once
// The New Resource dialog: "Icon" or "Cursor". For the "#" start the icon choice is disabled and
// Cancel hidden, so the user starts a cursor.

#include <windows.h>

namespace vt::studio {

// Returns the chosen resource type (1 icon, 2 cursor), or 0 when cancelled.
int RunNewResourceDialog(HINSTANCE instance, HWND owner, int currentType, bool cursorOnly);

}  // namespace vt::studio
