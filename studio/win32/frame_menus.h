#pragma once
// The frame's menu bar beyond the "zodedazi" resource: the entries added at start-up, the
// recently-used entries, the palette-file entries of the Edit menu, and the states shown when a
// menu opens.

#include <windows.h>

namespace vt {
class DrawEngine;
}

namespace vt::studio {

struct StudioApp;

void AddStartupMenuEntries(HMENU bar, const StudioApp& app);
// Rebuilds the recently-used entries (1035 to 1038) before the separator 1039.
void UpdateRecentMenu(HMENU bar, const StudioApp& app);
// The palette-file entries exist only while a 256-colour or true-colour image is active.
void UpdatePaletteMenu(HMENU bar, bool deepImage);

struct ViewFlags {
    bool grid, palette, toolBar, statusBar, preview, hotSpotMode;
};
// Every check mark, enabled state and label that depends on the program's state.
void UpdateMenuStates(HMENU bar, const StudioApp& app, DrawEngine& engine, const ViewFlags& views);

}  // namespace vt::studio
