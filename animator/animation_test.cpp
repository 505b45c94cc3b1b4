#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "animator/animation.h"
#include "animator/ani_testutil.h"
#include "common/byte_reader.h"
#include "common/file_io.h"

namespace vt {
namespace {

using namespace vt::testing;

// A host with a palette that has black at 0 and white at 255, counting the undo buffers made.
struct TestEditor {
    ScriptedPrompt prompt;
    ImageHost host;
    int undoBuffers = 0;
    std::vector<ColorValues256> keptPalettes;

    TestEditor() {
        host.prompt = &prompt;
        host.newImagePalette = [](int32_t, ColorValues256& out) {
            for (uint32_t i = 0; i < 256; ++i) out[i] = i * 0x010101u;
            out[255] = 0xFFFFFF;
            return true;
        };
        host.setNewImagePalette = [this](const ColorValues256& p) { keptPalettes.push_back(p); };
        host.createUndoBuffer = [this](IconImage&) { ++undoBuffers; };
    }
};

std::vector<int32_t> TimesOf(const Animation& a) {
    return a.Times();
}

// An animation of `n` frames with distinct pictures and times 10, 20, 30, ...
Bytes DistinctFile(int n, int bits = 4) {
    std::vector<Bytes> blocks;
    std::vector<AniFrameImage> steps;
    for (int i = 0; i < n; ++i) blocks.push_back(MakeBlock(bits, static_cast<uint8_t>(i + 1)));
    for (int i = 0; i < n; ++i)
        steps.push_back(
            {10 * (i + 1), static_cast<uint16_t>(i), 2, blocks[static_cast<size_t>(i)]});
    return BuildAni(AniHeader{}, "", "", steps);
}

TEST(Animation, NewAnimationIsOneBlankFrame) {
    TestEditor e;
    Animation a(e.host);
    ASSERT_TRUE(a.New(16));
    ASSERT_EQ(a.frameCount(), 1u);
    const IconImage& img = a.frame(0).image();
    EXPECT_EQ(a.frame(0).time, 10);
    EXPECT_EQ(img.width, 32);
    EXPECT_EQ(img.colorCode, 16);
    EXPECT_EQ(img.hotSpotX, 0u);
    EXPECT_TRUE(std::all_of(img.AndBits().begin(), img.AndBits().end(),
                            [](uint8_t b) { return b == 0xFF; }));
    EXPECT_TRUE(a.untitled());
    EXPECT_FALSE(a.modified());
    EXPECT_EQ(e.undoBuffers, 1);

    Bytes file = a.Encode();
    EXPECT_EQ(ChunkIds(file), (std::vector<std::string>{"anih", "LIST:fram", "icon"}));
    EXPECT_EQ(LoadLE32(&file[20 + 20]), 4u);  // bit count
    EXPECT_EQ(LoadLE32(&file[20 + 32]), 1u);  // flags
}

TEST(Animation, SessionImagesOfTheFirstOnesDepthBecomeFrames) {
    TestEditor e;
    Animation a(e.host);
    ASSERT_TRUE(a.New(16));
    a.SetModified();
    const Bytes first = MakeBlock(4, 1), other = MakeBlock(8, 2), third = MakeBlock(4, 3);
    ASSERT_TRUE(a.LoadSessionImages({first, other, Bytes(first.begin(), first.begin() + 20), third}, "drive"));
    ASSERT_EQ(a.frameCount(), 2u) << "the 256-colour and the cut block are left out";
    EXPECT_EQ(a.colorCode(), 16);
    EXPECT_EQ(a.frame(0).image().block, first);
    EXPECT_EQ(a.frame(1).image().block, third);
    EXPECT_EQ(a.DocumentName(), "drive");
    EXPECT_FALSE(a.modified());
    EXPECT_TRUE(a.untitled()) << "Save asks for a file";

    // Nothing that fits: refused, and the animation stays as it was.
    EXPECT_FALSE(a.LoadSessionImages({Bytes(first.begin(), first.begin() + 39)}, "other"));
    EXPECT_EQ(a.frameCount(), 2u);
    EXPECT_EQ(a.DocumentName(), "drive");
}

TEST(Animation, SharedPictureGivesEveryStepItsOwnCopy) {
    TestEditor e;
    Animation a(e.host);
    Bytes block = MakeBlock(4, 3);
    std::vector<AniFrameImage> steps(3, AniFrameImage{10, 4, 5, block});
    Bytes file = BuildAni(AniHeader{}, "", "", steps);
    ASSERT_TRUE(a.Read(file, 1024));
    ASSERT_EQ(a.frameCount(), 3u);
    EXPECT_NE(a.frame(0).record, a.frame(1).record);
    const uint32_t before = a.frame(1).image().XorValue(0, 0);
    a.frame(0).image().SetXorValue(0, 0, (before + 1) & 15);
    EXPECT_EQ(a.frame(1).image().XorValue(0, 0), before);
    EXPECT_EQ(a.frame(2).image().hotSpotX, 4u);
    EXPECT_EQ(a.frame(2).image().block, block);
    EXPECT_EQ(a.Properties().images, 2);
}

TEST(Animation, ReadThenWriteGivesTheSameFileAndLeavesTheAnimationAlone) {
    TestEditor e;
    Animation a(e.host);
    std::vector<Bytes> blocks = {MakeBlock(8, 1), MakeBlock(8, 2)};
    std::vector<AniFrameImage> steps = {
        {10, 1, 1, blocks[0]}, {20, 2, 2, blocks[1]}, {10, 1, 1, blocks[0]}};
    Bytes file = BuildAni(AniHeader{}, "name", "me", steps);
    ASSERT_TRUE(a.Read(file, 1024));
    EXPECT_EQ(a.title(), "name");
    EXPECT_EQ(a.author(), "me");
    EXPECT_EQ(a.colorCode(), 256);
    EXPECT_EQ(a.Encode(), file);
    // Writing merged frames 1 and 3 in the file only.
    EXPECT_NE(a.frame(0).record, a.frame(2).record);
    EXPECT_EQ(a.Encode(), file);
    EXPECT_TRUE(e.prompt.texts().empty());
}

TEST(Animation, FailedReadLeavesANewAnimationAndSaysWhy) {
    TestEditor e;
    Animation a(e.host);
    ASSERT_TRUE(a.Read(DistinctFile(3), 1024));
    a.SetTexts("old", "");

    Bytes sixteen = AniFile(
        {Chunk("anih", AnihData(1, 1)),
         List("fram",
              {Chunk("icon", CursorFile({{16, 16, 0, 0, FileImageOf(MakeBlock(4, 1))}}))})});
    EXPECT_FALSE(a.Read(sixteen, 1024));
    EXPECT_EQ(e.prompt.texts(),
              (std::vector<std::string>{
                  "Cannot locate 32x32 pixel image, only 16x16.\n\nFile open aborted.",
                  "Could not open the requested file."}));
    EXPECT_EQ(e.prompt.shown().back().icon, PromptIcon::Stop);
    EXPECT_EQ(a.frameCount(), 1u);
    EXPECT_EQ(a.title(), "");
    EXPECT_TRUE(a.untitled());
    EXPECT_FALSE(a.modified());
    EXPECT_EQ(a.frame(0).time, 10);

    e.prompt.Clear();
    EXPECT_FALSE(a.Read(Bytes{'R', 'I', 'F', 'F'}, 1024));
    EXPECT_EQ(e.prompt.texts(), (std::vector<std::string>{"Could not open the requested file."}));
    e.prompt.Clear();
    EXPECT_FALSE(a.Open("/nonexistent/folder/x.ani", 1024));
    EXPECT_EQ(e.prompt.texts(), (std::vector<std::string>{"Could not open the requested file."}));
}

TEST(Animation, IconChunkWithAnExtraImageLoadsWithANote) {
    TestEditor e;
    Animation a(e.host);
    Bytes icon = CursorFile({{16, 16, 0, 0, FileImageOf(MakeBlock(4, 3))},
                             {32, 32, 6, 7, FileImageOf(MakeBlock(4, 5))}});
    ASSERT_TRUE(a.Read(
        AniFile({Chunk("anih", AnihData(1, 1)), List("fram", {Chunk("icon", icon)})}), 1024));
    EXPECT_EQ(a.frame(0).image().block, MakeBlock(4, 5));
    EXPECT_EQ(a.frame(0).image().hotSpotY, 7u);
    ASSERT_EQ(e.prompt.shown().size(), 1u);
    EXPECT_EQ(e.prompt.shown()[0].text,
              "This file contains images that are not part of the animation.  These images will be "
              "ignored and will not be used by Vantoro.");
    EXPECT_EQ(e.prompt.shown()[0].icon, PromptIcon::Information);
}

TEST(Animation, InsertingFramesAfterAndBefore) {
    TestEditor e;
    Animation a(e.host);
    ASSERT_TRUE(a.Read(DistinctFile(4), 1024));
    const FrameRecord* third = a.frame(2).record.get();
    a.Select(1);
    int undo = e.undoBuffers;
    EXPECT_EQ(a.InsertFrames(3, /*after=*/true, /*fill=*/true), 3);
    ASSERT_EQ(a.frameCount(), 7u);
    EXPECT_EQ(a.frame(5).record.get(), third);
    EXPECT_EQ(a.selected(), 2u);
    for (size_t i = 2; i <= 4; ++i) {
        EXPECT_EQ(a.frame(i).time, 20);
        EXPECT_EQ(a.frame(i).image().block, a.frame(1).image().block);
        EXPECT_NE(a.frame(i).record, a.frame(1).record);
    }
    EXPECT_EQ(e.undoBuffers, undo + 3);
    EXPECT_TRUE(a.modified());

    // Blank frames before the selected one: 10 jiffies, transparent, the selected frame's hot spot.
    a.Select(6);
    EXPECT_EQ(a.InsertFrames(2, /*after=*/false, /*fill=*/false), 2);
    EXPECT_EQ(a.frameCount(), 9u);
    EXPECT_EQ(a.selected(), 6u);
    EXPECT_EQ(a.frame(8).time, 40);
    for (size_t i = 6; i <= 7; ++i) {
        const IconImage& img = a.frame(i).image();
        EXPECT_EQ(a.frame(i).time, 10);
        EXPECT_TRUE(img.untouched);
        EXPECT_EQ(img.hotSpotX, 3u);
        EXPECT_EQ(img.hotSpotY, 2u);
    }
    EXPECT_EQ(a.slider().smallestTime(), 10);
    EXPECT_EQ(a.InsertFrames(0, true, true), 0);
}

TEST(Animation, InsertingIn256ColoursKeepsTheFramePalette) {
    TestEditor e;
    Animation a(e.host);
    ASSERT_TRUE(a.Read(DistinctFile(1, 8), 1024));
    a.InsertFrames(1, true, false);
    ASSERT_EQ(e.keptPalettes.size(), 1u);
    EXPECT_EQ(e.keptPalettes[0][5], a.frame(0).image().TableColor(5));
}

TEST(Animation, InsertingStopsAtTheFrameLimit) {
    TestEditor e;
    Animation a(e.host);
    ASSERT_TRUE(a.New(16));
    for (int i = 0; i < 11; ++i) a.InsertFrames(99, true, true);
    EXPECT_EQ(a.frameCount(), kMaxFrames);
    // The limit is said as such, once, and not taken for a shortage of memory.
    EXPECT_EQ(e.prompt.texts(),
              (std::vector<std::string>{
                  "An animation holds at most 1024 frames.  No more frames can be inserted."}));
    AniContents back;
    EXPECT_TRUE(ParseAni(a.Encode(), 1024, &back).ok());
}

TEST(Animation, RemovingFrames) {
    TestEditor e;
    Animation a(e.host);
    ASSERT_TRUE(a.New(16));
    EXPECT_FALSE(a.RemoveFrame());
    EXPECT_EQ(e.prompt.texts(),
              (std::vector<std::string>{
                  "Cannot remove the last frame.  The cursor must have at least one frame."}));
    EXPECT_EQ(e.prompt.shown()[0].icon, PromptIcon::Exclamation);

    ASSERT_TRUE(a.Read(DistinctFile(3), 1024));
    e.prompt.Clear();
    a.Select(2);
    e.prompt.Answer(PromptAnswer::No);
    EXPECT_FALSE(a.RemoveFrame());
    EXPECT_EQ(a.frameCount(), 3u);
    EXPECT_EQ(e.prompt.shown()[0].text, "Remove the current frame from the animation?");
    EXPECT_EQ(e.prompt.shown()[0].buttons, PromptButtons::YesNo);
    e.prompt.Answer(PromptAnswer::Yes);
    EXPECT_TRUE(a.RemoveFrame());
    EXPECT_EQ(TimesOf(a), (std::vector<int32_t>{10, 20}));
    EXPECT_EQ(a.selected(), 1u);
    a.Select(0);
    EXPECT_TRUE(a.RemoveFrame());
    EXPECT_EQ(TimesOf(a), (std::vector<int32_t>{20}));
    EXPECT_EQ(a.selected(), 0u);
    EXPECT_EQ(a.slider().smallestTime(), 20);
}

TEST(Animation, EditingTimes) {
    TestEditor e;
    Animation a(e.host);
    ASSERT_TRUE(a.Read(DistinctFile(2), 1024));
    a.SetTimeText(0, "10");
    EXPECT_FALSE(a.modified());
    a.SetTimeText(1, "5");
    EXPECT_EQ(a.frame(1).time, 5);
    EXPECT_TRUE(a.modified());
    EXPECT_EQ(a.slider().neutral(), 16);
    a.SetTimeText(0, "12x");
    EXPECT_EQ(a.frame(0).time, 0);
    a.SetTimeText(0, "9999");
    EXPECT_EQ(a.frame(0).time, 999);
}

TEST(Animation, SpeedSliderReleaseRewritesTheTimes) {
    TestEditor e;
    Animation a(e.host);
    std::vector<Bytes> blocks(4, MakeBlock(4, 1));
    std::vector<AniFrameImage> steps;
    for (const Bytes& b : blocks) steps.push_back({10, 0, 0, b});
    ASSERT_TRUE(a.Read(BuildAni(AniHeader{}, "", "", steps), 1024));
    EXPECT_EQ(a.slider().maximum(), 20);
    EXPECT_EQ(a.slider().neutral(), 11);
    // Letting go at the neutral position changes nothing and is no edit.
    a.slider().Track(15);
    a.slider().Track(11);
    a.ApplySpeed();
    EXPECT_FALSE(a.modified());
    EXPECT_EQ(TimesOf(a), (std::vector<int32_t>(4, 10)));
    EXPECT_EQ(a.slider().Track(20), 10);
    a.ApplySpeed();
    EXPECT_EQ(TimesOf(a), (std::vector<int32_t>(4, 1)));
    EXPECT_TRUE(a.modified());
    EXPECT_EQ(a.slider().speed(), 100);
    EXPECT_EQ(a.slider().neutral(), 20);
}

TEST(Animation, ClosingAsksToSaveAModifiedAnimation) {
    TestEditor e;
    Animation a(e.host);
    ASSERT_TRUE(a.New(16));
    int saves = 0;
    auto save = [&] {  // a save the user cancels
        ++saves;
        return false;
    };
    EXPECT_TRUE(a.ConfirmClose(save));
    EXPECT_TRUE(e.prompt.shown().empty());

    a.SetTimeText(0, "5");
    e.prompt.Answer(PromptAnswer::Cancel);
    EXPECT_FALSE(a.ConfirmClose(save));
    ASSERT_EQ(e.prompt.shown().size(), 1u);
    EXPECT_EQ(e.prompt.shown()[0].text, "untitled has been changed.  Save file before closing?");
    EXPECT_EQ(e.prompt.shown()[0].buttons, PromptButtons::YesNoCancel);
    // Yes with a save that fails or is cancelled keeps the animation.
    e.prompt.Answer(PromptAnswer::Yes);
    EXPECT_FALSE(a.ConfirmClose(save));
    EXPECT_EQ(saves, 1);
    e.prompt.Answer(PromptAnswer::No);
    EXPECT_TRUE(a.ConfirmClose(save));
    EXPECT_EQ(saves, 1);

    std::string dir =
        std::filesystem::temp_directory_path() / ("ani_close_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    ASSERT_TRUE(a.Save(dir + "/walk.ani"));
    a.SetTimeText(0, "6");
    e.prompt.Clear();
    e.prompt.Answer(PromptAnswer::Yes);
    EXPECT_TRUE(a.ConfirmClose([&] { return a.Save(a.path()); }));
    EXPECT_EQ(e.prompt.shown()[0].text, "walk.ani has been changed.  Save file before closing?");
    EXPECT_FALSE(a.modified());
    std::filesystem::remove_all(dir);
}

TEST(Animation, CursorProperties) {
    TestEditor e;
    Animation a(e.host);
    ASSERT_TRUE(a.Read(DistinctFile(3), 1024));
    for (size_t i = 0; i < 3; ++i) a.SetTimeText(i, "30");
    CursorProperties p = a.Properties();
    EXPECT_EQ(p.width, "32 pixels");
    EXPECT_EQ(p.colorFormat, "4 bit, 16 colors");
    EXPECT_EQ(p.frames, 3);
    EXPECT_EQ(p.images, 3);
    EXPECT_EQ(p.duration, "1.5 seconds");

    ASSERT_TRUE(a.New(1024));
    EXPECT_EQ(a.Properties().colorFormat, "24 bit, True Color");
    a.SetTexts(std::string(100, 't'), "credits");
    EXPECT_EQ(a.title().size(), 80u);
    EXPECT_EQ(a.author(), "credits");
    EXPECT_TRUE(a.modified());
}

TEST(Animation, SaveReplacesTheFileOnlyWhenWritten) {
    TestEditor e;
    Animation a(e.host);
    std::string dir =
        std::filesystem::temp_directory_path() / ("ani_save_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string target = dir + "/walk.ani";
    WriteFileReplacing(target, "X", Bytes{1, 2, 3});

    ASSERT_TRUE(a.Read(DistinctFile(2), 1024));
    a.SetTimeText(0, "7");
    ASSERT_TRUE(a.Save(target));
    EXPECT_FALSE(a.modified());
    EXPECT_FALSE(a.untitled());
    EXPECT_EQ(a.path(), target);
    Bytes written;
    ASSERT_TRUE(ReadWholeFile(target, &written, 1 << 20));
    EXPECT_EQ(written, a.Encode());

    Animation b(e.host);
    ASSERT_TRUE(b.Open(target, 1024));
    EXPECT_EQ(TimesOf(b), (std::vector<int32_t>{7, 20}));
    EXPECT_EQ(b.path(), target);

    a.SetTimeText(0, "8");
    e.prompt.Clear();
    EXPECT_FALSE(a.Save(dir + "/missing/walk.ani"));
    ASSERT_EQ(e.prompt.texts(), (std::vector<std::string>{"Could not save the requested file."}));
    EXPECT_EQ(e.prompt.shown()[0].icon, PromptIcon::Stop);
    EXPECT_TRUE(a.modified());
    EXPECT_EQ(a.path(), target);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vt

namespace vt {
namespace {

using namespace vt::testing;

// Two 16-colour frames with opaque colours, screen pixels and inverse pixels.
void DrawTwoFrames(Animation& a) {
    ASSERT_TRUE(a.New(16));
    a.InsertFrames(1, true, false);
    for (size_t f = 0; f < 2; ++f) {
        IconImage& img = a.frame(f).image();
        img.hotSpotX = 5 + static_cast<uint32_t>(f);
        for (int32_t y = 0; y < 32; ++y)
            for (int32_t x = 0; x < 32; ++x) {
                const bool masked = (x + y + static_cast<int32_t>(f)) % 3 == 0;
                img.SetAndBit(x, y, masked);
                img.SetXorValue(
                    x, y, masked ? (x % 2 ? 15 : 0) : static_cast<uint32_t>((x * 7 + y) % 16));
            }
    }
    a.SetTimeText(1, "25");
}

TEST(AnimationColorDepth, ConversionKeepsMasksTimesAndHotSpots) {
    for (int32_t code : {256, 1024}) {
        TestEditor e;
        Animation a(e.host);
        DrawTwoFrames(a);
        std::vector<IconImage> before;
        for (size_t f = 0; f < 2; ++f) before.push_back(a.frame(f).image().Clone());
        int undo = e.undoBuffers;

        ASSERT_TRUE(a.ConvertColorDepth(code)) << code;
        EXPECT_EQ(a.colorCode(), code);
        EXPECT_TRUE(a.modified());
        EXPECT_TRUE(a.untitled());
        EXPECT_EQ(e.undoBuffers, undo + 2);
        EXPECT_EQ(a.Times(), (std::vector<int32_t>{10, 25}));
        for (size_t f = 0; f < 2; ++f) {
            const IconImage& img = a.frame(f).image();
            const IconImage& old = before[f];
            EXPECT_EQ(img.colorCode, code);
            EXPECT_EQ(img.hotSpotX, old.hotSpotX);
            EXPECT_TRUE(
                std::equal(img.AndBits().begin(), img.AndBits().end(), old.AndBits().begin()));
            for (int32_t y = 0; y < 32; ++y)
                for (int32_t x = 0; x < 32; ++x) {
                    const uint32_t v = img.XorValue(x, y);
                    const uint32_t c = code == 256 ? img.TableColor(v) : v;
                    const uint32_t oldColor = old.TableColor(old.XorValue(x, y));
                    if (old.AndBit(x, y))
                        EXPECT_EQ(v, oldColor == 0xFFFFFF ? img.inverseColor : img.screenColor);
                    else
                        EXPECT_EQ(c, oldColor) << x << "," << y;  // 16 colours fit either depth
                }
        }
        if (code == 256) {
            EXPECT_EQ(a.frame(0).image().TableColor(a.frame(0).image().screenColor), 0x000000u);
            EXPECT_EQ(a.frame(0).image().TableColor(a.frame(0).image().inverseColor), 0xFFFFFFu);
        } else {
            EXPECT_EQ(a.frame(0).image().inverseColor, 0xFFFFFFu);
        }
        EXPECT_EQ(a.Properties().colorFormat,
                  code == 256 ? "8 bit, 256 colors" : "24 bit, True Color");
        AniContents back;
        EXPECT_TRUE(ParseAni(a.Encode(), 1024, &back).ok());
    }
}

TEST(AnimationColorDepth, AsksBeforeLeavingUnsavedChanges) {
    TestEditor e;
    Animation a(e.host);
    ASSERT_TRUE(a.New(16));
    EXPECT_TRUE(a.ConfirmNewColorDepth());
    EXPECT_TRUE(e.prompt.shown().empty());
    a.SetTimeText(0, "3");
    e.prompt.Answer(PromptAnswer::Cancel);
    EXPECT_FALSE(a.ConfirmNewColorDepth());
    ASSERT_EQ(e.prompt.shown().size(), 1u);
    const PromptMessage& m = e.prompt.shown()[0];
    EXPECT_EQ(m.text.substr(0, 44), "The workspace contains changes that have not");
    EXPECT_EQ(m.buttons, PromptButtons::OkCancel);
    EXPECT_EQ(m.defaultButton, 1);
    e.prompt.Answer(PromptAnswer::Ok);
    EXPECT_TRUE(a.ConfirmNewColorDepth());
    // Monochrome is not a depth the Animator converts to.
    EXPECT_FALSE(a.ConvertColorDepth(2));
    EXPECT_EQ(a.colorCode(), 16);
}

}  // namespace
}  // namespace vt
