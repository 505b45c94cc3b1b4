#include "common/win32/menu_entries.h"

namespace vt {

void SetMenuText(HMENU menu, UINT id, const std::string& text) {
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STRING;
    mi.dwTypeData = const_cast<char*>(text.c_str());
    SetMenuItemInfoA(menu, id, FALSE, &mi);
}

int MenuPosition(HMENU menu, UINT id) {
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i)
        if (GetMenuItemID(menu, i) == id) return i;
    return -1;
}

void UpdateRecentMenu(HMENU file, UINT firstId, UINT exitId, const std::vector<std::string>& labels) {
    // Separators are found by position: the entries sit between their own separator and the
    // separator before Exit.
    const int first = MenuPosition(file, firstId);
    for (UINT id = firstId; id < firstId + 4; ++id) DeleteMenu(file, id, MF_BYCOMMAND);
    if (first > 0) DeleteMenu(file, static_cast<UINT>(first - 1), MF_BYPOSITION);
    const int exitPos = MenuPosition(file, exitId);
    if (labels.empty() || exitPos < 1) return;
    UINT pos = static_cast<UINT>(exitPos - 1);
    InsertMenuA(file, pos++, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    for (size_t i = 0; i < labels.size() && i < 4; ++i)
        InsertMenuA(file, pos++, MF_BYPOSITION | MF_STRING, firstId + static_cast<UINT>(i), labels[i].c_str());
}

void UpdatePaletteFileMenu(HMENU edit, bool shown, UINT openId, UINT saveId) {
    const int open = MenuPosition(edit, openId);
    if (shown && open < 0) {
        AppendMenuA(edit, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(edit, MF_STRING, openId, "Ope&n Color Palette...");
        AppendMenuA(edit, MF_STRING, saveId, "Sa&ve Color Palette...");
    } else if (!shown && open >= 0) {
        DeleteMenu(edit, saveId, MF_BYCOMMAND);
        DeleteMenu(edit, openId, MF_BYCOMMAND);
        if (open > 0 && (GetMenuState(edit, static_cast<UINT>(open - 1), MF_BYPOSITION) & MF_SEPARATOR))
            DeleteMenu(edit, static_cast<UINT>(open - 1), MF_BYPOSITION);
    }
}

}  // namespace vt
