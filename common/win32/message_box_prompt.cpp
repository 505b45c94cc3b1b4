#include "common/win32/message_box_prompt.h"

namespace vt {

PromptAnswer MessageBoxPrompt::Show(const PromptMessage& message) {
    UINT icon = 0;
    switch (message.icon) {
        case PromptIcon::None: icon = 0; break;
        case PromptIcon::Information: icon = MB_ICONINFORMATION; break;
        case PromptIcon::Exclamation: icon = MB_ICONEXCLAMATION; break;
        case PromptIcon::Question: icon = MB_ICONQUESTION; break;
        case PromptIcon::Stop: icon = MB_ICONSTOP; break;
    }
    UINT buttons = MB_OK;
    switch (message.buttons) {
        case PromptButtons::Ok: buttons = MB_OK; break;
        case PromptButtons::OkCancel: buttons = MB_OKCANCEL; break;
        case PromptButtons::YesNo: buttons = MB_YESNO; break;
        case PromptButtons::YesNoCancel: buttons = MB_YESNOCANCEL; break;
        case PromptButtons::RetryCancel: buttons = MB_RETRYCANCEL; break;
        case PromptButtons::AbortRetryIgnore: buttons = MB_ABORTRETRYIGNORE; break;
    }
    UINT def = message.defaultButton == 1 ? MB_DEFBUTTON2 : message.defaultButton == 2 ? MB_DEFBUTTON3 : 0;
    if (message.beep) MessageBeep(icon);
    const std::string& caption = message.caption.empty() ? m_caption : message.caption;
    switch (MessageBoxA(m_owner, message.text.c_str(), caption.c_str(), icon | buttons | def)) {
        case IDOK: return PromptAnswer::Ok;
        case IDCANCEL: return PromptAnswer::Cancel;
        case IDYES: return PromptAnswer::Yes;
        case IDNO: return PromptAnswer::No;
        case IDRETRY: return PromptAnswer::Retry;
        case IDABORT: return PromptAnswer::Abort;
        case IDIGNORE: return PromptAnswer::Ignore;
        default: return PromptAnswer::Cancel;
    }
}

}  // namespace vt
