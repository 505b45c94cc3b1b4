#include "image/format_list.h"

#include <gtest/gtest.h>

#include "image/format_commands.h"
#include "image/icon_testutil.h"

namespace vt {
namespace {

using test::TestHost;

// A document with one image of each depth at 32 x 32, plus a 16 x 16 of 16 colours.
IconResource AllDepths(ImageHost& host) {
    IconResource doc;
    for (int32_t code : {kTrueColor, kColors256, kColors16, kMonochrome}) {
        doc.activeFormat = {32, 32, code};
        EXPECT_TRUE(FindOrCreateImage(doc, nullptr, 0, host));
    }
    doc.activeFormat = {16, 16, kColors16};
    EXPECT_TRUE(FindOrCreateImage(doc, nullptr, 0, host));
    return doc;
}

std::vector<std::string> Texts(const FormatList& list) {
    std::vector<std::string> out;
    for (const auto& item : list.items) out.push_back(item.text);
    return out;
}

TEST(FormatList, DisplayCapabilityDecidesWhichDepthsAreListed) {
    EXPECT_EQ(DisplayColorCode(1), 2);
    EXPECT_EQ(DisplayColorCode(4), 16);
    EXPECT_EQ(DisplayColorCode(8), 256);
    EXPECT_EQ(DisplayColorCode(16), 1024);
    EXPECT_EQ(DisplayColorCode(32), 1024);

    ImageHost host = TestHost(nullptr);
    IconResource doc = AllDepths(host);
    FormatList on256 = BuildFormatList(doc, 256);
    EXPECT_EQ(Texts(on256), (std::vector<std::string>{"16x16, 16 colors", "32x32, 2 colors",
                                                      "32x32, 16 colors"}));
    EXPECT_TRUE(on256.anyHidden);
    FormatList on16 = BuildFormatList(doc, 16);
    EXPECT_EQ(Texts(on16), Texts(on256));
    FormatList onHigh = BuildFormatList(doc, 1024);
    EXPECT_EQ(Texts(onHigh),
              (std::vector<std::string>{"16x16, 16 colors", "32x32, 2 colors", "32x32, 16 colors",
                                        "32x32, 256 colors", "32x32, True Color"}));
    EXPECT_FALSE(onHigh.anyHidden);
    // Item data is the 1-based position in the sorted array.
    EXPECT_EQ(onHigh.items[3].position, 4);
    EXPECT_EQ(doc.images[3].colorCode, kColors256);
    // A monochrome display lists monochrome images only.
    EXPECT_EQ(Texts(BuildFormatList(doc, 2)), (std::vector<std::string>{"32x32, 2 colors"}));
}

TEST(FormatList, FreshFileShowsMostColoursThenWidestThenTallest) {
    ImageHost host = TestHost(nullptr);
    IconResource doc = AllDepths(host);
    FormatList list = BuildFormatList(doc, 1024);
    EXPECT_EQ(list.items[static_cast<size_t>(ChooseListItem(doc, list, false))].text,
              "32x32, True Color");
    FormatList low = BuildFormatList(doc, 256);
    EXPECT_EQ(low.items[static_cast<size_t>(ChooseListItem(doc, low, false))].text,
              "32x32, 16 colors");
}

TEST(FormatList, KeepingTheCurrentFormatPrefersSameSizeThenSameColours) {
    ImageHost host = TestHost(nullptr);
    IconResource doc = AllDepths(host);
    FormatList list = BuildFormatList(doc, 1024);
    doc.activeFormat = {16, 16, kColors16};
    EXPECT_EQ(list.items[static_cast<size_t>(ChooseListItem(doc, list, true))].text,
              "16x16, 16 colors");
    doc.activeFormat = {48, 48, kColors16};
    EXPECT_EQ(list.items[static_cast<size_t>(ChooseListItem(doc, list, true))].text,
              "32x32, 16 colors");
    doc.activeFormat = {48, 48, 99};
    EXPECT_EQ(ChooseListItem(doc, list, true), 4);
    EXPECT_EQ(ChooseListItem(doc, FormatList{}, true), -1);
}

TEST(FormatList, ShowWarnsAboutHiddenFormatsAndActivatesTheChoice) {
    ScriptedPrompt prompt;
    ImageHost host = TestHost(&prompt);
    IconResource doc = AllDepths(host);
    FormatList list;
    ASSERT_TRUE(ShowFormatList(doc, 16, false, host, &list));
    EXPECT_EQ(prompt.texts(),
              std::vector<std::string>{"This file includes images in color formats not supported "
                                       "by the current color settings of your video display."});
    EXPECT_EQ(doc.activeFormat, (ImageFormat{32, 32, kColors16}));
    EXPECT_EQ(doc.ActiveImage()->colorCode, kColors16);
    EXPECT_EQ(doc.ActiveImage()->width, 32);
    EXPECT_EQ(list.items.size(), 3u);
}

TEST(FormatList, NothingShowableFailsWithoutAnActiveImage) {
    ScriptedPrompt prompt;
    ImageHost host = TestHost(&prompt);
    IconResource doc;
    doc.activeFormat = {32, 32, kTrueColor};
    ASSERT_TRUE(FindOrCreateImage(doc, nullptr, 0, host));
    FormatList list;
    EXPECT_FALSE(ShowFormatList(doc, 256, false, host, &list));
    EXPECT_EQ(doc.ActiveImage(), nullptr);
    EXPECT_TRUE(list.items.empty());
    EXPECT_EQ(list.emptyReason, kNoFormatShownNote);
    ASSERT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(prompt.shown()[1].text,
              "This file does not include any images with color formats supported by the current "
              "color settings of your video display.");
    EXPECT_EQ(doc.images.size(), 1u);  // hidden images stay in the document
}

TEST(NewImageFormat, InitialStateFollowsDisplayAndDocument) {
    ImageHost host = TestHost(nullptr);
    IconResource doc;
    ASSERT_TRUE(NewResource(doc, kIconResource, host));
    NewFormatDialogState low = InitialNewFormatState(doc, 256);
    EXPECT_EQ(low.colorCode, kColors16);
    EXPECT_FALSE(low.deepDepthsEnabled);
    EXPECT_TRUE(low.sizeControlsEnabled);
    EXPECT_FALSE(low.beginFromCurrent);
    doc.activeFormat = {32, 32, kColors256};
    ASSERT_TRUE(SwitchToFormat(doc, host, false));
    NewFormatDialogState high = InitialNewFormatState(doc, 1024);
    EXPECT_EQ(high.colorCode, kTrueColor);
    EXPECT_TRUE(high.beginFromCurrent);

    IconResource cursor;
    ASSERT_TRUE(NewResource(cursor, kCursorResource, host));
    EXPECT_FALSE(InitialNewFormatState(cursor, 1024).sizeControlsEnabled);
    EXPECT_EQ(ClampCustomSide(3), 8);
    EXPECT_EQ(ClampCustomSide(40), 40);
    EXPECT_EQ(ClampCustomSide(4000000000u), 64);
}

TEST(NewImageFormat, RefusesTheActiveFormatWhenBeginningFromIt) {
    ScriptedPrompt prompt;
    ImageHost host = TestHost(&prompt);
    IconResource doc;
    ASSERT_TRUE(NewResource(doc, kIconResource, host));
    EXPECT_EQ(ApplyNewImageFormat(doc, {32, 32, kColors16}, true, host),
              NewFormatOutcome::StayOpen);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text,
              "Cannot replace an icon image with the same image.\n\nPlease un-check the 'Begin New "
              "Image using Current Image' box or select another Size and Color Depth for the new "
              "image.");
    EXPECT_EQ(doc.images.size(), 1u);
}

TEST(NewImageFormat, AsksBeforeReplacingAnExistingFormat) {
    ScriptedPrompt prompt;
    ImageHost host = TestHost(&prompt);
    IconResource doc = test::SampleDocument();
    doc.activeFormat = {32, 32, kColors16};
    ASSERT_TRUE(SwitchToFormat(doc, host, false));
    const size_t count = doc.images.size();
    prompt.Answer(PromptAnswer::No);
    EXPECT_EQ(ApplyNewImageFormat(doc, {48, 48, kColors256}, false, host),
              NewFormatOutcome::StayOpen);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text,
              "This icon already contains a 48 x 48, 256 color image.\n\nDo you want to replace "
              "the existing image with a new one?");
    EXPECT_EQ(prompt.shown()[0].buttons, PromptButtons::YesNo);
    EXPECT_FALSE(doc.images[static_cast<size_t>(FindImage(doc, 48, 48, 256) - 1)].untouched);

    prompt.Answer(PromptAnswer::Yes);
    EXPECT_EQ(ApplyNewImageFormat(doc, {48, 48, kColors256}, false, host), NewFormatOutcome::Done);
    EXPECT_EQ(doc.images.size(), count);
    const IconImage& rebuilt = *doc.ActiveImage();
    EXPECT_EQ(rebuilt.width, 48);
    EXPECT_TRUE(rebuilt.untouched);  // rebuilt blank
    EXPECT_TRUE(doc.modified);
}

TEST(NewImageFormat, KeepsThePaletteOfADeepImageForNew256ColourImages) {
    ImageHost host = TestHost(nullptr);
    std::vector<ColorValues256> kept;
    host.setNewImagePalette = [&](const ColorValues256& p) { kept.push_back(p); };
    IconResource doc;
    doc.activeFormat = {16, 16, kColors256};
    ASSERT_TRUE(FindOrCreateImage(doc, nullptr, 0, host));
    doc.ActiveImage()->SetTableColor(1, 0xABCDEF);
    EXPECT_EQ(ApplyNewImageFormat(doc, {32, 32, kColors16}, false, host), NewFormatOutcome::Done);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0][1], 0xABCDEFu);
    // From a 16-colour image nothing is kept.
    EXPECT_EQ(ApplyNewImageFormat(doc, {48, 48, kColors16}, false, host), NewFormatOutcome::Done);
    EXPECT_EQ(kept.size(), 1u);
    EXPECT_FALSE(doc.modified);  // blank new formats are not written, so nothing changed yet
}

TEST(NewImageFormat, CursorImagesStay32By32) {
    ImageHost host = TestHost(nullptr);
    IconResource doc;
    ASSERT_TRUE(NewResource(doc, kCursorResource, host));
    EXPECT_EQ(ApplyNewImageFormat(doc, {48, 16, kMonochrome}, false, host), NewFormatOutcome::Done);
    EXPECT_EQ(doc.ActiveImage()->width, 32);
    EXPECT_EQ(doc.ActiveImage()->height, 32);
    EXPECT_EQ(doc.ActiveImage()->colorCode, kMonochrome);
}

TEST(RemoveImageFormat, RefusesTheOnlyImage) {
    ScriptedPrompt prompt;
    ImageHost host = TestHost(&prompt);
    IconResource doc;
    ASSERT_TRUE(NewResource(doc, kIconResource, host));
    EXPECT_FALSE(RemoveActiveImage(doc, host));
    EXPECT_EQ(prompt.texts(),
              std::vector<std::string>{"Cannot remove the only image in an icon.\n\n"
                                       "You must add another image format before "
                                       "removing the current one."});
    EXPECT_EQ(doc.images.size(), 1u);
}

TEST(RemoveImageFormat, RemovesTheActiveImageAndKeepsTheRestSorted) {
    ScriptedPrompt prompt;
    ImageHost host = TestHost(&prompt);
    IconResource doc = test::SampleDocument();
    doc.modified = false;
    doc.activeFormat = {32, 32, kColors16};
    ASSERT_TRUE(SwitchToFormat(doc, host, false));
    prompt.Answer(PromptAnswer::No);
    EXPECT_FALSE(RemoveActiveImage(doc, host));
    EXPECT_EQ(prompt.shown()[0].text,
              "Do you want to remove the 32x32, 16 color image format from the current icon?");
    const size_t before = doc.images.size();
    EXPECT_TRUE(RemoveActiveImage(doc, host));
    EXPECT_EQ(doc.images.size(), before - 1);
    EXPECT_EQ(FindImage(doc, 32, 32, kColors16), 0);
    EXPECT_TRUE(doc.modified);
    for (size_t i = 1; i < doc.images.size(); ++i)
        EXPECT_LE(doc.images[i - 1].width, doc.images[i].width);
    // The list is shown again with the nearest format.
    ASSERT_TRUE(ShowFormatList(doc, 1024, true, host, nullptr));
    EXPECT_EQ(doc.ActiveImage()->colorCode, kColors16);
    EXPECT_EQ(doc.ActiveImage()->width, 16);

    doc.activeFormat = {24, 40, kTrueColor};
    ASSERT_TRUE(SwitchToFormat(doc, host, false));
    prompt.Answer(PromptAnswer::No);
    RemoveActiveImage(doc, host);
    EXPECT_EQ(prompt.shown().back().text,
              "Do you want to remove the 24x40, True Color image format from the current icon?");
}

TEST(FormatList, SelectingAnEntrySwitchesAndKeepsA256ColourPalette) {
    ImageHost host = TestHost(nullptr);
    std::vector<ColorValues256> kept;
    host.setNewImagePalette = [&](const ColorValues256& p) { kept.push_back(p); };
    IconResource doc = AllDepths(host);
    FormatList list = BuildFormatList(doc, 1024);
    doc.activeFormat = {32, 32, kColors256};
    ASSERT_TRUE(SwitchToFormat(doc, host, false));
    doc.ActiveImage()->SetTableColor(2, 0x445566);
    ASSERT_TRUE(SelectListedImage(doc, list.items[0].position, host));
    EXPECT_EQ(doc.activeFormat, (ImageFormat{16, 16, kColors16}));
    EXPECT_EQ(doc.ActiveImage()->width, 16);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0][2], 0x445566u);
    // Leaving a true-colour image keeps nothing; a position outside the array does nothing.
    ASSERT_TRUE(SelectListedImage(doc, list.items[4].position, host));
    ASSERT_TRUE(SelectListedImage(doc, list.items[1].position, host));
    EXPECT_EQ(kept.size(), 1u);
    EXPECT_FALSE(SelectListedImage(doc, 0, host));
    EXPECT_FALSE(SelectListedImage(doc, 99, host));
}

}  // namespace
}  // namespace vt
