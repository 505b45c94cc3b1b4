#pragma once
// Command identifiers of the drawing tools and edit commands, shared by menu, toolbar and tool box.
// The Animator numbers nudge, flip and the dithering modes one higher than the Studio; a
// CommandSet carries that difference so the same engine serves both.

#include <optional>

namespace vt {

enum ToolId : int {
    kToolSelectionFrame = 1073,
    kToolPencil = 1074,
    kToolLine = 1075,
    kToolBrush = 1076,
    kToolFlood = 1077,
    kToolEraser = 1078,
    kToolRectangle = 1079,  // the rectangle family; 1079 to 1081 choose its variants
    kToolEllipse = 1082,    // the ellipse family; 1082 to 1084 choose its variants
    kToolText = 1085,
    kToolColorSelector = 1086,
    kToolColorLocator = 1087,
};

// The Edit menu, numbered alike in both programs.
inline constexpr int kCmdUndo = 1041;
inline constexpr int kCmdRedo = 1042;
inline constexpr int kCmdCut = 1043;
inline constexpr int kCmdCopy = 1044;
inline constexpr int kCmdPaste = 1045;
inline constexpr int kCmdPasteSpecial = 1046;
inline constexpr int kCmdClear = 1047;
inline constexpr int kCmdSelectAll = 1048;
inline constexpr int kCmdOpenBitmap = 1049;  // "Open Bitmap As Image..." / "As Frame..."
inline constexpr int kCmdColorBTransparent = 1071;
inline constexpr int kCmdColorBOpaque = 1072;

enum class Nudge { Left, Right, Up, Down };
enum class FlipAxis { Horizontal, Vertical };

// What a command identifier asks the engine to do.
struct EditCommand {
    enum class Kind { Tool, ShapeVariant, Nudge, Flip, Dither, Undo, Redo, SelectAll, ColorBMode };
    Kind kind = Kind::Tool;
    int value = 0;  // tool id, shape variant, Nudge, FlipAxis, dither mode, or transparent (1/0)
};

struct CommandSet {
    int shift = 0;  // 0 for the Studio, 1 for the Animator

    static constexpr CommandSet Studio() { return {0}; }
    static constexpr CommandSet Animator() { return {1}; }

    constexpr int NudgeCommand(Nudge n) const { return 1090 + shift + static_cast<int>(n); }
    constexpr int FlipCommand(FlipAxis a) const { return 1094 + shift + static_cast<int>(a); }
    constexpr int DitherCommand(int mode) const { return 1096 + shift + mode; }

    std::optional<EditCommand> Decode(int id) const;
};

}  // namespace vt
