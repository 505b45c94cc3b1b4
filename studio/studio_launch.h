#pragma once
// The Studio's own reading of its start: the file type of a path and the frame's title. The
// command line itself is read by common/editor_launch.h.

#include <string>
#include <cstdint>
#include <string_view>

#include "common/editor_launch.h"

namespace vt {

// The Studio's client area below the tool bar, for the frame's default place.
inline constexpr int kStudioClientWidth = 466;
inline constexpr int kStudioClientHeight = 322;
// The Open and Save As dialogs' file types run from 1 to this.
inline constexpr int32_t kStudioLastFileType = 4;

// The file type a path given without one (command line, dropped file) is opened as: "2" for a
// ".cur" file, "3" (the GIF reader) for a ".gif" file, else "1", an icon file; any letter case.
int FileTypeForPath(std::string_view path);

// "Vantoro Studio- <file name>" (or "untitled") standalone, "Vantoro Studio- [<name>]" in server
// mode; a trailing ".ico" in any case is dropped.
std::string StudioTitle(bool serverMode, const std::string& pathOrName, bool untitled);

}  // namespace vt
