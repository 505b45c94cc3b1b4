#pragma once
// The core's way of telling the user something or asking a question. The texts, icon, buttons
// and beep are decided where the rule lives; the Win32 shell shows them with MessageBeep and
// MessageBox, and tests use ScriptedPrompt to see exactly what was asked.

#include <deque>
#include <string>
#include <vector>

namespace vt {

enum class PromptIcon { None, Information, Exclamation, Question, Stop };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class PromptAnswer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

struct PromptMessage {
    std::string text;
    std::string caption;  // the program's title; the shell fills it in when empty
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButtons::Ok;
    bool beep = true;       // the matching message beep before the box
    int defaultButton = 0;  // 0-based index of the default button
};

class Prompt {
public:
    virtual ~Prompt() = default;
    virtual PromptAnswer Show(const PromptMessage& message) = 0;

    // Shorthands for the common shapes.
    void Tell(const std::string& text, PromptIcon icon = PromptIcon::Exclamation) {
        Show({text, {}, icon, PromptButtons::Ok, true, 0});
    }
    PromptAnswer Ask(const std::string& text, PromptButtons buttons,
                     PromptIcon icon = PromptIcon::Question) {
        return Show({text, {}, icon, buttons, true, 0});
    }
};

// Records every message and answers from a queue; with the queue empty it answers the first
// button's natural answer (Ok or Yes or Retry or Abort).
class ScriptedPrompt : public Prompt {
public:
    PromptAnswer Show(const PromptMessage& message) override;

    void Answer(PromptAnswer a) { m_answers.push_back(a); }
    const std::vector<PromptMessage>& shown() const { return m_shown; }
    // The texts shown, in order.
    std::vector<std::string> texts() const;
    void Clear() { m_shown.clear(); }

private:
    std::deque<PromptAnswer> m_answers;
    std::vector<PromptMessage> m_shown;
};

// Formats like the C library's snprintf into a std::string (message texts with %s and %d).
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace vt
