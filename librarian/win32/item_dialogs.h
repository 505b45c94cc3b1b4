#pragma once
// The Librarian's dialogs about one icon or the whole file: Rename Icon (also "Name New Copy"),
// Icon Properties and File Properties. Their entry points are declared with the program's state
// in librarian_app.h; this header holds what they share with the icon window.

#include <windows.h>

#include <cstddef>

namespace vt::librarian {

// The icon's image for a dialog: of the current format when it has one, else the one chosen for
// the large icon size; drawn at its own size. nullptr when the icon shows nothing.
HICON MakeDialogImage(size_t iconIndex, bool preferCurrentFormat);

}  // namespace vt::librarian
