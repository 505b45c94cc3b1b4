#pragma once
// The menu states both editors show from the drawing engine and their views, numbered alike in
// the Studio and the Animator except for the dithering modes (the engine's CommandSet): Undo and
// Redo named by their operation, the View checks 1061-1065, colour B's mode 1071/1072, the tool
// checks 1073-1087 and the dithering mode's check.

#include <windows.h>

namespace vt {

class DrawEngine;

struct EditorViewChecks {
    bool grid, palette, toolBar, statusBar, preview;
};

void UpdateDrawingMenuStates(HMENU bar, DrawEngine& engine, const EditorViewChecks& views, bool colorBTransparent);

}  // namespace vt
