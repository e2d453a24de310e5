// Closing the running program with a score open: an unchanged score closes
// without a question; a changed one asks "Do you want to save?" under
// "Score has changed", and Yes writes the file while No leaves it; when the
// write fails the error is shown and the program stays open with the score,
// so that the work is not lost.
#include <gtest/gtest.h>

#include <string>

#include "foundation/text_util.h"
#include "tests/gui/running_program_win.h"
#include "tests/test_support.h"

using namespace gui;

namespace {

constexpr uint32_t kCmdOpen = 101;
constexpr uint32_t kCmdExportCsv = 107;
constexpr int32_t kYes = 6;
constexpr int32_t kNo = 7;
constexpr const char *kQuestion = "Box: Score has changed: Do you want to save?";

class Closing : public cRunningProgram {
protected:
    // The melody, copied into a folder of its own inside a fresh data folder
    // (its backup goes beside it), opened.
    void OpenMelody(const char *name, const std::u16string &boxAnswers = u"") {
        Use(name);
        scoreFolder = folder + u"scores\\";
        ASSERT_TRUE(CreateDirectoryW(W(scoreFolder.c_str()), nullptr));
        score = CopyIn("tests/app/data/melody.pmr", u"scores\\melody.pmr");
        original = ReadFile(score);
        ASSERT_FALSE(original.empty());
        sStart how;
        if (!boxAnswers.empty()) how.boxAnswers = boxAnswers;
        how.fileAnswers = {score, folder + u"changed.csv", folder + u"kept.csv"};
        Launch(how);
        if (HasFatalFailure()) return;
        PostCommand(frame, kCmdOpen);
        Settled();
        ASSERT_EQ(ToUtf8(WindowTitle(frame)), ToUtf8(score));
    }
    // Changes the score as a user does, and shows that it changed: its CSV
    // list is no longer the melody's.
    void Change() {
        ChangeTheScore();
        PostCommand(frame, kCmdExportCsv);
        Settled();
        const std::string list = ReadFile(folder + u"changed.csv");
        ASSERT_FALSE(list.empty());
        ASSERT_NE(list, test::ReadFileBytes(test::SourcePath("tests/app/data/melody.csv")))
            << "the score did not change";
    }
    void ChangeTheScore();

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

    std::u16string scoreFolder, score;
    std::string original;
};

// A click on the staff's middle line, right of the melody's half note,
// places the pressed palette tool there (the palette starts on the Notes
// page).  The score window shows the score at its own size.
void Closing::ChangeTheScore() {
    HWND scoreWindow = ScoreWindow();
    ASSERT_NE(scoreWindow, nullptr);
    ASSERT_TRUE(PostClick(scoreWindow, 215, 52));
}

TEST_F(Closing, AnUnchangedScoreClosesWithoutAQuestion) {
    OpenMelody("closing_unchanged");
    ASSERT_TRUE(CloseEnds());
    EXPECT_EQ(CountOf(Log(), kQuestion), 0) << Log();
    EXPECT_EQ(CountOf(Log(), "Box: "), 0) << Log();
    EXPECT_TRUE(ReadFile(score) == original);
    EXPECT_FALSE(FileExists(scoreFolder + u"melody.bak"));
}

TEST_F(Closing, AChangedScoreAsksAndYesWritesTheFileWhileNoLeavesIt) {
    struct sCase {
        const char *what;
        int32_t answer;
        bool written;
    } cases[] = {{"Yes", kYes, true}, {"No", kNo, false}};
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.what);
        OpenMelody(c.answer == kYes ? "closing_yes" : "closing_no", FormatInt(c.answer));
        Change();
        ASSERT_TRUE(CloseEnds());
        EXPECT_EQ(CountOf(Log(), kQuestion), 1) << Log();
        EXPECT_EQ(ReadFile(score) != original, c.written);
        // Before the write the old file went to the backup.
        EXPECT_EQ(FileExists(scoreFolder + u"melody.bak"), c.written);
        if (c.written) EXPECT_TRUE(ReadFile(scoreFolder + u"melody.bak") == original);
    }
}

TEST_F(Closing, AFailedWriteIsShownAndTheProgramStaysOpenWithTheScore) {
    // Yes to the question, OK to the error; the second time No.
    OpenMelody("closing_write_fails", FormatInt(kYes) + u",1," + FormatInt(kNo));
    Change();
    // While the score is open a folder takes its file's name: the score
    // cannot be written there.
    ASSERT_TRUE(DeleteFileW(W(score.c_str())));
    ASSERT_TRUE(CreateDirectoryW(W(score.c_str()), nullptr));
    PostClose(frame);
    Settled();
    uint32_t code = 0;
    EXPECT_FALSE(program.WaitForExit(0, code)) << "the program ended and lost the score";
    const std::string log = Log();
    ASSERT_EQ(CountOf(log, kQuestion), 1) << log;
    // The error came after the question.
    EXPECT_NE(log.find("Box: ", log.find(kQuestion) + 1), std::string::npos) << log;
    EXPECT_EQ(ToUtf8(WindowTitle(frame)), ToUtf8(score));
    // Still the changed score: it lists what it listed after the change.
    PostCommand(frame, kCmdExportCsv);
    Settled();
    EXPECT_EQ(ReadFile(folder + u"kept.csv"), ReadFile(folder + u"changed.csv"));
    // No: now it may close.
    ASSERT_TRUE(CloseEnds());
    EXPECT_EQ(CountOf(Log(), kQuestion), 2);
}

}  // namespace
