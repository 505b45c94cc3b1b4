#pragma once
// The Engineer's artwork, drawn in code: the program icon, the two change marks of the list rows
// and the pictures of the fifteen standard cursors that a cursor row shows while it restores the
// Windows default.

#include "tools/artwork/raster.h"

namespace vt::art {

Raster EngineerIcon(int size);     // 16 or 32
Raster ChangeMark(bool included);  // 16 x 16: a green tick (included) or a red cross (excluded)
// Icon resources 70 .. 84, in the order of the cursor rows: Wait, AppStarting, Arrow, Crosshair,
// Help, IBeam, No, SizeAll, SizeNESW, SizeNS, SizeNWSE, SizeWE, UpArrow, Hand, NWPen.
inline constexpr int kStandardCursorArtCount = 15;
Raster StandardCursorPicture(int index);  // 32 x 32

}  // namespace vt::art
