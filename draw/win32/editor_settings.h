#pragma once
// An editor's settings through VTAPP, in its section ("Studio", "Animator"): "Persistent" holds
// "Color B Mode" ("1" transparent, "0" opaque) and "State" (the 912-byte EditorState record);
// "MRU List" holds the recently-used files (common/mru_store.h). What is read is validated before
// it is used: a "State" of another size gives the defaults.

#include "common/editor_state.h"
#include "common/mru_store.h"

namespace vt {

struct EditorSettings {
    EditorState state;
    bool colorBTransparent = false;
};

// lastFileType bounds the Open and Save As file types kept in the record.
EditorSettings LoadEditorSettings(const char* section, int32_t lastFileType);
void StoreEditorSettings(const char* section, const EditorSettings& settings);
// The section's "MRU List" key as a store for LoadMru and SaveMru.
MruStore RecentFilesStore(const char* section);

}  // namespace vt
