#pragma once
// The Librarian's frame window "VtLibMain": menu, toolbar with the "Image Format" box, status
// bar, the icon window between them, and every command of the menus.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "common/win32/close_guard.h"
#include "common/win32/message_box_prompt.h"
#include "common/win32/window_dispatch.h"
#include "librarian/search.h"
#include "librarian/win32/librarian_app.h"

namespace vt::librarian {

class FrameWindow : public FrameServices {
  public:
    static bool Register(HINSTANCE instance);
    // Creates the frame at the stored place (or the default one) with its bars and icon window.
    static FrameWindow* Create(HINSTANCE instance, bool defaultPlace);
    HWND hwnd() const { return m_hwnd; }
    // Start-up's last steps: the window shown, then the command line's file or a new workspace.
    void Start(const std::string& commandLinePath);

    // FrameServices.
    Prompt& prompt() override { return *m_prompt; }
    LibrarianExchange& exchange() override { return *g_app.exchange; }
    void SelectionChanged() override;
    void ImagesChanged(FormatBoxCause cause, const std::vector<FormatTally>& before) override;
    void ModifiedChanged() override;
    bool ConfirmReplace() override;
    void OpenDroppedFiles(const std::vector<std::string>& paths) override;
    void SearchFolders(const std::vector<std::string>& roots) override;
    void ForgetRecentFile(const std::string& path) override;
    // Through WM_COMMAND, so that a close asked for during the command's dialog waits for it.
    void Command(int id) override { SendMessageA(m_hwnd, WM_COMMAND, static_cast<WPARAM>(id), 0); }
    void RefreshCommands() override { RefreshCommandStates(); }

  private:
    FrameWindow() = default;
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    template <class Window>
    friend LRESULT vt::DispatchToWindow(HWND, UINT, WPARAM, LPARAM, const char*);
    static constexpr const char* kOutOfMemoryText = "Out of global memory.  Cannot complete this request.";
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnCreate();
    void OnCommand(int id, int code);
    LRESULT OnNotify(NMHDR* header);
    void OnClose();
    void OnDestroy();
    LRESULT OnCopyData(const COPYDATASTRUCT& data);
    void Layout();
    // The save question alone (the end of the Windows session asks only this).
    bool ConfirmReplaceAfterSessions();

    // Files.
    void NewWorkspace();
    void OpenWithDialog();
    void SearchWithDialog();
    // Reads one file as the new workspace; `direct`: the path came from the recent files, the
    // command line or a drop, so a failure takes it off the recent files.
    void OpenPath(const std::string& path, int kind, bool direct);
    void RunSearch(const std::vector<std::string>& roots, OpenType type, bool subfolders);
    // Save, or Save As for a workspace without file. True when the workspace was saved.
    bool Save();
    bool SaveAs();
    // After a save: the kind, the recent files, the title and the workspace read back. `asked`:
    // the name Save As was given, if any.
    void AfterSave(bool wrote, const std::string& asked);
    void SaveSelectedAsIco();
    void AfterReplace(FormatBoxCause cause);
    void OpenRecent(int index);

    // Edits and views.
    bool OneSelected(size_t* index) const;
    void Rename();
    void CreateCopy();
    void DeleteSelection();
    void Arrange(int key);
    void SetView(int view);
    void SelectFormat(int boxIndex);
    void RebuildFormatBox(FormatBoxCause cause, const std::vector<FormatTally>& before = {});
    void ShowProperties();

    // Bars, menus, title.
    void CreateBars();
    void RefreshCommandStates();
    void UpdateTitle();
    void UpdateRecentMenu();
    void ShowNormalStatus();
    void SetStatusParts(const std::vector<std::string>& texts);
    void RememberState();
    void NewWindow();

    HWND m_hwnd = nullptr;
    HWND m_toolBar = nullptr;
    HWND m_formatBox = nullptr;
    HWND m_statusBar = nullptr;
    bool m_toolBarShown = true;
    bool m_statusBarShown = true;
    bool m_searchStatus = false;
    // The close also waits while a message box of the icon window's drop or drag holds the
    // frame disabled.
    CloseGuard m_closeGuard{true};
    std::unique_ptr<MessageBoxPrompt> m_prompt;
    std::vector<FormatBoxEntry> m_boxEntries;
};

}  // namespace vt::librarian
