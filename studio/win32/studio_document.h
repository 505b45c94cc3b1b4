#pragma once
// The Studio's document commands: New, Open, Save, Save As, the recently-used entries, the image
// formats and the palette files. Each turns into calls on the image model; the frame is told what
// to show afterwards through DocumentViews.

#include <windows.h>

#include <string>

#include "common/win32/message_box_prompt.h"
#include "image/format_list.h"
#include "image/image_host.h"

namespace vt {
class DrawEngine;
}

namespace vt::studio {

struct StudioApp;

class DocumentViews {
public:
    virtual ~DocumentViews() = default;
    // The image array is about to change: nothing may keep pointers into it.
    virtual void DetachImage() = 0;
    // The active image (or the whole format set) changed.
    virtual void ShowDocument(const FormatList& list, int selected) = 0;
    virtual void TitleChanged() = 0;
    virtual void RecentFilesChanged() = 0;
    virtual void PaletteLoaded() = 0;
};

class StudioDocument {
public:
    StudioDocument(StudioApp& app, DrawEngine& engine, MessageBoxPrompt& prompt, DocumentViews& views);

    ImageHost& host() { return m_host; }

    // Asks to save unsaved changes; false when the user cancels.
    bool ConfirmDiscard();
    // A fresh 32 x 32 16-colour document of the type (1 icon, 2 cursor).
    void NewDocument(int type);
    // Open with the dialog.
    bool OpenWithDialog(HWND owner);
    // Open a path with its file type (from the dialog, the recently-used list, the command line or
    // a dropped file). A failed open of a listed path removes it from the list.
    bool Open(const std::string& path, int fileType);
    bool Save(HWND owner, bool saveAs);
    // The format set is shown again: the list is built, a suitable image chosen and activated.
    void ShowFormats(bool keepCurrent);
    void SelectFormat(int position);
    void NewImageFormat(HWND owner);
    void RemoveImageFormat();
    void OpenPalette(HWND owner);
    void SavePalette(HWND owner);
    // Server mode: the Librarian's icon replaces the document, shown at `shown`, titled `name`.
    // The images are image blocks in the form the document keeps. False when none could be taken.
    bool LoadSessionIcon(const ImageFormat& shown, const std::vector<std::vector<uint8_t>>& images,
                         const std::string& name);
    // Pending editing is finished (a floating selection dropped, a text placed).
    void FinishEditing();

private:
    void Attach(const FormatList& list, int selected);
    void StartBlank(int type);

    StudioApp& m_app;
    DrawEngine& m_engine;
    MessageBoxPrompt& m_prompt;
    DocumentViews& m_views;
    ImageHost m_host;
};

}  // namespace vt::studio
