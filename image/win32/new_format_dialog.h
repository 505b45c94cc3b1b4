#pragma once
// The "New Image Format" dialog: colour depth, size and "Begin New Image using Current Image".
// OK hands the choice to the document's rule (ApplyNewImageFormat), which may keep the dialog
// open after a refusal or a declined replacement.

#include <windows.h>

#include <functional>

#include "image/format_commands.h"

namespace vt {

// Runs the dialog (template IDD_NEW_FORMAT from `instance`). `apply` is called on OK with the
// chosen format and check box; the dialog closes unless it answers StayOpen. Returns whether a new
// format was made.
bool RunNewFormatDialog(HINSTANCE instance, HWND owner, const NewFormatDialogState& initial,
                        const std::function<NewFormatOutcome(ImageFormat, bool)>& apply);

}  // namespace vt
