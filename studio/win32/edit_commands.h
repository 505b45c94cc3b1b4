#pragma once
// The Studio's clipboard and image commands around the selection: Cut, Copy, Paste, Paste
// Special, Clear, Remove Selection, Open Bitmap As Image and Properties. The frame hands them
// every command first; the ones handled here return true.

#include <windows.h>

namespace vt {
class DrawEngine;
class Prompt;
}  // namespace vt

namespace vt::studio {

class StudioDocument;

bool HandleEditCommand(HWND frame, int id, DrawEngine& engine, StudioDocument& document,
                       Prompt& prompt);
// Cut, Copy and Clear while a selection exists; Paste and Paste Special while the clipboard holds
// a bitmap; Open Bitmap and Properties while there is an image. toolBar may be null.
void UpdateEditCommandStates(HMENU bar, HWND toolBar, DrawEngine& engine);
// Start-up makes the text tool's window, hidden, at its saved place (clamped to the screen) or
// beside the frame.
void CreateTextWindow(HWND frame, DrawEngine& engine);
// The active image changed (another format, an opened file): the text tool starts over on it.
void RestartTextTool(DrawEngine& engine);
// Colour A or B changed: a text still floating is rendered again in the new colours.
void TextColorsChanged();
// The menu of a right click inside the selection: Copy, Paste Special..., Remove Selection.
void ShowSelectionContextMenu(HWND frame);

}  // namespace vt::studio
