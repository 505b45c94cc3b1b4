#pragma once
// The "Vantoro 98" notice (template 51) shown instead of the Install Icon dialog under the NT
// shell that corrupts its image list when desktop icons change.

#include <windows.h>

namespace vt {

void ShowFaultyShellNotice(HINSTANCE instance, HWND owner);

}  // namespace vt
