#include "animator/animation.h"

#include <algorithm>
#include <new>

#include "common/file_io.h"
#include "common/save_question.h"
#include "image/colour_convert.h"
#include "image/icon_resource.h"

namespace vt {

namespace {

std::vector<AniFrameImage> WriterSteps(const std::vector<Frame>& frames) {
    std::vector<AniFrameImage> steps;
    steps.reserve(frames.size());
    for (const Frame& f : frames) {
        const IconImage& img = f.image();
        steps.push_back({f.time, static_cast<uint16_t>(img.hotSpotX),
                         static_cast<uint16_t>(img.hotSpotY), img.block});
    }
    return steps;
}

// The time field's text as the list's edit control gives it: a decimal number, anything else 0.
int32_t ParseTime(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty() || text.size() > 9) return 0;
    int32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string CutText(std::string_view s) {
    s = s.substr(0, std::min(s.size(), kAniTextMax));
    return std::string(s.substr(0, s.find('\0')));
}

}  // namespace

std::shared_ptr<FrameRecord> Animation::MakeRecord(std::span<const uint8_t> block, int32_t code) {
    // The image is made the way every document makes one, so a blank frame is exactly a new
    // cursor image and a file image passes the same checks as in an icon file.
    IconResource scratch;
    scratch.resourceType = kCursorResource;
    scratch.activeFormat = {kAnimatorImageSize, kAnimatorImageSize, code};
    try {
        if (!FindOrCreateImage(scratch, block.empty() ? nullptr : block.data(), block.size(),
                               m_host))
            return nullptr;
        auto record = std::make_shared<FrameRecord>();
        record->image = std::move(scratch.images.front());
        return record;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool Animation::New(int32_t colorCode) {
    m_frames.clear();
    m_header = AniHeader{};
    m_title.clear();
    m_author.clear();
    m_colorCode = colorCode;
    m_modified = false;
    m_untitled = true;
    m_path.clear();
    m_selected = 0;
    std::shared_ptr<FrameRecord> record = MakeRecord({}, colorCode);
    if (!record) {
        m_host.Tell(kAniOutOfMemoryText, PromptIcon::Stop);
        return false;
    }
    m_frames.push_back({kNewFrameTime, std::move(record)});
    ResetSlider();
    return true;
}

bool Animation::Read(std::span<const uint8_t> file, int displayColors) {
    AniContents contents;
    AniReadResult result;
    try {
        result = ParseAni(file, displayColors, &contents);
    } catch (const std::bad_alloc&) {
        m_host.Tell(kAniOutOfMemoryText, PromptIcon::Stop);
        result.error = AniReadError::BadIcon;
    }
    std::vector<Frame> frames;
    if (result.ok()) {
        // Every step gets its own copy of its picture, even when the file shares one.
        for (const AniStep& step : contents.steps) {
            const AniImage& source = contents.images[step.image];
            std::shared_ptr<FrameRecord> record = MakeRecord(source.block, source.colorCode);
            if (!record) {
                result.error = AniReadError::BadIcon;
                break;
            }
            record->image.hotSpotX = source.hotX;
            record->image.hotSpotY = source.hotY;
            frames.push_back({step.time, std::move(record)});
        }
    }
    if (!result.ok()) {
        if (result.message) m_host.Show(*result.message);
        New(m_colorCode);
        m_host.Tell(kAniOpenFailedText, PromptIcon::Stop);
        return false;
    }
    m_frames = std::move(frames);
    m_header = contents.header;
    m_title = std::move(contents.title);
    m_author = std::move(contents.author);
    m_colorCode = contents.colorCode;
    m_modified = false;
    m_selected = 0;
    ResetSlider();
    if (contents.unusedImages) m_host.Tell(kAniUnusedImagesText, PromptIcon::Information);
    return true;
}

bool Animation::Open(const std::string& path, int displayColors) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, &bytes, kAniMaxFileSize)) {
        New(m_colorCode);
        m_host.Tell(kAniOpenFailedText, PromptIcon::Stop);
        return false;
    }
    if (!Read(bytes, displayColors)) return false;
    m_path = path;
    m_untitled = false;
    return true;
}

std::vector<uint8_t> Animation::Encode() const {
    return BuildAni(m_header, m_title, m_author, WriterSteps(m_frames));
}

bool Animation::Save(const std::string& target) {
    std::vector<uint8_t> bytes;
    try {
        bytes = Encode();
    } catch (const std::bad_alloc&) {
        m_host.Tell(kAniOutOfMemoryText, PromptIcon::Stop);
        return false;
    }
    if (bytes.empty() || !WriteFileReplacing(target, "ANI", bytes)) {
        m_host.Tell(kAniSaveFailedText, PromptIcon::Stop);
        return false;
    }
    m_path = target;
    m_untitled = false;
    m_modified = false;
    for (Frame& f : m_frames) f.image().changed = false;
    return true;
}

void Animation::Select(size_t index) {
    if (index < m_frames.size()) m_selected = index;
}

int Animation::InsertFrames(int count, bool after, bool fillFromCurrent) {
    if (count <= 0 || m_frames.empty()) return 0;
    const size_t position = m_selected + (after ? 1 : 0);
    // New 256-colour frames take the colours of the frame they are inserted next to.
    if (const IconImage& model = SelectedImage();
        m_colorCode == kColors256 && model.colorCode == kColors256 && m_host.setNewImagePalette) {
        ColorValues256 palette{};
        for (uint32_t i = 0; i < 256; ++i) palette[i] = model.TableColor(i);
        m_host.setNewImagePalette(palette);
    }
    int inserted = 0;
    bool full = false;
    for (; inserted < count; ++inserted) {
        if (m_frames.size() >= kMaxFrames) {
            full = true;
            break;
        }
        std::shared_ptr<FrameRecord> record;
        int32_t time = kNewFrameTime;
        try {
            if (fillFromCurrent) {
                record = std::make_shared<FrameRecord>();
                record->image = m_frames[m_selected].image().Clone();
                record->image.editorState = {};
                if (m_host.createUndoBuffer) m_host.createUndoBuffer(record->image);
                if (m_host.bitsChanged) m_host.bitsChanged(record->image);
                time = m_frames[m_selected].time;
            } else {
                record = MakeRecord({}, m_colorCode);
            }
            if (!record) break;
            const IconImage& selectedImage = m_frames[m_selected].image();
            record->image.hotSpotX = selectedImage.hotSpotX;
            record->image.hotSpotY = selectedImage.hotSpotY;
            m_frames.insert(m_frames.begin() + static_cast<std::ptrdiff_t>(position),
                            Frame{time, std::move(record)});
        } catch (const std::bad_alloc&) {
            break;
        }
        // Keep pointing at the same frame while the block grows in front of it.
        if (position <= m_selected) ++m_selected;
    }
    if (full) {
        m_host.Tell(Format(kFrameLimitText, static_cast<int>(kMaxFrames)), PromptIcon::Exclamation);
    } else if (inserted < count) {
        m_host.Tell(kAniOutOfMemoryText, PromptIcon::Stop);
    }
    if (inserted > 0) {
        m_selected = position;
        m_modified = true;
        ResetSlider();
    }
    return inserted;
}

bool Animation::RemoveFrame() {
    if (m_frames.size() <= 1) {
        m_host.Tell(kLastFrameText, PromptIcon::Exclamation);
        return false;
    }
    if (m_host.Ask(kRemoveFrameText, PromptButtons::YesNo, PromptIcon::Question) !=
        PromptAnswer::Yes)
        return false;
    m_frames.erase(m_frames.begin() + static_cast<std::ptrdiff_t>(m_selected));
    if (m_selected > 0) --m_selected;
    m_modified = true;
    ResetSlider();
    return true;
}

void Animation::SetTimeText(size_t index, std::string_view text) {
    if (index >= m_frames.size()) return;
    int32_t time = ParseTime(text.substr(0, 3));
    if (time == m_frames[index].time) return;
    m_frames[index].time = time;
    m_modified = true;
    ResetSlider();
}

void Animation::ApplySpeed() {
    const SpeedRatio speed = m_slider.ratio();
    bool changed = false;
    for (Frame& f : m_frames) {
        const int32_t time = ScaleTime(f.time, speed);
        changed |= time != f.time;
        f.time = time;
    }
    // A release where nothing changes (at the neutral position, say) is no edit.
    if (changed) m_modified = true;
    ResetSlider();
}

bool Animation::LoadSessionImages(const std::vector<std::vector<uint8_t>>& images, const std::string& name) {
    std::vector<Frame> frames;
    int32_t code = 0;
    for (const std::vector<uint8_t>& block : images) {
        if (block.size() < kBitmapHeaderSize || frames.size() >= kMaxFrames) continue;
        const BitmapInfoHeader h = BitmapInfoHeader::Load(block.data());
        const int32_t blockCode = CodeForBitCount(static_cast<uint32_t>(h.planes) * h.bitCount);
        if (h.width != kAnimatorImageSize || h.height != kAnimatorImageSize) continue;
        if (blockCode != kColors16 && blockCode != kColors256 && blockCode != kTrueColor) continue;
        if (code == 0) code = blockCode;
        if (blockCode != code) continue;
        std::shared_ptr<FrameRecord> record = MakeRecord(block, code);
        if (record) frames.push_back({kNewFrameTime, std::move(record)});
    }
    if (frames.empty()) return false;
    m_frames = std::move(frames);
    m_header = AniHeader{};
    m_title.clear();
    m_author.clear();
    m_colorCode = code;
    m_modified = false;
    m_untitled = true;
    m_path.clear();
    m_sessionName = name;
    m_selected = 0;
    ResetSlider();
    return true;
}

std::string Animation::DocumentName() const {
    if ((m_untitled || m_path.empty()) && !m_sessionName.empty()) return m_sessionName;
    if (m_untitled || m_path.empty()) return "untitled";
    const size_t cut = m_path.find_last_of("\\/");
    return cut == std::string::npos ? m_path : m_path.substr(cut + 1);
}

bool Animation::ConfirmClose(const std::function<bool()>& save) {
    if (!m_modified) return true;
    const PromptAnswer answer = m_host.Ask(Format(kSaveBeforeClosingText, DocumentName().c_str()),
                                           PromptButtons::YesNoCancel, PromptIcon::Question);
    // A save that fails or is cancelled keeps the animation open.
    return ProceedAfterSaveQuestion(answer, [&] { return save && save() && !m_modified; });
}

std::vector<int32_t> Animation::Times() const {
    std::vector<int32_t> times;
    times.reserve(m_frames.size());
    for (const Frame& f : m_frames) times.push_back(f.time);
    return times;
}

bool Animation::ConfirmNewColorDepth() {
    if (!m_modified) return true;
    PromptMessage m{kNewDepthUnsavedText,    {},   PromptIcon::Question,
                    PromptButtons::OkCancel, true, 1};
    // Without anyone to ask, the changes are kept.
    if (!m_host.prompt) return false;
    return m_host.Show(m) == PromptAnswer::Ok;
}

bool Animation::ConvertColorDepth(int32_t colorCode) {
    if (colorCode != kColors16 && colorCode != kColors256 && colorCode != kTrueColor) return false;
    // All frames are converted aside first, so a failure part way leaves the animation whole.
    std::vector<Frame> converted;
    try {
        converted.reserve(m_frames.size());
        for (const Frame& f : m_frames) {
            const IconImage& from = f.image();
            std::shared_ptr<FrameRecord> record = MakeRecord({}, colorCode);
            if (!record) return false;
            IconImage& to = record->image;
            if (!ConvertFromImage(from, to)) {
                m_host.Tell(kAniOutOfMemoryText, PromptIcon::Stop);
                return false;
            }
            // The mask is the frame's own, bit for bit; pixels under it show screen, or inverse
            // where the old pixel was white.
            for (int32_t y = 0; y < to.height; ++y) {
                for (int32_t x = 0; x < to.width; ++x) {
                    const bool masked = from.AndBit(x, y);
                    to.SetAndBit(x, y, masked);
                    if (!masked) continue;
                    const uint32_t v = from.XorValue(x, y);
                    const uint32_t c = IsPaletteBased(from.colorCode) ? from.TableColor(v) : v;
                    to.SetXorValue(x, y,
                                   (c & 0xFFFFFF) == 0xFFFFFF ? to.inverseColor : to.screenColor);
                }
            }
            to.hotSpotX = from.hotSpotX;
            to.hotSpotY = from.hotSpotY;
            if (m_host.bitsChanged) m_host.bitsChanged(to);
            converted.push_back({f.time, std::move(record)});
        }
    } catch (const std::bad_alloc&) {
        m_host.Tell(kAniOutOfMemoryText, PromptIcon::Stop);
        return false;
    }
    m_frames = std::move(converted);
    m_colorCode = colorCode;
    m_modified = true;
    m_untitled = true;
    m_path.clear();
    return true;
}

CursorProperties Animation::Properties() const {
    CursorProperties p;
    p.width = Format("%d pixels", kAnimatorImageSize);
    p.height = Format("%d pixels", kAnimatorImageSize);
    const int bits = BitsForCode(m_colorCode);
    p.colorFormat = IsPaletteBased(m_colorCode) ? Format("%d bit, %d colors", bits, m_colorCode)
                                                : Format("%d bit, True Color", bits);
    p.frames = static_cast<int>(m_frames.size());
    p.images = static_cast<int>(PlanAniImages(WriterSteps(m_frames)).cursorFiles.size());
    p.duration = DurationText(Times());
    return p;
}

void Animation::SetTexts(std::string_view title, std::string_view author) {
    m_title = CutText(title);
    m_author = CutText(author);
    m_modified = true;
}

}  // namespace vt
