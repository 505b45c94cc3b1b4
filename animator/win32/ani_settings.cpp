#include "animator/win32/ani_settings.h"

#include "animator/win32/ani_app.h"
#include "common/editor_launch.h"
#include "draw/win32/editor_settings.h"

namespace vt::animator {

namespace {
// The Animator opens one kind of file; the record's file-type fields stay 0.
constexpr int32_t kLastFileType = 0;
}  // namespace

void LoadSettings(AnimatorApp& app) {
    const EditorSettings s = LoadEditorSettings(kSection, kLastFileType);
    app.state = s.state;
    app.colorBTransparent = s.colorBTransparent;
}

void LoadRecentFiles(AnimatorApp& app) {
    app.mru = LoadMru(RecentFilesStore(kSection), MruValueForm::PlainPath, kMaxPath);
}

void StoreSettings(const AnimatorApp& app) {
    if (!app.sessionMode) SaveMru(app.mru, RecentFilesStore(kSection), MruValueForm::PlainPath);
    StoreEditorSettings(kSection, {app.state, app.colorBTransparent});
}

}  // namespace vt::animator
