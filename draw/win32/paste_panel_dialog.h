#pragma once
// "Paste Control Panel" (Edit > Paste Special...): where the picture comes from (the clipboard
// or a .bmp file) and where it goes (into the current selection or as a new selection).

#include <windows.h>

namespace vt {

struct PastePanelChoice {
    bool fromClipboard = true;
    bool intoSelection = false;
};

// clipboardHasBitmap and selectionExists enable and preselect their choices. False on Cancel.
bool RunPastePanel(HINSTANCE instance, HWND owner, bool clipboardHasBitmap, bool selectionExists,
                   PastePanelChoice* choice);

}  // namespace vt
