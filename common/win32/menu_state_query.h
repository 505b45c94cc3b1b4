#pragma once
// Lets a test driver or other automation ask a program for the state of one of its menu items.
// Menus belong to their process under Wine, so GetMenuState on another program's menu fails
// there; the program answers this registered message for its own menu bar instead.

#include <windows.h>

namespace vt {

UINT MenuStateQueryMessage();
// The state of item `id` (MF_* flags) plus one, or 0 when the menu bar has no such item.
LRESULT AnswerMenuStateQuery(HWND window, WPARAM id);

}  // namespace vt
