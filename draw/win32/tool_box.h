#pragma once
// The tool box: ten owner-drawn tool buttons down the editor's left side and the four dithering
// buttons above the grid, each with a tool tip. The chosen tool and dithering mode are drawn
// pressed. The buttons are children of the editor window, which forwards WM_DRAWITEM here.

#include <windows.h>

#include <array>

#include "draw/draw_engine.h"

namespace vt {

class ToolBox {
public:
    // Glyphs: a strip of 16 x 16 images, pure green standing for the button face.
    ToolBox(HWND owner, HINSTANCE instance, HBITMAP glyphs, DrawEngine& engine);
    ~ToolBox();
    ToolBox(const ToolBox&) = delete;
    ToolBox& operator=(const ToolBox&) = delete;

    void Layout(int toolBarHeight, int gridTop);
    // Repaints the buttons after the tool or dithering mode changed.
    void Update();
    // Owner-draw for one of our buttons; false when the control is not ours.
    bool DrawItem(const DRAWITEMSTRUCT& item);
    // The command a tool box button stands for (the shape button: the current variant).
    int CommandFor(int controlId) const;
    static bool IsToolBoxControl(int controlId);

    static constexpr int kShapeButtonId = 1079;

private:
    int GlyphFor(int controlId) const;
    bool Pressed(int controlId) const;

    HWND m_owner;
    DrawEngine& m_engine;
    HBITMAP m_glyphs;
    HWND m_tips = nullptr;
    std::array<HWND, 10> m_tools{};
    std::array<HWND, 4> m_dither{};
};

// The ten tool buttons' command identifiers, top to bottom.
inline constexpr std::array<int, 10> kToolBoxCommands = {1073, 1074, 1075, 1076, 1077,
                                                         1078, 1079, 1085, 1086, 1087};

}  // namespace vt
