#include "studio/win32/studio_document.h"

#include "draw/canvas.h"
#include "draw/draw_engine.h"
#include "image/colour_convert.h"
#include "image/format_commands.h"
#include "image/ico_file.h"
#include "image/palette_state.h"
#include "image/win32/new_format_dialog.h"
#include "studio/win32/file_dialogs.h"
#include "studio/win32/gif_commands.h"
#include "studio/win32/studio_app.h"

namespace vt::studio {

StudioDocument::StudioDocument(StudioApp& app, DrawEngine& engine, MessageBoxPrompt& prompt,
                               DocumentViews& views)
    : m_app(app), m_engine(engine), m_prompt(prompt), m_views(views) {
    m_host.prompt = &m_prompt;
    m_host.newImagePalette = [this](int32_t code, ColorValues256& out) {
        return m_app.palettes.PaletteForNewImage(code, out);
    };
    m_host.setNewImagePalette = [this](const ColorValues256& p) {
        m_app.palettes.newImage = p;
        m_app.palettes.newImageLoaded = true;
    };
    m_host.fillFromImage = ConversionHook(m_host);
    m_host.createUndoBuffer = [](IconImage& img) { CreateUndoBuffer(img); };
}

bool StudioDocument::ConfirmDiscard() {
    m_engine.LeaveDrawingState();
    return ConfirmDiscardChanges(m_app.doc, m_host, [this] { return Save(m_app.frame, false); });
}

void StudioDocument::Attach(const FormatList& list, int selected) {
    m_views.ShowDocument(list, selected);
    m_views.TitleChanged();
}

void StudioDocument::StartBlank(int type) {
    IconResource& doc = m_app.doc;
    doc.activeFormat = ImageFormat{};
    m_app.palettes.NewDocument();
    NewResource(doc, type, m_host);
    doc.untitled = true;
    doc.modified = false;
    doc.path.clear();
    doc.fileType = type == kCursorResource ? kCursorFile : kIconFile;
}

void StudioDocument::NewDocument(int type) {
    m_views.DetachImage();
    StartBlank(type);
    ShowFormats(true);
}

void StudioDocument::ShowFormats(bool keepCurrent) {
    m_views.DetachImage();
    IconResource& doc = m_app.doc;
    FormatList list;
    // An empty document (a failed first open) has nothing to choose from.
    if (doc.images.empty() && doc.keptImages.empty()) StartBlank(kIconResource);
    // Nothing the display can show leaves no active image, but the file's images stay: they can
    // still be saved as they are, and the list says why none is being edited.
    ShowFormatList(doc, m_app.displayCode, keepCurrent, m_host, &list);
    int selected = -1;
    for (size_t i = 0; i < list.items.size(); ++i)
        if (list.items[i].position == doc.activeIndex + 1) selected = static_cast<int>(i);
    Attach(list, selected);
}

bool StudioDocument::OpenWithDialog(HWND owner) {
    if (!ConfirmDiscard()) return false;
    std::string path;
    int type = m_app.state.openFileType;
    if (!AskOpenPath(owner, &path, &type)) return false;
    m_app.state.openFileType = type;
    return Open(path, type);
}

bool StudioDocument::Open(const std::string& path, int fileType) {
    m_engine.LeaveDrawingState();
    m_views.DetachImage();
    bool ok = false;
    if (fileType >= kGifFile) {
        ok = OpenGifFile(m_app.doc, m_host, path);
    } else {
        ok = ReadIconFile(m_app.doc, path, m_host);
    }
    if (!ok) {
        if (m_app.mru.Remove(path)) m_views.RecentFilesChanged();
        ShowFormats(true);
        return false;
    }
    if (fileType < kGifFile)
        m_app.doc.fileType =
            fileType == kCursorFile || m_app.doc.IsCursor() ? m_app.doc.resourceType : kIconFile;
    if (!m_app.serverMode) {
        m_app.mru.Add(path, m_app.doc.fileType);
        m_views.RecentFilesChanged();
    }
    ShowFormats(false);
    return true;
}

bool StudioDocument::Save(HWND owner, bool saveAs) {
    m_engine.LeaveDrawingState();
    IconResource& doc = m_app.doc;
    std::string target = doc.path;
    int type = doc.fileType;
    if (doc.untitled || saveAs) {
        const IconImage* img = doc.ActiveImage();
        int chosen = m_app.state.saveAsFileType;
        if (!AskSaveAsPath(owner, doc.IsCursor(), img && img->colorCode == kMonochrome, &target,
                           &chosen))
            return false;
        type = chosen;
        if (!doc.IsCursor()) m_app.state.saveAsFileType = chosen;
    }
    if (type >= kGifFile) {
        if (!SaveGifFile(m_app.instance, owner, doc, m_host, target, type)) return false;
    } else if (!WriteIconFile(doc, target)) {
        return false;
    }
    if (!m_app.serverMode) {
        m_app.mru.Add(target, doc.fileType);
        m_views.RecentFilesChanged();
    }
    m_views.TitleChanged();
    return true;
}

void StudioDocument::SelectFormat(int position) {
    // The line that says why no format is listed is not a format.
    if (position < 1) return;
    m_engine.LeaveDrawingState();
    m_views.DetachImage();
    SelectListedImage(m_app.doc, position, m_host);
    ShowFormats(true);
}

void StudioDocument::NewImageFormat(HWND owner) {
    m_engine.LeaveDrawingState();
    const NewFormatDialogState initial = InitialNewFormatState(m_app.doc, m_app.displayCode);
    RunNewFormatDialog(m_app.instance, owner, initial, [this](ImageFormat f, bool begin) {
        m_views.DetachImage();
        const NewFormatOutcome o = ApplyNewImageFormat(m_app.doc, f, begin, m_host);
        // Shown again either way: the views were detached for the attempt.
        ShowFormats(true);
        return o;
    });
}

void StudioDocument::RemoveImageFormat() {
    m_engine.LeaveDrawingState();
    m_views.DetachImage();
    RemoveActiveImage(m_app.doc, m_host);
    ShowFormats(true);
}

void StudioDocument::OpenPalette(HWND owner) {
    std::string path;
    if (!AskPalettePath(owner, false, &path)) return;
    const IconImage* img = m_app.doc.ActiveImage();
    // A 256-colour image is re-mapped under the views: they let go of it and take it up again.
    const bool remaps = img && img->colorCode == kColors256;
    if (remaps) m_views.DetachImage();
    const bool loaded = OpenPaletteFile(m_app.doc, m_host, m_app.palettes, path);
    if (remaps) ShowFormats(true);
    if (loaded) m_views.PaletteLoaded();
}

void StudioDocument::SavePalette(HWND owner) {
    std::string path;
    if (!AskPalettePath(owner, true, &path)) return;
    const IconImage* img = m_app.doc.ActiveImage();
    // The palette shown is the active image's: its table, or its true-colour palette.
    if (img && img->colorCode == kColors256)
        for (uint32_t i = 0; i < 256; ++i) m_app.palettes.current[i] = img->TableColor(i);
    else if (img && img->trueColorPalette)
        m_app.palettes.current = *img->trueColorPalette;
    m_app.palettes.Save(path, "ICS");
}

bool StudioDocument::LoadSessionIcon(const ImageFormat& shown, const std::vector<std::vector<uint8_t>>& images,
                                     const std::string& name) {
    m_engine.LeaveDrawingState();
    m_views.DetachImage();
    IconResource& doc = m_app.doc;
    FreeAllImages(doc);
    doc.keptImages.clear();
    doc.resourceType = kIconResource;
    doc.fileType = kIconFile;
    // Each record is checked against its own format by FindOrCreateImage; one it refuses is left out.
    for (const std::vector<uint8_t>& image : images) FindOrCreateImage(doc, image.data(), image.size(), m_host);
    doc.activeFormat = shown;
    doc.path = name;
    doc.untitled = false;
    doc.modified = false;
    doc.commands.newImageFormat = true;
    doc.commands.setHotSpot = false;
    const bool any = !doc.images.empty();
    ShowFormats(true);
    return any;
}

void StudioDocument::FinishEditing() { m_engine.LeaveDrawingState(); }

}  // namespace vt::studio
