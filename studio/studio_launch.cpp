#include "studio/studio_launch.h"

#include <algorithm>

#include "common/mru_list.h"

namespace vt {

std::string StudioTitle(bool serverMode, const std::string& pathOrName, bool untitled) {
    if (serverMode) return "Vantoro Studio- [" + WithoutIcoExtension(pathOrName) + "]";
    if (untitled) return "Vantoro Studio- untitled";
    size_t cut = pathOrName.find_last_of('\\');
    std::string name = cut == std::string::npos ? pathOrName : pathOrName.substr(cut + 1);
    return "Vantoro Studio- " + WithoutIcoExtension(name);
}

int FileTypeForPath(std::string_view path) {
    const size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || path.find_first_of("\\/", dot) != std::string_view::npos)
        return 1;
    std::string ext(path.substr(dot));
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    });
    if (ext == ".cur") return 2;
    if (ext == ".gif") return 3;
    return 1;
}

}  // namespace vt
