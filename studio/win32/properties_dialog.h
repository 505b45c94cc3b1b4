#pragma once
// The "Icon Properties" dialog (View > Properties): the active image drawn as the system draws
// icons, and the facts of DescribeIcon.

#include <windows.h>

#include <string>

#include "image/icon_resource.h"

namespace vt::studio {

// Modal; nameFont is the status font for the document name (none: the dialog's font).
void RunPropertiesDialog(HINSTANCE instance, HWND owner, const IconResource& doc,
                         const std::string& thousands, HFONT nameFont);

}  // namespace vt::studio
