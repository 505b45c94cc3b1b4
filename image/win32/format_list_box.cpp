#include "image/win32/format_list_box.h"

#include <algorithm>
#include <vector>

#include "common/prompt.h"
#include "image/image_compose.h"

namespace vt {

namespace {

constexpr int kThumbBox = 48;
constexpr int kTextLeft = 56;
constexpr int kHighlightLeft = 54;

void DrawThumbnail(HDC dc, const IconImage& img, COLORREF background, int left, int top) {
    // Up to 48 pixels at full size; larger images scaled by 4800 / the larger side percent.
    int w = img.width, h = img.height;
    const int larger = std::max(w, h);
    if (larger > kThumbBox) {
        const int percent = 4800 / larger;
        w = w * percent / 100;
        h = h * percent / 100;
    }
    const int x = left + (kThumbBox - w) / 2, y = top + (kThumbBox - h) / 2;
    std::vector<uint32_t> dib = ComposeImage(img, background & 0xFFFFFF);
    for (uint32_t& c : dib) c = SwapRedBlue(c);  // a DIB wants blue in the low byte
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = img.width;
    bi.bmiHeader.biHeight = -img.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, x, y, w, h, 0, 0, img.width, img.height, dib.data(), &bi, DIB_RGB_COLORS,
                  SRCCOPY);
}

}  // namespace

FormatListBox::FormatListBox(HWND owner, HINSTANCE instance, int id) {
    m_hwnd = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWFIXED |
                                 LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                             0, 0, 112, 100, owner,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageA(m_hwnd, LB_SETITEMHEIGHT, 0, kItemHeight);
}

void FormatListBox::Move(int left, int top, int width, int height) {
    MoveWindow(m_hwnd, left, top, width, height, TRUE);
}

void FormatListBox::Fill(const FormatList& list, int selected) {
    SendMessageA(m_hwnd, WM_SETREDRAW, FALSE, 0);
    SendMessageA(m_hwnd, LB_RESETCONTENT, 0, 0);
    for (const FormatListItem& item : list.items) {
        const LRESULT i =
            SendMessageA(m_hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
        if (i >= 0) SendMessageA(m_hwnd, LB_SETITEMDATA, static_cast<WPARAM>(i), item.position);
    }
    if (list.items.empty() && !list.emptyReason.empty()) {
        const LRESULT i = SendMessageA(m_hwnd, LB_ADDSTRING, 0,
                                       reinterpret_cast<LPARAM>(list.emptyReason.c_str()));
        if (i >= 0) SendMessageA(m_hwnd, LB_SETITEMDATA, static_cast<WPARAM>(i), 0);
    }
    SendMessageA(m_hwnd, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SendMessageA(m_hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

int FormatListBox::SelectedPosition() const {
    const LRESULT i = SendMessageA(m_hwnd, LB_GETCURSEL, 0, 0);
    if (i == LB_ERR) return 0;
    return static_cast<int>(SendMessageA(m_hwnd, LB_GETITEMDATA, static_cast<WPARAM>(i), 0));
}

void FormatListBox::DrawItem(const DRAWITEMSTRUCT& item, const IconResource& doc,
                             COLORREF background) const {
    if (item.itemID == static_cast<UINT>(-1)) return;
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
    const int position = static_cast<int>(item.itemData);
    if (position == 0) {
        // The reason the list is empty, in place of the formats.
        char text[256] = {};
        SendMessageA(m_hwnd, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text));
        RECT box{r.left + 4, r.top + 2, r.right - 2, r.bottom - 2};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        DrawTextA(dc, text, -1, &box, DT_LEFT | DT_WORDBREAK);
        return;
    }
    if (position < 1 || position > static_cast<int>(doc.images.size())) return;
    const IconImage& img = doc.images[static_cast<size_t>(position - 1)];
    if (!img.HasBits()) return;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (selected) {
        RECT bar{r.left + kHighlightLeft, r.top, r.right, r.bottom};
        FillRect(dc, &bar, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    RECT thumbBox{r.left + 2, r.top + 2, r.left + 2 + kThumbBox, r.top + 2 + kThumbBox};
    FillRect(dc, &thumbBox, GetSysColorBrush(COLOR_BTNFACE));
    DrawThumbnail(dc, img, background, thumbBox.left, thumbBox.top);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const std::string size = Format("%dx%d", img.width, img.height);
    const char* depth = img.colorCode == kMonochrome  ? "2"
                        : img.colorCode == kColors16  ? "16"
                        : img.colorCode == kColors256 ? "256"
                                                      : "True";
    RECT top{r.left + kTextLeft, r.top + 6, r.right, r.top + 24};
    RECT bottom{r.left + kTextLeft, r.top + 26, r.right - 2, r.top + 44};
    DrawTextA(dc, size.c_str(), -1, &top, DT_LEFT | DT_SINGLELINE);
    DrawTextA(dc, depth, -1, &bottom, DT_CENTER | DT_SINGLELINE);
}

}  // namespace vt
