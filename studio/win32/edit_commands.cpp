#include "studio/win32/edit_commands.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <string>

#include "common/file_io.h"
#include "common/prompt.h"
#include "draw/draw_engine.h"
#include "draw/selection_clipboard.h"
#include "image/bitmap_import.h"
#include "image/bmp_reader.h"
#include "image/win32/clipboard.h"
#include "draw/win32/text_window.h"
#include "studio/win32/capture_window.h"
#include "studio/win32/paste_panel_dialog.h"
#include "studio/win32/properties_dialog.h"
#include "studio/win32/resource.h"
#include "studio/win32/resource_edit.h"
#include "studio/win32/studio_app.h"
#include "studio/win32/studio_document.h"

namespace vt::studio {

namespace {

// Bitmap files larger than this are not pictures anyone pastes into an icon.
constexpr size_t kMaxBitmapFile = size_t{64} << 20;

void MarkModified() {
    g_app.doc.modified = true;
    g_app.doc.commands.save = true;
    if (IconImage* img = g_app.doc.ActiveImage()) {
        img->changed = true;
        img->untouched = false;
    }
}

bool AskBitmapPath(HWND owner, std::string* path) {
    char file[MAX_PATH] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = "Bitmap\0*.bmp\0All Files\0*.*\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = "Open Bitmap File";
    ofn.lpstrDefExt = "bmp";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (!GetOpenFileNameA(&ofn)) return false;
    *path = file;
    return true;
}

bool Copy(HWND frame, DrawEngine& engine) {
    const IconImage* img = engine.image();
    const ClipBlock block = SelectionClipBlock(engine);
    if (!img || block.pixels.empty()) {
        MessageBeep(MB_OK);
        return false;
    }
    // The palette the palette window shows for the image: its table, or nothing for true colour.
    ColorValues256 palette{};
    for (uint32_t i = 0; i < img->TableEntries(); ++i) palette[i] = img->TableColor(i);
    return PutBlockOnClipboard(
        frame, ClipBitmapColours(block, palette, engine.state().colorB.value), block);
}

// Puts prepared pixels down as the floating selection; `into` replaces the current selection's.
void Place(DrawEngine& engine, const PastePixels& pixels, bool into) {
    PlacePaste(engine, pixels, into);
    MarkModified();
}

void PasteClipboard(HWND frame, DrawEngine& engine, Prompt& prompt, bool intoSelection) {
    ClipboardContents clip;
    if (!ReadClipboard(frame, &clip)) {
        MessageBeep(MB_OK);
        return;
    }
    const IconImage* img = engine.image();
    if (!img) return;
    const bool into = intoSelection && engine.selection().Exists();
    const SelectionRect sel = engine.selection().rect();
    PastePixels pixels;
    const bool ok =
        clip.hasBlock
            ? PrepareClipPaste(clip.block, *img, prompt, into, sel.Width(), sel.Height(), &pixels)
            : PrepareBitmapPaste(clip.colours, clip.width, clip.height, *img, prompt, into,
                                 sel.Width(), sel.Height(), &pixels);
    if (ok) Place(engine, pixels, into);
}

void PasteBitmapFile(HWND frame, DrawEngine& engine, Prompt& prompt, bool intoSelection) {
    std::string path;
    if (!AskBitmapPath(frame, &path)) return;
    std::vector<uint8_t> bytes;
    BmpPicture picture;
    // A source that cannot be read leaves the image as it was.
    if (!ReadWholeFile(path, &bytes, kMaxBitmapFile) || ReadBmp(bytes, &picture) != BmpError::None)
        return;
    const IconImage* img = engine.image();
    if (!img) return;
    const bool into = intoSelection && engine.selection().Exists();
    const SelectionRect sel = engine.selection().rect();
    PastePixels pixels;
    if (PrepareBitmapPaste(picture.colours, picture.width, picture.height, *img, prompt, into,
                           sel.Width(), sel.Height(), &pixels))
        Place(engine, pixels, into);
}

void PasteSpecial(HWND frame, DrawEngine& engine, Prompt& prompt) {
    PastePanelChoice choice;
    if (!RunPastePanel(g_app.instance, frame, ClipboardHasBitmap(), engine.selection().Exists(),
                       &choice))
        return;
    if (choice.fromClipboard)
        PasteClipboard(frame, engine, prompt, choice.intoSelection);
    else
        PasteBitmapFile(frame, engine, prompt, choice.intoSelection);
}

void OpenBitmapAsImage(HWND frame, DrawEngine& engine, StudioDocument& document) {
    engine.LeaveDrawingState();
    std::string path;
    if (!AskBitmapPath(frame, &path)) return;
    // The image is rebuilt under the engine: it lets go first and takes it up again afterwards.
    engine.SetImage(nullptr);
    ImportBitmapFile(g_app.doc, document.host(), g_app.palettes, path);
    document.ShowFormats(true);
}

// The text tool's window, made the first time the tool is chosen; it is destroyed with the frame
// that owns it.
TextWindow* g_text = nullptr;
HWND g_textHwnd = nullptr;

std::string LoadText(int id) {
    char text[64] = {};
    LoadStringA(g_app.instance, static_cast<UINT>(id), text, sizeof text);
    return text;
}

TextWindow* LiveTextWindow() {
    if (g_text && !IsWindow(g_textHwnd)) g_text = nullptr;
    return g_text;
}

// Shows the text window while the text tool is the current tool, and hides it when it is left.
void SyncTextTool(HWND frame, DrawEngine& engine) {
    // Shift held over the grid lends the text tool's place to the "Color Selector" for a moment;
    // the text window and its floating text stay meanwhile (a picked colour A re-renders it).
    const bool lent = engine.SelectorHeldByShift() && engine.toolBeforeSelector() == kToolText;
    const bool wanted = (engine.state().tool == kToolText || lent) && engine.image();
    if (!wanted) {
        if (TextWindow* t = LiveTextWindow(); t && t->active()) t->End();
        return;
    }
    if (!LiveTextWindow()) CreateTextWindow(frame, engine);
    if (g_text && !g_text->active()) g_text->Begin();
}

}  // namespace

bool HandleEditCommand(HWND frame, int id, DrawEngine& engine, StudioDocument& document,
                       Prompt& prompt) {
    switch (id) {
        case IDM_EDIT_COPY:
            Copy(frame, engine);
            break;
        case IDM_EDIT_CUT:
            if (Copy(frame, engine)) {
                ClearSelection(engine);
                MarkModified();
            }
            break;
        case IDM_EDIT_CLEAR:
            if (!engine.selection().Exists()) return true;
            ClearSelection(engine);
            MarkModified();
            break;
        case IDM_EDIT_PASTE:
            PasteClipboard(frame, engine, prompt, false);
            break;
        case IDM_EDIT_PASTE_SPECIAL:
            PasteSpecial(frame, engine, prompt);
            break;
        case IDM_REMOVE_SELECTION:
            engine.CommitSelection();
            break;
        case IDM_EDIT_OPEN_BITMAP:
            OpenBitmapAsImage(frame, engine, document);
            break;
        case IDM_SCREEN_CAPTURE:
            CaptureWindow::Run(g_app.instance, frame);
            break;
        case IDM_VIEW_PROPERTIES:
            RunPropertiesDialog(g_app.instance, frame, g_app.doc, g_app.thousands,
                                g_app.statusFont);
            break;
        default:
            return false;
    }
    InvalidateRect(frame, nullptr, FALSE);
    return true;
}

void CreateTextWindow(HWND frame, DrawEngine& engine) {
    static const std::string label = LoadText(IDS_TEXT_LABEL), button = LoadText(IDS_TEXT_FONT);
    RECT f;
    GetWindowRect(frame, &f);
    int x = f.right, y = (f.top + f.bottom) / 2;
    if (g_app.state.HasSavedPositions() && (g_app.state.textLeft || g_app.state.textTop)) {
        x = std::clamp(g_app.state.textLeft, 0, std::max(0, g_app.screenWidth - 100));
        y = std::clamp(g_app.state.textTop, 0, std::max(0, g_app.screenHeight - 60));
    }
    TextWindow::Hooks hooks;
    hooks.moved = [](int left, int top) {
        g_app.state.textLeft = left;
        g_app.state.textTop = top;
    };
    hooks.changed = [] { MarkModified(); };
    g_text = TextWindow::Create(g_app.instance, frame, x, y, g_app.state.textFont, engine,
                                hooks, label.c_str(), button.c_str());
    g_textHwnd = g_text ? g_text->hwnd() : nullptr;
    engine.SetTextRestartHook([] {
        if (TextWindow* t = LiveTextWindow()) t->Restart();
    });
}

void RestartTextTool(DrawEngine& engine) {
    TextWindow* t = LiveTextWindow();
    if (!t || !t->active()) return;
    t->End();
    if (engine.image()) t->Begin();
}

void TextColorsChanged() {
    if (TextWindow* t = LiveTextWindow()) t->ColorsChanged();
}

void ShowSelectionContextMenu(HWND frame) {
    HMENU menu = LoadMenuA(g_app.instance, MAKEINTRESOURCEA(IDM_SELECTION_MENU));
    if (!menu) return;
    POINT p;
    GetCursorPos(&p);
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, p.x, p.y, 0, frame,
                   nullptr);
    DestroyMenu(menu);
}

void UpdateEditCommandStates(HMENU bar, HWND toolBar, DrawEngine& engine) {
    SyncTextTool(GetParent(toolBar) ? GetParent(toolBar) : g_app.frame, engine);
    const bool selection = engine.selection().Exists();
    const bool bitmap = ClipboardHasBitmap();
    const bool image = engine.image() != nullptr;
    auto enable = [&](UINT id, bool on) {
        EnableMenuItem(bar, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
        if (toolBar) SendMessageA(toolBar, TB_ENABLEBUTTON, id, MAKELPARAM(on, 0));
    };
    enable(IDM_EDIT_CUT, selection);
    enable(IDM_EDIT_COPY, selection);
    enable(IDM_EDIT_CLEAR, selection);
    enable(IDM_EDIT_PASTE, bitmap && image);
    enable(IDM_EDIT_PASTE_SPECIAL, bitmap && image);
    enable(IDM_EDIT_OPEN_BITMAP, image);
    enable(IDM_VIEW_PROPERTIES, image);
    EnableMenuItem(bar, IDM_SCREEN_CAPTURE, MF_BYCOMMAND | MF_ENABLED);
    EnableMenuItem(bar, IDM_TOOL_TEXT, MF_BYCOMMAND | (image ? MF_ENABLED : MF_GRAYED));
}

}  // namespace vt::studio
