#pragma once
// The "Image Format" list of the editor window: an owner-drawn list box whose entries show a
// thumbnail in a 48 x 48 box, the size "%dx%d" and the colour depth under it.

#include <windows.h>

#include "image/format_list.h"

namespace vt {

class FormatListBox {
public:
    static constexpr int kItemHeight = 52;

    FormatListBox(HWND owner, HINSTANCE instance, int id);
    HWND hwnd() const { return m_hwnd; }
    // Fills the list and selects `selected` (-1 for none).
    void Fill(const FormatList& list, int selected);
    // The 1-based image position of the selected entry, or 0.
    int SelectedPosition() const;
    void DrawItem(const DRAWITEMSTRUCT& item, const IconResource& doc, COLORREF background) const;
    void Move(int left, int top, int width, int height);

private:
    HWND m_hwnd;
};

}  // namespace vt
