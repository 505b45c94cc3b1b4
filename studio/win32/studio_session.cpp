#include "studio/win32/studio_session.h"

#include "studio/win32/studio_app.h"

namespace vt::studio {

StudioSession::StudioSession(HWND frame, StudioDocument& document, Prompt& prompt)
    : m_frame(frame), m_document(document), m_prompt(prompt), m_client(*this, prompt) {}

bool StudioSession::Start(char modeLetter, const std::string& topic) {
    return m_client.Start(m_frame, modeLetter, topic);
}

bool StudioSession::ReceiveIcon(const EditIconBlock& icon) {
    return m_document.LoadSessionIcon(ImageFormat{static_cast<int32_t>(icon.width), static_cast<int32_t>(icon.height),
                                                  static_cast<int32_t>(icon.colorCode)},
                                      icon.images, icon.name);
}

std::vector<const IconImage*> StudioSession::ImagesToSend() {
    m_document.FinishEditing();
    std::vector<const IconImage*> out;
    for (const IconImage& image : g_app.doc.images)
        if (image.HasBits() && !image.untouched) out.push_back(&image);
    return out;
}

void StudioSession::CloseProgram() {
    // Nothing is left to save: the Librarian has the icon, or ended the session.
    g_app.doc.modified = false;
    PostMessageA(m_frame, WM_CLOSE, 0, 0);
}

void StudioSession::Update(bool andExit) {
    const bool sent = m_client.SendUpdate(andExit);
    // The Update commands clear the modified flag whatever became of the update.
    g_app.doc.modified = false;
    if (andExit && !sent) {
        m_client.End();
        CloseProgram();
    }
}

PromptAnswer StudioSession::AskUpdate() {
    m_document.FinishEditing();
    if (!g_app.doc.modified) return PromptAnswer::No;
    return m_prompt.Ask(kIconChangedText, PromptButtons::YesNoCancel);
}

bool StudioSession::ConfirmClose() {
    switch (AskUpdate()) {
        case PromptAnswer::Cancel: return false;
        case PromptAnswer::Yes:
            g_app.doc.modified = false;
            if (m_client.SendUpdate(true)) return false;  // closes once the Librarian has taken it
            break;
        default: break;
    }
    g_app.doc.modified = false;
    m_client.End();
    return true;
}

bool StudioSession::ConfirmEndOfWindowsSession() {
    const PromptAnswer answer = AskUpdate();
    if (answer == PromptAnswer::Cancel) return false;
    if (answer == PromptAnswer::Yes) m_client.SendUpdate(false);
    g_app.doc.modified = false;
    m_client.End();
    return true;
}

}  // namespace vt::studio
