#include <cstring>

#include "animator/ani_file.h"
#include "animator/ani_chunk_ids.h"
#include "animator/riff.h"
#include "image/icon_image.h"

namespace vt {

namespace {

using namespace ani;

// A text as it is stored: at most the field's 80 bytes, up to its first zero byte.
std::string_view StoredText(std::string_view s) {
    s = s.substr(0, std::min(s.size(), kAniTextMax));
    size_t zero = s.find('\0');
    return zero == std::string_view::npos ? s : s.substr(0, zero);
}

void WriteText(ChunkWriter& chunks, ByteWriter& out, uint32_t id, std::string_view text) {
    size_t at = chunks.Begin(id);
    out.Text(text);
    out.U8(0);
    chunks.End(at);
}

}  // namespace

uint32_t ByteChecksum(std::span<const uint8_t> bytes) {
    uint32_t sum = 0;
    for (uint8_t b : bytes) sum += b;
    return sum;
}

std::vector<uint8_t> BuildCursorFileImage(std::span<const uint8_t> block, uint16_t hotX,
                                          uint16_t hotY) {
    if (block.size() < kBitmapHeaderSize) return {};
    int32_t width = static_cast<int32_t>(LoadLE32(block.data() + 4));
    int32_t height = static_cast<int32_t>(LoadLE32(block.data() + 8));
    uint32_t xorSize = LoadLE32(block.data() + 20);
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) return {};
    uint32_t andSize = static_cast<uint32_t>(AndSize(width, height));

    ByteWriter out;
    out.U16(0);
    out.U16(2);
    out.U16(1);
    out.U8(static_cast<uint8_t>(width));
    out.U8(static_cast<uint8_t>(height));
    out.U8(0);
    out.U8(0);
    out.U16(hotX);
    out.U16(hotY);
    out.U32(static_cast<uint32_t>(block.size()));
    out.U32(kCursorDirectorySize);
    size_t header = out.size();
    out.Bytes(block);
    out.PatchU32(header + 8, static_cast<uint32_t>(height * 2));
    out.PatchU32(header + 20, xorSize + andSize);
    return out.Take();
}

AniImagePlan PlanAniImages(std::span<const AniFrameImage> steps) {
    AniImagePlan plan;
    std::vector<uint32_t> sums;
    plan.stepImage.reserve(steps.size());
    for (size_t s = 0; s < steps.size(); ++s) {
        std::vector<uint8_t> file =
            BuildCursorFileImage(steps[s].block, steps[s].hotX, steps[s].hotY);
        uint32_t sum = ByteChecksum(file);
        // The checksum and size rule out most pairs; only equal bytes make two pictures one.
        size_t found = plan.cursorFiles.size();
        for (size_t i = 0; i < plan.cursorFiles.size() && found == plan.cursorFiles.size(); ++i)
            if (sums[i] == sum && plan.cursorFiles[i] == file) found = i;
        if (found == plan.cursorFiles.size()) {
            sums.push_back(sum);
            plan.cursorFiles.push_back(std::move(file));
            plan.firstStep.push_back(s);
        }
        plan.stepImage.push_back(static_cast<uint32_t>(found));
    }
    return plan;
}

std::vector<uint8_t> BuildAni(const AniHeader& header, std::string_view title,
                              std::string_view author, std::span<const AniFrameImage> steps) {
    AniImagePlan plan = PlanAniImages(steps);
    // A step without a usable picture would give a file no reader takes back.
    if (steps.empty()) return {};
    for (const std::vector<uint8_t>& file : plan.cursorFiles)
        if (file.empty()) return {};
    bool needRate = false;
    bool needSequence = plan.cursorFiles.size() != steps.size();
    for (const AniFrameImage& s : steps)
        if (static_cast<uint32_t>(s.time) != header.displayRate) needRate = true;

    ByteWriter out;
    ChunkWriter chunks(out);
    // The RIFF size counts the whole file, its own 8-byte header included.
    out.U32(kRiffId);
    out.U32(0);
    out.U32(kAcon);

    title = StoredText(title);
    author = StoredText(author);
    if (!title.empty() || !author.empty()) {
        size_t info = chunks.Begin(kListId, kInfo);
        if (!title.empty()) WriteText(chunks, out, kInam, title);
        if (!author.empty()) WriteText(chunks, out, kIart, author);
        chunks.End(info);
    }

    size_t anih = chunks.Begin(kAnih);
    out.U32(static_cast<uint32_t>(kAniHeaderSize));
    out.U32(static_cast<uint32_t>(plan.cursorFiles.size()));
    out.U32(static_cast<uint32_t>(steps.size()));
    out.U32(header.width);
    out.U32(header.height);
    out.U32(header.bitCount);
    out.U32(header.planes);
    out.U32(header.displayRate);
    out.U32(AniHeader::kAniFlagIcon | (needSequence ? AniHeader::kAniFlagSequence : 0));
    chunks.End(anih);

    if (needRate) {
        size_t at = chunks.Begin(kRate);
        for (const AniFrameImage& s : steps) out.U32(static_cast<uint32_t>(s.time));
        chunks.End(at);
    }
    if (needSequence) {
        size_t at = chunks.Begin(kSeq);
        for (uint32_t index : plan.stepImage) out.U32(index);
        chunks.End(at);
    }

    size_t fram = chunks.Begin(kListId, kFram);
    for (const std::vector<uint8_t>& file : plan.cursorFiles) chunks.Chunk(kIcon, file);
    chunks.End(fram);

    out.PatchU32(4, static_cast<uint32_t>(out.size()));
    return out.Take();
}

}  // namespace vt
