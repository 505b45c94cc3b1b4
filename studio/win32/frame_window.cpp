#include "studio/win32/frame_window.h"

#include <commctrl.h>
#include <dde.h>
#include <shellapi.h>

#include <algorithm>

#include "appservices/win32/vtapp.h"
#include "common/win32/frame_bars.h"
#include "common/win32/menu_state_query.h"
#include "common/win32/program_launch.h"
#include "common/win32/window_places.h"
#include "draw/tool.h"
#include "draw/win32/editor_frame.h"
#include "image/bitmap_import.h"
#include "studio/win32/capture_window.h"
#include "studio/win32/frame_bars.h"
#include "studio/win32/frame_menus.h"
#include "studio/win32/new_resource_dialog.h"
#include "studio/win32/properties_dialog.h"
#include "studio/win32/resource.h"
#include "studio/win32/studio_app.h"
#include "studio/win32/studio_settings.h"

namespace vt::studio {

bool FrameWindow::Register(HINSTANCE instance) {
    return RegisterEditorFrameClass(instance, WndProc, g_app.icon, g_app.smallIcon, "zodedazi", kFrameClass);
}

FrameWindow* FrameWindow::Create(HINSTANCE instance) {
    auto* self = new FrameWindow;
    if (!CreateEditorFrame(instance, kFrameClass, kProgramTitle, self)) return nullptr;  // deleted at WM_NCDESTROY
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
    if (msg >= WM_DDE_FIRST && msg <= WM_DDE_LAST) {
        if (m_session) m_session->OnDdeMessage(msg, wp, lp);
        return 0;
    }
    if (m_grid && m_grid->OnOwnerMessage(msg, wp, lp)) return 0;
    switch (msg) {
        case WM_CREATE: OnCreate(); return 0;
        case WM_SIZE:
            if (m_grid) Layout();
            return 0;
        case WM_PAINT: OnPaint(nullptr); return 0;
        case WM_PRINTCLIENT: OnPaint(reinterpret_cast<HDC>(wp)); return 0;
        case WM_COMMAND: {
            // A command may run a modal dialog, and the frame may be asked to close meanwhile;
            // the close waits until the command is over so nothing runs on a destroyed frame.
            m_closeGuard.Begin();
            OnCommand(LOWORD(wp), HIWORD(wp));
            m_closeGuard.End(m_hwnd);
            return 0;
        }
        case WM_KEYDOWN:
        case WM_KEYUP:
            // Shift's first press and its release; held keys repeat WM_KEYDOWN.
            if (IsShiftEdge(msg, wp, lp)) {
                m_grid->OnShiftKey(msg == WM_KEYDOWN);
                RefreshCommandStates();
                SetGridCursor();
                return 0;
            }
            return DefWindowProcA(m_hwnd, msg, wp, lp);
        case WM_SETCURSOR:
            if (LOWORD(lp) == HTCLIENT && SetGridCursor()) return TRUE;
            return DefWindowProcA(m_hwnd, msg, wp, lp);
        case WM_INITMENUPOPUP: RefreshCommandStates(); return 0;
        case WM_MENUSELECT: OnMenuSelect(LOWORD(wp), HIWORD(wp), reinterpret_cast<HMENU>(lp)); return 0;
        case WM_NOTIFY: return OnNotify(reinterpret_cast<NMHDR*>(lp));
        case WM_DRAWITEM: OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lp)); return TRUE;
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = FormatListBox::kItemHeight;
            return TRUE;
        case WM_CLIPBOARDUPDATE: RefreshCommandStates(); return 0;
        case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wp)); return 0;
        case WM_COPYDATA: return OnCopyData(*reinterpret_cast<COPYDATASTRUCT*>(lp));
        case WM_SYSCOLORCHANGE:
            if (m_colors) m_colors->Rebuild();
            InvalidateRect(m_hwnd, nullptr, TRUE);
            return 0;
        case WM_QUERYENDSESSION:
            if (m_session && m_session->Connected()) return m_session->ConfirmEndOfWindowsSession();
            return m_document->ConfirmDiscard();
        case WM_CLOSE: OnClose(); return 0;
        case WM_DESTROY: OnDestroy(); return 0;
        default: return DefWindowProcA(m_hwnd, msg, wp, lp);
    }
}

void FrameWindow::OnCreate() {
    g_app.frame = m_hwnd;
    m_colors = std::make_unique<ViewColors>(g_app.displayCode);
    m_prompt = std::make_unique<MessageBoxPrompt>(m_hwnd, kProgramTitle);
    EditGridHooks hooks;
    hooks.status = [this](int part, const std::string& text) { SetStatus(part, text); };
    hooks.committed = [this] { RefreshCommandStates(); InvalidateRect(m_formatList->hwnd(), nullptr, FALSE); };
    hooks.undoChanged = [this] { RefreshCommandStates(); };
    hooks.colorsChanged = [this] {
        RECT r = ToolBox::ColorWellsRect(m_grid->geometry().Frame().top);
        InvalidateRect(m_hwnd, &r, FALSE);
        if (m_palette) InvalidateRect(m_palette->hwnd(), nullptr, FALSE);
        if (m_edit) m_edit->TextColorsChanged();
    };
    hooks.hotSpotSet = [this] { RefreshCommandStates(); };
    m_grid = std::make_unique<EditGrid>(m_hwnd, *m_colors, hooks);
    m_grid->SetGridLines(g_app.state.gridShown || !g_app.state.HasSavedPositions());
    m_selectionFrame = std::make_unique<SelectionFrame>(
        m_hwnd, *m_grid, [this] { m_edit->ShowSelectionContextMenu(); }, [this] { RefreshCommandStates(); });
    m_engine = std::make_unique<DrawEngine>(*m_selectionFrame, *m_prompt);
    m_selectionFrame->SetEngine(m_engine.get());
    m_engine->SetModifiedHook([this] { MarkModified(); });
    m_grid->SetEngine(m_engine.get());
    m_engine->state().transparentColorB = g_app.colorBTransparent;
    m_document = std::make_unique<StudioDocument>(g_app, *m_engine, *m_prompt, *this);
    m_edit = std::make_unique<EditCommands>(g_app.instance, m_hwnd, *m_engine, *this, *m_prompt, g_app.screenWidth,
                                            g_app.screenHeight);
    m_toolBarShown = !g_app.state.toolBarHidden;
    m_statusBarShown = !g_app.state.statusBarHidden;
    m_paletteShown = !g_app.state.paletteHidden;
    m_previewShown = !g_app.state.previewHidden;
    m_toolBar = CreateStudioToolBar(m_hwnd, g_app.instance, g_app.formatsLocked);
    m_statusBar = CreateFrameStatusBar(m_hwnd, g_app.instance, IDC_STATUSBAR, g_app.statusFont);
    if (m_toolBarShown) ShowWindow(m_toolBar, SW_SHOW);
    if (m_statusBarShown) ShowWindow(m_statusBar, SW_SHOW);
    m_toolBox = std::make_unique<ToolBox>(m_hwnd, g_app.instance, LoadFaceMappedBitmap(g_app.instance, 71, true),
                                          *m_engine);
    m_toolBox->SetStatusHook([this](const std::string& text) { SetStatus(0, text); });
    m_toolBox->SetChosenHook([this] { RefreshCommandStates(); });
    m_formatList = std::make_unique<FormatListBox>(m_hwnd, g_app.instance, IDC_FORMAT_LIST);
    if (g_app.dialogFont) SendMessageA(m_formatList->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(g_app.dialogFont), FALSE);
    AddStartupMenuEntries(GetMenu(m_hwnd), g_app);
    DragAcceptFiles(m_hwnd, TRUE);
    // Paste follows the clipboard, whoever changes it.
    AddClipboardFormatListener(m_hwnd);
}

void FrameWindow::CreateToolWindows() {
    RECT frame;
    GetWindowRect(m_hwnd, &frame);
    const ToolWindowPlaces places = StartingToolWindowPlaces(g_app.state, frame, g_app.screenWidth, g_app.screenHeight);
    const POINT pal = places.palette, pre = places.preview;
    m_palette = PaletteWindow::Create(g_app.instance, kPaletteClass, m_hwnd, pal.x, pal.y, *m_colors, *m_engine,
                                      *m_prompt);
    m_preview = PreviewWindow::Create(g_app.instance, kPreviewClass, m_hwnd, pre.x, pre.y, *m_colors);
    if (m_palette) m_palette->SetPaletteChangedHook([this] {
        InvalidateRect(m_hwnd, nullptr, FALSE);
        InvalidateRect(m_formatList->hwnd(), nullptr, FALSE);
        if (m_preview) m_preview->Redraw();
        RefreshCommandStates();
    });
    if (m_palette) m_palette->SetHiddenHook([this] { m_paletteShown = false; RefreshCommandStates(); });
    if (m_preview) m_preview->SetHiddenHook([this] { m_previewShown = false; RefreshCommandStates(); });
    m_grid->SetPreview(m_preview);
    m_grid->SetPalette(m_palette);
    m_edit->CreateTextWindow();
}

void FrameWindow::Start(bool openNewCursorDialog) {
    IconImage* img = g_app.doc.ActiveImage();
    if (m_preview) m_preview->SetImage(img);
    if (m_palette) m_palette->Refresh();
    Layout();
    ShowEditorWindows(m_hwnd, m_palette ? m_palette->hwnd() : nullptr, m_paletteShown,
                      m_preview ? m_preview->hwnd() : nullptr, m_previewShown);
    if (openNewCursorDialog) {
        const int type = RunNewResourceDialog(g_app.instance, m_hwnd, kCursorResource, true);
        if (type) m_document->NewDocument(type);
    }
}

int FrameWindow::ToolBarHeight() const { return ShownBarHeight(m_toolBar, m_toolBarShown); }

int FrameWindow::StatusBarHeight() const { return ShownBarHeight(m_statusBar, m_statusBarShown); }

void FrameWindow::Layout() {
    SizeFrameBars(m_toolBar, m_statusBar, g_app.statusFont);
    m_grid->Layout(ToolBarHeight(), StatusBarHeight());
    const GridRect list = m_grid->geometry().FormatList();
    m_formatList->Move(list.left, list.top, list.Width(), list.Height());
    m_toolBox->Layout(ToolBarHeight(), m_grid->geometry().top);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void FrameWindow::OnPaint(HDC given) {
    PaintEditorFrame(m_hwnd, given, *m_grid, *m_selectionFrame, *m_toolBox, *m_colors);
}

bool FrameWindow::SetGridCursor() {
    return m_grid->SetCursor(g_app.cursors.data(), static_cast<int>(g_app.cursors.size()), IDC_CURSOR_FIRST);
}

void FrameWindow::SetStatus(int part, const std::string& text) { SetStatusText(m_statusBar, part, text); }

void FrameWindow::DetachImage() {
    m_engine->SetImage(nullptr);
    if (m_preview) m_preview->SetImage(nullptr);
}

void FrameWindow::ShowDocument(const FormatList& list, int selected) {
    IconImage* img = g_app.doc.ActiveImage();
    m_engine->SetImage(img);
    m_edit->RestartTextTool();
    if (img && !IsPaletteBased(img->colorCode) && !img->trueColorPalette) img->trueColorPalette = g_app.palettes.current;
    if (img && img->colorCode == kColors256)
        for (uint32_t i = 0; i < 256; ++i) g_app.palettes.current[i] = img->TableColor(i);
    else if (img && img->trueColorPalette) g_app.palettes.current = *img->trueColorPalette;
    m_formatList->Fill(list, selected);
    UpdatePaletteMenu(GetMenu(m_hwnd), img && img->colorCode >= kColors256);
    if (m_preview) m_preview->SetImage(img);
    FollowPaletteFile();
    if (m_palette) m_palette->Refresh();
    m_grid->SetHotSpotMode(false);
    Layout();
    m_grid->Invalidate();
    InvalidateRect(m_hwnd, nullptr, FALSE);
    RefreshCommandStates();
}

void FrameWindow::TitleChanged() {
    const IconResource& doc = g_app.doc;
    SetWindowTextA(m_hwnd, StudioTitle(g_app.serverMode, doc.path, doc.untitled).c_str());
}

void FrameWindow::RecentFilesChanged() { UpdateRecentMenu(GetMenu(m_hwnd), g_app); }

void FrameWindow::PaletteLoaded() {
    FollowPaletteFile();
    if (m_palette) m_palette->Refresh();
}

void FrameWindow::MarkModified() {
    g_app.doc.modified = true;
    g_app.doc.commands.save = true;
    if (IconImage* img = g_app.doc.ActiveImage()) {
        img->changed = true;
        img->untouched = false;
    }
}

void FrameWindow::OpenBitmap(const std::string& path) {
    ImportBitmapFile(g_app.doc, m_document->host(), g_app.palettes, path);
    m_document->ShowFormats(true);
}

EditorState& FrameWindow::editorState() { return g_app.state; }

void FrameWindow::FollowPaletteFile() {
    if (g_app.palettes.fileReads == m_paletteFileReads) return;
    m_paletteFileReads = g_app.palettes.fileReads;
    if (m_palette) m_palette->ClearBlendStrip();
}

void FrameWindow::RefreshCommandStates() {
    const ViewFlags v{m_grid->gridLines(), m_paletteShown, m_toolBarShown, m_statusBarShown, m_previewShown,
                      m_grid->hotSpotMode()};
    UpdateMenuStates(GetMenu(m_hwnd), g_app, *m_engine, v);
    m_edit->UpdateStates(GetMenu(m_hwnd), m_toolBar);
    const bool image = m_engine->image() != nullptr;
    EnableMenuItem(GetMenu(m_hwnd), IDM_VIEW_PROPERTIES, MF_BYCOMMAND | (image ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(GetMenu(m_hwnd), IDM_SCREEN_CAPTURE, MF_BYCOMMAND | MF_ENABLED);
    if (!m_toolBar) return;
    const UndoState u = m_engine->undoState();
    SendMessageA(m_toolBar, TB_ENABLEBUTTON, IDM_FILE_SAVE, MAKELPARAM(!g_app.serverMode && g_app.doc.modified, 0));
    SendMessageA(m_toolBar, TB_ENABLEBUTTON, IDM_EDIT_UNDO, MAKELPARAM(u.canUndo, 0));
    SendMessageA(m_toolBar, TB_ENABLEBUTTON, IDM_EDIT_REDO, MAKELPARAM(u.canRedo, 0));
    SendMessageA(m_toolBar, TB_ENABLEBUTTON, IDM_SET_HOT_SPOT, MAKELPARAM(g_app.doc.IsCursor(), 0));
    SendMessageA(m_toolBar, TB_CHECKBUTTON, IDM_SET_HOT_SPOT, MAKELPARAM(m_grid->hotSpotMode(), 0));
    SendMessageA(m_toolBar, TB_ENABLEBUTTON, IDM_NEW_FORMAT,
                 MAKELPARAM(!g_app.formatsLocked && g_app.doc.commands.newImageFormat, 0));
    SendMessageA(m_toolBar, TB_ENABLEBUTTON, IDM_SCREEN_CAPTURE, MAKELPARAM(TRUE, 0));
    if (g_app.serverMode)
        for (int id : {IDM_FILE_NEW, IDM_FILE_OPEN}) SendMessageA(m_toolBar, TB_ENABLEBUTTON, id, MAKELPARAM(FALSE, 0));
    m_toolBox->Update();
}

void FrameWindow::ToggleView(int id) {
    switch (id) {
        case IDM_VIEW_GRID: m_grid->SetGridLines(!m_grid->gridLines()); break;
        case IDM_VIEW_PALETTE:
            m_paletteShown = !m_paletteShown;
            if (m_palette) ShowWindow(m_palette->hwnd(), m_paletteShown ? SW_SHOWNOACTIVATE : SW_HIDE);
            break;
        case IDM_VIEW_TOOLBAR:
            m_toolBarShown = !m_toolBarShown;
            ShowWindow(m_toolBar, m_toolBarShown ? SW_SHOW : SW_HIDE);
            break;
        case IDM_VIEW_STATUSBAR:
            m_statusBarShown = !m_statusBarShown;
            ShowWindow(m_statusBar, m_statusBarShown ? SW_SHOW : SW_HIDE);
            break;
        case IDM_VIEW_PREVIEW:
            m_previewShown = !m_previewShown;
            if (m_preview) ShowWindow(m_preview->hwnd(), m_previewShown ? SW_SHOWNOACTIVATE : SW_HIDE);
            break;
        default: break;
    }
    Layout();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void FrameWindow::OpenRecent(int index) {
    const auto& entries = g_app.mru.entries();
    if (index < 0 || index >= static_cast<int>(entries.size())) return;
    const MruEntry entry = entries[static_cast<size_t>(index)];
    if (!m_document->ConfirmDiscard()) return;
    m_document->Open(entry.path, entry.fileType);
}

void FrameWindow::OnCommand(int id, int code) {
    if (!m_engine->TakesCommands()) return;  // a drag on the grid owns the image until its release
    if (id == IDC_FORMAT_LIST) {
        if (code == LBN_SELCHANGE) m_document->SelectFormat(m_formatList->SelectedPosition());
        return;
    }
    if (m_toolBox->IsToolBoxControl(id) && code == BN_CLICKED) id = m_toolBox->CommandFor(id);
    switch (id) {
        case IDM_FILE_NEW: {
            if (g_app.serverMode) break;
            const int type = RunNewResourceDialog(g_app.instance, m_hwnd, g_app.doc.resourceType == kCursorResource ? 2 : 1, false);
            if (type && m_document->ConfirmDiscard()) m_document->NewDocument(type);
            break;
        }
        case IDM_FILE_OPEN: if (!g_app.serverMode) m_document->OpenWithDialog(m_hwnd); break;
        case IDM_FILE_UPDATE:
        case IDM_FILE_UPDATE_EXIT:
            if (m_session && m_session->Connected() && g_app.doc.modified) {
                m_session->Update(id == IDM_FILE_UPDATE_EXIT);
                RefreshCommandStates();
            }
            break;
        case IDM_FILE_SAVE: if (!g_app.serverMode) m_document->Save(m_hwnd, false); break;
        case IDM_FILE_SAVE_AS: m_document->Save(m_hwnd, true); break;
        case IDM_FILE_NEW_WINDOW: StartProgram(m_hwnd, g_app.programFolder, "VTEDIT.EXE"); break;
        case IDM_FILE_EXPLORER: ShowSuiteExplorer(g_app.programFolder); break;
        case IDM_FILE_EXIT: PostMessageA(m_hwnd, WM_CLOSE, 0, 0); break;
        case IDM_EDIT_OPEN_PALETTE: m_document->OpenPalette(m_hwnd); break;
        case IDM_EDIT_SAVE_PALETTE: m_document->SavePalette(m_hwnd); break;
        case IDM_VIEW_GRID: case IDM_VIEW_PALETTE: case IDM_VIEW_TOOLBAR: case IDM_VIEW_STATUSBAR:
        case IDM_VIEW_PREVIEW: ToggleView(id); break;
        case IDM_COLORB_TRANSPARENT: case IDM_COLORB_OPAQUE:
            g_app.colorBTransparent = id == IDM_COLORB_TRANSPARENT;
            m_engine->Command(id);
            break;
        case IDM_HELP_TOPICS: OpenSuiteHelp(m_hwnd, g_app.programFolder); break;
        case IDM_HELP_SUPPORT: VtSupportDialog(m_hwnd); break;
        case IDM_HELP_ABOUT: VtAboutBox(m_hwnd, m_hwnd, kSection, g_app.instance); break;
        case IDM_NEW_FORMAT: if (!g_app.formatsLocked) m_document->NewImageFormat(m_hwnd); break;
        case IDM_REMOVE_FORMAT: if (!g_app.formatsLocked) m_document->RemoveImageFormat(); break;
        case IDM_SCREEN_CAPTURE:
            CaptureWindow::Run(g_app.instance, m_hwnd);
            InvalidateRect(m_hwnd, nullptr, FALSE);
            break;
        case IDM_VIEW_PROPERTIES:
            RunPropertiesDialog(g_app.instance, m_hwnd, g_app.doc, g_app.thousands, g_app.statusFont);
            InvalidateRect(m_hwnd, nullptr, FALSE);
            break;
        case IDM_SET_HOT_SPOT:
            if (g_app.doc.IsCursor()) m_grid->SetHotSpotMode(!m_grid->hotSpotMode());
            break;
        default:
            if (id >= IDM_FILE_MRU1 && id <= IDM_FILE_MRU4) {
                OpenRecent(id - IDM_FILE_MRU1);
            } else if (m_edit->Handle(id)) {
            } else if (m_engine->Command(id)) {
                if (id == IDM_EDIT_UNDO || id == IDM_EDIT_REDO) InvalidateRect(m_formatList->hwnd(), nullptr, FALSE);
            }
            break;
    }
    RefreshCommandStates();
}

void FrameWindow::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
    SetStatus(0, MenuHelpText(g_app.instance, item, flags, menu, IDS_SYSTEM_MENU, IDM_FILE_MRU1, IDM_FILE_MRU4));
}

LRESULT FrameWindow::OnNotify(NMHDR* header) {
    if (header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        static std::string tip;
        tip = StudioToolTip(g_app.instance, static_cast<int>(header->idFrom), g_app.serverMode);
        info->lpszText = tip.data();
        return 0;
    }
    return 0;
}

void FrameWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlID == IDC_FORMAT_LIST) {
        m_formatList->DrawItem(item, g_app.doc, m_colors->screenDisplay());
        return;
    }
    m_toolBox->DrawItem(item);
}

void FrameWindow::OnDropFiles(HDROP drop) {
    char path[MAX_PATH] = {};
    // Only the first of several dropped files is opened.
    const UINT n = DragQueryFileA(drop, 0, path, sizeof path);
    DragFinish(drop);
    if (n == 0 || n >= sizeof path) return;
    if (!m_document->ConfirmDiscard()) return;
    m_document->Open(path, FileTypeForPath(path));
}

bool FrameWindow::OnCopyData(const COPYDATASTRUCT& data) {
    return AnswerEditorPictures(g_app.pictures, data, m_hwnd, m_palette ? m_palette->hwnd() : nullptr,
                                m_preview ? m_preview->hwnd() : nullptr);
}

bool FrameWindow::StartSession(char modeLetter, const std::string& topic) {
    m_session = std::make_unique<StudioSession>(m_hwnd, *m_document, *m_prompt);
    return m_session->Start(modeLetter, topic);
}

void FrameWindow::OnClose() {
    if (m_closeGuard.Hold(m_hwnd)) return;
    if (m_session && m_session->Connected() && !m_session->ConfirmClose()) return;
    if (!m_document->ConfirmDiscard()) return;
    // The windows the frame owns are destroyed before the frame itself hears of its destruction,
    // so their places are taken now.
    RememberPositions();
    DestroyWindow(m_hwnd);
}

void FrameWindow::RememberPositions() {
    TakeEditorFrameState(g_app.state, m_hwnd, m_palette ? m_palette->hwnd() : nullptr,
                         m_preview ? m_preview->hwnd() : nullptr,
                         {m_toolBarShown, m_statusBarShown, m_paletteShown, m_previewShown, m_grid->gridLines()});
}

void FrameWindow::OnDestroy() {
    KillTimer(m_hwnd, EditGrid::kHotSpotTimer);
    KillTimer(m_hwnd, EditGrid::kLocatorTimer);
    DragAcceptFiles(m_hwnd, FALSE);
    RemoveClipboardFormatListener(m_hwnd);
    // The palette and preview windows are gone already, and their objects with them.
    m_palette = nullptr;
    m_preview = nullptr;
    m_grid->SetPreview(nullptr);
    m_grid->SetPalette(nullptr);
    StoreSettings(g_app);
    DetachImage();
    FreeAllImages(g_app.doc);
    PostQuitMessage(0);
}

}  // namespace vt::studio
