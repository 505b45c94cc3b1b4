#pragma once
// The Studio's common file dialogs: Open and Save As for icons and cursors with their type lists,
// and the palette file dialogs.

#include <windows.h>

#include <string>

namespace vt::studio {

// Open: "Icon Resource", "Cursor Resource", "GIF Format". fileType is preselected (1 when 0) and
// receives the chosen 1-based type. False when cancelled.
bool AskOpenPath(HWND owner, std::string* path, int* fileType);
// Save As: the four types for icons, "Cursor Resource" only for cursors. monochrome: the active
// image cannot go to GIF, which the dialog refuses while it stays open.
bool AskSaveAsPath(HWND owner, bool cursor, bool monochrome, std::string* path, int* fileType);
// Palette files ("Palette" "*.pal").
bool AskPalettePath(HWND owner, bool save, std::string* path);

inline constexpr const char* kGifNeedsColourText = "Save to GIF file format requires color image.";

}  // namespace vt::studio
