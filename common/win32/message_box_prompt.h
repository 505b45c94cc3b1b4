#pragma once
// The Win32 face of the prompt seam: the matching MessageBeep, then MessageBox.

#include <windows.h>

#include <string>

#include "common/prompt.h"

namespace vt {

class MessageBoxPrompt : public Prompt {
public:
    MessageBoxPrompt(HWND owner, std::string caption) : m_owner(owner), m_caption(std::move(caption)) {}
    void SetOwner(HWND owner) { m_owner = owner; }
    PromptAnswer Show(const PromptMessage& message) override;

private:
    HWND m_owner;
    std::string m_caption;
};

}  // namespace vt
