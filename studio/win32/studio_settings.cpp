#include "studio/win32/studio_settings.h"

#include "draw/win32/editor_settings.h"
#include "studio/win32/studio_app.h"

namespace vt::studio {

void LoadSettings(StudioApp& app) {
    const EditorSettings s = LoadEditorSettings(kSection, kStudioLastFileType);
    app.state = s.state;
    app.colorBTransparent = s.colorBTransparent;
}

void LoadRecentFiles(StudioApp& app) {
    app.mru = LoadMru(RecentFilesStore(kSection), MruValueForm::PathAndType, kMaxPath);
}

void StoreSettings(const StudioApp& app) {
    if (!app.serverMode) SaveMru(app.mru, RecentFilesStore(kSection), MruValueForm::PathAndType);
    StoreEditorSettings(kSection, {app.state, app.colorBTransparent});
}

}  // namespace vt::studio
