#include "common/prompt.h"

#include <cstdarg>
#include <cstdio>

namespace vt {

PromptAnswer ScriptedPrompt::Show(const PromptMessage& message) {
    m_shown.push_back(message);
    if (!m_answers.empty()) {
        PromptAnswer a = m_answers.front();
        m_answers.pop_front();
        return a;
    }
    switch (message.buttons) {
        case PromptButtons::Ok:
        case PromptButtons::OkCancel: return PromptAnswer::Ok;
        case PromptButtons::YesNo:
        case PromptButtons::YesNoCancel: return PromptAnswer::Yes;
        case PromptButtons::RetryCancel: return PromptAnswer::Retry;
        case PromptButtons::AbortRetryIgnore: return PromptAnswer::Abort;
    }
    return PromptAnswer::Ok;
}

std::vector<std::string> ScriptedPrompt::texts() const {
    std::vector<std::string> out;
    for (const auto& m : m_shown) out.push_back(m.text);
    return out;
}

std::string Format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), fmt, args);
        out.resize(static_cast<size_t>(n));
    }
    va_end(args);
    return out;
}

}  // namespace vt
