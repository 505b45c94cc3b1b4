#include "studio/studio_launch.h"

#include <algorithm>

#include "common/mru_list.h"

namespace vt {

StudioCommandLine ParseStudioCommandLine(std::string_view args) {
    StudioCommandLine cl;
    while (!args.empty() && (args.front() == ' ' || args.front() == '\t')) args.remove_prefix(1);
    while (!args.empty() && (args.back() == ' ' || args.back() == '\t' || args.back() == '\r' ||
                             args.back() == '\n'))
        args.remove_suffix(1);
    if (args.empty()) return cl;
    if (args == "#") {
        cl.launch = StudioLaunch::NewCursor;
        return cl;
    }
    if (args.front() == '!') {
        cl.launch = StudioLaunch::Server;
        if (args.size() >= 2) cl.modeLetter = args[1];
        for (size_t i = 2; i < args.size(); ++i) {
            unsigned char c = static_cast<unsigned char>(args[i]);
            if (c <= ' ') break;
            cl.topic += args[i];
        }
        return cl;
    }
    // A path the shell handed over in quotes (names with spaces) is taken without them.
    if (args.size() >= 2 && args.front() == '"' && args.back() == '"')
        args = args.substr(1, args.size() - 2);
    if (args.empty() || args.size() >= kMaxPath) return cl;  // cannot name a file: a new document
    cl.launch = StudioLaunch::OpenFile;
    cl.path = std::string(args);
    return cl;
}

std::string StudioTitle(bool serverMode, const std::string& pathOrName, bool untitled) {
    if (serverMode) return "Vantoro Studio- [" + WithoutIcoExtension(pathOrName) + "]";
    if (untitled) return "Vantoro Studio- untitled";
    size_t cut = pathOrName.find_last_of('\\');
    std::string name = cut == std::string::npos ? pathOrName : pathOrName.substr(cut + 1);
    return "Vantoro Studio- " + WithoutIcoExtension(name);
}

Rect32 DefaultFramePlacement(const FrameMetrics& m, bool toolBarShown) {
    Rect32 r;
    r.width = 2 * m.frameBorder + 466;
    r.height = m.caption + m.menu + 2 * m.frameBorder + 322 + (toolBarShown ? 36 : 8);
    r.left = m.screenWidth - 2 * m.frameBorder - r.width - 182;
    r.top = (m.screenHeight - r.height) / 2;
    return r;
}

Rect32 ClampToScreen(Rect32 r, int screenWidth, int screenHeight) {
    r.left = std::clamp(r.left, 0, std::max(0, screenWidth - r.width));
    r.top = std::clamp(r.top, 0, std::max(0, screenHeight - r.height));
    return r;
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
