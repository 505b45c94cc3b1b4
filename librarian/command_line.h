#pragma once
// The Librarian's command line: "|" asks for the system's default place (another window started
// by New Window), anything else is a file to open.

#include <string>

namespace vt {

struct LibrarianCommandLine {
    bool defaultPlace = false;
    std::string path;  // "" when there is none
};

// Blanks are skipped, quotes removed, and the path cut at 260 characters.
LibrarianCommandLine ParseLibrarianCommandLine(const std::string& text);

}  // namespace vt
