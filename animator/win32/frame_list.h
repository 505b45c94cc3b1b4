#pragma once
// The frame list beside the edit grid: an owner-drawn list box with one entry per frame, its
// picture at (4, 4), "Frame %d" and "%d jifs". The selected entry holds a three-digit edit field
// for the frame's time followed by " jifs"; what the user types there goes to the animation.

#include <windows.h>

#include <functional>

#include "animator/animation.h"

namespace vt {
class ViewColors;
}

namespace vt::animator {

class FrameList {
public:
    static constexpr int kItemHeight = 40;
    static constexpr int kImageOffset = 4;
    static constexpr int kTextLeft = 2 * kImageOffset + kAnimatorImageSize + 4;

    FrameList(HWND owner, HINSTANCE instance, int listId, int editId, HFONT font, Animation& animation,
              const ViewColors& colors);
    FrameList(const FrameList&) = delete;
    FrameList& operator=(const FrameList&) = delete;

    HWND hwnd() const { return m_list; }
    HWND timeEdit() const { return m_edit; }
    // The width that shows "Frame 1024" beside its picture, with the scroll bar.
    int Width() const;
    void Move(int x, int y, int w, int h);

    // Rebuilds the entries from the animation and selects its selected frame.
    void Fill();
    // Repaints the pictures and texts (after a commit, undo, redo, a new time).
    void Refresh();
    // The entry the user chose, or -1.
    int Selection() const;

    // The owner hands its WM_DRAWITEM for the list here.
    void DrawItem(const DRAWITEMSTRUCT& item);
    // The time field's EN_CHANGE: typed text goes to the animation; the text the list puts there
    // itself is no edit. Returns true when a time changed.
    bool OnTimeChanged();

private:
    static LRESULT CALLBACK ListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
    void PlaceTimeEdit();
    // Puts the selected frame's time into the field without it counting as typed.
    void FillTimeEdit();

    HWND m_owner;
    HWND m_list = nullptr;
    HWND m_edit = nullptr;
    HFONT m_font;
    Animation& m_animation;
    const ViewColors& m_colors;
    bool m_filling = false;
    // The entry the time field stands in and shows the time of, or none.
    int m_fieldEntry = -1;
    int m_frameTextWidth = 0;
    int m_jifsWidth = 0;
    int m_editWidth = 0;
};

}  // namespace vt::animator
