#include <gtest/gtest.h>

#include "engineer/engineer_testutil.h"
#include "engineer/icon_quality.h"
#include "librarian/librarian_testutil.h"

namespace vt {
namespace {

class RecordingDialogs : public QualityDialogs {
  public:
    bool ConfirmBlankImage(const std::string& text) override {
        blankTexts.push_back(text);
        return blankAnswer;
    }
    bool ConfirmMissingFormats(const std::string& text,
                               const std::array<bool, kQualityFormatCount>& found,
                               const std::array<bool, kQualityFormatCount>& desired) override {
        missingTexts.push_back(text);
        lastFound = found;
        lastDesired = desired;
        return missingAnswer;
    }
    bool blankAnswer = true, missingAnswer = true;
    std::vector<std::string> blankTexts, missingTexts;
    std::array<bool, kQualityFormatCount> lastFound{}, lastDesired{};
};

class Quality : public ::testing::Test {
  protected:
    bool Check(const std::vector<std::vector<uint8_t>>& blocks, int shellIndex = 8,
               bool hasRow = true) {
        files.Put("D:\\art\\pick.ico", test::IconFile(blocks));
        return CheckIconQuality(files, prompt, groups, dialogs, settings, hasRow, shellIndex,
                                "D:\\art\\pick.ico", 0);
    }
    static std::vector<std::vector<uint8_t>> AllSixteenColour() {
        return {test::IconBlock(16, 16, 4), test::IconBlock(32, 32, 4), test::IconBlock(48, 48, 4)};
    }
    MemoryFileSystem files;
    ScriptedPrompt prompt;
    test::MemoryIconGroups groups{files};
    RecordingDialogs dialogs;
    QualitySettings settings;
};

TEST_F(Quality, CompleteIconPassesWithoutQuestions) {
    EXPECT_TRUE(Check(AllSixteenColour()));
    EXPECT_TRUE(dialogs.blankTexts.empty());
    EXPECT_TRUE(dialogs.missingTexts.empty());
}

TEST_F(Quality, MissingFormatsAskWithTheFoundAndDesiredBoxes) {
    dialogs.missingAnswer = false;
    EXPECT_FALSE(Check({test::IconBlock(32, 32, 4), test::IconBlock(16, 16, 8),
                        test::IconBlock(16, 16, 1), test::IconBlock(48, 48, 24)}));
    ASSERT_EQ(dialogs.missingTexts.size(), 1u);
    EXPECT_EQ(dialogs.missingTexts[0],
              "The file 'pick.ico' does not include the desired image formats currently specified "
              "in the Config.Icon "
              "Quality Check dialog.\n\nThe check boxes to the right indicate which of these "
              "images are present and "
              "which are missing.\n\nMissing image formats could cause lower quality results if an "
              "existing size "
              "must be scaled larger or smaller.");
    // 1-bit and 24-bit images never count as a desired format.
    EXPECT_EQ(dialogs.lastFound, (std::array<bool, 6>{false, true, false, true, false, false}));
    EXPECT_EQ(dialogs.lastDesired, settings.desired);
    dialogs.missingAnswer = true;
    EXPECT_TRUE(Check({test::IconBlock(32, 32, 4)}));
}

TEST_F(Quality, BlankImageWarnsEvenWhenEveryFormatIsThere) {
    auto blocks = AllSixteenColour();
    blocks[1] = test::IconBlock(32, 32, 4, true);
    dialogs.blankAnswer = false;
    EXPECT_FALSE(Check(blocks));
    ASSERT_EQ(dialogs.blankTexts.size(), 1u);
    EXPECT_EQ(dialogs.blankTexts[0],
              "At least one blank image has been detected in the file 'pick.ico'.  The image is in "
              "the 16 color format "
              "and is 32x32 pixels in size.\n\nWindows 95 may attempt to use the blank image if it "
              "requires an icon in "
              "this size and color format.");
    EXPECT_TRUE(dialogs.missingTexts.empty()) << "Cancel ends the check at once";
}

TEST_F(Quality, TheMaskOfDirectColourImagesIsFoundAfterTheirOwnColourBits) {
    // Opaque white at 16, 24 and 32 bits: colour bytes all 0xFF, mask all 0. Read at another bit
    // count's offset, the colour bytes would pass for a mask of set bits.
    for (int bits : {16, 24, 32}) {
        SCOPED_TRACE(bits);
        dialogs.blankTexts.clear();
        const auto white = test::MakeDib(32, 32, bits, 0xFF);
        EXPECT_TRUE(Check({white, test::IconBlock(16, 16, 4), test::IconBlock(48, 48, 4)}));
        EXPECT_TRUE(dialogs.blankTexts.empty());
        // The same image with every mask bit set is blank, and named by its own colours.
        EXPECT_TRUE(Check({test::IconBlock(32, 32, bits, true)}));
        ASSERT_EQ(dialogs.blankTexts.size(), 1u);
        EXPECT_NE(dialogs.blankTexts[0].find("is in the 16777216 color format and is 32x32"),
                  std::string::npos);
    }
}

TEST_F(Quality, ShortcutOverlayRowSkipsFormatsButStillWarnsOfBlanks) {
    EXPECT_TRUE(Check({test::IconBlock(16, 16, 8)}, 29));
    EXPECT_TRUE(dialogs.missingTexts.empty());
    EXPECT_TRUE(Check({test::IconBlock(48, 48, 8, true)}, 29));
    ASSERT_EQ(dialogs.blankTexts.size(), 1u);
    EXPECT_NE(dialogs.blankTexts[0].find(
                  "256 color format and is 48x48 pixels in size.\n\nWARNING!:  THE DESKTOP "
                  "DISPLAY WILL BE ADVERSELY AFFECTED if Windows 95 attempts to use this blank "
                  "image as a shortcut overlay.  If you want to remove shortcut arrows from "
                  "your desktop, you should uncheck the 'Display Shortcut Overlay' option on "
                  "the General tab."),
              std::string::npos);
}

TEST_F(Quality, CheckingOffRunsOnlyTheBlankTest) {
    settings.checking = false;
    EXPECT_TRUE(Check({test::IconBlock(16, 16, 1)}));
    EXPECT_TRUE(dialogs.missingTexts.empty());
    EXPECT_TRUE(Check({test::IconBlock(16, 16, 1, true)}));
    EXPECT_EQ(dialogs.blankTexts.size(), 1u);
}

TEST_F(Quality, UnreadableFilesFailQuietlyAndProgramFilesAreConverted) {
    EXPECT_FALSE(Check(AllSixteenColour(), 8, false)) << "no row selected";
    files.PutText("D:\\art\\tiny.ico", "short");
    EXPECT_FALSE(CheckIconQuality(files, prompt, groups, dialogs, settings, true, 8,
                                  "D:\\art\\tiny.ico", 0));
    EXPECT_FALSE(CheckIconQuality(files, prompt, groups, dialogs, settings, true, 8,
                                  "D:\\art\\none.ico", 0));
    EXPECT_TRUE(prompt.shown().empty());

    files.Put("D:\\apps\\tool.exe", test::ProgramWithIcons({AllSixteenColour()}));
    EXPECT_TRUE(CheckIconQuality(files, prompt, groups, dialogs, settings, true, 8,
                                 "D:\\apps\\tool.exe", 0));
    files.PutText("D:\\apps\\readme.txt", "plain text that holds no icon at all");
    EXPECT_FALSE(CheckIconQuality(files, prompt, groups, dialogs, settings, true, 8,
                                  "D:\\apps\\readme.txt", 0));
    EXPECT_EQ(prompt.texts(),
              (std::vector<std::string>{
                  "The file 'D:\\apps\\readme.txt' is not a valid file type for icons!"}));
}

TEST(IconInspection, DamagedFilesNeverCrashAndCountForNothing) {
    auto good = test::IconFile({test::IconBlock(32, 32, 4, true), test::IconBlock(16, 16, 8)});
    QualityReport report;
    ASSERT_TRUE(InspectIconFile(good, &report));
    EXPECT_TRUE(report.blankFound);
    for (size_t cut = 0; cut < good.size(); ++cut) {
        std::vector<uint8_t> part(good.begin(), good.begin() + static_cast<long>(cut));
        InspectIconFile(part, &report);
    }
    for (size_t i = 0; i < good.size(); ++i) {
        auto flipped = good;
        flipped[i] ^= 0xA5;
        InspectIconFile(flipped, &report);
    }
    auto huge = good;
    huge[6 + 12] = 0xFF;  // first image offset far outside
    huge[6 + 13] = 0xFF;
    ASSERT_TRUE(InspectIconFile(huge, &report));
    EXPECT_FALSE(report.found[1]);
    EXPECT_TRUE(report.found[3]);
}

TEST(IconInspection, ImagesLargerThanIconsCountAsDamaged) {
    // A blank 512 x 512 image is no icon at all: not reported, not searched.
    auto big = test::IconFile({test::IconBlock(512, 512, 1, true), test::IconBlock(16, 16, 4)});
    QualityReport report;
    ASSERT_TRUE(InspectIconFile(big, &report));
    EXPECT_FALSE(report.blankFound);
    EXPECT_TRUE(report.found[0]);
    auto largest = test::IconFile({test::IconBlock(256, 256, 1, true)});
    ASSERT_TRUE(InspectIconFile(largest, &report));
    EXPECT_TRUE(report.blankFound) << "256 pixels is still an icon";
}

TEST(QualitySettings, StoredAsSevenIntegersWithDefaultsForAnythingElse) {
    QualitySettings s;
    s.checking = false;
    s.desired = {false, true, false, true, false, true};
    auto bytes = SaveQualitySettings(s);
    ASSERT_EQ(bytes.size(), 28u);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[8], 1);
    auto back = LoadQualitySettings(bytes);
    EXPECT_EQ(back.checking, s.checking);
    EXPECT_EQ(back.desired, s.desired);
    auto defaults = LoadQualitySettings({1, 2, 3});
    EXPECT_TRUE(defaults.checking);
    EXPECT_EQ(defaults.desired, (std::array<bool, 6>{true, true, true, false, false, false}));
}

TEST(ColourDepthDialog, LimitsFollowTheDisplay) {
    auto s = OpenColourDepthDialog(8, 4);
    EXPECT_EQ(s.limitText,
              "The current Color Palette setting for this system limits the icon color format to 4 "
              "bits.");
    EXPECT_EQ(s.enabled, (std::array<bool, 3>{true, false, false}));
    EXPECT_EQ(s.checkedButton, kColourDepthButton4);
    s = OpenColourDepthDialog(16, 16);
    EXPECT_EQ(s.limitText,
              "The current Color Palette setting for this system limits the icon color format to "
              "16 bits.");
    EXPECT_EQ(s.enabled, (std::array<bool, 3>{true, true, false}));
    EXPECT_EQ(s.checkedButton, kColourDepthButton16);
    s = OpenColourDepthDialog(32, 24);
    EXPECT_EQ(s.limitText,
              "The current Color Palette setting for this system supports all icon color formats.");
    EXPECT_EQ(s.enabled, (std::array<bool, 3>{true, true, true}));
    EXPECT_EQ(s.checkedButton, kColourDepthButton24);
    EXPECT_EQ(OpenColourDepthDialog(32, 8).checkedButton, 0);

    EXPECT_EQ(ColourDepthFromButtons(true, false), 4);
    EXPECT_EQ(ColourDepthFromButtons(false, true), 16);
    EXPECT_EQ(ColourDepthFromButtons(false, false), 24);
    EXPECT_EQ(ColourDepthLabel(4), "Maximum Icon Colors: 16");
    EXPECT_EQ(ColourDepthLabel(16), "Maximum Icon Colors: 65 thousand");
    EXPECT_EQ(ColourDepthLabel(24), "Maximum Icon Colors: 16 million");
    EXPECT_EQ(ColourDepthLabel(8), "Maximum Icon Colors: 8 bits");
}

}  // namespace
}  // namespace vt
