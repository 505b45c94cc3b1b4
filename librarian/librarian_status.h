#pragma once
// Outcomes of the Librarian core's reading and writing, as values. The shell turns them into the
// messages the user sees; the texts that belong to a rule live with that rule.

namespace vt {

enum class LibStatus {
    Ok,
    NoIcons,     // the file was read but holds no icon with an image
    CannotOpen,  // the file could not be opened
    ReadError,   // a seek, short read, malformed table or image: the read failed
    Cascade,     // unexpected nesting of a PE resource directory
    OutOfMemory,
    WorkspaceError,    // the workspace file could not be written or read
    NotRecognised,     // not a file kind that holds icons
    TooManyResources,  // the library's resource table would exceed what NE can hold
    WriteError,
    Refused,  // the operation is not allowed in this mode
};

// A short English description for logs and the command-line tool.
const char* LibStatusText(LibStatus status);

}  // namespace vt
