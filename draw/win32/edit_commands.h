#pragma once
// The editors' clipboard and selection commands: Cut, Copy, Paste, Paste Special ("Paste Control
// Panel"), Clear, Remove Selection and Open Bitmap (1043-1047, 1104, 1049), the selection's
// context menu, and the text tool's window kept in step with the chosen tool. The Studio and the
// Animator each make one EditCommands for their frame and hand it every command first.
//
// The program's resources must include draw/win32/editor_shared.rc (the dialog, the menu and
// the text window's strings), and TextWindow::Register must have run.

#include <windows.h>

#include <functional>
#include <string>

#include "common/editor_state.h"

namespace vt {

class DrawEngine;
class Prompt;
class TextWindow;
struct IconImage;
struct PastePixels;

// What the edit commands need from the program's document (the Studio's icon, the Animator's
// animation).
class EditDocument {
public:
    virtual ~EditDocument() = default;
    // A command changed the edited image (cut, clear, paste, a rendered text): the image and the
    // document are marked changed.
    virtual void MarkModified() = 0;
    // "Open Bitmap As Image/Frame...": the user chose `path`. The engine has left drawing state and
    // let go of its image; the document fills its image (ImportBitmapInto) and hands it back.
    virtual void OpenBitmap(const std::string& path) = 0;
    // The persistent state: the text window's place (textLeft, textTop; taken when HasSavedPositions)
    // and its font (textFont), both written back as the user changes them.
    virtual EditorState& editorState() = 0;
};

class EditCommands {
public:
    // screenWidth and screenHeight bound the text window's saved place.
    EditCommands(HINSTANCE instance, HWND frame, DrawEngine& engine, EditDocument& document,
                 Prompt& prompt, int screenWidth, int screenHeight);
    EditCommands(const EditCommands&) = delete;
    EditCommands& operator=(const EditCommands&) = delete;

    // Runs one of the commands above; false when the id is not one of them.
    bool Handle(int id);
    // Cut, Copy and Clear while a selection exists; Paste and Paste Special while the clipboard
    // holds a bitmap and there is an image; Open Bitmap and Text while there is an image; on the
    // menu bar and on the tool bar (which may be null). Shows or hides the text window to match
    // the current tool.
    void UpdateStates(HMENU bar, HWND toolBar);
    // Start-up makes the text tool's window, hidden, at its saved place (clamped to the screen) or
    // beside the frame.
    void CreateTextWindow();
    // The active image changed (another format or frame, an opened file): the text tool starts
    // over on it.
    void RestartTextTool();
    // Colour A or B changed: a text still floating is rendered again in the new colours.
    void TextColorsChanged();
    // The menu of a right click inside the selection: Copy, Paste Special..., Remove Selection.
    void ShowSelectionContextMenu();

private:
    bool Copy();
    void Place(const PastePixels& pixels, bool into);
    // Prepares the pixels to paste for the image, into the selection or not, at the selection's
    // width and height; false when nothing is to be pasted.
    using PrepareFn = std::function<bool(const IconImage&, bool into, int width, int height, PastePixels*)>;
    void PastePrepared(bool intoSelection, const PrepareFn& prepare);
    void PasteClipboard(bool intoSelection);
    void PasteBitmapFile(bool intoSelection);
    void PasteSpecial();
    void OpenBitmap();
    TextWindow* LiveTextWindow();
    void SyncTextTool();
    std::string LoadText(int id) const;

    HINSTANCE m_instance;
    HWND m_frame;
    DrawEngine& m_engine;
    EditDocument& m_document;
    Prompt& m_prompt;
    int m_screenWidth, m_screenHeight;
    // The text tool's window; it is destroyed with the frame that owns it.
    TextWindow* m_text = nullptr;
    HWND m_textHwnd = nullptr;
    std::string m_textLabel, m_textButton;
};

}  // namespace vt
