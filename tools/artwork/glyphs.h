#pragma once
// The Studio's artwork, drawn in code: the program icon, the tool cursors, and the 16 x 16 button
// images of the tool bar and the tool box.

#include <vector>

#include "tools/artwork/raster.h"

namespace vt::art {

Raster ProgramIcon(int size);  // 16 or 32
struct CursorArt {
    Raster image{32, 32};
    int hotX = 0, hotY = 0;
};
// The Studio's cursor resources; 66 is not one of them.
inline constexpr int kCursorIds[] = {60, 61, 62, 63, 64, 65, 67, 68, 69};
CursorArt ToolCursor(int id);  // one of kCursorIds
std::vector<Raster> ToolBarGlyphs();
std::vector<Raster> ToolBoxGlyphs();

// The Librarian's artwork: its program icon (16 or 32), its toolbar (New, Open, Save and the four
// views), and the 32 x 32 stack that stands for several dragged icons.
Raster LibrarianIcon(int size);
std::vector<Raster> LibrarianToolBarGlyphs();
Raster StackIcon();

// The Animator's: its program icon (a film strip with a pointer), its tool bar (New, Open, Save,
// Undo, Redo, Cut, Copy, Paste, New Frame(s), Remove Frame, Set Hot Spot) and the preview's play
// and stop buttons.
Raster AnimatorIcon(int size);  // 16 or 32
std::vector<Raster> AnimatorToolBarGlyphs();
Raster PlayGlyph();
Raster StopGlyph();

}  // namespace vt::art
