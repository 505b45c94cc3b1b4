#pragma once
// The answer rule of the Yes/No/Cancel save question that guards work about to be thrown away.

#include <functional>

#include "common/prompt.h"

namespace vt {

// Yes goes on only when `save` succeeds, No goes on, Cancel stops. True when the action may go on.
inline bool ProceedAfterSaveQuestion(PromptAnswer answer, const std::function<bool()>& save) {
    switch (answer) {
        case PromptAnswer::Yes:
            return save && save();
        case PromptAnswer::No:
            return true;
        default:
            return false;
    }
}

}  // namespace vt
