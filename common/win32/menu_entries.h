#pragma once
// Menu entries that come and go in the editors' menu bars: the recently-used files above Exit and
// the palette-file entries at the end of the Edit menu, found by their command ids (the Studio's
// and the Animator's menus differ in length).

#include <windows.h>

#include <string>
#include <vector>

namespace vt {

void SetMenuText(HMENU menu, UINT id, const std::string& text);
// The position of the entry with `id` in `menu` (not in its pop-ups), or -1.
int MenuPosition(HMENU menu, UINT id);

// Puts `labels` (at most four, "&%d ...") in front of the entry exitId of fileMenu as the commands
// firstId, firstId + 1, ..., with a separator before them; the old ones and their separator go
// first. No labels: no entries and no separator.
void UpdateRecentMenu(HMENU fileMenu, UINT firstId, UINT exitId, const std::vector<std::string>& labels);

// "Ope&n Color Palette..." (openId) and "Sa&ve Color Palette..." (saveId) with a separator before
// them at the end of editMenu while `shown`; taken away otherwise.
void UpdatePaletteFileMenu(HMENU editMenu, bool shown, UINT openId, UINT saveId);

}  // namespace vt
