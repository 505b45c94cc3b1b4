// Animated cursors on the command line: their frames, steps and texts, and one cursor file per
// frame, through the Animator's own reader.
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "animator/ani_file.h"
#include "common/file_io.h"
#include "common/prompt.h"
#include "librarian/file_kind.h"
#include "librarian/json_text.h"
#include "librarian/tool/tool.h"

namespace vt::tool {
namespace {

const char* AniErrorText(AniReadError e) {
    switch (e) {
        case AniReadError::None:
            return "ok";
        case AniReadError::NotAni:
            return "not an animated cursor (no RIFF \"ACON\" header)";
        case AniReadError::TooLarge:
            return "larger than the 16 MB an animated cursor may take";
        case AniReadError::Truncated:
            return "a chunk runs past the end of the file";
        case AniReadError::BadHeader:
            return "the \"anih\" header is missing, repeated or damaged";
        case AniReadError::TooManySteps:
            return "more than 1024 steps";
        case AniReadError::EarlyArray:
            return "\"rate\", \"seq \" or \"icon\" comes before the \"anih\" header";
        case AniReadError::IconTooLarge:
            return "a frame is larger than 4096 bytes";
        case AniReadError::BadIcon:
            return "a frame is not a valid cursor image";
        case AniReadError::NotThirtyTwo:
            return "a frame is not 32 x 32 pixels";
        case AniReadError::ImageCountRange:
            return "a frame holds more than 4 images";
        case AniReadError::UnsupportedColor:
            return "a frame has a colour depth the Animator does not support";
        case AniReadError::DisplayColor:
            return "a frame needs more colours than the display has";
        case AniReadError::ImageTooLarge:
            return "a frame's image is too large";
        case AniReadError::NoSteps:
            return "the animation has no steps";
        case AniReadError::StepWithoutImage:
            return "a step names a frame the file does not hold";
    }
    return "unreadable";
}

// Reads and parses; false (with the reason on standard error) when the file is no animation
// the Animator opens.
bool Load(const std::string& path, AniContents* ani) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, &bytes, kAniMaxFileSize)) {
        std::error_code ec;
        bool large = std::filesystem::file_size(path, ec) > kAniMaxFileSize && !ec;
        Complain(path + ": " +
                 (large              ? AniErrorText(AniReadError::TooLarge)
                  : FileExists(path) ? "cannot be read"
                                     : "cannot open file"));
        return false;
    }
    // No display limits what a file on disk holds: every depth counts as showable.
    AniReadResult r = ParseAni(bytes, 1024, ani);
    if (!r.ok()) {
        Complain(path + ": " + AniErrorText(r.error));
        return false;
    }
    return true;
}

std::string ColorText(int code) {
    return code == 1024 ? "True Color" : std::to_string(code) + " colors";
}

}  // namespace

bool IsAnimatedCursor(const std::string& path) {
    if (LowerExtension(path) == "ani") return true;
    std::vector<uint8_t> head(12);
    InputFile f;
    if (!f.Open(path) || f.ReadSomeAt(0, head.data(), head.size()) != head.size()) return false;
    return std::memcmp(head.data(), "RIFF", 4) == 0 && std::memcmp(head.data() + 8, "ACON", 4) == 0;
}

int AniInfo(const std::string& path, std::string* json) {
    AniContents ani;
    bool ok = Load(path, &ani);
    if (json) {
        *json += "{\"path\": " + JsonString(path) + ", \"kind\": \"animated cursor\"";
        if (!ok) {
            *json += ", \"error\": \"unreadable animated cursor\"}";
            return kExitFailed;
        }
        *json += ", \"title\": " + JsonString(ani.title) +
                 ", \"author\": " + JsonString(ani.author) +
                 ", \"defaultRate\": " + std::to_string(ani.header.displayRate) + ", \"frames\": [";
        for (size_t i = 0; i < ani.images.size(); ++i) {
            const AniImage& im = ani.images[i];
            *json += Format(
                "%s{\"width\": 32, \"height\": 32, \"colors\": %d, \"hotX\": %u, "
                "\"hotY\": %u, \"bytes\": %zu}",
                i ? ", " : "", im.colorCode, im.hotX, im.hotY, im.block.size());
        }
        *json += "], \"steps\": [";
        for (size_t i = 0; i < ani.steps.size(); ++i)
            *json += Format("%s{\"frame\": %zu, \"rate\": %d}", i ? ", " : "",
                            ani.steps[i].image + 1, ani.steps[i].time);
        *json += "]}";
        return kExitOk;
    }
    std::printf("%s: animated cursor", Printable(path).c_str());
    if (!ok) {
        std::printf("\n");
        return kExitFailed;
    }
    int32_t total = 0;
    for (const AniStep& s : ani.steps) total += s.time;
    std::printf(", %zu frame%s, %zu step%s, %d jiffies (%.2f s)\n", ani.images.size(),
                ani.images.size() == 1 ? "" : "s", ani.steps.size(),
                ani.steps.size() == 1 ? "" : "s", total, total / 60.0);
    std::printf("  title:  %s\n  author: %s\n  default rate: %u jiffies\n",
                Printable(ani.title).c_str(), Printable(ani.author).c_str(),
                ani.header.displayRate);
    for (size_t i = 0; i < ani.images.size(); ++i)
        std::printf("  frame %3zu  32×32, %s, hot spot %u,%u\n", i + 1,
                    ColorText(ani.images[i].colorCode).c_str(), ani.images[i].hotX,
                    ani.images[i].hotY);
    std::printf("  sequence:");
    for (const AniStep& s : ani.steps) std::printf(" %zu:%d", s.image + 1, s.time);
    std::printf("  (frame:jiffies)\n");
    return kExitOk;
}

int AniExtract(const std::string& path, const std::string& outDir) {
    AniContents ani;
    if (!Load(path, &ani)) return kExitFailed;
    const std::string base = FileNameOf(path);
    bool ok = true;
    size_t written = 0;
    for (size_t i = 0; i < ani.images.size(); ++i) {
        const AniImage& im = ani.images[i];
        std::vector<uint8_t> cur = BuildCursorFileImage(im.block, im.hotX, im.hotY);
        std::string target = outDir + "/" + base + "_frame" + std::to_string(i + 1) + ".cur";
        if (cur.empty()) {
            Complain(path + ": frame " + std::to_string(i + 1) + ": image cannot be written");
            ok = false;
        } else if (!WriteFileReplacing(target, "ANI", cur)) {
            Complain(target + ": write error");
            ok = false;
        } else {
            ++written;
        }
    }
    Complain(Format("%zu cursor file%s written to %s", written, written == 1 ? "" : "s",
                    outDir.c_str()));
    return ok ? kExitOk : kExitFailed;
}

}  // namespace vt::tool
