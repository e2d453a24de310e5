// The program used from start to end, as a user uses it: a score saved
// earlier opened from the command line, notes placed by clicks, Ctrl+S, and
// the saved file opened again lists the same and exports a MIDI file that an
// independent reader checks (midicsv, after the Windows tests); and a fault
// after the clicks, from which the restarted program brings the score back
// out of its error report.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "foundation/text_util.h"
#include "tests/gui/running_program_win.h"
#include "tests/test_support.h"

using namespace gui;

namespace {

constexpr uint32_t kCmdExportMidi = 105;
constexpr uint32_t kCmdExportCsv = 107;
constexpr uint32_t kCmdDeselect = 205;
// The character that Ctrl+S types; the frame's accelerators make it Save.
constexpr WPARAM kCtrlS = 19;

// The melody (tests/app/data/melody.pmr: C, D quarters and an E half in
// 4/4) with the three sixteenths that PlaceNotes adds in the next measure:
// B4, F5 and E4.  Taken from the ASCII and CSV exports of the clicks and
// checked against where they fall on the treble staff.
std::string MelodyWithPlacedNotes() {
    return test::ReadFileBytes(test::SourcePath("tests/app/data/melody.csv")) +
           "0,Acoustic grand piano,30,11,1920,120,4,2,0\n"
           "0,Acoustic grand piano,50,17,2040,120,4,2,0\n"
           "0,Acoustic grand piano,10,4,2160,120,4,2,0\n";
}

class EndToEnd : public cRunningProgram {
protected:
    // The melody in the data folder, and the start on it from the command
    // line with the file dialogs answered by these names in the folder.
    sStart OnMelody(std::initializer_list<const char16_t *> answers) {
        score = CopyIn("tests/app/data/melody.pmr", u"melody.pmr");
        return OnCommandLine(score, answers);
    }
    sStart OnCommandLine(const std::u16string &path, std::initializer_list<const char16_t *> answers) {
        sStart how;
        how.commandLine = u"\"" + path + u"\"";
        for (const char16_t *name : answers) how.fileAnswers.push_back(folder + name);
        return how;
    }
    // Clicks on the treble staff with the tool the palette starts with (the
    // sixteenth note), right of the melody's half note: a low, a high and a
    // middle pitch.  The score window shows the score at its own size.
    void PlaceNotes() {
        HWND window = ScoreWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(PostClick(window, 215, 52));
        ASSERT_TRUE(PostClick(window, 250, 40));
        ASSERT_TRUE(PostClick(window, 285, 64));
        Settled();
    }
    // The CSV list of the whole score, through the next file answer.  The
    // last note placed stays selected, and a list with a selection holds
    // the selection only: Deselect first.
    std::string ListOfScore(const std::u16string &name) {
        PostCommand(frame, kCmdDeselect);
        PostCommand(frame, kCmdExportCsv);
        Settled();
        return ReadFile(folder + name);
    }

    std::u16string score;
};

TEST_F(EndToEnd, NotesPlacedAndSavedComeBackInTheListAndTheMidiFile) {
    Use("end_to_end");
    Launch(OnMelody({u"placed.csv"}));
    Settled();
    ASSERT_EQ(ToUtf8(WindowTitle(frame)), ToUtf8(score));
    PlaceNotes();
    const std::string placed = ListOfScore(u"placed.csv");
    EXPECT_EQ(placed, MelodyWithPlacedNotes());

    const std::string original = ReadFile(score);
    ASSERT_TRUE(PostMessageW(ScoreWindow(), WM_CHAR, kCtrlS, 1));
    Settled();
    EXPECT_FALSE(ReadFile(score) == original) << "Ctrl+S did not save";
    EXPECT_TRUE(ReadFile(folder + u"melody.bak") == original);
    // Saved, the score closes without asking.
    EXPECT_EQ(Exit(), 0u);
    EXPECT_EQ(CountOf(Log(), "Box: "), 0) << Log();

    Launch(OnCommandLine(score, {u"reopened.csv", u"reopened.mid"}));
    Settled();
    EXPECT_EQ(ToUtf8(WindowTitle(frame)), ToUtf8(score));
    EXPECT_EQ(ListOfScore(u"reopened.csv"), placed);
    PostCommand(frame, kCmdExportMidi);
    Settled();
    const std::string midi = ReadFile(folder + u"reopened.mid");
    ASSERT_EQ(midi.substr(0, 4), "MThd");
    // Its notes, tempo and signatures are read by midicsv after the Windows
    // tests (EndToEndAfterWindows in tests/app/end_to_end_posix_test.cpp).
    test::KeepForCheck(folder + u"reopened.mid", "end_to_end.mid");
}

TEST_F(EndToEnd, AfterAFaultTheRestartedProgramBringsBackThePlacedNotes) {
    Use("end_to_end_crash");
    sStart how = OnMelody({u"before.csv"});
    how.fault = u"ask";
    how.shellCapture = folder + u"shell.txt";
    how.boxAnswer = 2;  // Cancel to the offer of an on-line report
    Launch(how);
    PlaceNotes();
    const std::string before = ListOfScore(u"before.csv");
    ASSERT_EQ(before, MelodyWithPlacedNotes());

    ASSERT_TRUE(program.AskFault(frame));
    uint32_t code = 0xDEAD;
    ASSERT_TRUE(program.WaitForExit(60000, code));
    frame = nullptr;
    EXPECT_EQ(code, 0u);
    const std::u16string report = folder + u"ErrorReport.txt";
    ASSERT_TRUE(FileExists(report));
    // The one request to the shell: start the program again on the report.
    const std::vector<std::string> requests = test::SplitLines(ReadFile(folder + u"shell.txt"));
    ASSERT_EQ(requests.size(), 1u) << ReadFile(folder + u"shell.txt");
    const size_t bar = requests[0].find('|');
    ASSERT_NE(bar, std::string::npos) << requests[0];
    EXPECT_EQ(requests[0].substr(bar + 1), ToUtf8(report));

    // Started as the shell would start it; the loaded score takes the
    // report's name with the score files' extension.
    sStart again;
    again.commandLine = FromUtf8(requests[0].substr(bar + 1));
    again.fileAnswers = {folder + u"after.csv"};
    Launch(again);
    Settled();
    EXPECT_EQ(ToUtf8(WindowTitle(frame)), ToUtf8(folder + u"ErrorReport.pmr"));
    SaveScreenshot(frame, folder + u"restarted.bmp");
    EXPECT_EQ(ListOfScore(u"after.csv"), before);
    // The report stays for the user; this program ends cleanly.
    EXPECT_EQ(Exit(), 0u);
    EXPECT_EQ(CountOf(Log(), "Exception address"), 1) << Log();
}

}  // namespace
