// info, extract, library and search: icons of icon files, libraries and program files as stored.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <cstring>
#include <set>

#include "common/file_io.h"
#include "librarian/file_kind.h"
#include "librarian/image_block.h"
#include "librarian/json_text.h"
#include "librarian/library_writer.h"
#include "librarian/reader.h"
#include "librarian/search.h"
#include "librarian/stored_icons.h"
#include "librarian/tool/tool.h"

namespace vt::tool {
namespace {

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

std::string GroupLabel(const StoredGroup& g) {
    return g.named ? "name " + g.name : "id " + std::to_string(g.id);
}

// "FILE: icon id 5: image 2 (resource 7): why" for every image not taken, and for a damaged
// directory; returns how many images were left out.
size_t ReportLeftOut(const std::string& path, const StoredGroup& g, bool iconFile) {
    std::string where = path + (iconFile ? "" : ": icon " + GroupLabel(g));
    if (!g.problem.empty()) Complain(where + ": " + g.problem);
    size_t left = 0;
    for (size_t k = 0; k < g.images.size(); ++k) {
        const StoredImage& image = g.images[k];
        if (image.problem.empty()) continue;
        ++left;
        std::string which = "image " + std::to_string(k + 1);
        if (!iconFile) which += " (resource " + std::to_string(image.resourceId) + ")";
        Complain(where + ": " + which + ": " + image.problem);
    }
    return left;
}

std::string ImageText(const StoredImage& image) {
    if (!image.problem.empty()) return "unreadable: " + image.problem;
    return BlockText(image.description);
}

const char* BlockKindName(BlockKind kind) {
    switch (kind) {
        case BlockKind::Dib:
            return "DIB";
        case BlockKind::Png:
            return "PNG";
        default:
            return "unknown";
    }
}

std::string ImageJson(const StoredImage& image) {
    const BlockDescription& d = image.description;
    std::string j = "{\"kind\": \"" + std::string(BlockKindName(d.kind)) + "\"";
    if (image.problem.empty() && d.readable)
        j += ", \"width\": " + std::to_string(d.width) +
             ", \"height\": " + std::to_string(d.height) +
             ", \"bitCount\": " + std::to_string(d.bitCount);
    j += ", \"bytes\": " + std::to_string(image.size);
    if (image.resourceId) j += ", \"resourceId\": " + std::to_string(image.resourceId);
    j += ", \"readable\": ";
    j += image.problem.empty() && d.readable ? "true" : "false";
    if (!image.problem.empty())
        j += ", \"problem\": " + JsonString(image.problem);
    else if (!d.readable)
        j += ", \"problem\": \"unreadable header\"";
    return j + "}";
}

std::string GroupsJson(const std::vector<StoredGroup>& groups, bool iconFile) {
    std::string j = "[";
    for (size_t i = 0; i < groups.size(); ++i) {
        const StoredGroup& g = groups[i];
        if (i) j += ", ";
        j += "{\"position\": " + std::to_string(i + 1);
        if (!iconFile)
            j +=
                g.named ? ", \"name\": " + JsonString(g.name) : ", \"id\": " + std::to_string(g.id);
        if (iconFile) j += std::string(", \"type\": \"") + (g.type == 2 ? "cursor" : "icon") + "\"";
        if (!g.problem.empty()) j += ", \"problem\": " + JsonString(g.problem);
        j += ", \"images\": [";
        for (size_t k = 0; k < g.images.size(); ++k) j += (k ? ", " : "") + ImageJson(g.images[k]);
        j += "]}";
    }
    return j + "]";
}

// One file's JSON object; true when everything in it could be read.
bool FileJson(const std::string& path, std::string* json) {
    int kind = kKindUnknown;
    std::vector<StoredGroup> groups;
    LibStatus st = ReadStoredIcons(path, ReadDepth::Headers, &kind, &groups);
    *json += "{\"path\": " + JsonString(path) + ", \"kind\": \"" + KindName(kind) + "\"";
    bool ok = st == LibStatus::Ok || st == LibStatus::NoIcons;
    if (!ok) *json += ", \"error\": " + JsonString(LibStatusText(st));
    *json += ", \"icons\": " + GroupsJson(groups, kind == kKindIconFile) + "}";
    if (!ok) Complain(path + ": " + LibStatusText(st));
    for (const StoredGroup& g : groups) {
        if (ReportLeftOut(path, g, kind == kKindIconFile)) ok = false;
        for (const StoredImage& image : g.images)
            if (image.problem.empty() && !image.description.readable) ok = false;
    }
    return ok;
}

bool PrintFile(const std::string& path) {
    int kind = kKindUnknown;
    std::vector<StoredGroup> groups;
    LibStatus st = ReadStoredIcons(path, ReadDepth::Headers, &kind, &groups);
    std::printf("%s: %s", Printable(path).c_str(), KindName(kind));
    if (st != LibStatus::Ok && st != LibStatus::NoIcons) {
        std::printf("\n");
        Complain(path + ": " + LibStatusText(st));
        return false;
    }
    std::printf(", %zu icon%s\n", groups.size(), groups.size() == 1 ? "" : "s");
    bool ok = true;
    for (size_t i = 0; i < groups.size(); ++i) {
        const StoredGroup& g = groups[i];
        std::string label =
            kind == kKindIconFile ? (g.type == 2 ? "cursor" : "icon") : GroupLabel(g);
        std::printf("  %3zu  %-28s %zu image%s:", i + 1, Printable(label).c_str(), g.images.size(),
                    g.images.size() == 1 ? "" : "s");
        for (const StoredImage& image : g.images) {
            std::printf(" [%s]", Printable(ImageText(image)).c_str());
            if (image.problem.empty() && !image.description.readable) ok = false;
        }
        std::printf("\n");
        if (ReportLeftOut(path, g, kind == kKindIconFile)) ok = false;
    }
    return ok;
}

// Characters no file name may hold here or on the systems the files may travel to.
std::string SafeFileName(std::string name) {
    for (char& c : name) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || std::strchr("/\\:*?\"<>|", c)) c = '_';
    }
    // Room for the suffixes within the usual 255-byte limit.
    if (name.size() > 200) name.resize(200);
    return name;
}

}  // namespace

int Info(const Args& args) {
    bool json = false;
    Args files;
    for (const std::string& a : args) {
        if (a == "--json")
            json = true;
        else
            files.push_back(a);
    }
    if (files.empty()) return Usage("info", "info needs at least one file");
    bool ok = true;
    std::string doc = "{\"files\": [";
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string& path = files[i];
        if (json && i) doc += ", ";
        if (IsAnimatedCursor(path)) {
            ok = AniInfo(path, json ? &doc : nullptr) == kExitOk && ok;
            continue;
        }
        ok = (json ? FileJson(path, &doc) : PrintFile(path)) && ok;
    }
    if (json) std::printf("%s]}\n", doc.c_str());
    return ok ? kExitOk : kExitFailed;
}

int Extract(const Args& args) {
    Args files;
    std::string outDir;
    bool byPosition = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size()) return Usage("extract", "-o needs a folder");
            outDir = args[++i];
        } else if (args[i] == "--names") {
            if (i + 1 >= args.size() || (args[i + 1] != "id" && args[i + 1] != "position"))
                return Usage("extract", "--names takes id or position");
            byPosition = args[++i] == "position";
        } else {
            files.push_back(args[i]);
        }
    }
    if (outDir.empty()) return Usage("extract", "extract needs -o DIR");
    if (files.empty()) return Usage("extract", "extract needs at least one file");
    std::error_code ec;
    if (!std::filesystem::is_directory(outDir, ec)) {
        Complain(outDir + ": not a folder");
        return kExitFailed;
    }

    bool ok = true;
    size_t written = 0, leftOut = 0;
    std::set<std::string> used;
    for (const std::string& path : files) {
        int kind = kKindUnknown;
        std::vector<StoredGroup> groups;
        LibStatus st = LowerExtension(path) == "ani"
                           ? LibStatus::NotRecognised
                           : ReadStoredIcons(path, ReadDepth::Whole, &kind, &groups);
        if (st == LibStatus::NotRecognised && IsAnimatedCursor(path)) {
            ok = AniExtract(path, outDir) == kExitOk && ok;
            continue;
        }
        if (st == LibStatus::NoIcons) continue;
        if (st != LibStatus::Ok) {
            Complain(path + ": " + LibStatusText(st));
            ok = false;
            continue;
        }
        const bool iconFile = kind == kKindIconFile;
        const std::string base = FileNameOf(path);
        for (size_t i = 0; i < groups.size(); ++i) {
            const StoredGroup& g = groups[i];
            size_t left = ReportLeftOut(path, g, iconFile);
            leftOut += left;
            if (left || !g.problem.empty()) ok = false;
            if (g.images.size() == left) {
                Complain(path + (iconFile ? "" : ": icon " + GroupLabel(g)) +
                         ": no image could be taken; no file written");
                ok = false;
                continue;
            }
            std::string stem = base;
            if (!iconFile)
                stem += "_" + (byPosition ? std::to_string(i + 1)
                               : g.named  ? g.name
                                          : std::to_string(g.id));
            stem = SafeFileName(stem);
            const std::string ext = g.type == 2 ? ".cur" : ".ico";
            // Names can still meet (two inputs of one name, a name made safe); later ones take a
            // running number, the same on every run over the same inputs.
            std::string name = stem + ext;
            for (int n = 2; used.count(name); ++n) name = stem + "-" + std::to_string(n) + ext;
            used.insert(name);
            std::string target = outDir + "/" + name;
            if (!WriteFileReplacing(target, "ICM", BuildStoredIconFile(g))) {
                Complain(target + ": " + LibStatusText(LibStatus::WriteError));
                ok = false;
                continue;
            }
            ++written;
        }
    }
    std::string summary = std::to_string(written) + " icon file" + (written == 1 ? "" : "s") +
                          " written to " + outDir;
    if (leftOut) summary += Format(", %zu image%s left out", leftOut, leftOut == 1 ? "" : "s");
    Complain(summary);
    return ok ? kExitOk : kExitFailed;
}

namespace {

// Messages go to standard error; questions get the answer that changes nothing.
class ConsolePrompt : public Prompt {
  public:
    PromptAnswer Show(const PromptMessage& m) override {
        Complain(m.text);
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

// Names every image of the file that the library cannot keep, by the workspace's own rule.
size_t ReportLibraryLimits(const std::string& path) {
    int kind = kKindUnknown;
    std::vector<StoredGroup> groups;
    if (ReadStoredIcons(path, ReadDepth::Headers, &kind, &groups) != LibStatus::Ok) return 0;
    size_t left = 0;
    for (const StoredGroup& g : groups) {
        std::string where = path + (kind == kKindIconFile ? "" : ": icon " + GroupLabel(g));
        for (size_t k = 0; k < g.images.size(); ++k) {
            const StoredImage& image = g.images[k];
            if (!image.problem.empty() ||
                ClassifyBlock(image.size, image.bytes) != BlockRead::LeftOut)
                continue;
            ++left;
            const char* why = image.description.kind == BlockKind::Png
                                  ? "PNG-compressed images cannot be kept in an icon library"
                                  : "larger than the 17,408 bytes an icon library image may take";
            Complain(where + ": image " + std::to_string(k + 1) + ": " + why);
        }
    }
    return left;
}

}  // namespace

int Library(const Args& args) {
    if (args.size() < 2)
        return Usage("library", "library needs an output file and at least one input");
    const std::string& out = args[0];
    ConsolePrompt prompt;
    Workspace ws;
    if (ws.New() != LibStatus::Ok) {
        Complain(out + ": " + LibStatusText(LibStatus::WorkspaceError));
        return kExitFailed;
    }
    bool ok = true;
    for (size_t a = 1; a < args.size(); ++a) {
        const std::string& path = args[a];
        const size_t first = ws.icons().size();
        int kind = DetectDroppedFileKind(path);
        LibStatus st;
        if (kind == kKindUnknown) {
            st = FileExists(path) ? LibStatus::NotRecognised : LibStatus::CannotOpen;
        } else if (kind == kKindIconFile) {
            st = ReadIconFileToWorkspace(ws, path, false);
        } else {
            ReadOptions o;
            o.kind = kKindProgram;  // never offer to change the file
            o.searching = true;
            o.prompt = &prompt;
            st = ReadModuleIcons(ws, path, false, o);
        }
        if (st != LibStatus::Ok && st != LibStatus::NoIcons) {
            Complain(path + ": " + LibStatusText(st));
            ok = false;
            continue;
        }
        if (ReportLibraryLimits(path)) ok = false;
        // An icon left with no image would be an empty group; it is named and dropped.
        for (size_t i = ws.icons().size(); i-- > first;) {
            if (!ws.FormatsOf(i).empty()) continue;
            const IconEntry& icon = ws.icons()[i];
            std::string label = icon.resourceName[0] ? std::string("name ") + icon.resourceName
                                                     : "id " + std::to_string(icon.resourceId);
            Complain(path + ": icon " + label + ": no image an icon library can hold; skipped");
            ws.RemoveIcon(i);
            ok = false;
        }
    }
    // Removing moves the last icon into the freed place; the library keeps the reading order.
    std::stable_sort(ws.icons().begin(), ws.icons().end(),
                     [](const IconEntry& x, const IconEntry& y) { return x.serial < y.serial; });
    ws.RelinkInTableOrder();
    if (ws.icons().empty()) {
        Complain("No icons to save.");
        return kExitFailed;
    }
    TempFileWriter writer;
    if (!writer.Open(out, "ICM")) {
        Complain(out + ": " + LibStatusText(LibStatus::CannotOpen));
        return kExitFailed;
    }
    long n = WriteLibrary(ws, writer, prompt);
    if (n <= 0 || !writer.Commit()) {
        if (n == 0) Complain(out + ": " + LibStatusText(LibStatus::WriteError));
        return kExitFailed;
    }
    std::printf("%s: %ld icon%s, %zu images\n", Printable(out).c_str(), n, n == 1 ? "" : "s",
                ws.formats().size());
    return ok ? kExitOk : kExitFailed;
}

int Search(const Args& args) {
    std::string root;
    int type = 1;
    bool recurse = false, verbose = false, json = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--type") {
            char* end = nullptr;
            long t = i + 1 < args.size() ? std::strtol(args[i + 1].c_str(), &end, 10) : 0;
            if (!end || *end || t < 1 || t > 4)
                return Usage("search", "--type needs a number from 1 to 4");
            type = static_cast<int>(t);
            ++i;
        } else if (args[i] == "--recurse" || args[i] == "-r") {
            recurse = true;
        } else if (args[i] == "-v") {
            verbose = true;
        } else if (args[i] == "--json") {
            json = true;
        } else if (root.empty() && (args[i].empty() || args[i][0] != '-')) {
            root = args[i];
        } else {
            return Usage("search", "unknown argument: " + args[i]);
        }
    }
    if (root.empty()) return Usage("search", "search needs a folder");
    if (json && !verbose) return Usage("search", "--json lists files: use it with -v");

    FolderWalker walker(root, static_cast<OpenType>(type), recurse);
    FoundFile file;
    SearchCounts counts;
    std::string doc = "{\"root\": " + JsonString(root) + ", \"files\": [";
    while (walker.NextMatchingFile(&file)) {
        if (DetectFileKind(file.path, file.kind) == kKindUnknown) continue;
        int kind = kKindUnknown;
        std::vector<StoredGroup> groups;
        if (ReadStoredIcons(file.path, ReadDepth::Headers, &kind, &groups) != LibStatus::Ok)
            continue;
        size_t images = 0;
        for (const StoredGroup& g : groups)
            for (const StoredImage& image : g.images) images += image.problem.empty();
        if (images == 0) continue;
        if (json) {
            doc += counts.files ? ", " : "";
            doc += "{\"path\": " + JsonString(file.path) + ", \"kind\": \"" + KindName(kind) +
                   "\", \"icons\": " + GroupsJson(groups, kind == kKindIconFile) + "}";
        } else if (verbose) {
            std::printf("%s\n", Printable(file.path).c_str());
        }
        ++counts.files;
        counts.icons += groups.size();
        counts.images += images;
    }
    if (!walker.rootListed()) {
        Complain(root + ": could not find any files to open");
        return kExitFailed;
    }
    if (json) {
        std::printf("%s], \"counts\": {\"files\": %llu, \"icons\": %llu, \"images\": %llu}}\n",
                    doc.c_str(), static_cast<unsigned long long>(counts.files),
                    static_cast<unsigned long long>(counts.icons),
                    static_cast<unsigned long long>(counts.images));
        return kExitOk;
    }
    std::printf("Files:  %s  Icons:  %s  Images:  %s\n", WithThousands(counts.files).c_str(),
                WithThousands(counts.icons).c_str(), WithThousands(counts.images).c_str());
    return kExitOk;
}

}  // namespace vt::tool
