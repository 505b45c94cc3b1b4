#pragma once
// Dialog controls drawn for the window pictures: buttons, radio buttons, check boxes and
// group boxes of the system's button class do not paint into a foreign device context under every
// display driver, so a picture of an open dialog draws them in the classic look itself.

#include <windows.h>

namespace vt {

// Draws `w` into `dc` (client coordinates) when it is a push button, radio button, check box or
// group box, a text label (left, centred or right aligned) or icon, or a dialog's background;
// false for every other window, which paints itself.
bool PrintDialogControl(HWND w, HDC dc, const RECT& client);

}  // namespace vt
