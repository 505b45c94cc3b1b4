#pragma once
// What the document operations need from the editor around them. Each program (Studio,
// Animator, tests) fills in the parts it has; a missing hook means "nothing to do there".

#include <cstdint>
#include <functional>

#include "common/prompt.h"
#include "image/icon_image.h"

namespace vt {

struct ImageHost {
    // Messages and questions; none are shown when null.
    Prompt* prompt = nullptr;

    // Fills `out` with the palette that a new image of `code` (256 or true colour) takes its
    // colours from. Returns false when the palette file could not be read; `out` then holds the
    // palette to go on with. Unset: the palette cannot be read and `out` stays black.
    std::function<bool(int32_t code, ColorValues256& out)> newImagePalette;
    // The user's choice of keeping a palette for new 256-colour images (New Image Format, format
    // list selection).
    std::function<void(const ColorValues256&)> setNewImagePalette;
    // Fills a new image from another by colour conversion ("Begin New Image using Current Image").
    // Returns false when the conversion failed (and was reported); the new image is then as
    // blank as it was made.
    std::function<bool(const IconImage& from, IconImage& to)> fillFromImage;
    // Makes a fresh, empty undo history for an image (the drawing engine's buffer).
    std::function<void(IconImage&)> createUndoBuffer;
    // The image's bits changed: the shell refreshes its device bitmaps and the preview.
    std::function<void(IconImage&)> bitsChanged;
    // Keep and restore the editor's undo state when the active image changes.
    std::function<void(IconImage&)> saveEditorState;
    std::function<void(IconImage&)> restoreEditorState;

    PromptAnswer Show(const PromptMessage& m) const {
        return prompt ? prompt->Show(m) : PromptAnswer::Ok;
    }
    void Tell(const std::string& text, PromptIcon icon) const {
        Show({text, {}, icon, PromptButtons::Ok, true, 0});
    }
    PromptAnswer Ask(const std::string& text, PromptButtons buttons, PromptIcon icon) const {
        // With nobody to ask, the safe answer is the one that changes nothing.
        if (!prompt)
            return buttons == PromptButtons::YesNoCancel ? PromptAnswer::Cancel : PromptAnswer::No;
        return prompt->Show({text, {}, icon, buttons, true, 0});
    }
};

// The one text for every allocation failure in the editors.
inline constexpr const char* kOutOfMemoryText =
    "Out of global memory.  Cannot complete this function.";

}  // namespace vt
