#include "engineer/win32/engineer_dialogs.h"

#include <commdlg.h>
#include <shellapi.h>

#include <vector>

#include "engineer/win32/engineer_app.h"
#include "engineer/win32/resource.h"

namespace vt::engineer {

namespace {

std::string FolderOf(const std::string& path) {
    const size_t cut = path.find_last_of('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

INT_PTR RunModal(int templateId, HWND owner, DLGPROC proc, void* data) {
    ModalScope scope;
    return DialogBoxParamA(g_app.instance, MAKEINTRESOURCEA(templateId), owner, proc,
                           reinterpret_cast<LPARAM>(data));
}

template <class T>
T* DataOf(HWND dlg, UINT msg, LPARAM lp) {
    if (msg == WM_INITDIALOG) SetWindowLongPtrA(dlg, DWLP_USER, lp);
    return reinterpret_cast<T*>(GetWindowLongPtrA(dlg, DWLP_USER));
}

// A file dialog with a 260-character buffer; `folder` is the start and takes the chosen file's
// folder.
bool RunFileDialog(HWND owner, bool save, const char* title, const char* filter,
                   std::string* folder, DWORD flags, const char* defaultExtension,
                   int* filterIndex, std::string* path) {
    char buffer[MAX_PATH] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = filterIndex ? static_cast<DWORD>(*filterIndex) : 1;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = sizeof buffer;
    ofn.lpstrInitialDir = folder->empty() ? nullptr : folder->c_str();
    ofn.lpstrTitle = title;
    ofn.Flags = flags | OFN_HIDEREADONLY;
    ofn.lpstrDefExt = defaultExtension;
    ModalScope scope;
    const BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!ok) return false;
    *path = buffer;
    *folder = FolderOf(*path);
    if (filterIndex) *filterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
}

std::string DateText(uint64_t time) {
    FILETIME utc{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)}, local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st)) return {};
    char date[128] = {}, clock[64] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &st, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, clock, sizeof clock);
    return std::string(date) + ", " + clock;
}

struct ReplaceData {
    const ReplaceQuestion* question;
    HICON existingIcon = nullptr;
};

INT_PTR CALLBACK ReplaceProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* d = DataOf<ReplaceData>(dlg, msg, lp);
    switch (msg) {
        case WM_INITDIALOG: {
            const ReplaceQuestion& q = *d->question;
            SetDlgItemTextA(dlg, IDC_REPLACE_TEXT, q.text.c_str());
            SetDlgItemTextA(dlg, IDC_EXISTING_SIZE, q.existingSize.c_str());
            SetDlgItemTextA(dlg, IDC_EXISTING_DATE, DateText(q.existing.time).c_str());
            SetDlgItemTextA(dlg, IDC_INCOMING_SIZE, q.incomingSize.c_str());
            SetDlgItemTextA(dlg, IDC_INCOMING_DATE, DateText(q.incoming.time).c_str());
            d->existingIcon = ExtractIconA(g_app.instance, q.existingPath.c_str(), 0);
            if (reinterpret_cast<UINT_PTR>(d->existingIcon) <= 1) d->existingIcon = nullptr;
            SendDlgItemMessageA(dlg, IDC_EXISTING_ICON, STM_SETICON,
                                reinterpret_cast<WPARAM>(d->existingIcon), 0);
            SendDlgItemMessageA(dlg, IDC_INCOMING_ICON, STM_SETICON,
                                static_cast<WPARAM>(q.incomingIcon), 0);
            return TRUE;
        }
        case WM_COMMAND:
            switch (LOWORD(wp)) {
                case IDYES:
                case IDNO:
                case IDCANCEL:
                case IDC_YES_TO_ALL: EndDialog(dlg, LOWORD(wp)); return TRUE;
            }
            return FALSE;
        case WM_DESTROY:
            if (d && d->existingIcon) DestroyIcon(d->existingIcon);
            return FALSE;
        default: return FALSE;
    }
}

void SetWarningIcon(HWND dlg) {
    // The first static icon of the template shows the system's exclamation icon.
    for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            SendMessageA(c, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, IDI_EXCLAMATION)), 0);
            return;
        }
}

struct WarningData {
    const std::string* text;
    const std::array<bool, kQualityFormatCount>* found;
    const std::array<bool, kQualityFormatCount>* desired;
};

INT_PTR CALLBACK WarningProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* d = DataOf<WarningData>(dlg, msg, lp);
    switch (msg) {
        case WM_INITDIALOG:
            SetWarningIcon(dlg);
            if (d->found) {
                SetDlgItemTextA(dlg, IDC_WARNING_TEXT, d->text->c_str());
                for (int i = 0; i < kQualityFormatCount; ++i) {
                    CheckDlgButton(dlg, IDC_FORMAT_FIRST + i, (*d->found)[size_t(i)] ? BST_CHECKED : BST_UNCHECKED);
                    EnableWindow(GetDlgItem(dlg, IDC_FORMAT_FIRST + i), (*d->desired)[size_t(i)]);
                }
            } else {
                SetDlgItemTextA(dlg, IDC_BLANK_TEXT, d->text->c_str());
            }
            MessageBeep(MB_ICONEXCLAMATION);
            return TRUE;
        case WM_COMMAND:
            // The boxes only report; clicks on them change nothing.
            if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
                EndDialog(dlg, LOWORD(wp));
                return TRUE;
            }
            return FALSE;
        default: return FALSE;
    }
}

// "Change Icon": the file's icons in a one-row list that scrolls sideways.
struct ChangeIconData {
    std::string path;
    int index = 0;
    std::vector<HICON> icons;
    std::string listed;  // the file whose icons the list shows
};

void ReleaseListedIcons(ChangeIconData* d) {
    for (HICON h : d->icons)
        if (h) DestroyIcon(h);
    d->icons.clear();
}

void ListIcons(HWND dlg, ChangeIconData* d, const std::string& path, int select) {
    HWND list = GetDlgItem(dlg, IDC_ICONS);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    ReleaseListedIcons(d);
    d->listed = path;
    const UINT count = reinterpret_cast<UINT_PTR>(ExtractIconA(g_app.instance, path.c_str(), UINT(-1)));
    for (UINT i = 0; i < count; ++i) {
        HICON icon = ExtractIconA(g_app.instance, path.c_str(), i);
        if (reinterpret_cast<UINT_PTR>(icon) == 1) break;  // not a file with icons
        if (!icon) continue;
        d->icons.push_back(icon);
        const LRESULT item = SendMessageA(list, LB_ADDSTRING, 0, static_cast<LPARAM>(i));
        SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(i));
    }
    int at = 0;
    for (size_t k = 0; k < d->icons.size(); ++k)
        if (static_cast<int>(SendMessageA(list, LB_GETITEMDATA, k, 0)) == select) at = static_cast<int>(k);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
}

INT_PTR CALLBACK ChangeIconProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* d = DataOf<ChangeIconData>(dlg, msg, lp);
    const int cell = g_app.largeIconWidth + 16;
    switch (msg) {
        case WM_INITDIALOG: {
            SetDlgItemTextA(dlg, IDC_FILE_NAME, d->path.c_str());
            HWND list = GetDlgItem(dlg, IDC_ICONS);
            SendMessageA(list, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(cell), 0);
            // One row of icons with the horizontal scroll bar below it.
            RECT r;
            GetWindowRect(list, &r);
            MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
            RECT inner{0, 0, 0, g_app.largeIconHeight + 16};
            AdjustWindowRectEx(&inner, static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE)), FALSE,
                               static_cast<DWORD>(GetWindowLongA(list, GWL_EXSTYLE)));
            MoveWindow(list, r.left, r.top, r.right - r.left,
                       inner.bottom - inner.top + GetSystemMetrics(SM_CYHSCROLL), FALSE);
            ListIcons(dlg, d, d->path, d->index < 0 ? 0 : d->index);
            return TRUE;
        }
        case WM_MEASUREITEM: {
            auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
            m->itemWidth = static_cast<UINT>(cell);
            m->itemHeight = static_cast<UINT>(g_app.largeIconHeight + 16);
            SetWindowLongPtrA(dlg, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        case WM_DRAWITEM: {
            auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
            if (di->itemID == UINT(-1)) return TRUE;
            const bool selected = (di->itemState & ODS_SELECTED) != 0;
            FillRect(di->hDC, &di->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
            if (di->itemID < d->icons.size())
                DrawIconEx(di->hDC, di->rcItem.left + 8, di->rcItem.top + 8, d->icons[di->itemID],
                           g_app.largeIconWidth, g_app.largeIconHeight, 0, nullptr, DI_NORMAL);
            if (di->itemState & ODS_FOCUS) DrawFocusRect(di->hDC, &di->rcItem);
            return TRUE;
        }
        case WM_COMMAND:
            switch (LOWORD(wp)) {
                case IDC_BROWSE: {
                    std::string chosen;
                    if (BrowseForFile(dlg, false, &chosen)) {
                        SetDlgItemTextA(dlg, IDC_FILE_NAME, chosen.c_str());
                        ListIcons(dlg, d, chosen, 0);
                    }
                    return TRUE;
                }
                case IDC_ICONS:
                    if (HIWORD(wp) == LBN_DBLCLK) PostMessageA(dlg, WM_COMMAND, IDOK, 0);
                    return TRUE;
                case IDOK: {
                    char typed[MAX_PATH] = {}, expanded[MAX_PATH] = {};
                    GetDlgItemTextA(dlg, IDC_FILE_NAME, typed, sizeof typed);
                    DWORD n = ExpandEnvironmentStringsA(typed, expanded, sizeof expanded);
                    d->path = n > 0 && n <= sizeof expanded ? expanded : typed;
                    // The selected number belongs to the listed file; a name typed since then
                    // takes that file's first icon.
                    HWND list = GetDlgItem(dlg, IDC_ICONS);
                    const LRESULT sel = SendMessageA(list, LB_GETCURSEL, 0, 0);
                    d->index = sel == LB_ERR || lstrcmpiA(d->path.c_str(), d->listed.c_str()) != 0
                                   ? 0
                                   : static_cast<int>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(sel), 0));
                    EndDialog(dlg, IDOK);
                    return TRUE;
                }
                case IDCANCEL: EndDialog(dlg, IDCANCEL); return TRUE;
            }
            return FALSE;
        case WM_DESTROY:
            if (d) ReleaseListedIcons(d);
            return FALSE;
        default: return FALSE;
    }
}

INT_PTR CALLBACK QualityCheckProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* s = DataOf<QualitySettings>(dlg, msg, lp);
    auto enableBoxes = [dlg](bool on) {
        for (int i = 0; i < kQualityFormatCount; ++i) EnableWindow(GetDlgItem(dlg, IDC_DESIRED_FIRST + i), on);
    };
    switch (msg) {
        case WM_INITDIALOG:
            CheckDlgButton(dlg, IDC_CHECK_ICONS, s->checking ? BST_CHECKED : BST_UNCHECKED);
            for (int i = 0; i < kQualityFormatCount; ++i)
                CheckDlgButton(dlg, IDC_DESIRED_FIRST + i, s->desired[size_t(i)] ? BST_CHECKED : BST_UNCHECKED);
            enableBoxes(s->checking);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wp)) {
                case IDC_CHECK_ICONS: enableBoxes(IsDlgButtonChecked(dlg, IDC_CHECK_ICONS) == BST_CHECKED); return TRUE;
                case IDOK:
                    s->checking = IsDlgButtonChecked(dlg, IDC_CHECK_ICONS) == BST_CHECKED;
                    for (int i = 0; i < kQualityFormatCount; ++i)
                        s->desired[size_t(i)] = IsDlgButtonChecked(dlg, IDC_DESIRED_FIRST + i) == BST_CHECKED;
                    EndDialog(dlg, IDOK);
                    return TRUE;
                case IDCANCEL: EndDialog(dlg, IDCANCEL); return TRUE;
            }
            return FALSE;
        default: return FALSE;
    }
}

struct DepthData {
    int displayBits;
    int depth;
};

INT_PTR CALLBACK ColourDepthProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* d = DataOf<DepthData>(dlg, msg, lp);
    switch (msg) {
        case WM_INITDIALOG: {
            const ColourDepthDialogState st = OpenColourDepthDialog(d->displayBits, d->depth);
            SetDlgItemTextA(dlg, IDC_DEPTH_LIMIT, st.limitText.c_str());
            if (st.checkedButton) CheckRadioButton(dlg, IDC_DEPTH_4, IDC_DEPTH_24, st.checkedButton);
            for (int i = 0; i < 3; ++i) EnableWindow(GetDlgItem(dlg, IDC_DEPTH_4 + i), st.enabled[size_t(i)]);
            return TRUE;
        }
        case WM_COMMAND:
            switch (LOWORD(wp)) {
                case IDC_MORE_INFO: {
                    const std::string help = g_app.programFolder + "\\VANTORO.HLP>Second";
                    WinHelpA(dlg, help.c_str(), HELP_CONTEXT, 2);
                    return TRUE;
                }
                case IDOK:
                    d->depth = ColourDepthFromButtons(IsDlgButtonChecked(dlg, IDC_DEPTH_4) == BST_CHECKED,
                                                      IsDlgButtonChecked(dlg, IDC_DEPTH_16) == BST_CHECKED);
                    EndDialog(dlg, IDOK);
                    return TRUE;
                case IDCANCEL: EndDialog(dlg, IDCANCEL); return TRUE;
            }
            return FALSE;
        default: return FALSE;
    }
}

INT_PTR CALLBACK FaultyShellProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
        EndDialog(dlg, IDOK);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

bool EngineerDialogs::AskSavePath(std::string* path) {
    std::string chosen;
    if (!RunFileDialog(g_app.frame, true, "Save Motif File", "Vantoro Motif\0*.motif\0",
                       &g_app.settings.folderSave, OFN_OVERWRITEPROMPT, "motif", nullptr, &chosen))
        return false;
    *path = FixMotifExtension(chosen);
    return true;
}

ReplaceAnswer EngineerDialogs::AskReplace(const ReplaceQuestion& question) {
    ReplaceData data{&question};
    switch (RunModal(IDD_CONFIRM_REPLACE, g_app.frame, ReplaceProc, &data)) {
        case IDYES: return ReplaceAnswer::Yes;
        case IDC_YES_TO_ALL: return ReplaceAnswer::YesToAll;
        case IDNO: return ReplaceAnswer::No;
        default: return ReplaceAnswer::Cancel;
    }
}

bool EngineerDialogs::ConfirmBlankImage(const std::string& text) {
    WarningData data{&text, nullptr, nullptr};
    return RunModal(IDD_BLANK_WARNING, g_app.frame, WarningProc, &data) == IDOK;
}

bool EngineerDialogs::ConfirmMissingFormats(const std::string& text,
                                            const std::array<bool, kQualityFormatCount>& found,
                                            const std::array<bool, kQualityFormatCount>& desired) {
    WarningData data{&text, &found, &desired};
    return RunModal(IDD_QUALITY_WARNING, g_app.frame, WarningProc, &data) == IDOK;
}

bool EngineerDialogs::AskOpenPath(std::string* path) {
    return RunFileDialog(g_app.frame, false, "Open Motif File",
                         "Vantoro Motif, Microsoft Theme\0*.motif;*.theme\0", &g_app.settings.folderOpen,
                         OFN_FILEMUSTEXIST, "motif", nullptr, path);
}

bool BrowseForFile(HWND owner, bool cursors, std::string* path) {
    static const char kIconFilter[] =
        "Icon Files\0*.ico;*.icl;*.dll;*.exe\0Icons (*.ico)\0*.ico\0Libraries (*.icl,*.dll)\0"
        "*.icl;*.dll\0Programs (*.exe)\0*.exe\0";
    static const char kCursorFilter[] =
        "Cursor Files\0*.cur;*.ani\0Standard Cursors (*.cur)\0*.cur\0Animated Cursors (*.ani)\0"
        "*.ani\0";
    const std::string title = std::string("Browse for ") + (cursors ? g_app.words[3] : g_app.words[2]);
    return RunFileDialog(owner, false, title.c_str(), cursors ? kCursorFilter : kIconFilter,
                         &g_app.settings.folderBrowse, OFN_FILEMUSTEXIST, nullptr,
                         &g_app.browseFilter[cursors ? 1 : 0], path);
}

bool RunChangeIconDialog(HWND owner, std::string* path, int* index) {
    ChangeIconData data;
    data.path = *path;
    data.index = *index;
    if (RunModal(IDD_CHANGE_ICON, owner, ChangeIconProc, &data) != IDOK) return false;
    *path = data.path;
    *index = data.index;
    return true;
}

bool RunQualityCheckDialog(HWND owner, QualitySettings* settings) {
    QualitySettings edited = *settings;
    if (RunModal(IDD_QUALITY_CHECK, owner, QualityCheckProc, &edited) != IDOK) return false;
    *settings = edited;
    return true;
}

bool RunColourDepthDialog(HWND owner, int displayBits, int* depth) {
    DepthData data{displayBits, *depth};
    if (RunModal(IDD_COLOUR_DEPTH, owner, ColourDepthProc, &data) != IDOK) return false;
    *depth = data.depth;
    return true;
}

void ShowFaultyShellDialog(HWND owner) { RunModal(IDD_FAULTY_SHELL, owner, FaultyShellProc, nullptr); }

}  // namespace vt::engineer
