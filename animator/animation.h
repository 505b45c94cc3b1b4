#pragma once
// The animated cursor being edited: an ordered list of frames, each with its display time and its
// own 32 x 32 cursor image, the "anih" figures kept from the file, the title and author, and the
// speed slider that the preview uses. Reading and writing go through the byte-level ANI codec.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "animator/ani_file.h"
#include "animator/frame_timing.h"
#include "image/icon_image.h"
#include "image/image_host.h"

namespace vt {

inline constexpr int32_t kAnimatorImageSize = 32;
inline constexpr int32_t kNewFrameTime = 10;  // jiffies
// The most frames an animation holds, so that every animation written can be read back.
inline constexpr size_t kMaxFrames = kAniMaxSteps;

inline constexpr const char* kAniOutOfMemoryText = "Out of memory.  Cannot complete this function.";
inline constexpr const char* kAniSaveFailedText = "Could not save the requested file.";
inline constexpr const char* kFrameLimitText =
    "An animation holds at most %d frames.  No more frames can be inserted.";
inline constexpr const char* kSaveBeforeClosingText =
    "%s has been changed.  Save file before closing?";
inline constexpr const char* kLastFrameText =
    "Cannot remove the last frame.  The cursor must have at least one frame.";
inline constexpr const char* kRemoveFrameText = "Remove the current frame from the animation?";

inline constexpr const char* kNewDepthUnsavedText =
    "The workspace contains changes that have not\nbeen saved to disk.\n\nIf you want to save the "
    "changes, select CANCEL,\nand then save your workspace to disk before\ncreating a new color "
    "depth.\n\nDo you want to continue without saving?";
inline constexpr const char* kNewDepthChooseText =
    "Please select the New Color Depth that you would like to convert to.";

// "New": the "New Cursor Color Depth" dialog is only offered on a display of more than 256
// colours (otherwise the current depth is kept), with 256 colours preselected when that is the
// current depth and 16 colours otherwise.
constexpr bool AsksNewCursorDepth(int displayColors) {
    return displayColors > 256;
}
constexpr int32_t PreselectedNewDepth(int32_t currentDepth) {
    return currentDepth == 256 ? 256 : 16;
}

// One picture of the animation. A frame holds it by a counted reference; in memory each frame has
// its own record, so that drawing on one frame never changes another.
struct FrameRecord {
    IconImage image;
};

struct Frame {
    int32_t time = kNewFrameTime;
    std::shared_ptr<FrameRecord> record;

    IconImage& image() { return record->image; }
    const IconImage& image() const { return record->image; }
};

// The figures of the "Cursor Properties" dialog.
struct CursorProperties {
    std::string width;  // "%d pixels"
    std::string height;
    std::string colorFormat;  // "%d bit, %d colors" or "%d bit, True Color"
    int frames = 0;
    int images = 0;        // distinct pictures, compared as the file writer compares them
    std::string duration;  // "%d.%d seconds"
};

class Animation {
  public:
    explicit Animation(ImageHost& host) : m_host(host) {}

    // A new, untitled animation of `colorCode`: one blank, fully transparent frame of 10 jiffies
    // with its hot spot at (0, 0), default "anih" figures, no texts.
    bool New(int32_t colorCode);
    // Replaces the animation with a file's contents. On any failure the user is told why (where
    // there is something to tell) and "Could not open the requested file.", and a new animation of
    // the current depth takes the old one's place.
    bool Read(std::span<const uint8_t> file, int displayColors);
    bool Open(const std::string& path, int displayColors);
    // The file form of the animation; the animation itself is not changed.
    std::vector<uint8_t> Encode() const;
    // Writes through an "ANI" temporary file in the target's folder; on failure the user is told,
    // the old file stays and the animation keeps its name and modified state.
    bool Save(const std::string& target);
    // Before the animation is closed or replaced: a modified one asks whether to save first. Yes
    // runs `save` (which may ask for a name); true when the animation may go.
    bool ConfirmClose(const std::function<bool()>& save);
    // The images an edit session brought, in editor form: every 32 x 32 image of the first one's
    // colour depth (16, 256 or true colour) becomes one frame, in order; others are left out. The
    // animation is then known by `name` ("untitled" when empty), unmodified and without a file
    // (Save asks for one). False, and nothing changed, when no image fits.
    bool LoadSessionImages(const std::vector<std::vector<uint8_t>>& images, const std::string& name);
    // The file name without its folder, the session's name for an unsaved session animation, or
    // "untitled".
    std::string DocumentName() const;

    size_t frameCount() const { return m_frames.size(); }
    const std::vector<Frame>& frames() const { return m_frames; }
    Frame& frame(size_t i) { return m_frames[i]; }
    const Frame& frame(size_t i) const { return m_frames[i]; }
    size_t selected() const { return m_selected; }
    void Select(size_t index);
    IconImage& SelectedImage() { return m_frames[m_selected].image(); }

    // "Insert New Frames": `count` frames before or after the selected one, copies of it or blank,
    // all with its hot spot. Inserts fewer (and says so) when memory or the frame limit runs out.
    int InsertFrames(int count, bool after, bool fillFromCurrent);
    // "Remove Frame", with the refusal for the last frame and the question before removing.
    bool RemoveFrame();
    // The user typed in the selected frame's time field, which now reads `text`. Filling the
    // field with the frame's time is no edit and does not come here.
    void SetTimeText(size_t index, std::string_view text);
    // What the time field shows for a frame.
    static std::string TimeText(int32_t time) { return std::to_string(time); }
    // End of tracking the speed slider: the tracked speed becomes the frames' own times; the
    // animation is modified only when a time changed.
    void ApplySpeed();
    SpeedSlider& slider() { return m_slider; }
    const SpeedSlider& slider() const { return m_slider; }

    // "Create New Color Depth": asks before unsaved changes would be left behind; false to stop.
    bool ConfirmNewColorDepth();
    // Converts every frame to `colorCode` (16, 256 or true colour) with masks unchanged and fresh
    // undo histories; the result is modified and untitled. On failure nothing changes.
    bool ConvertColorDepth(int32_t colorCode);

    CursorProperties Properties() const;
    // OK of the properties dialog after "Edit": both texts, cut to 80 characters.
    void SetTexts(std::string_view title, std::string_view author);

    const AniHeader& header() const { return m_header; }
    const std::string& title() const { return m_title; }
    const std::string& author() const { return m_author; }
    int32_t colorCode() const { return m_colorCode; }
    bool modified() const { return m_modified; }
    void SetModified() { m_modified = true; }
    // The changes went elsewhere than a file (an edit session's update).
    void ClearModified() { m_modified = false; }
    bool untitled() const { return m_untitled; }
    const std::string& path() const { return m_path; }
    std::vector<int32_t> Times() const;

  private:
    // A frame record holding a copy of a file image, or a blank image when `block` is empty.
    std::shared_ptr<FrameRecord> MakeRecord(std::span<const uint8_t> block, int32_t code);
    void ResetSlider() { m_slider.Setup(Times()); }

    ImageHost& m_host;
    std::vector<Frame> m_frames;
    size_t m_selected = 0;
    AniHeader m_header;
    std::string m_title;
    std::string m_author;
    int32_t m_colorCode = 16;
    bool m_modified = false;
    bool m_untitled = true;
    std::string m_sessionName;
    std::string m_path;
    SpeedSlider m_slider;
};

}  // namespace vt
