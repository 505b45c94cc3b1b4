#include "draw/draw_engine.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "common/prompt.h"
#include "draw/area_transform.h"
#include "draw/dithering.h"

namespace vt {

namespace {

Ink FromImageColor(ImageColor c) {
    return {c.value, c.special};
}
ImageColor ToImageColor(Ink i) {
    return {i.value, i.special};
}

constexpr size_t kPointListReserve = 2 * (2560 + 1600);

// One axis of the drag extent: both end pixels counted, the sign telling the direction.
int ExtentOf(int d) {
    return d >= 0 ? d + 1 : d - 1;
}

}  // namespace

DrawEngine::DrawEngine(DrawView& view, Prompt& prompt, CommandSet commands)
    : m_view(view),
      m_prompt(prompt),
      m_commands(commands),
      m_labels(commands.shift ? UndoLabels::Animator() : UndoLabels::Studio()),
      m_tool(CreateTool(kToolPencil)) {
    // Room for any outline the pointer can reach on a large screen, so drags do not allocate.
    for (auto& list : m_state.lists) list.reserve(kPointListReserve);
}

DrawEngine::~DrawEngine() = default;

void DrawEngine::SetModifiedHook(std::function<void()> hook) {
    m_modifiedHook = std::move(hook);
    if (m_canvas) m_canvas->SetCommitHook(m_modifiedHook);
}

void DrawEngine::SaveEditorState() {
    if (!m_canvas) return;
    IconImage& img = m_canvas->image();
    if (UndoBuffer* u = m_canvas->undo()) {
        const UndoState s = u->state();
        img.editorState = {s.canUndo, s.canRedo, s.undoLabel, s.redoLabel};
    }
    img.colorA = ToImageColor(m_state.colorA);
    img.colorB = ToImageColor(m_state.colorB);
}

void DrawEngine::SetImage(IconImage* image) {
    if (m_canvas && image == &m_canvas->image()) {
        // The same image with its bits rebuilt (its history went with them): start afresh.
        if (!image->undo) ResetHistory();
        return;
    }
    if (m_canvas) {
        // A drag under way ends on its own image first, as its release would have ended it: the
        // stroke or shape is one whole operation of that image's history, and the pointer is let go.
        if (m_state.buttonDown) ToolButtonUp(m_state.button);
        LeaveDrawingState();
        m_locator.Stop(m_view);
        SaveEditorState();
    }
    m_canvas.reset();
    m_selection.Clear();
    m_state.lastPoint = {kNoPoint, 0};
    m_state.buttonDown = false;
    if (!image || !image->HasBits()) return;
    if (!image->undo) CreateUndoBuffer(*image);
    m_canvas = std::make_unique<Canvas>(*image, m_view);
    m_canvas->SetCommitHook(m_modifiedHook);
    m_state.colorA = m_state.drawingInk = FromImageColor(image->colorA);
    m_state.colorB = FromImageColor(image->colorB);
    m_view.UndoStateChanged();
}

void DrawEngine::SetColorA(Ink ink) {
    m_state.colorA = ink;
    if (!m_state.buttonDown) m_state.drawingInk = ink;
    if (m_canvas) m_canvas->image().colorA = ToImageColor(ink);
    m_view.ColorsChanged();
}

void DrawEngine::SetColorB(Ink ink) {
    m_state.colorB = ink;
    if (m_canvas) m_canvas->image().colorB = ToImageColor(ink);
    m_view.ColorsChanged();
}

bool DrawEngine::Command(int id) {
    const std::optional<EditCommand> c = m_commands.Decode(id);
    if (!c) return false;
    if (!TakesCommands()) return true;
    using K = EditCommand::Kind;
    switch (c->kind) {
        case K::Tool:
            ChooseTool(c->value);
            break;
        case K::ShapeVariant:
            m_state.shapeVariant = c->value;
            ChooseTool(c->value < 3 ? kToolRectangle : kToolEllipse);
            break;
        case K::Nudge:
            NudgeImage(static_cast<Nudge>(c->value));
            break;
        case K::Flip:
            FlipImage(static_cast<FlipAxis>(c->value));
            break;
        case K::Dither:
            SetDitherMode(c->value);
            break;
        case K::Undo:
            Undo();
            break;
        case K::Redo:
            Redo();
            break;
        case K::SelectAll:
            SelectAll();
            break;
        case K::ColorBMode:
            m_state.transparentColorB = c->value != 0;
            break;
    }
    return true;
}

void DrawEngine::EraseHover() {
    if (m_tool && m_canvas && !m_state.buttonDown) m_tool->Hover(*this, {kNoPoint, 0});
}

void DrawEngine::SetTool(int toolId) {
    EraseHover();
    m_state.tool = toolId;
    m_tool = CreateTool(toolId);
    m_state.lastPoint = {kNoPoint, 0};
    m_view.ToolChanged(toolId, ToolCursorResource(toolId));
}

void DrawEngine::ChooseTool(int toolId) {
    if (!TakesCommands()) return;
    // Before the selection goes: the cross-hair shows its floating pixels.
    EraseHover();
    LeaveDrawingState();
    m_selectorByShift = false;
    if (toolId == kToolColorSelector && m_state.tool != kToolColorSelector)
        m_toolBeforeSelector = m_state.tool;
    SetTool(toolId);
}

void DrawEngine::ReturnFromSelector() {
    if (m_state.tool != kToolColorSelector) return;
    m_selectorByShift = false;
    SetTool(m_toolBeforeSelector);
}

void DrawEngine::ShiftChanged(bool down, bool pointerOverGrid, Point window) {
    if (down && m_state.buttonDown) {
        m_state.lock.kind = AxisLock::kNone;
        m_state.lock.window = window;
        if (m_state.lastPoint.x != kNoPoint) m_state.lock.pixel = m_state.lastPoint;
        return;
    }
    if (down && !m_state.buttonDown && pointerOverGrid && m_state.tool != kToolColorSelector) {
        m_toolBeforeSelector = m_state.tool;
        SetTool(kToolColorSelector);
        m_selectorByShift = true;
    } else if (!down && m_selectorByShift && !m_state.buttonDown) {
        ReturnFromSelector();
    }
}

void DrawEngine::ResetHistory() {
    if (!m_canvas) return;
    m_state.pencilOpen = false;
    m_canvas->EndOperation();
    CreateUndoBuffer(m_canvas->image());
    m_view.UndoStateChanged();
}

void DrawEngine::ClosePencilOperation() {
    if (!m_state.pencilOpen) return;
    m_state.pencilOpen = false;
    if (m_canvas) m_canvas->EndOperation();
}

void DrawEngine::CommitSelection() {
    if (!m_selection.Exists()) return;
    if (m_canvas)
        m_selection.Commit(*m_canvas, m_state.colorB, m_state.transparentColorB);
    else
        m_selection.Clear();
    m_view.SelectionChanged();
}

void DrawEngine::LeaveDrawingState() {
    ClosePencilOperation();
    CommitSelection();
}

UndoState DrawEngine::undoState() {
    UndoBuffer* u = m_canvas ? m_canvas->undo() : nullptr;
    if (!u) return {};
    UndoState s = u->state();
    // A pasted picture or text that still floats is written when the selection ends, and Undo
    // ends it first: it can be undone already, and what Redo held goes with that write.
    if (m_selection.Exists() && m_selection.pasted() && !m_selection.lifted()) {
        s.canUndo = true;
        s.undoLabel = m_selection.pendingOperation();
        s.canRedo = false;
    }
    return s;
}

std::string DrawEngine::UndoMenuText() {
    const UndoState s = undoState();
    return m_labels.UndoMenuText(s.undoLabel, s.canUndo);
}

std::string DrawEngine::RedoMenuText() {
    const UndoState s = undoState();
    return m_labels.RedoMenuText(s.redoLabel, s.canRedo);
}

void DrawEngine::Undo() {
    if (!TakesCommands() || !m_canvas) return;
    LeaveDrawingState();
    m_canvas->Undo(m_prompt);
}

void DrawEngine::Redo() {
    if (!TakesCommands() || !m_canvas) return;
    LeaveDrawingState();
    m_canvas->Redo();
}

void DrawEngine::TransformArea(int code, const AreaChange& change) {
    if (!TakesCommands() || !m_canvas) return;
    ClosePencilOperation();
    if (m_selection.Exists() && (m_selection.lifted() || m_selection.pasted())) {
        m_selection.TransformFloating(*m_canvas, m_state.colorB, m_state.transparentColorB, change);
        return;
    }
    SelectionRect area{0, 0, m_canvas->width(), m_canvas->height()};
    if (m_selection.Exists()) area = m_selection.rect();
    std::vector<Ink> inks;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) inks.push_back(m_canvas->ReadPixel(x, y));
    const std::vector<Ink> after = change(inks, area.Width(), area.Height());
    BeginOperation(code);
    size_t i = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) m_canvas->PutInk(x, y, after[i++]);
    EndOperation();
    CommitImageBits();
    if (m_selection.Exists()) m_selection.CopyToFloating(*m_canvas);
}

void DrawEngine::NudgeImage(Nudge direction) {
    const Ink fill = m_state.colorB;
    TransformArea(kOpNudge, [&](const std::vector<Ink>& a, int w, int h) {
        return NudgeArea(a, w, h, direction, fill);
    });
}

void DrawEngine::FlipImage(FlipAxis axis) {
    TransformArea(kOpFlip,
                  [&](const std::vector<Ink>& a, int w, int h) { return FlipArea(a, w, h, axis); });
}

void DrawEngine::PasteFloating(SelectionRect rect, std::vector<FloatingPixel> pixels,
                               int pendingOp) {
    if (!TakesCommands()) return;
    ChooseTool(kToolSelectionFrame);
    if (!m_canvas) return;
    m_selection.Paste(*m_canvas, rect, std::move(pixels), pendingOp, m_state.colorB,
                      m_state.transparentColorB);
    m_view.SelectionChanged();
}

void DrawEngine::PasteIntoSelection(std::vector<FloatingPixel> pixels) {
    if (!TakesCommands() || !m_canvas || !m_selection.Exists()) return;
    ClosePencilOperation();
    // The text tool's floating text may be the selection pasted into; it becomes a picture.
    if (m_state.tool != kToolSelectionFrame) SetTool(kToolSelectionFrame);
    m_selection.PasteInto(*m_canvas, std::move(pixels), m_state.colorB, m_state.transparentColorB);
    m_view.SelectionChanged();
}

void DrawEngine::DiscardPaste() {
    if (!m_canvas || !m_selection.Exists() || !m_selection.pasted() || m_selection.lifted()) return;
    m_selection.Discard(*m_canvas);
    m_view.SelectionChanged();
    m_view.UndoStateChanged();
}

void DrawEngine::SelectAll() {
    if (!TakesCommands()) return;
    ChooseTool(kToolSelectionFrame);
    if (!m_canvas) return;
    m_selection.Make(*m_canvas, {0, 0}, {m_canvas->width() - 1, m_canvas->height() - 1});
    m_selection.CopyToFloating(*m_canvas);
    m_view.SelectionChanged();
}

bool DrawEngine::PatternAllows(int x, int y) const {
    return vt::PatternAllows(m_state.ditherMode, m_state.anchor, x, y);
}

void DrawEngine::PutInkDithered(const std::vector<Point>& points, Ink ink) {
    for (Point p : points)
        if (m_canvas->Contains(p.x, p.y) && PatternAllows(p.x, p.y))
            m_canvas->PutInk(p.x, p.y, ink);
}

void DrawEngine::BeginOperation(int code) {
    m_canvas->BeginOperation(code);
}
void DrawEngine::EndOperation() {
    m_canvas->EndOperation();
}
void DrawEngine::CommitImageBits() {
    m_canvas->CommitImageBits();
}

void DrawEngine::UpdateExtent(Point pixel) {
    const int cx = std::clamp(pixel.x, 0, m_canvas->width() - 1);
    const int cy = std::clamp(pixel.y, 0, m_canvas->height() - 1);
    const std::string text =
        Format(" %d x %d", ExtentOf(cx - m_state.anchor.x), ExtentOf(cy - m_state.anchor.y));
    if (text == m_extentText) return;
    m_extentText = text;
    m_view.SetExtentText(text);
}

void DrawEngine::ClearExtent() {
    if (m_extentText.empty()) return;
    m_extentText.clear();
    m_view.SetExtentText({});
}

template <typename Action>
void DrawEngine::Guarded(Action&& action) {
    try {
        action();
    } catch (const std::bad_alloc&) {
        // A point list that cannot grow ends the action; what was written so far stays one
        // operation, and the shell never sees the exception.
        m_state.pencilOpen = false;
        m_state.buttonDown = false;
        m_state.lists[0].clear();
        m_state.lists[1].clear();
        m_canvas->EndOperation();
        m_view.SetMouseCapture(false);
    }
}

void DrawEngine::ToolButtonDown(MouseButton button, Point pixel, Point window) {
    if (!m_canvas || m_state.buttonDown) return;
    m_state.anchor = pixel;
    if (button == MouseButton::Right) {
        if (m_selection.Exists() && m_selection.rect().Contains(pixel.x, pixel.y)) {
            m_view.ShowSelectionMenu();
            return;
        }
        if (m_tool && m_tool->IgnoresRightButton()) return;
    }
    m_state.buttonDown = true;
    m_state.button = button;
    if (m_state.hotSpotMode) {
        IconImage& img = m_canvas->image();
        img.hotSpotX = static_cast<uint32_t>(pixel.x);
        img.hotSpotY = static_cast<uint32_t>(pixel.y);
        m_state.hotSpotMode = false;
        m_state.buttonDown = false;
        if (m_modifiedHook) m_modifiedHook();
        m_view.FlashHotSpot(pixel.x, pixel.y);
        return;
    }
    if (!m_tool) return;
    if (m_tool->Drags()) {
        m_view.SetMouseCapture(true);
        m_state.lastPoint = pixel;
        m_state.lock = {AxisLock::kNone, pixel, window};
        const bool left = button == MouseButton::Left;
        m_state.drawingInk = left ? m_state.colorA : m_state.colorB;
        m_state.otherInk = left ? m_state.colorB : m_state.colorA;
    }
    Guarded([&] { m_tool->ButtonDown(*this, button); });
}

void DrawEngine::ToolMouseMove(Point pixel, Point window, bool shift) {
    if (!m_canvas) return;
    if (!m_state.buttonDown) {
        if (m_selection.Exists()) m_selection.TrackPointer(pixel);
        if (m_tool) m_tool->Hover(*this, pixel);
        return;
    }
    if (!m_tool || !m_tool->Drags() || pixel == m_state.lastPoint) return;
    if (m_tool->ShowsExtent()) UpdateExtent(pixel);
    Guarded([&] { m_tool->MouseMove(*this, pixel, window, shift); });
}

void DrawEngine::ToolButtonUp(MouseButton button) {
    // A second button pressed during the drag was never delivered, and neither is its release.
    if (!m_state.buttonDown || button != m_state.button) return;
    if (m_tool && m_tool->Drags()) m_view.SetMouseCapture(false);
    m_state.buttonDown = false;
    ClearExtent();
    if (m_tool && m_canvas) Guarded([&] { m_tool->ButtonUp(*this, button); });
    if (button == MouseButton::Right) m_state.drawingInk = m_state.colorA;
}

void DrawEngine::PointerLeftGrid() {
    if (m_state.buttonDown)
        m_state.lastPoint = {kNoPoint, 0};
    else if (m_tool && m_canvas)
        m_tool->Hover(*this, {kNoPoint, 0});
}

}  // namespace vt
