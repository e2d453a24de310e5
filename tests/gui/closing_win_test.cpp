// Closing the running program with a score open: an unchanged score closes
// without a question and leaves its file as it was.
#include <gtest/gtest.h>

#include <string>

#include "foundation/text_util.h"
#include "tests/gui/gui_driver_win.h"
#include "tests/test_support.h"

using namespace gui;

namespace {

constexpr uint32_t kCmdOpen = 101;
constexpr const char *kQuestion = "Box: Score has changed: Do you want to save?";

class Closing : public testing::Test {
protected:
    // The melody, copied into a folder of its own inside a fresh data folder
    // (so that the test can take the score's folder away), opened.
    void OpenMelody(const char *name, const std::u16string &boxAnswers = u"") {
        folder = FreshFolder(name);
        scoreFolder = folder + u"scores\\";
        ASSERT_TRUE(CreateDirectoryW(W(scoreFolder.c_str()), nullptr));
        score = scoreFolder + u"melody.pmr";
        original = test::ReadFileBytes(test::SourcePath("tests/app/data/melody.pmr"));
        ASSERT_FALSE(original.empty());
        WriteFile(score, original);
        sStart how;
        how.dataFolder = folder;
        if (!boxAnswers.empty()) how.boxAnswers = boxAnswers;
        how.fileAnswers = {score, folder + u"changed.csv", folder + u"kept.csv"};
        ASSERT_TRUE(program.Start(how));
        frame = program.WaitForFrame();
        ASSERT_NE(frame, nullptr);
        PostCommand(frame, kCmdOpen);
        Settle();
        ASSERT_EQ(ToUtf8(WindowTitle(frame)), ToUtf8(score));
    }
    // Every command posted so far was handled: the program answers the state
    // channel from its main loop only.
    void Settle() { EXPECT_FALSE(program.ReadState(frame).empty()) << "the program did not come back to its main loop"; }
    // Closes the frame as its close box does; true when the program ended
    // (with code 0).
    bool CloseEnds() {
        PostClose(frame);
        uint32_t code = 0xDEAD;
        if (!program.WaitForExit(30000, code)) return false;
        EXPECT_EQ(code, 0u);
        frame = nullptr;
        return true;
    }
    std::string Log() { return ReadFile(folder + TodaysLogName()); }

    std::u16string folder, scoreFolder, score;
    std::string original;
    cProgram program;
    HWND frame = nullptr;
};

TEST_F(Closing, AnUnchangedScoreClosesWithoutAQuestion) {
    OpenMelody("closing_unchanged");
    ASSERT_TRUE(CloseEnds());
    EXPECT_EQ(CountOf(Log(), kQuestion), 0) << Log();
    EXPECT_EQ(CountOf(Log(), "Box: "), 0) << Log();
    EXPECT_TRUE(ReadFile(score) == original);
    EXPECT_FALSE(FileExists(scoreFolder + u"melody.bak"));
}

}  // namespace
