#include "draw/win32/edit_commands.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <string>

#include "common/prompt.h"
#include "draw/command_ids.h"
#include "draw/draw_engine.h"
#include "draw/selection_clipboard.h"
#include "draw/win32/editor_ids.h"
#include "draw/win32/paste_panel_dialog.h"
#include "draw/win32/text_window.h"
#include "image/bitmap_import.h"
#include "image/bmp_reader.h"
#include "image/win32/clipboard.h"

namespace vt {

namespace {

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

}  // namespace

EditCommands::EditCommands(HINSTANCE instance, HWND frame, DrawEngine& engine, EditDocument& document,
                           Prompt& prompt, int screenWidth, int screenHeight)
    : m_instance(instance),
      m_frame(frame),
      m_engine(engine),
      m_document(document),
      m_prompt(prompt),
      m_screenWidth(screenWidth),
      m_screenHeight(screenHeight) {}

std::string EditCommands::LoadText(int id) const {
    char text[64] = {};
    LoadStringA(m_instance, static_cast<UINT>(id), text, sizeof text);
    return text;
}

bool EditCommands::Copy() {
    const IconImage* img = m_engine.image();
    const ClipBlock block = SelectionClipBlock(m_engine);
    if (!img || block.pixels.empty()) {
        MessageBeep(MB_OK);
        return false;
    }
    // The palette the palette window shows for the image: its table, or nothing for true colour.
    ColorValues256 palette{};
    for (uint32_t i = 0; i < img->TableEntries(); ++i) palette[i] = img->TableColor(i);
    return PutBlockOnClipboard(
        m_frame, ClipBitmapColours(block, palette, m_engine.state().colorB.value), block);
}

// Puts prepared pixels down as the floating selection; `into` replaces the current selection's.
void EditCommands::Place(const PastePixels& pixels, bool into) {
    PlacePaste(m_engine, pixels, into);
    m_document.MarkModified();
}

void EditCommands::PastePrepared(bool intoSelection, const PrepareFn& prepare) {
    const IconImage* img = m_engine.image();
    if (!img) return;
    const bool into = intoSelection && m_engine.selection().Exists();
    const SelectionRect sel = m_engine.selection().rect();
    PastePixels pixels;
    if (prepare(*img, into, sel.Width(), sel.Height(), &pixels)) Place(pixels, into);
}

void EditCommands::PasteClipboard(bool intoSelection) {
    ClipboardContents clip;
    if (!ReadClipboard(m_frame, &clip)) {
        MessageBeep(MB_OK);
        return;
    }
    PastePrepared(intoSelection, [&](const IconImage& img, bool into, int w, int h, PastePixels* out) {
        return clip.hasBlock ? PrepareClipPaste(clip.block, img, m_prompt, into, w, h, out)
                             : PrepareBitmapPaste(clip.colours, clip.width, clip.height, img, m_prompt, into, w, h, out);
    });
}

void EditCommands::PasteBitmapFile(bool intoSelection) {
    std::string path;
    if (!AskBitmapPath(m_frame, &path)) return;
    std::vector<uint8_t> bytes;
    BmpPicture picture;
    // A source that cannot be read leaves the image as it was.
    if (!ReadBitmapFile(path, &bytes) || ReadBmp(bytes, &picture) != BmpError::None) return;
    PastePrepared(intoSelection, [&](const IconImage& img, bool into, int w, int h, PastePixels* out) {
        return PrepareBitmapPaste(picture.colours, picture.width, picture.height, img, m_prompt, into, w, h, out);
    });
}

void EditCommands::PasteSpecial() {
    PastePanelChoice choice;
    if (!RunPastePanel(m_instance, m_frame, ClipboardHasBitmap(), m_engine.selection().Exists(),
                       &choice))
        return;
    if (choice.fromClipboard)
        PasteClipboard(choice.intoSelection);
    else
        PasteBitmapFile(choice.intoSelection);
}

void EditCommands::OpenBitmap() {
    m_engine.LeaveDrawingState();
    std::string path;
    if (!AskBitmapPath(m_frame, &path)) return;
    // The image is rebuilt under the engine: it lets go first, and the document hands it back.
    m_engine.SetImage(nullptr);
    m_document.OpenBitmap(path);
}

TextWindow* EditCommands::LiveTextWindow() {
    if (m_text && !IsWindow(m_textHwnd)) m_text = nullptr;
    return m_text;
}

// Shows the text window while the text tool is the current tool, and hides it when it is left.
void EditCommands::SyncTextTool() {
    // Shift held over the grid lends the text tool's place to the "Color Selector" for a moment;
    // the text window and its floating text stay meanwhile (a picked colour A re-renders it).
    const bool lent = m_engine.SelectorHeldByShift() && m_engine.toolBeforeSelector() == kToolText;
    const bool wanted = (m_engine.state().tool == kToolText || lent) && m_engine.image();
    if (!wanted) {
        if (TextWindow* t = LiveTextWindow(); t && t->active()) t->End();
        return;
    }
    if (!LiveTextWindow()) CreateTextWindow();
    if (m_text && !m_text->active()) m_text->Begin();
}

bool EditCommands::Handle(int id) {
    switch (id) {
        case kCmdCopy:
            Copy();
            break;
        case kCmdCut:
            if (Copy()) {
                ClearSelection(m_engine);
                m_document.MarkModified();
            }
            break;
        case kCmdClear:
            if (!m_engine.selection().Exists()) return true;
            ClearSelection(m_engine);
            m_document.MarkModified();
            break;
        case kCmdPaste:
            PasteClipboard(false);
            break;
        case kCmdPasteSpecial:
            PasteSpecial();
            break;
        case IDM_REMOVE_SELECTION:
            m_engine.CommitSelection();
            break;
        case kCmdOpenBitmap:
            OpenBitmap();
            break;
        default:
            return false;
    }
    InvalidateRect(m_frame, nullptr, FALSE);
    return true;
}

void EditCommands::CreateTextWindow() {
    if (m_textLabel.empty()) {
        m_textLabel = LoadText(IDS_TEXT_LABEL);
        m_textButton = LoadText(IDS_TEXT_FONT);
    }
    EditorState& state = m_document.editorState();
    RECT f;
    GetWindowRect(m_frame, &f);
    int x = f.right, y = (f.top + f.bottom) / 2;
    if (state.HasSavedPositions() && (state.textLeft || state.textTop)) {
        x = std::clamp(state.textLeft, 0, std::max(0, m_screenWidth - 100));
        y = std::clamp(state.textTop, 0, std::max(0, m_screenHeight - 60));
    }
    TextWindow::Hooks hooks;
    hooks.moved = [this](int left, int top) {
        EditorState& s = m_document.editorState();
        s.textLeft = left;
        s.textTop = top;
    };
    hooks.changed = [this] { m_document.MarkModified(); };
    m_text = TextWindow::Create(m_instance, m_frame, x, y, state.textFont, m_engine, hooks,
                                m_textLabel.c_str(), m_textButton.c_str());
    m_textHwnd = m_text ? m_text->hwnd() : nullptr;
    m_engine.SetTextRestartHook([this] {
        if (TextWindow* t = LiveTextWindow()) t->Restart();
    });
}

void EditCommands::RestartTextTool() {
    TextWindow* t = LiveTextWindow();
    if (!t || !t->active()) return;
    t->End();
    if (m_engine.image()) t->Begin();
}

void EditCommands::TextColorsChanged() {
    if (TextWindow* t = LiveTextWindow()) t->ColorsChanged();
}

void EditCommands::ShowSelectionContextMenu() {
    HMENU menu = LoadMenuA(m_instance, MAKEINTRESOURCEA(IDM_SELECTION_MENU));
    if (!menu) return;
    POINT p;
    GetCursorPos(&p);
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, p.x, p.y, 0, m_frame,
                   nullptr);
    DestroyMenu(menu);
}

void EditCommands::UpdateStates(HMENU bar, HWND toolBar) {
    SyncTextTool();
    const bool selection = m_engine.selection().Exists();
    const bool bitmap = ClipboardHasBitmap();
    const bool image = m_engine.image() != nullptr;
    auto enable = [&](UINT id, bool on) {
        EnableMenuItem(bar, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
        if (toolBar) SendMessageA(toolBar, TB_ENABLEBUTTON, id, MAKELPARAM(on, 0));
    };
    enable(kCmdCut, selection);
    enable(kCmdCopy, selection);
    enable(kCmdClear, selection);
    enable(kCmdPaste, bitmap && image);
    enable(kCmdPasteSpecial, bitmap && image);
    enable(kCmdOpenBitmap, image);
    EnableMenuItem(bar, kToolText, MF_BYCOMMAND | (image ? MF_ENABLED : MF_GRAYED));
}

}  // namespace vt
