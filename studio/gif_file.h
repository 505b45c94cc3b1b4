#pragma once
// GIF files as documents: opening one as a one-image 256-colour document, and saving the active
// image of a document as a GIF file.

#include <string>

#include "image/icon_resource.h"
#include "studio/gif_writer.h"

namespace vt {

// Reads the first image of a GIF file into `doc` (all previous images are freed) as a 256-colour
// image; the document becomes a GIF document (resource type 3) that is neither modified nor
// untitled. A file that cannot be opened fails silently. A file the Studio cannot read, or one in
// which no pixel decodes, is reported (kGifIncompatibleText and/or kGifReadErrorText) and leaves
// a new blank icon. A file whose image data stop early opens with what was decoded, and the user
// is told that the picture is incomplete (kGifIncompleteText).
bool ReadGifFile(IconResource& doc, ImageHost& host, const std::string& path);

// The bytes of the active image as a GIF file, after the questions of the GIF writer.
GifWriteStatus EncodeGifDocument(IconResource& doc, ImageHost& host, bool interlaced,
                                 std::vector<uint8_t>* out);

// Writes the active image to `path` through a temporary file named with `prefix`; afterwards the
// document is a GIF document with nothing left to save.
GifWriteStatus WriteGifFile(IconResource& doc, ImageHost& host, const std::string& path,
                            bool interlaced, const std::string& prefix = "ICS");

}  // namespace vt
