#include "draw/command_ids.h"

namespace vt {

std::optional<EditCommand> CommandSet::Decode(int id) const {
    using K = EditCommand::Kind;
    if (id >= kToolRectangle && id <= kToolRectangle + 5)
        return EditCommand{K::ShapeVariant, id - kToolRectangle};
    if (id >= kToolSelectionFrame && id <= kToolColorLocator) return EditCommand{K::Tool, id};
    if (id >= NudgeCommand(Nudge::Left) && id <= NudgeCommand(Nudge::Down))
        return EditCommand{K::Nudge, id - NudgeCommand(Nudge::Left)};
    if (id >= FlipCommand(FlipAxis::Horizontal) && id <= FlipCommand(FlipAxis::Vertical))
        return EditCommand{K::Flip, id - FlipCommand(FlipAxis::Horizontal)};
    if (id >= DitherCommand(0) && id <= DitherCommand(3))
        return EditCommand{K::Dither, id - DitherCommand(0)};
    switch (id) {
        case kCmdUndo:
            return EditCommand{K::Undo, 0};
        case kCmdRedo:
            return EditCommand{K::Redo, 0};
        case kCmdSelectAll:
            return EditCommand{K::SelectAll, 0};
        case kCmdColorBTransparent:
            return EditCommand{K::ColorBMode, 1};
        case kCmdColorBOpaque:
            return EditCommand{K::ColorBMode, 0};
        default:
            return std::nullopt;
    }
}

}  // namespace vt
