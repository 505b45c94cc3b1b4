// The Animator in an edit session, against a stand-in Librarian in this test process (the
// Librarian itself never starts the Animator): the images become frames, the updates send every
// frame back, the close question, and a malformed block refused without harm.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "animator/win32/animator_wine_testutil.h"
#include "animator/win32/resource.h"
#include "common/win32/edit_session_client.h"
#include "tests/win32/session_test_server.h"

namespace vt::test {
namespace {

std::vector<uint8_t> Pixels(const std::vector<uint8_t>& record) {
    return record.size() > 40 ? std::vector<uint8_t>(record.begin() + 40, record.end()) : record;
}

bool Grayed(HWND frame, UINT id) {
    const int state = MenuItemState(frame, id);
    return state >= 0 && (state & MF_GRAYED) != 0;
}

class AnimatorSession : public ::testing::Test {
  protected:
    // Serves three 32 x 32 pictures and a 16 x 16 one (which no frame can hold) as "spinner".
    void Start(const std::string& token, Animator& a) {
        server = std::make_unique<TestServer>(token, false);
        server->sendIcon = true;
        server->icon.name = "spinner";
        server->icon.images.clear();
        for (uint32_t fill : {1u, 2u, 3u})
            server->icon.images.push_back(RecordFromImage(MakeOpaqueImage(32, 32, kColors16, fill)));
        server->icon.images.insert(server->icon.images.begin() + 1,
                                   RecordFromImage(MakeOpaqueImage(16, 16, kColors16, 4)));
        ASSERT_TRUE(a.Start("!I" + token + " "));
        ASSERT_TRUE(WaitUntil([&] { return server->negativeAcks >= 0; }, kDefaultWaitMs, "the acknowledgement"));
        ASSERT_EQ(server->negativeAcks, 0) << "the images were taken";
    }
    std::unique_ptr<TestServer> server;
    Animator ani;
};

TEST_F(AnimatorSession, EveryImageBecomesAFrameAndTheUpdatesSendEveryFrame) {
    Start("3001", ani);
    EXPECT_EQ(WindowTitle(ani.frame), "Vantoro Animator- spinner");
    EXPECT_EQ(ani.FrameCount(), 3);
    EXPECT_TRUE(Grayed(ani.frame, IDM_FILE_UPDATE)) << "nothing changed yet";

    ani.Stroke({{1, 1}, {2, 1}, {3, 1}});
    ASSERT_FALSE(Grayed(ani.frame, IDM_FILE_UPDATE));
    ASSERT_TRUE(PostCommand(ani.frame, IDM_FILE_UPDATE));
    ASSERT_TRUE(WaitUntil([&] { return server->updates.size() == 1; }, kDefaultWaitMs, "the update"));
    const std::vector<std::vector<uint8_t>>& sent = server->icon.images;
    ASSERT_EQ(server->updates[0].size(), 3u) << "every frame, in order";
    EXPECT_NE(Pixels(server->updates[0][0]), Pixels(sent[0])) << "the first frame holds the stroke";
    EXPECT_EQ(Pixels(server->updates[0][1]), Pixels(sent[2]));
    EXPECT_EQ(Pixels(server->updates[0][2]), Pixels(sent[3]));
    EXPECT_TRUE(Grayed(ani.frame, IDM_FILE_UPDATE));
    EXPECT_TRUE(ani.program.running());

    // Update Librarian and Exit: sent, then the conversation and the program end.
    ani.SelectFrame(2);
    ani.Stroke({{5, 5}});
    ASSERT_TRUE(PostCommand(ani.frame, IDM_FILE_UPDATE_EXIT));
    ASSERT_TRUE(WaitUntil([&] { return server->updates.size() == 2; }, kDefaultWaitMs, "the second update"));
    EXPECT_NE(Pixels(server->updates[1][2]), Pixels(sent[3]));
    EXPECT_EQ(ani.program.WaitForExit(20000), 0);
    EXPECT_TRUE(WaitUntil([&] { return server->terminated; }, kDefaultWaitMs, "the conversation to end"));
}

TEST_F(AnimatorSession, TheCloseQuestionCancelsSendsOrEndsUnsent) {
    Start("3003", ani);
    ani.Stroke({{4, 4}});
    PostMessageA(ani.frame, WM_CLOSE, 0, 0);
    const std::string question = ani.AnswerBox(IDCANCEL);
    EXPECT_NE(question.find("The animated cursor has been changed.\n\nDo you want to update the image in your folder?"),
              std::string::npos)
        << question;
    EXPECT_TRUE(ani.program.running()) << "Cancel keeps the program";
    PostMessageA(ani.frame, WM_CLOSE, 0, 0);
    ani.AnswerBox(IDYES);
    ASSERT_TRUE(WaitUntil([&] { return server->updates.size() == 1; }, kDefaultWaitMs, "Yes sends"));
    EXPECT_EQ(ani.program.WaitForExit(20000), 0);
    EXPECT_TRUE(WaitUntil([&] { return server->terminated; }, kDefaultWaitMs, "the conversation to end"));

    server = nullptr;
    Animator second;
    Start("3004", second);
    second.Stroke({{4, 4}});
    PostMessageA(second.frame, WM_CLOSE, 0, 0);
    second.AnswerBox(IDNO);
    EXPECT_EQ(second.program.WaitForExit(20000), 0);
    EXPECT_TRUE(WaitUntil([&] { return server->terminated; }, kDefaultWaitMs, "the conversation to end"));
    EXPECT_TRUE(server->updates.empty()) << "No sends nothing";

    // The end of the Windows session asks too; Yes sends and ends the conversation.
    server = nullptr;
    Animator third;
    Start("3006", third);
    third.Stroke({{4, 4}});
    PostMessageA(third.frame, WM_QUERYENDSESSION, 0, 0);
    EXPECT_NE(third.AnswerBox(IDYES).find("The animated cursor has been changed."), std::string::npos);
    EXPECT_TRUE(WaitUntil([&] { return server->updates.size() == 1 && server->terminated; }, kDefaultWaitMs,
                          "the update and the end of the conversation"));
    EXPECT_EQ(third.program.CloseAndWait(third.frame), 0) << "closes without asking again";
}

TEST_F(AnimatorSession, AMalformedBlockIsRefusedAndChangesNothing) {
    Start("3005", ani);
    server->negativeAcks = -1;
    ASSERT_TRUE(server->PostMalformedData());
    ASSERT_TRUE(WaitUntil([&] { return server->negativeAcks >= 0; }, kDefaultWaitMs, "the answer"));
    EXPECT_EQ(server->negativeAcks, 1) << "refused";
    EXPECT_TRUE(ani.program.running());
    EXPECT_EQ(ani.FrameCount(), 3);
    EXPECT_EQ(WindowTitle(ani.frame), "Vantoro Animator- spinner");
    EXPECT_TRUE(Grayed(ani.frame, IDM_FILE_UPDATE)) << "still unmodified";
    EXPECT_EQ(ani.program.CloseAndWait(ani.frame), 0);
}

}  // namespace
}  // namespace vt::test
