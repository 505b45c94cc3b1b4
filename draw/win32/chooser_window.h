#pragma once
// The tool box's pop-up chooser: held down for a moment, the Brush, Color Eraser and shape buttons
// unfold a strip to their right with the brush shapes, the eraser sizes or the other shape
// variants. The button keeps the mouse while it is held; the tool box forwards the pointer here.

#include <windows.h>

namespace vt {

class ChooserWindow {
public:
    enum class Kind { Brush, Eraser, Shape };
    static constexpr int kLeft = 37;
    static constexpr int kHeight = 33;
    static constexpr int kSteps = 8;

    static bool Register(HINSTANCE instance);
    // Opens at the button's height; `current` is highlighted at the start (the brush shape, the
    // eraser size - 1, or the current shape variant). glyphs: the tool box strip for shape cells.
    static ChooserWindow* Open(HINSTANCE instance, HWND owner, Kind kind, int top, int current, HBITMAP glyphs);

    // The cell under a point in the owner's client coordinates, or -1.
    int CellAt(POINT ownerPoint) const;
    // The pointer moved while the button is held: the cell under it is highlighted.
    void Hover(POINT ownerPoint);
    int hovered() const { return m_hovered; }
    Kind kind() const { return m_kind; }
    // What a shape cell stands for: the variant after the current one in cyclic order.
    int VariantOfCell(int cell) const { return (m_current + 1 + cell) % 6; }
    void Close();

private:
    ChooserWindow(Kind kind, int current, HBITMAP glyphs) : m_kind(kind), m_current(current), m_glyphs(glyphs) {}
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    template <class Window>
    friend LRESULT DispatchToWindow(HWND, UINT, WPARAM, LPARAM, const char*);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void Paint(HDC dc);
    int StepWidth() const { return m_kind == Kind::Shape ? 20 : 8; }
    int CellCount() const { return m_kind == Kind::Brush ? 8 : m_kind == Kind::Eraser ? 4 : 5; }
    RECT CellRect(int cell) const;

    HWND m_hwnd = nullptr;
    Kind m_kind;
    int m_current;
    HBITMAP m_glyphs;
    int m_step = 0;
    int m_hovered = -1;
};

}  // namespace vt
