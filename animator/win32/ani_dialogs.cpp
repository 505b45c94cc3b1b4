#include "animator/win32/ani_dialogs.h"

#include <commctrl.h>

#include <string>

#include "animator/preview_player.h"
#include "animator/win32/resource.h"
#include "common/prompt.h"
#include "draw/win32/preview_window.h"
#include "draw/win32/view_colors.h"

namespace vt::animator {

namespace {

// ---- Insert New Frames ----

INT_PTR CALLBACK InsertProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* choice = reinterpret_cast<InsertChoice*>(GetWindowLongPtrA(dlg, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dlg, DWLP_USER, lp);
            choice = reinterpret_cast<InsertChoice*>(lp);
            SendDlgItemMessageA(dlg, IDC_INSERT_COUNT, EM_LIMITTEXT, 2, 0);
            SetDlgItemInt(dlg, IDC_INSERT_COUNT, 1, FALSE);
            CheckRadioButton(dlg, IDC_INSERT_BEFORE, IDC_INSERT_AFTER, IDC_INSERT_AFTER);
            CheckDlgButton(dlg, IDC_INSERT_FILL, BST_CHECKED);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK) {
                BOOL ok = FALSE;
                const UINT count = GetDlgItemInt(dlg, IDC_INSERT_COUNT, &ok, FALSE);
                if (!ok || count < 1) {
                    MessageBeep(MB_OK);
                    SetFocus(GetDlgItem(dlg, IDC_INSERT_COUNT));
                    SendDlgItemMessageA(dlg, IDC_INSERT_COUNT, EM_SETSEL, 0, -1);
                    return TRUE;
                }
                choice->count = static_cast<int>(count);
                choice->after = IsDlgButtonChecked(dlg, IDC_INSERT_AFTER) == BST_CHECKED;
                choice->fill = IsDlgButtonChecked(dlg, IDC_INSERT_FILL) == BST_CHECKED;
                EndDialog(dlg, IDOK);
                return TRUE;
            }
            if (LOWORD(wp) == IDCANCEL) {
                EndDialog(dlg, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default: return FALSE;
    }
}

// ---- Cursor Properties ----

constexpr UINT_PTR kPropertiesTimer = 2;

struct PropertiesState {
    Animation* animation = nullptr;
    const ViewColors* colors = nullptr;
    PreviewPlayer player;
    bool editing = false;
    bool stored = false;
};

void SetText(HWND dlg, int id, const std::string& text) { SetDlgItemTextA(dlg, id, text.c_str()); }

void PlayNext(HWND dlg, PropertiesState& s, bool first) {
    const std::vector<int32_t> times = s.animation->Times();
    // Every frame at its own time, 16 ms a jiffy, without the preview's speed.
    const int interval = first ? s.player.Start(times, 0, SpeedRatio{}) : s.player.Tick(times, SpeedRatio{});
    if (interval < 0) return;
    SetTimer(dlg, kPropertiesTimer, static_cast<UINT>(interval), nullptr);
    InvalidateRect(GetDlgItem(dlg, IDC_PROP_IMAGE), nullptr, FALSE);
}

INT_PTR CALLBACK PropertiesProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* s = reinterpret_cast<PropertiesState*>(GetWindowLongPtrA(dlg, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG: {
            SetWindowLongPtrA(dlg, DWLP_USER, lp);
            s = reinterpret_cast<PropertiesState*>(lp);
            HWND tabs = GetDlgItem(dlg, IDC_PROP_TABS);
            TCITEMA tab{};
            tab.mask = TCIF_TEXT;
            tab.pszText = const_cast<char*>("General");
            SendMessageA(tabs, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tab));
            SetWindowPos(tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            const Animation& a = *s->animation;
            SetText(dlg, IDC_PROP_TITLE, a.title());
            SetText(dlg, IDC_PROP_CREDITS, a.author());
            const CursorProperties p = a.Properties();
            SetText(dlg, IDC_PROP_WIDTH, p.width);
            SetText(dlg, IDC_PROP_HEIGHT, p.height);
            SetText(dlg, IDC_PROP_FORMAT, p.colorFormat);
            SetText(dlg, IDC_PROP_FRAMES, std::to_string(p.frames));
            SetText(dlg, IDC_PROP_IMAGES, std::to_string(p.images));
            SetText(dlg, IDC_PROP_DURATION, p.duration);
            PlayNext(dlg, *s, true);
            return TRUE;
        }
        case WM_TIMER:
            if (wp == kPropertiesTimer) {
                KillTimer(dlg, kPropertiesTimer);
                PlayNext(dlg, *s, false);
            }
            return TRUE;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            if (item.CtlID != IDC_PROP_IMAGE) return FALSE;
            RECT area = item.rcItem;
            FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
            DrawEdge(item.hDC, &area, EDGE_SUNKEN, BF_RECT);
            const size_t k = s->player.frame();
            if (k < s->animation->frameCount()) {
                const IconImage& img = s->animation->frame(k).image();
                const int x = (item.rcItem.right - item.rcItem.left - img.width) / 2;
                const int y = (item.rcItem.bottom - item.rcItem.top - img.height) / 2;
                PaintComposedImage(item.hDC, img, s->colors->screenDisplay(), x, y, img.width, img.height);
            }
            return TRUE;
        }
        case WM_COMMAND:
            switch (LOWORD(wp)) {
                case IDC_PROP_EDIT:
                    s->editing = true;
                    for (int id : {IDC_PROP_TITLE, IDC_PROP_CREDITS}) {
                        SendDlgItemMessageA(dlg, id, EM_SETREADONLY, FALSE, 0);
                        SendDlgItemMessageA(dlg, id, EM_LIMITTEXT, kAniTextMax, 0);
                    }
                    ShowWindow(GetDlgItem(dlg, IDC_PROP_CANCEL), SW_SHOW);
                    SetFocus(GetDlgItem(dlg, IDC_PROP_TITLE));
                    ShowWindow(GetDlgItem(dlg, IDC_PROP_EDIT), SW_HIDE);
                    return TRUE;
                case IDOK:
                    if (s->editing) {
                        char title[kAniTextMax + 1] = {};
                        char credits[kAniTextMax + 1] = {};
                        GetDlgItemTextA(dlg, IDC_PROP_TITLE, title, sizeof title);
                        GetDlgItemTextA(dlg, IDC_PROP_CREDITS, credits, sizeof credits);
                        s->animation->SetTexts(title, credits);
                        s->stored = true;
                    }
                    KillTimer(dlg, kPropertiesTimer);
                    EndDialog(dlg, IDOK);
                    return TRUE;
                case IDCANCEL:
                case IDC_PROP_CANCEL:
                    KillTimer(dlg, kPropertiesTimer);
                    EndDialog(dlg, IDCANCEL);
                    return TRUE;
                default: return FALSE;
            }
        default: return FALSE;
    }
}

// ---- the two colour depth dialogs ----

struct DepthState {
    int32_t current = 16;
    bool convert = false;  // "Create New Color Depth"
    Prompt* prompt = nullptr;
    int32_t chosen = 0;
};

constexpr int kDepthButtons[] = {IDC_DEPTH_16, IDC_DEPTH_256, IDC_DEPTH_TRUE};
constexpr int32_t kDepthCodes[] = {kColors16, kColors256, kTrueColor};

int ButtonForDepth(int32_t code) {
    for (int i = 0; i < 3; ++i)
        if (kDepthCodes[i] == code) return kDepthButtons[i];
    return 0;
}

INT_PTR CALLBACK DepthProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* s = reinterpret_cast<DepthState*>(GetWindowLongPtrA(dlg, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dlg, DWLP_USER, lp);
            s = reinterpret_cast<DepthState*>(lp);
            if (s->convert) {
                if (const int b = ButtonForDepth(s->current)) EnableWindow(GetDlgItem(dlg, b), FALSE);
            } else {
                CheckRadioButton(dlg, IDC_DEPTH_16, IDC_DEPTH_TRUE, ButtonForDepth(PreselectedNewDepth(s->current)));
            }
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK) {
                s->chosen = 0;
                for (int i = 0; i < 3; ++i)
                    if (IsDlgButtonChecked(dlg, kDepthButtons[i]) == BST_CHECKED &&
                        IsWindowEnabled(GetDlgItem(dlg, kDepthButtons[i])))
                        s->chosen = kDepthCodes[i];
                if (!s->chosen) {
                    if (s->prompt) s->prompt->Tell(kNewDepthChooseText, PromptIcon::Information);
                    return TRUE;
                }
                EndDialog(dlg, IDOK);
                return TRUE;
            }
            if (LOWORD(wp) == IDCANCEL) {
                s->chosen = 0;
                EndDialog(dlg, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default: return FALSE;
    }
}

}  // namespace

bool RunInsertFramesDialog(HINSTANCE instance, HWND owner, InsertChoice* choice) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_INSERT_FRAMES), owner, InsertProc,
                           reinterpret_cast<LPARAM>(choice)) == IDOK;
}

bool RunCursorPropertiesDialog(HINSTANCE instance, HWND owner, Animation& animation, const ViewColors& colors) {
    PropertiesState s;
    s.animation = &animation;
    s.colors = &colors;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CURSOR_PROPERTIES), owner, PropertiesProc,
                    reinterpret_cast<LPARAM>(&s));
    return s.stored;
}

int32_t RunNewDepthDialog(HINSTANCE instance, HWND owner, int32_t currentDepth) {
    DepthState s;
    s.current = currentDepth;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_NEW_DEPTH), owner, DepthProc, reinterpret_cast<LPARAM>(&s));
    return s.chosen;
}

int32_t RunConvertDepthDialog(HINSTANCE instance, HWND owner, int32_t currentDepth, Prompt& prompt) {
    DepthState s;
    s.current = currentDepth;
    s.convert = true;
    s.prompt = &prompt;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CONVERT_DEPTH), owner, DepthProc, reinterpret_cast<LPARAM>(&s));
    return s.chosen;
}

}  // namespace vt::animator
