#include "animator/win32/ani_frame.h"

#include <commctrl.h>
#include <dde.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <array>

#include "animator/win32/ani_app.h"
#include "animator/win32/ani_dialogs.h"
#include "animator/win32/ani_preview.h"
#include "animator/win32/ani_settings.h"
#include "animator/win32/frame_list.h"
#include "animator/win32/resource.h"
#include "appservices/win32/vtapp.h"
#include "common/win32/frame_bars.h"
#include "common/win32/menu_entries.h"
#include "common/win32/menu_state_query.h"
#include "common/win32/program_launch.h"
#include "common/win32/window_places.h"
#include "draw/canvas.h"
#include "draw/tool.h"
#include "draw/win32/drawing_menu_states.h"
#include "draw/win32/editor_frame.h"
#include "draw/win32/editor_ids.h"
#include "image/bitmap_import.h"

namespace vt::animator {

namespace {

constexpr int kFileMenu = 0, kEditMenu = 1;

constexpr std::array<BarButton, 15> kToolBarButtons = {{
    {0, IDM_FILE_NEW, true, false},
    {1, IDM_FILE_OPEN, true, false},
    {2, IDM_FILE_SAVE, false, false},
    kBarSeparator,
    {3, IDM_EDIT_UNDO, false, false},
    {4, IDM_EDIT_REDO, false, false},
    kBarSeparator,
    {5, IDM_EDIT_CUT, false, false},
    {6, IDM_EDIT_COPY, false, false},
    {7, IDM_EDIT_PASTE, false, false},
    kBarSeparator,
    {8, IDM_NEW_FRAMES, true, false},
    {9, IDM_REMOVE_FRAME, true, false},
    kBarSeparator,
    {10, IDM_SET_HOT_SPOT, true, true},
}};


constexpr char kAniFilter[] = "Animated Cursor\0*.ani\0";
constexpr char kPaletteFilter[] = "Palette\0*.pal\0";

bool AskPath(HWND owner, bool save, const char* filter, const char* ext, std::string* path) {
    char file[MAX_PATH] = {};
    if (save && !path->empty() && path->size() < sizeof file) path->copy(file, path->size());
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrDefExt = ext;
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER |
                (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn))) return false;
    *path = file;
    return true;
}

}  // namespace

AnimatorFrame::AnimatorFrame() = default;

bool AnimatorFrame::Register(HINSTANCE instance) {
    return RegisterEditorFrameClass(instance, WndProc, g_app.icon, g_app.smallIcon, "bojifeki", kFrameClass);
}

AnimatorFrame* AnimatorFrame::Create(HINSTANCE instance) {
    auto* self = new AnimatorFrame;
    if (!CreateEditorFrame(instance, kFrameClass, kProgramTitle, self)) return nullptr;  // deleted at WM_NCDESTROY
    return self;
}

LRESULT CALLBACK AnimatorFrame::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DispatchToWindow<AnimatorFrame>(hwnd, msg, wp, lp, kProgramTitle);
}

LRESULT AnimatorFrame::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == MenuStateQueryMessage()) {
        RefreshCommandStates();
        return AnswerMenuStateQuery(m_hwnd, wp);
    }
    if (m_grid && m_grid->OnOwnerMessage(msg, wp, lp)) return 0;
    if (msg >= WM_DDE_FIRST && msg <= WM_DDE_LAST) {
        if (m_session) m_session->OnDdeMessage(msg, wp, lp);
        return 0;
    }
    switch (msg) {
        case WM_CREATE: OnCreate(); return 0;
        case WM_SIZE:
            if (m_grid) Layout();
            return 0;
        case WM_PAINT: OnPaint(nullptr); return 0;
        case WM_PRINTCLIENT: OnPaint(reinterpret_cast<HDC>(wp)); return 0;
        case WM_COMMAND: {
            // A command may run a modal dialog, and the frame may be asked to close meanwhile;
            // the close waits until the command is over.
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
            if (LOWORD(lp) == HTCLIENT && reinterpret_cast<HWND>(wp) == m_hwnd && SetGridCursor()) return TRUE;
            return DefWindowProcA(m_hwnd, msg, wp, lp);
        case WM_INITMENUPOPUP: RefreshCommandStates(); return 0;
        case WM_MENUSELECT:
            SetStatus(0, MenuHelpText(g_app.instance, LOWORD(wp), HIWORD(wp), reinterpret_cast<HMENU>(lp),
                                      IDS_SYSTEM_MENU, IDM_FILE_MRU1, IDM_FILE_MRU4));
            return 0;
        case WM_NOTIFY: return OnNotify(reinterpret_cast<NMHDR*>(lp));
        case WM_DRAWITEM: OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lp)); return TRUE;
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = FrameList::kItemHeight;
            return TRUE;
        case WM_CLIPBOARDUPDATE: RefreshCommandStates(); return 0;
        case WM_COPYDATA: return OnCopyData(*reinterpret_cast<COPYDATASTRUCT*>(lp));
        case WM_SYSCOLORCHANGE:
            if (m_colors) m_colors->Rebuild();
            InvalidateRect(m_hwnd, nullptr, TRUE);
            return 0;
        case WM_QUERYENDSESSION: return SessionConnected() ? ConfirmSessionEndOfWindows() : ConfirmClose();
        case WM_CLOSE: OnClose(); return 0;
        case WM_DESTROY: OnDestroy(); return 0;
        default: return DefWindowProcA(m_hwnd, msg, wp, lp);
    }
}

void AnimatorFrame::OnCreate() {
    g_app.frame = m_hwnd;
    m_colors = std::make_unique<ViewColors>(g_app.displayCode);
    m_prompt = std::make_unique<MessageBoxPrompt>(m_hwnd, kProgramTitle);
    m_host.prompt = m_prompt.get();
    m_host.newImagePalette = [](int32_t code, ColorValues256& out) {
        return g_app.palettes.PaletteForNewImage(code, out);
    };
    m_host.setNewImagePalette = [](const ColorValues256& p) {
        g_app.palettes.newImage = p;
        g_app.palettes.newImageLoaded = true;
    };
    m_host.createUndoBuffer = [](IconImage& img) { CreateUndoBuffer(img); };
    m_animation = std::make_unique<Animation>(m_host);

    EditGridHooks hooks;
    hooks.status = [this](int part, const std::string& text) { SetStatus(part, text); };
    hooks.committed = [this] {
        RefreshCommandStates();
        RepaintFrames();
    };
    hooks.undoChanged = [this] { RefreshCommandStates(); };
    hooks.colorsChanged = [this] {
        const RECT r = ToolBox::ColorWellsRect(m_grid->geometry().Frame().top);
        InvalidateRect(m_hwnd, &r, FALSE);
        if (m_palette) InvalidateRect(m_palette->hwnd(), nullptr, FALSE);
        if (m_edit) m_edit->TextColorsChanged();
    };
    hooks.hotSpotSet = [this] { RefreshCommandStates(); };
    m_grid = std::make_unique<EditGrid>(m_hwnd, *m_colors, hooks);
    m_grid->SetGridLines(g_app.state.gridShown || !g_app.state.HasSavedPositions());
    m_selectionFrame = std::make_unique<SelectionFrame>(
        m_hwnd, *m_grid, [this] { m_edit->ShowSelectionContextMenu(); }, [this] { RefreshCommandStates(); });
    m_engine = std::make_unique<DrawEngine>(*m_selectionFrame, *m_prompt, CommandSet::Animator());
    m_selectionFrame->SetEngine(m_engine.get());
    m_engine->SetModifiedHook([this] { MarkModified(); });
    m_grid->SetEngine(m_engine.get());
    m_edit = std::make_unique<EditCommands>(g_app.instance, m_hwnd, *m_engine, *this, *m_prompt, g_app.screenWidth,
                                            g_app.screenHeight);
    m_engine->state().transparentColorB = g_app.colorBTransparent;
    m_toolBarShown = !g_app.state.toolBarHidden;
    m_statusBarShown = !g_app.state.statusBarHidden;
    m_paletteShown = !g_app.state.paletteHidden;
    m_previewShown = !g_app.state.previewHidden;
    m_toolBar = CreateFrameToolBar(m_hwnd, g_app.instance, IDC_TOOLBAR, IDB_TOOLBAR, 11, kToolBarButtons);
    m_statusBar = CreateFrameStatusBar(m_hwnd, g_app.instance, IDC_STATUSBAR, g_app.statusFont);
    if (m_toolBarShown) ShowWindow(m_toolBar, SW_SHOW);
    if (m_statusBarShown) ShowWindow(m_statusBar, SW_SHOW);
    m_toolBox = std::make_unique<ToolBox>(m_hwnd, g_app.instance, LoadFaceMappedBitmap(g_app.instance, IDB_TOOLBOX, true),
                                          *m_engine);
    m_toolBox->SetStatusHook([this](const std::string& text) { SetStatus(0, text); });
    m_toolBox->SetChosenHook([this] { RefreshCommandStates(); });
    m_frameList = std::make_unique<FrameList>(m_hwnd, g_app.instance, IDC_FRAME_LIST, IDC_TIME_EDIT, g_app.dialogFont,
                                              *m_animation, *m_colors);
    AddClipboardFormatListener(m_hwnd);
}

void AnimatorFrame::CreateToolWindows() {
    RECT frame;
    GetWindowRect(m_hwnd, &frame);
    ToolWindowPlaces places = StartingToolWindowPlaces(g_app.state, frame, g_app.screenWidth, g_app.screenHeight);
    // Without saved places the Animator's preview, wider than the Studio's for its buttons and
    // slider, stands below the palette instead of beside it.
    if (!g_app.state.HasSavedPositions()) places.preview = {places.palette.x, frame.top + 340};
    const POINT pal = places.palette, pre = places.preview;
    m_palette = PaletteWindow::Create(g_app.instance, kPaletteClass, m_hwnd, pal.x, pal.y, *m_colors, *m_engine,
                                      *m_prompt);
    m_preview = AnimatorPreview::Create(g_app.instance, kPreviewClass, m_hwnd, pre.x, pre.y, *m_colors, *m_animation);
    if (m_palette) {
        m_palette->SetPaletteChangedHook([this] {
            InvalidateRect(m_hwnd, nullptr, FALSE);
            RepaintFrames();
            RefreshCommandStates();
        });
        m_palette->SetHiddenHook([this] {
            m_paletteShown = false;
            RefreshCommandStates();
        });
    }
    if (m_preview) {
        m_preview->SetHiddenHook([this] {
            m_previewShown = false;
            RefreshCommandStates();
        });
        m_preview->SetPlayingHook([this] { OnPlayingChanged(); });
        m_preview->SetSpeedAppliedHook([this] {
            m_frameList->Refresh();
            RefreshCommandStates();
        });
    }
    m_grid->SetPalette(m_palette);
    m_grid->SetPreview(m_preview);
    m_edit->CreateTextWindow();
}

void AnimatorFrame::Start() {
    UpdateRecentMenu();
    Layout();
    ShowEditorWindows(m_hwnd, m_palette ? m_palette->hwnd() : nullptr, m_paletteShown,
                      m_preview ? m_preview->hwnd() : nullptr, m_previewShown);
}

// ---- the frames and the views ----

void AnimatorFrame::StopAndLeave() {
    if (m_preview) m_preview->Stop();
    m_engine->LeaveDrawingState();
}

void AnimatorFrame::DetachImage() {
    m_engine->SetImage(nullptr);
    if (m_preview) m_preview->SetImage(nullptr);
}

void AnimatorFrame::AttachSelected() {
    if (m_animation->frameCount() == 0) return;
    IconImage* img = &m_animation->SelectedImage();
    m_engine->SetImage(img);
    m_edit->RestartTextTool();
    // A 256-colour frame's table becomes the palette in use; a true-colour frame keeps its own.
    if (img->colorCode == kColors256) {
        for (uint32_t i = 0; i < 256; ++i) g_app.palettes.current[i] = img->TableColor(i);
    } else if (!IsPaletteBased(img->colorCode)) {
        if (!img->trueColorPalette) img->trueColorPalette = g_app.palettes.current;
        g_app.palettes.current = *img->trueColorPalette;
    }
    if (m_preview) m_preview->SetImage(img);
    if (m_palette) m_palette->Refresh();
    m_grid->SetHotSpotMode(false);
    m_grid->Invalidate();
    const RECT wells = ToolBox::ColorWellsRect(m_grid->geometry().Frame().top);
    InvalidateRect(m_hwnd, &wells, FALSE);
    m_frameList->Refresh();
    RefreshCommandStates();
}

void AnimatorFrame::FramesChanged() {
    m_frameList->Fill();
    if (m_preview) m_preview->ResetSlider();
    AttachSelected();
    UpdatePaletteMenu();
    TitleChanged();
}

void AnimatorFrame::SelectFrame(int index) {
    if (index < 0 || static_cast<size_t>(index) >= m_animation->frameCount()) return;
    if (static_cast<size_t>(index) == m_animation->selected()) return;
    m_engine->LeaveDrawingState();
    DetachImage();
    m_animation->Select(static_cast<size_t>(index));
    AttachSelected();
}

void AnimatorFrame::RepaintFrames() {
    if (m_frameList) m_frameList->Refresh();
    if (m_preview) m_preview->Redraw();
}

bool AnimatorFrame::OpenPath(const std::string& path) {
    StopAndLeave();
    DetachImage();
    const bool ok = m_animation->Open(path, g_app.displayCode);
    if (!g_app.sessionMode) {
        if (ok) g_app.mru.Add(path, 1);
        else g_app.mru.Remove(path);
        UpdateRecentMenu();
    }
    FramesChanged();
    return ok;
}

void AnimatorFrame::NewAnimation(int32_t colorCode) {
    StopAndLeave();
    DetachImage();
    g_app.palettes.NewDocument();
    m_animation->New(colorCode);
    FramesChanged();
}

bool AnimatorFrame::ConfirmClose() {
    StopAndLeave();
    return m_animation->ConfirmClose([this] { return Save(false); });
}

bool AnimatorFrame::Save(bool askName) {
    StopAndLeave();
    std::string path = m_animation->untitled() ? std::string() : m_animation->path();
    if (askName || path.empty()) {
        if (!AskPath(m_hwnd, true, kAniFilter, "ani", &path)) return false;
    }
    if (!m_animation->Save(path)) return false;
    if (!g_app.sessionMode) {
        g_app.mru.Add(path, 1);
        UpdateRecentMenu();
    }
    TitleChanged();
    RefreshCommandStates();
    return true;
}

void AnimatorFrame::OpenWithDialog() {
    StopAndLeave();
    if (!ConfirmClose()) return;
    std::string path;
    if (!AskPath(m_hwnd, false, kAniFilter, "ani", &path)) return;
    OpenPath(path);
}

void AnimatorFrame::OpenRecent(int index) {
    const auto& entries = g_app.mru.entries();
    if (index < 0 || index >= static_cast<int>(entries.size())) return;
    const std::string path = entries[static_cast<size_t>(index)].path;
    if (!ConfirmClose()) return;
    OpenPath(path);
}

void AnimatorFrame::NewCommand() {
    StopAndLeave();
    int32_t depth = m_animation->colorCode();
    if (AsksNewCursorDepth(g_app.displayCode)) {
        depth = RunNewDepthDialog(g_app.instance, m_hwnd, m_animation->colorCode());
        if (!depth) return;
    }
    if (!ConfirmClose()) return;
    NewAnimation(depth);
}

void AnimatorFrame::InsertFramesCommand() {
    StopAndLeave();
    InsertChoice choice;
    if (!RunInsertFramesDialog(g_app.instance, m_hwnd, &choice)) return;
    DetachImage();
    m_animation->InsertFrames(choice.count, choice.after, choice.fill);
    FramesChanged();
}

void AnimatorFrame::RemoveFrameCommand() {
    StopAndLeave();
    DetachImage();
    m_animation->RemoveFrame();
    FramesChanged();
}

void AnimatorFrame::ConvertDepthCommand() {
    StopAndLeave();
    if (!m_animation->ConfirmNewColorDepth()) return;
    const int32_t depth = RunConvertDepthDialog(g_app.instance, m_hwnd, m_animation->colorCode(), *m_prompt);
    if (!depth) return;
    DetachImage();
    m_animation->ConvertColorDepth(depth);
    FramesChanged();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    if (m_palette) InvalidateRect(m_palette->hwnd(), nullptr, TRUE);
}

void AnimatorFrame::PropertiesCommand() {
    StopAndLeave();
    if (RunCursorPropertiesDialog(g_app.instance, m_hwnd, *m_animation, *m_colors)) TitleChanged();
}

void AnimatorFrame::OpenPaletteCommand() {
    StopAndLeave();
    std::string path;
    if (!AskPath(m_hwnd, false, kPaletteFilter, "pal", &path)) return;
    if (!g_app.palettes.Load(path)) return;
    // A true-colour frame takes the palette as its own; a 256-colour frame keeps its table.
    if (IconImage* img = m_engine->image(); img && !IsPaletteBased(img->colorCode))
        img->trueColorPalette = g_app.palettes.current;
    if (m_palette) {
        m_palette->ClearBlendStrip();
        m_palette->Refresh();
    }
}

void AnimatorFrame::SavePaletteCommand() {
    StopAndLeave();
    std::string path;
    if (!AskPath(m_hwnd, true, kPaletteFilter, "pal", &path)) return;
    g_app.palettes.Save(path, "ANI");
}

// ---- what the edit commands need ----

void AnimatorFrame::MarkModified() {
    m_animation->SetModified();
    if (IconImage* img = m_engine->image()) {
        img->changed = true;
        img->untouched = false;
    }
    RefreshCommandStates();
}

void AnimatorFrame::OpenBitmap(const std::string& path) {
    // The selected frame takes the picture; the engine has let go of it.
    std::vector<uint8_t> bytes;
    if (!ReadBitmapFile(path, &bytes)) {
        AttachSelected();
        return;
    }
    IconImage& target = m_animation->SelectedImage();
    if (ImportBitmapInto(target, m_host, g_app.palettes, bytes) == ImportResult::Imported) {
        m_animation->SetModified();
        target.changed = true;
        target.untouched = false;
    }
    AttachSelected();
    RepaintFrames();
}

EditorState& AnimatorFrame::editorState() { return g_app.state; }

// ---- commands ----

void AnimatorFrame::OnCommand(int id, int code) {
    if (id == IDC_TIME_EDIT) {
        if (code == EN_CHANGE && m_frameList->OnTimeChanged()) {
            if (m_preview) m_preview->ResetSlider();
            RefreshCommandStates();
        }
        return;
    }
    if (id == IDC_FRAME_LIST) {
        if (code != LBN_SELCHANGE) return;
        // A drag on the grid owns its frame until the release: the list keeps showing that frame.
        if (m_engine->TakesCommands()) SelectFrame(m_frameList->Selection());
        else m_frameList->Refresh();
        return;
    }
    if (!m_engine->TakesCommands()) return;  // a drag on the grid owns the image until its release
    if (m_toolBox->IsToolBoxControl(id) && code == BN_CLICKED) id = m_toolBox->CommandFor(id);
    switch (id) {
        case IDM_FILE_NEW: NewCommand(); break;
        case IDM_FILE_OPEN: OpenWithDialog(); break;
        case IDM_FILE_SAVE: Save(false); break;
        case IDM_FILE_SAVE_AS: Save(true); break;
        case IDM_FILE_NEW_WINDOW: StartProgram(m_hwnd, g_app.programFolder, "VTANI.EXE"); break;
        case IDM_FILE_EXPLORER: ShowSuiteExplorer(g_app.programFolder); break;
        case IDM_FILE_UPDATE:
        case IDM_FILE_UPDATE_EXIT:
            if (SessionConnected() && m_animation->modified()) UpdateLibrarian(id == IDM_FILE_UPDATE_EXIT);
            break;
        case IDM_FILE_EXIT: PostMessageA(m_hwnd, WM_CLOSE, 0, 0); break;
        case IDM_EDIT_OPEN_PALETTE: OpenPaletteCommand(); break;
        case IDM_EDIT_SAVE_PALETTE: SavePaletteCommand(); break;
        case IDM_NEW_FRAMES:
            if (!m_preview || !m_preview->playing()) InsertFramesCommand();
            break;
        case IDM_REMOVE_FRAME:
            if (!m_preview || !m_preview->playing()) RemoveFrameCommand();
            break;
        case IDM_SET_HOT_SPOT:
            StopAndLeave();
            m_grid->SetHotSpotMode(!m_grid->hotSpotMode());
            break;
        case IDM_VIEW_GRID:
        case IDM_VIEW_PALETTE:
        case IDM_VIEW_TOOLBAR:
        case IDM_VIEW_STATUSBAR:
        case IDM_VIEW_PREVIEW: ToggleView(id); break;
        case IDM_VIEW_PROPERTIES: PropertiesCommand(); break;
        case IDM_COLORB_TRANSPARENT:
        case IDM_COLORB_OPAQUE:
            g_app.colorBTransparent = id == IDM_COLORB_TRANSPARENT;
            m_engine->Command(id);
            break;
        case IDM_NEW_COLOR_DEPTH: ConvertDepthCommand(); break;
        case IDM_HELP_TOPICS: OpenSuiteHelp(m_hwnd, g_app.programFolder); break;
        case IDM_HELP_SUPPORT: VtSupportDialog(m_hwnd); break;
        case IDM_HELP_ABOUT: VtAboutBox(m_hwnd, m_hwnd, kSection, g_app.instance); break;
        default:
            if (id >= IDM_FILE_MRU1 && id <= IDM_FILE_MRU4) {
                OpenRecent(id - IDM_FILE_MRU1);
                break;
            }
            // The image commands: editing ones stop the preview first.
            if ((id >= IDM_EDIT_UNDO && id <= IDM_EDIT_OPEN_BITMAP) || id == IDM_REMOVE_SELECTION ||
                (id >= IDM_NUDGE_LEFT && id <= IDM_FLIP_VERTICAL)) {
                if (m_preview) m_preview->Stop();
            }
            if (m_edit->Handle(id)) {
                RepaintFrames();
            } else if (m_engine->Command(id) && (id == IDM_EDIT_UNDO || id == IDM_EDIT_REDO)) {
                RepaintFrames();
            }
            break;
    }
    RefreshCommandStates();
}

void AnimatorFrame::OnPlayingChanged() {
    // Stopping shows the frame being edited again.
    RefreshCommandStates();
}

// ---- menus and bars ----

void AnimatorFrame::RefreshCommandStates() {
    if (!m_engine) return;
    UpdateMenus();
    if (!m_toolBar) return;
    const UndoState u = m_engine->undoState();
    const bool playing = m_preview && m_preview->playing();
    SendMessageA(m_toolBar, TB_ENABLEBUTTON, IDM_FILE_SAVE, MAKELPARAM(m_animation->modified(), 0));
    SendMessageA(m_toolBar, TB_ENABLEBUTTON, IDM_EDIT_UNDO, MAKELPARAM(u.canUndo, 0));
    SendMessageA(m_toolBar, TB_ENABLEBUTTON, IDM_EDIT_REDO, MAKELPARAM(u.canRedo, 0));
    SendMessageA(m_toolBar, TB_ENABLEBUTTON, IDM_NEW_FRAMES, MAKELPARAM(!playing, 0));
    SendMessageA(m_toolBar, TB_ENABLEBUTTON, IDM_REMOVE_FRAME, MAKELPARAM(!playing, 0));
    SendMessageA(m_toolBar, TB_CHECKBUTTON, IDM_SET_HOT_SPOT, MAKELPARAM(m_grid->hotSpotMode(), 0));
    m_toolBox->Update();
}

void AnimatorFrame::UpdateMenus() {
    HMENU bar = GetMenu(m_hwnd);
    auto enable = [bar](UINT id, bool on) { EnableMenuItem(bar, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
    const bool playing = m_preview && m_preview->playing();
    enable(IDM_FILE_SAVE, m_animation->modified());
    enable(IDM_FILE_UPDATE, SessionConnected() && m_animation->modified());
    enable(IDM_FILE_UPDATE_EXIT, SessionConnected() && m_animation->modified());
    m_edit->UpdateStates(bar, m_toolBar);
    UpdateDrawingMenuStates(
        bar, *m_engine, {m_grid->gridLines(), m_paletteShown, m_toolBarShown, m_statusBarShown, m_previewShown},
        g_app.colorBTransparent);
    enable(IDM_NEW_FRAMES, !playing);
    enable(IDM_REMOVE_FRAME, !playing);
    CheckMenuItem(bar, IDM_SET_HOT_SPOT, MF_BYCOMMAND | (m_grid->hotSpotMode() ? MF_CHECKED : MF_UNCHECKED));
}

void AnimatorFrame::UpdateRecentMenu() {
    std::vector<std::string> labels;
    // The full path: an animation is known by its folder as much as by its name.
    if (!g_app.sessionMode)
        for (size_t i = 0; i < g_app.mru.entries().size(); ++i)
            labels.push_back(Format("&%d %s", static_cast<int>(i + 1), g_app.mru.entries()[i].path.c_str()));
    vt::UpdateRecentMenu(GetSubMenu(GetMenu(m_hwnd), kFileMenu), IDM_FILE_MRU1, IDM_FILE_EXIT, labels);
}

void AnimatorFrame::UpdatePaletteMenu() {
    UpdatePaletteFileMenu(GetSubMenu(GetMenu(m_hwnd), kEditMenu), m_animation->colorCode() >= kColors256,
                          IDM_EDIT_OPEN_PALETTE, IDM_EDIT_SAVE_PALETTE);
}

void AnimatorFrame::TitleChanged() {
    const std::string title = std::string(kProgramTitle) + "- " + m_animation->DocumentName();
    SetWindowTextA(m_hwnd, title.c_str());
}

void AnimatorFrame::SetStatus(int part, const std::string& text) { SetStatusText(m_statusBar, part, text); }

LRESULT AnimatorFrame::OnNotify(NMHDR* header) {
    if (header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        static std::string tip;
        tip = ToolTipText(g_app.instance, static_cast<int>(header->idFrom));
        info->lpszText = tip.data();
    }
    return 0;
}

void AnimatorFrame::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlID == IDC_FRAME_LIST) {
        m_frameList->DrawItem(item);
        return;
    }
    m_toolBox->DrawItem(item);
}

// ---- layout and painting ----

int AnimatorFrame::ToolBarHeight() const { return ShownBarHeight(m_toolBar, m_toolBarShown); }

int AnimatorFrame::StatusBarHeight() const { return ShownBarHeight(m_statusBar, m_statusBarShown); }

void AnimatorFrame::Layout() {
    SizeFrameBars(m_toolBar, m_statusBar, g_app.statusFont);
    m_grid->Layout(ToolBarHeight(), StatusBarHeight());
    const GridRect list = m_grid->geometry().FormatList();
    m_frameList->Move(list.left, list.top, m_frameList->Width(), list.Height());
    m_toolBox->Layout(ToolBarHeight(), m_grid->geometry().top);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void AnimatorFrame::OnPaint(HDC given) {
    PaintEditorFrame(m_hwnd, given, *m_grid, *m_selectionFrame, *m_toolBox, *m_colors);
}

bool AnimatorFrame::SetGridCursor() {
    return m_grid->SetCursor(g_app.cursors.data(), static_cast<int>(g_app.cursors.size()), IDC_CURSOR_FIRST);
}

void AnimatorFrame::ToggleView(int id) {
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
}

bool AnimatorFrame::OnCopyData(const COPYDATASTRUCT& data) {
    return AnswerEditorPictures(g_app.pictures, data, m_hwnd, m_palette ? m_palette->hwnd() : nullptr,
                                m_preview ? m_preview->hwnd() : nullptr);
}

// ---- closing ----

void AnimatorFrame::OnClose() {
    if (m_closeGuard.Hold(m_hwnd)) return;
    if (SessionConnected() ? !ConfirmSessionClose() : !ConfirmClose()) return;
    // The windows the frame owns are destroyed before the frame hears of its own destruction, so
    // their places are taken now.
    RememberPositions();
    DestroyWindow(m_hwnd);
}

void AnimatorFrame::RememberPositions() {
    TakeEditorFrameState(g_app.state, m_hwnd, m_palette ? m_palette->hwnd() : nullptr,
                         m_preview ? m_preview->hwnd() : nullptr,
                         {m_toolBarShown, m_statusBarShown, m_paletteShown, m_previewShown, m_grid->gridLines()});
}

void AnimatorFrame::OnDestroy() {
    KillTimer(m_hwnd, EditGrid::kHotSpotTimer);
    KillTimer(m_hwnd, EditGrid::kLocatorTimer);
    RemoveClipboardFormatListener(m_hwnd);
    m_palette = nullptr;
    m_preview = nullptr;
    m_grid->SetPalette(nullptr);
    m_grid->SetPreview(nullptr);
    StoreSettings(g_app);
    DetachImage();
    PostQuitMessage(0);
}

}  // namespace vt::animator
