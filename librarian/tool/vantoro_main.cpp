// vantoro: the suite's engine on the command line, for scripts and for Linux users.
#include <cstdio>
#include <cstring>

#include "librarian/tool/tool.h"

namespace vt::tool {
namespace {

struct CommandHelp {
    const char* name;
    const char* usage;
    const char* text;
};

const CommandHelp kCommands[] = {
    {"info", "vantoro info [--json] FILE...",
     "Lists the icons of icon and cursor files, icon libraries and program files: each icon's\n"
     "resource ID or name and every image as stored (size and colours, \"PNG 256×256\" for\n"
     "PNG-compressed images, \"unreadable header\" for images whose header makes no sense).\n"
     "For an animated cursor (.ani): frames with their hot spots, steps with their rates in\n"
     "jiffies (1/60 s), title and author.\n"
     "  --json   one JSON document for all files, for scripts\n"},
    {"extract", "vantoro extract [--names id|position] FILE... -o DIR",
     "Writes one icon file per icon group into DIR, holding every image of the group in the\n"
     "group's order with its bytes exactly as stored (PNG and large images included).\n"
     "Files are named FILE_ID.ico for numbered groups and FILE_NAME.ico for named ones.\n"
     "An animated cursor gives one .cur file per frame (FILE_frameN.cur).\n"
     "  --names position   number the files by the icon's position in the file instead\n"},
    {"library", "vantoro library OUT.icl FILE...",
     "Writes one icon library holding every icon of the files. A library keeps only images of\n"
     "up to 17,408 bytes that are not PNG-compressed; every image left out is named, and an\n"
     "icon left with no image is skipped (and named).\n"},
    {"search", "vantoro search DIR [--type N] [--recurse] [-v] [--json]",
     "Counts the icons of the matching files under DIR; -v lists the files.\n"
     "  --type N    1 icon files, libraries and programs (default), 2 libraries,\n"
     "              3 icon files, 4 programs\n"
     "  --recurse   search subfolders too (-r)\n"
     "  --json      with -v: one JSON document with every file's icons and images\n"},
    {"make", "vantoro make OUT.ico|OUT.cur INPUT.bmp|INPUT.gif|INPUT.ico [options]",
     "Makes an icon or cursor from a picture with the suite's own colour conversion: the\n"
     "picture is fitted into a square, resampled to every size and reduced to every depth\n"
     "asked for (256 colours with the octree quantizer). Transparent pixels come from a GIF's\n"
     "transparent index, an icon's mask, or a bitmap's masked colour (its top-left pixel).\n"
     "  --size 16,32,48         image sizes (icons: 16,32,48; cursors: 32)\n"
     "  --colors 2,16,256,true  colour depths (icons: 16,256; cursors: 16)\n"
     "  --hotspot X,Y           a cursor's hot spot, in pixels of the picture (default 0,0)\n"
     "  --transparent RRGGBB|none   a bitmap's masked colour instead of its top-left pixel\n"},
};

const char kOverview[] =
    "usage: vantoro COMMAND ...\n"
    "\n"
    "  vantoro info [--json] FILE...         list icons, images and animated cursors\n"
    "  vantoro extract FILE... -o DIR        write every icon, losslessly, as .ico files\n"
    "  vantoro library OUT.icl FILE...       write one icon library of the files' icons\n"
    "  vantoro search DIR [--type N] [-r] [-v] [--json]\n"
    "                                        count (and list) the icons of files under DIR\n"
    "  vantoro make OUT.ico INPUT [--size L] [--colors L] [--hotspot X,Y]\n"
    "                                        make an icon or cursor from a picture\n"
    "\n"
    "vantoro COMMAND --help tells more of each command.\n"
    "Exit status: 0 everything asked for was done, 1 something was left out, unreadable or not\n"
    "written (each named on standard error), 2 bad command line.\n";

const CommandHelp* FindCommand(const std::string& name) {
    for (const CommandHelp& c : kCommands)
        if (name == c.name) return &c;
    return nullptr;
}

}  // namespace

void Complain(const std::string& text) {
    std::fprintf(stderr, "vantoro: %s\n", Printable(text).c_str());
}

std::string Printable(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return out;
}

int Usage(const std::string& command, const std::string& problem) {
    if (!problem.empty()) Complain(problem);
    if (const CommandHelp* c = FindCommand(command))
        std::fprintf(stderr, "usage: %s\n", c->usage);
    else
        std::fputs(kOverview, stderr);
    return kExitUsage;
}

int Main(int argc, char** argv) {
    Args args(argv + 1, argv + argc);
    if (args.empty()) return Usage("", "");
    std::string command = args[0];
    args.erase(args.begin());
    if (command == "--help" || command == "-h" || command == "help") {
        const CommandHelp* c = args.empty() ? nullptr : FindCommand(args[0]);
        if (c)
            std::printf("usage: %s\n\n%s", c->usage, c->text);
        else
            std::fputs(kOverview, stdout);
        return kExitOk;
    }
    const CommandHelp* help = FindCommand(command);
    if (!help) return Usage("", "unknown command: " + command);
    for (const std::string& a : args)
        if (a == "--help" || a == "-h") {
            std::printf("usage: %s\n\n%s", help->usage, help->text);
            return kExitOk;
        }
    if (command == "info") return Info(args);
    if (command == "extract") return Extract(args);
    if (command == "library") return Library(args);
    if (command == "search") return Search(args);
    return Make(args);
}

}  // namespace vt::tool

int main(int argc, char** argv) {
    return vt::tool::Main(argc, argv);
}
