#include "librarian/win32/frame_window.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dde.h>

#include <algorithm>

#include "appservices/win32/vtapp.h"
#include "common/win32/frame_bars.h"
#include "common/win32/menu_state_query.h"
#include "common/win32/program_launch.h"
#include "librarian/frame_rules.h"
#include "librarian/icon_file_writer.h"
#include "librarian/open_file.h"
#include "librarian/program_update.h"
#include "librarian/reader.h"
#include "librarian/win32/file_dialogs.h"
#include "librarian/win32/librarian_settings.h"
#include "librarian/win32/resource.h"
#include "librarian/win32/test_gate.h"

namespace vt::librarian {

namespace {

constexpr char kMenuName[] = "ZERIVIZ";
constexpr UINT kRunTestDrop = WM_APP + 1;
constexpr char kSessionsActive[] =
    "One or more edit sessions are still active in Studio.\n\nSelect OK to terminate edit sessions.  "
    "Select Cancel to return to your work.";
constexpr char kSessionsOnClose[] = "Edit session(s) still active.  Do you still wish to close?";

std::string LoadText(int id) {
    char text[512] = {};
    LoadStringA(g_app.instance, static_cast<UINT>(id), text, sizeof text);
    return text;
}

// The wait cursor for as long as a long read or search runs.
class WaitCursor {
  public:
    WaitCursor() : m_old(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(m_old); }

  private:
    HCURSOR m_old;
};

// Separator, New, Open, Save (enabled with changes), separator, the four views.
constexpr BarButton kToolButtons[] = {kBarSeparator,
                                      {0, IDM_FILE_NEW, true, false},
                                      {1, IDM_FILE_OPEN, true, false},
                                      {2, IDM_FILE_SAVE, false, false},
                                      kBarSeparator,
                                      {3, IDM_VIEW_SPECIFIC, true, true},
                                      {4, IDM_VIEW_RAW, true, true},
                                      {5, IDM_VIEW_DESKTOP, true, true},
                                      {6, IDM_VIEW_WINDOWS, true, true}};
constexpr int kToolImages = 7;

// Tab in the box hands the focus back to the frame; tool-tip mouse messages go to the tips.
WNDPROC g_boxProc = nullptr;
LRESULT CALLBACK FormatBoxProc(HWND box, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_KEYDOWN && wp == VK_TAB) {
        SetFocus(g_app.frame);
        return 0;
    }
    if (msg == WM_GETDLGCODE) return CallWindowProcA(g_boxProc, box, msg, wp, lp) | DLGC_WANTTAB;
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
        if (HWND tips = reinterpret_cast<HWND>(SendMessageA(GetParent(box), TB_GETTOOLTIPS, 0, 0))) {
            MSG m{box, msg, wp, lp, 0, {}};
            SendMessageA(tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
        }
    }
    return CallWindowProcA(g_boxProc, box, msg, wp, lp);
}

}  // namespace

bool FrameWindow::Register(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hIcon = g_app.icon;
    wc.hIconSm = g_app.smallIcon;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszMenuName = kMenuName;
    wc.lpszClassName = kFrameClass;
    return RegisterClassExA(&wc) != 0;
}

FrameWindow* FrameWindow::Create(HINSTANCE instance, bool defaultPlace) {
    auto* self = new FrameWindow;
    const LibrarianState& s = g_app.state;
    const bool place = !defaultPlace && s.hasPlace;
    HWND hwnd = CreateWindowExA(0, kFrameClass, kProgramTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                place ? s.x : CW_USEDEFAULT, place ? s.y : CW_USEDEFAULT,
                                place ? s.width : CW_USEDEFAULT, place ? s.height : CW_USEDEFAULT,
                                nullptr, nullptr, instance, self);
    if (!hwnd) return nullptr;  // deleted at WM_NCDESTROY
    return self;
}

LRESULT CALLBACK FrameWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DispatchToWindow<FrameWindow>(hwnd, msg, wp, lp, kProgramTitle);
}

LRESULT FrameWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == MenuStateQueryMessage()) {
        RefreshCommandStates();
        return AnswerMenuStateQuery(m_hwnd, wp);
    }
    if (msg >= WM_DDE_FIRST && msg <= WM_DDE_LAST)
        return g_app.exchange->OnDdeMessage(m_hwnd, msg, wp, lp);
    switch (msg) {
        case WM_CREATE: OnCreate(); return 0;
        case WM_SIZE: Layout(); return 0;
        case WM_COMMAND: {
            // A command may run a modal dialog while a close is asked for; the close waits.
            m_closeGuard.Begin();
            OnCommand(LOWORD(wp), HIWORD(wp));
            m_closeGuard.End(m_hwnd);
            return 0;
        }
        case WM_SETFOCUS:
            if (g_app.view) SetFocus(g_app.view->hwnd());
            return 0;
        case WM_INITMENUPOPUP: RefreshCommandStates(); return 0;
        case WM_NOTIFY: return OnNotify(reinterpret_cast<NMHDR*>(lp));
        case WM_COPYDATA: return OnCopyData(*reinterpret_cast<COPYDATASTRUCT*>(lp));
        case WM_QUERYENDSESSION: {
            // Only the save question: the session may end while the Studio still edits.
            if (!g_app.workspace.modified()) return TRUE;
            m_closeGuard.Begin();
            const bool ok = ConfirmReplaceAfterSessions();
            m_closeGuard.EndQuietly();
            return ok;
        }
        case kRunTestDrop:
            m_closeGuard.Begin();
            RunTestDrop();
            m_closeGuard.End(m_hwnd);
            return 0;
        case WM_ENABLE:
            // A close asked for while a message box or dialog had the frame disabled.
            m_closeGuard.OnEnable(m_hwnd, wp != 0);
            return 0;
        case WM_ENDSESSION:
            // The session ends without destroying the window: the settings are kept and the
            // workspace file goes now.
            if (wp) {
                RememberState();
                StoreSettings();
                g_app.workspace.Discard();
            }
            return 0;
        case WM_CLOSE: OnClose(); return 0;
        case WM_DESTROY: OnDestroy(); return 0;
        default: return DefWindowProcA(m_hwnd, msg, wp, lp);
    }
}

void FrameWindow::OnCreate() {
    g_app.frame = m_hwnd;
    g_app.services = this;
    m_prompt = std::make_unique<MessageBoxPrompt>(m_hwnd, kProgramTitle);
    m_toolBarShown = !g_app.state.toolbarHidden;
    m_statusBarShown = !g_app.state.statusBarHidden;
    CreateBars();
    g_app.view = CreateIconView(m_hwnd, *this);
    // The Help menu gains the support item and a separator before About.
    HMENU menu = GetMenu(m_hwnd);
    const std::string support = LoadText(IDS_SUPPORT_ITEM);
    InsertMenuA(menu, IDM_HELP_ABOUT, MF_BYCOMMAND | MF_STRING, IDM_HELP_SUPPORT, support.c_str());
    InsertMenuA(menu, IDM_HELP_ABOUT, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr);
    UpdateRecentMenu();
}

void FrameWindow::CreateBars() {
    m_toolBar = CreateFrameToolBar(m_hwnd, g_app.instance, IDC_TOOLBAR, IDB_TOOLBAR, kToolImages, kToolButtons);
    if (m_toolBar) {
        // The box: as wide as "1024x1024, 256 colors", eight lines high, 20 pixels after the buttons.
        RECT last{};
        SendMessageA(m_toolBar, TB_GETITEMRECT, std::size(kToolButtons) - 1, reinterpret_cast<LPARAM>(&last));
        HDC dc = GetDC(m_hwnd);
        HGDIOBJ old = g_app.dialogFont ? SelectObject(dc, g_app.dialogFont) : nullptr;
        SIZE text{};
        GetTextExtentPoint32A(dc, "1024x1024, 256 colors", 21, &text);
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        if (old) SelectObject(dc, old);
        ReleaseDC(m_hwnd, dc);
        const int width = text.cx + GetSystemMetrics(SM_CXVSCROLL) + 8;
        m_formatBox = CreateWindowExA(0, WC_COMBOBOXA, nullptr,
                                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
                                      last.right + 20, 1, width, tm.tmHeight * 9, m_toolBar,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_FORMAT_BOX)),
                                      g_app.instance, nullptr);
        if (m_formatBox) {
            if (g_app.dialogFont)
                SendMessageA(m_formatBox, WM_SETFONT, reinterpret_cast<WPARAM>(g_app.dialogFont), FALSE);
            g_boxProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(m_formatBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FormatBoxProc)));
            if (HWND tips = reinterpret_cast<HWND>(SendMessageA(m_toolBar, TB_GETTOOLTIPS, 0, 0))) {
                TOOLINFOA ti{};
                ti.cbSize = sizeof ti;
                ti.uFlags = TTF_IDISHWND;
                ti.hwnd = m_hwnd;
                ti.uId = reinterpret_cast<UINT_PTR>(m_formatBox);
                ti.lpszText = LPSTR_TEXTCALLBACKA;
                SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
            }
        }
        if (m_toolBarShown) ShowWindow(m_toolBar, SW_SHOW);
    }
    m_statusBar = CreateFrameStatusBar(m_hwnd, g_app.instance, IDC_STATUSBAR, g_app.statusFont);
    if (m_statusBar && m_statusBarShown) ShowWindow(m_statusBar, SW_SHOW);
}

void FrameWindow::Start(const std::string& commandLinePath) {
    Layout();
    ShowWindow(m_hwnd, SW_SHOW);
    UpdateWindow(m_hwnd);
    SetView(g_app.state.view);
    if (!commandLinePath.empty()) {
        const int kind = DetectFileKind(commandLinePath, ProposedKind(OpenType::IconFiles, commandLinePath));
        OpenPath(commandLinePath, kind, true);
    } else {
        g_app.workspace.New();
        g_app.saveState = {};
        g_app.fileTitle.clear();
        AfterReplace(FormatBoxCause::Opened);
    }
    if (g_app.view) SetFocus(g_app.view->hwnd());
}

void FrameWindow::Layout() {
    int top = 0, bottom = 0;
    RECT client;
    GetClientRect(m_hwnd, &client);
    if (m_toolBar) {
        SendMessageA(m_toolBar, TB_AUTOSIZE, 0, 0);
        if (m_toolBarShown) {
            RECT r;
            GetWindowRect(m_toolBar, &r);
            top = r.bottom - r.top;
        }
    }
    if (m_statusBar) {
        SendMessageA(m_statusBar, WM_SIZE, 0, 0);
        if (m_statusBarShown) {
            RECT r;
            GetWindowRect(m_statusBar, &r);
            bottom = r.bottom - r.top;
        }
        if (m_searchStatus) {
            // Kept as the search set them.
        } else {
            ShowNormalStatus();
        }
    }
    if (g_app.view)
        MoveWindow(g_app.view->hwnd(), 0, top, client.right, std::max(0, static_cast<int>(client.bottom) - top - bottom),
                   TRUE);
}

// --- status bar ---

void FrameWindow::SetStatusParts(const std::vector<std::string>& texts) {
    if (!m_statusBar) return;
    HDC dc = GetDC(m_statusBar);
    HGDIOBJ old = g_app.statusFont ? SelectObject(dc, g_app.statusFont) : nullptr;
    // Each part as wide as its text and a gap of three blanks; the last takes the rest.
    SIZE gap{};
    GetTextExtentPoint32A(dc, "   ", 3, &gap);
    std::vector<int> edges;
    int x = 0;
    for (size_t i = 0; i < texts.size(); ++i) {
        SIZE s{};
        GetTextExtentPoint32A(dc, texts[i].c_str(), static_cast<int>(texts[i].size()), &s);
        x += s.cx + gap.cx + 2 * GetSystemMetrics(SM_CXEDGE);
        edges.push_back(i + 1 == texts.size() ? -1 : x);
    }
    if (old) SelectObject(dc, old);
    ReleaseDC(m_statusBar, dc);
    SendMessageA(m_statusBar, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (size_t i = 0; i < texts.size(); ++i)
        SendMessageA(m_statusBar, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(texts[i].c_str()));
}

void FrameWindow::ShowNormalStatus() {
    const Workspace& ws = g_app.workspace;
    const size_t count = ws.iconCount();
    const size_t selected = ws.Selection().size();
    std::string objects = count == 1 ? LoadText(IDS_ONE_OBJECT)
                                     : Format(LoadText(IDS_N_OBJECTS).c_str(),
                                              WithThousands(count, g_app.thousands).c_str());
    std::string chosen = selected == 1 ? LoadText(IDS_ONE_SELECTED)
                                       : Format(LoadText(IDS_N_SELECTED).c_str(),
                                                WithThousands(selected, g_app.thousands).c_str());
    // The first part is as wide as the widest count it could show, so it does not jump.
    const std::string widest = Format(LoadText(IDS_N_OBJECTS).c_str(), "88,888");
    SetStatusParts({objects.size() < widest.size() ? widest : objects, chosen});
    SendMessageA(m_statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(objects.c_str()));
}

// --- title, menus, commands ---

void FrameWindow::UpdateTitle() {
    const std::string file = g_app.fileTitle.empty() ? LoadText(IDS_UNTITLED) : g_app.fileTitle;
    SetWindowTextA(m_hwnd, Format("%s- %s", kProgramTitle, file.c_str()).c_str());
}

void FrameWindow::UpdateRecentMenu() {
    HMENU file = GetSubMenu(GetMenu(m_hwnd), 0);
    if (!file) return;
    for (int id = IDM_FILE_MRU1; id <= IDM_FILE_MRU4; ++id) DeleteMenu(file, id, MF_BYCOMMAND);
    // The separator after Exit goes with the last entry.
    const int count = GetMenuItemCount(file);
    if (count > 0 && GetMenuItemID(file, count - 1) == 0 &&
        (GetMenuState(file, count - 1, MF_BYPOSITION) & MF_SEPARATOR))
        DeleteMenu(file, count - 1, MF_BYPOSITION);
    const auto& entries = g_app.mru.entries();
    if (entries.empty()) return;
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof folder, folder);
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string label = MruList::Label(static_cast<int>(i + 1), entries[i].path, folder);
        AppendMenuA(file, MF_STRING, IDM_FILE_MRU1 + i, label.c_str());
    }
}

bool FrameWindow::OneSelected(size_t* index) const {
    const std::vector<size_t> sel = g_app.workspace.Selection();
    if (sel.size() != 1) return false;
    if (index) *index = sel[0];
    return true;
}

void FrameWindow::RefreshCommandStates() {
    HMENU menu = GetMenu(m_hwnd);
    const LibrarianMenuFacts facts =
        MenuFactsOf(g_app.workspace, g_app.state.view, m_toolBarShown, m_statusBarShown);
    for (int id : {IDM_FILE_SAVE, IDM_EDIT_RENAME, IDM_EDIT_COPY, IDM_EDIT_DELETE, IDM_EDIT_EDIT_ICON,
                   IDM_EDIT_INSTALL, IDM_ARRANGE_FORMAT})
        EnableMenuItem(menu, id, MF_BYCOMMAND | (LibrarianCommandState(id, facts).enabled ? MF_ENABLED : MF_GRAYED));
    for (int id : {IDM_VIEW_TOOLBAR, IDM_VIEW_STATUSBAR})
        CheckMenuItem(menu, id, MF_BYCOMMAND | (LibrarianCommandState(id, facts).checked ? MF_CHECKED : MF_UNCHECKED));
    for (int id = IDM_VIEW_SPECIFIC; id <= IDM_VIEW_WINDOWS; ++id) {
        const bool on = LibrarianCommandState(id, facts).checked;
        if (on) CheckMenuRadioItem(menu, IDM_VIEW_SPECIFIC, IDM_VIEW_WINDOWS, id, MF_BYCOMMAND);
        if (m_toolBar) SendMessageA(m_toolBar, TB_CHECKBUTTON, id, MAKELPARAM(on, 0));
    }
    if (m_toolBar)
        SendMessageA(m_toolBar, TB_ENABLEBUTTON, IDM_FILE_SAVE,
                     MAKELPARAM(LibrarianCommandState(IDM_FILE_SAVE, facts).enabled, 0));
}

void FrameWindow::OnCommand(int id, int code) {
    if (id == IDC_FORMAT_BOX) {
        if (code == CBN_SELCHANGE)
            SelectFormat(static_cast<int>(SendMessageA(m_formatBox, CB_GETCURSEL, 0, 0)));
        return;
    }
    size_t one = 0;
    switch (id) {
        case IDM_FILE_NEW: NewWorkspace(); break;
        case IDM_FILE_OPEN: OpenWithDialog(); break;
        case IDM_FILE_SEARCH: SearchWithDialog(); break;
        case IDM_FILE_SAVE: Save(); break;
        case IDM_FILE_SAVE_AS: SaveAs(); break;
        case IDM_FILE_NEW_WINDOW: NewWindow(); break;
        case IDM_FILE_EXPLORER: ShowSuiteExplorer(g_app.programFolder); break;
        case IDM_FILE_EXIT: PostMessageA(m_hwnd, WM_CLOSE, 0, 0); break;
        case IDM_EDIT_RENAME: case IDM_CTX_RENAME: Rename(); break;
        case IDM_EDIT_COPY: case IDM_CTX_COPY: CreateCopy(); break;
        case IDM_EDIT_DELETE: case IDM_CTX_DELETE: DeleteSelection(); break;
        case IDM_EDIT_SELECT_ALL:
            if (g_app.workspace.iconCount() == 0) break;
            g_app.workspace.SelectAll();
            if (g_app.view) g_app.view->Redraw();
            SelectionChanged();
            break;
        case IDM_EDIT_NEW_ICON: g_app.exchange->StartEditSession(true, POINT{-1, 0}); break;
        case IDM_CTX_NEW_ICON: {
            POINT p;
            GetCursorPos(&p);
            if (g_app.view) ScreenToClient(g_app.view->hwnd(), &p);
            g_app.exchange->StartEditSession(true, p);
            break;
        }
        case IDM_EDIT_EDIT_ICON: case IDM_CTX_EDIT:
            if (OneSelected(&one)) g_app.exchange->StartEditSession(false, POINT{0, 0});
            break;
        case IDM_EDIT_INSTALL:
            if (OneSelected(&one)) g_app.exchange->InstallSelected();
            break;
        case IDM_CTX_SAVE_ICO: SaveSelectedAsIco(); break;
        case IDM_PROPERTIES: ShowProperties(); break;
        case IDM_VIEW_TOOLBAR:
            m_toolBarShown = !m_toolBarShown;
            ShowWindow(m_toolBar, m_toolBarShown ? SW_SHOW : SW_HIDE);
            Layout();
            break;
        case IDM_VIEW_STATUSBAR:
            m_statusBarShown = !m_statusBarShown;
            ShowWindow(m_statusBar, m_statusBarShown ? SW_SHOW : SW_HIDE);
            Layout();
            break;
        case IDM_ARRANGE_FORMAT:
            if (g_app.state.view == kViewSpecific) Arrange(kSortBySpecificFormat);
            break;
        case IDM_ARRANGE_NAME: Arrange(kSortByName); break;
        case IDM_ARRANGE_COUNT: Arrange(kSortByImageCount); break;
        case IDM_RELAYOUT:
            if (g_app.view) g_app.view->Relayout();
            break;
        case IDM_ARRANGE_POSITION:
            if (g_app.view) g_app.view->ArrangeByPosition();
            break;
        case IDM_VIEW_SPECIFIC: case IDM_VIEW_RAW: case IDM_VIEW_DESKTOP: case IDM_VIEW_WINDOWS:
            SetView(id - IDM_VIEW_SPECIFIC + 1);
            break;
        case IDM_HELP_TOPICS: OpenSuiteHelp(m_hwnd, g_app.programFolder); break;
        case IDM_HELP_SUPPORT: VtSupportDialog(m_hwnd); break;
        case IDM_HELP_ABOUT: VtAboutBox(m_hwnd, m_hwnd, kSection, g_app.instance); break;
        default:
            if (id >= IDM_FILE_MRU1 && id <= IDM_FILE_MRU4) OpenRecent(id - IDM_FILE_MRU1);
            break;
    }
    RefreshCommandStates();
}

LRESULT FrameWindow::OnNotify(NMHDR* header) {
    if (header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        UINT_PTR id = header->idFrom;
        if ((info->uFlags & TTF_IDISHWND) && reinterpret_cast<HWND>(id) == m_formatBox) id = IDC_FORMAT_BOX;
        static std::string tip;
        // A button's tip is the string of its command less 64; the box's is "Image Format".
        tip = LoadText(id == IDC_FORMAT_BOX ? IDS_TIP_FORMAT : static_cast<int>(id) - 64);
        info->lpszText = tip.data();
    }
    return 0;
}

// --- views, formats, arranging ---

void FrameWindow::SetView(int view) {
    if (view < kViewSpecific || view > kViewWindows) view = kViewWindows;
    g_app.state.view = view;
    ViewMetrics m = g_app.workspace.metrics();
    m.view = view;
    g_app.workspace.SetMetrics(m);
    g_app.workspace.UpdateAllCellSizes();
    if (g_app.view) g_app.view->Relayout();
    RefreshCommandStates();
}

void FrameWindow::Arrange(int key) {
    Workspace& ws = g_app.workspace;
    if (ws.iconCount() == 0) return;
    ws.Sort(key);
    // Sorting changes only the window of a program file: its order cannot be saved.
    if (ws.mode() != kModeProgram) ws.SetModified(true);
    if (g_app.view) g_app.view->Relayout();
    ModifiedChanged();
}

void FrameWindow::SelectFormat(int boxIndex) {
    if (boxIndex < 0 || boxIndex >= static_cast<int>(m_boxEntries.size())) return;
    g_app.workspace.SetCurrentFormat(m_boxEntries[static_cast<size_t>(boxIndex)].format);
    g_app.workspace.UpdateAllCellSizes();
    OnCommand(IDM_ARRANGE_POSITION, 0);
}

void FrameWindow::RebuildFormatBox(FormatBoxCause cause, const std::vector<FormatTally>& before) {
    Workspace& ws = g_app.workspace;
    const FormatKey old = ws.currentFormat();
    FormatBox box = ApplyFormatBox(ws, cause, before, *m_prompt);
    if (box.warning == FormatBoxWarning::NoneSupported) {
        // Nothing of the file can be shown: the new, empty workspace forgets it.
        g_app.saveState = {};
        g_app.fileTitle.clear();
        g_app.fileKind = kKindLibrary;
        UpdateTitle();
        if (g_app.view) g_app.view->WorkspaceReplaced();
    }
    m_boxEntries = box.entries;
    if (m_formatBox) {
        SendMessageA(m_formatBox, CB_RESETCONTENT, 0, 0);
        for (const FormatBoxEntry& e : m_boxEntries)
            SendMessageA(m_formatBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.text.c_str()));
        SendMessageA(m_formatBox, CB_SETCURSEL, static_cast<WPARAM>(box.selected), 0);
    }
    if (!(ws.currentFormat() == old)) {
        ws.UpdateAllCellSizes();
        if (g_app.view) g_app.view->Relayout();
    }
}

// --- FrameServices ---

void FrameWindow::SelectionChanged() {
    if (!m_searchStatus) ShowNormalStatus();
    RefreshCommandStates();
}

void FrameWindow::ImagesChanged(FormatBoxCause cause, const std::vector<FormatTally>& before) {
    RebuildFormatBox(cause, before);
    ModifiedChanged();
    SelectionChanged();
}

void FrameWindow::ModifiedChanged() { RefreshCommandStates(); }

bool FrameWindow::ConfirmReplace() {
    LibrarianExchange& ex = *g_app.exchange;
    return MayDiscardWorkspace(
        g_app.workspace, g_app.fileTitle, *m_prompt, [this] { return Save(); },
        [&] {
            if (!ex.HasSessions()) return true;
            if (m_prompt->Ask(kSessionsActive, PromptButtons::OkCancel, PromptIcon::Information) != PromptAnswer::Ok)
                return false;
            ex.EndSessions(0);
            return true;
        });
}

bool FrameWindow::ConfirmReplaceAfterSessions() {
    return MayDiscardWorkspace(g_app.workspace, g_app.fileTitle, *m_prompt, [this] { return Save(); });
}

void FrameWindow::ForgetRecentFile(const std::string& path) {
    if (g_app.mru.Remove(path)) UpdateRecentMenu();
}

void FrameWindow::OpenDroppedFiles(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    if (paths.size() == 1) {
        OpenPath(paths[0], DetectDroppedFileKind(paths[0]), true);
        return;
    }
    WaitCursor wait;
    Workspace& ws = g_app.workspace;
    const LibStatus st = OpenWorkspaceFiles(ws, paths, *m_prompt, false);
    g_app.saveState = {};
    g_app.fileTitle.clear();
    g_app.fileKind = kKindLibrary;
    if (st == LibStatus::Ok) {
        ws.SetModified(true);
        g_app.nameLastTaken = FileTitle(paths[0]);
    }
    AfterReplace(FormatBoxCause::Opened);
}

void FrameWindow::SearchFolders(const std::vector<std::string>& roots) {
    // All the folders dropped together are searched into one new workspace.
    RunSearch(roots, OpenType::IconFiles, true);
}

// --- files ---

void FrameWindow::NewWorkspace() {
    if (!ConfirmReplace()) return;
    g_app.workspace.New();
    g_app.saveState = {};
    g_app.fileTitle.clear();
    g_app.fileKind = kKindLibrary;
    AfterReplace(FormatBoxCause::Opened);
}

void FrameWindow::AfterReplace(FormatBoxCause cause) {
    RebuildFormatBox(cause);
    g_app.workspace.UpdateAllCellSizes();
    if (g_app.view) g_app.view->WorkspaceReplaced();
    UpdateTitle();
    UpdateRecentMenu();
    SelectionChanged();
}

void FrameWindow::OpenWithDialog() {
    std::string path;
    OpenType type = g_app.openType;
    if (!AskOpenPath(m_hwnd, &type, &path)) return;
    g_app.openType = type;
    if (!ConfirmReplace()) return;
    OpenPath(path, DetectFileKind(path, ProposedKind(type, path)), false);
}

void FrameWindow::OpenRecent(int index) {
    const auto& entries = g_app.mru.entries();
    if (index < 0 || index >= static_cast<int>(entries.size())) return;
    const MruEntry entry = entries[static_cast<size_t>(index)];
    if (!ConfirmReplace()) return;
    OpenPath(entry.path, entry.fileType, true);
}

void FrameWindow::OpenPath(const std::string& path, int kind, bool direct) {
    Workspace& ws = g_app.workspace;
    LibStatus st = LibStatus::NotRecognised;
    int keptKind = kind;
    if (kind == kKindUnknown) {
        m_prompt->Tell(Format(LoadText(IDS_NOT_RECOGNISED).c_str(), path.c_str()), PromptIcon::Exclamation);
        ws.New();
    } else {
        WaitCursor wait;
        // A library being read into a new workspace says so in the status bar.
        const bool reading = kind == kKindLibrary && m_statusBar;
        if (reading) {
            SetStatusParts({LoadText(IDS_READING)});
            UpdateWindow(m_statusBar);
        }
        st = OpenWorkspaceFile(ws, path, &keptKind, *m_prompt);
        // A chosen file that cannot be opened at all says so too.
        if (st == LibStatus::CannotOpen)
            m_prompt->Tell(Format("Error encountered opening file:\n\n%s", path.c_str()), PromptIcon::Exclamation);
    }
    if (st == LibStatus::Ok) {
        g_app.fileKind = keptKind;
        g_app.saveState = {};
        g_app.saveState.path = path;
        if (ws.mode() == kModeProgram) g_app.saveState.sourcePath = path;
        g_app.fileTitle = FileTitle(path);
        g_app.nameLastTaken = g_app.fileTitle;
        g_app.mru.Add(path, kind);
    } else {
        g_app.fileKind = kKindLibrary;
        g_app.saveState = {};
        g_app.fileTitle.clear();
        if (direct) g_app.mru.Remove(path);
    }
    AfterReplace(FormatBoxCause::Opened);
}

void FrameWindow::SearchWithDialog() {
    SearchRequest request;
    request.type = g_app.openType;
    if (!AskSearchRoot(m_hwnd, &request)) return;
    g_app.openType = request.type;
    if (!ConfirmReplace()) return;
    RunSearch({request.root}, request.type, request.subfolders);
}

void FrameWindow::RunSearch(const std::vector<std::string>& roots, OpenType type, bool subfolders) {
    WaitCursor wait;
    Workspace& ws = g_app.workspace;
    SearchOptions o;
    o.type = type;
    o.includeSubfolders = subfolders;
    o.thousands = g_app.thousands;
    o.prompt = m_prompt.get();
    m_searchStatus = true;
    o.progress = [this](const std::vector<std::string>& parts) {
        SetStatusParts(parts);
        if (m_statusBar) UpdateWindow(m_statusBar);
    };
    // Esc between two files ends the search with what it found.
    o.cancelled = [this] {
        bool escape = false;
        MSG m;
        while (PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
            if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) escape = true;
        if (m_statusBar) UpdateWindow(m_statusBar);
        return escape;
    };
    SearchCounts counts;
    const LibStatus st = SearchFiles(ws, roots, o, &counts);
    m_searchStatus = false;
    g_app.saveState = {};
    g_app.fileTitle.clear();
    g_app.fileKind = kKindLibrary;
    if (st == LibStatus::Ok) g_app.nameLastTaken = FileTitle(roots.front());
    AfterReplace(FormatBoxCause::Opened);
}

bool FrameWindow::Save() {
    std::string asked;
    bool saved;
    {
        WaitCursor wait;
        saved = SaveOrSaveAs(g_app.workspace, g_app.saveState, *m_prompt, [&] {
            std::string target;
            if (AskSavePath(m_hwnd, SaveDialog::Library, &target)) asked = target;
            return asked;
        });
    }
    AfterSave(saved, asked);
    return saved;
}

bool FrameWindow::SaveAs() {
    if (g_app.workspace.iconCount() == 0) {
        m_prompt->Tell("No icons to save.", PromptIcon::Exclamation);
        return false;
    }
    std::string target;
    if (!AskSavePath(m_hwnd, SaveDialog::Library, &target)) return false;
    LibStatus st;
    {
        WaitCursor wait;
        st = SaveWorkspaceAs(g_app.workspace, g_app.saveState, target, *m_prompt);
    }
    // A program file that kept images without a place stays modified: not all was saved.
    const bool saved = st == LibStatus::Ok && !g_app.workspace.modified();
    AfterSave(st == LibStatus::Ok, target);
    return saved;
}

void FrameWindow::AfterSave(bool wrote, const std::string& asked) {
    if (!wrote) {
        RefreshCommandStates();
        return;
    }
    if (!asked.empty()) g_app.fileKind = KindForSaveName(asked);
    // What was written goes to the recent files, also when it could not be read back.
    const std::string& written = g_app.saveState.savedPath;
    if (!written.empty()) g_app.mru.Add(written, g_app.fileKind);
    g_app.fileTitle = g_app.saveState.path.empty() ? std::string() : FileTitle(g_app.saveState.path);
    // A library save (and the empty-file question's Yes) made a new workspace.
    AfterReplace(g_app.workspace.iconCount() == 0 ? FormatBoxCause::Opened : FormatBoxCause::Removed);
}

void FrameWindow::SaveSelectedAsIco() {
    size_t index = 0;
    if (!OneSelected(&index)) return;
    std::string target;
    if (!AskSavePath(m_hwnd, SaveDialog::IconFile, &target)) return;
    const LibStatus st = SaveIconAsIco(g_app.workspace, index, target);
    if (st == LibStatus::OutOfMemory) {
        m_prompt->Tell(LoadText(IDS_OUT_OF_MEMORY), PromptIcon::Stop);
    } else if (st != LibStatus::Ok) {
        m_prompt->Tell(kSaveIncomplete, PromptIcon::Exclamation);
    }
}

// --- edits ---

void FrameWindow::Rename() {
    size_t index = 0;
    if (!OneSelected(&index)) return;
    if (!RunRenameDialog(m_hwnd, index, false)) return;
    Workspace& ws = g_app.workspace;
    g_app.nameLastTaken = Workspace::ShownName(ws.icons()[index]);
    // A program file cannot store names: its Save would report a rename as saved.
    if (ws.mode() != kModeProgram) ws.SetModified(true);
    if (g_app.view) g_app.view->Redraw();
    ModifiedChanged();
}

void FrameWindow::CreateCopy() {
    size_t index = 0;
    if (!OneSelected(&index)) return;
    Workspace& ws = g_app.workspace;
    const std::vector<FormatTally> before = ws.tallies();
    const long copy = CopySelectedIcon(ws, *m_prompt);
    if (copy < 0) return;
    ws.SelectOne(static_cast<size_t>(copy));
    g_app.nameLastTaken = Workspace::ShownName(ws.icons()[static_cast<size_t>(copy)]);
    ws.UpdateCellSize(static_cast<size_t>(copy));
    if (g_app.view) g_app.view->Redraw();
    RunRenameDialog(m_hwnd, static_cast<size_t>(copy), true);
    g_app.nameLastTaken = Workspace::ShownName(ws.icons()[static_cast<size_t>(copy)]);
    if (g_app.view) g_app.view->ArrangeByPosition();
    ImagesChanged(FormatBoxCause::Added, before);
}

void FrameWindow::DeleteSelection() {
    Workspace& ws = g_app.workspace;
    const std::vector<size_t> selection = ws.Selection();
    if (selection.empty()) return;
    LibrarianExchange& ex = *g_app.exchange;
    const size_t before = ws.iconCount();
    // The areas the icons take are repainted once they are gone.
    if (ws.mode() != kModeProgram && g_app.view) g_app.view->InvalidateIcons(selection);
    const LibStatus st = ws.DeleteSelection(
        *m_prompt, [&ex](uint32_t serial) { return ex.HasSessionFor(serial); },
        [&ex](uint32_t serial) { ex.EndSessions(serial); });
    if (st != LibStatus::Ok || ws.iconCount() == before) return;
    if (g_app.view) g_app.view->Redraw();
    ImagesChanged(FormatBoxCause::Removed, {});
}

void FrameWindow::ShowProperties() {
    size_t index = 0;
    if (OneSelected(&index)) {
        RunIconPropertiesDialog(m_hwnd, index);
    } else {
        RunFilePropertiesDialog(m_hwnd);
    }
}

// --- windows, closing ---

void FrameWindow::NewWindow() {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int half = (work.right - work.left) / 2;
    const RECT right{work.left + half, work.top, work.right, work.bottom};
    if (StartProgramAt(g_app.programFolder, "VTMGR.EXE", "VTMGR.EXE |", right)) {
        ShowWindow(m_hwnd, SW_RESTORE);
        MoveWindow(m_hwnd, work.left, work.top, half, work.bottom - work.top, TRUE);
    }
}

LRESULT FrameWindow::OnCopyData(const COPYDATASTRUCT& data) {
    if (g_app.pictures.Answer(data, {m_hwnd})) return TRUE;
    return AcceptTestDrop(data, m_hwnd, kRunTestDrop) ? TRUE : FALSE;
}

void FrameWindow::OnClose() {
    // Not while a command runs or a message box of the icon window's drop or drag holds the
    // frame disabled: the code that opened it still runs on the frame when it returns.
    if (m_closeGuard.Hold(m_hwnd)) return;
    LibrarianExchange& ex = *g_app.exchange;
    if (ex.HasSessions()) {
        if (m_prompt->Ask(kSessionsOnClose, PromptButtons::YesNo) != PromptAnswer::Yes) return;
        ex.EndSessions(0);
    }
    m_closeGuard.Begin();
    const bool ok = ConfirmReplaceAfterSessions();
    m_closeGuard.EndQuietly();
    if (!ok) return;
    RememberState();
    DestroyWindow(m_hwnd);
}

void FrameWindow::RememberState() {
    LibrarianState& s = g_app.state;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (GetWindowPlacement(m_hwnd, &wp)) {
        const RECT& r = wp.rcNormalPosition;
        s.hasPlace = true;
        s.x = r.left;
        s.y = r.top;
        s.width = r.right - r.left;
        s.height = r.bottom - r.top;
    }
    s.toolbarHidden = !m_toolBarShown;
    s.statusBarHidden = !m_statusBarShown;
}

void FrameWindow::OnDestroy() {
    StoreSettings();
    g_app.workspace.Discard();
    g_app.view = nullptr;
    g_app.services = nullptr;
    PostQuitMessage(0);
}

}  // namespace vt::librarian
