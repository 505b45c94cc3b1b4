#pragma once
// The tool box: ten owner-drawn tool buttons down the editor's left side and the four dithering
// buttons above the grid, each with a tool tip. The chosen tool and dithering mode are drawn
// pressed. The buttons are children of the editor window, which forwards WM_DRAWITEM here.

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "draw/draw_engine.h"

namespace vt {

class ChooserWindow;
class ViewColors;

class ToolBox {
public:
    // Glyphs: a strip of 16 x 16 images, pure green standing for the button face.
    ToolBox(HWND owner, HINSTANCE instance, HBITMAP glyphs, DrawEngine& engine);
    ~ToolBox();
    ToolBox(const ToolBox&) = delete;
    ToolBox& operator=(const ToolBox&) = delete;

    void Layout(int toolBarHeight, int gridTop);
    // Colour A over colour B, right of the dithering row above the grid (gridTop: the grid's frame
    // top). Below the tool box they would fall outside the frame at its default size, and the
    // user must always see both colours.
    static RECT ColorWellsRect(int gridTop);
    void PaintColorWells(HDC dc, const ViewColors& colors, int gridTop);
    // Repaints the buttons after the tool or dithering mode changed.
    void Update();
    // Owner-draw for one of our buttons; false when the control is not ours.
    bool DrawItem(const DRAWITEMSTRUCT& item);
    // The command a tool box button stands for (the shape button: the current variant).
    int CommandFor(int controlId) const;
    // The tool buttons use the tool commands; the dithering buttons use the engine's CommandSet
    // (the Studio's 1096-1099, the Animator's 1097-1100).
    bool IsToolBoxControl(int controlId) const;

    static constexpr int kShapeButtonId = 1079;
    static constexpr UINT kHoldMs = 200;

    // The shape chooser shows the hovered variant's description in the status bar.
    void SetStatusHook(std::function<void(const std::string&)> hook) { m_status = std::move(hook); }
    // A chooser was used: the frame refreshes its menus.
    void SetChosenHook(std::function<void()> hook) { m_chosen = std::move(hook); }

private:
    static LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
    LRESULT OnButtonMessage(HWND button, UINT msg, WPARAM wp, LPARAM lp);
    void OpenChooser(HWND button);
    void ChooserReleased(HWND button, POINT ownerPoint);
    void ShowShapeDescription();
    int GlyphFor(int controlId) const;
    // The dithering mode a button stands for, or -1.
    int DitherMode(int controlId) const;
    bool Pressed(int controlId) const;

    HWND m_owner;
    HINSTANCE m_instance;
    DrawEngine& m_engine;
    ChooserWindow* m_chooser = nullptr;
    std::function<void(const std::string&)> m_status;
    std::function<void()> m_chosen;
    HBITMAP m_glyphs;
    HWND m_tips = nullptr;
    std::array<HWND, 10> m_tools{};
    std::array<HWND, 4> m_dither{};
};

// The ten tool buttons' command identifiers, top to bottom.
inline constexpr std::array<int, 10> kToolBoxCommands = {1073, 1074, 1075, 1076, 1077,
                                                         1078, 1079, 1085, 1086, 1087};

}  // namespace vt
