#pragma once
// The colour palette window ("ICSPAlette" in the Studio): the active image's colours, the screen
// and inverse wells, and for 256-colour and true-colour images the colour blend wells and strip.
// Clicks choose colour A (left) and colour B (right); the window hides instead of closing.

#include <windows.h>

#include <array>
#include <functional>
#include <optional>

#include "common/win32/window_dispatch.h"
#include "draw/draw_engine.h"
#include "draw/palette_edit.h"
#include "draw/palette_layout.h"

namespace vt {

class ViewColors;
class Prompt;

class PaletteWindow {
public:
    static constexpr int kMargin = 4;

    static bool Register(HINSTANCE instance, const char* className, HCURSOR cursor);
    static PaletteWindow* Create(HINSTANCE instance, const char* className, HWND owner, int x, int y,
                                 const ViewColors& colors, DrawEngine& engine, Prompt& prompt);

    HWND hwnd() const { return m_hwnd; }
    // The active image or its palette changed: new layout and colours.
    void Refresh();
    // A palette was loaded: the blend strip starts black again.
    void ClearBlendStrip();
    void SetHiddenHook(std::function<void()> hook) { m_hiddenHook = std::move(hook); }
    // What the refusal to edit the last black or white entry says needs it (kIconNeedsEntryText
    // unless set; the Animator gives kCursorImageNeedsEntryText).
    void SetNeedsEntryText(const char* text) { m_needsEntryText = text; }
    // A palette entry changed: the editor repaints the grid, the preview and the format list.
    void SetPaletteChangedHook(std::function<void()> hook) { m_changedHook = std::move(hook); }
    int lastClickedIndex() const { return m_lastIndex; }
    // The "Color Locator" frames the located colour's cell in `colour` on each tick; none takes
    // the frame away.
    void FrameLocatedCell(std::optional<Ink> ink, COLORREF colour);

private:
    PaletteWindow(const ViewColors& colors, DrawEngine& engine, Prompt& prompt)
        : m_colors(colors), m_engine(engine), m_prompt(prompt) {}
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    template <class Window>
    friend LRESULT DispatchToWindow(HWND, UINT, WPARAM, LPARAM, const char*);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void Paint(HDC dc);
    void OnButtonDown(MouseButton button, int x, int y);
    void OnButtonUp(MouseButton button, int x, int y);
    void SelectInk(MouseButton button, const PaletteCell& cell);
    void SetBlendWell(MouseButton button, bool right);
    void PickBlendColour(MouseButton button, int k);
    void LocateColour(const PaletteCell& cell);
    void EditColour(MouseButton button, int x, int y);
    void OnMouseMove(int x, int y);
    void DropBlendColour(const PaletteCell& target, int stripCell);
    // Writes a new colour into an entry and tells everyone who shows it.
    void ApplyEntryColour(uint32_t index, uint32_t colour);
    void FitToDepth();
    int32_t Depth() const;

    HWND m_hwnd = nullptr;
    const ViewColors& m_colors;
    DrawEngine& m_engine;
    Prompt& m_prompt;
    ColorValues256 m_table{};
    std::array<uint32_t, kBlendStripCells> m_strip{};
    bool m_pressed = false;
    int m_lastIndex = 0;
    int32_t m_shownDepth = 0;
    std::function<void()> m_hiddenHook;
    const char* m_needsEntryText = kIconNeedsEntryText;
    std::function<void()> m_changedHook;
    // A press on the blend strip that moves far enough drags that strip colour.
    int m_dragFrom = -1;
    POINT m_pressAt{};
    bool m_dragging = false;
    // The cell the locator frames, and in which colour.
    std::optional<PaletteCell> m_located;
    COLORREF m_locatedColour = 0;
};

}  // namespace vt
