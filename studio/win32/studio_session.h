#pragma once
// The Studio in server mode: the edit session with the Librarian that started it, through the
// editors' shared session client. The frame hands it its DDE messages, the Update commands and
// the close questions.

#include <windows.h>

#include <memory>

#include "common/win32/edit_session_client.h"
#include "studio/win32/studio_document.h"

namespace vt::studio {

class StudioSession : public EditSessionDocument {
  public:
    StudioSession(HWND frame, StudioDocument& document, Prompt& prompt);

    // Start-up: connects and loads the Librarian's icon; false when the program is to end.
    bool Start(char modeLetter, const std::string& topic);
    // "&Update Librarian" (1031) and "Update Librarian &and Exit" (1032).
    void Update(bool andExit);
    // Closing: true when the window may close now; false keeps it (Cancel, or an update on its
    // way that closes the program once the Librarian has taken it).
    bool ConfirmClose();
    // The end of the Windows session: the question, an update when asked for, the conversation
    // ended. False when the user cancelled.
    bool ConfirmEndOfWindowsSession();
    void OnDdeMessage(UINT msg, WPARAM wp, LPARAM lp) { m_client.OnDdeMessage(msg, wp, lp); }
    bool Connected() const { return m_client.Connected(); }

    // EditSessionDocument.
    bool ReceiveIcon(const EditIconBlock& icon) override;
    std::vector<const IconImage*> ImagesToSend() override;
    void CloseProgram() override;

  private:
    // The close question (No without asking when nothing changed).
    PromptAnswer AskUpdate();

    HWND m_frame;
    StudioDocument& m_document;
    Prompt& m_prompt;
    EditSessionClient m_client;
};

inline constexpr const char* kIconChangedText =
    "The icon has been changed.\n\nDo you want to update the image in your folder?";

}  // namespace vt::studio
