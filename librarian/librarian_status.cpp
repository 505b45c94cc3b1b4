#include "librarian/librarian_status.h"

namespace vt {

const char* LibStatusText(LibStatus status) {
    switch (status) {
        case LibStatus::Ok:
            return "ok";
        case LibStatus::NoIcons:
            return "no icons found in file";
        case LibStatus::CannotOpen:
            return "cannot open file";
        case LibStatus::ReadError:
            return "error reading file";
        case LibStatus::Cascade:
            return "unexpected resource directory nesting";
        case LibStatus::OutOfMemory:
            return "out of memory";
        case LibStatus::WorkspaceError:
            return "workspace file error";
        case LibStatus::NotRecognised:
            return "not a file type that contains icons";
        case LibStatus::TooManyResources:
            return "too many resources for a library";
        case LibStatus::WriteError:
            return "write error";
        case LibStatus::Refused:
            return "not allowed for this file";
    }
    return "unknown";
}

}  // namespace vt
