#pragma once
// Which colour formats a display can show, apart from the icon document types, so that code
// which keeps its own image records (the Librarian's workspace) can ask too.

#include <cstdint>

namespace vt {

// Whether an image of colour code `code` is offered on a display of capability `display`: a
// 256-colour image only on displays with more than 256 colours.
bool FormatSuitsDisplay(int32_t code, int32_t display);

}  // namespace vt
