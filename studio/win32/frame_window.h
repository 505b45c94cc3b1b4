#pragma once
// The Studio's frame window, class "ICSFrame": menus, tool bar, status bar, the edit grid and its
// tool box, the Image Format list, and the palette and preview windows it owns.

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "common/win32/close_guard.h"
#include "common/win32/message_box_prompt.h"
#include "common/win32/window_dispatch.h"
#include "draw/draw_engine.h"
#include "draw/win32/edit_commands.h"
#include "draw/win32/edit_grid.h"
#include "draw/win32/palette_window.h"
#include "draw/win32/preview_window.h"
#include "draw/win32/selection_frame.h"
#include "draw/win32/tool_box.h"
#include "draw/win32/view_colors.h"
#include "image/win32/format_list_box.h"
#include "studio/win32/studio_document.h"
#include "studio/win32/studio_session.h"

namespace vt::studio {

inline constexpr char kFrameClass[] = "ICSFrame";
inline constexpr char kPaletteClass[] = "ICSPAlette";
inline constexpr char kPreviewClass[] = "ICSPreview";
inline constexpr char kTextClass[] = "ICSText";

class FrameWindow : public DocumentViews, public EditDocument {
public:
    static bool Register(HINSTANCE instance);
    // Creates the frame and its children; the caller places and shows it.
    static FrameWindow* Create(HINSTANCE instance);

    HWND hwnd() const { return m_hwnd; }
    // Start-up step 10 and 12: the palette and preview windows, then the first document shown.
    void CreateToolWindows();
    void Start(bool openNewCursorDialog);
    StudioDocument& document() { return *m_document; }
    // Server mode: the edit session with the Librarian (start-up step 11); false ends the program.
    bool StartSession(char modeLetter, const std::string& topic);

    // DocumentViews.
    void DetachImage() override;
    void ShowDocument(const FormatList& list, int selected) override;
    void TitleChanged() override;
    void RecentFilesChanged() override;
    void PaletteLoaded() override;

    // EditDocument.
    void MarkModified() override;
    void OpenBitmap(const std::string& path) override;
    EditorState& editorState() override;

private:
    FrameWindow() = default;
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    template <class Window>
    friend LRESULT vt::DispatchToWindow(HWND, UINT, WPARAM, LPARAM, const char*);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnCreate();
    void OnCommand(int id, int code);
    void OnPaint(HDC given);
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    LRESULT OnNotify(NMHDR* header);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void OnDropFiles(HDROP drop);
    void OnClose();
    void OnDestroy();
    bool OnCopyData(const COPYDATASTRUCT& data);
    void Layout();
    void ToggleView(int id);
    void RefreshCommandStates();
    void SetStatus(int part, const std::string& text);
    bool SetGridCursor();
    void OpenRecent(int index);
    int ToolBarHeight() const;
    int StatusBarHeight() const;
    void RememberPositions();
    // A palette file was read since the last look: the blend strip starts black.
    void FollowPaletteFile();

    CloseGuard m_closeGuard;  // commands under way (a modal dialog may be open)
    HWND m_hwnd = nullptr;
    HWND m_toolBar = nullptr;
    HWND m_statusBar = nullptr;
    std::unique_ptr<ViewColors> m_colors;
    std::unique_ptr<MessageBoxPrompt> m_prompt;
    std::unique_ptr<EditGrid> m_grid;
    std::unique_ptr<SelectionFrame> m_selectionFrame;
    std::unique_ptr<DrawEngine> m_engine;
    std::unique_ptr<StudioDocument> m_document;
    std::unique_ptr<StudioSession> m_session;
    std::unique_ptr<EditCommands> m_edit;
    std::unique_ptr<ToolBox> m_toolBox;
    std::unique_ptr<FormatListBox> m_formatList;
    PaletteWindow* m_palette = nullptr;
    PreviewWindow* m_preview = nullptr;
    bool m_toolBarShown = true;
    bool m_statusBarShown = true;
    bool m_paletteShown = true;
    bool m_previewShown = true;
    unsigned m_paletteFileReads = 0;
};

}  // namespace vt::studio
