// vantoro: the Librarian's engine on the command line, for scripts and for Linux users.
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "librarian/file_kind.h"
#include "librarian/icon_file_writer.h"
#include "librarian/library_writer.h"
#include "librarian/reader.h"
#include "librarian/search.h"

namespace vt {
namespace {

// Exit codes scripts can rely on.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // some input could not be read, or an output not written
constexpr int kExitUsage = 2;

const char kUsage[] =
    "usage: vantoro COMMAND ...\n"
    "\n"
    "  vantoro info FILE...                  list the icons of icon files, libraries and programs\n"
    "  vantoro extract FILE... -o DIR        write one .ico file per icon into DIR\n"
    "  vantoro library OUT.icl FILE...       write one icon library holding every icon of the "
    "files\n"
    "  vantoro search DIR [--type N] [--recurse] [-v]\n"
    "                                        count the icons of matching files under DIR; -v lists "
    "them\n"
    "                                        types: 1 icon files, libraries and programs "
    "(default),\n"
    "                                        2 libraries, 3 icon files, 4 programs\n"
    "\n"
    "Exit status: 0 success, 1 some file could not be read or written, 2 bad command line.\n";

// Messages go to standard error; questions get the answer that changes nothing.
class ConsolePrompt : public Prompt {
  public:
    PromptAnswer Show(const PromptMessage& m) override {
        std::fprintf(stderr, "vantoro: %s\n", m.text.c_str());
        switch (m.buttons) {
            case PromptButtons::Ok:
                return PromptAnswer::Ok;
            case PromptButtons::OkCancel:
            case PromptButtons::RetryCancel:
                return PromptAnswer::Cancel;
            case PromptButtons::AbortRetryIgnore:
                return PromptAnswer::Abort;
            default:
                return PromptAnswer::No;
        }
    }
};

const char* KindName(int kind) {
    switch (kind) {
        case kKindIconFile:
            return "icon file";
        case kKindLibrary:
            return "icon library";
        case kKindProgram:
            return "program file";
    }
    return "not recognised";
}

// Reads one file into the workspace (appending); its icons are [*first, ws.icons().size()).
LibStatus ReadInto(Workspace& ws, const std::string& path, int* kind, size_t* first,
                   Prompt& prompt) {
    *first = ws.icons().size();
    *kind = DetectDroppedFileKind(path);
    if (*kind == kKindUnknown)
        return FileExists(path) ? LibStatus::NotRecognised : LibStatus::CannotOpen;
    if (*kind == kKindIconFile) return ReadIconFileToWorkspace(ws, path, false);
    ReadOptions o;
    o.kind = kKindProgram;  // never offer to change the file
    o.searching = true;
    o.prompt = &prompt;
    return ReadModuleIcons(ws, path, false, o);
}

void ReportFailure(const std::string& path, LibStatus st) {
    std::fprintf(stderr, "vantoro: %s: %s\n", path.c_str(), LibStatusText(st));
}

std::string FormatText(const ImageEntry& image) {
    if (image.colorCode == 1024) return Format("%dx%d, True Color", image.width, image.height);
    return Format("%dx%d, %d colors", image.width, image.height, image.colorCode);
}

int Info(const std::vector<std::string>& files) {
    ConsolePrompt prompt;
    int status = kExitOk;
    for (const std::string& path : files) {
        Workspace ws;
        if (ws.New() != LibStatus::Ok)
            return ReportFailure(path, LibStatus::WorkspaceError), kExitFailed;
        int kind;
        size_t first;
        LibStatus st = ReadInto(ws, path, &kind, &first, prompt);
        std::printf("%s: %s", path.c_str(), KindName(kind));
        if (st != LibStatus::Ok && st != LibStatus::NoIcons) {
            std::printf("\n");
            ReportFailure(path, st);
            status = kExitFailed;
            continue;
        }
        std::printf(", %zu icon%s\n", ws.icons().size(), ws.icons().size() == 1 ? "" : "s");
        for (size_t i = 0; i < ws.icons().size(); ++i) {
            const IconEntry& icon = ws.icons()[i];
            std::string id = icon.resourceName[0] ? std::string(icon.resourceName)
                             : icon.resourceId    ? std::to_string(icon.resourceId)
                                                  : "-";
            std::vector<size_t> formats = ws.FormatsOf(i);
            std::printf("  %3zu  %-24s id %-15s %zu format%s:", i + 1,
                        Workspace::ShownName(icon).c_str(), id.c_str(), formats.size(),
                        formats.size() == 1 ? "" : "s");
            for (size_t f : formats) {
                const FormatEntry& fe = ws.formats()[f];
                std::printf(" [%s]", FormatText(ws.images()[fe.imageNumber - 1]).c_str());
            }
            std::printf("\n");
        }
    }
    return status;
}

// A file name from an icon's source: the file's name and the icon's resource name or number.
std::string IconFileName(const std::string& source, const IconEntry& icon, size_t numberInFile) {
    std::string name = FileNameOf(source);
    if (icon.resourceName[0])
        name += std::string("_") + icon.resourceName;
    else if (icon.resourceId)
        name += "_" + std::to_string(icon.resourceId);
    else if (numberInFile > 0)
        name += "_" + std::to_string(numberInFile + 1);
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20) c = '_';
    return name + ".ico";
}

int Extract(const std::vector<std::string>& files, const std::string& outDir) {
    ConsolePrompt prompt;
    Workspace ws;
    if (ws.New() != LibStatus::Ok)
        return ReportFailure(outDir, LibStatus::WorkspaceError), kExitFailed;
    int status = kExitOk;
    size_t written = 0;
    std::set<std::string> used;
    for (const std::string& path : files) {
        int kind;
        size_t first;
        LibStatus st = ReadInto(ws, path, &kind, &first, prompt);
        if (st == LibStatus::NoIcons) continue;
        if (st != LibStatus::Ok) {
            ReportFailure(path, st);
            status = kExitFailed;
            continue;
        }
        for (size_t i = first; i < ws.icons().size(); ++i) {
            const std::string base = IconFileName(path, ws.icons()[i], i - first);
            std::string name = base;
            if (ws.FormatsOf(i).empty()) {
                std::fprintf(
                    stderr,
                    "vantoro: %s: no image in a format the Librarian keeps (PNG or too large)\n",
                    name.c_str());
                continue;
            }
            // Two icons of one file may come to the same name; later ones get a running number.
            for (int n = 2; used.count(name); ++n)
                name = base.substr(0, base.size() - 4) + "-" + std::to_string(n) + ".ico";
            used.insert(name);
            std::string target = outDir + "/" + name;
            LibStatus w = SaveIconAsIco(ws, i, target);
            if (w != LibStatus::Ok) {
                ReportFailure(target, w);
                status = kExitFailed;
                continue;
            }
            ++written;
        }
    }
    std::fprintf(stderr, "vantoro: %zu icon file%s written to %s\n", written,
                 written == 1 ? "" : "s", outDir.c_str());
    return status;
}

int Library(const std::string& out, const std::vector<std::string>& files) {
    ConsolePrompt prompt;
    Workspace ws;
    if (ws.New() != LibStatus::Ok)
        return ReportFailure(out, LibStatus::WorkspaceError), kExitFailed;
    int status = kExitOk;
    for (const std::string& path : files) {
        int kind;
        size_t first;
        LibStatus st = ReadInto(ws, path, &kind, &first, prompt);
        if (st != LibStatus::Ok && st != LibStatus::NoIcons) {
            ReportFailure(path, st);
            status = kExitFailed;
        }
    }
    if (ws.icons().empty()) {
        std::fprintf(stderr, "vantoro: No icons to save.\n");
        return kExitFailed;
    }
    TempFileWriter writer;
    if (!writer.Open(out, "ICM")) return ReportFailure(out, LibStatus::CannotOpen), kExitFailed;
    long n = WriteLibrary(ws, writer, prompt);
    if (n <= 0 || !writer.Commit()) {
        if (n == 0) ReportFailure(out, LibStatus::WriteError);
        return kExitFailed;
    }
    std::printf("%s: %ld icon%s, %zu images\n", out.c_str(), n, n == 1 ? "" : "s",
                ws.formats().size());
    return status;
}

int Search(const std::string& root, int type, bool recurse, bool verbose) {
    ConsolePrompt prompt;
    Workspace ws;
    SearchOptions o;
    o.type = static_cast<OpenType>(type);
    o.includeSubfolders = recurse;
    o.prompt = &prompt;
    if (verbose)
        o.onFile = [](const FoundFile& f, bool yielded) {
            if (yielded) std::printf("%s\n", f.path.c_str());
        };
    SearchCounts counts;
    LibStatus st = SearchFiles(ws, root, o, &counts);
    std::printf("Files:  %s  Icons:  %s  Images:  %s\n", WithThousands(counts.files).c_str(),
                WithThousands(counts.icons).c_str(), WithThousands(counts.images).c_str());
    return st == LibStatus::CannotOpen ? kExitFailed : kExitOk;
}

int Usage(const char* problem) {
    if (problem) std::fprintf(stderr, "vantoro: %s\n", problem);
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

}  // namespace

int Main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Usage(nullptr);
    std::string command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    args.erase(args.begin());
    for (const std::string& a : args)
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return kExitOk;
        }

    if (command == "info") {
        if (args.empty()) return Usage("info needs at least one file");
        return Info(args);
    }
    if (command == "extract") {
        std::vector<std::string> files;
        std::string outDir;
        for (size_t i = 0; i < args.size(); ++i) {
            if (args[i] == "-o") {
                if (i + 1 >= args.size()) return Usage("-o needs a folder");
                outDir = args[++i];
            } else {
                files.push_back(args[i]);
            }
        }
        if (outDir.empty()) return Usage("extract needs -o DIR");
        if (files.empty()) return Usage("extract needs at least one file");
        std::error_code ec;
        if (!std::filesystem::is_directory(outDir, ec))
            return std::fprintf(stderr, "vantoro: %s: not a folder\n", outDir.c_str()), kExitFailed;
        return Extract(files, outDir);
    }
    if (command == "library") {
        if (args.size() < 2) return Usage("library needs an output file and at least one input");
        return Library(args[0], std::vector<std::string>(args.begin() + 1, args.end()));
    }
    if (command == "search") {
        std::string root;
        int type = 1;
        bool recurse = false, verbose = false;
        for (size_t i = 0; i < args.size(); ++i) {
            if (args[i] == "--type") {
                if (i + 1 >= args.size()) return Usage("--type needs a number from 1 to 4");
                char* end = nullptr;
                long t = std::strtol(args[++i].c_str(), &end, 10);
                if (*end || t < 1 || t > 4) return Usage("--type needs a number from 1 to 4");
                type = static_cast<int>(t);
            } else if (args[i] == "--recurse" || args[i] == "-r") {
                recurse = true;
            } else if (args[i] == "-v") {
                verbose = true;
            } else if (root.empty() && (args[i].empty() || args[i][0] != '-')) {
                root = args[i];
            } else {
                return Usage(("unknown argument: " + args[i]).c_str());
            }
        }
        if (root.empty()) return Usage("search needs a folder");
        return Search(root, type, recurse, verbose);
    }
    return Usage(("unknown command: " + command).c_str());
}

}  // namespace vt

int main(int argc, char** argv) {
    return vt::Main(argc, argv);
}
