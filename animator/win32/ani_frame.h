#pragma once
// The Animator's frame window, class "ANIFrame": menus, tool bar, status bar, the edit grid with
// its tool box, the frame list, and the palette, preview and text windows it owns.

#include <windows.h>

#include <memory>
#include <string>

#include "animator/animation.h"
#include "common/win32/close_guard.h"
#include "common/win32/edit_session_client.h"
#include "common/win32/message_box_prompt.h"
#include "common/win32/window_dispatch.h"
#include "draw/draw_engine.h"
#include "draw/win32/edit_commands.h"
#include "draw/win32/edit_grid.h"
#include "draw/win32/palette_window.h"
#include "draw/win32/selection_frame.h"
#include "draw/win32/tool_box.h"
#include "draw/win32/view_colors.h"
#include "image/image_host.h"

namespace vt::animator {

inline constexpr const char* kAnimationChangedText =
    "The animated cursor has been changed.\n\nDo you want to update the image in your folder?";

class AnimatorPreview;
class FrameList;

class AnimatorFrame : public EditDocument, public EditSessionDocument {
public:
    static bool Register(HINSTANCE instance);
    // Creates the frame and its children; the caller places and shows it.
    static AnimatorFrame* Create(HINSTANCE instance);

    HWND hwnd() const { return m_hwnd; }
    // The palette, preview and text windows beside the frame.
    void CreateToolWindows();
    // Shows the windows with the animation made or opened at start-up.
    void Start();

    // Replaces the animation with a file; on failure a new animation takes its place and the
    // file leaves the recent list. Does not ask about changes.
    bool OpenPath(const std::string& path);
    // A new, untitled animation of one blank frame. Does not ask about changes.
    void NewAnimation(int32_t colorCode);
    // Start-up in an edit session for the Librarian: connects and fills the animation (the
    // Librarian's images, or one blank frame for "N"). False when the program is to end.
    bool StartSession(char modeLetter, const std::string& topic);

    // EditDocument.
    void MarkModified() override;
    void OpenBitmap(const std::string& path) override;
    EditorState& editorState() override;

    // EditSessionDocument.
    bool ReceiveIcon(const EditIconBlock& icon) override;
    std::vector<const IconImage*> ImagesToSend() override;
    void CloseProgram() override;

private:
    AnimatorFrame();
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    template <class Window>
    friend LRESULT vt::DispatchToWindow(HWND, UINT, WPARAM, LPARAM, const char*);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnCreate();
    void OnCommand(int id, int code);
    void OnPaint(HDC given);
    LRESULT OnNotify(NMHDR* header);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void OnClose();
    void OnDestroy();
    bool OnCopyData(const COPYDATASTRUCT& data);

    // Every editing command, Open, Save and New first stop the preview and leave drawing state.
    void StopAndLeave();
    // The engine, the preview and the palette let go of the frame images before they change, and
    // take up the selected frame's afterwards.
    void DetachImage();
    void AttachSelected();
    // After the frames were rebuilt or changed in number: list, slider, selected frame.
    void FramesChanged();
    void SelectFrame(int index);

    void OpenWithDialog();
    void OpenRecent(int index);
    bool Save(bool askName);
    // Asks about a modified animation before it is closed or replaced; true to go on.
    bool ConfirmClose();
    // In an edit session: "&Update Librarian" and "Update Librarian &and Exit".
    void UpdateLibrarian(bool andExit);
    // Closing in an edit session: the update question; true when the window may close now, false
    // to keep it (Cancel, or an update on its way that closes the program once taken).
    bool ConfirmSessionClose();
    // The end of the Windows session in an edit session: the question, the update when asked
    // for, the conversation ended. False when the user cancelled.
    bool ConfirmSessionEndOfWindows();
    PromptAnswer AskSessionUpdate();
    bool SessionConnected() const { return m_session && m_session->Connected(); }
    void NewCommand();
    void InsertFramesCommand();
    void RemoveFrameCommand();
    void ConvertDepthCommand();
    void PropertiesCommand();
    void OpenPaletteCommand();
    void SavePaletteCommand();

    void Layout();
    void ToggleView(int id);
    void RefreshCommandStates();
    void UpdateMenus();
    void UpdateRecentMenu();
    void UpdatePaletteMenu();
    void TitleChanged();
    void SetStatus(int part, const std::string& text);
    bool SetGridCursor();
    int ToolBarHeight() const;
    int StatusBarHeight() const;
    void RememberPositions();
    void OnPlayingChanged();
    void RepaintFrames();

    CloseGuard m_closeGuard;
    HWND m_hwnd = nullptr;
    HWND m_toolBar = nullptr;
    HWND m_statusBar = nullptr;
    ImageHost m_host;
    std::unique_ptr<Animation> m_animation;
    std::unique_ptr<ViewColors> m_colors;
    std::unique_ptr<MessageBoxPrompt> m_prompt;
    std::unique_ptr<EditSessionClient> m_session;
    std::unique_ptr<EditGrid> m_grid;
    std::unique_ptr<SelectionFrame> m_selectionFrame;
    std::unique_ptr<DrawEngine> m_engine;
    std::unique_ptr<EditCommands> m_edit;
    std::unique_ptr<ToolBox> m_toolBox;
    std::unique_ptr<FrameList> m_frameList;
    PaletteWindow* m_palette = nullptr;
    AnimatorPreview* m_preview = nullptr;
    bool m_toolBarShown = true;
    bool m_statusBarShown = true;
    bool m_paletteShown = true;
    bool m_previewShown = true;
};

}  // namespace vt::animator
