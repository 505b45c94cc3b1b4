#include "draw/win32/drawing_menu_states.h"

#include "common/win32/menu_entries.h"
#include "draw/draw_engine.h"

namespace vt {

namespace {
constexpr UINT kViewGrid = 1061, kViewPalette = 1062, kViewToolBar = 1063, kViewStatusBar = 1064,
               kViewPreview = 1065;

void Enable(HMENU m, UINT id, bool on) { EnableMenuItem(m, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); }
void Check(HMENU m, UINT id, bool on) { CheckMenuItem(m, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED)); }
}  // namespace

void UpdateDrawingMenuStates(HMENU bar, DrawEngine& engine, const EditorViewChecks& v, bool colorBTransparent) {
    const UndoState u = engine.undoState();
    SetMenuText(bar, kCmdUndo, engine.UndoMenuText());
    SetMenuText(bar, kCmdRedo, engine.RedoMenuText());
    Enable(bar, kCmdUndo, u.canUndo);
    Enable(bar, kCmdRedo, u.canRedo);
    Check(bar, kViewGrid, v.grid);
    Check(bar, kViewPalette, v.palette);
    Check(bar, kViewToolBar, v.toolBar);
    Check(bar, kViewStatusBar, v.statusBar);
    Check(bar, kViewPreview, v.preview);
    Check(bar, kCmdColorBTransparent, colorBTransparent);
    Check(bar, kCmdColorBOpaque, !colorBTransparent);
    const DrawState& s = engine.state();
    const int current = s.tool == kToolRectangle || s.tool == kToolEllipse ? kToolRectangle + s.shapeVariant : s.tool;
    for (int id = kToolSelectionFrame; id <= kToolColorLocator; ++id) Check(bar, static_cast<UINT>(id), id == current);
    for (int mode = 0; mode < 4; ++mode)
        Check(bar, static_cast<UINT>(engine.commands().DitherCommand(mode)), mode == s.ditherMode);
}

}  // namespace vt
