#include <algorithm>

#include "animator/ani_file.h"
#include "animator/ani_chunk_ids.h"
#include "animator/riff.h"
#include "image/ico_file.h"
#include "image/icon_image.h"
#include "common/byte_reader.h"

namespace vt {

const char kAniOpenFailedText[] = "Could not open the requested file.";
const char kAniUnusedImagesText[] =
    "This file contains images that are not part of the animation.  These images will be ignored "
    "and will not be used by Vantoro.";

namespace {

using namespace ani;

constexpr int kEdgeSize = 32;

PromptMessage ErrorBox(std::string text, PromptIcon icon = PromptIcon::Stop) {
    PromptMessage m;
    m.text = std::move(text);
    m.icon = icon;
    return m;
}

class AniParser {
  public:
    AniParser(int displayColors, AniContents* out) : m_displayColors(displayColors), m_out(out) {}

    AniReadResult Run(std::span<const uint8_t> file);

  private:
    AniReadResult Fail(AniReadError e) { return {e, std::nullopt}; }
    AniReadResult Fail(AniReadError e, PromptMessage m) { return {e, std::move(m)}; }

    AniReadResult ReadHeader(ByteReader& r, uint32_t size);
    AniReadResult ReadArray(ByteReader& r, uint32_t id, uint32_t size);
    AniReadResult ReadList(ByteReader& r, uint32_t size);
    AniReadResult ReadIcon(std::span<const uint8_t> chunk);
    AniReadResult CheckImage(std::span<const uint8_t> data, uint16_t hotX, uint16_t hotY);
    AniReadResult Finish();

    int m_displayColors;
    AniContents* m_out;
    bool m_haveHeader = false;
    uint32_t m_iconChunks = 0;
    std::vector<int32_t> m_times;
    std::vector<uint32_t> m_sequence;
    // Per step: the index of its image in m_out->images, or -1 while no "icon" chunk gave it one.
    std::vector<int64_t> m_stepImage;
};

AniReadResult AniParser::Run(std::span<const uint8_t> file) {
    if (file.size() > kAniMaxFileSize) return Fail(AniReadError::TooLarge);
    ByteReader r(file);
    ChunkHeader riff;
    if (!ReadChunkHeader(r, &riff) || riff.id != kRiffId || r.U32() != kAcon || !r.ok())
        return Fail(AniReadError::NotAni);
    // The RIFF size is not trusted: the chunks run to the end of the file.
    ChunkHeader chunk;
    while (ReadChunkHeader(r, &chunk)) {
        AniReadResult step;
        switch (chunk.id) {
            case kAnih:
                step = ReadHeader(r, chunk.size);
                break;
            case kRate:
            case kSeq:
                step = ReadArray(r, chunk.id, chunk.size);
                break;
            case kListId:
                step = ReadList(r, chunk.size);
                break;
            default:
                if (!SkipOrEnd(r, PaddedSize(chunk.size))) return Finish();
                continue;
        }
        if (!step.ok()) return step;
        // The pad byte of the last chunk may be missing; that ends the file all the same.
        if ((chunk.size & 1) && !SkipOrEnd(r, 1)) break;
    }
    return Finish();
}

AniReadResult AniParser::ReadHeader(ByteReader& r, uint32_t size) {
    // A second header would re-dimension arrays that chunks before it already filled.
    if (m_haveHeader || size < kAniHeaderSize) return Fail(AniReadError::BadHeader);
    ByteReader h = r.Sub(r.offset(), kAniHeaderSize);
    if (!h.ok() || !r.Skip(size)) return Fail(AniReadError::Truncated);
    AniHeader& a = m_out->header;
    a.headerSize = h.U32();
    a.imageCount = h.U32();
    a.stepCount = h.U32();
    a.width = h.U32();
    a.height = h.U32();
    a.bitCount = h.U32();
    a.planes = h.U32();
    a.displayRate = h.U32();
    a.flags = h.U32();
    if (!(a.flags & AniHeader::kAniFlagIcon) || a.imageCount == 0)
        return Fail(AniReadError::BadHeader);
    if (a.stepCount > kAniMaxSteps) return Fail(AniReadError::TooManySteps);
    m_haveHeader = true;
    m_times.assign(a.stepCount, static_cast<int32_t>(a.displayRate));
    m_sequence.resize(a.stepCount);
    for (uint32_t i = 0; i < a.stepCount; ++i) m_sequence[i] = i;
    m_stepImage.assign(a.stepCount, -1);
    return {};
}

AniReadResult AniParser::ReadArray(ByteReader& r, uint32_t id, uint32_t size) {
    if (!m_haveHeader) return Fail(AniReadError::EarlyArray);
    ByteReader data = r.Sub(r.offset(), size);
    if (!data.ok() || !r.Skip(size)) return Fail(AniReadError::Truncated);
    // One entry per step; extra entries are not read, missing ones keep their defaults.
    size_t n = std::min<size_t>(size / 4, m_times.size());
    for (size_t i = 0; i < n; ++i) {
        uint32_t v = data.U32();
        if (id == kRate)
            m_times[i] = static_cast<int32_t>(v);
        else
            m_sequence[i] = v;
    }
    return {};
}

AniReadResult AniParser::ReadList(ByteReader& r, uint32_t size) {
    if (size < 4) return Fail(AniReadError::Truncated);
    uint32_t type = r.U32();
    if (!r.ok()) return Fail(AniReadError::Truncated);
    uint32_t contentSize = size - 4;
    if (type != kFram && type != kInfo) {
        SkipOrEnd(r, contentSize);
        return {};
    }
    // A list that claims more than the file holds is refused rather than read across its end.
    ByteReader list = r.Sub(r.offset(), contentSize);
    if (!list.ok() || !r.Skip(contentSize)) return Fail(AniReadError::Truncated);
    ChunkHeader sub;
    while (ReadChunkHeader(list, &sub)) {
        if (sub.size > list.remaining()) return Fail(AniReadError::Truncated);
        std::span<const uint8_t> data = list.Bytes(sub.size);
        if (type == kFram && sub.id == kIcon) {
            AniReadResult icon = ReadIcon(data);
            if (!icon.ok()) return icon;
        } else if (type == kInfo && (sub.id == kInam || sub.id == kIart)) {
            size_t n = std::min(data.size(), kAniTextMax);
            size_t len = 0;
            while (len < n && data[len] != 0) ++len;
            std::string text(reinterpret_cast<const char*>(data.data()), len);
            (sub.id == kInam ? m_out->title : m_out->author) = std::move(text);
        }
        if (sub.size & 1) SkipOrEnd(list, 1);
    }
    return {};
}

AniReadResult AniParser::ReadIcon(std::span<const uint8_t> chunk) {
    // Images are only added for steps, and steps only exist once the header was read.
    if (!m_haveHeader) return Fail(AniReadError::EarlyArray);
    if (chunk.size() > kAniIconBuffer) return Fail(AniReadError::IconTooLarge);
    ByteReader r(chunk);
    r.U16();  // reserved
    uint16_t type = r.U16();
    uint16_t count = r.U16();
    if (!r.ok() || count == 0) return Fail(AniReadError::BadIcon);
    if (count > 4)
        return Fail(AniReadError::ImageCountRange,
                    ErrorBox("Image count is out of range in icon chunk.\n\nFile open aborted.",
                             PromptIcon::Exclamation));
    size_t directoryEnd = 6 + 16 * static_cast<size_t>(count);
    if (chunk.size() < std::max(directoryEnd, kCursorDirectorySize))
        return Fail(AniReadError::BadIcon);
    std::span<const uint8_t> data;
    const uint8_t* entry = chunk.data() + 6;
    if (count == 1) {
        if (entry[0] != kEdgeSize || entry[1] != kEdgeSize)
            return Fail(AniReadError::NotThirtyTwo,
                        ErrorBox(Format("Cannot locate 32x32 pixel image, only %dx%d.\n\nFile "
                                        "open aborted.",
                                        entry[0], entry[1])));
        data = chunk.subspan(kCursorDirectorySize);
    } else {
        int found = -1;
        for (int i = 0; i < count && found < 0; ++i)
            if (entry[16 * i] == kEdgeSize && entry[16 * i + 1] == kEdgeSize) found = i;
        if (found < 0) return Fail(AniReadError::BadIcon);
        entry += 16 * found;
        uint32_t bytes = LoadLE32(entry + 8);
        uint32_t offset = LoadLE32(entry + 12);
        if (!InRange(chunk.size(), offset, bytes)) return Fail(AniReadError::BadIcon);
        data = chunk.subspan(offset, bytes);
        m_out->unusedImages = true;
    }
    // In an icon file (type 1) these two fields are planes and bit count, not a hot spot.
    uint16_t hotX = type == 1 ? 0 : LoadLE16(entry + 4);
    uint16_t hotY = type == 1 ? 0 : LoadLE16(entry + 6);
    return CheckImage(data, hotX, hotY);
}

AniReadResult AniParser::CheckImage(std::span<const uint8_t> data, uint16_t hotX, uint16_t hotY) {
    ByteReader h(data);
    uint32_t headerSize = h.U32();
    int32_t width = h.I32();
    int32_t height = h.I32();
    uint16_t planes = h.U16();
    uint16_t bits = h.U16();
    uint32_t compression = h.U32();
    h.Skip(12);
    uint32_t clrUsed = h.U32();
    if (!h.ok()) return Fail(AniReadError::BadIcon);
    // Only uncompressed bitmaps with the plain 40-byte header and the depths the editor draws in
    // (1, 4, 8 or 24 bits) can become an image; anything else (compressed or embedded-image
    // frames, 16- and 32-bit frames) is a colour format the Animator does not edit.
    bool supported = headerSize == kBitmapHeaderSize && compression == 0 && planes <= 1 &&
                     (bits == 1 || bits == 4 || bits == 8 || bits == 24);
    if (!supported)
        return Fail(AniReadError::UnsupportedColor,
                    ErrorBox("This file contains images in an unsupported color format.\n\nThe "
                             "Animator is designed to edit images in 16, 256, or True Color "
                             "(24-bit)."));
    if ((bits == 8 || bits == 24) && m_displayColors <= 256)
        return Fail(AniReadError::DisplayColor,
                    ErrorBox("This file contains images in a color depth that your current video "
                             "mode does not support."));
    if (width != kEdgeSize || height != 2 * kEdgeSize)
        return Fail(AniReadError::ImageTooLarge,
                    ErrorBox("This file contains images larger than 32x32 pixels.\n\nThe Animator "
                             "is designed to edit images up to 32x32 pixels in size."));

    // From here the image is taken as icon files take theirs: full colour table, nothing used
    // from beyond the chunk.
    int32_t code = CodeForBitCount(bits);
    if (bits != 24 && clrUsed > TableEntriesForCode(code)) return Fail(AniReadError::BadIcon);
    AniImage image;
    image.block = NormaliseFileImage(data);
    if (image.block.empty()) return Fail(AniReadError::BadIcon);
    image.colorCode = code;
    // A hot spot outside the image would point the cursor at nothing; keep it on the image.
    image.hotX = std::min<uint16_t>(hotX, kEdgeSize - 1);
    image.hotY = std::min<uint16_t>(hotY, kEdgeSize - 1);

    // Every step that shows this chunk refers to it; the model gives each its own copy.
    uint32_t k = m_iconChunks++;
    bool used = false;
    for (size_t s = 0; s < m_sequence.size(); ++s) {
        if (m_sequence[s] != k) continue;
        m_stepImage[s] = static_cast<int64_t>(m_out->images.size());
        used = true;
    }
    m_out->colorCode = image.colorCode;
    if (used) m_out->images.push_back(std::move(image));
    return {};
}

AniReadResult AniParser::Finish() {
    if (!m_haveHeader) return Fail(AniReadError::BadHeader);
    if (m_times.empty()) return Fail(AniReadError::NoSteps);
    m_out->header.imageCount = m_iconChunks;
    m_out->steps.resize(m_times.size());
    for (size_t s = 0; s < m_times.size(); ++s) {
        if (m_stepImage[s] < 0) return Fail(AniReadError::StepWithoutImage);
        m_out->steps[s].time = m_times[s];
        m_out->steps[s].image = static_cast<size_t>(m_stepImage[s]);
    }
    return {};
}

}  // namespace

AniReadResult ParseAni(std::span<const uint8_t> file, int displayColors, AniContents* out) {
    *out = AniContents{};
    AniParser parser(displayColors, out);
    AniReadResult result = parser.Run(file);
    if (!result.ok()) *out = AniContents{};
    return result;
}

}  // namespace vt
