#pragma once
// GIF files in the Studio's Open and Save: file types 3 ("GIF Format") and 4 ("Interlaced GIF").

#include <windows.h>

#include <string>

#include "image/icon_resource.h"

namespace vt::studio {

// Reads the file as a one-image GIF document (resource type 3, New Image Format disabled). A file
// the reader refuses has been reported and leaves a new blank icon; the open then fails.
bool OpenGifFile(IconResource& doc, ImageHost& host, const std::string& path);

// Saves the active image as a GIF file of `fileType` (4: interlaced). A true-colour image is
// refused with the "Cannot Complete Request" dialog; the writer's questions may cancel. On
// success the document is titled with `path` and has nothing left to save.
bool SaveGifFile(HINSTANCE instance, HWND owner, IconResource& doc, ImageHost& host,
                 const std::string& path, int fileType);

}  // namespace vt::studio
