#pragma once
// The Studio's settings through VTAPP: the persistent "State" record, "Color B Mode" and the
// recently-used list. What is read is validated by the core before it is used.

namespace vt::studio {

struct StudioApp;

void LoadSettings(StudioApp& app);
void LoadRecentFiles(StudioApp& app);
// At the end of the program: the recently-used list only in standalone mode.
void StoreSettings(const StudioApp& app);

}  // namespace vt::studio
