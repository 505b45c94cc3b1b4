#include "engineer/win32/main_dialog.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <cstdlib>

#include "engineer/engineer_dialog.h"
#include "engineer/engineer_frame.h"
#include "engineer/win32/engineer_app.h"
#include "engineer/win32/engineer_dialogs.h"
#include "engineer/win32/frame_window.h"
#include "engineer/win32/resource.h"

namespace vt::engineer {

namespace {

Engineer& Core() { return *g_app.core; }
SystemIcons& Icons() { return *g_app.icons; }
bool MotifMode() { return Core().mode == EngineerMode::Motif; }

void Show(HWND dlg, int id, bool on) { ShowWindow(GetDlgItem(dlg, id), on ? SW_SHOW : SW_HIDE); }
void Enable(HWND dlg, int id, bool on) { EnableWindow(GetDlgItem(dlg, id), on); }
void Check(HWND dlg, int id, bool on) { CheckDlgButton(dlg, id, on ? BST_CHECKED : BST_UNCHECKED); }
bool Checked(HWND dlg, int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }

}  // namespace

// Adds each face of the enumerated families to the face box once.
extern "C" __declspec(dllexport) int CALLBACK FontEnumeration(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM box) {
    HWND combo = reinterpret_cast<HWND>(box);
    if (SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(font->lfFaceName)) == CB_ERR)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(font->lfFaceName));
    return 1;
}

MainDialog* MainDialog::Create(HWND frame) {
    auto* self = new MainDialog;
    self->m_frame = frame;
    if (!CreateDialogParamA(g_app.instance, MAKEINTRESOURCEA(IDD_MAIN), frame, Proc,
                            reinterpret_cast<LPARAM>(self))) {
        delete self;
        return nullptr;
    }
    return self;
}

INT_PTR CALLBACK MainDialog::Proc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    MainDialog* self;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<MainDialog*>(lp);
        self->m_hwnd = dlg;
        SetWindowLongPtrA(dlg, DWLP_USER, lp);
    } else {
        self = reinterpret_cast<MainDialog*>(GetWindowLongPtrA(dlg, DWLP_USER));
    }
    if (!self) return FALSE;
    const INT_PTR r = self->OnMessage(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(dlg, DWLP_USER, 0);
        delete self;
    }
    return r;
}

SIZE MainDialog::Size() const {
    RECT r;
    GetWindowRect(m_hwnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

int MainDialog::SelectedRow() const {
    HWND list = GetDlgItem(m_hwnd, IDC_LIST);
    const LRESULT sel = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (sel == LB_ERR || m_page == kCategorySystem) return -1;
    return static_cast<int>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(sel), 0));
}

INT_PTR MainDialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG: OnInit(); return TRUE;
        case WM_COMMAND: OnCommand(LOWORD(wp), HIWORD(wp)); return TRUE;
        case WM_NOTIFY: {
            const auto* n = reinterpret_cast<NMHDR*>(lp);
            if (n->idFrom == IDC_TABS && n->code == TCN_SELCHANGE) {
                const int tab = static_cast<int>(SendDlgItemMessageA(m_hwnd, IDC_TABS, TCM_GETCURSEL, 0, 0));
                SelectPage(CategoryOfTab(Core().mode, tab));
            }
            return TRUE;
        }
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = static_cast<UINT>(m_itemHeight);
            return TRUE;
        case WM_DRAWITEM: DrawRow(*reinterpret_cast<DRAWITEMSTRUCT*>(lp)); return TRUE;
        case WM_CLOSE:
            // Closing the dialog closes the frame, which asks before anything is lost.
            PostMessageA(m_frame, WM_CLOSE, 0, 0);
            return TRUE;
        default: return FALSE;
    }
}

void MainDialog::OnInit() {
    // The core repaints the list through this when it rebuilds the rows' icons.
    Core().redrawList = [this] { InvalidateRect(GetDlgItem(m_hwnd, IDC_LIST), nullptr, FALSE); };
    SetItemHeight();
    // The page's labels and boxes sit on the tab control and are drawn in the button face colour:
    // the tab control draws its page in the same colour rather than a theme's.
    SetWindowTheme(GetDlgItem(m_hwnd, IDC_TABS), L" ", L" ");
    SendDlgItemMessageA(m_hwnd, IDC_LIST, WM_SETFONT, reinterpret_cast<WPARAM>(g_app.listFont), FALSE);
    for (int id : {IDC_FACE, IDC_FONT_SIZE})
        SendDlgItemMessageA(m_hwnd, id, WM_SETFONT, reinterpret_cast<WPARAM>(g_app.comboFont), FALSE);
    for (int id : {IDC_HSPACING_UPDOWN, IDC_VSPACING_UPDOWN})
        SendDlgItemMessageA(m_hwnd, id, UDM_SETRANGE32, 0, 150);
    HWND face = GetDlgItem(m_hwnd, IDC_FACE);
    LOGFONTA all{};
    all.lfCharSet = DEFAULT_CHARSET;
    HDC dc = GetDC(m_hwnd);
    EnumFontFamiliesExA(dc, &all, reinterpret_cast<FONTENUMPROCA>(FontEnumeration),
                        reinterpret_cast<LPARAM>(face), 0);
    ReleaseDC(m_hwnd, dc);
    ShowSystemValues();
    ShowMode();
}

void MainDialog::ShowMode() {
    const ModeLayout layout = LayoutOf(Core().mode);
    BuildTabs();
    Show(m_hwnd, IDC_APPLY, layout.applyShown);
    Show(m_hwnd, IDC_RESET_ALL, layout.applyShown);
    for (int id : {IDC_NEW, IDC_SAVE, IDC_SAVE_AS}) Show(m_hwnd, id, layout.motifButtonsShown);
    SetDlgItemTextA(m_hwnd, IDC_CATEGORY_GROUP, LoadText(layout.groupCaptionId).c_str());
    // Item heights go back to the large icon size; the first page of the mode is shown.
    SelectPage(layout.tabs.front());
}

void MainDialog::BuildTabs() {
    HWND tabs = GetDlgItem(m_hwnd, IDC_TABS);
    SendMessageA(tabs, TCM_DELETEALLITEMS, 0, 0);
    int tab = 0;
    for (int c : PageTabs(Core().mode)) {
        std::string name = LoadText(kCategoryNameIdBase + c);
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = name.data();
        SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(tab++), reinterpret_cast<LPARAM>(&item));
    }
}

void MainDialog::SelectPage(int page) {
    const ModeLayout layout = LayoutOf(Core().mode);
    m_page = page;
    SetWindowWord(m_frame, 0, static_cast<WORD>(page));
    SendDlgItemMessageA(m_hwnd, IDC_TABS, TCM_SETCURSEL, static_cast<WPARAM>(TabOfCategory(Core().mode, page)), 0);
    const bool system = page == kCategorySystem;
    for (int id = IDC_SYSTEM_FIRST; id <= IDC_SYSTEM_LAST; ++id)
        if (HWND c = GetDlgItem(m_hwnd, id)) ShowWindow(c, system ? SW_SHOW : SW_HIDE);
    for (int id : {IDC_LIST, IDC_USE_DEFAULT, IDC_CHANGE}) Show(m_hwnd, id, !system);
    Show(m_hwnd, IDC_CLEAR_UPDATE, !system && layout.clearUpdateShown);
    Show(m_hwnd, IDC_CATEGORY_FIRST, layout.systemBoxShown);
    if (system) {
        if (g_app.frameWindow) g_app.frameWindow->ClearStatus();
        Refresh();
        return;
    }
    SetItemHeight();
    FillList();
}

int MainDialog::IconSize() const {
    return ItemIconSize(m_page, g_app.largeIconHeight, g_app.cursorIconSize);
}

void MainDialog::SetItemHeight() {
    m_itemHeight = ListItemHeight(IconSize());
    SetWindowWord(m_frame, 2, static_cast<WORD>(m_itemHeight));
    SendDlgItemMessageA(m_hwnd, IDC_LIST, LB_SETITEMHEIGHT, 0, m_itemHeight);
}

void MainDialog::FillList() {
    HWND list = GetDlgItem(m_hwnd, IDC_LIST);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (int r : vt::FillList(Core(), m_page)) {
        const LRESULT item = SendMessageA(list, LB_ADDSTRING, 0, static_cast<LPARAM>(r));
        SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(r));
    }
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    Refresh();
    ShowStatus();
}

void MainDialog::DrawRow(const DRAWITEMSTRUCT& di) {
    if (di.CtlID != IDC_LIST || di.itemID == UINT(-1)) return;
    const int row = static_cast<int>(di.itemData);
    if (row < 0 || row >= Icons().rowCount()) return;
    const SystemObject& o = Icons().row(row);
    const bool selected = (di.itemState & ODS_SELECTED) != 0;
    HDC dc = di.hDC;
    RECT rc = di.rcItem;
    FillRect(dc, &rc, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const int unit = g_app.textUnit;
    const int iconColumn = rc.right - g_app.largeIconWidth * 5 / 4;
    // The name, word-wrapped and centred between the left margin and the mark.
    RECT text{rc.left + 3 * unit, rc.top, iconColumn - 32 - 3 * unit, rc.bottom};
    RECT measure = text;
    HGDIOBJ old = SelectObject(dc, g_app.listFont);
    DrawTextA(dc, o.displayName.c_str(), -1, &measure, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
    const int h = measure.bottom - measure.top;
    text.top += (rc.bottom - rc.top - h) / 2;
    text.bottom = text.top + h;
    DrawTextA(dc, o.displayName.c_str(), -1, &text, DT_CENTER | DT_WORDBREAK);
    SelectObject(dc, old);
    const bool changed = MotifMode() ? o.chosenSlot != 0 : o.pending;
    if (changed) {
        const bool included = Core().categoryTicked[static_cast<size_t>(o.category)];
        DrawIconEx(dc, iconColumn - 32, rc.top + (rc.bottom - rc.top - 16) / 2,
                   included ? g_app.markIncluded : g_app.markExcluded, 16, 16, 0, nullptr, DI_NORMAL);
    }
    const int size = IconSize();
    const IconHandle icon = size == g_app.smallIconHeight && o.smallIcon ? o.smallIcon : o.largeIcon;
    if (icon)
        DrawIconEx(dc, iconColumn, rc.top + size / 4, reinterpret_cast<HICON>(icon), size, size, 0,
                   nullptr, DI_NORMAL);
    if (di.itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
}

void MainDialog::ShowSystemValues() {
    m_filling = true;
    const SystemSettings& s = Core().next;
    SetDlgItemTextA(m_hwnd, IDC_COLOURS_LABEL, ColourDepthLabel(s.colourDepth).c_str());
    Check(m_hwnd, IDC_LARGE_ICONS, s.largeIcons);
    Check(m_hwnd, IDC_OVERLAYS, s.shortcutOverlays);
    m_lastSpacing[0] = ShownSpacing(s.metrics.horizontalSpacing, g_app.largeIconWidth);
    m_lastSpacing[1] = ShownSpacing(s.metrics.verticalSpacing, g_app.largeIconHeight);
    SendDlgItemMessageA(m_hwnd, IDC_HSPACING_UPDOWN, UDM_SETPOS32, 0, m_lastSpacing[0]);
    SendDlgItemMessageA(m_hwnd, IDC_VSPACING_UPDOWN, UDM_SETPOS32, 0, m_lastSpacing[1]);
    SetDlgItemInt(m_hwnd, IDC_HSPACING, static_cast<UINT>(m_lastSpacing[0]), TRUE);
    SetDlgItemInt(m_hwnd, IDC_VSPACING, static_cast<UINT>(m_lastSpacing[1]), TRUE);
    SendDlgItemMessageA(m_hwnd, IDC_FACE, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(s.metrics.font.faceName.c_str()));
    FillSizes();
    Check(m_hwnd, IDC_BOLD, s.metrics.font.weight > 500);
    Check(m_hwnd, IDC_ITALIC, s.metrics.font.italic != 0);
    m_filling = false;
}

namespace {

struct VariantList {
    bool trueType = false;
    std::vector<FontVariant> variants;
};

int CALLBACK CollectVariant(const LOGFONTA* font, const TEXTMETRICA* metric, DWORD type, LPARAM lp) {
    auto* list = reinterpret_cast<VariantList*>(lp);
    if (type & TRUETYPE_FONTTYPE) list->trueType = true;
    list->variants.push_back({font->lfHeight, metric->tmInternalLeading});
    return 1;
}

// The internal leading of the title font, for a height given as a cell height.
int InternalLeading(const TitleFont& f) {
    LOGFONTA lf{};
    lf.lfHeight = f.height;
    lf.lfWeight = f.weight;
    lf.lfItalic = f.italic;
    lf.lfCharSet = f.charSet;
    lstrcpynA(lf.lfFaceName, f.faceName.c_str(), LF_FACESIZE);
    HFONT font = CreateFontIndirectA(&lf);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return tm.tmInternalLeading;
}

}  // namespace

void MainDialog::FillSizes() {
    const TitleFont& font = Core().next.metrics.font;
    VariantList list;
    LOGFONTA face{};
    face.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(face.lfFaceName, font.faceName.c_str(), LF_FACESIZE);
    HDC dc = GetDC(m_hwnd);
    EnumFontFamiliesExA(dc, &face, CollectVariant, reinterpret_cast<LPARAM>(&list), 0);
    ReleaseDC(m_hwnd, dc);
    HWND sizes = GetDlgItem(m_hwnd, IDC_FONT_SIZE);
    SendMessageA(sizes, CB_RESETCONTENT, 0, 0);
    for (int points : FontSizes(list.trueType, list.variants, g_app.pixelsPerInch)) {
        const std::string text = std::to_string(points);
        const LRESULT at = SendMessageA(sizes, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageA(sizes, CB_SETITEMDATA, static_cast<WPARAM>(at), points);
    }
    const int leading = font.height > 0 ? InternalLeading(font) : 0;
    const std::string current = std::to_string(PointsOfHeight(font.height, leading, g_app.pixelsPerInch));
    SendMessageA(sizes, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(current.c_str()));
}

void MainDialog::OnSpacing(int id) {
    const int which = id == IDC_HSPACING ? 0 : 1;
    char text[32] = {};
    GetDlgItemTextA(m_hwnd, id, text, sizeof text);
    const SpacingEdit edit = ReadSpacingEdit(text, m_lastSpacing[which]);
    if (edit.beep) MessageBeep(0);
    m_lastSpacing[which] = edit.shown;
    m_filling = true;
    if (edit.rewrite) SetDlgItemInt(m_hwnd, id, static_cast<UINT>(edit.shown), TRUE);
    SendDlgItemMessageA(m_hwnd, id == IDC_HSPACING ? IDC_HSPACING_UPDOWN : IDC_VSPACING_UPDOWN, UDM_SETPOS32, 0,
                        edit.shown);
    m_filling = false;
    IconMetrics& m = Core().next.metrics;
    if (which == 0)
        m.horizontalSpacing = SpacingFromShown(edit.shown, g_app.largeIconWidth);
    else
        m.verticalSpacing = SpacingFromShown(edit.shown, g_app.largeIconHeight);
    EvaluateSystemPage();
}

void MainDialog::OnFontChoice(int id) {
    if (id == IDC_FACE) {
        HWND face = GetDlgItem(m_hwnd, IDC_FACE);
        const LRESULT sel = SendMessageA(face, CB_GETCURSEL, 0, 0);
        if (sel == CB_ERR) return;
        char name[LF_FACESIZE] = {};
        if (SendMessageA(face, CB_GETLBTEXTLEN, static_cast<WPARAM>(sel), 0) < LF_FACESIZE)
            SendMessageA(face, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(name));
        Core().next.metrics.font.faceName = name;
        m_filling = true;
        FillSizes();
        m_filling = false;
    } else if (id == IDC_FONT_SIZE) {
        HWND sizes = GetDlgItem(m_hwnd, IDC_FONT_SIZE);
        const LRESULT sel = SendMessageA(sizes, CB_GETCURSEL, 0, 0);
        if (sel == CB_ERR) return;
        SetTitleFontSize(Core(), static_cast<int>(SendMessageA(sizes, CB_GETITEMDATA, static_cast<WPARAM>(sel), 0)),
                         g_app.pixelsPerInch);
    } else {
        SetTitleFontStyle(Core(), Checked(m_hwnd, IDC_BOLD), Checked(m_hwnd, IDC_ITALIC));
    }
    EvaluateSystemPage();
}

void MainDialog::OnCommand(int id, int code) {
    if (m_filling) return;
    switch (id) {
        case IDC_LIST:
            if (code == LBN_SELCHANGE) {
                Refresh();
                ShowStatus();
            } else if (code == LBN_DBLCLK) {
                OnChange();
            }
            return;
        case IDC_CHANGE: OnChange(); return;
        case IDC_USE_DEFAULT: OnUseDefault(); return;
        case IDC_CLEAR_UPDATE: OnClearUpdate(); return;
        case IDC_APPLY: OnApply(); return;
        case IDC_RESET_ALL: OnResetAll(); return;
        case IDC_NEW: SendMessageA(m_frame, WM_COMMAND, IDM_NEW, 0); return;
        case IDC_SAVE: SendMessageA(m_frame, WM_COMMAND, IDM_SAVE, 0); return;
        case IDC_SAVE_AS: SendMessageA(m_frame, WM_COMMAND, IDM_SAVE_AS, 0); return;
        case IDC_COLOURS_BUTTON: OnColourDepth(); return;
        case IDC_LARGE_ICONS:
            Core().next.largeIcons = Checked(m_hwnd, IDC_LARGE_ICONS);
            EvaluateSystemPage();
            return;
        case IDC_OVERLAYS:
            Core().next.shortcutOverlays = Checked(m_hwnd, IDC_OVERLAYS);
            EvaluateSystemPage();
            return;
        case IDC_HSPACING:
        case IDC_VSPACING:
            if (code == EN_CHANGE) OnSpacing(id);
            return;
        case IDC_FACE:
        case IDC_FONT_SIZE:
            if (code == CBN_SELCHANGE) OnFontChoice(id);
            return;
        case IDC_BOLD:
        case IDC_ITALIC: OnFontChoice(id); return;
        default:
            if (id >= IDC_CATEGORY_FIRST && id < IDC_CATEGORY_FIRST + kCategoryCount) {
                Core().categoryTicked[static_cast<size_t>(id - IDC_CATEGORY_FIRST)] = Checked(m_hwnd, id);
                Refresh();
            }
            return;
    }
}

void MainDialog::OnChange() {
    const int row = SelectedRow();
    if (row < 0) return;
    const SystemObject& o = Icons().row(row);
    std::string path;
    int index = 0;
    if (o.isCursor()) {
        if (!BrowseForFile(m_frame, true, &path)) return;
        TakeFile(row, path, 0);
        return;
    }
    Icons().ResolveLocation(o.location, &path, &index);
    if (!RunChangeIconDialog(m_frame, &path, &index)) return;
    TakeFile(row, path, index);
}

void MainDialog::TakeFile(int row, const std::string& path, int index) {
    if (!ChangeRow(Core(), *g_app.dialogs, g_app.settings.quality, row, path, index)) return;
    Refresh();
    ShowStatus();
}

void MainDialog::OnUseDefault() {
    const int row = SelectedRow();
    if (row < 0) return;
    UseDefault(Core(), row);
    Refresh();
    ShowStatus();
}

void MainDialog::OnClearUpdate() {
    const int row = SelectedRow();
    if (row < 0) return;
    Core().ClearUpdate(row);
    Refresh();
    ShowStatus();
}

void MainDialog::OnApply() {
    if (Icons().facts().faultyNtShell) {
        ShowFaultyShellDialog(m_frame);
        return;
    }
    HCURSOR old = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    // A changed icon size reaches the frame as a setting change while Apply runs.
    Core().ApplyChanges();
    SetCursor(old);
    ShowSystemValues();
    // The written values are the current ones now: the System box follows.
    EvaluateSystemPage();
    ShowStatus();
}

void MainDialog::OnResetAll() {
    ResetAll(Core());
    ShowSystemValues();
    Refresh();
    ShowStatus();
}

void MainDialog::OnColourDepth() {
    int depth = Core().next.colourDepth;
    if (!RunColourDepthDialog(m_frame, g_app.displayBits, &depth)) return;
    Core().next.colourDepth = depth;
    SetDlgItemTextA(m_hwnd, IDC_COLOURS_LABEL, ColourDepthLabel(depth).c_str());
    EvaluateSystemPage();
}

void MainDialog::EvaluateSystemPage() {
    vt::EvaluateSystemPage(Core());
    Refresh();
}

void MainDialog::Refresh() {
    const DialogControls c = EvaluateControls(Core(), SelectedRow());
    Enable(m_hwnd, IDC_USE_DEFAULT, c.useDefault);
    Enable(m_hwnd, IDC_CHANGE, c.change);
    Enable(m_hwnd, IDC_CLEAR_UPDATE, c.clearUpdate);
    for (size_t k = 0; k < kCategoryCount; ++k) {
        Enable(m_hwnd, IDC_CATEGORY_FIRST + static_cast<int>(k), c.boxEnabled[k]);
        Check(m_hwnd, IDC_CATEGORY_FIRST + static_cast<int>(k), c.boxTicked[k]);
    }
    Enable(m_hwnd, IDC_APPLY, c.apply);
    Enable(m_hwnd, IDC_RESET_ALL, c.resetAll);
    Enable(m_hwnd, IDC_NEW, c.newMotif);
    Enable(m_hwnd, IDC_SAVE, c.saveMotif);
    Enable(m_hwnd, IDC_SAVE_AS, c.saveMotifAs);
    InvalidateRect(GetDlgItem(m_hwnd, IDC_LIST), nullptr, FALSE);
    if (g_app.frameWindow) g_app.frameWindow->RefreshFrame();
}

std::string MainDialog::StatusText() const {
    const int row = SelectedRow();
    return row < 0 ? std::string() : RowStatusText(Icons().row(row));
}

void MainDialog::ShowStatus() {
    if (g_app.frameWindow) g_app.frameWindow->ShowRowStatus();
}

void MainDialog::Reload() {
    if (m_page == kCategorySystem) {
        ShowSystemValues();
        Refresh();
        return;
    }
    const int row = SelectedRow();
    FillList();
    if (row >= 0) SelectRow(row);
}

void MainDialog::FollowIconSize() {
    g_app.largeIconWidth = GetSystemMetrics(SM_CXICON);
    g_app.largeIconHeight = GetSystemMetrics(SM_CYICON);
    if (m_page == kCategorySystem) return;
    SetItemHeight();
    FillList();
}

std::optional<int> MainDialog::RowAt(POINT screen) const {
    if (m_page == kCategorySystem) return std::nullopt;
    HWND list = GetDlgItem(m_hwnd, IDC_LIST);
    POINT p = screen;
    ScreenToClient(list, &p);
    RECT client;
    GetClientRect(list, &client);
    if (p.x < client.left || p.x >= client.right) return std::nullopt;
    const auto entry = DropEntry(static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0)), p.y,
                                 static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0)),
                                 static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)), client.bottom);
    if (!entry) return std::nullopt;
    return static_cast<int>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(*entry), 0));
}

void MainDialog::SelectRow(int row) {
    HWND list = GetDlgItem(m_hwnd, IDC_LIST);
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (static_cast<int>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0)) == row)
            SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
    Refresh();
    ShowStatus();
}

}  // namespace vt::engineer
