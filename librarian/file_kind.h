#pragma once
// Deciding what a file is: from the Open dialog's type and the file's first bytes, from the first
// bytes alone for dropped files, and from the extension alone in a search.

#include <cstdint>
#include <span>
#include <string>

#include "librarian/workspace_types.h"

namespace vt {

// The Open dialog's file types, also the search types (1-based as the dialog numbers them).
enum class OpenType { IconFiles = 1, IconLibraries = 2, IconResources = 3, ProgramFiles = 4 };

// The extension of a name in lower case, without the dot ("" when there is none).
std::string LowerExtension(const std::string& path);
// The file's title: its name without folder, the part from the last "." removed (unless the "." is
// the name's first character).
std::string FileTitle(const std::string& path);

// The kind the Open dialog's type proposes for a chosen name.
int ProposedKind(OpenType type, const std::string& path);
// The proposal corrected by the file's first (up to 256) bytes.
int CorrectKind(int proposed, std::span<const uint8_t> head);
// Reads the first 256 bytes of the file and corrects the proposal; kKindUnknown when the file
// cannot be read.
int DetectFileKind(const std::string& path, int proposed);
// A dropped file has no proposal: its first bytes and, for "MZ" files, its extension decide.
int DroppedFileKind(const std::string& path, std::span<const uint8_t> head);
int DetectDroppedFileKind(const std::string& path);
// The kind of a file found by a search of the given type, or kKindUnknown when it does not match
// (names of 4 characters or fewer never match).
int SearchFileKind(OpenType type, const std::string& name);

}  // namespace vt
