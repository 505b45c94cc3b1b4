#pragma once
// The "Blend Color" dialog: red, green and blue each with a track bar, an edit field and an
// up-down control, and a sample of the colour being built.

#include <windows.h>

#include <cstdint>
#include <optional>

namespace vt {

// Runs the dialog (template IDD_BLEND_COLOR) starting at `colour` (0x00BBGGRR); the new colour on
// OK, nothing on Cancel.
std::optional<uint32_t> RunBlendColorDialog(HINSTANCE instance, HWND owner, uint32_t colour);

}  // namespace vt
