#include "common/editor_launch.h"

namespace vt {

EditorCommandLine ParseEditorCommandLine(std::string_view args, bool acceptsNewCursor) {
    EditorCommandLine cl;
    while (!args.empty() && (args.front() == ' ' || args.front() == '\t')) args.remove_prefix(1);
    while (!args.empty() && (args.back() == ' ' || args.back() == '\t' || args.back() == '\r' ||
                             args.back() == '\n'))
        args.remove_suffix(1);
    if (args.empty()) return cl;
    if (acceptsNewCursor && args == "#") {
        cl.launch = EditorLaunch::NewCursor;
        return cl;
    }
    if (args.front() == '!') {
        cl.launch = EditorLaunch::Session;
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
    if (args.empty() || args.size() >= kMaxPath) return cl;
    cl.launch = EditorLaunch::OpenFile;
    cl.path = std::string(args);
    return cl;
}

}  // namespace vt
