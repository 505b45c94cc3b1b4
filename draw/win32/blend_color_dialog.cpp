#include "draw/win32/blend_color_dialog.h"

#include <commctrl.h>

#include <array>
#include <string>

#include "draw/palette_edit.h"
#include "draw/win32/blend_dialog_ids.h"

namespace vt {

namespace {

struct BlendData {
    std::array<int, 3> channel{};
    bool updating = false;
    HBRUSH bars[3] = {};
    HBRUSH sample = nullptr;
};

COLORREF Colour(const BlendData& d) { return RGB(d.channel[0], d.channel[1], d.channel[2]); }

void ShowChannel(HWND dlg, BlendData& d, int c, bool edit) {
    d.updating = true;
    SendDlgItemMessageA(dlg, IDC_BLEND_TRACK(c), TBM_SETPOS, TRUE, d.channel[static_cast<size_t>(c)]);
    SendDlgItemMessageA(dlg, IDC_BLEND_SPIN(c), UDM_SETPOS32, 0, d.channel[static_cast<size_t>(c)]);
    if (edit) SetDlgItemInt(dlg, IDC_BLEND_EDIT(c), static_cast<UINT>(d.channel[static_cast<size_t>(c)]), FALSE);
    d.updating = false;
    if (d.sample) DeleteObject(d.sample);
    d.sample = CreateSolidBrush(Colour(d));
    InvalidateRect(GetDlgItem(dlg, IDC_BLEND_SAMPLE), nullptr, TRUE);
}

// A typed value is taken when the field is left (or OK is pressed): refused text beeps and
// restores the channel, a number out of range beeps and is clamped.
void TakeTyped(HWND dlg, BlendData& d, int c) {
    char text[32] = {};
    GetDlgItemTextA(dlg, IDC_BLEND_EDIT(c), text, sizeof text);
    const ChannelInput in = ParseChannelText(text, d.channel[static_cast<size_t>(c)]);
    if (in.beep) MessageBeep(MB_OK);
    d.channel[static_cast<size_t>(c)] = in.value;
    ShowChannel(dlg, d, c, true);
}

// While the user types, the track bar and the sample follow every text that reads as a number
// (clamped to 0..255); the field itself is left alone until it is left, when TakeTyped beeps and
// corrects it.
void FollowTyping(HWND dlg, BlendData& d, int c) {
    char text[32] = {};
    GetDlgItemTextA(dlg, IDC_BLEND_EDIT(c), text, sizeof text);
    d.channel[static_cast<size_t>(c)] = ParseChannelText(text, d.channel[static_cast<size_t>(c)]).value;
    ShowChannel(dlg, d, c, false);
}

void OnInit(HWND dlg, BlendData& d) {
    const COLORREF pure[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    for (int c = 0; c < 3; ++c) {
        d.bars[c] = CreateSolidBrush(pure[c]);
        SendDlgItemMessageA(dlg, IDC_BLEND_TRACK(c), TBM_SETRANGE, FALSE, MAKELPARAM(0, 255));
        SendDlgItemMessageA(dlg, IDC_BLEND_TRACK(c), TBM_SETPAGESIZE, 0, 32);
        SendDlgItemMessageA(dlg, IDC_BLEND_SPIN(c), UDM_SETRANGE32, 0, 255);
        SendDlgItemMessageA(dlg, IDC_BLEND_SPIN(c), UDM_SETBUDDY,
                            reinterpret_cast<WPARAM>(GetDlgItem(dlg, IDC_BLEND_EDIT(c))), 0);
        ShowChannel(dlg, d, c, true);
    }
}

INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* d = reinterpret_cast<BlendData*>(GetWindowLongPtrA(dlg, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dlg, DWLP_USER, lp);
            OnInit(dlg, *reinterpret_cast<BlendData*>(lp));
            return TRUE;
        case WM_HSCROLL:
            for (int c = 0; c < 3; ++c)
                if (reinterpret_cast<HWND>(lp) == GetDlgItem(dlg, IDC_BLEND_TRACK(c))) {
                    d->channel[static_cast<size_t>(c)] =
                        static_cast<int>(SendMessageA(reinterpret_cast<HWND>(lp), TBM_GETPOS, 0, 0));
                    ShowChannel(dlg, *d, c, true);
                }
            return TRUE;
        case WM_NOTIFY: {
            const auto* n = reinterpret_cast<const NMUPDOWN*>(lp);
            for (int c = 0; c < 3; ++c)
                if (n->hdr.code == UDN_DELTAPOS && n->hdr.idFrom == static_cast<UINT_PTR>(IDC_BLEND_SPIN(c))) {
                    const int v = d->channel[static_cast<size_t>(c)] + n->iDelta;
                    d->channel[static_cast<size_t>(c)] = v < 0 ? 0 : v > 255 ? 255 : v;
                    ShowChannel(dlg, *d, c, true);
                    SetWindowLongPtrA(dlg, DWLP_MSGRESULT, TRUE);  // the position is ours
                    return TRUE;
                }
            return FALSE;
        }
        case WM_CTLCOLORSTATIC: {
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lp));
            for (int c = 0; c < 3; ++c)
                if (id == IDC_BLEND_BAR(c)) return reinterpret_cast<INT_PTR>(d->bars[c]);
            if (id == IDC_BLEND_SAMPLE && d->sample) return reinterpret_cast<INT_PTR>(d->sample);
            return FALSE;
        }
        case WM_COMMAND: {
            const int id = LOWORD(wp);
            for (int c = 0; c < 3; ++c) {
                if (id != IDC_BLEND_EDIT(c) || !d || d->updating) continue;
                if (HIWORD(wp) == EN_KILLFOCUS) TakeTyped(dlg, *d, c);
                else if (HIWORD(wp) == EN_CHANGE) FollowTyping(dlg, *d, c);
            }
            if (id == IDOK) {
                for (int c = 0; c < 3; ++c) TakeTyped(dlg, *d, c);
                EndDialog(dlg, IDOK);
            } else if (id == IDCANCEL) {
                EndDialog(dlg, IDCANCEL);
            }
            return TRUE;
        }
        case WM_DESTROY:
            for (HBRUSH b : d->bars) DeleteObject(b);
            if (d->sample) DeleteObject(d->sample);
            return FALSE;
        default: return FALSE;
    }
}

}  // namespace

std::optional<uint32_t> RunBlendColorDialog(HINSTANCE instance, HWND owner, uint32_t colour) {
    BlendData d;
    d.channel = {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                 static_cast<int>((colour >> 16) & 0xFF)};
    const INT_PTR r = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_BLEND_COLOR), owner, DialogProc,
                                      reinterpret_cast<LPARAM>(&d));
    if (r != IDOK) return std::nullopt;
    return static_cast<uint32_t>(d.channel[0]) | static_cast<uint32_t>(d.channel[1]) << 8 |
           static_cast<uint32_t>(d.channel[2]) << 16;
}

}  // namespace vt
