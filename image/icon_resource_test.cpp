#include "image/icon_resource.h"

#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "image/icon_testutil.h"

namespace vt {
namespace {

using test::TestHost;

constexpr const char* kPaletteWarning =
    "An error occurred while attempting to access the color palette file,\n\"default.pal\".";

IconImage& CreateBlank(IconResource& doc, ImageHost& host, int32_t w, int32_t h, int32_t code) {
    doc.activeFormat = {w, h, code};
    EXPECT_TRUE(FindOrCreateImage(doc, nullptr, 0, host));
    return *doc.ActiveImage();
}

TEST(FindOrCreateImage, NewImagesAreFullyTransparentInTheFillColour) {
    ScriptedPrompt prompt;
    ImageHost host = TestHost(&prompt);
    IconResource doc;
    for (int32_t code : {kMonochrome, kColors16, kColors256, kTrueColor}) {
        SCOPED_TRACE(code);
        IconImage& img = CreateBlank(doc, host, 24, 17, code);
        EXPECT_TRUE(img.untouched);
        EXPECT_EQ(img.block.size(), BlockSize(24, 17, code));
        // 256 colours fill with the last black entry of the palette, the others with 0.
        const uint32_t fill = code == kColors256 ? 254 : 0;
        for (int32_t y = 0; y < img.height; ++y)
            for (int32_t x = 0; x < img.width; ++x) {
                ASSERT_TRUE(img.AndBit(x, y));
                ASSERT_EQ(img.XorValue(x, y), fill);
            }
        for (uint8_t b : img.AndBits()) ASSERT_EQ(b, 0xFF);  // padding too
    }
    EXPECT_TRUE(prompt.shown().empty());
}

TEST(FindOrCreateImage, DefaultTablesByDepth) {
    ImageHost host = TestHost(nullptr);
    IconResource doc;
    IconImage& mono = CreateBlank(doc, host, 8, 8, kMonochrome);
    EXPECT_EQ(mono.TableColor(0), 0x000000u);
    EXPECT_EQ(mono.TableColor(1), 0xFFFFFFu);

    IconImage& c16 = CreateBlank(doc, host, 8, 8, kColors16);
    // Entry 1 is dark red 0x800000 as a table entry: blue 0, green 0, red 0x80.
    EXPECT_EQ(LoadLE32(c16.ColorTable().data() + 4), 0x800000u);
    EXPECT_EQ(c16.TableColor(1), 0x000080u);
    EXPECT_EQ(c16.TableColor(7), 0xC0C0C0u);
    EXPECT_EQ(c16.TableColor(12), 0xFF0000u);  // table 0000FF is blue
    EXPECT_EQ(c16.TableColor(15), 0xFFFFFFu);

    IconImage& c256 = CreateBlank(doc, host, 8, 8, kColors256);
    const ColorValues256 palette = test::TestPalette();
    for (uint32_t i = 0; i < 256; ++i) ASSERT_EQ(c256.TableColor(i), palette[i]);
    EXPECT_FALSE(c256.trueColorPalette.has_value());

    IconImage& tc = CreateBlank(doc, host, 8, 8, kTrueColor);
    ASSERT_TRUE(tc.trueColorPalette.has_value());
    EXPECT_EQ(*tc.trueColorPalette, palette);
}

TEST(FindOrCreateImage, WarnsWhenThePaletteFileCannotBeReadAndGoesOn) {
    ScriptedPrompt prompt;
    ImageHost host = TestHost(&prompt, false);
    IconResource doc;
    IconImage& img = CreateBlank(doc, host, 16, 16, kColors256);
    EXPECT_TRUE(img.HasBits());
    ASSERT_EQ(prompt.texts(), std::vector<std::string>{kPaletteWarning});
    EXPECT_TRUE(prompt.shown()[0].beep);
    // 2- and 16-colour images never need the palette file.
    prompt.Clear();
    CreateBlank(doc, host, 16, 16, kColors16);
    EXPECT_TRUE(prompt.shown().empty());
}

TEST(FindOrCreateImage, ExistingFormatIsReusedAndFirstFileImageWins) {
    ImageHost host = TestHost(nullptr);
    IconResource doc;
    IconImage& first = CreateBlank(doc, host, 32, 32, kColors16);
    first.SetXorValue(0, 0, 9);
    CreateBlank(doc, host, 16, 16, kColors16);
    IconImage& again = CreateBlank(doc, host, 32, 32, kColors16);
    EXPECT_EQ(doc.images.size(), 2u);
    EXPECT_EQ(doc.activeIndex, 0);
    EXPECT_EQ(again.XorValue(0, 0), 9u);

    // A file image of a format already present is ignored.
    IconImage other = doc.images[0].Clone();
    other.SetXorValue(0, 0, 3);
    EXPECT_TRUE(FindOrCreateImage(doc, other.block.data(), other.block.size(), host));
    EXPECT_EQ(doc.images.size(), 2u);
    EXPECT_EQ(doc.images[0].XorValue(0, 0), 9u);
}

TEST(FindOrCreateImage, FileImageIsCopiedAsItIsAndNotUntouched) {
    ImageHost host = TestHost(nullptr);
    IconResource source;
    IconImage& drawn = test::AddDrawnImage(source, host, 20, 12, kColors256);
    IconResource doc;
    int undoBuffers = 0, refreshed = 0;
    host.createUndoBuffer = [&](IconImage&) { ++undoBuffers; };
    host.bitsChanged = [&](IconImage&) { ++refreshed; };
    ASSERT_TRUE(FindOrCreateImage(doc, drawn.block.data(), drawn.block.size(), host));
    const IconImage& img = *doc.ActiveImage();
    EXPECT_EQ(img.block, drawn.block);
    EXPECT_FALSE(img.untouched);
    EXPECT_EQ(undoBuffers, 1);
    EXPECT_EQ(refreshed, 1);
    // A file image shorter than its format's block is refused rather than over-read.
    IconResource other;
    EXPECT_FALSE(FindOrCreateImage(other, drawn.block.data(), drawn.block.size() - 1, host));
}

TEST(FindOrCreateImage, BeginFromCurrentFillsByConversionAndTakesItsPalette) {
    ImageHost host = TestHost(nullptr);
    IconResource doc;
    IconImage& source = test::AddDrawnImage(doc, host, 16, 16, kColors256);
    source.SetTableColor(7, 0x123456);
    std::vector<int32_t> convertedFrom;
    host.fillFromImage = [&](const IconImage& from, IconImage& to) {
        convertedFrom.push_back(from.colorCode);
        to.SetXorValue(0, 0, 0x0000FF);
        return true;
    };
    doc.activeFormat = {32, 32, kTrueColor};
    ASSERT_TRUE(FindOrCreateImage(doc, nullptr, 0, host, true));
    IconImage& made = *doc.ActiveImage();
    EXPECT_EQ(convertedFrom, std::vector<int32_t>{kColors256});
    EXPECT_FALSE(made.untouched);
    EXPECT_EQ(made.XorValue(0, 0), 0x0000FFu);
    ASSERT_TRUE(made.trueColorPalette.has_value());
    EXPECT_EQ((*made.trueColorPalette)[7], 0x123456u);

    // From a true-colour image the palette is a fresh copy of the current palette.
    doc.activeFormat = {16, 16, kTrueColor};
    ASSERT_TRUE(FindOrCreateImage(doc, nullptr, 0, host, true));
    EXPECT_EQ(*doc.ActiveImage()->trueColorPalette, test::TestPalette());
}

TEST(FindOrCreateImage, RefusesSizesThePackedPositionsCannotHold) {
    ImageHost host = TestHost(nullptr);
    IconResource doc;
    doc.activeFormat = {257, 16, kColors16};
    EXPECT_FALSE(FindOrCreateImage(doc, nullptr, 0, host));
    doc.activeFormat = {16, 0, kColors16};
    EXPECT_FALSE(FindOrCreateImage(doc, nullptr, 0, host));
    EXPECT_TRUE(doc.images.empty());
}

TEST(SortImages, StableByWidthHeightAndCodeKeepingTheActiveImage) {
    ImageHost host = TestHost(nullptr);
    IconResource doc;
    CreateBlank(doc, host, 48, 48, kColors16);
    CreateBlank(doc, host, 16, 16, kTrueColor);
    CreateBlank(doc, host, 32, 16, kColors16);
    CreateBlank(doc, host, 16, 16, kMonochrome);
    CreateBlank(doc, host, 16, 32, kColors16);
    doc.activeIndex = 1;  // 16 x 16 true colour
    doc.images[1].colorA = {42, false};
    SortImages(doc);
    std::vector<std::tuple<int, int, int>> order;
    for (const IconImage& img : doc.images)
        order.emplace_back(img.width, img.height, img.colorCode);
    EXPECT_EQ(order, (std::vector<std::tuple<int, int, int>>{
                         {16, 16, 2}, {16, 16, 1024}, {16, 32, 16}, {32, 16, 16}, {48, 48, 16}}));
    EXPECT_EQ(doc.activeIndex, 1);
    EXPECT_EQ(doc.ActiveImage()->colorA.value, 42u);

    doc.activeIndex = 4;
    doc.images[4].width = 8;
    SortImages(doc);
    EXPECT_EQ(doc.activeIndex, 0);
    EXPECT_EQ(doc.ActiveImage()->height, 48);
}

TEST(ActivateImage, ScreenAndInverseComeFromTransparentPixels) {
    ImageHost host = TestHost(nullptr);
    IconResource doc;
    IconImage& img = CreateBlank(doc, host, 8, 8, kColors16);
    // A second black and white entry, used by the set-AND pixels.
    img.SetTableColor(3, 0x000000);
    img.SetTableColor(5, 0xFFFFFF);
    img.SetXorValue(2, 0, 5);  // top row: inverse through entry 5
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 8; ++x)
            if (!(x == 2 && y == 0)) img.SetXorValue(x, y, 3);
    ActivateImage(doc, host);
    EXPECT_EQ(img.screenColor, 3u);
    EXPECT_EQ(img.inverseColor, 5u);
    EXPECT_EQ(img.colorA, (ImageColor{3, false}));
    EXPECT_EQ(img.colorB, (ImageColor{5, false}));

    // Remembered colours and inks are kept on the next activation.
    img.colorA = {9, false};
    img.colorB = {3, true};
    ActivateImage(doc, host);
    EXPECT_EQ(img.colorA, (ImageColor{9, false}));
    EXPECT_EQ(img.colorB, (ImageColor{3, true}));
}

TEST(ActivateImage, OpaqueImageTakesTheFirstBlackAndWhiteEntries) {
    ImageHost host = TestHost(nullptr);
    IconResource doc;
    IconImage& img = CreateBlank(doc, host, 8, 8, kColors256);
    std::fill(img.AndBits().begin(), img.AndBits().end(), 0);
    ActivateImage(doc, host);
    EXPECT_EQ(img.screenColor, 0u);
    EXPECT_EQ(img.inverseColor, 255u);
}

TEST(ActivateImage, WarnsAboutMissingBlackThenWhiteAndStops) {
    ScriptedPrompt prompt;
    ImageHost host = TestHost(&prompt);
    IconResource doc;
    IconImage& img = CreateBlank(doc, host, 8, 8, kColors16);
    img.SetTableColor(0, 0x010101);
    img.SetTableColor(15, 0xFEFEFE);
    ActivateImage(doc, host);
    ASSERT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(prompt.shown()[0].text,
              "WARNING!\nThe color palette does not include the color black.\n\nUse of the "
              "'screen' color will be unpredictable until a true black entry (0,0,0) has been "
              "defined in the color palette.");
    EXPECT_EQ(prompt.shown()[1].text,
              "WARNING!\nThe color palette does not include the color white.\n\nUse of the "
              "'inverse' color will be unpredictable until a true white entry (255,255,255) has "
              "been defined in the color palette.");
    EXPECT_EQ(prompt.shown()[0].icon, PromptIcon::Information);
    EXPECT_TRUE(prompt.shown()[1].beep);
    EXPECT_EQ(img.colorA, ImageColor{});  // activation ended before choosing colours

    prompt.Clear();
    img.SetTableColor(3, 0x000000);
    ActivateImage(doc, host);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_NE(prompt.shown()[0].text.find("color white"), std::string::npos);
    // The black entry it found is still the screen colour.
    EXPECT_EQ(img.screenColor, 3u);
}

TEST(ActivateImage, TrueColourUsesBlackAndWhiteAndDefaultsColourBToWhite) {
    ImageHost host = TestHost(nullptr);
    IconResource doc;
    IconImage& img = CreateBlank(doc, host, 8, 8, kTrueColor);
    ActivateImage(doc, host);
    EXPECT_EQ(img.screenColor, 0x000000u);
    EXPECT_EQ(img.inverseColor, 0xFFFFFFu);
    EXPECT_EQ(img.colorA.value, 0u);
    EXPECT_EQ(img.colorB.value, 0xFFFFFFu);
    img.colorA = {0x00FF00, false};
    img.colorB = {0, false};
    ActivateImage(doc, host);
    EXPECT_EQ(img.colorB.value, 0u);  // a chosen black stays black
}

TEST(Document, NewResourceStartsOneBlankImageAndSetsCommands) {
    ImageHost host = TestHost(nullptr);
    IconResource doc = test::SampleDocument();
    doc.activeFormat = {48, 48, kColors16};
    ASSERT_TRUE(NewResource(doc, kCursorResource, host));
    ASSERT_EQ(doc.images.size(), 1u);
    EXPECT_EQ(doc.images[0].width, 32);  // cursors are 32 x 32
    EXPECT_EQ(doc.images[0].height, 32);
    EXPECT_TRUE(doc.images[0].untouched);
    EXPECT_FALSE(doc.modified);
    EXPECT_TRUE(doc.untitled);
    EXPECT_FALSE(doc.commands.newImageFormat);
    EXPECT_TRUE(doc.commands.setHotSpot);

    ASSERT_TRUE(NewResource(doc, kIconResource, host));
    EXPECT_TRUE(doc.commands.newImageFormat);
    EXPECT_FALSE(doc.commands.setHotSpot);
}

TEST(Document, CommitMarksTheImageDrawnAndTheDocumentModified) {
    ImageHost host = TestHost(nullptr);
    IconResource doc;
    ASSERT_TRUE(NewResource(doc, kIconResource, host));
    int refreshed = 0;
    host.bitsChanged = [&](IconImage&) { ++refreshed; };
    CommitImageBits(doc, host);
    EXPECT_EQ(refreshed, 1);
    EXPECT_TRUE(doc.images[0].changed);
    EXPECT_FALSE(doc.images[0].untouched);
    EXPECT_TRUE(doc.modified);
    EXPECT_TRUE(doc.commands.save);
}

TEST(Document, SwitchingFormatsKeepsEachImagesEditorState) {
    ImageHost host = TestHost(nullptr);
    IconResource doc;
    ASSERT_TRUE(NewResource(doc, kIconResource, host));
    SavedEditorState live;
    host.saveEditorState = [&](IconImage& img) { img.editorState = live; };
    host.restoreEditorState = [&](IconImage& img) { live = img.editorState; };
    live = {true, false, 3, 0};
    doc.activeFormat = {16, 16, kColors16};
    ASSERT_TRUE(SwitchToFormat(doc, host, false));
    EXPECT_EQ(live, SavedEditorState{});  // a new image has no history
    doc.activeFormat = {32, 32, kColors16};
    ASSERT_TRUE(SwitchToFormat(doc, host, false));
    EXPECT_EQ(live, (SavedEditorState{true, false, 3, 0}));
    EXPECT_EQ(doc.images.size(), 2u);
}

TEST(Document, SaveQuestionBeforeLosingChanges) {
    ScriptedPrompt prompt;
    ImageHost host = TestHost(&prompt);
    IconResource doc;
    doc.modified = true;
    int saves = 0;
    auto save = [&] {
        ++saves;
        return true;
    };
    prompt.Answer(PromptAnswer::Cancel);
    EXPECT_FALSE(ConfirmDiscardChanges(doc, host, save));
    prompt.Answer(PromptAnswer::No);
    EXPECT_TRUE(ConfirmDiscardChanges(doc, host, save));
    EXPECT_EQ(saves, 0);
    prompt.Answer(PromptAnswer::Yes);
    EXPECT_TRUE(ConfirmDiscardChanges(doc, host, save));
    EXPECT_EQ(saves, 1);
    ASSERT_EQ(prompt.shown().size(), 3u);
    EXPECT_EQ(prompt.shown()[0].text,
              "Current image has been changed.\n\nSave changes before continuing?");
    EXPECT_EQ(prompt.shown()[0].buttons, PromptButtons::YesNoCancel);
    // A failed save keeps the changes.
    prompt.Answer(PromptAnswer::Yes);
    EXPECT_FALSE(ConfirmDiscardChanges(doc, host, [] { return false; }));
}

}  // namespace
}  // namespace vt
