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
CursorArt ToolCursor(int id);  // 60 to 69
std::vector<Raster> ToolBarGlyphs();
std::vector<Raster> ToolBoxGlyphs();

}  // namespace vt::art
