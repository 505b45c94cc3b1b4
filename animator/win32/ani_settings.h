#pragma once
// The Animator's settings in the section "Animator": "Color B Mode" and "State" under
// "Persistent", the recent files under "MRU List" as plain paths.

namespace vt::animator {

struct AnimatorApp;

void LoadSettings(AnimatorApp& app);
// Not in an edit session: sessions neither read nor write the recent files.
void LoadRecentFiles(AnimatorApp& app);
void StoreSettings(const AnimatorApp& app);

}  // namespace vt::animator
