// make: an icon or cursor file from a picture.
#include <cstdio>
#include <cstdlib>

#include "common/file_io.h"
#include "image/ico_file.h"
#include "librarian/file_kind.h"
#include "librarian/tool/icon_maker.h"
#include "librarian/tool/tool.h"

namespace vt::tool {
namespace {

// Pictures larger than this are not read: no icon needs one.
constexpr size_t kMaxPictureFile = 64u << 20;

// "16,32,48" into numbers, each checked by `valid`; false on anything else.
bool ParseList(const std::string& text, bool (*parse)(const std::string&, int*),
               std::vector<int>* out) {
    out->clear();
    size_t start = 0;
    for (;;) {
        size_t comma = text.find(',', start);
        std::string item = text.substr(start, comma == std::string::npos ? comma : comma - start);
        int v;
        if (!parse(item, &v)) return false;
        out->push_back(v);
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

bool ParseNumber(const std::string& s, long lo, long hi, int* out) {
    char* end = nullptr;
    long v = s.empty() ? 0 : std::strtol(s.c_str(), &end, 10);
    if (s.empty() || *end || v < lo || v > hi) return false;
    *out = static_cast<int>(v);
    return true;
}

bool ParseSize(const std::string& s, int* out) {
    return ParseNumber(s, 1, 256, out);
}

bool ParseDepth(const std::string& s, int* out) {
    if (s == "true" || s == "truecolor") return *out = kTrueColor, true;
    return (s == "2" || s == "16" || s == "256") && ParseNumber(s, 2, 256, out);
}

bool ParseCoordinate(const std::string& s, int* out) {
    return ParseNumber(s, 0, 65535, out);
}

}  // namespace

int Make(const Args& args) {
    Args files;
    MakeRequest request;
    std::vector<int> sizes, codes;
    MaskedColour masked = MaskedColour::TopLeft;
    uint32_t given = 0;
    bool hotspotGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool hasValue = i + 1 < args.size();
        if (a == "--size") {
            if (!hasValue || !ParseList(args[++i], ParseSize, &sizes))
                return Usage("make", "--size takes sizes from 1 to 256, e.g. 16,32,48");
        } else if (a == "--colors") {
            if (!hasValue || !ParseList(args[++i], ParseDepth, &codes))
                return Usage("make", "--colors takes 2, 16, 256 and true, e.g. 16,256");
        } else if (a == "--hotspot") {
            std::vector<int> xy;
            if (!hasValue || !ParseList(args[++i], ParseCoordinate, &xy) || xy.size() != 2)
                return Usage("make", "--hotspot takes X,Y");
            request.hotX = xy[0];
            request.hotY = xy[1];
            hotspotGiven = true;
        } else if (a == "--transparent") {
            if (!hasValue) return Usage("make", "--transparent takes RRGGBB or none");
            const std::string& v = args[++i];
            char* end = nullptr;
            unsigned long rgb = v.size() == 6 ? std::strtoul(v.c_str(), &end, 16) : 0;
            if (v == "none") {
                masked = MaskedColour::None;
            } else if (v.size() == 6 && end && !*end) {
                masked = MaskedColour::Given;
                // RRGGBB as written on the web, into a colour value 0x00BBGGRR.
                given = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
            } else {
                return Usage("make", "--transparent takes RRGGBB or none");
            }
        } else if (!a.empty() && a[0] == '-') {
            return Usage("make", "unknown option: " + a);
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) return Usage("make", "make needs an output file and one input picture");
    const std::string& out = files[0];
    const std::string& in = files[1];
    std::string ext = LowerExtension(out);
    if (ext != "ico" && ext != "cur")
        return Usage("make", "the output must be a .ico or .cur file");
    request.cursor = ext == "cur";
    if (hotspotGiven && !request.cursor) return Usage("make", "--hotspot is for cursors (.cur)");
    request.sizes = sizes.empty()
                        ? (request.cursor ? std::vector<int>{32} : std::vector<int>{16, 32, 48})
                        : sizes;
    if (codes.empty()) codes = request.cursor ? std::vector<int>{16} : std::vector<int>{16, 256};
    request.codes.assign(codes.begin(), codes.end());

    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(in, &bytes, kMaxPictureFile)) {
        Complain(in + ": " +
                 (FileExists(in) ? "cannot be read (or larger than 64 MB)" : "cannot open file"));
        return kExitFailed;
    }
    Picture picture;
    std::string why;
    IconResource doc;
    if (!ReadPicture(bytes, masked, given, &picture, &why) ||
        !MakeIcon(picture, request, &doc, &why)) {
        Complain(in + ": " + why);
        return kExitFailed;
    }
    if (!WriteIconFile(doc, out)) {
        Complain(out + ": write error");
        return kExitFailed;
    }
    std::printf("%s: %zu image%s\n", Printable(out).c_str(), doc.images.size(),
                doc.images.size() == 1 ? "" : "s");
    return kExitOk;
}

}  // namespace vt::tool
