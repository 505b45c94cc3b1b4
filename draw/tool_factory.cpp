#include "draw/color_tools.h"
#include "draw/command_ids.h"
#include "draw/flood_fill.h"
#include "draw/freehand_tools.h"
#include "draw/shape_tools.h"
#include "draw/text_tool.h"
#include "draw/tool.h"

namespace vt {

std::unique_ptr<Tool> CreateTool(int commandId) {
    switch (commandId) {
        case kToolSelectionFrame:
            return std::make_unique<SelectionTool>();
        case kToolPencil:
            return std::make_unique<PencilTool>();
        case kToolLine:
            return std::make_unique<ShapeTool>(kToolLine);
        case kToolBrush:
            return std::make_unique<BrushTool>();
        case kToolFlood:
            return std::make_unique<FloodTool>();
        case kToolEraser:
            return std::make_unique<EraserTool>();
        case kToolRectangle:
        case kToolRectangle + 1:
        case kToolRectangle + 2:
            return std::make_unique<ShapeTool>(kToolRectangle);
        case kToolEllipse:
        case kToolEllipse + 1:
        case kToolEllipse + 2:
            return std::make_unique<ShapeTool>(kToolEllipse);
        case kToolColorSelector:
            return std::make_unique<ColorSelectorTool>();
        case kToolColorLocator:
            return std::make_unique<ColorLocatorTool>();
        case kToolText:
            return std::make_unique<TextTool>();
        default:
            return nullptr;
    }
}

int ToolCursorResource(int toolId) {
    switch (toolId) {
        case kToolPencil:
            return 60;
        case kToolLine:
            return 61;
        case kToolColorSelector:
            return 62;
        case kToolFlood:
            return 63;
        case kToolBrush:
            return 65;
        case kToolColorLocator:
            return 68;
        case kToolText:
            return 67;
        case kToolSelectionFrame:
        case kToolEraser:
        case kToolRectangle:
        case kToolEllipse:
            return 64;
        default:
            return 0;
    }
}

}  // namespace vt
