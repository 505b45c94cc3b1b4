#pragma once
// The drawing engine shared by the Studio and the Animator: it routes the edit grid's mouse input
// to the tools, runs the edit commands (undo, redo, nudge, flip, select all, dithering) and keeps
// the editor's drawing state. It knows the active image and a view, never a window.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "draw/area_transform.h"
#include "draw/canvas.h"
#include "draw/color_locator.h"
#include "draw/command_ids.h"
#include "draw/draw_state.h"
#include "draw/draw_view.h"
#include "draw/selection.h"
#include "draw/tool.h"
#include "draw/undo_labels.h"

namespace vt {

class Prompt;

class DrawEngine {
  public:
    DrawEngine(DrawView& view, Prompt& prompt, CommandSet commands = CommandSet::Studio());
    ~DrawEngine();

    // The image being edited, or none. Leaving an image ends a drag under way on it (as its
    // release would), closes what is open on it and keeps its undo state in it; entering one
    // takes its colours A and B. The release that follows is not delivered again.
    void SetImage(IconImage* image);
    IconImage* image() { return m_canvas ? &m_canvas->image() : nullptr; }
    Canvas* canvas() { return m_canvas.get(); }
    DrawState& state() { return m_state; }
    const DrawState& state() const { return m_state; }
    Selection& selection() { return m_selection; }
    ColorLocator& locator() { return m_locator; }
    DrawView& view() { return m_view; }
    const CommandSet& commands() const { return m_commands; }
    Tool* tool() { return m_tool.get(); }
    // Called whenever the document changes (every commit, the hot spot).
    void SetModifiedHook(std::function<void()> hook);
    // Called when the text tool put its text down and a new text begins at the pressed pixel.
    void SetTextRestartHook(std::function<void()> hook) { m_textRestartHook = std::move(hook); }
    void TextRestarted() {
        if (m_textRestartHook) m_textRestartHook();
    }

    void SetColorA(Ink ink);
    void SetColorB(Ink ink);

    // A drag owns the image and its history from the press to the release: while a button is down
    // on the grid the editor takes no command at all (undo, paste, nudge, another image or file
    // ...); shells ask this before running any of theirs, and the engine's own entry points refuse
    // them too. Ending the drag early instead would leave half a stroke recorded and the pointer
    // still drawing.
    bool TakesCommands() const { return !m_state.buttonDown; }

    // A menu, toolbar or tool box command; false when it is not one of the engine's (true, and
    // ignored, for one of the engine's during a drag).
    bool Command(int id);
    void ChooseTool(int toolId);
    void SetDitherMode(int mode) { m_state.ditherMode = mode; }
    void Undo();
    void Redo();
    void NudgeImage(Nudge direction);
    void FlipImage(FlipAxis axis);
    void SelectAll();
    // A pasted picture or the text tool's output as a new floating selection (any selection
    // before it is committed first); it is written with `pendingOp` when committed.
    void PasteFloating(SelectionRect rect, std::vector<FloatingPixel> pixels, int pendingOp);
    // A picture pasted into the current selection replaces its floating pixels; the selection is
    // not put down first. Without a selection nothing happens.
    void PasteIntoSelection(std::vector<FloatingPixel> pixels);
    // A pasted picture or text that still floats, unwritten and unlifted, goes away: its cells
    // show the image again. The text tool uses it when its text is emptied.
    void DiscardPaste();
    // Undo and Redo availability and the Edit menu's texts for them.
    UndoState undoState();
    std::string UndoMenuText();
    std::string RedoMenuText();

    // CreateUndoBuffer for the active image (it was rebuilt): an empty history, the pencil's
    // operation closed, Undo and Redo unavailable.
    void ResetHistory();
    // The pencil's operation spans strokes; it ends here (another tool, undo, nudge, saving ...).
    void ClosePencilOperation();
    // The editor leaves drawing for another action (saving, switching formats): closes the open
    // pencil operation and commits the selection.
    void LeaveDrawingState();
    void CommitSelection();

    // Mouse entry points, the pixel already computed by the grid; window is the pointer position in
    // window coordinates (for the axis lock).
    void ToolButtonDown(MouseButton button, Point pixel, Point window);
    void ToolMouseMove(Point pixel, Point window, bool shift);
    void ToolButtonUp(MouseButton button);
    // The pointer left the grid: hover marks go and the next drag segment starts afresh.
    void PointerLeftGrid();
    // Shift went down or up. Down with no button, the pointer over the grid and another tool:
    // the colour selector until Shift is released. Down during a drag: the axis lock is measured
    // again from here.
    void ShiftChanged(bool down, bool pointerOverGrid, Point window);
    // Timer 1 of the colour locator.
    void LocatorTick() {
        if (m_canvas) m_locator.Tick(m_view);
    }
    void SetHotSpotMode(bool on) { m_state.hotSpotMode = on; }

    // Helpers for the tools.
    bool PatternAllows(int x, int y) const;
    // Writes each point inside the image that the dithering allows, with PutInk.
    void PutInkDithered(const std::vector<Point>& points, Ink ink);
    void BeginOperation(int code);
    void EndOperation();
    void CommitImageBits();
    // The status bar's drag extent for the pixel (empty when dragging stops).
    void UpdateExtent(Point pixel);
    void ClearExtent();
    // Switches back from the colour selector to the tool it was chosen from.
    void ReturnFromSelector();
    bool SelectorHeldByShift() const { return m_selectorByShift; }
    // The tool the selector returns to.
    int toolBeforeSelector() const { return m_toolBeforeSelector; }

  private:
    void SaveEditorState();
    // Runs a tool step; running out of memory ends the action instead of escaping.
    template <typename Action>
    void Guarded(Action&& action);
    // Nudge and flip: on the image as one operation `code` (the selection's area, or the whole
    // image), or on a lifted or pasted selection's buffer alone.
    void TransformArea(int code, const AreaChange& change);
    void SetTool(int toolId);
    // The current tool's pointer feedback goes before another tool takes its place.
    void EraseHover();

    DrawView& m_view;
    Prompt& m_prompt;
    CommandSet m_commands;
    UndoLabels m_labels;
    std::unique_ptr<Canvas> m_canvas;
    DrawState m_state;
    Selection m_selection;
    ColorLocator m_locator;
    std::unique_ptr<Tool> m_tool;
    int m_toolBeforeSelector = kToolPencil;
    bool m_selectorByShift = false;
    std::function<void()> m_modifiedHook;
    std::function<void()> m_textRestartHook;
    std::string m_extentText;
};

}  // namespace vt
