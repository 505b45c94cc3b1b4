#include "librarian/command_line.h"

namespace vt {

namespace {
constexpr size_t kMaxPath = 260;
}  // namespace

LibrarianCommandLine ParseLibrarianCommandLine(const std::string& text) {
    LibrarianCommandLine out;
    size_t at = text.find_first_not_of(" \t");
    if (at == std::string::npos) return out;
    if (text[at] == '|') {
        out.defaultPlace = true;
        at = text.find_first_not_of(" \t", at + 1);
        if (at == std::string::npos) return out;
    }
    std::string path;
    for (size_t i = at; i < text.size(); ++i)
        if (text[i] != '"') path += text[i];
    while (!path.empty() && (path.back() == ' ' || path.back() == '\t')) path.pop_back();
    if (path.size() > kMaxPath) path.resize(kMaxPath);
    out.path = path;
    return out;
}

}  // namespace vt
