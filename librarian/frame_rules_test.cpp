#include "librarian/frame_rules.h"

#include <gtest/gtest.h>

#include "librarian/exchange_blocks.h"
#include "librarian/librarian_testutil.h"
#include "librarian/program_update.h"
#include "librarian/reader.h"

namespace vt {
namespace {

using test::MakeDib;

class FrameRulesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(ws.New(), LibStatus::Ok);
        for (int i = 0; i < 3; ++i) ws.AddImage(MakeDib(32, 32, 4), -1);
    }
    CommandState State(int command, int view = kViewWindows) {
        return LibrarianCommandState(command, MenuFactsOf(ws, view, true, false));
    }

    test::TempFolder dir;
    Workspace ws;
    ScriptedPrompt prompt;
};

TEST_F(FrameRulesTest, CommandStatesFollowSelectionModifiedFlagAndView) {
    const int oneIcon[] = {kCmdRename,    kCmdContextRename, kCmdCreateCopy, kCmdContextCreateCopy,
                           kCmdSaveAsIco, kCmdEditIcon,      kCmdInstall,    kCmdContextEditIcon};
    ws.SelectNone();
    ws.SetModified(false);
    EXPECT_FALSE(State(kCmdSave).enabled);
    EXPECT_FALSE(State(kCmdDelete).enabled);
    for (int c : oneIcon) EXPECT_FALSE(State(c).enabled) << c;
    ws.SelectOne(2);
    ws.SetModified(true);
    EXPECT_TRUE(State(kCmdSave).enabled);
    EXPECT_TRUE(State(kCmdContextDelete).enabled);
    for (int c : oneIcon) EXPECT_TRUE(State(c).enabled) << c;
    // A list of two: Delete only.
    ws.SelectList({0, 2});
    EXPECT_TRUE(State(kCmdDelete).enabled);
    for (int c : oneIcon) EXPECT_FALSE(State(c).enabled) << c;

    EXPECT_FALSE(State(kCmdArrangeBySpecificFormat, kViewRaw).enabled);
    EXPECT_TRUE(State(kCmdArrangeBySpecificFormat, kViewSpecific).enabled);
    for (int view = 1; view <= 4; ++view)
        for (int c = kCmdViewFirst; c < kCmdViewFirst + 4; ++c)
            EXPECT_EQ(State(c, view).checked, c == kCmdViewFirst + view - 1);
    EXPECT_TRUE(State(kCmdToolbar).checked);
    EXPECT_FALSE(State(kCmdStatusBar).checked);
}

TEST_F(FrameRulesTest, TheSaveQuestionStopsTheActionUnlessTheWorkIsSavedOrGivenUp) {
    int saves = 0;
    bool saved = false;
    auto save = [&] { return ++saves, saved; };
    ws.SetModified(false);
    EXPECT_TRUE(MayDiscardWorkspace(ws, "lib.icl", prompt, save));
    EXPECT_TRUE(prompt.texts().empty());

    ws.SetModified(true);
    prompt.Answer(PromptAnswer::Cancel);
    EXPECT_FALSE(MayDiscardWorkspace(ws, "lib.icl", prompt, save));
    prompt.Answer(PromptAnswer::No);
    EXPECT_TRUE(MayDiscardWorkspace(ws, "", prompt, save));
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(prompt.texts(),
              (std::vector<std::string>{
                  "lib.icl has been changed.  Save this file before proceeding?",
                  "The workspace has been changed.  Save this file before proceeding?"}));
    // Yes whose save fails or is cancelled stops; one that saves goes on.
    prompt.Answer(PromptAnswer::Yes);
    EXPECT_FALSE(MayDiscardWorkspace(ws, "", prompt, save));
    saved = true;
    prompt.Answer(PromptAnswer::Yes);
    EXPECT_TRUE(MayDiscardWorkspace(ws, "", prompt, save));
    EXPECT_EQ(saves, 2);
    // Sessions kept open stop it before the save question.
    prompt.Clear();
    EXPECT_FALSE(MayDiscardWorkspace(ws, "", prompt, save, [] { return false; }));
    EXPECT_TRUE(prompt.texts().empty());
}

TEST_F(FrameRulesTest, SaveOrSaveAsIsDoneOnlyWhenEverythingWasWritten) {
    // No file yet: a cancelled name, then a folder that does not exist, then a good name.
    SaveState state;
    EXPECT_FALSE(SaveOrSaveAs(ws, state, prompt, [] { return std::string(); }));
    EXPECT_TRUE(prompt.texts().empty());
    EXPECT_FALSE(SaveOrSaveAs(ws, state, prompt, [&] { return dir.File("none/lib.icl"); }));
    EXPECT_EQ(prompt.texts(), (std::vector<std::string>{kCannotOpenForSave}));
    EXPECT_TRUE(ws.modified());
    ASSERT_TRUE(SaveOrSaveAs(ws, state, prompt, [&] { return dir.File("lib.icl"); }));
    EXPECT_EQ(state.path, dir.File("lib.icl"));
    EXPECT_EQ(ws.icons().size(), 3u);

    // A program file whose only change has no place in it keeps the workspace modified.
    auto a = MakeDib(32, 32, 4, 1);
    std::string exe =
        dir.Write("app.exe", test::MakePe({{14, 1, {}, test::MakeGroup({a}, {1})}, {3, 1, {}, a}}));
    ReadOptions o;
    o.kind = kKindProgram;
    ASSERT_EQ(ReadModuleIcons(ws, exe, true, o), LibStatus::Ok);
    ws.SetMode(kModeProgram);
    state.path = state.sourcePath = exe;
    ASSERT_EQ(ApplyIconUpdate(ws, 0, {MakeDib(32, 32, 4, 9), MakeDib(48, 48, 4)}), LibStatus::Ok);
    ASSERT_TRUE(ws.modified());
    prompt.Clear();
    prompt.Answer(PromptAnswer::Yes);  // write the others: the 32 × 32 goes in, the 48 × 48 not
    EXPECT_FALSE(SaveOrSaveAs(ws, state, prompt, {}));
    EXPECT_TRUE(ws.modified());
}

TEST_F(FrameRulesTest, ProgramFileModeCopiesNothingAndRenamesWithoutChange) {
    ws.SelectOne(0);
    long copy = CopySelectedIcon(ws, prompt);
    ASSERT_EQ(copy, 3);
    EXPECT_EQ(ws.icons()[3].x, ws.icons()[0].x + 1);

    // A copy the workspace file cannot take says so and leaves no icon behind.
    ws.LimitWrites(0);
    EXPECT_EQ(CopySelectedIcon(ws, prompt), -1);
    EXPECT_EQ(prompt.texts(), (std::vector<std::string>{kWorkspaceFileError}));
    ws.LimitWrites(UINT64_MAX);
    prompt.Clear();

    ws.SetMode(kModeProgram);
    ws.SetModified(false);
    EXPECT_EQ(CopySelectedIcon(ws, prompt), -1);
    EXPECT_EQ(prompt.texts(), (std::vector<std::string>{kAddToProgramFileRefused}));
    EXPECT_EQ(ws.icons().size(), 4u);
    ws.Rename(0, "kept in the window only");
    EXPECT_FALSE(ws.modified());
    ws.SetMode(kModeLibrary);
    ws.Rename(0, "saved with the library");
    EXPECT_TRUE(ws.modified());
}

TEST_F(FrameRulesTest, DropsOpenAtOnceWhenEmptyOrInProgramFileMode) {
    DropPlan plan = PlanFileDrop(ws, true);
    EXPECT_FALSE(plan.openAtOnce);
    EXPECT_TRUE(plan.addEnabled);
    EXPECT_TRUE(PlanFileDrop(ws, false).openAtOnce);
    ws.SetMode(kModeProgram);
    plan = PlanFileDrop(ws, true);
    EXPECT_TRUE(plan.openAtOnce);
    EXPECT_FALSE(plan.addEnabled);
    ws.SetMode(kModeLibrary);
    ws.New();
    EXPECT_TRUE(PlanFileDrop(ws, true).openAtOnce);
}

TEST_F(FrameRulesTest, NoDisplayableFormatEmptiesTheWorkspaceOnlyAfterAnOpen) {
    ViewMetrics m;
    m.displayColorCode = 256;
    ws.SetMetrics(m);
    const std::vector<FormatTally> before = ws.tallies();
    ws.AddImage(MakeDib(48, 48, 8), -1);  // 256 colours: hidden on a 256-colour display
    FormatBox box = ApplyFormatBox(ws, FormatBoxCause::Added, before, prompt);
    EXPECT_EQ(box.warning, FormatBoxWarning::SomeNotSupported);
    EXPECT_EQ(ws.icons().size(), 4u);
    EXPECT_EQ(ws.currentFormat(), (FormatKey{32, 32, 16}));

    // A Delete of a shown icon says nothing more.
    prompt.Clear();
    ws.SelectOne(0);
    prompt.Answer(PromptAnswer::Yes);
    ASSERT_EQ(ws.DeleteSelection(prompt), LibStatus::Ok);
    prompt.Clear();
    EXPECT_EQ(ApplyFormatBox(ws, FormatBoxCause::Removed, {}, prompt).warning,
              FormatBoxWarning::None);
    EXPECT_TRUE(prompt.texts().empty());

    // Right after an open with nothing displayable: the warning and a new, empty workspace.
    ws.New();
    ws.AddImage(MakeDib(48, 48, 8), -1);
    box = ApplyFormatBox(ws, FormatBoxCause::Opened, {}, prompt);
    EXPECT_EQ(box.warning, FormatBoxWarning::NoneSupported);
    EXPECT_EQ(prompt.texts(), (std::vector<std::string>{kNoFormatSupported}));
    EXPECT_TRUE(ws.icons().empty());
    EXPECT_TRUE(box.entries.empty());
}

}  // namespace
}  // namespace vt
