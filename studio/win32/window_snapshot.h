#pragma once
// Pictures of the Studio's windows for its tests: the frame, the palette and the preview window
// painted through WM_PRINT into one bitmap at their screen positions, written as a BMP file.
// Works without a visible desktop (the tests run on a display driver that shows nothing).

#include <windows.h>

#include <string>
#include <vector>

namespace vt::studio {

// The WM_COPYDATA tag with which a test asks for a snapshot; the data is the target path.
inline constexpr ULONG_PTR kSnapshotRequest = 0x56545353;

bool WriteWindowSnapshot(const std::vector<HWND>& windows, const std::string& path);

}  // namespace vt::studio
