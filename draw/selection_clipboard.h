#pragma once
// What the clipboard commands do to the selection: Copy takes its pixels, Clear (and the second
// half of Cut) empties its area, Paste puts prepared pixels down as a new floating selection.
// The clipboard itself is the shell's.

#include "draw/ink.h"
#include "image/clipboard_block.h"

namespace vt {

class DrawEngine;

// The selection's pixels with the active image's table, positions relative to the selection's
// top-left corner; empty (0 x 0) without a selection or without contents.
ClipBlock SelectionClipBlock(DrawEngine& engine);

// Clear: the selection's area inside the image takes colour B as one "Edit" operation, the bits
// are committed and the selection ends. A lifted selection has already left colour B behind, so
// its open lift is what gets recorded; a pasted picture is dropped unwritten.
void ClearSelection(DrawEngine& engine);

// The pasted pixels become the floating selection with its top-left corner at the image's
// top-left corner, any selection before it put down first; or, `intoSelection`, they take the
// current selection's floating pixels at its place (the paste was fitted to its size). Pixels of
// a paste are opaque or transparent as their masked flag says.
void PlacePaste(DrawEngine& engine, const PastePixels& paste, bool intoSelection);

}  // namespace vt
