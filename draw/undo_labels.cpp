#include "draw/undo_labels.h"

#include <algorithm>
#include <cstring>

namespace vt {

namespace {

constexpr const char* kCommonLabels[] = {
    "Edit",
    "Pencil",
    "Line",
    "Brush",
    "Flood",
    "Erase",
    "Rectangle",
    "Filled Rectangle",
    "Solid Rectangle",
    "Ellipse",
    "Filled Ellipse",
    "Solid Ellipse",
};

UndoLabels WithCommon() {
    UndoLabels labels;
    int code = 0;
    for (const char* text : kCommonLabels) labels.Set(code++, text);
    return labels;
}

// The space after the verb stays when there is nothing to name: "&Undo \tCtrl+Z".
std::string MenuText(const char* verb, const std::string& label, bool enabled, const char* key) {
    std::string text = std::string(verb) + " ";
    if (enabled) text += label;
    return text + "\t" + key;
}

}  // namespace

void UndoLabels::Set(int code, std::string_view text) {
    if (code < 0 || code >= kSlots) return;
    auto& slot = m_slots[static_cast<size_t>(code)];
    slot.fill(0);
    std::memcpy(slot.data(), text.data(), std::min<size_t>(text.size(), kSlotBytes - 1));
}

std::string UndoLabels::Get(int code) const {
    if (code < 0 || code >= kSlots) return {};
    return std::string(m_slots[static_cast<size_t>(code)].data());
}

UndoLabels UndoLabels::Studio() {
    UndoLabels labels = WithCommon();
    // Code 12 is recorded both by the nudge commands and by the text tool.
    labels.Set(12, "Nudge/Text");
    labels.Set(13, "Flip");
    return labels;
}

UndoLabels UndoLabels::Animator() {
    UndoLabels labels = WithCommon();
    labels.Set(12, "Nudge");
    labels.Set(13, "Flip");
    return labels;
}

std::string UndoLabels::UndoMenuText(int code, bool enabled) const {
    return MenuText("&Undo", Get(code), enabled, "Ctrl+Z");
}

std::string UndoLabels::RedoMenuText(int code, bool enabled) const {
    return MenuText("&Redo", Get(code), enabled, "Ctrl+Y");
}

}  // namespace vt
