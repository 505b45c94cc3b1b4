// The Animator in an edit session for the Librarian, through the editors' shared session client:
// each image the Librarian sends becomes one frame, and the updates send every frame that has
// image bits.
#include "animator/win32/ani_app.h"
#include "animator/win32/ani_frame.h"

namespace vt::animator {

bool AnimatorFrame::StartSession(char modeLetter, const std::string& topic) {
    m_session = std::make_unique<EditSessionClient>(*this, *m_prompt);
    return m_session->Start(m_hwnd, modeLetter, topic);
}

bool AnimatorFrame::ReceiveIcon(const EditIconBlock& icon) {
    StopAndLeave();
    DetachImage();
    const bool taken = m_animation->LoadSessionImages(icon.images, icon.name);
    FramesChanged();
    return taken;
}

std::vector<const IconImage*> AnimatorFrame::ImagesToSend() {
    StopAndLeave();
    std::vector<const IconImage*> out;
    for (const Frame& frame : m_animation->frames())
        if (frame.image().HasBits()) out.push_back(&frame.image());
    return out;
}

void AnimatorFrame::CloseProgram() {
    // Nothing is left to send: the Librarian has the animation, or ended the session.
    m_animation->ClearModified();
    PostMessageA(m_hwnd, WM_CLOSE, 0, 0);
}

void AnimatorFrame::UpdateLibrarian(bool andExit) {
    const bool sent = m_session->SendUpdate(andExit);
    // The update commands clear the modified mark whatever became of the update.
    m_animation->ClearModified();
    RefreshCommandStates();
    if (andExit && !sent) {
        m_session->End();
        CloseProgram();
    }
}

PromptAnswer AnimatorFrame::AskSessionUpdate() {
    StopAndLeave();
    // Nothing changed: nothing to ask, the session just ends.
    if (!m_animation->modified()) return PromptAnswer::No;
    return m_prompt->Ask(kAnimationChangedText, PromptButtons::YesNoCancel);
}

bool AnimatorFrame::ConfirmSessionClose() {
    const PromptAnswer answer = AskSessionUpdate();
    if (answer == PromptAnswer::Cancel) return false;
    m_animation->ClearModified();
    // Yes: the program closes once the Librarian has taken the update.
    if (answer == PromptAnswer::Yes && m_session->SendUpdate(true)) return false;
    m_session->End();
    return true;
}

bool AnimatorFrame::ConfirmSessionEndOfWindows() {
    const PromptAnswer answer = AskSessionUpdate();
    if (answer == PromptAnswer::Cancel) return false;
    if (answer == PromptAnswer::Yes) m_session->SendUpdate(false);
    m_animation->ClearModified();
    m_session->End();
    return true;
}

}  // namespace vt::animator
