#include "animator/win32/frame_list.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "common/prompt.h"
#include "draw/win32/preview_window.h"
#include "draw/win32/view_colors.h"

namespace vt::animator {

namespace {

constexpr int kTimeTop = 22;
constexpr int kTimeHeight = 16;

int TextWidth(HDC dc, const std::string& text) {
    SIZE s{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &s);
    return s.cx;
}

}  // namespace

FrameList::FrameList(HWND owner, HINSTANCE instance, int listId, int editId, HFONT font, Animation& animation,
                     const ViewColors& colors)
    : m_owner(owner), m_font(font), m_animation(animation), m_colors(colors) {
    m_list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN | LBS_OWNERDRAWFIXED |
                                 LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                             0, 0, 100, 100, owner, reinterpret_cast<HMENU>(static_cast<INT_PTR>(listId)),
                             instance, nullptr);
    m_edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_BORDER | ES_NUMBER | ES_AUTOHSCROLL, 0, 0, 30,
                             kTimeHeight, m_list, reinterpret_cast<HMENU>(static_cast<INT_PTR>(editId)), instance,
                             nullptr);
    if (m_font) {
        SendMessageA(m_list, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        SendMessageA(m_edit, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    }
    SendMessageA(m_edit, EM_LIMITTEXT, 3, 0);
    SetWindowSubclass(m_list, ListProc, 1, reinterpret_cast<DWORD_PTR>(this));
    HDC dc = GetDC(m_list);
    HGDIOBJ old = SelectObject(dc, m_font ? m_font : GetStockObject(DEFAULT_GUI_FONT));
    m_frameTextWidth = TextWidth(dc, "Frame 1024");
    m_jifsWidth = TextWidth(dc, " jifs");
    m_editWidth = TextWidth(dc, " 999 ") + 6;
    SelectObject(dc, old);
    ReleaseDC(m_list, dc);
}

LRESULT CALLBACK FrameList::ListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<FrameList*>(data);
    switch (msg) {
        case WM_COMMAND:
            // The time field is the list's child; its notifications belong to the frame.
            return SendMessageA(self->m_owner, WM_COMMAND, wp, lp);
        case WM_VSCROLL:
        case WM_MOUSEWHEEL:
        case WM_KEYDOWN:
        case WM_SIZE: {
            const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
            self->PlaceTimeEdit();
            return r;
        }
        default: return DefSubclassProc(hwnd, msg, wp, lp);
    }
}

int FrameList::Width() const {
    const int text = std::max(m_frameTextWidth, m_editWidth + m_jifsWidth);
    return kTextLeft + text + 8 + GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE);
}

void FrameList::Move(int x, int y, int w, int h) {
    MoveWindow(m_list, x, y, w, h, TRUE);
    PlaceTimeEdit();
}

int FrameList::Selection() const {
    return static_cast<int>(SendMessageA(m_list, LB_GETCURSEL, 0, 0));
}

void FrameList::Fill() {
    SendMessageA(m_list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(m_list, LB_RESETCONTENT, 0, 0);
    SendMessageA(m_list, LB_SETITEMHEIGHT, 0, kItemHeight);
    for (size_t i = 0; i < m_animation.frameCount(); ++i)
        SendMessageA(m_list, LB_ADDSTRING, 0, static_cast<LPARAM>(i));
    SendMessageA(m_list, LB_SETCURSEL, m_animation.selected(), 0);
    SendMessageA(m_list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_list, nullptr, TRUE);
    PlaceTimeEdit();
    FillTimeEdit();
}

void FrameList::Refresh() {
    const int selected = static_cast<int>(m_animation.selected());
    if (Selection() != selected) SendMessageA(m_list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    InvalidateRect(m_list, nullptr, FALSE);
    // The field moves to another entry with the selection; while it stays, it shows the frame's
    // time again unless the user is typing in it.
    if (m_fieldEntry != selected) {
        PlaceTimeEdit();
        FillTimeEdit();
    } else if (GetFocus() != m_edit) {
        FillTimeEdit();
    }
}

void FrameList::PlaceTimeEdit() {
    const int sel = Selection();
    RECT item{};
    if (sel < 0 || SendMessageA(m_list, LB_GETITEMRECT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(&item)) ==
                       LB_ERR) {
        ShowWindow(m_edit, SW_HIDE);
        return;
    }
    RECT client;
    GetClientRect(m_list, &client);
    const int top = item.top + kTimeTop - 2;
    if (item.bottom <= 0 || top >= client.bottom) {
        ShowWindow(m_edit, SW_HIDE);
        return;
    }
    MoveWindow(m_edit, item.left + kTextLeft, top, m_editWidth, kTimeHeight, TRUE);
    ShowWindow(m_edit, SW_SHOWNA);
}

void FrameList::FillTimeEdit() {
    const size_t sel = m_animation.selected();
    if (sel >= m_animation.frameCount()) return;
    m_filling = true;
    SetWindowTextA(m_edit, Animation::TimeText(m_animation.frame(sel).time).c_str());
    m_filling = false;
    m_fieldEntry = static_cast<int>(sel);
}

bool FrameList::OnTimeChanged() {
    if (m_filling) return false;
    const size_t sel = m_animation.selected();
    if (sel >= m_animation.frameCount()) return false;
    char text[16] = {};
    GetWindowTextA(m_edit, text, sizeof text);
    const int32_t before = m_animation.frame(sel).time;
    m_animation.SetTimeText(sel, text);
    if (m_animation.frame(sel).time == before) return false;
    RECT item{};
    if (SendMessageA(m_list, LB_GETITEMRECT, sel, reinterpret_cast<LPARAM>(&item)) != LB_ERR)
        InvalidateRect(m_list, &item, FALSE);
    return true;
}

void FrameList::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= m_animation.frameCount()) return;
    HDC dc = item.hDC;
    const RECT& r = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const Frame& frame = m_animation.frame(item.itemID);
    PaintComposedImage(dc, frame.image(), m_colors.screenDisplay(), r.left + kImageOffset, r.top + kImageOffset,
                       kAnimatorImageSize, kAnimatorImageSize);
    HGDIOBJ old = SelectObject(dc, m_font ? m_font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const std::string caption = Format("Frame %u", item.itemID + 1);
    TextOutA(dc, r.left + kTextLeft, r.top + kImageOffset, caption.c_str(), static_cast<int>(caption.size()));
    if (selected) {
        // The time field stands where the time is written, " jifs" after it.
        TextOutA(dc, r.left + kTextLeft + m_editWidth, r.top + kTimeTop, " jifs", 5);
    } else {
        const std::string time = Format("%d jifs", frame.time);
        TextOutA(dc, r.left + kTextLeft, r.top + kTimeTop, time.c_str(), static_cast<int>(time.size()));
    }
    SelectObject(dc, old);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

}  // namespace vt::animator
