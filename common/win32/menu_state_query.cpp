#include "common/win32/menu_state_query.h"

namespace vt {

UINT MenuStateQueryMessage() {
    static const UINT message = RegisterWindowMessageA("VantoroMenuItemState");
    return message;
}

LRESULT AnswerMenuStateQuery(HWND window, WPARAM id) {
    HMENU menu = GetMenu(window);
    if (!menu) return 0;
    UINT state = GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND);
    return state == 0xFFFFFFFF ? 0 : static_cast<LRESULT>(state) + 1;
}

}  // namespace vt
